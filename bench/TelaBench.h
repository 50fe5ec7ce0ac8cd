// The curve-adjustment window, at its default size, over a station filled by
// EstacaoBench: the fixture of the window's benchmarks.
#pragma once

#include "EstacaoBench.h"
#include "analysis/DadosEstacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "app/ui/Contexto.h"
#include "app/ui/InteracaoWidgets.h"
#include "curves/CriteriosExclusao.h"

#include <memory>

namespace lumeno {

struct TelaBench : EstacaoBench {
    InteracaoWidgets interacao;
    CriteriosExclusao criterios;
    std::unique_ptr<Contexto> ctx;
    DadosEstacao dados;
    std::unique_ptr<TTelaMedicao> tela;

    explicit TelaBench(const std::vector<MedicaoBench>& medicoes,
                       const std::vector<PontoPerfil>& perfil = {})
        : EstacaoBench(medicoes, perfil) {
        ctx = std::make_unique<Contexto>(interacao, *dm, criterios);
        tela = std::make_unique<TTelaMedicao>(*ctx, dados);
        tela->resize(898, 554);
    }
};

}  // namespace lumeno
