// The network's CSV downloads: a zip as downloaded, holding one CSV, or that CSV by
// itself. Latin-1 text, lines ending in CR LF, fields separated by ";", decimal comma;
// a preamble of a few lines before the header line, which begins with "EstacaoCodigo".
// Empty fields are empty values. Dates are dd/mm/yyyy; "Hora" is written as
// "01/01/1900 hh:mm:ss" (only its time counts). Stages are in cm, discharges in m³/s.
//
// Measurement summaries (ResumoDescarga_*.csv): one measurement per line, with the
// columns of the network's ResumoDescarga table but no flag columns, which are taken as
// 0 (not imported, not temporary, not removed, not repeated).
//
// Cross-section profiles (PerfilTransversal_*.csv): one survey per line; its last field,
// "Verticais", runs to the end of the line and holds "distance;stage;|" pairs written
// cumulatively — the first pair, then the first two, then the first three… up to the
// whole list. The whole list is the survey's verticals; a field that does not grow one
// pair per step, or whose earlier steps are not the start of the whole list, or whose
// list is not NumVerticais long, refuses the file.
//
// The numbers of the network's Single columns (stages, discharges, areas, velocities,
// distances) are taken as the network's database keeps them: the shortest decimal of
// the float32 nearest to the number written — so a measurement read here and the same
// one read from an Access file are the same row.
//
// The tables returned are those FonteHidro::deTabelas takes: Estacao (the codes, no name
// nor river) and ResumoDescarga, or Estacao, PerfilTransversal (RegistroID = the line's
// order) and PerfilTransversalVert. A malformed file throws ErroImportacao naming the
// file, the line and the column.
#pragma once

#include "import/FonteHidro.h"
#include "import/LeitorTexto.h"

namespace lumeno {

enum class ConteudoHidroWeb { Medicoes, Perfis };

class LeitorHidroWeb {
public:
    static std::vector<TabelaMdb> ler(const QString& caminho, ConteudoHidroWeb conteudo);
    // Over the CSV's bytes; `arquivo` names it in messages.
    static std::vector<TabelaMdb> lerCsv(const QByteArray& csv, const QString& arquivo,
                                         ConteudoHidroWeb conteudo);
    // The whole list of a cumulative "Verticais" field; throws ErroImportacao with the
    // reason (the caller adds where).
    static std::vector<VerticalHidro> decodificarVerticais(const QString& campo);
};

}  // namespace lumeno
