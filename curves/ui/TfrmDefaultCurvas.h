// "Configuração de default de curvas": the default colour, algorithm and parameter of
// each curve number, which the criteria dialog pre-sets for a new curve.
#pragma once

#include <QDialog>

class QAction;
class QTreeWidget;

namespace lumeno {

struct Contexto;
class TfrmDadosDefaultCurva;

class TfrmDefaultCurvas : public QDialog {
    Q_OBJECT
public:
    TfrmDefaultCurvas(Contexto& contexto, TfrmDadosDefaultCurva& dados, QWidget* pai = nullptr);

    QTreeWidget* lstTrechos;
    QAction* mniInserir;
    QAction* mniAlterar;
    QAction* mniDeletar;

    void InserirClick();
    void AlterarClick();
    void DeletarClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void recarregar();
    Contexto& contexto_;
    TfrmDadosDefaultCurva& dados_;
};

}  // namespace lumeno
