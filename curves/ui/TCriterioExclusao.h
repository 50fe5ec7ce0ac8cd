// "Definir critérios para excluir pontos": ranges of date, stage, discharge, area,
// measurement number or velocity whose measurements are left out of the chart and of
// every fit of the curve-adjustment window.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;

namespace lumeno {

class CriteriosExclusao;
class EditorNumero;
class Interacao;

class TCriterioExclusao : public QDialog {
    Q_OBJECT
public:
    TCriterioExclusao(Interacao& interacao, CriteriosExclusao& criterios, QWidget* pai = nullptr);

    QComboBox* cboTipo;
    QLineEdit* edtDataDe;
    QLineEdit* edtDataAte;
    QSpinBox* edtMedicaoDe;
    QSpinBox* edtMedicaoAte;
    EditorNumero* edtValorDe;
    EditorNumero* edtValorAte;
    QTableWidget* grCriterio;
    QPushButton* bo_insere;
    QPushButton* bo_deleta;
    QPushButton* bo_inicializa;

    void InsereClick();
    void DeletaClick();
    void InicializaClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void mostrarCaixas();
    void limparCaixas();
    void preencherGrade();
    Interacao& interacao_;
    CriteriosExclusao& criterios_;
    QStackedWidget* caixas_;
};

}  // namespace lumeno
