#include "import/ui/ImportadorHidro.h"

#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "data/TDM.h"
#include "editing/ui/TDigitarEstacao.h"
#include "import/ImportacaoHidro.h"
#include "import/LeitorHidroWeb.h"
#include "import/LeitorMdbProcesso.h"
#include "import/ui/TImportaDados.h"
#include "import/ui/TMostrarEstacoesHidro.h"
#include "import/ui/TMostrarPerfisHidro.h"
#include "import/ui/TfrmConfigImport.h"

namespace lumeno {

ImportadorHidro::ImportadorHidro(Contexto& contexto, QWidget* pai)
    : MostrarEstacoesHidro(new TMostrarEstacoesHidro(pai)),
      frmConfigImport(new TfrmConfigImport(pai)),
      MostrarPerfisHidro(new TMostrarPerfisHidro(pai)),
      executavelLeitor(LeitorMdbProcesso::executavelPadrao()),
      contexto_(contexto) {}

void ImportadorHidro::ImportaDadosMDB(const QString& FileName) {
    LeitorMdbProcesso leitor(FileName, executavelLeitor);
    FonteHidro fonte = FonteHidro::doAccess(leitor, FonteHidro::Uso::Medicoes);
    if (const auto estacoes = escolherEstacoes(fonte))
        importarMedicoes(fonte, *estacoes);
}

void ImportadorHidro::ImportaDadosSecaoMDB(const QString& FileName) {
    LeitorMdbProcesso leitor(FileName, executavelLeitor);
    FonteHidro fonte = FonteHidro::doAccess(leitor, FonteHidro::Uso::Secoes);
    if (const auto estacoes = escolherEstacoes(fonte))
        importarSecoes(fonte, *estacoes);
}

void ImportadorHidro::ImportaDadosRio(const QString& FileName) {
    LeitorMdbProcesso leitor(FileName, executavelLeitor);
    FonteHidro fonte = FonteHidro::doAccess(leitor, FonteHidro::Uso::Rios);
    atualizarRios(contexto_.dm.conexao(), fonte.rios());
    contexto_.interacao.mensagem(QStringLiteral("Dados atualizados!"), QString());
}

void ImportadorHidro::ImportaMedicoesHidroWeb(const QString& FileName) {
    FonteHidro fonte =
        FonteHidro::deTabelas(FileName, LeitorHidroWeb::ler(FileName, ConteudoHidroWeb::Medicoes));
    if (const auto estacoes = escolherEstacoes(fonte))
        importarMedicoes(fonte, *estacoes);
}

void ImportadorHidro::ImportaSecaoHidroWeb(const QString& FileName) {
    FonteHidro fonte =
        FonteHidro::deTabelas(FileName, LeitorHidroWeb::ler(FileName, ConteudoHidroWeb::Perfis));
    if (const auto estacoes = escolherEstacoes(fonte))
        importarSecoes(fonte, *estacoes);
}

std::optional<std::vector<EstacaoHidro>> ImportadorHidro::escolherEstacoes(FonteHidro& fonte) {
    std::vector<EstacaoHidro> estacoes = fonte.estacoes();
    if (estacoes.empty())
        throw ErroImportacao(mensagemArquivo(
            fonte.arquivo(), fonte.doArquivoAccess()
                                 ? QStringLiteral("não tem nenhuma estação com rio e com "
                                                  "medições ou perfis; nada foi importado.")
                                 : QStringLiteral("não tem nenhuma linha de dados; nada foi "
                                                  "importado.")));
    // A download of one station needs no choice; an Access file always shows its list.
    if (estacoes.size() == 1 && !fonte.doArquivoAccess())
        return estacoes;
    MostrarEstacoesHidro->setWindowTitle(fonte.arquivo());
    MostrarEstacoesHidro->carregar(estacoes);
    contexto_.interacao.executar(*MostrarEstacoesHidro);
    if (!MostrarEstacoesHidro->Confirmado)
        return std::nullopt;
    return MostrarEstacoesHidro->marcadas();
}

std::optional<int> ImportadorHidro::estacaoLocal(const EstacaoHidro& e) {
    Conexao& conexao = contexto_.dm.conexao();
    if (const auto id = estacaoPorCodigo(conexao, e.codigo))
        return id;
    Tabela& estacao = contexto_.dm.tb_estacao;
    estacao.abrir();
    estacao.anexar();
    estacao.definirValor(QStringLiteral("Codigo"), e.codigo);
    estacao.definirValor(QStringLiteral("Descricao"),
                         e.nome.isEmpty()
                             ? QStringLiteral("Estação código %1").arg(e.codigo).left(23)
                             : cortarNome(e.nome));
    if (!e.rioCodigo.isNull())
        estacao.definirValor(QStringLiteral("Rio"), e.rioCodigo.toDouble());
    contexto_.DigitarEstacao->setWindowTitle(QStringLiteral("Inserir nova estação"));
    contexto_.DigitarEstacao->definirCodigoSomenteLeitura(true);
    contexto_.interacao.executar(*contexto_.DigitarEstacao);
    // Whatever was not posted (cancel, a refused record) leaves no station behind.
    estacao.cancelar();
    if (!contexto_.DigitarEstacao->Confirmado)
        return std::nullopt;
    return estacaoPorCodigo(conexao, e.codigo);
}

void ImportadorHidro::importarMedicoes(FonteHidro& fonte,
                                       const std::vector<EstacaoHidro>& estacoes) {
    Interacao& interacao = contexto_.interacao;
    Conexao& conexao = contexto_.dm.conexao();
    for (const EstacaoHidro& e : estacoes) {
        const auto id = estacaoLocal(e);
        if (!id)
            return;
        frmConfigImport->definirEstacao(e.codigo);
        interacao.executar(*frmConfigImport);
        const std::vector<MedicaoHidro> linhas =
            fonte.medicoes(e.codigo, frmConfigImport->filtro());
        if (linhas.empty()) {
            interacao.mensagem(QStringLiteral("Sem registros para a estação"), QString());
            continue;
        }
        const PreparoMedicoes preparo = prepararMedicoes(linhas);
        const QString aviso = preparo.aviso(e.codigo);
        if (preparo.medicoes.empty()) {
            // Nothing storable: the station keeps what it had.
            interacao.mensagem(aviso, QString::number(e.codigo));
            continue;
        }
        const int existentes = contarMedicoes(conexao, *id);
        if (existentes > 0 && !interacao.pergunta(perguntaSubstituicao(
                                  e.codigo, existentes, static_cast<int>(preparo.medicoes.size()))))
            continue;
        contexto_.ImportaDados->avancar(0);
        gravarMedicoesHidro(conexao, *id, preparo.medicoes,
                            [this](int p) { contexto_.ImportaDados->avancar(p); });
        if (!aviso.isEmpty())
            interacao.mensagem(aviso, QString::number(e.codigo));
    }
}

void ImportadorHidro::importarSecoes(FonteHidro& fonte, const std::vector<EstacaoHidro>& estacoes) {
    Interacao& interacao = contexto_.interacao;
    Conexao& conexao = contexto_.dm.conexao();
    for (const EstacaoHidro& e : estacoes) {
        const auto id = estacaoLocal(e);
        if (!id)
            return;
        const std::vector<PerfilHidro> perfis = fonte.perfis(e.codigo);
        if (perfis.empty()) {
            interacao.mensagem(
                QStringLiteral("Não há perfis de seção para uma das estações selecionadas!"),
                QString());
            return;
        }
        MostrarPerfisHidro->carregar(e.codigo, perfis);
        interacao.executar(*MostrarPerfisHidro);
        if (!MostrarPerfisHidro->Escolhido)
            return;
        const PerfilHidro& perfil =
            perfis[static_cast<size_t>(MostrarPerfisHidro->indiceEscolhido)];
        const std::vector<VerticalHidro> verticais = fonte.verticais(e.codigo, perfil.registroId);
        const int existentes = contarPontos(conexao, *id);
        if (existentes > 0 && !interacao.pergunta(perguntaSubstituicaoPontos(
                                  e.codigo, existentes, static_cast<int>(verticais.size()))))
            continue;
        contexto_.ImportaDados->avancar(0);
        gravarVerticais(conexao, *id, verticais, perfil.identificador,
                        [this](int p) { contexto_.ImportaDados->avancar(p); });
    }
}

}  // namespace lumeno
