#include "curves/ui/TDigitarParametrosCurva.h"

#include "app/ui/Comando.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace lumeno {

TDigitarParametrosCurva::TDigitarParametrosCurva(Interacao& interacao, QWidget* pai)
    : QDialog(pai), interacao_(interacao) {
    setWindowTitle(QStringLiteral("Parâmetros de ajuste da curva"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QFormLayout(this);
    edtK = new EditorNumero(this);
    edtK->definirCasas(5);
    edtM = new EditorNumero(this);
    edtM->definirCasas(5);
    edtH0 = new EditorNumero(this);
    edtCor = new QLineEdit(this);
    edtCor->setReadOnly(true);
    edtCor->setCursor(Qt::PointingHandCursor);
    edtCor->installEventFilter(this);
    layout->addRow(QStringLiteral("k"), edtK);
    layout->addRow(QStringLiteral("m"), edtM);
    layout->addRow(QStringLiteral("h<sub>0</sub>"), edtH0);
    layout->addRow(QStringLiteral("Cor"), edtCor);
    auto* botoes = new QHBoxLayout;
    bo_ok = new QPushButton(QStringLiteral("         &Ok"), this);
    bo_ok->setDefault(true);
    bo_cancela = new QPushButton(QStringLiteral("     &Cancela"), this);
    botoes->addWidget(bo_ok);
    botoes->addWidget(bo_cancela);
    layout->addRow(botoes);
    setFixedSize(300, 200);
    connect(
        bo_ok, &QPushButton::clicked, this, comando(interacao_, [this] {
            if (!CorEscolhida) {
                interacao_.mensagem(QStringLiteral("Deve selecionar cor para a nova curva!"),
                                    QStringLiteral("Atenção"));
                return;
            }
            const double valor = h0();
            if (valor < -10000 || valor > 10000 || valor >= cotaMin_ / 100) {
                interacao_.mensagem(
                    QStringLiteral(
                        "Valor de h0 não deve ultrapassar a menor cota das medições da estação"),
                    QStringLiteral("Erro"));
                return;
            }
            Confirmado = true;
            accept();
        }));
    connect(bo_cancela, &QPushButton::clicked, this, comando(interacao_, [this] {
                Confirmado = false;
                reject();
            }));
}

void TDigitarParametrosCurva::preparar(int curva, double k, double m, double h0, double cotaMin) {
    Curva = curva;
    cotaMin_ = cotaMin;
    edtK->definirValor(k);
    edtM->definirValor(m);
    edtH0->definirValor(h0);
}

double TDigitarParametrosCurva::k() const {
    return edtK->valor();
}
double TDigitarParametrosCurva::m() const {
    return edtM->valor();
}
double TDigitarParametrosCurva::h0() const {
    return edtH0->valor();
}

void TDigitarParametrosCurva::showEvent(QShowEvent* e) {
    Confirmado = false;
    CorEscolhida = false;
    Cor = 0xFFFFFF;
    edtCor->setStyleSheet(QStringLiteral("QLineEdit { background-color: white; }"));
    QDialog::showEvent(e);
}

bool TDigitarParametrosCurva::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == edtCor && evento->type() == QEvent::MouseButtonRelease) {
        escolherCor();
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void TDigitarParametrosCurva::escolherCor() {
    if (const auto cor = interacao_.escolherCor(corQt(Cor))) {
        Cor = corWindows(*cor);
        CorEscolhida = true;
        edtCor->setStyleSheet(
            QStringLiteral("QLineEdit { background-color: %1; }").arg(cor->name()));
    }
}

}  // namespace lumeno
