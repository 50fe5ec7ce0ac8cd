// Station dialog: code, name and river of the current station record (the station
// table in insert or edit state). The caller prepares the record, may set the title
// and whether the code may be typed, shows it and reads `Confirmado`.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace lumeno {

struct Contexto;
class EditorNumero;

class TDigitarEstacao : public QDialog {
    Q_OBJECT
public:
    explicit TDigitarEstacao(Contexto& contexto, QWidget* pai = nullptr);

    // True after OK stored the record; false after "&Cancela" or a refused store.
    bool Confirmado = false;
    // The river selector changed since the dialog was shown (or the record had a river).
    bool RioEscolhido = false;
    // The code box was typed into since the dialog was shown.
    bool CodigoAlterado = false;

    void definirCodigoSomenteLeitura(bool somenteLeitura);

    EditorNumero* edtCodigo;
    QLineEdit* edtDescricao;
    QComboBox* cboRio;
    QPushButton* bo_ok;
    QPushButton* bo_cancela;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void bo_okClick();
    void bo_cancelaClick();
    void carregarRios();
    Contexto& contexto_;
    bool mostrando_ = false;
    bool saindo_ = false;
};

}  // namespace lumeno
