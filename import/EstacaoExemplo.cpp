#include "import/EstacaoExemplo.h"

#include "curves/CriteriosAjuste.h"
#include "data/Conexao.h"
#include "data/Consulta.h"
#include "import/GravacaoImportacao.h"
#include "import/LeitorCop.h"
#include "import/LeitorSec.h"

#include <optional>

namespace lumeno {

namespace {

constexpr std::uint32_t azul = 0x00FF0000;  // 0x00BBGGRR

void executar(Conexao& conexao, const QString& sql, int idEstacao) {
    Consulta q(conexao);
    q.SQL << sql;
    q.definirParametro(QStringLiteral("est"), idEstacao);
    q.executar();
}

// Undoes a station created here whose rows could not all be stored, with the river
// added for it.
void removerEstacao(Conexao& conexao, int idEstacao, std::optional<int> rioNovo) noexcept {
    try {
        executar(conexao, QStringLiteral("delete from ponto where estacao = :est"), idEstacao);
        executar(conexao, QStringLiteral("delete from medida where estacao = :est"), idEstacao);
        executar(conexao, QStringLiteral("delete from estacao where IdEstacao = :est"), idEstacao);
        if (rioNovo)
            executar(conexao, QStringLiteral("delete from rio where IdRio = :est"), *rioNovo);
    } catch (...) {
        // The error that made the import fail is the one to report.
    }
}

std::optional<int> procurarRio(Conexao& conexao, const QString& nome) {
    const QString procurado = nome.trimmed();
    Consulta rios(conexao);
    rios.SQL << QStringLiteral("select IdRio, Nome from rio order by IdRio");
    rios.abrir();
    for (rios.primeiro(); !rios.eof(); rios.proximo())
        if (rios.campo(QStringLiteral("Nome"))
                .comoTexto()
                .trimmed()
                .compare(procurado, Qt::CaseInsensitive) == 0)
            return rios.campo(QStringLiteral("IdRio")).comoInteiro();
    return std::nullopt;
}

int adicionarRio(Conexao& conexao, const QString& nome) {
    Consulta novo(conexao);
    novo.SQL << QStringLiteral(
        "insert into rio (IdRio, Nome) values ((select coalesce(max(IdRio), "
        "0) + 1 from rio), :nome)");
    novo.definirParametro(QStringLiteral("nome"), nome.trimmed().left(30));
    novo.executar();
    Consulta id(conexao);
    id.SQL << QStringLiteral("select max(IdRio) as id from rio");
    id.abrir();
    return id.campo(QStringLiteral("id")).comoInteiro();
}

}  // namespace

int rioPorNome(Conexao& conexao, const QString& nome) {
    if (const auto id = procurarRio(conexao, nome))
        return *id;
    return adicionarRio(conexao, nome);
}

EstacaoExemplo importarEstacaoExemplo(Conexao& conexao, const QString& arquivoCop,
                                      const QString& arquivoSec) {
    const ArquivoCop cop = LeitorCop::ler(lerArquivo(arquivoCop));
    const ArquivoSec sec = LeitorSec::ler(lerArquivo(arquivoSec));
    if (cop.codigo != sec.codigo)
        throw ErroImportacao(
            QStringLiteral("Os arquivos da estação de exemplo são de estações diferentes (%1 e "
                           "%2); nada foi importado.")
                .arg(cop.codigo)
                .arg(sec.codigo));

    EstacaoExemplo r;
    r.codigo = cop.codigo;
    if (const auto existente = estacaoPorCodigo(conexao, cop.codigo)) {
        r.idEstacao = *existente;
        r.medicoes = contarMedicoes(conexao, r.idEstacao);
        r.pontos = contarPontos(conexao, r.idEstacao);
        return r;
    }

    const auto rioExistente = procurarRio(conexao, EstacaoExemplo::nomeRio);
    int rio = 0;
    {
        Transacao transacao(conexao);
        rio = rioExistente ? *rioExistente : adicionarRio(conexao, EstacaoExemplo::nomeRio);
        Consulta estacao(conexao);
        estacao.SQL << QStringLiteral(
            "insert into estacao (Codigo, Descricao, Rio) values (:codigo, :descricao, :rio)");
        estacao.definirParametro(QStringLiteral("codigo"), cop.codigo);
        estacao.definirParametro(QStringLiteral("descricao"), EstacaoExemplo::descricao);
        estacao.definirParametro(QStringLiteral("rio"), rio);
        estacao.executar();
        transacao.confirmar();
    }
    const auto id = estacaoPorCodigo(conexao, cop.codigo);
    if (!id)
        throw ErroBanco(QStringLiteral("A estação %1 não foi gravada.").arg(cop.codigo));
    r.idEstacao = *id;
    try {
        r.medicoes = gravarMedicoes(conexao, r.idEstacao, cop.medicoes);
        r.pontos = gravarPontos(conexao, r.idEstacao, sec.pontos);
    } catch (...) {
        removerEstacao(conexao, r.idEstacao, rioExistente ? std::nullopt : std::optional(rio));
        throw;
    }
    r.importada = true;
    return r;
}

DefinicaoCurva curvaExemplo(Conexao& conexao, int idEstacao) {
    DefinicaoCurva d;
    d.Condicao = condicaoCurva({}, idEstacao, 1);
    d.Descricao = QStringLiteral("todas as medições");
    d.Algoritmo = 1;
    d.Cor = azul;
    Consulta padrao(conexao);
    padrao.SQL << QStringLiteral("select cor, algoritmo, parm from curva_default where trecho = 1");
    padrao.abrir();
    if (!padrao.vazio()) {
        d.Cor = static_cast<std::uint32_t>(padrao.campo(QStringLiteral("cor")).comoReal());
        if (padrao.campo(QStringLiteral("algoritmo")).comoInteiro() == 1)
            d.Parametro = padrao.campo(QStringLiteral("parm")).comoInteiro();
    }
    return d;
}

}  // namespace lumeno
