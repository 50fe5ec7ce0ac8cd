#include "app/ui/TInicial.h"

#include "analysis/ui/TGraficos.h"
#include "analysis/ui/TTelaMedicao.h"
#include "analysis/ui/TfrmDadosEstacao.h"
#include "app/Configuracao.h"
#include "app/ErroLumeno.h"
#include "app/ui/AbrirEstacaoExemplo.h"
#include "app/ui/Comando.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "app/ui/TAboutBox.h"
#include "app/ui/TSelecionarEstacao.h"
#include "app/ui/TfrmDigitarData.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/EditorNumero.h"
#include "curves/ui/TAjusteFixo.h"
#include "curves/ui/TAjusteFixoGeral.h"
#include "curves/ui/TCriterioExclusao.h"
#include "curves/ui/TDigitarParametrosCurva.h"
#include "curves/ui/TDigitarPontoObrigatorio.h"
#include "curves/ui/TMostrarPontosExtrapolados.h"
#include "curves/ui/TfrmDadosDefaultCurva.h"
#include "curves/ui/TfrmDefaultCurvas.h"
#include "curves/ui/TfrmParmsCurva.h"
#include "data/LocalizacoesBanco.h"
#include "data/TDM.h"
#include "editing/ui/TControleEstacao.h"
#include "editing/ui/TDigitarCodigoEstacao.h"
#include "editing/ui/TDigitarEstacao.h"
#include "editing/ui/TDigitarMedicao.h"
#include "editing/ui/TDigitarPontoSecao.h"
#include "editing/ui/TDigitarSecao.h"
#include "editing/ui/TMedicoesEstacao.h"
#include "hydraulics/ui/TDadosCotaExtrapolacao.h"
#include "hydraulics/ui/TDigitarKManning.h"
#include "import/GravacaoImportacao.h"
#include "import/LeitorCop.h"
#include "import/LeitorRsm.h"
#include "import/LeitorSec.h"
#include "import/ui/ImportadorHidro.h"
#include "import/ui/TImportaDados.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace lumeno {

namespace {
const QString nomeLocalizacao = QStringLiteral("Lumeno");
const QString tituloPasta = QStringLiteral("Escolha o diretório de dados:");
}  // namespace

TInicial::TInicial(Interacao& interacao, TDM& dm, LocalizacoesBanco& localizacoes,
                   Configuracao& configuracao, QWidget* pai)
    : QMainWindow(pai),
      contexto_(interacao, dm, criterios_),
      localizacoes_(localizacoes),
      configuracao_(configuracao) {
    setWindowTitle(QStringLiteral("Lumeno para Windows"));
    setAttribute(Qt::WA_AlwaysShowToolTips);
    criarMenu();
    setCentralWidget(criarFundo());
    pnlDiretorio = new QLabel(this);
    pnlDiretorio->setFixedWidth(400);
    statusBar()->addWidget(pnlDiretorio);
    resize(900, 600);

    contexto_.SelecionarEstacao = new TSelecionarEstacao(interacao, dm, this);
    contexto_.frmDigitarNumero = new TfrmDigitarNumero(interacao, this);
    contexto_.frmDigitarData = new TfrmDigitarData(this);
    contexto_.AboutBox = new TAboutBox(this);
    contexto_.DigitarEstacao = new TDigitarEstacao(contexto_, this);
    contexto_.DigitarCodigoEstacao = new TDigitarCodigoEstacao(contexto_, this);
    contexto_.ControleEstacao = new TControleEstacao(contexto_, this);
    contexto_.DigitarMedicao = new TDigitarMedicao(contexto_, this);
    contexto_.MedicoesEstacao = new TMedicoesEstacao(contexto_, *contexto_.DigitarMedicao, this);
    contexto_.MostrarPontosExtrapolados = new TMostrarPontosExtrapolados(contexto_, this);
    contexto_.dadosEstacao = &dadosEstacao_;
    contexto_.TelaMedicao = new TTelaMedicao(contexto_, dadosEstacao_, this);
    contexto_.frmDadosEstacao =
        new TfrmDadosEstacao(contexto_, dadosEstacao_, *contexto_.TelaMedicao);
    contexto_.DadosCotaExtrapolacao = new TDadosCotaExtrapolacao(contexto_, this);
    contexto_.DigitarKManning = new TDigitarKManning(this);
    contexto_.ImportaDados = new TImportaDados(this);
    importadorHidro_ = std::make_unique<ImportadorHidro>(contexto_, this);
    auto* pontoObrigatorio = new TDigitarPontoObrigatorio(interacao, this);
    contexto_.frmParmsCurva = new TfrmParmsCurva(contexto_, *pontoObrigatorio, this);
    contexto_.CriterioExclusao = new TCriterioExclusao(interacao, criterios_, this);
    contexto_.AjusteFixo = new TAjusteFixo(contexto_, this);
    auto* parametrosCurva = new TDigitarParametrosCurva(interacao, this);
    contexto_.AjusteFixoGeral = new TAjusteFixoGeral(contexto_, *parametrosCurva, this);
    auto* pontoSecao = new TDigitarPontoSecao(contexto_, this);
    auto* digitarSecao = new TDigitarSecao(contexto_, *pontoSecao, this);
    auto* mostrarSecao = new TMostrarSecao(contexto_, this);
    contexto_.abrirSecao = [this, digitarSecao] { contexto_.interacao.executar(*digitarSecao); };
    contexto_.mostrarSecao = [mostrarSecao] { mostrarSecao->Mostrar(); };
    contexto_.fecharVistaSecao = [mostrarSecao] { mostrarSecao->hide(); };
    contexto_.abrirAjusteCurvas = [this](int idEstacao) {
        contexto_.TelaMedicao->Abrir(idEstacao);
    };
    auto* graficos = new TGraficos(contexto_, this);
    contexto_.abrirAnaliseDados = [graficos] { graficos->Abrir(); };
    auto* dadosDefault = new TfrmDadosDefaultCurva(contexto_, this);
    auto* defaultCurvas = new TfrmDefaultCurvas(contexto_, *dadosDefault, this);
    contexto_.abrirDefaultCurvas = [this, defaultCurvas] {
        contexto_.interacao.executar(*defaultCurvas);
    };
    contexto_.abrirMedicoes = [this](const QString& titulo) {
        contexto_.MedicoesEstacao->setWindowTitle(titulo);
        contexto_.interacao.executar(*contexto_.MedicoesEstacao);
    };
}

TInicial::~TInicial() = default;

void TInicial::criarMenu() {
    QMenu* arquivo = menuBar()->addMenu(QStringLiteral("&Arquivo"));
    QMenu* importar = arquivo->addMenu(QStringLiteral("&Importar dados"));
    QMenu* resumo = importar->addMenu(QStringLiteral("&Resumo de medições"));
    DNAEEsec1 = resumo->addAction(QStringLiteral("DNAEE (*.rsm)"));
    Hidrologiacop1 = resumo->addAction(QStringLiteral("Texto (*.cop)"));
    Hidromdb1 = resumo->addAction(QStringLiteral("Hidro (*.mdb)"));
    HidroWeb1 = resumo->addAction(QStringLiteral("HidroWeb (*.zip, *.csv)"));
    QMenu* secao = importar->addMenu(QStringLiteral("&Seção Transversal"));
    Hidrologiasec1 = secao->addAction(QStringLiteral("&Texto (*.sec)"));
    Hidromdb2 = secao->addAction(QStringLiteral("Hidro (*.mdb)"));
    HidroWeb2 = secao->addAction(QStringLiteral("HidroWeb (*.zip, *.csv)"));
    importar->addSeparator();
    TabeladeriosHidro1 = importar->addAction(QStringLiteral("Tabela de rios (Hidro)"));
    QMenu* editar = arquivo->addMenu(QStringLiteral("&Editar"));
    mniCriarEstacao = editar->addAction(QStringLiteral("&Criar estação"));
    mniResumoMedicoes = editar->addAction(QStringLiteral("&Resumo de medições"));
    mniSecaoTransversal = editar->addAction(QStringLiteral("&Seção transversal"));
    editar->addSeparator();
    mniLocalizacaoDados = editar->addAction(QStringLiteral("Localização de dados"));
    arquivo->addSeparator();
    mniFechar = arquivo->addAction(QStringLiteral("&Fechar"));

    QMenu* analisar = menuBar()->addMenu(QStringLiteral("A&nalisar dados"));
    mniAvaliarTrechos = analisar->addAction(QStringLiteral("Avaliar trechos"));
    mniAjustarCurvas = analisar->addAction(QStringLiteral("A&justar curvas"));

    QMenu* banco = menuBar()->addMenu(QStringLiteral("&Banco de estações"));
    mniMedicoesSecoes = banco->addAction(QStringLiteral("&Medições e Seções"));

    QMenu* ajuda = menuBar()->addMenu(QStringLiteral("&?"));
    mniEstacaoExemplo = ajuda->addAction(QStringLiteral("Abrir estação de exemplo"));
    ajuda->addSeparator();
    mniSobre = ajuda->addAction(QStringLiteral("&Sobre . . ."));

    Interacao& interacao = contexto_.interacao;
    connect(Hidrologiacop1, &QAction::triggered, this,
            comando(interacao, [this] { Hidrologiacop1Click(); }));
    connect(Hidrologiasec1, &QAction::triggered, this,
            comando(interacao, [this] { Hidrologiasec1Click(); }));
    connect(DNAEEsec1, &QAction::triggered, this, comando(interacao, [this] { DNAEEsec1Click(); }));
    connect(Hidromdb1, &QAction::triggered, this, comando(interacao, [this] { Hidromdb1Click(); }));
    connect(Hidromdb2, &QAction::triggered, this, comando(interacao, [this] { Hidromdb2Click(); }));
    connect(TabeladeriosHidro1, &QAction::triggered, this,
            comando(interacao, [this] { TabeladeriosHidro1Click(); }));
    connect(HidroWeb1, &QAction::triggered, this, comando(interacao, [this] { HidroWeb1Click(); }));
    connect(HidroWeb2, &QAction::triggered, this, comando(interacao, [this] { HidroWeb2Click(); }));

    connect(mniCriarEstacao, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { CriarEstacaoClick(); }));
    connect(mniResumoMedicoes, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { contexto_.MedicoesEstacao->AbrirPeloMenu(); }));
    connect(mniAjustarCurvas, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { AjustarCurvasClick(); }));
    connect(mniAvaliarTrechos, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { AvaliarTrechosClick(); }));
    connect(mniSecaoTransversal, &QAction::triggered, this, comando(contexto_.interacao, [this] {
                if (SelecionarEstacao())
                    contexto_.abrirSecao();
            }));
    connect(mniMedicoesSecoes, &QAction::triggered, this, comando(contexto_.interacao, [this] {
                contexto_.interacao.executar(*contexto_.ControleEstacao);
            }));
    connect(mniLocalizacaoDados, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { LocalizacaoDadosClick(); }));
    connect(mniFechar, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { close(); }));
    connect(mniEstacaoExemplo, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { abrirEstacaoExemplo(contexto_); }));
    connect(mniSobre, &QAction::triggered, this, comando(contexto_.interacao, [this] {
                contexto_.interacao.executar(*contexto_.AboutBox);
            }));
}

QWidget* TInicial::criarFundo() {
    auto* fundo = new QWidget(this);
    auto* layout = new QVBoxLayout(fundo);
    layout->addStretch();

    auto* titulo = new QLabel(QStringLiteral("Lumeno"), fundo);
    QFont fonte(QStringLiteral("Times New Roman"));
    fonte.setPixelSize(80);
    fonte.setBold(true);
    titulo->setFont(fonte);
    titulo->setStyleSheet(QStringLiteral("color: navy"));
    titulo->setAlignment(Qt::AlignCenter);
    layout->addWidget(titulo);
    auto* subtitulo = new QLabel(QStringLiteral("Ajuste e extrapolação de Lumeno"), fundo);
    QFont fonteSub(QStringLiteral("Times New Roman"));
    fonteSub.setPixelSize(22);
    fonteSub.setItalic(true);
    subtitulo->setFont(fonteSub);
    subtitulo->setStyleSheet(QStringLiteral("color: navy"));
    subtitulo->setAlignment(Qt::AlignCenter);
    layout->addWidget(subtitulo);

    auto* creditos = new QWidget(fundo);
    auto* linha = new QHBoxLayout(creditos);
    linha->addStretch();
    auto* figura = new QLabel(creditos);
    figura->setPixmap(figuraEstacao(2).pixmap(32, 32));
    linha->addWidget(figura);
    linha->addWidget(
        new QLabel(QStringLiteral("Curvas-chave de estações fluviométricas"), creditos));
    linha->addStretch();
    layout->addSpacing(24);
    layout->addWidget(creditos);
    layout->addStretch();
    return fundo;
}

void TInicial::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!Configurado)
        executarComando(contexto_.interacao, [this] { ConfigurarInicio(); });
}

void TInicial::ConfigurarInicio() {
    QString pasta = configuracao_.lerPasta(QStringLiteral("ERROR"));
    if (pasta == QLatin1String("ERROR")) {
        contexto_.interacao.mensagem(
            QStringLiteral("É necessário configurar a localização do banco de dados da aplicação!"),
            QStringLiteral("Erro"));
        // The browser opens on a suggested folder, so that "OK" alone gives a database.
        const auto escolhida =
            contexto_.interacao.escolherPasta(tituloPasta, Configuracao::pastaSugerida());
        if (!escolhida) {
            // Without a data directory the program ends; nothing was changed.
            QTimer::singleShot(0, this, &QWidget::close);
            return;
        }
        pasta = *escolhida;
        // The suggested folder is made when it is chosen.
        if (!QDir().mkpath(pasta))
            throw ErroLumeno(QStringLiteral("Não foi possível criar o diretório de dados %1.")
                                 .arg(QDir::toNativeSeparators(pasta)),
                             QStringLiteral("Erro"));
        configuracao_.gravarPasta(pasta);
    }
    recriarLocalizacao(localizacoes_, nomeLocalizacao, pasta);
    pnlDiretorio->setText(pasta);
    Configurado = true;
    update();
    // The database is opened (or created, in a new directory) now, so that a directory
    // that cannot serve is reported at once.
    contexto_.dm.conexao().garantirConexao();
}

void TInicial::LocalizacaoDadosClick() {
    const auto escolhida = contexto_.interacao.escolherPasta(tituloPasta, QString());
    if (!escolhida)
        return;
    configuracao_.gravarPasta(*escolhida);
    Configurado = false;
    contexto_.dm.desconectar();
    ConfigurarInicio();
}

void TInicial::CriarEstacaoClick() {
    Tabela& estacao = contexto_.dm.tb_estacao;
    estacao.abrir();
    contexto_.interacao.executar(*contexto_.DigitarCodigoEstacao);
    if (!contexto_.DigitarCodigoEstacao->Confirmado)
        return;
    estacao.anexar();
    estacao.definirValor(QStringLiteral("Codigo"),
                         contexto_.DigitarCodigoEstacao->edCodigo->valorInteiro());
    contexto_.interacao.executar(*contexto_.DigitarEstacao);
    estacao.cancelar();
}

std::optional<int> TInicial::estacaoDaImportacao(int codigo, const QString& textoCodigo,
                                                 const QString& titulo, bool procurar) {
    if (procurar)
        if (const auto id = estacaoPorCodigo(contexto_.dm.conexao(), codigo))
            return id;
    Tabela& estacao = contexto_.dm.tb_estacao;
    estacao.abrir();
    estacao.anexar();
    estacao.definirValor(QStringLiteral("Codigo"), codigo);
    estacao.definirValor(QStringLiteral("Descricao"),
                         (QStringLiteral("Estação código ") + textoCodigo).left(23));
    contexto_.DigitarEstacao->setWindowTitle(titulo);
    contexto_.interacao.executar(*contexto_.DigitarEstacao);
    estacao.cancelar();
    if (!contexto_.DigitarEstacao->Confirmado)
        return std::nullopt;
    return estacao.campo(QStringLiteral("IdEstacao")).comoInteiro();
}

bool TInicial::confirmarSubstituicao(int idEstacao, int codigo, int novas, bool pontos) {
    Conexao& conexao = contexto_.dm.conexao();
    const int existentes =
        pontos ? contarPontos(conexao, idEstacao) : contarMedicoes(conexao, idEstacao);
    if (existentes == 0)
        return true;
    return contexto_.interacao.pergunta(pontos
                                            ? perguntaSubstituicaoPontos(codigo, existentes, novas)
                                            : perguntaSubstituicao(codigo, existentes, novas),
                                        QStringLiteral("Atenção"));
}

void TInicial::ImportaDadosCOP(const QString& FileName) {
    const ArquivoCop arquivo = LeitorCop::ler(lerArquivo(FileName));
    const QString codigo = QString::number(arquivo.codigo);
    const auto id =
        estacaoDaImportacao(arquivo.codigo, codigo, QStringLiteral("Inserir nova estação"), true);
    if (!id || !confirmarSubstituicao(*id, arquivo.codigo, int(arquivo.medicoes.size()), false))
        return;
    const int total = gravarMedicoes(contexto_.dm.conexao(), *id, arquivo.medicoes,
                                     [this](int p) { contexto_.ImportaDados->avancar(p); });
    contexto_.interacao.mensagem(
        QStringLiteral("Total de registros inseridos: ") + QString::number(total), codigo);
}

void TInicial::ImportaDadosSEC(const QString& FileName) {
    const ArquivoSec arquivo = LeitorSec::ler(lerArquivo(FileName));
    const QString codigo = QString::number(arquivo.codigo);
    // Code 0 is never looked up.
    const auto id = estacaoDaImportacao(
        arquivo.codigo, codigo, QStringLiteral("Inserir nova estação"), arquivo.codigo != 0);
    if (!id || !confirmarSubstituicao(*id, arquivo.codigo, int(arquivo.pontos.size()), true))
        return;
    const int total = gravarPontos(contexto_.dm.conexao(), *id, arquivo.pontos,
                                   [this](int p) { contexto_.ImportaDados->avancar(p); });
    contexto_.interacao.mensagem(
        QStringLiteral("Total de registros inseridos: ") + QString::number(total), codigo);
}

void TInicial::ImportaDadosRSM(const QString& FileName) {
    const ArquivoRsm arquivo = LeitorRsm::ler(lerArquivo(FileName));
    const auto id = estacaoDaImportacao(arquivo.codigo, arquivo.codigoTexto,
                                        QStringLiteral("Inserir resumo de medições"), true);
    if (!id || !confirmarSubstituicao(*id, arquivo.codigo, int(arquivo.medicoes.size()), false))
        return;
    const int total = gravarMedicoes(contexto_.dm.conexao(), *id, arquivo.medicoes,
                                     [this](int p) { contexto_.ImportaDados->avancar(p); });
    contexto_.interacao.mensagem(
        QStringLiteral("Total de registros inseridos: ") + QString::number(total),
        QString::number(arquivo.codigo));
}

void TInicial::Hidrologiacop1Click() {
    const auto arquivo = contexto_.interacao.abrirArquivo(
        QStringLiteral("Importação de resumo de medições"),
        QStringLiteral("Arquivos texto de medições (*.cop)"), QString());
    if (!arquivo)
        return;
    ProgressoVisivel progresso(*contexto_.ImportaDados,
                               QStringLiteral("Resumo de medições (.COP)"));
    ImportaDadosCOP(*arquivo);
}

void TInicial::Hidrologiasec1Click() {
    const auto arquivo = contexto_.interacao.abrirArquivo(
        QStringLiteral("Importação de arquivo de seção"),
        QStringLiteral("Arquivos de seção em texto (*.sec)"), QString());
    if (!arquivo)
        return;
    ProgressoVisivel progresso(*contexto_.ImportaDados, QStringLiteral("Seção transversal (.SEC)"));
    ImportaDadosSEC(*arquivo);
}

void TInicial::DNAEEsec1Click() {
    const auto arquivo =
        contexto_.interacao.abrirArquivo(QStringLiteral("Importação de resumo de medições"),
                                         QStringLiteral("Arquivos DNAEE (*.rsm)"), QString());
    if (!arquivo)
        return;
    ProgressoVisivel progresso(*contexto_.ImportaDados,
                               QStringLiteral("Resumo de medições (.RSM)"));
    ImportaDadosRSM(*arquivo);
}

void TInicial::ImportaDadosMDB(const QString& FileName) {
    importadorHidro_->ImportaDadosMDB(FileName);
}

void TInicial::ImportaDadosSecaoMDB(const QString& FileName) {
    importadorHidro_->ImportaDadosSecaoMDB(FileName);
}

void TInicial::ImportaDadosRio(const QString& FileName) {
    importadorHidro_->ImportaDadosRio(FileName);
}

void TInicial::ImportaMedicoesHidroWeb(const QString& FileName) {
    importadorHidro_->ImportaMedicoesHidroWeb(FileName);
}

void TInicial::ImportaSecaoHidroWeb(const QString& FileName) {
    importadorHidro_->ImportaSecaoHidroWeb(FileName);
}

void TInicial::Hidromdb1Click() {
    const auto arquivo =
        contexto_.interacao.abrirArquivo(QStringLiteral("Importação de resumo de medições"),
                                         QStringLiteral("Arquivos Hidro (*.mdb)"), QString());
    if (!arquivo)
        return;
    ProgressoVisivel progresso(*contexto_.ImportaDados,
                               QStringLiteral("Resumo de medições (.MDB)"));
    ImportaDadosMDB(*arquivo);
}

void TInicial::Hidromdb2Click() {
    const auto arquivo = contexto_.interacao.abrirArquivo(
        QStringLiteral("Importação de arquivo de medições"),
        QStringLiteral("Arquivos de seção da Hidrologia (*.mdb)"), QString());
    if (!arquivo)
        return;
    ProgressoVisivel progresso(*contexto_.ImportaDados, QStringLiteral("Seção transversal (.MDB)"));
    ImportaDadosSecaoMDB(*arquivo);
}

void TInicial::TabeladeriosHidro1Click() {
    const auto arquivo =
        contexto_.interacao.abrirArquivo(QStringLiteral("Importação de tabela de rios"),
                                         QStringLiteral("Arquivos Hidro (*.mdb)"), QString());
    if (arquivo)
        ImportaDadosRio(*arquivo);
}

void TInicial::HidroWeb1Click() {
    const auto arquivo = contexto_.interacao.abrirArquivo(
        QStringLiteral("Importação de resumo de medições"),
        QStringLiteral("Arquivos HidroWeb (*.zip *.csv)"), QString());
    if (!arquivo)
        return;
    ProgressoVisivel progresso(*contexto_.ImportaDados,
                               QStringLiteral("Resumo de medições (HidroWeb)"));
    ImportaMedicoesHidroWeb(*arquivo);
}

void TInicial::HidroWeb2Click() {
    const auto arquivo = contexto_.interacao.abrirArquivo(
        QStringLiteral("Importação de arquivo de seção"),
        QStringLiteral("Arquivos HidroWeb (*.zip *.csv)"), QString());
    if (!arquivo)
        return;
    ProgressoVisivel progresso(*contexto_.ImportaDados,
                               QStringLiteral("Seção transversal (HidroWeb)"));
    ImportaSecaoHidroWeb(*arquivo);
}

void TInicial::AjustarCurvasClick() {
    if (!SelecionarEstacao())
        return;
    contexto_.TelaMedicao->Abrir(
        contexto_.dm.qu_estacao1.campo(QStringLiteral("IdEstacao")).comoInteiro());
}

void TInicial::AvaliarTrechosClick() {
    if (SelecionarEstacao())
        contexto_.abrirAnaliseDados();
}

bool TInicial::SelecionarEstacao() {
    Consulta& estacoes = contexto_.dm.qu_estacao1;
    estacoes.fechar();
    estacoes.abrir();
    contexto_.interacao.executar(*contexto_.SelecionarEstacao);
    return contexto_.SelecionarEstacao->Escolhida;
}

}  // namespace lumeno
