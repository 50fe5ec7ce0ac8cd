// The saved ratings of a station, one row each (name, validity, number of curves, when it
// was saved, note), from which one is chosen — to open, overlay or delete it; the caller
// sets the caption.
#pragma once

#include "curves/AjustesSalvos.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTreeWidget;

namespace lumeno {

struct Contexto;

class TAjustesSalvos : public QDialog {
    Q_OBJECT
public:
    explicit TAjustesSalvos(Contexto& contexto, QWidget* pai = nullptr);

    // The caption and the ratings listed at the next showing.
    void preparar(const QString& titulo, std::vector<ResumoAjusteSalvo> ajustes);

    // Results, read after the dialog closes.
    bool Confirmado = false;
    // The id of the rating chosen; 0 when none.
    int Escolhido() const;
    // Its name.
    QString NomeEscolhido() const;

    QTreeWidget* lstAjustes;
    QPushButton* bo_ok;
    QPushButton* bo_cancela;

    void bo_okClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    Contexto& contexto_;
    std::vector<ResumoAjusteSalvo> ajustes_;
};

}  // namespace lumeno
