// "Selecione o parâmetro K para o processo de Manning": Manning's K of the measurements
// against their stages on a chart that the caller fills, and the K to use.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace lumeno {

class EditorNumero;
class PainelGrafico;

class TDigitarKManning : public QDialog {
    Q_OBJECT
public:
    explicit TDigitarKManning(QWidget* pai = nullptr);

    // The K typed; 0 when the box is empty. Throws ErroConversao for a text that is not a
    // number.
    double K() const;

    // The note under the box about measurements that have no K (section factor 0); none
    // when `semK` is 0.
    void definirMedicoesSemK(int semK);

    EditorNumero* k;
    QPushButton* bo_ok;
    QLabel* lblSemK;
    PainelGrafico* Grafico;

protected:
    void showEvent(QShowEvent* e) override;
};

}  // namespace lumeno
