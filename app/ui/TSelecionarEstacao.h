// Station picker: the station list, one row per station in code order. `Escolhida`
// tells whether a station was confirmed; the station list query then stands on it.
#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace lumeno {

class TDM;

class TSelecionarEstacao : public QDialog {
    Q_OBJECT
public:
    explicit TSelecionarEstacao(TDM& dm, QWidget* pai = nullptr);

    bool Escolhida = false;

    QTreeWidget* lstEstacao;
    QPushButton* bo_ok;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void bo_okClick();
    void preencher();
    TDM& dm_;
};

}  // namespace lumeno
