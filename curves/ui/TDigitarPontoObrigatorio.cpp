#include "curves/ui/TDigitarPontoObrigatorio.h"

#include "app/ui/Comando.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"
#include "curves/CriteriosAjuste.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

#include <cmath>

namespace lumeno {

TDigitarPontoObrigatorio::TDigitarPontoObrigatorio(Interacao& interacao, QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      interacao_(interacao) {
    setWindowTitle(QStringLiteral("Digitar ponto obrigatório"));
    auto* layout = new QFormLayout(this);
    edCota = new EditorNumero(this);
    edVazao = new EditorNumero(this);
    edPeso = new EditorNumero(this);
    edPeso->definirCasas(0);
    layout->addRow(QStringLiteral("Cota (cm)"), edCota);
    layout->addRow(QStringLiteral("Vazão (m³/s)"), edVazao);
    layout->addRow(QStringLiteral("Peso"), edPeso);
    auto* botoes = new QHBoxLayout;
    bo_ok = new QPushButton(QStringLiteral("     Ok"), this);
    bo_ok->setDefault(true);
    bo_cancela = new QPushButton(QStringLiteral("Cancela"), this);
    botoes->addWidget(bo_ok);
    botoes->addWidget(bo_cancela);
    layout->addRow(botoes);
    setFixedSize(260, 150);
    connect(bo_ok, &QPushButton::clicked, this, comando(interacao_, [this] {
                // The weight is kept in three digits of the point's packed text.
                if (edPeso->valor() > 999) {
                    interacao_.mensagem(QStringLiteral("Peso do ponto deve ser no máximo 999!"),
                                        QString());
                    return;
                }
                if (ponto().peso > 1) {
                    Confirmado = true;
                    accept();
                } else {
                    interacao_.mensagem(QStringLiteral("Peso do ponto deve ser maior que 1!"),
                                        QString());
                }
            }));
    connect(bo_cancela, &QPushButton::clicked, this, comando(interacao_, [this] {
                Confirmado = false;
                reject();
            }));
}

void TDigitarPontoObrigatorio::preparar(const PontoObrigatorio& p) {
    edCota->definirValor(p.cota);
    edVazao->definirValor(p.vazao);
    edPeso->definirValor(p.peso);
}

PontoObrigatorio TDigitarPontoObrigatorio::ponto() const {
    return {edCota->valor(), edVazao->valor(), static_cast<int>(std::lround(edPeso->valor()))};
}

void TDigitarPontoObrigatorio::showEvent(QShowEvent* e) {
    Confirmado = false;
    QDialog::showEvent(e);
    edCota->setFocus();
}

}  // namespace lumeno
