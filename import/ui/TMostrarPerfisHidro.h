// Profile choice of the cross-section import: the station's surveys by date, with their
// time, survey number, consistency level and number of verticals; the row under the
// cursor when "&Ok" is pressed is the one imported.
#pragma once

#include "import/FonteHidro.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace lumeno {

class TMostrarPerfisHidro : public QDialog {
    Q_OBJECT
public:
    enum Coluna { Data, Hora, NumLevantamento, Nivel, Verticais };

    explicit TMostrarPerfisHidro(QWidget* pai = nullptr);

    // Fills the list with the profiles of station `codigo`; the first one is current.
    void carregar(int codigo, const std::vector<PerfilHidro>& perfis);

    // True when the dialog was closed with "&Ok" on a profile.
    bool Escolhido = false;
    // Position of the chosen profile in the list given to carregar().
    int indiceEscolhido = -1;

    QTreeWidget* lstPerfis;
    QPushButton* bo_ok;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void bo_okClick();
};

}  // namespace lumeno
