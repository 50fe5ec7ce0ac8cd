// "Parâmetros de ajuste da curva": k, m and h0 of a power-law curve typed by hand, and
// the colour in which the try is drawn.
#pragma once

#include <QDialog>

#include <cstdint>

class QLineEdit;
class QPushButton;

namespace lumeno {

class EditorNumero;
class Interacao;

class TDigitarParametrosCurva : public QDialog {
    Q_OBJECT
public:
    explicit TDigitarParametrosCurva(Interacao& interacao, QWidget* pai = nullptr);

    // The curve being edited and its lowest stage (cm), which h0 must stay below.
    void preparar(int curva, double k, double m, double h0, double cotaMin);
    double k() const;
    double m() const;
    double h0() const;

    bool Confirmado = false;
    bool CorEscolhida = false;
    std::uint32_t Cor = 0xFFFFFF;
    int Curva = 0;

    EditorNumero* edtK;
    EditorNumero* edtM;
    EditorNumero* edtH0;
    QLineEdit* edtCor;
    QPushButton* bo_ok;
    QPushButton* bo_cancela;

    void escolherCor();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    Interacao& interacao_;
    double cotaMin_ = 0;
};

}  // namespace lumeno
