// Spreadsheet files: a workbook with one sheet of text and number cells at zero-based
// (column, row), written as an Excel 5.0 (BIFF5) workbook, or, when the file name ends
// in ".xlsx", as an Office Open XML workbook. Cells are kept in memory and the file is
// written by fechar(); the grid lines and the row and column headings are shown.
#pragma once

#include <QString>

#include <map>
#include <utility>
#include <variant>

namespace lumeno {

class EscritorPlanilha {
public:
    explicit EscritorPlanilha(QString arquivo, QString nomePlanilha = QStringLiteral("Sheet1"));

    // A later write to the same cell replaces the earlier one. Texts are cut to 255
    // characters; in BIFF5 characters outside Windows Latin 1 become "?".
    void escreverTexto(int coluna, int linha, const QString& texto);
    void escreverNumero(int coluna, int linha, double valor);

    // Writes the file. Throws ErroLumeno naming the file when it cannot be written.
    // Nothing is written unless this is called.
    void fechar();

    // The workbook stream of a BIFF5 file as fechar() lays it out (for inspection).
    QByteArray fluxoBiff5() const;

private:
    using Valor = std::variant<QString, double>;
    void gravarBiff5();
    void gravarXlsx();

    QString arquivo_;
    QString nomePlanilha_;
    std::map<std::pair<int, int>, Valor> celulas_;  // by (row, column)
};

// Windows Latin 1 (code page 1252) bytes of a text; other characters become "?".
QByteArray textoCp1252(const QString& texto);

}  // namespace lumeno
