// Closing the curve-adjustment window in a test as a user who does not keep its curves.
#pragma once

#include "analysis/ui/ComandosAjustesSalvos.h"
#include "analysis/ui/TTelaMedicao.h"
#include "support/ui/InteracaoRoteirizada.h"

namespace lumeno::teste {

// Closes the window; the question about curves not saved, when the window asks it, is
// answered "Não".
inline void fecharSemSalvar(TTelaMedicao& tela, InteracaoRoteirizada& roteiro) {
    if (tela.isVisible() && tela.ComandosAjustes().Modificado())
        roteiro.esperaPerguntaSimNaoCancelar(ComandosAjustesSalvos::perguntaFechar,
                                             Interacao::Resposta::Nao);
    tela.close();
}

}  // namespace lumeno::teste
