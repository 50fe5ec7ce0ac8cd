// "Cota a ser extrapolada": which fitted curve to extrapolate, up to which stage and in
// which colour. The stage itself is checked by the extrapolation commands.
#pragma once

#include <QDialog>

#include <cstdint>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace lumeno {

struct Contexto;
struct CurvaTrecho;
class EditorNumero;

class TDadosCotaExtrapolacao : public QDialog {
    Q_OBJECT
public:
    explicit TDadosCotaExtrapolacao(Contexto& contexto, QWidget* pai = nullptr);

    // The curves 1 … total of `trechos` listed at the next showing.
    void preparar(const CurvaTrecho* trechos, int total);

    // Results, read after the dialog closes.
    bool Confirmado = false;
    bool CorEscolhida = false;
    // The number of the selected curve; 0 when none.
    int Trecho() const;
    // The target stage (cm).
    double CotaExtrapolada() const;
    // The chosen colour, 0x00BBGGRR.
    std::uint32_t Cor() const { return cor_; }

    EditorNumero* edtCota;
    QLineEdit* edtCor;
    QTreeWidget* lstTrechos;
    QPushButton* bo_ok;
    QPushButton* bo_cancela;

    void edtCorClick();
    void bo_okClick();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void mostrarCor();

    Contexto& contexto_;
    const CurvaTrecho* trechos_ = nullptr;
    int total_ = 0;
    std::uint32_t cor_ = 0xFFFFFF;
};

}  // namespace lumeno
