// "Dados de pontos, curvas e extrapolações da estação": the station-data summary of the
// current adjustment — measurements, limits, curves and extrapolations — by category, with
// the details of the entry chosen, and the export of an extrapolation's points to a
// spreadsheet. A window beside the curve-adjustment window (not modal); the load of that
// window resets it and every fit and extrapolation extends it.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableWidget;

namespace lumeno {

struct Contexto;
class DadosEstacao;
class PainelValidacao;
class TTelaMedicao;

class TfrmDadosEstacao : public QWidget {
    Q_OBJECT
public:
    // `tela` holds the curves and extrapolations the entries refer to; the window is shown
    // beside it (and is its child, so that it takes input while that window is modal).
    TfrmDadosEstacao(Contexto& contexto, DadosEstacao& dados, TTelaMedicao& tela);

    // Shows the window with no category chosen and the empty panel.
    void Mostrar();
    // The summary was emptied and refilled: no category, no entries, the empty panel.
    void Reiniciar();
    // The summary grew: the categories again, keeping the category and entry chosen.
    void Atualizar();

    // The extrapolation whose details are shown (0 when none).
    int ExtrapolacaoMostrada = 0;

    QListWidget* lstEstacao;
    QListWidget* lstItensSelecionados;
    QStackedWidget* paineis;
    QWidget* pnlVazio;
    QWidget* pnlDadosMedicao;
    QTabWidget* pnlCurva;
    QTabWidget* pnlExtrapolacao;

    QLineEdit* edtNumero;
    QLineEdit* edtData;
    QLineEdit* edtCota;
    QLineEdit* edtVazao;
    QLineEdit* edtArea;
    QLineEdit* edtVelocidade;

    QListWidget* lstValidade;
    QWidget* tabCurvaPotencial;
    QLabel* lblTrechoPotencial;
    QLineEdit* edtCorPotencial;
    QLineEdit* edtH0;
    QLineEdit* edtK;
    QLineEdit* edtM;
    QLineEdit* edtR;
    QWidget* tabCurvaPolinomial;
    QLabel* lblTrechoPolinomial;
    QLineEdit* edtCorPolinomial;
    QLabel* lblAlgoritmoPolinomial;
    QListWidget* lsbParametros;
    QLineEdit* edtCotaMin;
    QLineEdit* edtCotaMax;
    QLineEdit* edtVazaoMin;
    QLineEdit* edtVazaoMax;
    // "Validação": the figures and tests of the curve.
    PainelValidacao* pnlValidacao;

    QLabel* lblTrechoExtrapolado;
    QLineEdit* edtTrechoExtrapolado;
    QLineEdit* edtExtrapolacao;
    QLineEdit* edtAlgoritmoExtrapolacao;
    QLabel* lblKManning;
    QLineEdit* edtKManning;
    QLineEdit* edtCotaExtrapolada;
    QTableWidget* grdPontosExtrapolados;
    QLineEdit* edtMedidaCota;
    QLineEdit* edtMedidaVazao;
    QLineEdit* edtMedidaArea;
    QLineEdit* edtMedidaRaio;
    QPushButton* boExportarmedida;

    // Choosing a category (by its row) and an entry (by its row in the shown entries).
    void lstEstacaoChange(int linha);
    void lstItensSelecionadosChange(int linha);
    // Clicking row `linha` (from 0) of the extrapolated points.
    void grdPontosExtrapoladosClick(int linha);
    void boExportarmedidaClick();

private:
    QWidget* criarPainelMedicao();
    QTabWidget* criarPainelCurva();
    QTabWidget* criarPainelExtrapolacao();
    void preencherCategorias();
    void listarItens(int tipoLista);
    void mostrarPainel(QWidget* painel);
    void mostrarCurva(int indice);
    void mostrarExtrapolacao(int indice);
    void mostrarPonto(int linha);

    Contexto& contexto_;
    DadosEstacao& dados_;
    TTelaMedicao& tela_;
    int categoria_ = 0;  // list kind of the category shown; 0 when none
};

}  // namespace lumeno
