// Parameters of a station's measurement import from the network's data ("Parâmetros
// para carga"): which flagged rows and which consistency levels to take. The five boxes
// are cleared every time it is shown; it has no cancel — however it is closed, the
// import goes on with the boxes as they are.
#pragma once

#include "import/FonteHidro.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace lumeno {

class TfrmConfigImport : public QDialog {
    Q_OBJECT
public:
    explicit TfrmConfigImport(QWidget* pai = nullptr);

    // The station shown under "Estação".
    void definirEstacao(int codigo);
    FiltroMedicoes filtro() const;

    QLabel* lblCodigo;
    QCheckBox* chkImportado;
    QCheckBox* chkTemporario;
    QCheckBox* chkRemovido;
    QCheckBox* chkBruto;
    QCheckBox* chkConsistido;
    QPushButton* bo_ok;

protected:
    void showEvent(QShowEvent* e) override;
};

}  // namespace lumeno
