#include "hydraulics/ui/TDigitarKManning.h"

#include "components/EditorNumero.h"
#include "components/PainelGrafico.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumeno {

TDigitarKManning::TDigitarKManning(QWidget* pai) : QDialog(pai) {
    setWindowTitle(QStringLiteral("Selecione o parâmetro K para o processo de Manning"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* faixa = new QWidget(this);
    auto* linha = new QHBoxLayout(faixa);
    linha->setContentsMargins(8, 6, 8, 6);
    linha->addWidget(new QLabel(QStringLiteral("Valor de K"), faixa));
    k = new EditorNumero(faixa);
    k->definirCasas(4);
    k->setFixedWidth(130);
    linha->addWidget(k);
    bo_ok = new QPushButton(QStringLiteral("   &Ok"), faixa);
    bo_ok->setDefault(true);
    linha->addWidget(bo_ok);
    lblSemK = new QLabel(faixa);
    lblSemK->setWordWrap(true);
    linha->addWidget(lblSemK, 1);
    linha->addStretch();
    layout->addWidget(faixa);

    Grafico = new PainelGrafico(this);
    Grafico->definirMargens(30, 20, 20, 30);
    Grafico->definirGrade(PainelGrafico::Grade::Nenhuma);
    Grafico->definirTitulo(PainelGrafico::Eixo::X, QStringLiteral("K"));
    Grafico->definirTitulo(PainelGrafico::Eixo::Y, QStringLiteral("Cota (cm)"));
    Grafico->setMinimumHeight(270);
    layout->addWidget(Grafico, 1);
    setFixedSize(480, 330);

    connect(bo_ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TDigitarKManning::showEvent(QShowEvent* e) {
    k->setText(QStringLiteral("0"));
    QDialog::showEvent(e);
    k->setFocus();
    k->selectAll();
}

double TDigitarKManning::K() const {
    return k->valor();
}

void TDigitarKManning::definirMedicoesSemK(int semK) {
    if (semK <= 0) {
        lblSemK->clear();
        lblSemK->hide();
        return;
    }
    lblSemK->setText(semK == 1 ? QStringLiteral("1 medição sem K (fator de seção nulo) "
                                                "fica fora do gráfico.")
                               : QStringLiteral("%1 medições sem K (fator de seção nulo) "
                                                "ficam fora do gráfico.")
                                     .arg(semK));
    lblSemK->show();
}

}  // namespace lumeno
