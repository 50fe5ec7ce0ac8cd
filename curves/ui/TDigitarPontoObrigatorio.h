// A mandatory point of a curve ("Digitar ponto obrigatório"): stage, discharge and a
// weight from 2 to 999, the number of times the point counts in the fit.
#pragma once

#include <QDialog>

class QPushButton;

namespace lumeno {

class EditorNumero;
class Interacao;
struct PontoObrigatorio;

class TDigitarPontoObrigatorio : public QDialog {
    Q_OBJECT
public:
    explicit TDigitarPontoObrigatorio(Interacao& interacao, QWidget* pai = nullptr);

    void preparar(const PontoObrigatorio& ponto);
    PontoObrigatorio ponto() const;

    bool Confirmado = false;
    EditorNumero* edCota;
    EditorNumero* edVazao;
    EditorNumero* edPeso;
    QPushButton* bo_ok;
    QPushButton* bo_cancela;

protected:
    void showEvent(QShowEvent* e) override;

private:
    Interacao& interacao_;
};

}  // namespace lumeno
