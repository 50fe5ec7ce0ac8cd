// The imports from the network's database, in both forms the network distributes it:
// the Access file (.mdb) and the CSV downloads (.zip as downloaded, or the .csv in it).
// The main window's menu commands call these; each reads the whole source first (so a
// file that does not read changes nothing), then asks the user and stores station by
// station, each station in one transaction.
//
// Measurements: station choice (for a CSV only when it holds several stations), then
// for each ticked station, in code order: the station is found by its code or created
// through the station dialog (cancel ends the whole import), the parameters dialog
// gives the filter, and the filtered rows replace the station's measurements — after a
// question when the station already has measurements ("Não" keeps them and goes on);
// "Sem registros para a estação" when the filter returns nothing (the station keeps
// what it had). What the storing had to leave out or renumber is reported per station.
//
// Cross-sections: the same station choice and creation; a station without profiles
// stops the import with "Não há perfis de seção para uma das estações selecionadas!";
// closing the profile choice without "&Ok" stops it silently; the chosen profile's
// verticals replace the station's points (after the analogous question).
//
// Rivers: every river of the Access file is added or renamed, then "Dados atualizados!".
#pragma once

#include "import/FonteHidro.h"

#include <QString>

#include <optional>

class QWidget;

namespace lumeno {

struct Contexto;
class TMostrarEstacoesHidro;
class TfrmConfigImport;
class TMostrarPerfisHidro;

class ImportadorHidro {
public:
    ImportadorHidro(Contexto& contexto, QWidget* pai);

    void ImportaDadosMDB(const QString& FileName);
    void ImportaDadosSecaoMDB(const QString& FileName);
    void ImportaDadosRio(const QString& FileName);
    void ImportaMedicoesHidroWeb(const QString& FileName);
    void ImportaSecaoHidroWeb(const QString& FileName);

    TMostrarEstacoesHidro* MostrarEstacoesHidro;
    TfrmConfigImport* frmConfigImport;
    TMostrarPerfisHidro* MostrarPerfisHidro;

    // The Access reader process.
    QString executavelLeitor;

private:
    // The ticked stations; none when the choice was not confirmed.
    std::optional<std::vector<EstacaoHidro>> escolherEstacoes(FonteHidro& fonte);
    void importarMedicoes(FonteHidro& fonte, const std::vector<EstacaoHidro>& estacoes);
    void importarSecoes(FonteHidro& fonte, const std::vector<EstacaoHidro>& estacoes);
    // The local station of a network station; none when the user did not confirm it.
    std::optional<int> estacaoLocal(const EstacaoHidro& estacao);

    Contexto& contexto_;
};

}  // namespace lumeno
