// A table of computed points (six text columns) with its export to a spreadsheet:
// "Dados calculados" lists the station's computed discharges and deviations.
#pragma once

#include <QDialog>
#include <QVariantList>

#include <vector>

class QPushButton;
class QTableWidget;

namespace lumeno {

struct Contexto;

class TMostrarPontosExtrapolados : public QDialog {
    Q_OBJECT
public:
    explicit TMostrarPontosExtrapolados(Contexto& contexto, QWidget* pai = nullptr);

    // Fills the grid: header texts of the columns (six, or more) and the rows.
    void preencher(const QStringList& cabecalho, const std::vector<QStringList>& linhas);
    // The station code written at the top of the export.
    QString Codigo;
    // Rows the export writes below the listing (set by the caller with the listing).
    std::vector<QVariantList> Anexo;

    QTableWidget* GradePontosExtrap;
    QPushButton* bo_exportar;

    void bo_exportarClick();

private:
    Contexto& contexto_;
    int alturaLinha_ = 16;
};

}  // namespace lumeno
