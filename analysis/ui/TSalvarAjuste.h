// "Salvar ajuste": the name under which the current rating is kept, the period in which it
// is valid (the end may stay open) and a free note.
#pragma once

#include <QDate>
#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lumeno {

struct Contexto;

class TSalvarAjuste : public QDialog {
    Q_OBJECT
public:
    explicit TSalvarAjuste(Contexto& contexto, QWidget* pai = nullptr);

    // The values shown at the next showing; an invalid `ate` leaves the end open.
    void preparar(const QString& nome, const QDate& de, const QDate& ate,
                  const QString& observacao);

    // Results, read after the dialog closes.
    bool Confirmado = false;
    QString Nome() const;
    QDate ValidoDe() const;
    QDate ValidoAte() const;  // invalid when the end is open
    QString Observacao() const;

    QLineEdit* edtNome;
    QDateEdit* edtValidoDe;
    QDateEdit* edtValidoAte;
    QCheckBox* chkEmAberto;
    QPlainTextEdit* edtObservacao;
    QPushButton* bo_ok;
    QPushButton* bo_cancela;

    void bo_okClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    Contexto& contexto_;
};

}  // namespace lumeno
