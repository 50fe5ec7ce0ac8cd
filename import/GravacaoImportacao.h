// Storing what an import file brought: the station's rows of that kind are replaced,
// in one transaction, by the file's — all of them or, on any error, none.
#pragma once

#include "app/ErroLumeno.h"
#include "data/Conexao.h"
#include "data/Dialeto.h"
#include "import/LeitorTexto.h"

#include <QSqlError>
#include <QSqlQuery>

#include <functional>
#include <optional>
#include <vector>

namespace lumeno {

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

// Deletes the station's rows of `tabela`.
void apagarDaEstacao(Conexao& conexao, const char* tabela, int idEstacao);

// Runs the prepared statement of record `registro` (1-based); a duplicate key (told as
// `repetido`) or any other refusal is thrown as an error naming the record.
void executarRegistro(
    QSqlQuery& q, int registro,
    const QString& repetido = QStringLiteral("Número de medição repetido no arquivo"));

// The replacing store shared by every import: in one transaction the station's rows of
// `tabela` are deleted and `linhas` inserted through the prepared statement `sql`, each
// bound by `associar(q, linha)`; on any error nothing is kept. Reports the share stored to
// `progresso` and returns the number of rows stored.
template <class T, class Associar>
int substituirLinhas(Conexao& conexao, const char* tabela, int idEstacao,
                     const std::vector<T>& linhas, const QString& sql,
                     const ProgressoImportacao& progresso, Associar associar) {
    Transacao transacao(conexao);
    apagarDaEstacao(conexao, tabela, idEstacao);
    QSqlQuery q(conexao.banco());
    if (!q.prepare(sql))
        throw ErroBanco(dialeto::textoErro(q.lastError()));
    const int total = static_cast<int>(linhas.size());
    int ultimoPercentual = -1;
    for (int i = 0; i < total; ++i) {
        associar(q, linhas[static_cast<size_t>(i)]);
        executarRegistro(q, i + 1);
        const int percentual = static_cast<int>((i + 1) * 100LL / total);
        if (progresso && percentual != ultimoPercentual) {
            progresso(percentual);
            ultimoPercentual = percentual;
        }
    }
    q.finish();
    transacao.confirmar();
    return total;
}

}  // namespace lumeno
