// Choosing the algorithm of a curve ("Algoritmo").
#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace lumeno {

class Interacao;

class TfrmEscolherAlgoritmo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmEscolherAlgoritmo(Interacao& interacao, QWidget* pai = nullptr);

    bool Confirmado = false;
    // The algorithm chosen (1 power law, 2 polynomial).
    int algoritmo() const;

    QComboBox* cboAlgoritmo;
    QPushButton* bo_ok;

protected:
    void showEvent(QShowEvent* e) override;

private:
    Interacao& interacao_;
};

}  // namespace lumeno
