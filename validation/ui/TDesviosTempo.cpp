#include "validation/ui/TDesviosTempo.h"

#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Figuras.h"
#include "components/PainelGrafico.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace lumeno {

namespace {

using Eixo = PainelGrafico::Eixo;
using Marca = PainelGrafico::Marca;

const QColor corMudanca(200, 0, 0);

QPointF posicao(const PontoDesvioTempo& p) {
    return {anoFracionario(p.data), p.percentual};
}

QString textoP(double p) {
    return p < 0.0001 ? QStringLiteral("< 0.0001") : numeroValidacao(p, 4);
}

}  // namespace

TDesviosTempo::TDesviosTempo(Interacao& interacao, QWidget* pai) : QDialog(pai) {
    setWindowTitle(QStringLiteral("Desvios ao longo do tempo"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    Grafico = new PainelGrafico(this);
    Grafico->definirMargens(50, 20, 20, 40);
    Grafico->definirTitulo(Eixo::X, QStringLiteral("Data (ano)"));
    Grafico->definirTitulo(Eixo::Y, QStringLiteral("Desvio (%)"));
    layout->addWidget(Grafico, 1);
    lblLegenda = new QLabel(this);
    lblLegenda->setWordWrap(true);
    layout->addWidget(lblLegenda);
    lblPettitt = new QLabel(this);
    lblPettitt->setWordWrap(true);
    layout->addWidget(lblPettitt);
    auto* linha = new QHBoxLayout;
    lblDataMarcada = new QLabel(this);
    lblDataMarcada->setWordWrap(true);
    linha->addWidget(lblDataMarcada, 1);
    bo_NovaCurva = new QPushButton(QStringLiteral("Nova curva a partir desta data"), this);
    bo_NovaCurva->setToolTip(
        QStringLiteral("Abre os critérios de ajuste com o período começando na data marcada"));
    bo_Fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    linha->addWidget(bo_NovaCurva);
    linha->addWidget(bo_Fechar);
    layout->addLayout(linha);
    resize(780, 540);

    connect(Grafico, &PainelGrafico::clicado, this,
            comando(interacao, [this](QPointF p) { GraficoClick(p); }));
    connect(bo_NovaCurva, &QPushButton::clicked, this, comando(interacao, [this] {
                if (!DataMarcada.isValid())
                    return;
                NovaCurva = true;
                accept();
            }));
    connect(bo_Fechar, &QPushButton::clicked, this, &QDialog::reject);
}

void TDesviosTempo::preencher(const SerieDesviosTempo& serie,
                              const std::vector<std::uint32_t>& cores) {
    serie_ = serie;
    NovaCurva = false;
    marcaDesenhada_ = false;
    Grafico->limpar();

    double xMin = 0, xMax = 1, yMax = 5;
    if (!serie_.pontos.empty()) {
        xMin = anoFracionario(serie_.pontos.front().data);
        xMax = anoFracionario(serie_.pontos.back().data);
        for (const PontoDesvioTempo& p : serie_.pontos)
            yMax = std::max(yMax, std::fabs(p.percentual));
    }
    const double folgaX = std::max(0.5, (xMax - xMin) * 0.03);
    xMin -= folgaX;
    xMax += folgaX;
    yMax *= 1.08;
    Grafico->definirFaixa(Eixo::X, xMin, xMax);
    Grafico->definirFaixa(Eixo::Y, -yMax, yMax);

    Grafico->polilinha({{xMin, 0}, {xMax, 0}}, Qt::black, 1);
    if (serie_.dataMudanca.isValid()) {
        const double x = anoFracionario(serie_.dataMudanca);
        Grafico->polilinha({{x, -yMax}, {x, yMax}}, corMudanca, 2, Qt::DashLine);
    }
    for (const PontoDesvioTempo& p : serie_.pontos) {
        const QPointF q = posicao(p);
        Grafico->marcar(q.x(), q.y(), Marca::Disco, corQt(p.cor));
    }

    QStringList legenda;
    std::vector<bool> presente(cores.size() + 1, false);
    for (const PontoDesvioTempo& p : serie_.pontos)
        if (p.curva >= 1 && p.curva <= static_cast<int>(cores.size()))
            presente[static_cast<size_t>(p.curva)] = true;
    for (size_t i = 1; i < presente.size(); ++i)
        if (presente[i])
            legenda << QStringLiteral("<span style=\"color:#%1\">&#9632;</span> Curva %2")
                           .arg(corHtml(cores[i - 1]))
                           .arg(i);
    lblLegenda->setText(serie_.pontos.empty()
                            ? QStringLiteral("Nenhuma medição com data tem desvio calculado.")
                            : QStringLiteral("Desvio = (Q da curva − Q medida) / Q medida × 100, "
                                             "de %1 medições: ")
                                      .arg(serie_.pontos.size()) +
                                  legenda.join(QStringLiteral("&nbsp;&nbsp;&nbsp;")));

    const ResultadoPettitt& r = serie_.pettitt;
    switch (r.veredito) {
        case Veredito::AmostraInsuficiente:
            lblPettitt->setText(
                QStringLiteral("Teste de Pettitt: amostra insuficiente (%1 medições com data; "
                               "são necessárias ao menos %2).")
                    .arg(r.n)
                    .arg(minimoAmostra));
            break;
        case Veredito::NaoPassa:
            lblPettitt->setText(
                QStringLiteral("Teste de Pettitt: mudança mais provável em %1 (K = %2, p = %3, "
                               "%4 medições). A linha tracejada marca a data.")
                    .arg(dataTexto(serie_.dataMudanca))
                    .arg(r.K)
                    .arg(textoP(r.p))
                    .arg(r.n));
            break;
        case Veredito::Passa:
            lblPettitt->setText(
                QStringLiteral("Teste de Pettitt: sem mudança significativa (K = %1, p = %2, %3 "
                               "medições; mudança com p < 0.05).")
                    .arg(r.K)
                    .arg(textoP(r.p))
                    .arg(r.n));
            break;
    }

    DataMarcada = QDate();
    if (serie_.dataMudanca.isValid())
        marcar(serie_.dataMudanca);
    else
        marcar(QDate());
    Grafico->atualizar();
}

void TDesviosTempo::marcar(const QDate& data) {
    if (marcaDesenhada_) {
        Grafico->removerUltimo();
        marcaDesenhada_ = false;
    }
    DataMarcada = data;
    bo_NovaCurva->setEnabled(data.isValid());
    if (!data.isValid()) {
        lblDataMarcada->setText(
            QStringLiteral("Nenhuma data marcada: clique numa medição para marcar a sua data."));
        return;
    }
    const auto ponto = std::find_if(serie_.pontos.begin(), serie_.pontos.end(),
                                    [&](const PontoDesvioTempo& p) { return p.data == data; });
    QString origem;
    if (ponto != serie_.pontos.end()) {
        const QPointF q = posicao(*ponto);
        Grafico->marcar(q.x(), q.y(), Marca::XNegrito, Qt::black);
        marcaDesenhada_ = true;
        origem = QStringLiteral("medição nº ") + numeroTexto(ponto->numero);
    }
    if (data == serie_.dataMudanca)
        origem = QStringLiteral("mudança mais provável; ") + origem;
    lblDataMarcada->setText(
        QStringLiteral("Data marcada: <b>%1</b> (%2)").arg(dataTexto(data), origem));
}

void TDesviosTempo::GraficoClick(const QPointF& posicao) {
    const auto item = Grafico->itemMaisProximo(posicao);
    if (!item)
        return;
    for (const PontoDesvioTempo& p : serie_.pontos) {
        if (lumeno::posicao(p) == *item) {
            marcar(p.data);
            Grafico->atualizar();
            return;
        }
    }
}

}  // namespace lumeno
