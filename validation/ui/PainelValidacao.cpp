#include "validation/ui/PainelValidacao.h"

#include "validation/ValidacaoCurva.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lumeno {

PainelValidacao::PainelValidacao(QWidget* pai) : QWidget(pai) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    lblCurva = new QLabel(this);
    lblCurva->setWordWrap(true);
    layout->addWidget(lblCurva);
    grdFiguras = new QTableWidget(0, 3, this);
    grdFiguras->setHorizontalHeaderLabels(
        {QStringLiteral("Figura"), QStringLiteral("Valor"), QStringLiteral("Resultado")});
    grdFiguras->verticalHeader()->hide();
    grdFiguras->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdFiguras->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdFiguras->setWordWrap(true);
    grdFiguras->setTextElideMode(Qt::ElideNone);
    QHeaderView* cabecalho = grdFiguras->horizontalHeader();
    cabecalho->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    cabecalho->setSectionResizeMode(1, QHeaderView::Stretch);
    cabecalho->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    // Rows grow with their wrapped text.
    grdFiguras->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(grdFiguras, 1);
}

void PainelValidacao::mostrar(const CurvaTrecho& curva, int numero) {
    const ValidacaoCurva v = ValidarCurva(curva);
    lblCurva->setText(QStringLiteral("Curva %1, sobre as medições em que foi ajustada; desvio "
                                     "= ln Q medida − ln Q da curva.")
                          .arg(numero));
    const std::vector<LinhaValidacao> linhas = DescreverValidacao(v);
    grdFiguras->clearContents();
    grdFiguras->setRowCount(static_cast<int>(linhas.size()));
    for (int r = 0; r < static_cast<int>(linhas.size()); ++r) {
        const LinhaValidacao& l = linhas[static_cast<size_t>(r)];
        grdFiguras->setItem(r, 0, new QTableWidgetItem(l.figura));
        grdFiguras->setItem(r, 1, new QTableWidgetItem(l.descricao));
        auto* resultado = new QTableWidgetItem(l.resultado);
        QFont negrito = resultado->font();
        negrito.setBold(true);
        resultado->setFont(negrito);
        if (l.resultado == textoVeredito(Veredito::Passa))
            resultado->setForeground(QColor(0, 120, 0));
        else if (l.resultado == textoVeredito(Veredito::NaoPassa))
            resultado->setForeground(QColor(190, 0, 0));
        else if (l.resultado == textoVeredito(Veredito::AmostraInsuficiente))
            resultado->setForeground(QColor(110, 110, 110));
        else
            resultado->setForeground(QColor(170, 100, 0));
        grdFiguras->setItem(r, 2, resultado);
    }
}

}  // namespace lumeno
