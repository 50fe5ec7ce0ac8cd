#include "analysis/ui/TTabelaCotaVazao.h"

#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace lumeno {

namespace {

QColor corSituacao(SituacaoCota s) {
    switch (s) {
        case SituacaoCota::Medida:
            return Qt::black;
        case SituacaoCota::Interpolada:
            return QColor(0, 0, 192);
        case SituacaoCota::Extrapolada:
            return QColor(192, 0, 0);
    }
    return Qt::black;
}

QString textoVazao(double v) {
    return formatar(v, QStringLiteral("###0.000"));
}

}  // namespace

// The table as the grid shows it: the list (stage, discharge, curve, flag) or decimetres by
// centimetres; interpolated discharges in blue, extrapolated ones in red.
class ModeloTabelaCotaVazao : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void definir(const std::vector<CotaAvaliada>* lista, const std::vector<LinhaDecimetro>* dm) {
        beginResetModel();
        lista_ = lista;
        decimetros_ = dm;
        endResetModel();
    }

    int rowCount(const QModelIndex& pai = QModelIndex()) const override {
        if (pai.isValid())
            return 0;
        if (decimetros_)
            return static_cast<int>(decimetros_->size());
        return lista_ ? static_cast<int>(lista_->size()) : 0;
    }
    int columnCount(const QModelIndex& pai = QModelIndex()) const override {
        if (pai.isValid())
            return 0;
        return decimetros_ ? 10 : 4;
    }

    QVariant headerData(int secao, Qt::Orientation o, int papel) const override {
        if (papel != Qt::DisplayRole)
            return QAbstractTableModel::headerData(secao, o, papel);
        if (o == Qt::Horizontal) {
            if (decimetros_)
                return QString::number(secao);
            static const char* const titulos[] = {"Cota (cm)", "Vazão (m³/s)", "Curva", "Situação"};
            return QString::fromUtf8(titulos[secao]);
        }
        if (decimetros_)
            return QString::number((*decimetros_)[static_cast<size_t>(secao)].cota);
        return QAbstractTableModel::headerData(secao, o, papel);
    }

    QVariant data(const QModelIndex& indice, int papel) const override {
        const CotaAvaliada* c = celula(indice);
        if (!c)
            return QVariant();
        switch (papel) {
            case Qt::DisplayRole:
                if (decimetros_)
                    return textoVazao(c->vazao);
                switch (indice.column()) {
                    case 0:
                        return numeroTexto(c->cota);
                    case 1:
                        return textoVazao(c->vazao);
                    case 2:
                        return QString::number(c->curva);
                    default:
                        return textoSituacao(c->situacao);
                }
            case Qt::ForegroundRole:
                return corSituacao(c->situacao);
            case Qt::TextAlignmentRole:
                return decimetros_ || indice.column() < 3
                           ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                           : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
            case Qt::ToolTipRole:
                return QStringLiteral("Cota %1 cm: curva %2, %3")
                    .arg(numeroTexto(c->cota))
                    .arg(c->curva)
                    .arg(textoSituacao(c->situacao));
            default:
                return QVariant();
        }
    }

private:
    const CotaAvaliada* celula(const QModelIndex& i) const {
        if (!i.isValid())
            return nullptr;
        const auto r = static_cast<size_t>(i.row());
        if (decimetros_) {
            if (r >= decimetros_->size())
                return nullptr;
            const auto& c = (*decimetros_)[r].celulas[static_cast<size_t>(i.column())];
            return c ? &*c : nullptr;
        }
        return lista_ && r < lista_->size() ? &(*lista_)[r] : nullptr;
    }

    const std::vector<CotaAvaliada>* lista_ = nullptr;
    const std::vector<LinhaDecimetro>* decimetros_ = nullptr;
};

TTabelaCotaVazao::TTabelaCotaVazao(Contexto& contexto, QWidget* pai)
    : QDialog(pai), contexto_(contexto) {
    setWindowTitle(QStringLiteral("Tabela cota-vazão"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);

    auto* campos = new QGridLayout;
    campos->addWidget(new QLabel(QStringLiteral("Ajuste"), this), 0, 0);
    cboAjuste = new QComboBox(this);
    campos->addWidget(cboAjuste, 0, 1, 1, 6);
    auto numero = [this](int casas) {
        auto* e = new EditorNumero(this);
        e->definirCasas(casas);
        e->setMaximumWidth(90);
        return e;
    };
    campos->addWidget(new QLabel(QStringLiteral("Cota inicial (cm)"), this), 1, 0);
    edtCotaInicial = numero(2);
    campos->addWidget(edtCotaInicial, 1, 1);
    campos->addWidget(new QLabel(QStringLiteral("Cota final (cm)"), this), 1, 2);
    edtCotaFinal = numero(2);
    campos->addWidget(edtCotaFinal, 1, 3);
    campos->addWidget(new QLabel(QStringLiteral("Passo (cm)"), this), 1, 4);
    edtPasso = numero(2);
    campos->addWidget(edtPasso, 1, 5);
    bo_calcular = new QPushButton(QStringLiteral("&Calcular"), this);
    campos->addWidget(bo_calcular, 1, 6);
    auto* disposicao = new QHBoxLayout;
    rbLista = new QRadioButton(QStringLiteral("&Lista (cota, vazão, curva, situação)"), this);
    rbDecimetros = new QRadioButton(QStringLiteral("&Decímetros × centímetros"), this);
    rbLista->setChecked(true);
    disposicao->addWidget(rbLista);
    disposicao->addWidget(rbDecimetros);
    disposicao->addStretch();
    campos->addWidget(new QLabel(QStringLiteral("Disposição"), this), 2, 0);
    campos->addLayout(disposicao, 2, 1, 1, 6);
    campos->setColumnStretch(6, 1);
    layout->addLayout(campos);

    grdTabela = new QTableView(this);
    modelo_ = new ModeloTabelaCotaVazao(this);
    grdTabela->setModel(modelo_);
    grdTabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdTabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdTabela->verticalHeader()->setDefaultSectionSize(20);
    grdTabela->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grdTabela->horizontalHeader()->setMinimumSectionSize(48);
    layout->addWidget(grdTabela, 1);
    lblLegenda = new QLabel(
        QStringLiteral("Vazões em m³/s. Em preto, cotas dentro da faixa medida de uma curva; "
                       "<font color=\"#0000C0\">em azul, interpoladas entre as faixas de duas "
                       "curvas</font>; <font color=\"#C00000\">em vermelho, extrapoladas</font>."),
        this);
    lblLegenda->setWordWrap(true);
    layout->addWidget(lblLegenda);

    auto* botoes = new QHBoxLayout;
    chkCsvPortugues = new QCheckBox(
        QStringLiteral("CSV com \";\" e vírgula decimal (planilhas em português)"), this);
    chkCsvPortugues->setChecked(true);
    botoes->addWidget(chkCsvPortugues);
    botoes->addStretch();
    bo_exportar = new QPushButton(QStringLiteral("&Exportar..."), this);
    bo_fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    botoes->addWidget(bo_exportar);
    botoes->addWidget(bo_fechar);
    layout->addLayout(botoes);
    resize(660, 560);

    Interacao& interacao = contexto_.interacao;
    connect(cboAjuste, &QComboBox::activated, this,
            comando(interacao, [this](int i) { cboAjusteChange(i); }));
    connect(bo_calcular, &QPushButton::clicked, this, comando(interacao, [this] { Calcular(); }));
    connect(rbLista, &QRadioButton::toggled, this,
            comando(interacao, [this] { MudarDisposicao(); }));
    connect(bo_exportar, &QPushButton::clicked, this, comando(interacao, [this] { Exportar(); }));
    connect(bo_fechar, &QPushButton::clicked, this, &QDialog::accept);
}

TTabelaCotaVazao::~TTabelaCotaVazao() = default;

void TTabelaCotaVazao::preparar(const QString& estacao, std::vector<Opcao> opcoes) {
    estacao_ = estacao;
    opcoes_ = std::move(opcoes);
}

void TTabelaCotaVazao::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    cboAjuste->clear();
    for (const Opcao& o : opcoes_)
        cboAjuste->addItem(o.legenda);
    chave_.reset();
    tabela_.clear();
    decimetros_.clear();
    modelo_->definir(nullptr, nullptr);
    if (!opcoes_.empty()) {
        cboAjuste->setCurrentIndex(0);
        executarComando(contexto_.interacao, [this] { cboAjusteChange(0); });
    }
}

void TTabelaCotaVazao::cboAjusteChange(int indice) {
    if (indice < 0 || indice >= static_cast<int>(opcoes_.size()))
        return;
    chave_.reset();
    tabela_.clear();
    decimetros_.clear();
    MudarDisposicao();
    chave_ = opcoes_[static_cast<size_t>(indice)].chave();
    if (chave_->vazia()) {
        contexto_.interacao.mensagem(
            QStringLiteral("O ajuste não tem curvas traçadas para montar a tabela."),
            QStringLiteral("Atenção"));
        return;
    }
    edtCotaInicial->definirValor(std::floor(chave_->cotaMinima()));
    edtCotaFinal->definirValor(std::ceil(chave_->cotaMaxima()));
    edtPasso->definirValor(1);
    Calcular();
}

void TTabelaCotaVazao::Calcular() {
    if (!chave_)
        return;
    std::vector<CotaAvaliada> tabela = MontarTabelaCotaVazao(
        *chave_, edtCotaInicial->valor(), edtCotaFinal->valor(), edtPasso->valor());
    tabela_ = std::move(tabela);
    decimetros_ = TabelaDecimetrica(tabela_);
    MudarDisposicao();
}

void TTabelaCotaVazao::MudarDisposicao() {
    // The list needs no row numbers; the decimetres are the rows' headings.
    if (rbLista->isChecked())
        modelo_->definir(&tabela_, nullptr);
    else
        modelo_->definir(nullptr, &decimetros_);
    grdTabela->verticalHeader()->setVisible(!rbLista->isChecked());
}

GradeExportacao TTabelaCotaVazao::grade() const {
    const int i = cboAjuste->currentIndex();
    const CabecalhoTabela cabecalho{estacao_, i >= 0 && i < static_cast<int>(opcoes_.size())
                                                  ? opcoes_[static_cast<size_t>(i)].legenda
                                                  : QString()};
    return rbLista->isChecked() ? GradeLista(cabecalho, tabela_)
                                : GradeDecimetrica(cabecalho, decimetros_);
}

void TTabelaCotaVazao::Exportar() {
    Interacao& interacao = contexto_.interacao;
    if (tabela_.empty()) {
        interacao.mensagem(QStringLiteral("Calcule a tabela antes de exportá-la."),
                           QStringLiteral("Atenção"));
        return;
    }
    const auto escolhido = interacao.salvarArquivoComFiltro(
        QStringLiteral("Exportar tabela cota-vazão"),
        QStringLiteral("Planilha Excel 5.0 (*.xls);;Pasta de trabalho Excel (*.xlsx);;"
                       "Texto separado (*.csv)"),
        QStringLiteral("xls"));
    if (!escolhido)
        return;
    // The name's extension decides; a name without one of them takes the type chosen.
    QString arquivo = escolhido->caminho;
    std::optional<FormatoTabela> formato = formatoPorExtensao(arquivo);
    if (!formato) {
        if (escolhido->filtro.contains(QStringLiteral("*.xlsx"))) {
            formato = FormatoTabela::Xlsx;
            arquivo += QStringLiteral(".xlsx");
        } else if (escolhido->filtro.contains(QStringLiteral("*.csv"))) {
            formato = FormatoTabela::Csv;
            arquivo += QStringLiteral(".csv");
        } else {
            formato = FormatoTabela::Xls;
            arquivo += QStringLiteral(".xls");
        }
    }
    ExportarTabela(grade(), arquivo, *formato, chkCsvPortugues->isChecked());
    interacao.mensagem(QStringLiteral("Arquivo gravado com sucesso!"), QString());
}

}  // namespace lumeno
