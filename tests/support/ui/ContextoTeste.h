// The shared state of the windows over a fresh database and a scripted interaction,
// for tests that build their windows themselves.
#pragma once

#include "app/ui/Contexto.h"
#include "curves/CriteriosExclusao.h"
#include "support/BancoTeste.h"
#include "support/ui/InteracaoRoteirizada.h"

namespace lumeno::teste {

struct ContextoTeste {
    BancoTeste b;
    InteracaoRoteirizada roteiro;
    CriteriosExclusao criterios;
    Contexto ctx{roteiro, b.dm(), criterios};
};

}  // namespace lumeno::teste
