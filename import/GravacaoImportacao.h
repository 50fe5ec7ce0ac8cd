// Storing what an import file brought: the station's rows of that kind are replaced,
// in one transaction, by the file's — all of them or, on any error, none.
#pragma once

#include "import/LeitorTexto.h"

#include <functional>
#include <optional>
#include <vector>

namespace lumeno {

class Conexao;

// Called with the share stored so far, 0–100.
using ProgressoImportacao = std::function<void(int)>;

// The IdEstacao of the station with that code, if any.
std::optional<int> estacaoPorCodigo(Conexao& conexao, int codigo);

// How many rows the station has now: what an import of that kind would replace (its real
// measurements; temporary mandatory-point rows are not counted).
int contarMedicoes(Conexao& conexao, int idEstacao);
int contarPontos(Conexao& conexao, int idEstacao);

// The question asked before an import replaces a station's rows:
// "A estação 99990001 já tem 43 medições, que serão substituídas pelas 40 do arquivo.
// Continuar?" (singular and "none" read as such).
QString perguntaSubstituicao(int codigo, int existentes, int novas);
// The same for cross-section points: "A estação 99990001 já tem 21 pontos de seção, que
// serão substituídos pelos 25 do arquivo. Continuar?"
QString perguntaSubstituicaoPontos(int codigo, int existentes, int novas);

// Deletes the station's measurements and inserts `medicoes` (as real measurements,
// Ponto_obrigatorio 0). Returns the number stored.
int gravarMedicoes(Conexao& conexao, int idEstacao, const std::vector<ResumoMedicao>& medicoes,
                   const ProgressoImportacao& progresso = {});

// Deletes the station's cross-section points and inserts `pontos`. Returns the number stored.
int gravarPontos(Conexao& conexao, int idEstacao, const std::vector<PontoSecao>& pontos,
                 const ProgressoImportacao& progresso = {});

}  // namespace lumeno
