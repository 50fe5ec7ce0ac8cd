#include "app/ui/AbrirEstacaoExemplo.h"

#include "analysis/ui/TTelaMedicao.h"
#include "app/ErroLumeno.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "curves/CriteriosExclusao.h"
#include "data/TDM.h"
#include "import/EstacaoExemplo.h"

// The resources live in a static library: they are registered before the first use.
static void registrarRecursosExemplo() {
    Q_INIT_RESOURCE(demonstracao);
}

namespace lumeno {

QString arquivoCopExemplo() {
    registrarRecursosExemplo();
    return QStringLiteral(":/demo/estacao_demo.cop");
}

QString arquivoSecExemplo() {
    registrarRecursosExemplo();
    return QStringLiteral(":/demo/secao_demo.sec");
}

void abrirEstacaoExemplo(Contexto& contexto) {
    TDM& dm = contexto.dm;
    const EstacaoExemplo exemplo =
        importarEstacaoExemplo(dm.conexao(), arquivoCopExemplo(), arquivoSecExemplo());
    if (!exemplo.importada)
        contexto.interacao.mensagem(
            QStringLiteral("A estação %1 já existe neste banco de dados. Ela será aberta como "
                           "está, sem importar os dados de exemplo.")
                .arg(exemplo.codigo),
            QStringLiteral("Abrir estação de exemplo"));

    // The station becomes the current row of the station list and of the station table,
    // as after the station picker of "Ajustar curvas".
    Consulta& estacoes = dm.qu_estacao1;
    estacoes.fechar();
    estacoes.abrir();
    if (!estacoes.localizar(QStringLiteral("IdEstacao"), exemplo.idEstacao))
        throw ErroBanco(QStringLiteral("A estação %1 não foi encontrada.").arg(exemplo.codigo));
    Tabela& estacao = dm.tb_estacao;
    estacao.fechar();
    estacao.definirIndice(QString());
    estacao.abrir();
    estacao.localizar(QStringLiteral("IdEstacao"), exemplo.idEstacao);
    contexto.criterios.LimpaCriterios();

    std::vector<DefinicaoCurva> curvas;
    if (exemplo.medicoes >= 2)
        curvas.push_back(curvaExemplo(dm.conexao(), exemplo.idEstacao));
    TTelaMedicao& tela = *contexto.TelaMedicao;
    tela.MostrarEquacoesAoAbrir = !curvas.empty();
    tela.AbrirComCurvas(std::move(curvas));
}

}  // namespace lumeno
