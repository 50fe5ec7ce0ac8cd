// The rating table ("tabela cota-vazão") of a rating: the discharge at each stage of a
// range, read from the rating's curves piece by piece. Stages in centimetres, discharges in
// m³/s.
//
// Which curve gives the discharge at stage h (ChaveCotaVazao::avaliar):
//  - inside the measured range [CotaMin, CotaMax] of one or more curves: that curve (where
//    ranges overlap, the one with the higher number); flag "medida";
//  - in a gap between two ranges: the curve below continued up to the middle of the gap
//    (the middle included), the curve above beyond it; flag "interpolada";
//  - below every range: the lowest curve continued; above every range: an extrapolation
//    whose 30 points reach the stage (the one of the highest-numbered curve, and of those
//    the last made), read along its polyline, else the highest curve continued; flag
//    "extrapolada".
// "Lowest" and "highest" are the curves with the lowest CotaMin and the highest CotaMax
// (the higher number on a tie). A curve gives its own discharge (VazaoCurva): a power law
// is 0 at or below its h0. A discharge below zero (a polynomial continued beyond its data)
// is written as 0: a river does not flow backwards.
//
// The table's stages are h_i = lowest + i·step for i = 0, 1, … while h_i does not pass the
// highest stage by more than a millionth of a step; each is rounded to 1e-6 cm, so that a
// step of 0.1 cm gives 250.3 and not 250.30000000000001. The classic layout puts the stages
// that are whole centimetres into rows of decimetres (250 for 250 … 259 cm) and columns of
// centimetres 0 … 9.
#pragma once

#include "curves/CurvaTrecho.h"
#include "hydraulics/Extrapolacao.h"

#include <QString>

#include <array>
#include <optional>
#include <variant>
#include <vector>

namespace lumeno {

enum class SituacaoCota { Medida, Interpolada, Extrapolada };

// "medida", "interpolada", "extrapolada".
QString textoSituacao(SituacaoCota situacao);

// A curve of a rating: its number and its parameters and stage range (no rows needed).
struct CurvaDoAjuste {
    int numero = 0;
    CurvaTrecho curva;
};

struct CotaAvaliada {
    double cota = 0;
    double vazao = 0;
    int curva = 0;  // the curve (for an extrapolation, the curve it continues)
    SituacaoCota situacao = SituacaoCota::Medida;
};

class ChaveCotaVazao {
public:
    // Curves whose algorithm gives no curve or whose range is not a range (CotaMin above
    // CotaMax, or not finite) are left out, and so are extrapolations without points.
    ChaveCotaVazao(std::vector<CurvaDoAjuste> curvas,
                   std::vector<RegistroExtrapolacao> extrapolacoes);

    bool vazia() const { return curvas_.empty(); }
    const std::vector<CurvaDoAjuste>& curvas() const { return curvas_; }
    // The lowest stage of the curves' ranges and the highest of the ranges and of the
    // extrapolations (cm); 0 when there is no curve.
    double cotaMinima() const;
    double cotaMaxima() const;

    // Requires a curve (vazia() false).
    CotaAvaliada avaliar(double cota) const;

private:
    const CurvaDoAjuste& maisBaixa() const { return curvas_[maisBaixa_]; }
    const CurvaDoAjuste& maisAlta() const { return curvas_[maisAlta_]; }

    std::vector<CurvaDoAjuste> curvas_;
    std::vector<RegistroExtrapolacao> extrapolacoes_;
    // Positions in curvas_ (so that the object copies safely).
    size_t maisBaixa_ = 0;
    size_t maisAlta_ = 0;
};

// Most stages in one table.
constexpr int maximoCotasTabela = 100000;

// The table from `de` to `ate` (cm) in steps of `passo` (cm). Throws ErroLumeno for a rating
// without curves, a step that is not positive, an end below the start, a value that is not
// a number, or more than maximoCotasTabela stages.
std::vector<CotaAvaliada> MontarTabelaCotaVazao(const ChaveCotaVazao& chave, double de, double ate,
                                                double passo);

// The classic layout: rows of decimetres, columns of centimetres 0 … 9; a cell is empty
// where the table has no stage at that whole centimetre.
struct LinhaDecimetro {
    long long cota = 0;  // the row's first stage, a multiple of 10 cm
    std::array<std::optional<CotaAvaliada>, 10> celulas;
};
std::vector<LinhaDecimetro> TabelaDecimetrica(const std::vector<CotaAvaliada>& tabela);

// A table laid out for a file: rows of empty, text or number cells.
using CelulaExportacao = std::variant<std::monostate, QString, double>;
using GradeExportacao = std::vector<std::vector<CelulaExportacao>>;

// What heads an exported table: the station and the rating.
struct CabecalhoTabela {
    QString estacao;  // "99990001 Estação Demonstração"
    QString ajuste;   // the rating's name (or "Ajuste atual") and its validity
};

// The list layout: the heading, then "Cota (cm)", "Vazão (m³/s)", "Curva", "Situação" and one
// row per stage.
GradeExportacao GradeLista(const CabecalhoTabela& cabecalho,
                           const std::vector<CotaAvaliada>& tabela);
// The classic layout: the heading, then "Cota (cm)" and the centimetres 0 … 9, and one row
// per decimetre.
GradeExportacao GradeDecimetrica(const CabecalhoTabela& cabecalho,
                                 const std::vector<LinhaDecimetro>& linhas);

// The grid as CSV text: with `portugues`, cells separated by ";" and numbers with a decimal
// comma (for spreadsheets set to Portuguese), otherwise "," and a decimal point. Numbers are
// written with the fewest digits that read back to the same double; texts are quoted when
// they hold the separator, a quote or a line break. Lines end with CR LF.
QString TextoCsv(const GradeExportacao& grade, bool portugues);

enum class FormatoTabela { Xls, Xlsx, Csv };

// The format a file name asks for by its extension (case ignored); none for another one.
std::optional<FormatoTabela> formatoPorExtensao(const QString& arquivo);

// Writes the grid: .xls (BIFF5) or .xlsx through the spreadsheet writer (sheet "Sheet1"), or
// CSV in UTF-8 with a byte-order mark. Throws ErroLumeno when the file cannot be written or
// the grid does not fit the format (an .xls sheet holds 16,384 rows).
void ExportarTabela(const GradeExportacao& grade, const QString& arquivo, FormatoTabela formato,
                    bool csvPortugues);

}  // namespace lumeno
