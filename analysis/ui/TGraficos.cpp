#include "analysis/ui/TGraficos.h"

#include "analysis/ArquivoFigura.h"
#include "analysis/ui/RotulosMedicao.h"
#include "analysis/ui/TColorirPontos.h"
#include "analysis/ui/TfrmPontosLumeno.h"
#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "curves/CriteriosExclusao.h"
#include "data/TDM.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace lumeno {

using Eixo = PainelGrafico::Eixo;
using Marca = PainelGrafico::Marca;

namespace {
const QColor azul(0, 0, 255);
const QColor vermelho(255, 0, 0);

// A value as the charts take it: an empty field is not drawn (nor found by a click).
double valorGrafico(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return std::numeric_limits<double>::quiet_NaN();
    return Campo(v).comoReal();
}
}  // namespace

TGraficos::TGraficos(Contexto& contexto, QWidget* pai) : QDialog(pai), contexto_(contexto) {
    setWindowTitle(QStringLiteral("Analisar dados"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menu = new QMenuBar(this);
    layout->setMenuBar(menu);
    auto* area = new QWidget(this);
    criarPaineis(area);
    layout->addWidget(area, 1);
    Panel4 = new QWidget(this);
    criarRodape();
    layout->addWidget(Panel4);
    criarMenu();

    ColorirPontosDialogo = new TColorirPontos(contexto_, *this, this);
    PontosLumeno = new TfrmPontosLumeno(contexto_, this);

    connect(&contexto_.dm.qu_medida1, &ConjuntoDados::registroMudou, this,
            &TGraficos::atualizarRodape);
    connect(&contexto_.dm.qu_medida1, &ConjuntoDados::estadoMudou, this,
            &TGraficos::atualizarRodape);
    resize(900, 720);
}

TGraficos::~TGraficos() = default;

void TGraficos::criarPaineis(QWidget* area) {
    auto* coluna = new QVBoxLayout(area);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);
    const struct {
        const char* campo;
        const char* titulo;
    } definicoes[] = {
        {"vazao", "Vazão (m³/s)"}, {"area", "Área (m²)"}, {"velocidade", "Velocidade (m/s)"}};
    Interacao& interacao = contexto_.interacao;
    for (int i = 0; i < 3; ++i) {
        Painel& p = paineis_[static_cast<size_t>(i)];
        p.campo = QLatin1String(definicoes[i].campo);
        p.painel = new QWidget(area);
        auto* l = new QVBoxLayout(p.painel);
        l->setContentsMargins(0, 0, 0, 0);
        p.grafico = new PainelGrafico(p.painel);
        p.grafico->definirMargens(30, 20, 13, 30);
        p.grafico->definirTitulo(Eixo::X, QString::fromUtf8(definicoes[i].titulo));
        p.grafico->definirTitulo(Eixo::Y, QStringLiteral("Cota (cm)"));
        p.grafico->definirCasasDecimais(Eixo::Y, 0);
        p.grafico->definirGrade(PainelGrafico::Grade::Nenhuma);
        p.grafico->definirFundo(palette().color(QPalette::Button));
        l->addWidget(p.grafico);
        coluna->addWidget(p.painel, 1);

        p.zoomIn = new QAction(QStringLiteral("Zoom &In"), p.grafico);
        p.voltarZoom = new QAction(QStringLiteral("&Voltar zoom"), p.grafico);
        p.selecionarCor = new QAction(QStringLiteral("&Selecionar cor"), p.grafico);
        p.grafico->setContextMenuPolicy(Qt::ActionsContextMenu);
        p.grafico->addActions({p.zoomIn, p.voltarZoom, p.selecionarCor});
        connect(p.zoomIn, &QAction::triggered, this, comando(interacao, [this, i] { ZoomIn(i); }));
        connect(p.voltarZoom, &QAction::triggered, this,
                comando(interacao, [this, i] { VoltarZoom(i); }));
        connect(p.selecionarCor, &QAction::triggered, this,
                comando(interacao, [this] { EscolherCorAtual(); }));
        connect(p.grafico, &PainelGrafico::zoomFeito, this,
                comando(interacao, [this, i] { ZoomFeito(i); }));
        connect(p.grafico, &PainelGrafico::clicado, this,
                comando(interacao, [this, i](QPointF ponto) { SelecionarNoGrafico(i, ponto); }));
    }
    rcCotaVazao = paineis_[CotaVazao].grafico;
    rcCotaArea = paineis_[CotaArea].grafico;
    rcCotaVelocidade = paineis_[CotaVelocidade].grafico;
    Panel1 = paineis_[CotaVazao].painel;
    Panel2 = paineis_[CotaArea].painel;
    Panel3 = paineis_[CotaVelocidade].painel;
    om_ZoomIn1 = paineis_[CotaVazao].zoomIn;
    om_ZoomOut1 = paineis_[CotaVazao].voltarZoom;
    om_SelecionarCor1 = paineis_[CotaVazao].selecionarCor;
    om_ZoomIn2 = paineis_[CotaArea].zoomIn;
    om_ZoomOut2 = paineis_[CotaArea].voltarZoom;
    om_SelecionarCor2 = paineis_[CotaArea].selecionarCor;
    om_ZoomIn3 = paineis_[CotaVelocidade].zoomIn;
    om_ZoomOut3 = paineis_[CotaVelocidade].voltarZoom;
    om_SelecionarCor3 = paineis_[CotaVelocidade].selecionarCor;
}

void TGraficos::criarRodape() {
    auto* grade = new QGridLayout(Panel4);
    grade->setContentsMargins(8, 3, 8, 3);
    grade->setHorizontalSpacing(6);
    auto valor = [this] { return RotulosMedicao::novoValor(Panel4, 80); };
    lbNumero = valor();
    lbData = valor();
    lbCota = valor();
    lbVazao = valor();
    lbArea = valor();
    lbVelocidade = valor();
    const struct {
        const char* rotulo;
        QLabel* valor;
    } campos[] = {{"Número", lbNumero}, {"Data", lbData}, {"Cota", lbCota},
                  {"Vazão", lbVazao},   {"Área", lbArea}, {"Velocidade", lbVelocidade}};
    int coluna = 0;
    for (const auto& c : campos) {
        grade->addWidget(new QLabel(QString::fromUtf8(c.rotulo), Panel4), 0, coluna);
        grade->addWidget(c.valor, 1, coluna);
        ++coluna;
    }
    auto botao = [this](Qt::ArrowType seta, const QString& dica) {
        auto* b = new QToolButton(Panel4);
        b->setArrowType(seta);
        b->setToolTip(dica);
        b->setFixedSize(28, 22);
        return b;
    };
    DBNavigationButton1 = botao(Qt::LeftArrow, QStringLiteral("Medição anterior"));
    DBNavigationButton = botao(Qt::RightArrow, QStringLiteral("Próxima medição"));
    auto* navegacao = new QHBoxLayout;
    navegacao->setSpacing(2);
    navegacao->addWidget(DBNavigationButton1);
    navegacao->addWidget(DBNavigationButton);
    grade->addLayout(navegacao, 0, coluna, 2, 1, Qt::AlignVCenter);
    grade->setColumnStretch(coluna + 1, 1);
    connect(DBNavigationButton1, &QToolButton::clicked, this,
            comando(contexto_.interacao, [this] { Anterior(); }));
    connect(DBNavigationButton, &QToolButton::clicked, this,
            comando(contexto_.interacao, [this] { Proximo(); }));
}

void TGraficos::criarMenu() {
    Interacao& interacao = contexto_.interacao;
    QMenu* grafico = menu->addMenu(QStringLiteral("&Gráfico"));
    mniGeral = grafico->addAction(QStringLiteral("&Geral"));
    mniCotaVazao = grafico->addAction(QStringLiteral("Cota x &Vazão"));
    mniCotaVelocidade = grafico->addAction(QStringLiteral("Cota x V&elocidade"));
    mniCotaArea = grafico->addAction(QStringLiteral("Cota x &Área"));
    grafico->addSeparator();
    mniSalvarFigura = grafico->addAction(QStringLiteral("&Salvar figura"));
    const std::pair<QAction*, Layout> layouts[] = {{mniGeral, Layout::Geral},
                                                   {mniCotaVazao, Layout::SoCotaVazao},
                                                   {mniCotaVelocidade, Layout::SoCotaVelocidade},
                                                   {mniCotaArea, Layout::SoCotaArea}};
    for (const auto& [acao, l] : layouts) {
        acao->setCheckable(true);
        connect(acao, &QAction::triggered, this,
                comando(interacao, [this, l = l] { DefinirLayout(l); }));
    }
    connect(mniSalvarFigura, &QAction::triggered, this,
            comando(interacao, [this] { SalvarFigura(); }));

    QMenu* escala = menu->addMenu(QStringLiteral("&Escala"));
    QMenu* x = escala->addMenu(QStringLiteral("Eixo X (vazão, área e velocidade)"));
    mniXDecimal = x->addAction(QStringLiteral("&Decimal"));
    mniXLogaritmica = x->addAction(QStringLiteral("&Logarítmica"));
    QMenu* y = escala->addMenu(QStringLiteral("Eixo Y (cota)"));
    mniYDecimal = y->addAction(QStringLiteral("&Decimal"));
    mniYLogaritmica = y->addAction(QStringLiteral("&Logarítmica"));
    const struct {
        QAction* acao;
        bool vertical, logaritmico;
    } eixos[] = {{mniXDecimal, false, false},
                 {mniXLogaritmica, false, true},
                 {mniYDecimal, true, false},
                 {mniYLogaritmica, true, true}};
    for (const auto& e : eixos) {
        e.acao->setCheckable(true);
        connect(
            e.acao, &QAction::triggered, this,
            comando(interacao, [this, v = e.vertical, l = e.logaritmico] { DefinirEixo(v, l); }));
    }

    QMenu* cores = menu->addMenu(QStringLiteral("&Opções de cores"));
    mniSelecionarCor = cores->addAction(QStringLiteral("&Selecionar cor"));
    mniColorirPontos = cores->addAction(QStringLiteral("&Colorir pontos"));
    mniDescolorir = cores->addAction(QStringLiteral("&Descolorir"));
    connect(mniSelecionarCor, &QAction::triggered, this,
            comando(interacao, [this] { NovoConjunto(); }));
    connect(mniColorirPontos, &QAction::triggered, this,
            comando(interacao, [this] { ColorirPontos(); }));
    connect(mniDescolorir, &QAction::triggered, this, comando(interacao, [this] { Descolorir(); }));

    mniLegenda = menu->addMenu(QStringLiteral("&Legenda"));
    mniGerarLumeno = menu->addAction(QStringLiteral("Gerar Lumeno"));
    connect(mniGerarLumeno, &QAction::triggered, this,
            comando(interacao, [this] { GerarLumeno(); }));
}

void TGraficos::Abrir() {
    // The window is initialised when it opens, not at every showing, so that a window
    // shown again (restored, uncovered) keeps its point sets.
    Carregar();
    contexto_.interacao.executar(*this);
}

void TGraficos::Carregar() {
    TDM& dm = contexto_.dm;
    const Consulta& estacoes = dm.qu_estacao1;
    estacao_ = estacoes.campo(QStringLiteral("IdEstacao")).comoInteiro();
    Tabela& estacao = dm.tb_estacao;
    estacao.fechar();
    estacao.definirIndice(QString());
    estacao.abrir();
    estacao.localizar(QStringLiteral("IdEstacao"), estacao_);

    QString titulo = QStringLiteral("Analisar dados - estacao: ") +
                     estacoes.campo(QStringLiteral("Codigo")).comoTexto() + QLatin1Char(' ') +
                     estacoes.campo(QStringLiteral("Descricao")).comoTexto();
    Tabela& rio = dm.tb_rio;
    rio.abrir();
    const Campo idRio = estacoes.campo(QStringLiteral("Rio"));
    if (!idRio.nulo() && rio.localizar(QStringLiteral("IdRio"), idRio.valor()))
        titulo += QStringLiteral("  (") + rio.campo(QStringLiteral("Nome")).comoTexto() +
                  QLatin1Char(')');
    rio.fechar();
    setWindowTitle(titulo);
    Inicializar();
}

void TGraficos::prepararMedidas() {
    Consulta& medidas = contexto_.dm.qu_medida1;
    medidas.fechar();
    medidas.SQL = TDM::textoBaseMedida1();
    contexto_.criterios.FormatQuery(medidas);
    medidas.definirParametro(QStringLiteral("est"), estacao_);
}

void TGraficos::apagarLinhasObrigatorias() {
    auto q = contexto_.dm.novaConsulta();
    q->SQL << QStringLiteral("delete from medida where estacao = :est and ponto_obrigatorio <> 0");
    q->definirParametro(QStringLiteral("est"), estacao_);
    q->executar();
}

void TGraficos::Inicializar() {
    TDM& dm = contexto_.dm;
    // 1. The view: all three charts, decimal axes.
    DefinirLayout(Layout::Geral);
    for (Painel& p : paineis_)
        for (Eixo e : {Eixo::X, Eixo::Y})
            p.grafico->definirLogaritmico(e, false);
    mniXDecimal->setChecked(true);
    mniXLogaritmica->setChecked(false);
    mniYDecimal->setChecked(true);
    mniYLogaritmica->setChecked(false);
    // 2. Zoom histories, mouse, point sets.
    for (Painel& p : paineis_) {
        p.topo = 0;
        p.zoomIn->setEnabled(true);
        p.voltarZoom->setEnabled(false);
        p.grafico->definirModoMouse(PainelGrafico::ModoMouse::Normal);
        p.grafico->limpar();
    }
    Conjuntos.clear();
    mniLegenda->clear();
    Extremos = {};
    CotaMinMedicoes = 0;
    // 3. The station's section and measurements.
    apagarLinhasObrigatorias();
    dm.qu_ponto1.fechar();
    dm.qu_ponto1.definirParametro(QStringLiteral("est"), estacao_);
    dm.qu_ponto1.abrir();
    Consulta& medidas = dm.qu_medida1;
    prepararMedidas();
    medidas.abrir();
    // 4.
    if (medidas.vazio()) {
        for (Painel& p : paineis_)
            p.grafico->atualizar();
        return;
    }
    // 5. Ranges widened by a twentieth of each span.
    Extremos = lerExtremosMedicoes(dm.conexao(), estacao_);
    CotaMinMedicoes = Extremos.cota.minimo;
    const FaixaEixo cotas = faixaAmpliada(Extremos.cota.minimo, Extremos.cota.maximo);
    for (int i = 0; i < 3; ++i) {
        const FaixaEixo x = faixaHorizontal(i);
        Grafico(i)->definirFaixa(Eixo::X, x.minimo, x.maximo);
        Grafico(i)->definirFaixa(Eixo::Y, cotas.minimo, cotas.maximo);
    }
    // 6. Every measurement, the first in blue and the others black.
    CorAtual = azul;
    {
        const QSignalBlocker bloqueio(&medidas);
        const int cCota = medidas.indiceCampo(QStringLiteral("cota"));
        std::array<int, 3> colunas{};
        for (size_t i = 0; i < 3; ++i)
            colunas[i] = medidas.indiceCampo(paineis_[i].campo);
        QColor cor = CorAtual;
        for (medidas.primeiro(); !medidas.eof(); medidas.proximo()) {
            const double cota = valorGrafico(medidas.valor(cCota));
            for (size_t i = 0; i < 3; ++i)
                paineis_[i].grafico->marcar(valorGrafico(medidas.valor(colunas[i])), cota,
                                            Marca::XPequeno, cor);
            cor = Qt::black;
        }
    }
    // 7. The first measurement and the set that starts there.
    medidas.primeiro();
    const QString numero = QString::number(numeroAtual());
    adicionarConjunto({ConjuntoPontos::Medicao, numero, numero, corWindows(CorAtual)});
    // 8.
    marcarAtual();
}

FaixaEixo TGraficos::faixaHorizontal(int grafico) const {
    const FaixaEixo& f = grafico == CotaVazao  ? Extremos.vazao
                         : grafico == CotaArea ? Extremos.area
                                               : Extremos.velocidade;
    return faixaAmpliada(f.minimo, f.maximo);
}

int TGraficos::numeroAtual() const {
    return contexto_.dm.qu_medida1.campo(QStringLiteral("numero")).comoInteiro();
}

void TGraficos::marcarAtual() {
    const Consulta& m = contexto_.dm.qu_medida1;
    const double cota = valorGrafico(m.valor(QStringLiteral("cota")));
    for (Painel& p : paineis_) {
        const double x = valorGrafico(m.valor(p.campo));
        p.grafico->marcar(x, cota, Marca::XPequeno, CorAtual);
        p.grafico->marcar(x, cota, Marca::Disco, vermelho);
        p.grafico->atualizar();
    }
}

void TGraficos::atualizarRodape() {
    const Consulta& m = contexto_.dm.qu_medida1;
    const bool ativo = m.ativo() && !m.vazio();
    RotulosMedicao{lbNumero, lbData, lbCota, lbVazao, lbArea, lbVelocidade}.mostrar(m);
    const int n = m.numeroRegistro();
    DBNavigationButton1->setEnabled(ativo && n > 1);
    DBNavigationButton->setEnabled(ativo && n < m.totalRegistros());
}

void TGraficos::adicionarConjunto(const ConjuntoPontos& conjunto) {
    Conjuntos.push_back(conjunto);
    mniLegenda->addAction(QIcon(quadradoCor(corQt(conjunto.Cor))), legendaConjunto(conjunto));
}

void TGraficos::atualizarLegenda() {
    const QList<QAction*> itens = mniLegenda->actions();
    if (!itens.isEmpty() && !Conjuntos.empty())
        itens.last()->setText(legendaConjunto(Conjuntos.back()));
}

void TGraficos::Proximo() {
    passo(true);
}

void TGraficos::Anterior() {
    passo(false);
}

void TGraficos::passo(bool adiante) {
    Consulta& m = contexto_.dm.qu_medida1;
    if (m.vazio())
        return;
    const int posicao = m.numeroRegistro();
    if (adiante ? posicao >= m.totalRegistros() : posicao <= 1)
        return;
    if (adiante)
        m.proximo();
    else
        m.anterior();
    // The mark of the measurement left goes; the new one is drawn over its cross.
    for (Painel& p : paineis_)
        p.grafico->removerUltimo();
    marcarAtual();
    const int numero = numeroAtual();
    if (Conjuntos.empty() || Conjuntos.back().Tipo != ConjuntoPontos::Medicao) {
        // A set made by selection keeps its limits; the walk starts a set of its own.
        const QString n = QString::number(numero);
        adicionarConjunto({ConjuntoPontos::Medicao, n, n, corWindows(CorAtual)});
    } else if (estenderConjunto(Conjuntos.back(), numero)) {
        atualizarLegenda();
    }
}

void TGraficos::SelecionarNoGrafico(int grafico, const QPointF& posicao) {
    Painel& p = paineis_[static_cast<size_t>(grafico)];
    if (p.grafico->modoMouse() != PainelGrafico::ModoMouse::Normal)
        return;
    const auto item = p.grafico->itemMaisProximo(posicao);
    Consulta& m = contexto_.dm.qu_medida1;
    if (!item || m.vazio())
        return;
    const QString x = fixo2(item->x());
    const QString y = fixo2(item->y());
    const QVariant lembrado = m.valor(QStringLiteral("numero"));
    const int cCota = m.indiceCampo(QStringLiteral("cota"));
    const int cQuantidade = m.indiceCampo(p.campo);
    bool achou = false;
    {
        const QSignalBlocker bloqueio(&m);
        for (m.primeiro(); !m.eof(); m.proximo()) {
            const QVariant cota = m.valor(cCota), quantidade = m.valor(cQuantidade);
            if (quantidade.isNull() || cota.isNull())
                continue;
            if (fixo2(Campo(quantidade).comoReal()) == x && fixo2(Campo(cota).comoReal()) == y) {
                achou = true;
                break;
            }
        }
        if (!achou)
            m.localizar(QStringLiteral("numero"), lembrado);
    }
    atualizarRodape();
    if (!achou)
        return;
    p.grafico->removerUltimo();
    p.grafico->marcar(valorGrafico(m.valor(cQuantidade)), valorGrafico(m.valor(cCota)),
                      Marca::XNegrito, CorAtual);
    p.grafico->atualizar();
}

void TGraficos::ZoomIn(int grafico) {
    Painel& p = paineis_[static_cast<size_t>(grafico)];
    if (p.topo >= maximoZoom)
        return;
    ++p.topo;
    const auto x = p.grafico->faixa(Eixo::X);
    const auto y = p.grafico->faixa(Eixo::Y);
    p.pilha[static_cast<size_t>(p.topo)] = {x.minimo, y.minimo, x.maximo, y.maximo};
    p.grafico->definirModoMouse(PainelGrafico::ModoMouse::Zoom);
    if (p.topo >= maximoZoom)
        p.zoomIn->setEnabled(false);
    p.voltarZoom->setEnabled(true);
}

void TGraficos::ZoomFeito(int grafico) {
    Painel& p = paineis_[static_cast<size_t>(grafico)];
    p.voltarZoom->setEnabled(true);
    p.grafico->definirModoMouse(PainelGrafico::ModoMouse::Normal);
}

void TGraficos::VoltarZoom(int grafico) {
    Painel& p = paineis_[static_cast<size_t>(grafico)];
    if (p.topo <= 0)
        return;
    const NivelZoom& n = p.pilha[static_cast<size_t>(p.topo)];
    p.grafico->definirFaixa(Eixo::X, n.xMin, n.xMax);
    p.grafico->definirFaixa(Eixo::Y, n.yMin, n.yMax);
    --p.topo;
    p.zoomIn->setEnabled(true);
    p.voltarZoom->setEnabled(p.topo > 0);
    // A zoom armed and not dragged is given up with the view it saved.
    p.grafico->definirModoMouse(PainelGrafico::ModoMouse::Normal);
    p.grafico->atualizar();
}

void TGraficos::DefinirLayout(Layout layout) {
    layout_ = layout;
    Panel1->setVisible(layout == Layout::Geral || layout == Layout::SoCotaVazao);
    Panel2->setVisible(layout == Layout::Geral || layout == Layout::SoCotaArea);
    Panel3->setVisible(layout == Layout::Geral || layout == Layout::SoCotaVelocidade);
    mniGeral->setChecked(layout == Layout::Geral);
    mniCotaVazao->setChecked(layout == Layout::SoCotaVazao);
    mniCotaArea->setChecked(layout == Layout::SoCotaArea);
    mniCotaVelocidade->setChecked(layout == Layout::SoCotaVelocidade);
    mniSalvarFigura->setEnabled(layout != Layout::Geral);
}

void TGraficos::DefinirEixo(bool vertical, bool logaritmico) {
    const Eixo e = vertical ? Eixo::Y : Eixo::X;
    const bool comMedicoes = !contexto_.dm.qu_medida1.vazio();
    for (int i = 0; i < 3; ++i) {
        Painel& p = paineis_[static_cast<size_t>(i)];
        p.grafico->definirLogaritmico(e, logaritmico);
        // Back on a decimal axis that was not zoomed, the whole data shows again (the
        // logarithmic axis had to leave out values at or below zero).
        if (!logaritmico && comMedicoes && p.topo == 0) {
            const FaixaEixo f = vertical ? faixaAmpliada(Extremos.cota.minimo, Extremos.cota.maximo)
                                         : faixaHorizontal(i);
            p.grafico->definirFaixa(e, f.minimo, f.maximo);
        }
        p.grafico->atualizar();
    }
    (vertical ? mniYDecimal : mniXDecimal)->setChecked(!logaritmico);
    (vertical ? mniYLogaritmica : mniXLogaritmica)->setChecked(logaritmico);
}

void TGraficos::SalvarFigura() {
    int grafico = CotaVazao;
    QString titulo;
    switch (layout_) {
        case Layout::Geral:
            return;
        case Layout::SoCotaVazao:
            grafico = CotaVazao;
            titulo = QStringLiteral("Salvar gráfico Cota x Vazão");
            break;
        case Layout::SoCotaArea:
            grafico = CotaArea;
            titulo = QStringLiteral("Salvar gráfico Cota x Área");
            break;
        case Layout::SoCotaVelocidade:
            grafico = CotaVelocidade;
            titulo = QStringLiteral("Salvar gráfico Cota x Velocidade");
            break;
    }
    const auto escolhido = contexto_.interacao.salvarArquivoComFiltro(
        titulo, QStringLiteral("Arquivo BMP (*.bmp);;Arquivo PNG (*.png);;Arquivo SVG (*.svg)"),
        QStringLiteral("bmp"));
    if (!escolhido)
        return;
    QString formato = QStringLiteral("bmp");
    if (escolhido->filtro.contains(QStringLiteral("*.png")))
        formato = QStringLiteral("png");
    else if (escolhido->filtro.contains(QStringLiteral("*.svg")))
        formato = QStringLiteral("svg");
    // A bitmap takes the name up to its first "."; a PNG or SVG picture keeps a name that
    // already ends in its extension.
    Grafico(grafico)->salvar(
        arquivoFigura(escolhido->caminho, formato, formato != QLatin1String("bmp")));
}

void TGraficos::EscolherCorAtual() {
    const auto cor = contexto_.interacao.escolherCor(CorAtual);
    if (cor)
        CorAtual = QColor(cor->rgb());
}

void TGraficos::NovoConjunto() {
    if (contexto_.dm.qu_medida1.vazio())
        return;
    const auto cor = contexto_.interacao.escolherCor(CorAtual);
    if (!cor)
        return;
    for (Painel& p : paineis_)
        p.grafico->removerUltimo();
    CorAtual = QColor(cor->rgb());
    marcarAtual();
    const QString n = QString::number(numeroAtual());
    adicionarConjunto({ConjuntoPontos::Medicao, n, n, corWindows(CorAtual)});
}

void TGraficos::ColorirPontos() {
    contexto_.interacao.executar(*ColorirPontosDialogo);
}

void TGraficos::ColorirSelecao(const SelecaoPontos& selecao, std::uint32_t cor) {
    // An invalid date stops here, before anything is added or drawn.
    const ConjuntoPontos conjunto = conjuntoDaSelecao(selecao, cor);
    auto q = contexto_.dm.novaConsulta();
    prepararSelecao(*q, selecao, estacao_);
    q->abrir();
    adicionarConjunto(conjunto);
    if (q->vazio()) {
        contexto_.interacao.mensagem(QStringLiteral("Seleção não retornou nenhum ponto"),
                                     QStringLiteral("Atenção"));
        return;
    }
    const QColor corQ = corQt(cor);
    const int cCota = q->indiceCampo(QStringLiteral("cota"));
    for (Painel& p : paineis_) {
        // The mark of the current measurement stays the last item, so that the next step
        // removes it and not a coloured cross.
        std::optional<PainelGrafico::Item> marca;
        if (p.grafico->totalItens() > 0) {
            marca = p.grafico->item(p.grafico->totalItens() - 1);
            p.grafico->removerUltimo();
        }
        const int coluna = q->indiceCampo(p.campo);
        for (q->primeiro(); !q->eof(); q->proximo())
            p.grafico->marcar(valorGrafico(q->valor(coluna)), valorGrafico(q->valor(cCota)),
                              Marca::XPequeno, corQ);
        if (marca)
            p.grafico->marcar(marca->pontos.constFirst().x(), marca->pontos.constFirst().y(),
                              marca->marca, marca->cor);
        p.grafico->atualizar();
    }
}

void TGraficos::Descolorir() {
    if (contexto_.interacao.pergunta(QStringLiteral("Confirma ação?"),
                                     QStringLiteral("Descolorir")))
        Inicializar();
}

void TGraficos::GerarLumeno() {
    if (Conjuntos.empty()) {
        contexto_.interacao.mensagem(
            QStringLiteral("Deve-se definir ao menos um conjunto de pontos"),
            QStringLiteral("Atenção"));
        return;
    }
    QStringList legendas;
    for (const QAction* item : mniLegenda->actions())
        legendas << item->text();
    PontosLumeno->Preencher(legendas, Conjuntos, CotaMinMedicoes);
    Consulta& medidas = contexto_.dm.qu_medida1;
    const QVariant atual = medidas.valor(QStringLiteral("numero"));
    contexto_.interacao.executar(*PontosLumeno);
    // The curve-adjustment window, if it was opened, closed the measurements and may have
    // left mandatory-point rows; back on the measurement that the charts mark.
    apagarLinhasObrigatorias();
    prepararMedidas();
    medidas.abrir();
    if (!medidas.localizar(QStringLiteral("numero"), atual))
        medidas.primeiro();
}

}  // namespace lumeno
