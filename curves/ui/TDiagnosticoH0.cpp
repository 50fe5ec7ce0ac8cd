#include "curves/ui/TDiagnosticoH0.h"

#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Figuras.h"
#include "components/PainelGrafico.h"
#include "curves/AvisoAjuste.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace lumeno {

namespace {

using Eixo = PainelGrafico::Eixo;
using Marca = PainelGrafico::Marca;

// The winner in black, which stands out on the usual curve colours.
const QColor corVencedor(0, 0, 0);
const QColor corFundo(139, 69, 19);
const QColor corMenorCota(0, 110, 0);

// Up to this many candidates each one is marked on the line.
constexpr std::size_t candidatosMarcados = 150;

QString metros(double v) {
    return formatar(v, QStringLiteral("##0.00")) + QStringLiteral(" m");
}

// A legend entry, wrapped only between entries.
QString amostra(const QColor& cor, const QString& texto) {
    return QStringLiteral("<span style=\"color:%1\">&#9632;</span>&nbsp;").arg(cor.name()) +
           texto.toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
}

}  // namespace

TDiagnosticoH0::TDiagnosticoH0(Interacao& interacao, QWidget* pai) : QDialog(pai) {
    setWindowTitle(QStringLiteral("Diagnóstico de h0"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);

    auto* topo = new QHBoxLayout;
    topo->addWidget(new QLabel(QStringLiteral("Curva"), this));
    cbCurva = new QComboBox(this);
    cbCurva->setIconSize(QSize(16, 16));
    cbCurva->setMinimumContentsLength(10);
    topo->addWidget(cbCurva);
    topo->addStretch();
    layout->addLayout(topo);

    auto* meio = new QHBoxLayout;
    auto* esquerda = new QVBoxLayout;
    Grafico = new PainelGrafico(this);
    Grafico->definirMargens(55, 20, 15, 40);
    Grafico->definirTitulo(Eixo::X, QStringLiteral("h0 (m)"));
    Grafico->definirTitulo(Eixo::Y, QStringLiteral("r"));
    Grafico->definirCasasDecimais(Eixo::X, 2);
    Grafico->setMinimumSize(420, 300);
    esquerda->addWidget(Grafico, 1);
    lblLinhas = new QLabel(this);
    lblLinhas->setWordWrap(true);
    lblLinhas->setTextFormat(Qt::RichText);
    esquerda->addWidget(lblLinhas);
    meio->addLayout(esquerda, 1);

    auto* direita = new QVBoxLayout;
    lblMediana = new QLabel(this);
    lblMediana->setWordWrap(true);
    direita->addWidget(lblMediana);
    grdAlternativas = new QTableWidget(5, 3, this);
    grdAlternativas->setHorizontalHeaderLabels({QStringLiteral("h0 − 0.5 m"),
                                                QStringLiteral("h0 da busca"),
                                                QStringLiteral("h0 + 0.5 m")});
    grdAlternativas->setVerticalHeaderLabels({QStringLiteral("h0 (m)"), QStringLiteral("k"),
                                              QStringLiteral("m"), QStringLiteral("Q (m³/s)"),
                                              QStringLiteral("Medições")});
    grdAlternativas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdAlternativas->setSelectionMode(QAbstractItemView::NoSelection);
    grdAlternativas->setFocusPolicy(Qt::NoFocus);
    grdAlternativas->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdAlternativas->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdAlternativas->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    grdAlternativas->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdAlternativas->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    direita->addWidget(grdAlternativas);
    lblBusca = new QLabel(this);
    lblBusca->setWordWrap(true);
    direita->addWidget(lblBusca);
    lblAviso = new QLabel(this);
    lblAviso->setWordWrap(true);
    lblAviso->setStyleSheet(QStringLiteral("color: #C00000"));
    direita->addWidget(lblAviso);
    direita->addStretch(1);
    bo_Refazer = new QPushButton(QStringLiteral("Refazer com h0 inicial…"), this);
    bo_Refazer->setToolTip(QStringLiteral(
        "Ajusta a curva de novo, com a busca de h0 partindo de outro valor inicial"));
    direita->addWidget(bo_Refazer);
    meio->addLayout(direita);
    layout->addLayout(meio, 1);

    auto* base = new QHBoxLayout;
    base->addStretch();
    bo_Fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    base->addWidget(bo_Fechar);
    layout->addLayout(base);
    resize(900, 560);

    connect(cbCurva, &QComboBox::currentIndexChanged, this, comando(interacao, [this](int indice) {
                if (indice >= 0 && aoEscolher)
                    aoEscolher(cbCurva->itemData(indice).toInt());
            }));
    connect(bo_Refazer, &QPushButton::clicked, this, comando(interacao, [this] {
                if (mostrada_ > 0 && aoRefazer)
                    aoRefazer(mostrada_);
            }));
    connect(bo_Fechar, &QPushButton::clicked, this, &QDialog::accept);
}

void TDiagnosticoH0::preparar(const std::vector<OpcaoCurva>& curvas, int escolhida) {
    mostrada_ = 0;
    {
        const QSignalBlocker bloqueio(cbCurva);
        cbCurva->clear();
        for (const OpcaoCurva& c : curvas)
            cbCurva->addItem(QIcon(quadradoCor(corQt(c.cor))),
                             QStringLiteral("Curva ") + QString::number(c.numero), c.numero);
        cbCurva->setCurrentIndex(std::max(0, cbCurva->findData(escolhida)));
    }
    if (cbCurva->currentIndex() >= 0 && aoEscolher)
        aoEscolher(cbCurva->currentData().toInt());
}

void TDiagnosticoH0::mostrar(int numero, std::uint32_t cor, const DiagnosticoH0& d) {
    mostrada_ = numero;
    {
        const QSignalBlocker bloqueio(cbCurva);
        const int i = cbCurva->findData(numero);
        if (i >= 0)
            cbCurva->setCurrentIndex(i);
    }
    desenhar(cor, d);
    preencherTabela(d);

    const BuscaH0& b = d.busca;
    QString busca;
    if (!b.candidatos.empty()) {
        const auto [menor, maior] = std::minmax_element(b.candidatos.begin(), b.candidatos.end());
        busca = QStringLiteral(
                    "Busca de h0: %1 candidatos, de %2 a %3, a partir do h0 inicial "
                    "de %4 cm.")
                    .arg(b.candidatos.size())
                    .arg(metros(*menor), metros(*maior), numeroTexto(b.inicio));
    }
    if (d.refeita)
        busca += QStringLiteral(
            " Busca refeita sobre as medições atuais: o ajuste salvo guarda "
            "os parâmetros, não a busca.");
    lblBusca->setText(busca.trimmed());

    QStringList avisos;
    if (b.vencedor < 0)
        avisos << QStringLiteral("Nenhum candidato determinou a curva.");
    if (b.noLimite())
        avisos << avisoLimiteBusca() +
                      QStringLiteral(": r ainda crescia na direção do valor inicial.");
    if (b.vencedor >= 0 && d.fundoSecao) {
        const double h0 = b.candidatos[std::size_t(b.vencedor)];
        if (h0 > *d.fundoSecao / 100 + 1e-9)
            avisos << validadeAcimaDoFundo(h0, *d.fundoSecao / 100);
    }
    lblAviso->setText(avisos.join(QLatin1Char('\n')));
    lblAviso->setVisible(!avisos.isEmpty());
}

void TDiagnosticoH0::desenhar(std::uint32_t cor, const DiagnosticoH0& d) {
    Grafico->limpar();
    const BuscaH0& b = d.busca;
    QVector<QPointF> linha;
    linha.reserve(static_cast<int>(d.serie.size()));
    for (const PontoBuscaH0& p : d.serie)
        linha << QPointF(p.h0, p.r);
    const QColor corCurva = corQt(cor);
    if (!linha.isEmpty())
        Grafico->polilinha(linha, corCurva, 2);
    if (d.serie.size() <= candidatosMarcados)
        for (const QPointF& p : linha)
            Grafico->marcar(p.x(), p.y(), Marca::XPequeno, corCurva);
    if (b.vencedor >= 0) {
        const std::size_t v = std::size_t(b.vencedor);
        Grafico->marcar(b.candidatos[v], b.r[v], Marca::Disco, corVencedor);
    }
    Grafico->ajustarFaixas(5);

    // The ranges take in the vertical lines too, which span every r.
    double xMin = Grafico->faixa(Eixo::X).minimo, xMax = Grafico->faixa(Eixo::X).maximo;
    const double menorCota = d.menorCota / 100;
    std::vector<double> verticais{menorCota};
    if (d.fundoSecao)
        verticais.push_back(*d.fundoSecao / 100);
    if (linha.isEmpty()) {
        xMin = *std::min_element(verticais.begin(), verticais.end()) - 0.5;
        xMax = *std::max_element(verticais.begin(), verticais.end()) + 0.5;
        Grafico->definirFaixa(Eixo::Y, -1, 1);
    }
    for (const double x : verticais) {
        xMin = std::min(xMin, x);
        xMax = std::max(xMax, x);
    }
    const double folga = (xMax - xMin) * 0.03;
    Grafico->definirFaixa(Eixo::X, xMin - folga, xMax + folga);
    const double yMin = -1e3, yMax = 1e3;
    if (d.fundoSecao)
        Grafico->polilinha({{*d.fundoSecao / 100, yMin}, {*d.fundoSecao / 100, yMax}}, corFundo, 1,
                           Qt::DashLine);
    Grafico->polilinha({{menorCota, yMin}, {menorCota, yMax}}, corMenorCota, 1, Qt::DashDotLine);
    Grafico->atualizar();

    QStringList legenda;
    if (b.vencedor >= 0) {
        const std::size_t v = std::size_t(b.vencedor);
        legenda << amostra(corVencedor, QStringLiteral("h0 da busca: ") + metros(b.candidatos[v]) +
                                            QStringLiteral(" (r = ") +
                                            formatar(b.r[v], QStringLiteral("0.00000")) +
                                            QLatin1Char(')'));
    }
    if (d.fundoSecao)
        legenda << amostra(corFundo,
                           QStringLiteral("fundo da seção: ") + metros(*d.fundoSecao / 100));
    legenda << amostra(corMenorCota, QStringLiteral("menor cota medida: ") + metros(menorCota));
    lblLinhas->setText(legenda.join(QStringLiteral("&nbsp;&nbsp;&nbsp; ")));
}

void TDiagnosticoH0::preencherTabela(const DiagnosticoH0& d) {
    lblMediana->setText(QStringLiteral("Vazão na cota mediana das medições, %1 cm, com h0 fixo:")
                            .arg(formatar(d.cotaMediana, QStringLiteral("##0.00"))));
    for (int c = 0; c < 3; ++c) {
        QStringList valores(5);
        if (d.alternativas) {
            const AlternativaH0& a = (*d.alternativas)[static_cast<std::size_t>(c)];
            valores[0] = formatar(a.H0, QStringLiteral("##0.00"));
            const bool reta = a.K > 0;
            valores[1] = reta ? formatar(a.K, QStringLiteral("0.0000")) : QStringLiteral("—");
            valores[2] = reta ? formatar(a.M, QStringLiteral("0.0000")) : QStringLiteral("—");
            valores[3] =
                a.definida ? formatar(a.vazao, QStringLiteral("###0.000")) : QStringLiteral("—");
            valores[4] = QString::number(a.medicoes);
        }
        for (int l = 0; l < 5; ++l) {
            auto* item = new QTableWidgetItem(valores[l]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (c == 1) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            grdAlternativas->setItem(l, c, item);
        }
    }
}

}  // namespace lumeno
