// Runs whole imports of arbitrary files: the file is written to disk and read back by
// lerArquivo, checked by its reader and stored by the replacing store into a database
// kept in memory (a RAM-backed directory when the system has one). The first byte of the
// input chooses the format (.cop, .rsm or .sec), the rest is the file.
//
// What must hold, besides never crashing or hanging: an import that fails leaves the
// database exactly as it was; one that succeeds leaves the station with exactly the
// file's rows and every other station's rows untouched.
#include "data/Conexao.h"
#include "data/Consulta.h"
#include "data/LocalizacoesBanco.h"
#include "import/GravacaoImportacao.h"
#include "import/LeitorCop.h"
#include "import/LeitorRsm.h"
#include "import/LeitorSec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace lumeno;

namespace {

QString raizEmMemoria() {
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                              : QDir::tempPath();
}

void executar(Conexao& conexao, const QString& sql) {
    Consulta q(conexao);
    q.SQL << sql;
    q.executar();
}

// Every row of the two tables, in key order, as text.
QByteArray conteudo(Conexao& conexao, const QString& filtro = QString()) {
    QByteArray r;
    for (const QString& sql : {QStringLiteral("select * from medida %1 order by id_medida"),
                               QStringLiteral("select * from ponto %1 order by idponto")}) {
        Consulta q(conexao);
        q.SQL << sql.arg(filtro);
        q.abrir();
        for (q.primeiro(); !q.eof(); q.proximo()) {
            for (int c = 0; c < q.nomesCampos().size(); ++c)
                r += q.valor(c).toString().toUtf8() + '|';
            r += '\n';
        }
    }
    return r;
}

int contar(Conexao& conexao, const char* tabela, int estacao) {
    Consulta q(conexao);
    q.SQL << QStringLiteral("select count(*) as total from %1 where estacao = %2")
                 .arg(QLatin1String(tabela))
                 .arg(estacao);
    q.abrir();
    return q.campo(QStringLiteral("total")).comoInteiro();
}

[[noreturn]] void falhar(const char* o_que) {
    std::fprintf(stderr, "fuzz_importacao: %s\n", o_que);
    std::abort();
}

struct Ambiente {
    QTemporaryDir dir{raizEmMemoria() + QStringLiteral("/lumeno-fuzz-XXXXXX")};
    std::unique_ptr<LocalizacoesBanco> localizacoes;
    std::unique_ptr<Conexao> conexao;
    QString arquivo;
    int estacao = 0;
    int outra = 0;
    std::vector<ResumoMedicao> medicoesIniciais;
    std::vector<PontoSecao> pontosIniciais;

    Ambiente() {
        const QString dados = dir.filePath(QStringLiteral("dados"));
        QDir().mkpath(dados);
        localizacoes = std::make_unique<LocalizacoesBanco>(dir.filePath("localizacoes.ini"));
        localizacoes->adicionar(QStringLiteral("Lumeno"), QStringLiteral("STANDARD"),
                                {{QStringLiteral("PATH"), dados}});
        conexao = std::make_unique<Conexao>(*localizacoes);
        arquivo = dir.filePath(QStringLiteral("entrada"));
        executar(*conexao, QStringLiteral("insert into estacao (codigo, descricao) values "
                                          "(58110002, 'Ponte'), (1, 'Outra')"));
        estacao = *estacaoPorCodigo(*conexao, 58110002);
        outra = *estacaoPorCodigo(*conexao, 1);
        for (int i = 1; i <= 3; ++i) {
            ResumoMedicao m;
            m.numero = i;
            m.data = QDate(1999, 1, i);
            m.cota = 100 * i;
            m.vazao = 10 * i;
            medicoesIniciais.push_back(m);
            pontosIniciais.push_back({double(i), 500.0 - i});
        }
        restaurar(estacao);
        restaurar(outra);
    }

    // The station's rows as they were before the first input.
    void restaurar(int id) {
        gravarMedicoes(*conexao, id, medicoesIniciais);
        gravarPontos(*conexao, id, pontosIniciais);
    }
};

Ambiente* ambiente = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    ambiente = new Ambiente;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    if (tamanho == 0)
        return 0;
    Ambiente& a = *ambiente;
    {
        QFile f(a.arquivo);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            falhar("não foi possível escrever o arquivo de entrada");
        f.write(reinterpret_cast<const char*>(dados + 1), static_cast<qint64>(tamanho - 1));
    }
    const int formato = dados[0] % 3;
    const QByteArray antes = conteudo(*a.conexao);
    const QByteArray outraAntes =
        conteudo(*a.conexao, QStringLiteral("where estacao = %1").arg(a.outra));
    int esperados = -1;
    int gravados = -1;
    int id = a.estacao;
    try {
        const QByteArray arquivo = lerArquivo(a.arquivo);
        // The file's station when it is one of ours, else the first one.
        const auto destino = [&](int codigo) {
            const auto achada = estacaoPorCodigo(*a.conexao, codigo);
            return achada && *achada == a.outra ? a.outra : a.estacao;
        };
        const char* tabela = "medida";
        if (formato == 0) {
            const ArquivoCop c = LeitorCop::ler(arquivo);
            id = destino(c.codigo);
            esperados = int(c.medicoes.size());
            gravados = gravarMedicoes(*a.conexao, id, c.medicoes);
        } else if (formato == 1) {
            const ArquivoRsm r = LeitorRsm::ler(arquivo);
            id = destino(r.codigo);
            esperados = int(r.medicoes.size());
            gravados = gravarMedicoes(*a.conexao, id, r.medicoes);
        } else {
            const ArquivoSec s = LeitorSec::ler(arquivo);
            id = destino(s.codigo);
            esperados = int(s.pontos.size());
            gravados = gravarPontos(*a.conexao, id, s.pontos);
            tabela = "ponto";
        }
        if (contar(*a.conexao, tabela, id) != esperados)
            falhar("a estação não tem exatamente as linhas do arquivo");
    } catch (const ErroLumeno&) {
        if (conteudo(*a.conexao) != antes)
            falhar("uma importação recusada mudou o banco de dados");
        if (a.conexao->emTransacao())
            falhar("uma importação recusada deixou a transação aberta");
        return 0;
    }
    if (gravados != esperados)
        falhar("o total informado difere do total gravado");
    if (a.conexao->emTransacao())
        falhar("uma importação deixou a transação aberta");
    if (id == a.estacao &&
        conteudo(*a.conexao, QStringLiteral("where estacao = %1").arg(a.outra)) != outraAntes)
        falhar("a importação mudou as linhas de outra estação");
    a.restaurar(id);
    return 0;
}
