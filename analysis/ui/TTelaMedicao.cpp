#include "analysis/ui/TTelaMedicao.h"

#include "analysis/DadosEstacao.h"
#include "analysis/EscalaGrafico.h"
#include "analysis/LegendaCurva.h"
#include "analysis/ui/ComandosAjustesSalvos.h"
#include "analysis/ui/ComandosDiagnosticoH0.h"
#include "analysis/ui/ComandosExtrapolacao.h"
#include "analysis/ui/ComandosValidacao.h"
#include "analysis/ui/RotulosMedicao.h"
#include "analysis/ui/TfrmDadosEstacao.h"
#include "app/ErroLumeno.h"
#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/ArvoreFormatada.h"
#include "components/PainelGrafico.h"
#include "curves/AjusteCurva.h"
#include "curves/AvisoAjuste.h"
#include "curves/CriacaoCurva.h"
#include "curves/CriteriosAjuste.h"
#include "curves/CriteriosExclusao.h"
#include "curves/RelacaoVazoes.h"
#include "curves/TracadoCurva.h"
#include "curves/ui/TAjusteFixo.h"
#include "curves/ui/TAjusteFixoGeral.h"
#include "curves/ui/TCriterioExclusao.h"
#include "curves/ui/TMostrarPontosExtrapolados.h"
#include "curves/ui/TfrmParmsCurva.h"
#include "data/TDM.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <unordered_map>

namespace lumeno {

using Eixo = PainelGrafico::Eixo;
using Marca = PainelGrafico::Marca;

namespace {
const QColor amarelo(255, 255, 0);
const QColor ciano(0, 255, 255);
const QString atencao = QStringLiteral("Atenção");
}  // namespace

TTelaMedicao::TTelaMedicao(Contexto& contexto, DadosEstacao& dados, QWidget* pai)
    : QDialog(pai),
      contexto_(contexto),
      dados_(dados),
      extrapolacao_(std::make_unique<ComandosExtrapolacao>(contexto, *this)) {
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MenuMedicao = new QMenuBar(this);
    layout->setMenuBar(MenuMedicao);

    Grafico = new PainelGrafico(this);
    Grafico->definirMargens(40, 20, 20, 35);
    Grafico->definirTitulo(Eixo::X, QStringLiteral("Vazão (m³/s)"));
    Grafico->definirTitulo(Eixo::Y, QStringLiteral("Cota (cm)"));
    Grafico->definirCorGrade(QColor(128, 0, 0));
    layout->addWidget(Grafico, 1);

    pnlLegenda = new QWidget(this);
    pnlLegenda->setFixedHeight(39);
    criarLegenda(pnlLegenda);
    layout->addWidget(pnlLegenda);

    pnlParametros = new QGroupBox(Grafico);
    pnlParametros->resize(289, 177);
    pnlParametros->move(60, 30);
    pnlParametros->setAutoFillBackground(true);
    pnlParametros->setMouseTracking(true);
    auto* caixa = new QVBoxLayout(pnlParametros);
    caixa->setContentsMargins(4, 4, 4, 4);
    trvLegenda = new ArvoreFormatada(pnlParametros);
    trvLegenda->setFont(QFont(QStringLiteral("Arial"), 8));
    trvLegenda->definirAlturaLinha(16);
    trvLegenda->setRootIsDecorated(false);
    caixa->addWidget(trvLegenda);
    pnlParametros->installEventFilter(this);
    pnlParametros->hide();

    criarMenu();
    validacao_ = std::make_unique<ComandosValidacao>(contexto_, *this);
    ajustesSalvos_ = std::make_unique<ComandosAjustesSalvos>(contexto, *this);
    diagnosticoH0_ = std::make_unique<ComandosDiagnosticoH0>(contexto, *this);

    connect(Grafico, &PainelGrafico::zoomFeito, this,
            comando(contexto_.interacao, [this] { ZoomFeito(); }));
    connect(Grafico, &PainelGrafico::mouseMoveu, this,
            comando(contexto_.interacao, [this](QPointF p) {
                if (Grafico->modoMouse() == PainelGrafico::ModoMouse::Normal)
                    PosicaoMouse = p;
            }));
    connect(Grafico, &PainelGrafico::clicado, this,
            comando(contexto_.interacao, [this](const QPointF& p) { SelecionarNoGrafico(p); }));
    connect(&contexto_.dm.qu_medida1, &ConjuntoDados::registroMudou, this,
            comando(contexto_.interacao, [this] { atualizarLegenda(); }));
    connect(&contexto_.dm.qu_medida1, &ConjuntoDados::estadoMudou, this,
            comando(contexto_.interacao, [this] { atualizarLegenda(); }));
    resize(898, 554);
}

TTelaMedicao::~TTelaMedicao() = default;

void TTelaMedicao::criarLegenda(QWidget* pai) {
    auto* grade = new QGridLayout(pai);
    grade->setContentsMargins(6, 1, 6, 1);
    grade->setVerticalSpacing(0);
    auto valor = [pai] { return RotulosMedicao::novoValor(pai, 70); };
    lbCota = valor();
    lbVazao = valor();
    lbNumero = valor();
    lbData = valor();
    lbArea = valor();
    lbVelocidade = valor();
    lbPercentual = valor();
    const struct {
        const char* rotulo;
        QLabel* valor;
        int linha, coluna;
    } campos[] = {{"Cota", lbCota, 0, 0},          {"Vazão", lbVazao, 1, 0},
                  {"Número", lbNumero, 0, 2},      {"Data", lbData, 1, 2},
                  {"Área", lbArea, 0, 4},          {"Velocidade", lbVelocidade, 1, 4},
                  {"Desvio %", lbPercentual, 0, 6}};
    for (const auto& c : campos) {
        grade->addWidget(new QLabel(QString::fromUtf8(c.rotulo), pai), c.linha, c.coluna);
        grade->addWidget(c.valor, c.linha, c.coluna + 1);
    }
    auto* navegacao = new QHBoxLayout;
    navegacao->setSpacing(1);
    auto botao = [&](Qt::ArrowType seta, const QString& dica, void (TTelaMedicao::*acao)()) {
        auto* b = new QToolButton(pai);
        b->setArrowType(seta);
        b->setToolTip(dica);
        b->setFixedSize(22, 16);
        navegacao->addWidget(b);
        connect(b, &QToolButton::clicked, this,
                comando(contexto_.interacao, [this, acao] { (this->*acao)(); }));
        return b;
    };
    boPrimeiro = botao(Qt::UpArrow, QStringLiteral("Primeira medição"), &TTelaMedicao::Primeiro);
    boAnterior = botao(Qt::LeftArrow, QStringLiteral("Medição anterior"), &TTelaMedicao::Anterior);
    boProximo = botao(Qt::RightArrow, QStringLiteral("Próxima medição"), &TTelaMedicao::Proximo);
    boUltimo = botao(Qt::DownArrow, QStringLiteral("Última medição"), &TTelaMedicao::Ultimo);
    grade->addLayout(navegacao, 1, 6, 1, 2);
    grade->setColumnStretch(8, 1);
}

void TTelaMedicao::criarMenu() {
    mnuLumeno = MenuMedicao->addMenu(QStringLiteral("&Lumeno"));
    QMenu* automatico = mnuLumeno->addMenu(QStringLiteral("&Ajuste automático"));
    mniSelecaoCriterios = automatico->addAction(QStringLiteral("Seleção de critérios"));
    mnuAjusteManual = mnuLumeno->addMenu(QStringLiteral("Ajuste &manual"));
    om_AjusteH0 = mnuAjusteManual->addAction(QStringLiteral("Fixando h0"));
    om_AjustaTodos = mnuAjusteManual->addAction(QStringLiteral("Fixando os três parâmetros"));
    om_ExcluirPontos =
        mnuLumeno->addAction(QStringLiteral("&Excluir pontos (somente dos cálculos)"));
    om_DadosEstacao = mnuLumeno->addAction(QStringLiteral("Mostrar &dados da estação"));
    mnuLumeno->addSeparator();
    om_InicializarAjuste = mnuLumeno->addAction(QStringLiteral("&Inicializar ajuste"));
    mnuLumeno->addSeparator();
    om_CopiarFigura = mnuLumeno->addAction(QStringLiteral("Copiar figura"));
    mnuLumeno->addSeparator();
    om_RelacaoVazoes = mnuLumeno->addAction(QStringLiteral("&Relação de vazões e desvios"));

    mnuExtrapolacao = MenuMedicao->addMenu(QStringLiteral("&Extrapolação"));
    om_ExtrapLogaritmica = mnuExtrapolacao->addAction(QStringLiteral("&Logarítmica"));
    om_ExtrapStevens = mnuExtrapolacao->addAction(QStringLiteral("&Stevens"));
    om_ExtrapManning = mnuExtrapolacao->addAction(QStringLiteral("&Manning"));

    mnuSecao = MenuMedicao->addMenu(QStringLiteral("&Seção"));
    om_MostrarSecao = mnuSecao->addAction(QStringLiteral("&Mostrar"));
    om_EditarSecao = mnuSecao->addAction(QStringLiteral("&Editar"));

    QMenu* opcoes = MenuMedicao->addMenu(QStringLiteral("&Opções"));
    QMenu* grades = opcoes->addMenu(QStringLiteral("&Grades"));
    om_GradeSolida = grades->addAction(QStringLiteral("Linhas &sólidas"));
    om_GradeTracejada = grades->addAction(QStringLiteral("Linhas &tracejadas"));
    om_GradePontos = grades->addAction(QStringLiteral("&Pontos"));
    om_GradeSem = grades->addAction(QStringLiteral("&Sem linhas"));
    for (QAction* a : {om_GradeSolida, om_GradeTracejada, om_GradePontos, om_GradeSem}) {
        a->setCheckable(true);
        connect(a, &QAction::triggered, this,
                comando(contexto_.interacao, [this, a] { definirGrade(a); }));
    }
    QMenu* zoom = opcoes->addMenu(QStringLiteral("&Zoom"));
    om_ZoomIn = zoom->addAction(QStringLiteral("Zoom &In"));
    om_ZoomOut = zoom->addAction(QStringLiteral("Zoom &Out"));
    QMenu* eixos = opcoes->addMenu(QStringLiteral("&Eixos"));
    QMenu* cota = eixos->addMenu(QStringLiteral("Cota"));
    om_CotaDecimal = cota->addAction(QStringLiteral("&Decimal"));
    om_CotaLogaritmico = cota->addAction(QStringLiteral("&Logarítmico"));
    QMenu* vazao = eixos->addMenu(QStringLiteral("Vazão"));
    om_VazaoDecimal = vazao->addAction(QStringLiteral("&Decimal"));
    om_VazaoLogaritmico = vazao->addAction(QStringLiteral("&Logarítmico"));
    for (QAction* a : {om_CotaDecimal, om_CotaLogaritmico, om_VazaoDecimal, om_VazaoLogaritmico})
        a->setCheckable(true);
    connect(om_CotaDecimal, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { definirEixo(true, false); }));
    connect(om_CotaLogaritmico, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { definirEixo(true, true); }));
    connect(om_VazaoDecimal, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { definirEixo(false, false); }));
    connect(om_VazaoLogaritmico, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { definirEixo(false, true); }));
    QMenu* auxiliares = eixos->addMenu(QStringLiteral("Traçar auxiliares"));
    for (auto& a : om_Eixos) {
        a = auxiliares->addAction(QString());
        a->setVisible(false);
    }
    auxiliares->addSeparator();
    om_CriarNovoEixo = auxiliares->addAction(QStringLiteral("Criar novo eixo"));
    QMenu* grafico = opcoes->addMenu(QStringLiteral("Gráfico"));
    om_Pan = grafico->addAction(QStringLiteral("Pan"));
    om_Pan->setCheckable(true);
    QMenu* legenda = opcoes->addMenu(QStringLiteral("Legenda"));
    om_MostrarEquacoes = legenda->addAction(QStringLiteral("&Mostrar equações de curvas"));
    om_MostrarEquacoes->setCheckable(true);
    QMenu* padroes = opcoes->addMenu(QStringLiteral("Padrões"));
    om_DefaultCurvas =
        padroes->addAction(QStringLiteral("Default de cores e algoritmos para curvas"));

    // The chart's pop-up menu.
    pop_ZoomIn = new QAction(QStringLiteral("Zoom &In"), this);
    pop_VoltarZoom = new QAction(QStringLiteral("&Voltar zoom"), this);
    pop_VoltarZoom->setShortcut(Qt::Key_F3);
    pop_VoltarZoom->setShortcutContext(Qt::WindowShortcut);
    addAction(pop_VoltarZoom);
    Grafico->setContextMenuPolicy(Qt::ActionsContextMenu);
    Grafico->addActions({pop_ZoomIn, pop_VoltarZoom});

    connect(om_ZoomIn, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { ZoomIn(); }));
    connect(pop_ZoomIn, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { ZoomIn(); }));
    connect(om_ZoomOut, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { ZoomOut(); }));
    connect(pop_VoltarZoom, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { ZoomOut(); }));
    connect(om_Pan, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { AlternarPan(); }));
    connect(om_CriarNovoEixo, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { CriarNovoEixo(); }));
    connect(om_InicializarAjuste, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { InicializarAjuste(); }));
    connect(om_CopiarFigura, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { CopiarFigura(); }));
    connect(om_RelacaoVazoes, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { RelacaoVazoes(); }));
    connect(om_MostrarEquacoes, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { AlternarEquacoes(); }));
    connect(om_DefaultCurvas, &QAction::triggered, this, comando(contexto_.interacao, [this] {
                if (contexto_.abrirDefaultCurvas)
                    contexto_.abrirDefaultCurvas();
            }));
    connect(om_MostrarSecao, &QAction::triggered, this, comando(contexto_.interacao, [this] {
                if (contexto_.mostrarSecao)
                    contexto_.mostrarSecao();
            }));
    connect(om_EditarSecao, &QAction::triggered, this, comando(contexto_.interacao, [this] {
                if (contexto_.abrirSecao)
                    contexto_.abrirSecao();
            }));

    connect(mniSelecaoCriterios, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { Seleodeparmetros1Click(); }));
    connect(om_ExcluirPontos, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { om_ExcluirPontosClick(); }));
    connect(om_AjusteH0, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { om_AjusteH0Click(); }));
    connect(om_AjustaTodos, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { om_AjustaTodosClick(); }));

    Interacao& interacao = contexto_.interacao;
    connect(om_ExtrapLogaritmica, &QAction::triggered, this,
            comando(interacao, [this] { extrapolacao_->om_ExtrapLogClick(); }));
    connect(om_ExtrapStevens, &QAction::triggered, this,
            comando(interacao, [this] { extrapolacao_->om_ExtrapStevensClick(); }));
    connect(om_ExtrapManning, &QAction::triggered, this,
            comando(interacao, [this] { extrapolacao_->om_ExtrapManningClick(); }));
    connect(om_DadosEstacao, &QAction::triggered, this, comando(interacao, [this] {
                if (contexto_.frmDadosEstacao)
                    contexto_.frmDadosEstacao->Mostrar();
            }));
}

void TTelaMedicao::Abrir(int idEstacao) {
    Tabela& estacao = contexto_.dm.tb_estacao;
    estacao.fechar();
    estacao.definirIndice(QString());
    estacao.abrir();
    estacao.localizar(QStringLiteral("IdEstacao"), idEstacao);
    contexto_.criterios.LimpaCriterios();
    ReiniciarConsulta = true;
    GerarAoMostrar = false;
    contexto_.interacao.executar(*this);
}

bool TTelaMedicao::PossuiSecao() const {
    return !contexto_.dm.qu_ponto1.vazio();
}

void TTelaMedicao::FormatQuery(Consulta& consulta) {
    contexto_.criterios.FormatQuery(consulta);
}

void TTelaMedicao::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The window loads when it is opened. The show event of a restore (after the window
    // was minimised) is a spontaneous one and must not discard the adjustment.
    if (e->spontaneous())
        return;
    carregarAoMostrar(contexto_.interacao, *this, [this] { FormShow(); });
}

void TTelaMedicao::FormShow() {
    TDM& dm = contexto_.dm;
    Consulta& estacoes = dm.qu_estacao1;
    estacao_ = estacoes.campo(QStringLiteral("IdEstacao")).comoInteiro();
    const QString codigo = estacoes.campo(QStringLiteral("Codigo")).comoTexto();
    const QString descricao = estacoes.campo(QStringLiteral("Descricao")).comoTexto();

    // 1. Mandatory rows left by the previous adjustment.
    {
        auto q = dm.novaConsulta();
        q->SQL << QStringLiteral("delete from medida where estacao = %1 and ponto_obrigatorio <> 0")
                      .arg(estacao_);
        q->executar();
    }
    // 2.
    ContadorObrigatorios = 9999;
    arrastando_ = redimensionando_ = peloTopoOuEsquerda_ = false;
    om_MostrarEquacoes->setChecked(false);
    // 3.
    Consulta& medidas = dm.qu_medida1;
    medidas.fechar();
    if (ReiniciarConsulta) {
        medidas.SQL = TDM::textoBaseMedida1();
        ReiniciarConsulta = false;
    }
    // 4.
    QString titulo =
        QStringLiteral("Ajustar curvas - estação: ") + codigo + QLatin1Char(' ') + descricao;
    {
        Tabela& rio = dm.tb_rio;
        rio.abrir();
        const Campo idRio = estacoes.campo(QStringLiteral("Rio"));
        if (!idRio.nulo() && rio.localizar(QStringLiteral("IdRio"), idRio.valor()))
            titulo += QStringLiteral("  (") + rio.campo(QStringLiteral("Nome")).comoTexto() +
                      QLatin1Char(')');
        rio.fechar();
    }
    setWindowTitle(titulo);
    // 5.
    mnuAjusteManual->setEnabled(false);
    om_RelacaoVazoes->setEnabled(false);
    // 6.
    om_CotaDecimal->setChecked(true);
    om_CotaLogaritmico->setChecked(false);
    om_VazaoDecimal->setChecked(true);
    om_VazaoLogaritmico->setChecked(false);
    for (Eixo e : {Eixo::X, Eixo::Y}) {
        Grafico->definirLogaritmico(e, false);
        Grafico->definirCasasDecimais(e, 0);
        Grafico->definirPassoGrade(e, 0);
    }
    mnuLumeno->setEnabled(true);
    mnuSecao->setEnabled(true);
    definirGrade(om_GradeSem);
    TopoZoom = 0;
    om_ZoomIn->setEnabled(true);
    pop_ZoomIn->setEnabled(true);
    om_ZoomOut->setEnabled(false);
    pop_VoltarZoom->setEnabled(false);
    Grafico->definirModoMouse(PainelGrafico::ModoMouse::Normal);
    Grafico->limpar();
    Grafico->definirFundo(palette().color(QPalette::Window));
    // 7.
    dm.qu_ponto1.fechar();
    dm.qu_ponto1.definirParametro(QStringLiteral("est"), estacao_);
    dm.qu_ponto1.abrir();
    medidas.definirParametro(QStringLiteral("est"), estacao_);
    medidas.abrir();
    // 8.
    TracarPontosSecao();
    // 9.
    om_Pan->setChecked(false);
    Grafico->definirModoMouse(PainelGrafico::ModoMouse::Normal);
    medidas.primeiro();
    if (!medidas.vazio())
        Grafico->marcar(medidas.campo(QStringLiteral("vazao")).comoReal(),
                        medidas.campo(QStringLiteral("cota")).comoReal(), Marca::XNegrito, amarelo);
    Grafico->atualizar();
    // 10.
    ajustesSalvos_->AoCarregar();
    AjusteAtivo = false;
    CotaMaxCurvas = -10000;
    om_ExtrapLogaritmica->setEnabled(false);
    om_ExtrapStevens->setEnabled(false);
    om_ExtrapManning->setEnabled(false);
    TotalCurvas = 0;
    NumExtrapolacoes = 0;
    FatoresMedicoes.clear();
    KMedicoes.clear();
    TabelaDesvios.reiniciar();
    lbPercentual->setText(TabelaDesvios::semDesvio);
    // 11.
    dados_.PreencherCarga(codigo, descricao, medidas, CotaMinMedicoes, CotaMaxMedicoes,
                          VazaoMinMedicoes, VazaoMaxMedicoes);
    if (contexto_.frmDadosEstacao)
        contexto_.frmDadosEstacao->Reiniciar();
    // 12.
    medidas.primeiro();
    if (GerarAoMostrar) {
        GerarAoMostrar = false;
        GerarCurvas();
    }
    // 13. (A curve fitted above whose start value chose h0 has shown the panel.)
    pnlParametros->setVisible(om_MostrarEquacoes->isChecked());
    ReconstruirLegenda();
    if (MostrarEquacoesAoAbrir) {
        MostrarEquacoesAoAbrir = false;
        om_MostrarEquacoes->setChecked(true);
        AlternarEquacoes();
    }

    // A station without measurements has nothing to adjust.
    semMedicoes_ = medidas.vazio();
    if (semMedicoes_)
        QTimer::singleShot(0, this, [this] {
            if (!semMedicoes_ || !isVisible())
                return;
            contexto_.interacao.mensagem(QStringLiteral("Não há medições para esta seção !"),
                                         QString());
            close();
        });
}

void TTelaMedicao::TracarPontosSecao() {
    Consulta& medidas = contexto_.dm.qu_medida1;
    if (medidas.vazio())
        return;
    auto extremos = contexto_.dm.novaConsulta();
    extremos->SQL << QStringLiteral("select max(cota),min(cota),max(vazao),min(vazao)")
                  << QStringLiteral("from medida where (estacao=:est) ");
    FormatQuery(*extremos);
    extremos->definirParametro(QStringLiteral("est"), estacao_);
    extremos->abrir();
    VazaoMaxMedicoes = extremos->campo(QStringLiteral("max of vazao")).comoReal();
    CotaMaxMedicoes = extremos->campo(QStringLiteral("max of cota")).comoReal();
    VazaoMinMedicoes = extremos->campo(QStringLiteral("min of vazao")).comoReal();
    CotaMinMedicoes = extremos->campo(QStringLiteral("min of cota")).comoReal();

    medidas.primeiro();
    const FaixaEixo x = faixaComMargem(VazaoMinMedicoes, VazaoMaxMedicoes);
    const FaixaEixo y = faixaComMargem(CotaMinMedicoes, CotaMaxMedicoes);
    Grafico->definirFaixa(Eixo::X, x.minimo, x.maximo);
    Grafico->definirFaixa(Eixo::Y, y.minimo, y.maximo);

    // The auxiliary pair through the origin.
    Grafico->polilinha({{0, -10000}, {0, 10000}}, Qt::black, 1, Qt::DashDotDotLine);
    Grafico->polilinha({{-10000, 0}, {10000, 0}}, Qt::black, 1, Qt::DashDotDotLine);
    NumEixos = 1;
    om_Eixos[0]->setText(QStringLiteral("X = 0, Y = 0"));
    for (int i = 0; i < maximoEixos; ++i)
        om_Eixos[static_cast<size_t>(i)]->setVisible(i == 0);

    const int cVazao = medidas.indiceCampo(QStringLiteral("vazao"));
    const int cCota = medidas.indiceCampo(QStringLiteral("cota"));
    const int cObrigatorio = medidas.indiceCampo(QStringLiteral("ponto_obrigatorio"));
    PercursoSilencioso percurso(medidas);
    for (; !medidas.eof(); medidas.proximo()) {
        const bool obrigatorio = Campo(medidas.valor(cObrigatorio)).comoReal() >= 1;
        Grafico->marcar(
            Campo(medidas.valor(cVazao)).comoReal(), Campo(medidas.valor(cCota)).comoReal(),
            obrigatorio ? Marca::XNegrito : Marca::XFina, obrigatorio ? ciano : QColor(Qt::black));
    }
    // A grid line at every second tick.
    for (Eixo e : {Eixo::X, Eixo::Y})
        Grafico->definirPassoGrade(e, 2 * Grafico->distanciaTicks(e));
}

void TTelaMedicao::MarcarAtual() {
    Grafico->removerUltimo();
    Consulta& medidas = contexto_.dm.qu_medida1;
    if (!medidas.vazio())
        Grafico->marcar(medidas.campo(QStringLiteral("vazao")).comoReal(),
                        medidas.campo(QStringLiteral("cota")).comoReal(), Marca::XNegrito, amarelo);
    Grafico->atualizar();
}

void TTelaMedicao::mostrarDesvioAtual() {
    lbPercentual->setText(TabelaDesvios.texto(contexto_.dm.qu_medida1.numeroRegistro()));
}

void TTelaMedicao::atualizarLegenda() {
    Consulta& m = contexto_.dm.qu_medida1;
    const bool ativo = m.ativo() && !m.vazio();
    RotulosMedicao{lbNumero, lbData, lbCota, lbVazao, lbArea, lbVelocidade}.mostrar(m);
    // The deviation follows the measurement shown, wherever the cursor was moved from.
    const int n = m.numeroRegistro();
    lbPercentual->setText(ativo ? TabelaDesvios.texto(n) : TabelaDesvios::semDesvio);
    const int total = m.totalRegistros();
    boPrimeiro->setEnabled(ativo && n > 1);
    boAnterior->setEnabled(ativo && n > 1);
    boProximo->setEnabled(ativo && n < total);
    boUltimo->setEnabled(ativo && n < total);
}

void TTelaMedicao::Primeiro() {
    contexto_.dm.qu_medida1.primeiro();
    MarcarAtual();
    mostrarDesvioAtual();
}

void TTelaMedicao::Anterior() {
    contexto_.dm.qu_medida1.anterior();
    MarcarAtual();
    mostrarDesvioAtual();
}

void TTelaMedicao::Proximo() {
    contexto_.dm.qu_medida1.proximo();
    MarcarAtual();
    mostrarDesvioAtual();
}

void TTelaMedicao::Ultimo() {
    contexto_.dm.qu_medida1.ultimo();
    MarcarAtual();
    mostrarDesvioAtual();
}

void TTelaMedicao::SelecionarNoGrafico(const QPointF& posicao) {
    if (Grafico->modoMouse() != PainelGrafico::ModoMouse::Normal)
        return;
    PosicaoMouse = posicao;
    const auto item = Grafico->itemMaisProximo(PosicaoMouse);
    if (!item)
        return;
    const QString x = fixo2(item->x()).left(10);
    const QString y = fixo2(item->y()).left(10);
    Consulta& m = contexto_.dm.qu_medida1;
    const QVariant lembrado = m.valor(QStringLiteral("numero"));
    PercursoSilencioso percurso(m);
    for (m.primeiro(); !m.eof(); m.proximo()) {
        if (fixo2(m.campo(QStringLiteral("vazao")).comoReal()).left(10) == x &&
            fixo2(m.campo(QStringLiteral("cota")).comoReal()).left(10) == y) {
            MarcarAtual();
            mostrarDesvioAtual();
            return;
        }
    }
    m.localizar(QStringLiteral("numero"), lembrado);
}

void TTelaMedicao::ampliarEixos(double vazao, double cota) {
    const auto x = Grafico->faixa(Eixo::X);
    if (vazao > x.maximo)
        Grafico->definirFaixa(Eixo::X, x.minimo, limiteAmpliado(x.maximo, vazao));
    const auto y = Grafico->faixa(Eixo::Y);
    if (cota > y.maximo)
        Grafico->definirFaixa(Eixo::Y, y.minimo, limiteAmpliado(y.maximo, cota));
}

void TTelaMedicao::TracarPontos(CurvaTrecho& curva) {
    if (curva.Medicoes.empty())
        return;
    const QColor cor = corQt(curva.Cor);
    Consulta& m = contexto_.dm.qu_medida1;
    std::unordered_map<double, int> posicoes;
    const int cNumero = m.indiceCampo(QStringLiteral("numero"));
    {
        PercursoSilencioso percurso(m);
        for (int i = 1; i <= m.totalRegistros(); ++i) {
            m.irPara(i);
            posicoes.try_emplace(Campo(m.valor(cNumero)).comoReal(), i);
        }
    }
    for (const LinhaMedida& linha : curva.Medicoes) {
        Grafico->marcar(linha.vazao, linha.cota,
                        linha.pontoObrigatorio < 1 ? Marca::XFina : Marca::Losango, cor);
        ampliarEixos(linha.vazao, linha.cota);
    }
    const int ultima = TabelaDesvios.calcular(curva, [&](double numero) {
        const auto it = posicoes.find(numero);
        return it == posicoes.end() ? 0 : it->second;
    });
    if (ultima > 0)
        m.irPara(ultima);
}

void TTelaMedicao::TracarCurva(CurvaTrecho& curva) {
    const auto pontos = pontosCurva(curva);
    if (pontos.empty())
        return;
    QVector<QPointF> linha;
    linha.reserve(static_cast<int>(pontos.size()));
    for (const PontoCurva& p : pontos)
        linha << QPointF(p.vazao, p.cota);
    Grafico->polilinha(linha, corQt(curva.Cor), 1, Qt::SolidLine);
    ampliarEixos(pontos.back().vazao, pontos.back().cota);
}

int TTelaMedicao::AjustarETracar(int numero, const QStringList& condicao,
                                 const QStringList& descricao, int algoritmo, int parametro,
                                 std::uint32_t cor) {
    CurvaTrecho& curva = Trechos[static_cast<size_t>(numero)];
    if (!CriarCurvaTrecho(curva, condicao, algoritmo, parametro, cor, estacao_,
                          contexto_.dm.conexao(), [this](Consulta& q) { FormatQuery(q); }))
        contexto_.interacao.mensagem(QStringLiteral("Há trecho indefinido!"), atencao);
    if (AjustarCurva(curva, PossuiSecao()) == ResultadoAjuste::TrechoIndefinido)
        contexto_.interacao.mensagem(
            QStringLiteral("Não é possível calcular parâmetros: trecho indefinido!"), atencao);
    if (curva.linhasDescartadas > 0)
        contexto_.interacao.mensagem(avisoDescartadas(curva.linhasDescartadas), atencao);
    // An h0 the start value chose is told in the equations panel, which comes into view.
    if (curva.Busca.noLimite() && curva.totalLinhas() >= 2) {
        om_MostrarEquacoes->setChecked(true);
        AlternarEquacoes();
    }
    return TracarERegistrar(numero, descricao, validadeAjuste(curva, PossuiSecao()));
}

int TTelaMedicao::TracarERegistrar(int numero, const QStringList& validade,
                                   const QStringList& notas) {
    CurvaTrecho& curva = Trechos[static_cast<size_t>(numero)];
    TracarPontos(curva);
    TracarCurva(curva);
    MontaDadosCurva(validade, notas);
    const int linhas = curva.totalLinhas();
    if (linhas >= 2) {
        CotaMaxCurvas = std::max(CotaMaxCurvas, curva.CotaMax);
        // The first measurement becomes the current one, marked as such, with the deviation
        // just computed.
        Consulta& m = contexto_.dm.qu_medida1;
        m.primeiro();
        if (!m.vazio())
            Grafico->marcar(m.campo(QStringLiteral("vazao")).comoReal(),
                            m.campo(QStringLiteral("cota")).comoReal(), Marca::XNegrito, amarelo);
        Grafico->atualizar();
        mostrarDesvioAtual();
        om_ExtrapLogaritmica->setEnabled(true);
        om_ExtrapManning->setEnabled(PossuiSecao());
        om_ExtrapStevens->setEnabled(PossuiSecao());
        mnuAjusteManual->setEnabled(true);
        om_RelacaoVazoes->setEnabled(true);
        AjusteAtivo = true;
    }
    return linhas;
}

bool TTelaMedicao::ReservarCurva() {
    if (TotalCurvas >= maximoCurvas) {
        contexto_.interacao.mensagem(
            QStringLiteral(
                "O ajuste já tem %1 curvas, o máximo. Inicialize o ajuste para traçar outras.")
                .arg(maximoCurvas),
            atencao);
        return false;
    }
    ++TotalCurvas;
    return true;
}

void TTelaMedicao::GerarCurvas() {
    if (CurvasPendentes.empty())
        return;
    for (const DefinicaoCurva& d : CurvasPendentes) {
        if (TotalCurvas >= maximoCurvas) {
            ReservarCurva();  // reports the limit
            return;
        }
        Grafico->removerUltimo();
        ++TotalCurvas;
        AjustarETracar(TotalCurvas, {d.Condicao}, {d.Descricao}, d.Algoritmo, d.Parametro, d.Cor);
    }
}

void TTelaMedicao::AbrirComCurvas(std::vector<DefinicaoCurva> definicoes) {
    CurvasPendentes = std::move(definicoes);
    GerarAoMostrar = true;
    ReiniciarConsulta = true;
    contexto_.interacao.executar(*this);
}

void TTelaMedicao::GeraLegenda(int numero) {
    const QString texto = GeraLegendaTexto(Trechos[static_cast<size_t>(numero)]);
    if (texto.isEmpty())
        return;
    NoFormatado* raiz = trvLegenda->topLevelItemCount() > 0
                            ? ArvoreFormatada::no(trvLegenda->topLevelItem(0))
                            : nullptr;
    NoFormatado* no =
        raiz ? trvLegenda->adicionarFilho(raiz, texto) : trvLegenda->adicionarRaiz(texto);
    diagnosticoH0_->AnotarLegenda(numero, no);
    trvLegenda->expandAll();
}

void TTelaMedicao::ReconstruirLegenda() {
    trvLegenda->clear();
    const Consulta& estacoes = contexto_.dm.qu_estacao1;
    trvLegenda->adicionarRaiz(
        cabecalhoLegenda(estacoes.campo(QStringLiteral("Codigo")).comoTexto(),
                         estacoes.campo(QStringLiteral("Descricao")).comoTexto()));
    for (int i = 1; i <= TotalCurvas; ++i)
        GeraLegenda(i);
    ajustesSalvos_->LegendaSobreposicoes();
}

void TTelaMedicao::MontaDadosCurva(const QStringList& validade, const QStringList& notas) {
    dados_.MontaDadosCurva(Trechos[static_cast<size_t>(TotalCurvas)], TotalCurvas, validade,
                           contexto_.dm.conexao(), notas);
    if (contexto_.frmDadosEstacao)
        contexto_.frmDadosEstacao->Atualizar();
}

void TTelaMedicao::ZoomIn() {
    ++TopoZoom;
    const auto x = Grafico->faixa(Eixo::X);
    const auto y = Grafico->faixa(Eixo::Y);
    PilhaZoom[static_cast<size_t>(TopoZoom)] = {x.minimo, y.minimo, x.maximo, y.maximo};
    Grafico->definirModoMouse(PainelGrafico::ModoMouse::Zoom);
    if (TopoZoom >= maximoZoom) {
        om_ZoomIn->setEnabled(false);
        pop_ZoomIn->setEnabled(false);
    }
}

void TTelaMedicao::ZoomFeito() {
    if (om_Pan->isChecked())
        return;
    om_ZoomOut->setEnabled(true);
    pop_VoltarZoom->setEnabled(true);
    Grafico->definirModoMouse(PainelGrafico::ModoMouse::Normal);
}

void TTelaMedicao::ZoomOut() {
    if (TopoZoom <= 0)
        return;
    const NivelZoom& n = PilhaZoom[static_cast<size_t>(TopoZoom)];
    Grafico->definirFaixa(Eixo::X, n.xMin, n.xMax);
    Grafico->definirFaixa(Eixo::Y, n.yMin, n.yMax);
    --TopoZoom;
    om_ZoomIn->setEnabled(true);
    pop_ZoomIn->setEnabled(true);
    if (TopoZoom == 0) {
        om_ZoomOut->setEnabled(false);
        pop_VoltarZoom->setEnabled(false);
    }
    if (!om_Pan->isChecked())
        Grafico->definirModoMouse(PainelGrafico::ModoMouse::Normal);
    Grafico->atualizar();
}

void TTelaMedicao::AlternarPan() {
    Grafico->definirModoMouse(om_Pan->isChecked() ? PainelGrafico::ModoMouse::Pan
                                                  : PainelGrafico::ModoMouse::Normal);
}

void TTelaMedicao::definirGrade(QAction* item) {
    const std::pair<QAction*, PainelGrafico::Grade> grades[] = {
        {om_GradeSolida, PainelGrafico::Grade::Solida},
        {om_GradeTracejada, PainelGrafico::Grade::Pontilhada},
        {om_GradePontos, PainelGrafico::Grade::Pontos},
        {om_GradeSem, PainelGrafico::Grade::Nenhuma}};
    for (const auto& [acao, grade] : grades) {
        acao->setChecked(acao == item);
        if (acao == item)
            Grafico->definirGrade(grade);
    }
    Grafico->atualizar();
}

void TTelaMedicao::definirEixo(bool cota, bool logaritmico) {
    const Eixo e = cota ? Eixo::Y : Eixo::X;
    Grafico->definirLogaritmico(e, logaritmico);
    Grafico->definirCasasDecimais(e, logaritmico ? -2 : 2);
    (cota ? om_CotaDecimal : om_VazaoDecimal)->setChecked(!logaritmico);
    (cota ? om_CotaLogaritmico : om_VazaoLogaritmico)->setChecked(logaritmico);
    Grafico->atualizar();
    update();
}

void TTelaMedicao::CriarNovoEixo() {
    Interacao& interacao = contexto_.interacao;
    if (NumEixos >= maximoEixos) {
        interacao.mensagem(QStringLiteral("Gráfico já possui o limite de eixos (8)"),
                           QStringLiteral("Atenção!"));
        return;
    }
    TfrmDigitarNumero& prompt = *contexto_.frmDigitarNumero;
    prompt.preparar(QStringLiteral("Eixo X (cm)"), 0, 0);
    interacao.executar(prompt);
    if (!prompt.Confirmado)
        return;
    const double x = prompt.valor();
    prompt.preparar(QStringLiteral("Eixo Y (cm)"), 0, 0);
    interacao.executar(prompt);
    if (!prompt.Confirmado)
        return;
    const double y = prompt.valor();
    Grafico->removerUltimo();
    Grafico->polilinha({{x, -10000}, {x, 10000}}, Qt::black, 1, Qt::DashDotDotLine);
    Grafico->polilinha({{-10000, y}, {10000, y}}, Qt::black, 1, Qt::DashDotDotLine);
    ++NumEixos;
    QAction* entrada = om_Eixos[static_cast<size_t>(NumEixos - 1)];
    entrada->setText(QStringLiteral("X = ") + formatar(x, QStringLiteral("0")) +
                     QStringLiteral(", Y = ") + formatar(y, QStringLiteral("0")));
    entrada->setVisible(true);
    Consulta& m = contexto_.dm.qu_medida1;
    if (!m.vazio())
        Grafico->marcar(m.campo(QStringLiteral("vazao")).comoReal(),
                        m.campo(QStringLiteral("cota")).comoReal(), Marca::XNegrito, amarelo);
    Grafico->atualizar();
}

void TTelaMedicao::InicializarAjuste() {
    if (!contexto_.interacao.pergunta(
            QStringLiteral("Ajuste atual será descartado. Confirma reinicializar ajuste?"),
            QString()))
        return;
    ReiniciarConsulta = true;
    FormShow();
}

void TTelaMedicao::CopiarFigura() {
    QWidget* area = Grafico->parentWidget();
    const QPixmap figura =
        area->grab(area->contentsRect().adjusted(0, MenuMedicao->height(), 0, 0));
    QApplication::clipboard()->setPixmap(figura);
    contexto_.interacao.mensagem(QStringLiteral("Figura copiada para área de tranferência"),
                                 QString());
}

void TTelaMedicao::RelacaoVazoes() {
    TMostrarPontosExtrapolados& dialogo = *contexto_.MostrarPontosExtrapolados;
    dialogo.setWindowTitle(QStringLiteral("Dados calculados"));
    dialogo.Codigo = contexto_.dm.qu_estacao1.campo(QStringLiteral("Codigo")).comoTexto();
    QStringList cabecalho{QString(),
                          QString(),
                          QStringLiteral("Vazão calc").leftJustified(11),
                          QStringLiteral("Desvio%").leftJustified(11),
                          QString(),
                          QString()};
    auto linhas = linhasRelacaoVazoes(contexto_.dm.qu_medida1, TabelaDesvios);
    validacao_->completarRelacao(cabecalho, linhas, dialogo);
    dialogo.preencher(cabecalho, linhas);
    contexto_.interacao.executar(dialogo);
}

void TTelaMedicao::Seleodeparmetros1Click() {
    TfrmParmsCurva& dialogo = *contexto_.frmParmsCurva;
    const Consulta& estacoes = contexto_.dm.qu_estacao1;
    dialogo.preparar(estacoes.campo(QStringLiteral("Codigo")).comoTexto(),
                     estacoes.campo(QStringLiteral("Descricao")).comoTexto(), TotalCurvas + 1,
                     CotaMinMedicoes);
    contexto_.interacao.executar(dialogo);
    if (!dialogo.Confirmado || !ReservarCurva()) {
        Grafico->unsetCursor();
        return;
    }
    Grafico->removerUltimo();
    const int numero = TotalCurvas;
    const CriteriosDaCurva criterios = dialogo.criterios();
    for (const PontoObrigatorio& ponto : criterios.pontos)
        inserirPontoObrigatorio(contexto_.dm.conexao(), estacao_, numero, ponto,
                                ContadorObrigatorios);
    const QString condicao = condicaoCurva(criterios.condicoes, estacao_, numero);
    const int linhas = AjustarETracar(numero, {condicao}, criterios.descricoes, dialogo.Algoritmo,
                                      dialogo.Parametro, criterios.cor);
    if (linhas < 2)
        FormShow();
    else
        GeraLegenda(numero);
    Grafico->unsetCursor();
}

void TTelaMedicao::om_ExcluirPontosClick() {
    if (AjusteAtivo && !contexto_.interacao.pergunta(
                           QStringLiteral("Ajuste atual será descartado. Continua?"), QString()))
        return;
    ReiniciarConsulta = true;
    FormShow();
    contexto_.interacao.executar(*contexto_.CriterioExclusao);
    Consulta& medidas = contexto_.dm.qu_medida1;
    FormatQuery(medidas);
    Grafico->limpar();
    Grafico->definirFundo(palette().color(QPalette::Window));
    medidas.reabrir();
    TracarPontosSecao();
    marcarPrimeira();
}

void TTelaMedicao::marcarPrimeira() {
    Consulta& medidas = contexto_.dm.qu_medida1;
    medidas.primeiro();
    if (!medidas.vazio())
        Grafico->marcar(medidas.campo(QStringLiteral("vazao")).comoReal(),
                        medidas.campo(QStringLiteral("cota")).comoReal(), Marca::XNegrito, amarelo);
    Grafico->atualizar();
    mostrarDesvioAtual();
}

void TTelaMedicao::CalcularAjusteFixo() {
    for (int i = 1; i <= TotalCurvas; ++i) {
        CurvaTrecho& curva = Trechos[static_cast<size_t>(i)];
        curva.K = 0;
        curva.M = 0;
        if (curva.Algoritmo == AlgoritmoCurva::Potencial)
            CalcularKMComH0Fixo(curva);
    }
}

void TTelaMedicao::RedesenharTudo() {
    Grafico->limpar();
    TracarPontosSecao();
    for (int i = 1; i <= TotalCurvas; ++i) {
        TracarPontos(Trechos[static_cast<size_t>(i)]);
        TracarCurva(Trechos[static_cast<size_t>(i)]);
    }
    ajustesSalvos_->TracarSobreposicoes();
    // The current measurement is marked last, as after every change of the chart.
    marcarPrimeira();
}

void TTelaMedicao::om_AjusteH0Click() {
    TAjusteFixo& dialogo = *contexto_.AjusteFixo;
    dialogo.preencher(Trechos.data(), TotalCurvas);
    contexto_.interacao.executar(dialogo);
    if (dialogo.Confirmado) {
        for (int i = 1; i <= TotalCurvas; ++i) {
            double h0 = 0;
            if (Trechos[static_cast<size_t>(i)].Algoritmo == AlgoritmoCurva::Potencial &&
                dialogo.h0DaLinha(i - 1, h0))
                Trechos[static_cast<size_t>(i)].H0 = h0;
        }
        CalcularAjusteFixo();
        RedesenharTudo();
        TopoZoom = 0;
    }
    ReconstruirLegenda();
}

void TTelaMedicao::om_AjustaTodosClick() {
    for (QMenu* m : {mnuLumeno, mnuExtrapolacao, mnuSecao})
        m->setEnabled(false);
    TAjusteFixoGeral& dialogo = *contexto_.AjusteFixoGeral;
    dialogo.Tela = this;
    contexto_.interacao.executar(dialogo);
    for (QMenu* m : {mnuLumeno, mnuExtrapolacao, mnuSecao})
        m->setEnabled(true);
    ReconstruirLegenda();
}

void TTelaMedicao::AlternarEquacoes() {
    pnlParametros->setVisible(om_MostrarEquacoes->isChecked());
    pnlParametros->raise();
}

bool TTelaMedicao::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto != pnlParametros)
        return QDialog::eventFilter(objeto, evento);
    switch (evento->type()) {
        case QEvent::MouseMove: {
            const auto* e = static_cast<QMouseEvent*>(evento);
            const QPoint p = e->position().toPoint();
            const QPoint tela = e->globalPosition().toPoint();
            if (arrastando_) {
                pnlParametros->move(pnlParametros->pos() + (tela - ultimoPonteiro_));
                ultimoPonteiro_ = tela;
            } else if (redimensionando_) {
                const QPoint d = tela - ultimoPonteiro_;
                ultimoPonteiro_ = tela;
                QRect g = pnlParametros->geometry();
                if (cursorPainel_ == Qt::SizeVerCursor) {
                    if (peloTopoOuEsquerda_)
                        g.setTop(g.top() + d.y());
                    else
                        g.setHeight(g.height() + d.y());
                } else {
                    if (peloTopoOuEsquerda_)
                        g.setLeft(g.left() + d.x());
                    else
                        g.setWidth(g.width() + d.x());
                }
                if (g.width() > 40 && g.height() > 30)
                    pnlParametros->setGeometry(g);
            } else {
                const int w = pnlParametros->width(), h = pnlParametros->height();
                peloTopoOuEsquerda_ = false;
                if (p.y() >= h - 4 || p.y() < 4) {
                    cursorPainel_ = Qt::SizeVerCursor;
                    peloTopoOuEsquerda_ = p.y() < 4;
                } else if (p.x() >= w - 4 || p.x() < 4) {
                    cursorPainel_ = Qt::SizeHorCursor;
                    peloTopoOuEsquerda_ = p.x() < 4;
                } else {
                    cursorPainel_ = Qt::ArrowCursor;
                }
                pnlParametros->setCursor(cursorPainel_);
            }
            return true;
        }
        case QEvent::MouseButtonPress: {
            const auto* e = static_cast<QMouseEvent*>(evento);
            ultimoPonteiro_ = e->globalPosition().toPoint();
            if (cursorPainel_ == Qt::ArrowCursor)
                arrastando_ = true;
            else
                redimensionando_ = true;
            return true;
        }
        case QEvent::MouseButtonRelease:
            arrastando_ = redimensionando_ = false;
            return true;
        default:
            return QDialog::eventFilter(objeto, evento);
    }
}

void TTelaMedicao::fechar() {
    TDM& dm = contexto_.dm;
    dm.qu_medida1.fechar();
    if (contexto_.fecharVistaSecao)
        contexto_.fecharVistaSecao();
    if (contexto_.frmDadosEstacao)
        contexto_.frmDadosEstacao->hide();
    contexto_.criterios.LimpaCriterios();
    for (int i = 1; i <= TotalCurvas; ++i)
        LiberarCurvaTrecho(Trechos[static_cast<size_t>(i)]);
    semMedicoes_ = false;
}

void TTelaMedicao::done(int resultado) {
    fechar();
    QDialog::done(resultado);
}

void TTelaMedicao::reject() {
    if (ajustesSalvos_->PodeFechar())
        QDialog::reject();
}

}  // namespace lumeno
