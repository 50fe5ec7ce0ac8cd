#include "import/GravacaoImportacao.h"

#include "app/ErroLumeno.h"
#include "data/Conexao.h"
#include "data/Consulta.h"
#include "data/Dialeto.h"

#include <QSqlError>
#include <QSqlQuery>

namespace lumeno {

void apagarDaEstacao(Conexao& conexao, const char* tabela, int idEstacao) {
    Consulta q(conexao);
    q.SQL << QStringLiteral("delete from %1 where estacao = :est").arg(QLatin1String(tabela));
    q.definirParametro(QStringLiteral("est"), idEstacao);
    q.executar();
}

void executarRegistro(QSqlQuery& q, int registro, const QString& repetido) {
    if (q.exec())
        return;
    const QSqlError erro = q.lastError();
    if (dialeto::violacaoChave(erro))
        throw ErroViolacaoChave(
            QStringLiteral("%1; nada foi importado (registro %2)").arg(repetido).arg(registro));
    throw ErroBanco(QStringLiteral("%1 (registro %2)").arg(dialeto::textoErro(erro)).arg(registro));
}

std::optional<int> estacaoPorCodigo(Conexao& conexao, int codigo) {
    Consulta q(conexao);
    q.SQL << QStringLiteral("select IdEstacao from estacao where codigo = :codigo");
    q.definirParametro(QStringLiteral("codigo"), codigo);
    q.abrir();
    if (q.vazio())
        return std::nullopt;
    return q.campo(QStringLiteral("IdEstacao")).comoInteiro();
}

namespace {
int contar(Conexao& conexao, const char* tabela, int idEstacao, const QString& filtro = {}) {
    Consulta q(conexao);
    q.SQL << QStringLiteral("select count(*) as total from %1 where estacao = :est")
                     .arg(QLatin1String(tabela)) +
                 filtro;
    q.definirParametro(QStringLiteral("est"), idEstacao);
    q.abrir();
    return q.campo(QStringLiteral("total")).comoInteiro();
}

// The question in the words of its kind: `um` and `varios` name what is replaced
// ("medição", "medições"), `fem` tells the gender of the agreeing words.
QString pergunta(int codigo, int existentes, int novas, const QString& um, const QString& varios,
                 bool fem) {
    const QString quantos = existentes == 1
                                ? QStringLiteral("1 ") + um
                                : QString::number(existentes) + QLatin1Char(' ') + varios;
    QString destino;
    if (novas == 0) {
        destino = (existentes == 1 ? (fem ? QStringLiteral("que será apagada")
                                          : QStringLiteral("que será apagado"))
                                   : (fem ? QStringLiteral("que serão apagadas")
                                          : QStringLiteral("que serão apagados"))) +
                  (fem ? QStringLiteral(": o arquivo não traz nenhuma")
                       : QStringLiteral(": o arquivo não traz nenhum"));
    } else {
        destino = existentes == 1 ? (fem ? QStringLiteral("que será substituída")
                                         : QStringLiteral("que será substituído"))
                                  : (fem ? QStringLiteral("que serão substituídas")
                                         : QStringLiteral("que serão substituídos"));
        const QString pelos = novas == 1
                                  ? (fem ? QStringLiteral("pela") : QStringLiteral("pelo"))
                                  : (fem ? QStringLiteral("pelas") : QStringLiteral("pelos"));
        destino += QStringLiteral(" %1 %2 do arquivo").arg(pelos).arg(novas);
    }
    return QStringLiteral("A estação %1 já tem %2, %3. Continuar?")
        .arg(codigo)
        .arg(quantos, destino);
}
}  // namespace

int contarMedicoes(Conexao& conexao, int idEstacao) {
    return contar(conexao, "medida", idEstacao, QStringLiteral(" and ponto_obrigatorio = 0"));
}

int contarPontos(Conexao& conexao, int idEstacao) {
    return contar(conexao, "ponto", idEstacao);
}

QString perguntaSubstituicao(int codigo, int existentes, int novas) {
    return pergunta(codigo, existentes, novas, QStringLiteral("medição"),
                    QStringLiteral("medições"), true);
}

QString perguntaSubstituicaoPontos(int codigo, int existentes, int novas) {
    return pergunta(codigo, existentes, novas, QStringLiteral("ponto de seção"),
                    QStringLiteral("pontos de seção"), false);
}

int gravarMedicoes(Conexao& conexao, int idEstacao, const std::vector<ResumoMedicao>& medicoes,
                   const ProgressoImportacao& progresso) {
    return substituirLinhas(
        conexao, "medida", idEstacao, medicoes,
        QStringLiteral("insert into medida (Estacao, Data, Numero, Cota, Vazao, Velocidade, Area, "
                       "Ponto_obrigatorio) values (?, ?, ?, ?, ?, ?, ?, 0)"),
        progresso, [idEstacao](QSqlQuery& q, const ResumoMedicao& m) {
            q.bindValue(0, idEstacao);
            q.bindValue(1, m.data);
            q.bindValue(2, m.numero);
            q.bindValue(3, m.cota);
            q.bindValue(4, m.vazao);
            q.bindValue(5, m.velocidade);
            q.bindValue(6, m.area);
        });
}

int gravarPontos(Conexao& conexao, int idEstacao, const std::vector<PontoSecao>& pontos,
                 const ProgressoImportacao& progresso) {
    return substituirLinhas(conexao, "ponto", idEstacao, pontos,
                            QStringLiteral("insert into ponto (Estacao, X, Y) values (?, ?, ?)"),
                            progresso, [idEstacao](QSqlQuery& q, const PontoSecao& p) {
                                q.bindValue(0, idEstacao);
                                q.bindValue(1, p.x);
                                q.bindValue(2, p.y);
                            });
}

}  // namespace lumeno
