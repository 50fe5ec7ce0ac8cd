// Saved ratings ("ajustes salvos"): a station's fitted curves kept in the database under a
// name, with the period in which the rating is valid (the end may stay open), the moment it
// was saved and a free note. Each curve keeps its number, algorithm and parameters (h0, k,
// m, r or degree and coefficients) to the bit, its colour, the stage and discharge range of
// the measurements it was fitted to, the SQL condition that selected them and the lines
// that describe it (the curve's validity lines of the station-data summary), and its
// mandatory points with their weights; the rating keeps its extrapolations (method, the 30
// points with their section factors and areas, colour, Manning's K, the curve each one
// continues).
//
// Storage: the tables of schema version 2 (data/EsquemaBanco.h). A rating is written or
// deleted in one transaction, so a failure leaves the stored ratings as they were. Names
// are unique per station without regard to case; replacing a rating of the same name
// happens only when the caller asks for it.
#pragma once

#include "curves/CriteriosAjuste.h"
#include "curves/CurvaTrecho.h"
#include "hydraulics/Extrapolacao.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace lumeno {

class Conexao;

struct CurvaSalva {
    int numero = 0;
    // Algoritmo, Grau, H0, K, M, R, Coeficientes, Cor and the ranges CotaMin … CotaMax and
    // VazaoMin … VazaoMax; no rows.
    CurvaTrecho curva;
    int totalMedicoes = 0;  // rows the curve held when it was saved (mandatory rows included)
    QStringList condicao;   // the lines of the SQL predicate that selected its rows
    QStringList validade;   // its validity lines, as the station-data summary shows them
    std::vector<PontoObrigatorio> pontos;
};

struct AjusteSalvo {
    int id = 0;  // IdAjuste once stored
    int estacao = 0;
    QString nome;
    QDate validoDe;
    QDate validoAte;  // invalid: valid from validoDe on, with no end
    QDateTime salvoEm;
    QString observacao;
    std::vector<CurvaSalva> curvas;                   // numbered 1 … n in order
    std::vector<RegistroExtrapolacao> extrapolacoes;  // numbered 1 … in order
};

// A line of the list of a station's saved ratings.
struct ResumoAjusteSalvo {
    int id = 0;
    QString nome;
    QDate validoDe;
    QDate validoAte;
    QDateTime salvoEm;
    QString observacao;
    int totalCurvas = 0;
};

// "de 01/01/1995 a 31/12/2004", "a partir de 01/01/1995", "até 31/12/2004" or "".
QString textoValidade(const QDate& de, const QDate& ate);

// Copies the parameters, colour and ranges of a curve (the fields a saved curve keeps).
void copiarParametros(const CurvaTrecho& de, CurvaTrecho& para);

// Whether two ratings hold the same curves and extrapolations, every number to the bit
// (name, period, note and identity are not compared).
bool mesmoConteudo(const AjusteSalvo& a, const AjusteSalvo& b);

// The mandatory points of curve `curva` of the current adjustment of a station: its
// temporary Medida rows grouped by stage and discharge, the count being the weight.
std::vector<PontoObrigatorio> lerPontosObrigatorios(Conexao& conexao, int estacao, int curva);
// The same for every curve at once, by curve number.
std::map<int, std::vector<PontoObrigatorio>> lerPontosObrigatorios(Conexao& conexao, int estacao);

class AjustesSalvos {
public:
    explicit AjustesSalvos(Conexao& conexao) : conexao_(conexao) {}

    // The station's saved ratings, by start of validity and name.
    std::vector<ResumoAjusteSalvo> listar(int estacao);
    // The rating of the station with that name (compared without regard to case).
    std::optional<int> procurar(int estacao, const QString& nome);
    // Throws ErroLumeno when there is no rating `id`.
    AjusteSalvo ler(int id);

    // Stores `ajuste` (its id is ignored) and returns its new id. A rating of the station
    // with the same name is replaced when `substituir`, in the same transaction; otherwise
    // it makes the save fail. Throws ErroLumeno, storing nothing, for an empty name, a
    // period that ends before it starts, a rating without curves, curves not numbered
    // 1 … n or an extrapolation of a curve the rating does not have.
    int salvar(const AjusteSalvo& ajuste, bool substituir);

    void excluir(int id);
    // Every rating of the station (when the station is deleted). Runs inside the caller's
    // transaction when one is open.
    void excluirDaEstacao(int estacao);

private:
    void apagar(int id);

    Conexao& conexao_;
};

}  // namespace lumeno
