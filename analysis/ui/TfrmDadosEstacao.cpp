#include "analysis/ui/TfrmDadosEstacao.h"

#include "analysis/DadosEstacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "components/EscritorPlanilha.h"
#include "validation/ui/PainelValidacao.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lumeno {

namespace {

const QString formatoValor = QStringLiteral("###0.00");
const QString formatoPonto = QStringLiteral("0.00");

QLineEdit* campoSomenteLeitura(QWidget* pai) {
    auto* c = new QLineEdit(pai);
    c->setReadOnly(true);
    return c;
}

void pintarAmostra(QLineEdit* amostra, std::uint32_t cor) {
    amostra->setStyleSheet(
        QStringLiteral("QLineEdit { background-color: %1; }").arg(corQt(cor).name()));
}

QLineEdit* amostraCor(QWidget* pai) {
    QLineEdit* c = campoSomenteLeitura(pai);
    c->setFocusPolicy(Qt::NoFocus);
    c->setFixedWidth(60);
    return c;
}

QString valorOpcional(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return QString();
    return formatar(v.toDouble(), formatoValor);
}

// 16 × 16 pictures of the lists.
QPixmap figuraMedicao() {
    QPixmap p(16, 16);
    p.fill(Qt::white);
    QPainter g(&p);
    g.setPen(QPen(Qt::black, 1.5));
    g.drawLine(4, 4, 11, 11);
    g.drawLine(4, 11, 11, 4);
    return p;
}

QPixmap figuraLimite() {
    QPixmap p(16, 16);
    p.fill(Qt::white);
    QPainter g(&p);
    g.setPen(QPen(QColor(0, 0, 128), 1));
    g.drawLine(2, 2, 13, 2);
    g.drawLine(2, 13, 13, 13);
    g.drawLine(7, 4, 7, 11);
    g.drawLine(5, 6, 7, 4);
    g.drawLine(9, 6, 7, 4);
    g.drawLine(5, 9, 7, 11);
    g.drawLine(9, 9, 7, 11);
    return p;
}

QPixmap figuraExtrapolacao(const QColor& cor) {
    QPixmap p(16, 16);
    p.fill(Qt::black);
    QPainter g(&p);
    g.fillRect(1, 1, 14, 14, Qt::white);
    g.fillRect(2, 2, 12, 12, cor);
    return p;
}

QPixmap figuraCategoriaCurvas() {
    QPixmap p(16, 16);
    p.fill(Qt::white);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(0, 0, 160), 1.5));
    QPainterPath c;
    c.moveTo(2, 14);
    c.quadTo(9, 13, 14, 2);
    g.drawPath(c);
    return p;
}

QPixmap figuraCategoriaExtrapolacoes() {
    QPixmap p = figuraCategoriaCurvas();
    QPainter g(&p);
    g.setPen(QPen(QColor(200, 0, 0), 2.5));
    g.drawLine(11, 7, 14, 1);
    return p;
}

QIcon figuraCategoria(int tipoLista) {
    switch (tipoLista) {
        case TipoLista::Medicao:
            return QIcon(figuraMedicao());
        case TipoLista::Limite:
            return QIcon(figuraLimite());
        case TipoLista::Curva:
            return QIcon(figuraCategoriaCurvas());
        default:
            return QIcon(figuraCategoriaExtrapolacoes());
    }
}

QIcon figuraItem(const DadosEstacao& dados, int indice) {
    if (indice < 0 || indice >= static_cast<int>(dados.figuras().size()))
        return QIcon();
    const FiguraItem& f = dados.figuras()[static_cast<size_t>(indice)];
    switch (f.tipo) {
        case FiguraItem::Medicao:
            return QIcon(figuraMedicao());
        case FiguraItem::Limite:
            return QIcon(figuraLimite());
        case FiguraItem::Curva:
            return QIcon(quadradoCor(corQt(f.cor)));
        case FiguraItem::Extrapolacao:
            return QIcon(figuraExtrapolacao(corQt(f.cor)));
    }
    return QIcon();
}

QString nomeMetodo(int metodo) {
    switch (metodo) {
        case MetodoExtrapolacao::Logaritmico:
            return QStringLiteral("Logarítmico");
        case MetodoExtrapolacao::Stevens:
            return QStringLiteral("Stevens");
        case MetodoExtrapolacao::Manning:
            return QStringLiteral("Manning");
        default:
            return QString();
    }
}

}  // namespace

TfrmDadosEstacao::TfrmDadosEstacao(Contexto& contexto, DadosEstacao& dados, TTelaMedicao& tela)
    : QWidget(&tela, Qt::Window), contexto_(contexto), dados_(dados), tela_(tela) {
    setWindowTitle(QStringLiteral("Dados de pontos, curvas e extrapolações da estação"));
    auto* layout = new QHBoxLayout(this);
    lstEstacao = new QListWidget(this);
    lstEstacao->setIconSize(QSize(16, 16));
    // Wide enough for the longest category in the font in use.
    lstEstacao->setFixedWidth(lstEstacao->fontMetrics().horizontalAdvance(
                                  QStringLiteral("Limites de cotas e vazões da estação")) +
                              48);
    layout->addWidget(lstEstacao);

    auto* direita = new QVBoxLayout;
    lstItensSelecionados = new QListWidget(this);
    lstItensSelecionados->setIconSize(QSize(16, 16));
    lstItensSelecionados->setMinimumHeight(120);
    direita->addWidget(lstItensSelecionados, 2);
    paineis = new QStackedWidget(this);
    pnlVazio = new QWidget(paineis);
    pnlDadosMedicao = criarPainelMedicao();
    pnlCurva = criarPainelCurva();
    pnlExtrapolacao = criarPainelExtrapolacao();
    for (QWidget* p : {pnlVazio, pnlDadosMedicao, static_cast<QWidget*>(pnlCurva),
                       static_cast<QWidget*>(pnlExtrapolacao)})
        paineis->addWidget(p);
    direita->addWidget(paineis, 3);
    layout->addLayout(direita, 1);
    resize(820, 600);

    Interacao& interacao = contexto_.interacao;
    // A choice is a selection or a click: the current row alone moves when the list takes
    // the focus, which chooses nothing.
    auto linhaSelecionada = [](QListWidget* lista) {
        const auto selecionados = lista->selectedItems();
        return selecionados.isEmpty() ? -1 : lista->row(selecionados.constFirst());
    };
    connect(lstEstacao, &QListWidget::itemSelectionChanged, this,
            comando(interacao,
                    [this, linhaSelecionada] { lstEstacaoChange(linhaSelecionada(lstEstacao)); }));
    connect(lstEstacao, &QListWidget::itemClicked, this,
            comando(interacao,
                    [this](QListWidgetItem* item) { lstEstacaoChange(lstEstacao->row(item)); }));
    connect(lstItensSelecionados, &QListWidget::itemSelectionChanged, this,
            comando(interacao, [this, linhaSelecionada] {
                lstItensSelecionadosChange(linhaSelecionada(lstItensSelecionados));
            }));
    connect(lstItensSelecionados, &QListWidget::itemClicked, this,
            comando(interacao, [this](QListWidgetItem* item) {
                lstItensSelecionadosChange(lstItensSelecionados->row(item));
            }));
    connect(grdPontosExtrapolados, &QTableWidget::currentCellChanged, this,
            comando(interacao,
                    [this](int linha, int, int, int) { grdPontosExtrapoladosClick(linha); }));
    connect(boExportarmedida, &QPushButton::clicked, this,
            comando(interacao, [this] { boExportarmedidaClick(); }));
    Reiniciar();
}

QWidget* TfrmDadosEstacao::criarPainelMedicao() {
    auto* painel = new QWidget(this);
    auto* grade = new QGridLayout(painel);
    edtNumero = campoSomenteLeitura(painel);
    edtData = campoSomenteLeitura(painel);
    edtCota = campoSomenteLeitura(painel);
    edtVazao = campoSomenteLeitura(painel);
    edtArea = campoSomenteLeitura(painel);
    edtVelocidade = campoSomenteLeitura(painel);
    const struct {
        const char* rotulo;
        QLineEdit* campo;
    } campos[] = {{"Número", edtNumero}, {"Data", edtData}, {"Cota", edtCota},
                  {"Vazão", edtVazao},   {"Área", edtArea}, {"Velocidade", edtVelocidade}};
    int i = 0;
    for (const auto& c : campos) {
        grade->addWidget(new QLabel(QString::fromUtf8(c.rotulo), painel), i % 3, 2 * (i / 3));
        grade->addWidget(c.campo, i % 3, 2 * (i / 3) + 1);
        ++i;
    }
    grade->setRowStretch(3, 1);
    return painel;
}

QTabWidget* TfrmDadosEstacao::criarPainelCurva() {
    auto* painel = new QTabWidget(this);

    lstValidade = new QListWidget(painel);
    painel->addTab(lstValidade, QStringLiteral("Validade"));

    tabCurvaPotencial = new QWidget(painel);
    {
        auto* f = new QFormLayout(tabCurvaPotencial);
        auto* curva = new QHBoxLayout;
        lblTrechoPotencial = new QLabel(tabCurvaPotencial);
        lblTrechoPotencial->setMinimumWidth(30);
        edtCorPotencial = amostraCor(tabCurvaPotencial);
        curva->addWidget(lblTrechoPotencial);
        curva->addWidget(edtCorPotencial);
        curva->addStretch();
        f->addRow(QStringLiteral("Curva"), curva);
        f->addRow(QStringLiteral("Algoritmo"), new QLabel(QStringLiteral("Potencial"), painel));
        edtH0 = campoSomenteLeitura(tabCurvaPotencial);
        edtK = campoSomenteLeitura(tabCurvaPotencial);
        edtM = campoSomenteLeitura(tabCurvaPotencial);
        edtR = campoSomenteLeitura(tabCurvaPotencial);
        f->addRow(QStringLiteral("h0"), edtH0);
        f->addRow(QStringLiteral("k"), edtK);
        f->addRow(QStringLiteral("m"), edtM);
        f->addRow(QStringLiteral("r"), edtR);
    }
    painel->addTab(tabCurvaPotencial, QStringLiteral("Parâmetros"));

    tabCurvaPolinomial = new QWidget(painel);
    {
        auto* f = new QFormLayout(tabCurvaPolinomial);
        auto* curva = new QHBoxLayout;
        lblTrechoPolinomial = new QLabel(tabCurvaPolinomial);
        lblTrechoPolinomial->setMinimumWidth(30);
        edtCorPolinomial = amostraCor(tabCurvaPolinomial);
        curva->addWidget(lblTrechoPolinomial);
        curva->addWidget(edtCorPolinomial);
        curva->addStretch();
        f->addRow(QStringLiteral("Curva"), curva);
        lblAlgoritmoPolinomial = new QLabel(tabCurvaPolinomial);
        f->addRow(QStringLiteral("Algoritmo"), lblAlgoritmoPolinomial);
        lsbParametros = new QListWidget(tabCurvaPolinomial);
        lsbParametros->setFont(QFont(QStringLiteral("Monospace")));
        f->addRow(QStringLiteral("Parâmetros"), lsbParametros);
    }
    painel->addTab(tabCurvaPolinomial, QStringLiteral("Parâmetros"));

    auto* amplitude = new QWidget(painel);
    {
        auto* f = new QFormLayout(amplitude);
        edtCotaMin = campoSomenteLeitura(amplitude);
        edtCotaMax = campoSomenteLeitura(amplitude);
        edtVazaoMin = campoSomenteLeitura(amplitude);
        edtVazaoMax = campoSomenteLeitura(amplitude);
        f->addRow(QStringLiteral("Cota mínima"), edtCotaMin);
        f->addRow(QStringLiteral("Cota máxima"), edtCotaMax);
        f->addRow(QStringLiteral("Vazão mínima"), edtVazaoMin);
        f->addRow(QStringLiteral("Vazão máxima"), edtVazaoMax);
    }
    painel->addTab(amplitude, QStringLiteral("Amplitude das medições"));
    pnlValidacao = new PainelValidacao(painel);
    painel->addTab(pnlValidacao, QStringLiteral("Validação"));
    return painel;
}

QTabWidget* TfrmDadosEstacao::criarPainelExtrapolacao() {
    auto* painel = new QTabWidget(this);

    auto* parametros = new QWidget(painel);
    {
        auto* f = new QFormLayout(parametros);
        auto* trecho = new QHBoxLayout;
        lblTrechoExtrapolado = new QLabel(parametros);
        lblTrechoExtrapolado->setMinimumWidth(30);
        edtTrechoExtrapolado = amostraCor(parametros);
        trecho->addWidget(lblTrechoExtrapolado);
        trecho->addWidget(edtTrechoExtrapolado);
        trecho->addStretch();
        f->addRow(QStringLiteral("Trecho"), trecho);
        edtExtrapolacao = amostraCor(parametros);
        f->addRow(QStringLiteral("Extrapolação"), edtExtrapolacao);
        edtAlgoritmoExtrapolacao = campoSomenteLeitura(parametros);
        f->addRow(QStringLiteral("Algoritmo"), edtAlgoritmoExtrapolacao);
        lblKManning = new QLabel(QStringLiteral("k (Manning)"), parametros);
        edtKManning = campoSomenteLeitura(parametros);
        f->addRow(lblKManning, edtKManning);
    }
    painel->addTab(parametros, QStringLiteral("Parâmetros"));

    auto* amplitude = new QWidget(painel);
    {
        auto* f = new QFormLayout(amplitude);
        edtCotaExtrapolada = campoSomenteLeitura(amplitude);
        f->addRow(QStringLiteral("Trecho extrapolada"), edtCotaExtrapolada);
    }
    painel->addTab(amplitude, QStringLiteral("Amplitude das extrapolações"));

    auto* medidas = new QWidget(painel);
    {
        auto* linha = new QHBoxLayout(medidas);
        grdPontosExtrapolados = new QTableWidget(0, 3, medidas);
        grdPontosExtrapolados->horizontalHeader()->hide();
        grdPontosExtrapolados->verticalHeader()->hide();
        grdPontosExtrapolados->verticalHeader()->setDefaultSectionSize(18);
        grdPontosExtrapolados->setColumnWidth(0, 50);
        grdPontosExtrapolados->setColumnWidth(1, 80);
        grdPontosExtrapolados->setColumnWidth(2, 0);
        grdPontosExtrapolados->setColumnHidden(2, true);
        grdPontosExtrapolados->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grdPontosExtrapolados->setSelectionBehavior(QAbstractItemView::SelectRows);
        grdPontosExtrapolados->setSelectionMode(QAbstractItemView::SingleSelection);
        grdPontosExtrapolados->setFixedWidth(160);
        linha->addWidget(grdPontosExtrapolados);
        auto* direita = new QVBoxLayout;
        auto* f = new QFormLayout;
        edtMedidaCota = campoSomenteLeitura(medidas);
        edtMedidaVazao = campoSomenteLeitura(medidas);
        edtMedidaArea = campoSomenteLeitura(medidas);
        edtMedidaRaio = campoSomenteLeitura(medidas);
        f->addRow(QStringLiteral("Cota"), edtMedidaCota);
        f->addRow(QStringLiteral("Vazão"), edtMedidaVazao);
        f->addRow(QStringLiteral("Área calculada"), edtMedidaArea);
        auto* rotuloRaio = new QLabel(QStringLiteral("Raio hidráulico"), medidas);
        f->addRow(rotuloRaio, edtMedidaRaio);
        // The field holds the point's section factor, the quantity the methods use.
        const QString dica = QStringLiteral("Fator de seção A·R^0.666 na cota do ponto");
        rotuloRaio->setToolTip(dica);
        edtMedidaRaio->setToolTip(dica);
        direita->addLayout(f);
        direita->addStretch();
        boExportarmedida = new QPushButton(QStringLiteral("&Exportar para planilha"), medidas);
        boExportarmedida->setToolTip(QStringLiteral("Grava os pontos extrapolados numa planilha"));
        direita->addWidget(boExportarmedida, 0, Qt::AlignRight);
        linha->addLayout(direita, 1);
    }
    painel->addTab(medidas, QStringLiteral("Medidas extrapoladas"));
    return painel;
}

void TfrmDadosEstacao::mostrarPainel(QWidget* painel) {
    paineis->setCurrentWidget(painel);
}

void TfrmDadosEstacao::preencherCategorias() {
    const QSignalBlocker bloqueio(lstEstacao);
    lstEstacao->clear();
    for (const EntradaCategoria& c : dados_.lstEstacao()) {
        auto* item = new QListWidgetItem(figuraCategoria(c.tipoLista), c.legenda, lstEstacao);
        item->setData(Qt::UserRole, c.tipoLista);
    }
}

void TfrmDadosEstacao::Reiniciar() {
    preencherCategorias();
    {
        const QSignalBlocker bloqueio(lstItensSelecionados);
        lstItensSelecionados->clear();
    }
    categoria_ = 0;
    ExtrapolacaoMostrada = 0;
    mostrarPainel(pnlVazio);
    pnlCurva->setTabVisible(pnlCurva->indexOf(tabCurvaPolinomial), false);
    pnlCurva->setTabVisible(pnlCurva->indexOf(tabCurvaPotencial), false);
}

void TfrmDadosEstacao::Mostrar() {
    {
        const QSignalBlocker bloqueio(lstEstacao);
        lstEstacao->setCurrentRow(-1);
        lstEstacao->clearSelection();
    }
    {
        const QSignalBlocker bloqueio(lstItensSelecionados);
        lstItensSelecionados->clear();
    }
    categoria_ = 0;
    mostrarPainel(pnlVazio);
    show();
    raise();
    activateWindow();
}

void TfrmDadosEstacao::Atualizar() {
    const int categoria = categoria_;
    const QListWidgetItem* atual = lstItensSelecionados->currentItem();
    const int entrada = atual ? atual->data(Qt::UserRole).toInt() : -1;
    preencherCategorias();
    if (categoria == 0)
        return;
    const QSignalBlocker bloqueioCategorias(lstEstacao);
    for (int i = 0; i < lstEstacao->count(); ++i)
        if (lstEstacao->item(i)->data(Qt::UserRole).toInt() == categoria)
            lstEstacao->setCurrentRow(i);
    const QSignalBlocker bloqueioItens(lstItensSelecionados);
    listarItens(categoria);
    for (int i = 0; i < lstItensSelecionados->count(); ++i)
        if (lstItensSelecionados->item(i)->data(Qt::UserRole).toInt() == entrada)
            lstItensSelecionados->setCurrentRow(i);
}

void TfrmDadosEstacao::listarItens(int tipoLista) {
    lstItensSelecionados->clear();
    const auto& itens = dados_.lstItens();
    for (size_t i = 0; i < itens.size(); ++i) {
        const EntradaItem& e = itens[i];
        if (e.item.tipoLista != tipoLista)
            continue;
        auto* item = new QListWidgetItem(figuraItem(dados_, e.figura), e.legenda);
        item->setData(Qt::UserRole, static_cast<int>(i));
        lstItensSelecionados->addItem(item);
    }
    categoria_ = tipoLista;
}

void TfrmDadosEstacao::lstEstacaoChange(int linha) {
    const QListWidgetItem* item = lstEstacao->item(linha);
    if (!item)
        return;
    {
        const QSignalBlocker bloqueio(lstItensSelecionados);
        listarItens(item->data(Qt::UserRole).toInt());
        lstItensSelecionados->setCurrentRow(-1);
        lstItensSelecionados->clearSelection();
    }
    mostrarPainel(pnlVazio);
    pnlCurva->setTabVisible(pnlCurva->indexOf(tabCurvaPolinomial), false);
    pnlCurva->setTabVisible(pnlCurva->indexOf(tabCurvaPotencial), false);
}

void TfrmDadosEstacao::lstItensSelecionadosChange(int linha) {
    const QListWidgetItem* item = lstItensSelecionados->item(linha);
    if (!item)
        return;
    const int indice = item->data(Qt::UserRole).toInt();
    if (indice < 0 || indice >= static_cast<int>(dados_.lstItens().size()))
        return;
    const ItemDadosEstacao& e = dados_.lstItens()[static_cast<size_t>(indice)].item;
    switch (e.tipoLista) {
        case TipoLista::Medicao:
            edtNumero->setText(QString::number(e.numero));
            edtData->setText(e.data);
            edtCota->setText(formatar(e.cota, formatoValor));
            edtVazao->setText(formatar(e.vazao, formatoValor));
            edtArea->setText(valorOpcional(e.area));
            edtVelocidade->setText(valorOpcional(e.velocidade));
            mostrarPainel(pnlDadosMedicao);
            break;
        case TipoLista::Curva:
            mostrarCurva(indice);
            break;
        case TipoLista::Extrapolacao:
            mostrarExtrapolacao(indice);
            break;
        default:
            break;
    }
}

void TfrmDadosEstacao::mostrarCurva(int indice) {
    const ItemDadosEstacao& e = dados_.lstItens()[static_cast<size_t>(indice)].item;
    if (e.numero < 1 || e.numero > TTelaMedicao::maximoCurvas)
        return;
    const CurvaTrecho& c = tela_.Trechos[static_cast<size_t>(e.numero)];
    lstValidade->clear();
    lstValidade->addItems(e.validade);
    edtCotaMin->setText(formatar(c.CotaMin, formatoValor));
    edtCotaMax->setText(formatar(c.CotaMax, formatoValor));
    edtVazaoMin->setText(formatar(c.VazaoMin, formatoValor));
    edtVazaoMax->setText(formatar(c.VazaoMax, formatoValor));
    const bool polinomial = c.Algoritmo == AlgoritmoCurva::Polinomial;
    if (polinomial) {
        pintarAmostra(edtCorPolinomial, c.Cor);
        lblTrechoPolinomial->setText(QString::number(e.numero));
        lblAlgoritmoPolinomial->setText(QStringLiteral("Polinomial, grau ") +
                                        QString::number(c.Grau));
        lsbParametros->clear();
        for (int i = 0; i <= c.Grau && i < static_cast<int>(c.Coeficientes.size()); ++i)
            lsbParametros->addItem(
                QString::number(i) + QStringLiteral("  ") +
                formatar(c.Coeficientes[static_cast<size_t>(i)], QStringLiteral("#####0.00000")));
    } else {
        pintarAmostra(edtCorPotencial, c.Cor);
        lblTrechoPotencial->setText(QString::number(e.numero));
        edtK->setText(formatar(c.K, QStringLiteral("#0.00000")));
        edtR->setText(formatar(c.R, QStringLiteral("#0.00000")));
        edtM->setText(formatar(c.M, QStringLiteral("#0.00000")));
        edtH0->setText(formatar(c.H0, QStringLiteral("#0.00")));
    }
    pnlValidacao->mostrar(c, e.numero);
    pnlCurva->setTabVisible(pnlCurva->indexOf(tabCurvaPolinomial), polinomial);
    pnlCurva->setTabVisible(pnlCurva->indexOf(tabCurvaPotencial), !polinomial);
    pnlCurva->setCurrentIndex(pnlCurva->indexOf(lstValidade));
    mostrarPainel(pnlCurva);
}

void TfrmDadosEstacao::mostrarExtrapolacao(int indice) {
    const ItemDadosEstacao& e = dados_.lstItens()[static_cast<size_t>(indice)].item;
    const int q = e.numeroExtrapolacao;
    if (q < 1 || q > tela_.NumExtrapolacoes || e.numero < 1 ||
        e.numero > TTelaMedicao::maximoCurvas)
        return;
    const RegistroExtrapolacao& r = tela_.Extrapolacoes[static_cast<size_t>(q)];
    lblTrechoExtrapolado->setText(QString::number(e.numero));
    pintarAmostra(edtTrechoExtrapolado, tela_.Trechos[static_cast<size_t>(e.numero)].Cor);
    pintarAmostra(edtExtrapolacao, r.cor);
    edtCotaExtrapolada->setText(formatar(e.cotaExtrapolada, QStringLiteral("##0.00")));
    edtAlgoritmoExtrapolacao->setText(nomeMetodo(r.metodo));
    const bool manning = r.metodo == MetodoExtrapolacao::Manning;
    edtKManning->setText(manning ? formatar(r.K, formatoPonto) : QString());
    lblKManning->setVisible(manning);
    edtKManning->setVisible(manning);
    ExtrapolacaoMostrada = q;
    {
        const QSignalBlocker bloqueio(grdPontosExtrapolados);
        grdPontosExtrapolados->clearContents();
        grdPontosExtrapolados->setRowCount(static_cast<int>(r.pontos.size()));
        for (int i = 0; i < static_cast<int>(r.pontos.size()); ++i) {
            grdPontosExtrapolados->setItem(i, 0, new QTableWidgetItem(QStringLiteral("Cota")));
            auto* valor =
                new QTableWidgetItem(formatar(r.pontos[static_cast<size_t>(i)].cota, formatoPonto));
            valor->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdPontosExtrapolados->setItem(i, 1, valor);
        }
        grdPontosExtrapolados->setCurrentCell(0, 1);
    }
    mostrarPonto(0);
    pnlExtrapolacao->setCurrentIndex(0);
    mostrarPainel(pnlExtrapolacao);
}

void TfrmDadosEstacao::mostrarPonto(int linha) {
    if (ExtrapolacaoMostrada < 1 || linha < 0 || linha >= pontosExtrapolacao)
        return;
    const RegistroExtrapolacao& r = tela_.Extrapolacoes[static_cast<size_t>(ExtrapolacaoMostrada)];
    const auto i = static_cast<size_t>(linha);
    edtMedidaCota->setText(formatar(r.pontos[i].cota, formatoPonto));
    edtMedidaVazao->setText(formatar(r.pontos[i].vazao, formatoPonto));
    edtMedidaArea->setText(formatar(r.areas[i], formatoPonto));
    edtMedidaRaio->setText(formatar(r.fatores[i], formatoPonto));
}

void TfrmDadosEstacao::grdPontosExtrapoladosClick(int linha) {
    mostrarPonto(linha);
}

void TfrmDadosEstacao::boExportarmedidaClick() {
    if (ExtrapolacaoMostrada < 1 || ExtrapolacaoMostrada > tela_.NumExtrapolacoes)
        return;
    const auto arquivo = pedirArquivoPlanilha(contexto_.interacao);
    if (!arquivo)
        return;
    const RegistroExtrapolacao& r = tela_.Extrapolacoes[static_cast<size_t>(ExtrapolacaoMostrada)];
    EscritorPlanilha planilha(*arquivo, QStringLiteral("Sheet1"));
    planilha.escreverTexto(1, 0, QStringLiteral("Código: ") + dados_.codigoEstacao());
    planilha.escreverTexto(1, 1, QStringLiteral("Cota"));
    planilha.escreverTexto(2, 1, QStringLiteral("Vazão"));
    planilha.escreverTexto(3, 1, QStringLiteral("Raio hidráulico"));
    planilha.escreverTexto(4, 1, QStringLiteral("Área calculada"));
    planilha.escreverTexto(1, 2,
                           QStringLiteral("Algoritmo usado: ") + edtAlgoritmoExtrapolacao->text());
    if (edtAlgoritmoExtrapolacao->text() == QLatin1String("Manning"))
        planilha.escreverTexto(3, 2, QStringLiteral("k=") + edtKManning->text());
    for (size_t i = 0; i < r.pontos.size(); ++i) {
        const int linha = static_cast<int>(i) + 3;
        planilha.escreverNumero(1, linha, r.pontos[i].cota);
        planilha.escreverNumero(2, linha, r.pontos[i].vazao);
        planilha.escreverNumero(3, linha, r.fatores[i]);
        planilha.escreverNumero(4, linha, r.areas[i]);
    }
    planilha.fechar();
    contexto_.interacao.mensagem(QStringLiteral("Arquivo gravado com sucesso!"), QString());
}

}  // namespace lumeno
