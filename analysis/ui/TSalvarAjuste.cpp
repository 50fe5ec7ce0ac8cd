#include "analysis/ui/TSalvarAjuste.h"

#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumeno {

namespace {
QDateEdit* novaData(QWidget* pai) {
    auto* d = new QDateEdit(pai);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    d->calendarWidget()->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    d->setMinimumDate(QDate(1800, 1, 1));
    d->setMinimumWidth(120);
    return d;
}
}  // namespace

TSalvarAjuste::TSalvarAjuste(Contexto& contexto, QWidget* pai) : QDialog(pai), contexto_(contexto) {
    setWindowTitle(QStringLiteral("Salvar ajuste"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* campos = new QGridLayout;
    campos->addWidget(new QLabel(QStringLiteral("Nome"), this), 0, 0);
    edtNome = new QLineEdit(this);
    edtNome->setMaxLength(60);
    campos->addWidget(edtNome, 0, 1, 1, 3);
    campos->addWidget(new QLabel(QStringLiteral("Válido de"), this), 1, 0);
    edtValidoDe = novaData(this);
    campos->addWidget(edtValidoDe, 1, 1);
    campos->addWidget(new QLabel(QStringLiteral("até"), this), 1, 2, Qt::AlignRight);
    edtValidoAte = novaData(this);
    campos->addWidget(edtValidoAte, 1, 3);
    chkEmAberto = new QCheckBox(QStringLiteral("Sem data final (validade em aberto)"), this);
    campos->addWidget(chkEmAberto, 2, 1, 1, 3);
    campos->addWidget(new QLabel(QStringLiteral("Observação"), this), 3, 0, Qt::AlignTop);
    edtObservacao = new QPlainTextEdit(this);
    edtObservacao->setTabChangesFocus(true);
    campos->addWidget(edtObservacao, 3, 1, 1, 3);
    campos->setColumnStretch(1, 1);
    campos->setColumnStretch(3, 1);
    layout->addLayout(campos, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    bo_ok = new QPushButton(QStringLiteral("&Ok"), this);
    bo_ok->setDefault(true);
    bo_cancela = new QPushButton(QStringLiteral("&Cancela"), this);
    botoes->addWidget(bo_ok);
    botoes->addWidget(bo_cancela);
    layout->addLayout(botoes);
    resize(440, 280);

    connect(chkEmAberto, &QCheckBox::toggled, edtValidoAte, &QWidget::setDisabled);
    connect(bo_ok, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_okClick(); }));
    connect(bo_cancela, &QPushButton::clicked, this, [this] {
        Confirmado = false;
        reject();
    });
}

void TSalvarAjuste::preparar(const QString& nome, const QDate& de, const QDate& ate,
                             const QString& observacao) {
    edtNome->setText(nome);
    edtValidoDe->setDate(de.isValid() ? de : QDate::currentDate());
    edtValidoAte->setDate(ate.isValid() ? ate : edtValidoDe->date());
    chkEmAberto->setChecked(!ate.isValid());
    edtValidoAte->setDisabled(!ate.isValid());
    edtObservacao->setPlainText(observacao);
}

void TSalvarAjuste::showEvent(QShowEvent* e) {
    Confirmado = false;
    QDialog::showEvent(e);
    edtNome->setFocus();
    edtNome->selectAll();
}

QString TSalvarAjuste::Nome() const {
    return edtNome->text().trimmed();
}

QDate TSalvarAjuste::ValidoDe() const {
    return edtValidoDe->date();
}

QDate TSalvarAjuste::ValidoAte() const {
    return chkEmAberto->isChecked() ? QDate() : edtValidoAte->date();
}

QString TSalvarAjuste::Observacao() const {
    return edtObservacao->toPlainText();
}

void TSalvarAjuste::bo_okClick() {
    Interacao& interacao = contexto_.interacao;
    if (Nome().isEmpty()) {
        interacao.mensagem(QStringLiteral("Digite o nome do ajuste."), QStringLiteral("Atenção"));
        edtNome->setFocus();
        return;
    }
    if (ValidoAte().isValid() && ValidoAte() < ValidoDe()) {
        interacao.mensagem(
            QStringLiteral("O fim da validade do ajuste deve ser igual ou posterior ao início."),
            QStringLiteral("Atenção"));
        edtValidoAte->setFocus();
        return;
    }
    Confirmado = true;
    accept();
}

}  // namespace lumeno
