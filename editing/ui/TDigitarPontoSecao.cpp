#include "editing/ui/TDigitarPontoSecao.h"

#include "app/ErroLumeno.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"
#include "data/TDM.h"

#include <QFormLayout>
#include <QPushButton>

namespace lumeno {

TDigitarPontoSecao::TDigitarPontoSecao(Contexto& contexto, QWidget* pai)
    : QDialog(pai), contexto_(contexto) {
    setWindowTitle(QStringLiteral("Ponto de Seção"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QFormLayout(this);
    edtX = new EditorNumero(this);
    edtY = new EditorNumero(this);
    layout->addRow(QStringLiteral("Margem"), edtX);
    layout->addRow(QStringLiteral("Cota"), edtY);
    bo_ok = new QPushButton(QStringLiteral("&Ok"), this);
    bo_ok->setDefault(true);
    layout->addRow(bo_ok);
    setFixedSize(240, 120);
    connect(bo_ok, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_okClick(); }));
}

void TDigitarPontoSecao::iniciarPonto() {
    Tabela& ponto = contexto_.dm.tb_ponto;
    ponto.anexar();
    ponto.definirValor(QStringLiteral("Estacao"), Estacao);
    edtX->clear();
    edtY->clear();
}

void TDigitarPontoSecao::showEvent(QShowEvent* e) {
    Gravou = false;
    carregarAoMostrar(contexto_.interacao, *this, [this] {
        Tabela& ponto = contexto_.dm.tb_ponto;
        ponto.abrir();
        if (Inserindo) {
            iniciarPonto();
            edtX->setEnabled(true);
        } else {
            if (!ponto.localizar(QStringLiteral("IdPonto"), IdPonto))
                throw ErroLumeno(QStringLiteral("O ponto não existe mais."));
            ponto.editar();
            edtX->definirValor(ponto.campo(QStringLiteral("X")).comoReal());
            edtY->definirValor(ponto.campo(QStringLiteral("Y")).comoReal());
            edtX->setEnabled(false);
        }
    });
    QDialog::showEvent(e);
    (Inserindo ? edtX : edtY)->setFocus();
}

void TDigitarPontoSecao::bo_okClick() {
    Tabela& ponto = contexto_.dm.tb_ponto;
    // A point without distance or elevation would be stored empty and drawn at (0, 0).
    if ((Inserindo && edtX->vazio()) || edtY->vazio()) {
        contexto_.interacao.mensagem(QStringLiteral("Digite a margem e a cota do ponto."),
                                     QStringLiteral("Erro"));
        (Inserindo && edtX->vazio() ? edtX : edtY)->setFocus();
        return;
    }
    QVariant x, y;
    try {
        x = edtX->valorCampo();
        y = edtY->valorCampo();
    } catch (const ErroConversao& e) {
        contexto_.interacao.mensagem(e.mensagem(), QStringLiteral("Erro"));
        return;
    }
    if (Inserindo)
        ponto.definirValor(QStringLiteral("X"), x);
    ponto.definirValor(QStringLiteral("Y"), y);
    ponto.postar();
    Gravou = true;
    if (redesenhar)
        redesenhar();
    if (Inserindo) {
        iniciarPonto();
        edtX->setFocus();
    } else {
        accept();
    }
}

void TDigitarPontoSecao::done(int resultado) {
    Tabela& ponto = contexto_.dm.tb_ponto;
    ponto.cancelar();
    ponto.fechar();
    QDialog::done(resultado);
}

}  // namespace lumeno
