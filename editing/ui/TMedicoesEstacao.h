// The measurement summaries of one station: the list (stage, discharge, area, velocity,
// date), insert, edit, delete and the export to a spreadsheet.
#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace lumeno {

struct Contexto;
class TDigitarMedicao;

class TMedicoesEstacao : public QDialog {
    Q_OBJECT
public:
    TMedicoesEstacao(Contexto& contexto, TDigitarMedicao& digitar, QWidget* pai = nullptr);

    // From the main menu: station picker, then the window for the chosen station.
    void AbrirPeloMenu();

    QTreeWidget* lstMedicoes;
    QPushButton* bo_inserir;
    QPushButton* bo_editar;
    QPushButton* bo_deletar;
    QPushButton* bo_exportar;

    void bo_inserirClick();
    void bo_editarClick();
    void bo_deletarClick();
    void bo_exportarClick();

    // Writes the station's real measurements to a BIFF5 (or .xlsx) workbook: the header
    // in B2:G2, one row per measurement from B3, in the list's order.
    static void ExportarMedicoes(const QString& arquivo, class Consulta& medidas);

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void recarregar();
    // Makes the selected row the current measurement; false when none is selected.
    bool selecionada();
    Contexto& contexto_;
    TDigitarMedicao& digitar_;
};

}  // namespace lumeno
