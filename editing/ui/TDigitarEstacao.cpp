#include "editing/ui/TDigitarEstacao.h"

#include "app/ErroLumeno.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"
#include "data/TDM.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace lumeno {

TDigitarEstacao::TDigitarEstacao(Contexto& contexto, QWidget* pai)
    : QDialog(pai), contexto_(contexto) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    auto* campos = new QFormLayout;
    edtCodigo = new EditorNumero(this);
    edtCodigo->definirCasas(0);
    edtCodigo->setReadOnly(true);
    edtDescricao = new QLineEdit(this);
    edtDescricao->setMaxLength(30);
    cboRio = new QComboBox(this);
    cboRio->setEditable(true);
    cboRio->setInsertPolicy(QComboBox::NoInsert);
    cboRio->completer()->setCompletionMode(QCompleter::PopupCompletion);
    cboRio->completer()->setFilterMode(Qt::MatchStartsWith);
    cboRio->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    campos->addRow(QStringLiteral("Código da estação"), edtCodigo);
    campos->addRow(QStringLiteral("Nome"), edtDescricao);
    campos->addRow(QStringLiteral("Curso d'água"), cboRio);
    layout->addLayout(campos);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    bo_ok = new QPushButton(QStringLiteral("&Ok"), this);
    bo_ok->setDefault(true);
    bo_cancela = new QPushButton(QStringLiteral("&Cancela"), this);
    botoes->addWidget(bo_ok);
    botoes->addWidget(bo_cancela);
    layout->addLayout(botoes);
    setFixedSize(380, 150);

    connect(bo_ok, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_okClick(); }));
    connect(bo_cancela, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_cancelaClick(); }));
    connect(edtCodigo, &QLineEdit::textEdited, this,
            comando(contexto_.interacao, [this] { CodigoAlterado = true; }));
    connect(cboRio, &QComboBox::currentTextChanged, this, comando(contexto_.interacao, [this] {
                if (mostrando_)
                    RioEscolhido = true;
            }));
}

void TDigitarEstacao::definirCodigoSomenteLeitura(bool somenteLeitura) {
    edtCodigo->setReadOnly(somenteLeitura);
}

void TDigitarEstacao::carregarRios() {
    Consulta& rios = contexto_.dm.qu_rio1;
    rios.fechar();
    rios.abrir();
    cboRio->clear();
    for (rios.primeiro(); !rios.eof(); rios.proximo())
        cboRio->addItem(rios.campo(QStringLiteral("nome")).comoTexto(),
                        rios.campo(QStringLiteral("IdRio")).valor());
}

void TDigitarEstacao::showEvent(QShowEvent* e) {
    mostrando_ = false;
    saindo_ = false;
    Confirmado = false;
    RioEscolhido = false;
    CodigoAlterado = false;
    Tabela& estacao = contexto_.dm.tb_estacao;
    const bool editando = estacao.estado() == ConjuntoDados::Estado::Inserindo ||
                          estacao.estado() == ConjuntoDados::Estado::Editando;
    bo_ok->setEnabled(editando);
    bo_cancela->setEnabled(editando);

    const Campo codigo = estacao.campo(QStringLiteral("Codigo"));
    if (codigo.nulo())
        edtCodigo->clear();
    else
        edtCodigo->definirValor(codigo.comoReal());
    edtDescricao->setText(estacao.campo(QStringLiteral("Descricao")).comoTexto());
    carregarAoMostrar(contexto_.interacao, *this, [this] { carregarRios(); });
    const Campo rio = estacao.campo(QStringLiteral("Rio"));
    const int indice = rio.nulo() ? -1 : cboRio->findData(rio.comoReal());
    cboRio->setCurrentIndex(indice);
    if (indice < 0)
        cboRio->setEditText(QString());
    // A river already on the record counts as chosen.
    RioEscolhido = !rio.nulo() && rio.comoReal() != 0;
    mostrando_ = true;
    QDialog::showEvent(e);
    if (edtCodigo->isReadOnly())
        edtDescricao->setFocus();
    else
        edtCodigo->setFocus();
}

void TDigitarEstacao::bo_okClick() {
    Interacao& interacao = contexto_.interacao;
    // A river typed that is not in the list yet may be added to it, so that a new database
    // (with no rivers) can receive stations.
    const QString nomeRio = cboRio->currentText().trimmed();
    int indice = cboRio->findText(nomeRio, Qt::MatchFixedString);
    if (RioEscolhido && indice < 0 && !nomeRio.isEmpty()) {
        if (!interacao.pergunta(
                QStringLiteral("O rio \"%1\" não está cadastrado. Deseja incluí-lo?").arg(nomeRio),
                QStringLiteral("Rio")))
            return;
        auto novo = contexto_.dm.novaConsulta();
        novo->SQL << QStringLiteral(
            "insert into rio (IdRio, Nome) values ((select coalesce(max(IdRio), 0) + 1 from rio), "
            ":nome)");
        novo->definirParametro(QStringLiteral("nome"), nomeRio.left(30));
        novo->executar();
        mostrando_ = false;
        carregarRios();
        indice = cboRio->findText(nomeRio.left(30), Qt::MatchFixedString);
        cboRio->setCurrentIndex(indice);
        mostrando_ = true;
    }
    const Campo rioDoRegistro = contexto_.dm.tb_estacao.campo(QStringLiteral("Rio"));
    const bool registroTemRio = !rioDoRegistro.nulo() && rioDoRegistro.comoReal() != 0;
    if (!RioEscolhido || (indice < 0 && !registroTemRio)) {
        interacao.mensagem(QStringLiteral("Deve ser selecionado algum rio para a estação"),
                           QStringLiteral("Erro!"));
        return;
    }
    // A cleared code box is no code (it would be stored as 0).
    if (edtCodigo->vazio()) {
        interacao.mensagem(QStringLiteral("Deve ser escolhido algum código para a estação!"),
                           QStringLiteral("Erro!"));
        return;
    }
    const int codigo = edtCodigo->valorInteiro();
    if (!CodigoAlterado && codigo == 0) {
        interacao.mensagem(QStringLiteral("Deve ser escolhido algum código para a estação!"),
                           QStringLiteral("Erro!"));
        return;
    }
    Tabela& estacao = contexto_.dm.tb_estacao;
    estacao.definirValor(QStringLiteral("Codigo"), codigo);
    estacao.definirValor(QStringLiteral("Descricao"), edtDescricao->text());
    if (indice >= 0)
        estacao.definirValor(QStringLiteral("Rio"), cboRio->itemData(indice));
    try {
        estacao.postar();
    } catch (const ErroViolacaoChave& e) {
        // The pending record was discarded by the table.
        interacao.mensagem(e.mensagem(), e.titulo());
        Confirmado = false;
        saindo_ = true;
        reject();
        return;
    }
    Confirmado = true;
    saindo_ = true;
    accept();
}

void TDigitarEstacao::bo_cancelaClick() {
    Confirmado = false;
    contexto_.dm.tb_estacao.cancelar();
    saindo_ = true;
    reject();
}

void TDigitarEstacao::closeEvent(QCloseEvent* e) {
    // Left only through its two buttons.
    if (!saindo_)
        e->ignore();
    mostrando_ = false;
}

void TDigitarEstacao::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        if (bo_cancela->isEnabled())
            bo_cancelaClick();
        return;
    }
    QDialog::keyPressEvent(e);
}

}  // namespace lumeno
