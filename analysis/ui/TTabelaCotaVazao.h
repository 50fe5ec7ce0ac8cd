// "Tabela cota-vazão": the rating table of the current rating or of a saved one, from a
// lowest to a highest stage in a chosen step (1 cm by default), as a list (stage, discharge,
// curve, flag) or as the classic table of decimetres by centimetres, and its export to
// .xls, .xlsx or CSV.
#pragma once

#include "curves/TabelaCotaVazao.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;

namespace lumeno {

struct Contexto;
class EditorNumero;
class ModeloTabelaCotaVazao;

class TTabelaCotaVazao : public QDialog {
    Q_OBJECT
public:
    explicit TTabelaCotaVazao(Contexto& contexto, QWidget* pai = nullptr);
    ~TTabelaCotaVazao() override;

    // A rating the table can be made of: its caption in the list and how to read it.
    struct Opcao {
        QString legenda;
        std::function<ChaveCotaVazao()> chave;
    };
    // The station (as the exported file names it) and the ratings offered at the next
    // showing; the first is chosen.
    void preparar(const QString& estacao, std::vector<Opcao> opcoes);

    QComboBox* cboAjuste;
    EditorNumero* edtCotaInicial;
    EditorNumero* edtCotaFinal;
    EditorNumero* edtPasso;
    QPushButton* bo_calcular;
    QRadioButton* rbLista;
    QRadioButton* rbDecimetros;
    QTableView* grdTabela;
    QLabel* lblLegenda;
    QCheckBox* chkCsvPortugues;
    QPushButton* bo_exportar;
    QPushButton* bo_fechar;

    // Choosing a rating: its stage range and a step of 1 cm, and the table.
    void cboAjusteChange(int indice);
    // The table of the stages typed.
    void Calcular();
    // Shows the list or the decimetre layout.
    void MudarDisposicao();
    // Writes the layout shown to a file the user chooses.
    void Exportar();

    // The table shown (empty until calculated).
    const std::vector<CotaAvaliada>& Tabela() const { return tabela_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    GradeExportacao grade() const;

    Contexto& contexto_;
    QString estacao_;
    std::vector<Opcao> opcoes_;
    std::optional<ChaveCotaVazao> chave_;
    std::vector<CotaAvaliada> tabela_;
    std::vector<LinhaDecimetro> decimetros_;
    ModeloTabelaCotaVazao* modelo_;
};

}  // namespace lumeno
