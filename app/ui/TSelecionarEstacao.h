// Station picker: the station list, one row per station in code order, the first one
// selected. Ok, Return or a double click on a row picks the station; `Escolhida` tells
// whether a station was confirmed, and the station list query then stands on it.
#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace lumeno {

class Interacao;
class TDM;

class TSelecionarEstacao : public QDialog {
    Q_OBJECT
public:
    TSelecionarEstacao(Interacao& interacao, TDM& dm, QWidget* pai = nullptr);

    bool Escolhida = false;

    QTreeWidget* lstEstacao;
    QPushButton* bo_ok;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void bo_okClick();
    void preencher();
    Interacao& interacao_;
    TDM& dm_;
};

}  // namespace lumeno
