// The curve-adjustment window: one station's measurements on the stage–discharge
// chart, the curves fitted to them with their equations and deviations, and the
// commands that build the rating curve. It owns the whole state of the current
// adjustment; each load discards the previous one.
#pragma once

#include "curves/CurvaTrecho.h"
#include "curves/DefinicaoCurva.h"
#include "curves/TabelaDesvios.h"
#include "hydraulics/Extrapolacao.h"

#include <QDialog>
#include <QPointF>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QToolButton;

namespace lumeno {

struct Contexto;
class ArvoreFormatada;
class ComandosAjustesSalvos;
class ComandosDiagnosticoH0;
class ComandosExtrapolacao;
class ComandosValidacao;
class Consulta;
class DadosEstacao;
class PainelGrafico;

class TTelaMedicao : public QDialog {
    Q_OBJECT
public:
    static constexpr int maximoCurvas = 100;
    static constexpr int maximoZoom = 100;
    static constexpr int maximoEixos = 8;
    static constexpr int maximoExtrapolacoes = 100;

    TTelaMedicao(Contexto& contexto, DadosEstacao& dados, QWidget* pai = nullptr);
    ~TTelaMedicao() override;

    // Opens the window modally for station `idEstacao` (the station list stands on it):
    // positions the station table, clears the exclusion criteria, restores the
    // measurement query's text and fits no pending definitions.
    void Abrir(int idEstacao);

    // --- Adjustment state -------------------------------------------------------------
    std::array<CurvaTrecho, maximoCurvas + 1> Trechos;  // 1 … 100
    int TotalCurvas = 0;
    bool AjusteAtivo = false;
    // Extrapolations 1 … NumExtrapolacoes (commands in ComandosExtrapolacao).
    int NumExtrapolacoes = 0;
    std::array<RegistroExtrapolacao, maximoExtrapolacoes + 1> Extrapolacoes{};
    // Section factor and Manning's K of each measurement of the last Stevens or Manning
    // extrapolation, by position in the measurement query (position i at [i − 1]).
    std::vector<double> FatoresMedicoes;
    std::vector<std::optional<double>> KMedicoes;
    lumeno::TabelaDesvios TabelaDesvios;
    bool ReiniciarConsulta = true;
    bool GerarAoMostrar = false;
    std::vector<DefinicaoCurva> CurvasPendentes;
    // The next load shows the equations panel (once), as "Mostrar equações de curvas" does.
    bool MostrarEquacoesAoAbrir = false;
    int ContadorObrigatorios = 9999;
    double CotaMaxCurvas = -10000;
    double CotaMinMedicoes = 0, CotaMaxMedicoes = 0, VazaoMinMedicoes = 0, VazaoMaxMedicoes = 0;
    int NumEixos = 1;
    struct NivelZoom {
        double xMin, yMin, xMax, yMax;
    };
    std::array<NivelZoom, maximoZoom + 1> PilhaZoom{};
    int TopoZoom = 0;
    QPointF PosicaoMouse;

    // --- Operations ---------------------------------------------------------------------
    // The load sequence: deletes leftover mandatory rows, reopens the station's
    // measurements and section, draws them, resets curves, deviations and summary, and
    // fits the pending definitions when asked to. Runs when the window is opened (not
    // when it is restored after being minimised) and when a command starts over.
    void FormShow();
    void TracarPontosSecao();
    // Removes the last chart item (the previous mark) and marks the current measurement.
    void MarcarAtual();
    // Moves to the first measurement and marks it as the current one.
    void marcarPrimeira();
    // Fits and draws curve `numero` (already counted in TotalCurvas); returns its rows.
    int AjustarETracar(int numero, const QStringList& condicao, const QStringList& descricao,
                       int algoritmo, int parametro, std::uint32_t cor);
    // Draws curve `numero` (created and fitted, or read back) with its measurements and
    // their deviations, records it in the summary with its validity lines (and the notes
    // of its fit) and, with two rows or more, enters the fitted state; returns its rows.
    int TracarERegistrar(int numero, const QStringList& validade, const QStringList& notas = {});
    void TracarPontos(CurvaTrecho& curva);
    void TracarCurva(CurvaTrecho& curva);
    void GerarCurvas();
    // Opens the window modally for the station of the station list with curve definitions
    // to fit when it loads (the point sets of the data-analysis window): the measurement
    // query's text is restored and the definitions are fitted in order.
    void AbrirComCurvas(std::vector<DefinicaoCurva> definicoes);
    void GeraLegenda(int numero);
    // Clears the equations panel, adds the header and the equation of every curve.
    void ReconstruirLegenda();
    void MontaDadosCurva(const QStringList& validade, const QStringList& notas = {});
    // Appends the exclusion clauses to a measurement statement.
    void FormatQuery(Consulta& consulta);
    // Takes the next curve number; false (with a message) when 100 curves are in use.
    bool ReservarCurva();
    // The IdEstacao of the window's station.
    int Estacao() const { return estacao_; }
    bool PossuiSecao() const;
    // The station-data summary this window fills.
    DadosEstacao& Dados() { return dados_; }
    // The "&Extrapolação" commands.
    ComandosExtrapolacao& Extrapolacao() { return *extrapolacao_; }
    // The validation commands (band, deviations over time, outliers of the listing).
    ComandosValidacao& Validacao() { return *validacao_; }
    // The "&Ajustes salvos" commands.
    ComandosAjustesSalvos& ComandosAjustes() { return *ajustesSalvos_; }
    // "Diagnóstico de h0…" (Ajuste manual).
    ComandosDiagnosticoH0& DiagnosticoH0() { return *diagnosticoH0_; }

    // Navigation and picking.
    void Primeiro();
    void Anterior();
    void Proximo();
    void Ultimo();
    void SelecionarNoGrafico(const QPointF& posicao);

    // --- Menu commands ------------------------------------------------------------------
    void ZoomIn();
    void ZoomOut();
    void ZoomFeito();
    void AlternarPan();
    void CriarNovoEixo();
    void InicializarAjuste();
    void CopiarFigura();
    void RelacaoVazoes();
    // "Seleção de critérios": a new curve from the criteria dialog.
    void Seleodeparmetros1Click();
    // "&Excluir pontos (somente dos cálculos)".
    void om_ExcluirPontosClick();
    // "Fixando h0" and "Fixando os três parâmetros".
    void om_AjusteH0Click();
    void om_AjustaTodosClick();
    // k and m of every power-law curve recomputed for its current h0.
    void CalcularAjusteFixo();
    // Clears the chart and draws the measurements and every curve again.
    void RedesenharTudo();
    void AlternarEquacoes();

    // --- Widgets ------------------------------------------------------------------------
    PainelGrafico* Grafico;
    QWidget* pnlLegenda;
    QLabel* lbNumero;
    QLabel* lbData;
    QLabel* lbCota;
    QLabel* lbVazao;
    QLabel* lbArea;
    QLabel* lbVelocidade;
    QLabel* lbPercentual;
    QToolButton* boPrimeiro;
    QToolButton* boAnterior;
    QToolButton* boProximo;
    QToolButton* boUltimo;
    QGroupBox* pnlParametros;
    ArvoreFormatada* trvLegenda;
    QMenuBar* MenuMedicao;

    QMenu* mnuLumeno;
    QMenu* mnuExtrapolacao;
    QMenu* mnuSecao;
    QAction* mniSelecaoCriterios;
    QMenu* mnuAjusteManual;
    QAction* om_AjusteH0;
    QAction* om_AjustaTodos;
    QAction* om_ExcluirPontos;
    QAction* om_DadosEstacao;
    QAction* om_InicializarAjuste;
    QAction* om_CopiarFigura;
    QAction* om_RelacaoVazoes;
    QAction* om_ExtrapLogaritmica;
    QAction* om_ExtrapStevens;
    QAction* om_ExtrapManning;
    QAction* om_MostrarSecao;
    QAction* om_EditarSecao;
    QAction* om_GradeSolida;
    QAction* om_GradeTracejada;
    QAction* om_GradePontos;
    QAction* om_GradeSem;
    QAction* om_ZoomIn;
    QAction* om_ZoomOut;
    QAction* om_CotaDecimal;
    QAction* om_CotaLogaritmico;
    QAction* om_VazaoDecimal;
    QAction* om_VazaoLogaritmico;
    std::array<QAction*, maximoEixos> om_Eixos{};
    QAction* om_CriarNovoEixo;
    QAction* om_Pan;
    QAction* om_MostrarEquacoes;
    QAction* om_DefaultCurvas;
    QAction* pop_ZoomIn;
    QAction* pop_VoltarZoom;

    // Closing: the measurement query closes, the section view too, the exclusion
    // criteria are cleared and the curves released.
    void done(int resultado) override;
    // Closing by the user (title bar, Esc, close()): curves fitted since the last save are
    // offered for saving first, and Cancelar keeps the window open.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void criarMenu();
    void criarLegenda(QWidget* pai);
    void atualizarLegenda();
    void definirGrade(QAction* item);
    void definirEixo(bool cota, bool logaritmico);
    void mostrarDesvioAtual();
    void ampliarEixos(double vazao, double cota);
    void fechar();

    Contexto& contexto_;
    DadosEstacao& dados_;
    std::unique_ptr<ComandosExtrapolacao> extrapolacao_;
    std::unique_ptr<ComandosValidacao> validacao_;
    std::unique_ptr<ComandosAjustesSalvos> ajustesSalvos_;
    std::unique_ptr<ComandosDiagnosticoH0> diagnosticoH0_;
    int estacao_ = 0;
    bool semMedicoes_ = false;
    // Dragging and resizing the equations panel.
    bool arrastando_ = false;
    bool redimensionando_ = false;
    bool peloTopoOuEsquerda_ = false;
    Qt::CursorShape cursorPainel_ = Qt::ArrowCursor;
    QPoint ultimoPonteiro_;
};

}  // namespace lumeno
