// The cross-section survey of the current station: the profile and the list of its
// points, with insert, change, delete and clearing of the whole survey (from the menu bar
// or the list's context menu; a double click on a point changes it).
#pragma once

#include <QDialog>

class QAction;
class QMenuBar;
class QTreeWidget;

namespace lumeno {

struct Contexto;
class PainelGrafico;
class TDigitarPontoSecao;

class TDigitarSecao : public QDialog {
    Q_OBJECT
public:
    TDigitarSecao(Contexto& contexto, TDigitarPontoSecao& ponto, QWidget* pai = nullptr);

    // Redraws the profile and the list from the database.
    void Desenhar();

    PainelGrafico* DesenhoSecao;
    QTreeWidget* lstPontos;
    QMenuBar* menu;
    QAction* omInserirPonto;
    QAction* omAlterarPonto;
    QAction* omDeletarPonto;
    QAction* omLimparSecao;

    void InserirPontoClick();
    void AlterarPontoClick();
    void DeletarPontoClick();
    void LimparSecaoClick();

    void done(int resultado) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Makes the selected point the current row of the point query; false when none.
    bool selecionado();
    Contexto& contexto_;
    TDigitarPontoSecao& ponto_;
};

// The profile alone, beside another window (not modal, resizable).
class TMostrarSecao : public QWidget {
    Q_OBJECT
public:
    explicit TMostrarSecao(Contexto& contexto, QWidget* pai = nullptr);
    // Draws the current station's profile and shows the window.
    void Mostrar();
    PainelGrafico* DesenhoSecao;

private:
    Contexto& contexto_;
};

// Title of the section windows: code, name and river of the current station.
QString tituloSecao(Contexto& contexto);

}  // namespace lumeno
