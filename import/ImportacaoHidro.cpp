#include "import/ImportacaoHidro.h"

#include "data/Conexao.h"
#include "data/Consulta.h"
#include "data/Dialeto.h"

#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <map>
#include <tuple>

namespace lumeno {

namespace {

QVariant opcional(const std::optional<double>& v) {
    return v ? QVariant(*v) : QVariant();
}

bool mesmosValores(const MedicaoHidro& a, const MedicaoHidro& b) {
    return a.cota == b.cota && a.vazao == b.vazao && a.area == b.area &&
           a.velocidade == b.velocidade && a.hora == b.hora;
}

}  // namespace

QString cortarNome(const QString& nome) {
    return nome.left(30);
}

PreparoMedicoes prepararMedicoes(std::vector<MedicaoHidro> linhas) {
    PreparoMedicoes r;
    // Rows without stage or discharge.
    const auto semValores = std::stable_partition(
        linhas.begin(), linhas.end(), [](const MedicaoHidro& m) { return m.cota && m.vazao; });
    r.semValores = static_cast<int>(linhas.end() - semValores);
    linhas.erase(semValores, linhas.end());

    // The same measurement (number and date) at several levels: the highest level stays;
    // at that level, exact repetitions are stored once.
    std::map<std::pair<int, QDate>, int> nivelMaximo;
    for (const MedicaoHidro& m : linhas) {
        int& n = nivelMaximo.try_emplace({m.numero, m.data}, m.nivel).first->second;
        n = std::max(n, m.nivel);
    }
    std::vector<MedicaoHidro> mantidas;
    std::map<std::pair<int, QDate>, std::vector<size_t>> mantidasPorChave;
    for (const MedicaoHidro& m : linhas) {
        const std::pair<int, QDate> chave{m.numero, m.data};
        std::vector<size_t>& mesmas = mantidasPorChave[chave];
        const bool superada = m.nivel < nivelMaximo[chave];
        const bool repetida = std::any_of(mesmas.begin(), mesmas.end(), [&](size_t k) {
            return mantidas[k].nivel == m.nivel && mesmosValores(mantidas[k], m);
        });
        if (superada || repetida) {
            ++r.repetidas;
        } else {
            mesmas.push_back(mantidas.size());
            mantidas.push_back(m);
        }
    }

    // Different measurements under one number: the earliest keeps it.
    auto porData = [](const MedicaoHidro& a, const MedicaoHidro& b) {
        return std::tie(a.data, a.hora, a.numero, a.ordem) <
               std::tie(b.data, b.hora, b.numero, b.ordem);
    };
    std::stable_sort(mantidas.begin(), mantidas.end(), porData);
    std::map<int, bool> usados;
    int maior = 0;
    for (const MedicaoHidro& m : mantidas)
        maior = std::max(maior, m.numero);
    std::vector<MedicaoHidro*> aRenumerar;
    for (MedicaoHidro& m : mantidas) {
        if (usados[m.numero])
            aRenumerar.push_back(&m);
        else
            usados[m.numero] = true;
    }
    for (MedicaoHidro* m : aRenumerar) {
        m->numero = ++maior;
        if (!r.renumeradas++)
            r.primeiroNumeroNovo = maior;
        r.ultimoNumeroNovo = maior;
    }
    std::stable_sort(
        mantidas.begin(), mantidas.end(),
        [](const MedicaoHidro& a, const MedicaoHidro& b) { return a.numero < b.numero; });
    r.medicoes = std::move(mantidas);
    return r;
}

QString PreparoMedicoes::aviso(int codigo) const {
    QStringList linhas;
    if (semValores == 1)
        linhas << QStringLiteral("1 medição sem cota ou sem vazão não foi importada.");
    else if (semValores)
        linhas << QStringLiteral("%1 medições sem cota ou sem vazão não foram importadas.")
                      .arg(semValores);
    const QString oQueERepetida = QStringLiteral(
        "(a mesma medição em outro nível de consistência, ou registrada duas "
        "vezes)");
    if (repetidas == 1)
        linhas << QStringLiteral(
                      "1 medição repetida %1 foi deixada de lado; ficou a de nível "
                      "mais alto.")
                      .arg(oQueERepetida);
    else if (repetidas)
        linhas << QStringLiteral(
                      "%1 medições repetidas %2 foram deixadas de lado; ficaram as "
                      "de nível mais alto.")
                      .arg(repetidas)
                      .arg(oQueERepetida);
    if (renumeradas == 1)
        linhas << QStringLiteral(
                      "1 medição com número já usado por outra medição recebeu o "
                      "número %1.")
                      .arg(primeiroNumeroNovo);
    else if (renumeradas)
        linhas << QStringLiteral(
                      "%1 medições com números já usados por outras medições "
                      "receberam os números %2 a %3, por ordem de data.")
                      .arg(renumeradas)
                      .arg(primeiroNumeroNovo)
                      .arg(ultimoNumeroNovo);
    if (linhas.isEmpty())
        return QString();
    return QStringLiteral("Estação %1:\n").arg(codigo) + linhas.join(QLatin1Char('\n'));
}

int gravarMedicoesHidro(Conexao& conexao, int idEstacao, const std::vector<MedicaoHidro>& medicoes,
                        const ProgressoImportacao& progresso) {
    return substituirLinhas(
        conexao, "medida", idEstacao, medicoes,
        QStringLiteral("insert into medida (Estacao, Data, Numero, Cota, Vazao, "
                       "Velocidade, Area, Ponto_obrigatorio) values (?, ?, ?, ?, ?, ?, ?, 0)"),
        progresso, [idEstacao](QSqlQuery& q, const MedicaoHidro& m) {
            q.bindValue(0, idEstacao);
            q.bindValue(1, m.data.isValid() ? QVariant(m.data) : QVariant());
            q.bindValue(2, m.numero);
            q.bindValue(3, opcional(m.cota));
            q.bindValue(4, opcional(m.vazao));
            q.bindValue(5, opcional(m.velocidade));
            q.bindValue(6, opcional(m.area));
        });
}

int gravarVerticais(Conexao& conexao, int idEstacao, const std::vector<VerticalHidro>& verticais,
                    const QVariant& perfil, const ProgressoImportacao& progresso) {
    return substituirLinhas(
        conexao, "ponto", idEstacao, verticais,
        QStringLiteral("insert into ponto (Estacao, X, Y, Perfil) values (?, ?, ?, ?)"), progresso,
        [idEstacao, perfil](QSqlQuery& q, const VerticalHidro& v) {
            q.bindValue(0, idEstacao);
            q.bindValue(1, v.distancia);
            q.bindValue(2, v.cota);
            q.bindValue(3, perfil);
        });
}

int atualizarRios(Conexao& conexao, const std::vector<RioHidro>& rios) {
    Transacao transacao(conexao);
    QSqlQuery renomear(conexao.banco());
    QSqlQuery incluir(conexao.banco());
    if (!renomear.prepare(QStringLiteral("update rio set Nome = ? where IdRio = ?")) ||
        !incluir.prepare(QStringLiteral("insert into rio (IdRio, Nome) values (?, ?)")))
        throw ErroBanco(dialeto::textoErro(renomear.lastError()));
    int registro = 0;
    for (const RioHidro& rio : rios) {
        ++registro;
        const QVariant nome = rio.nome.isNull() ? QVariant() : QVariant(cortarNome(rio.nome));
        renomear.bindValue(0, nome);
        renomear.bindValue(1, static_cast<double>(rio.codigo));
        executarRegistro(renomear, registro, QStringLiteral("Rio repetido"));
        if (renomear.numRowsAffected() > 0)
            continue;
        incluir.bindValue(0, static_cast<double>(rio.codigo));
        incluir.bindValue(1, nome);
        executarRegistro(incluir, registro, QStringLiteral("Rio repetido"));
    }
    renomear.finish();
    incluir.finish();
    transacao.confirmar();
    return static_cast<int>(rios.size());
}

}  // namespace lumeno
