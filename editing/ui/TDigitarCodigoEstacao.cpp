#include "editing/ui/TDigitarCodigoEstacao.h"

#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"
#include "data/TDM.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

#include <cmath>

namespace lumeno {

TDigitarCodigoEstacao::TDigitarCodigoEstacao(Contexto& contexto, QWidget* pai)
    : QDialog(pai), contexto_(contexto) {
    setWindowTitle(QStringLiteral("Nova estação"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* campos = new QFormLayout;
    edCodigo = new EditorNumero(this);
    edCodigo->definirCasas(0);
    campos->addRow(QStringLiteral("Código"), edCodigo);
    layout->addLayout(campos);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    bo_ok = new QPushButton(QStringLiteral("&Ok"), this);
    bo_ok->setDefault(true);
    bo_cancela = new QPushButton(QStringLiteral("&Cancela"), this);
    botoes->addWidget(bo_ok);
    botoes->addWidget(bo_cancela);
    layout->addLayout(botoes);
    setFixedSize(260, 100);
    connect(bo_ok, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_okClick(); }));
    connect(bo_cancela, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_cancelaClick(); }));
}

void TDigitarCodigoEstacao::showEvent(QShowEvent* e) {
    edCodigo->definirValor(0);
    Confirmado = false;
    QDialog::showEvent(e);
    edCodigo->setFocus();
    edCodigo->selectAll();
}

void TDigitarCodigoEstacao::bo_okClick() {
    const int codigo = edCodigo->valorInteiro();
    auto q = contexto_.dm.novaConsulta();
    q->SQL << QStringLiteral("select IdEstacao from estacao where codigo = :codigo");
    q->definirParametro(QStringLiteral("codigo"), codigo);
    q->abrir();
    if (!q->vazio()) {
        contexto_.interacao.mensagem(QStringLiteral("Já existe estação com este código!!"),
                                     QStringLiteral("Erro"));
        edCodigo->definirValor(0);
        edCodigo->setFocus();
        return;
    }
    Confirmado = true;
    accept();
}

void TDigitarCodigoEstacao::bo_cancelaClick() {
    edCodigo->definirValor(0);
    reject();
}

}  // namespace lumeno
