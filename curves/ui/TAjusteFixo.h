// "Fixando h0": h0 of each power-law curve set by the user; k and m are then fitted
// again with h0 held.
#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumeno {

struct Contexto;
struct CurvaTrecho;

class TAjusteFixo : public QDialog {
    Q_OBJECT
public:
    explicit TAjusteFixo(Contexto& contexto, QWidget* pai = nullptr);

    // Lists curves 1 … total of `trechos`.
    void preencher(const CurvaTrecho* trechos, int total);
    // The h0 (metres) in row `i` (0-based); for a polynomial row, none.
    bool h0DaLinha(int i, double& h0) const;

    bool Confirmado = false;
    QTreeWidget* lstParametros;
    QPushButton* bo_ok;
    QPushButton* bo_cancela;

    void lstParametrosDblClick(QTreeWidgetItem* item);

protected:
    void showEvent(QShowEvent* e) override;

private:
    Contexto& contexto_;
    const CurvaTrecho* trechos_ = nullptr;
};

// The caption of a curve number in the manual-adjustment lists.
QString numeroCurva(int numero);

}  // namespace lumeno
