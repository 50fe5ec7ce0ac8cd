// The "&Ajustes salvos" commands of the curve-adjustment window: the current rating saved
// under a name with its period of validity, a saved rating opened again (its curves drawn
// with their own parameters, not refitted, and the deviations of the station's current
// measurements computed against them), overlaid on the current curves as dashed lines for
// comparison, deleted, and the rating table of the current or a saved rating. Closing the
// window, or opening another rating, with curves fitted since the last save asks whether to
// save them first.
//
// The window keeps the adjustment (TTelaMedicao::Trechos, Extrapolacoes); this unit turns
// it into a saved rating and back, and keeps what the window does not: the rating last
// saved or opened (to tell whether the curves changed since) and the overlaid ratings,
// which the window's load discards.
#pragma once

#include "curves/AjustesSalvos.h"
#include "curves/TabelaCotaVazao.h"

#include <QString>

#include <optional>
#include <vector>

class QAction;
class QMenu;

namespace lumeno {

struct Contexto;
class TAjustesSalvos;
class TSalvarAjuste;
class TTabelaCotaVazao;
class TTelaMedicao;

class ComandosAjustesSalvos {
public:
    // Adds the menu "&Ajustes salvos" to the window's menu bar, before "&Extrapolação".
    ComandosAjustesSalvos(Contexto& contexto, TTelaMedicao& tela);
    ~ComandosAjustesSalvos();

    // The questions asked before curves not saved are discarded.
    static const QString perguntaFechar;
    static const QString perguntaAbrir;

    QMenu* mnuAjustesSalvos;
    QAction* om_SalvarAjuste;
    QAction* om_AbrirAjuste;
    QAction* om_SobreporAjuste;
    QAction* om_RemoverSobreposicoes;
    QAction* om_ExcluirAjuste;
    QAction* om_TabelaCotaVazao;

    // The dialogs (children of the window).
    TSalvarAjuste* dlgSalvar;
    TAjustesSalvos* dlgAjustes;
    TTabelaCotaVazao* dlgTabela;

    // --- Menu commands ------------------------------------------------------------------
    // "Salvar ajuste...": true when the rating was saved.
    bool SalvarAjuste();
    void AbrirAjusteSalvo();
    void SobreporAjusteSalvo();
    void RemoverSobreposicoes();
    void ExcluirAjusteSalvo();
    void TabelaCotaVazao();

    // --- Pieces -------------------------------------------------------------------------
    // The window's curves and extrapolations as a rating (no name or period).
    AjusteSalvo ConteudoAtual();
    // Loads the window afresh and puts the saved rating into it.
    void Abrir(const AjusteSalvo& ajuste);
    // Draws a saved rating over the current curves and names it in the equations panel.
    void Sobrepor(const AjusteSalvo& ajuste);
    // Whether the window holds fitted curves that differ from the rating last saved or
    // opened.
    bool Modificado();
    // Asked when the window is closed by the user: true when it may close. Shows its own
    // errors.
    bool PodeFechar();
    // The rating the current curves were last saved as or opened from.
    const std::optional<AjusteSalvo>& AjusteAtual() const { return atual_; }
    const std::vector<AjusteSalvo>& Sobreposicoes() const { return sobrepostos_; }
    // The rating of the window's curves and extrapolations, for the rating table.
    ChaveCotaVazao ChaveAtual();

    // --- Called by the window -----------------------------------------------------------
    // The load discarded the adjustment: nothing saved or overlaid any more.
    void AoCarregar();
    // The equations panel was rebuilt: the overlaid ratings' names and equations.
    void LegendaSobreposicoes();
    // The chart was redrawn: the overlaid ratings again.
    void TracarSobreposicoes();

private:
    // Asks whether to save curves not saved yet before they are discarded; false when the
    // user cancels (or the save does not happen).
    bool ConfirmarDescarte(const QString& pergunta);
    // The station's saved ratings in the list dialog; the id chosen, or none.
    std::optional<int> escolher(const QString& titulo);
    void desenhar(const AjusteSalvo& ajuste);
    void mostrarNome();

    Contexto& contexto_;
    TTelaMedicao& tela_;
    std::optional<AjusteSalvo> atual_;  // header and content when saved or opened
    std::vector<AjusteSalvo> sobrepostos_;
    QString tituloBase_;
};

}  // namespace lumeno
