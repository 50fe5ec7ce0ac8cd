// "Conjuntos de pontos definidos": the point sets of the data-analysis window, one row
// each. Checking a row asks for the algorithm and its parameter; the checked rows are
// handed to the curve-adjustment window, which fits one curve per set when it opens.
#pragma once

#include "analysis/ConjuntoPontos.h"

#include <QDialog>
#include <QStringList>

#include <vector>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumeno {

struct Contexto;
class TfrmEscolherAlgoritmo;

class TfrmPontosLumeno : public QDialog {
    Q_OBJECT
public:
    // Columns of the list.
    enum Coluna { ColNumero, ColSelecao, ColDe, ColAte, ColAlgoritmo, ColParametro };
    static inline const QString naoDefinido = QStringLiteral("não definido");

    explicit TfrmPontosLumeno(Contexto& contexto, QWidget* pai = nullptr);

    // One unchecked row per caption of the "&Legenda" menu, read back from the caption;
    // `conjuntos` gives each row's colour, `cotaMinima` the station's lowest measured
    // stage (cm), above which an initial h0 is refused.
    void Preencher(const QStringList& legendas, const std::vector<ConjuntoPontos>& conjuntos,
                   double cotaMinima);
    // The checked rows, in list order.
    std::vector<LinhaConjunto> linhasMarcadas() const;
    // "Traçar curvas para trechos selecionados".
    void TracarCurvasClick();

    QTreeWidget* lstPontos;
    QPushButton* bu_tracar;
    TfrmEscolherAlgoritmo* frmEscolherAlgoritmo;

private:
    // A row's box changed (not its texts): a checked row gets its algorithm and parameter.
    void linhaMudou(QTreeWidgetItem* item, int coluna);
    void escolherAlgoritmo(QTreeWidgetItem* item);
    // Unchecks a row without asking anything.
    void desmarcar(QTreeWidgetItem* item);
    int totalMarcadas() const;

    Contexto& contexto_;
    std::vector<std::uint32_t> cores_;
    double cotaMinima_ = 0;
    bool ajustando_ = false;  // the window itself changes a row
};

}  // namespace lumeno
