// Storing what the network's database brought (Access file or CSV download):
//
// Measurements. The filtered rows of a station become its measurements, replacing all it
// had, in one transaction: a failure leaves the station as it was. Before that, the
// rows are made fit for a table where a number occurs once per station:
//  - a row without stage or without discharge is no measurement summary and is left out;
//  - the same measurement present at several consistency levels (same number and date)
//    is stored once, at its highest level (consolidated data over raw data); a row that
//    repeats another one of the same level exactly is stored once;
//  - different measurements that share a number (the network renumbered its series):
//    the earliest keeps the number, the others get new numbers after the station's
//    highest one, in order of date and time.
// Each value is stored as it was read (stage in cm, discharge in m³/s, area in m²,
// mean velocity in m/s); a missing area or velocity stays empty.
//
// Profiles. The verticals of the chosen profile replace the station's cross-section
// points in one transaction, in distance order, each with the profile's identifier.
//
// Rivers. Every river of the file is added, or renamed when its code exists; names are
// cut to the 30 characters of the river table. One transaction for the whole table.
#pragma once

#include "import/FonteHidro.h"
#include "import/GravacaoImportacao.h"

namespace lumeno {

class Conexao;

struct PreparoMedicoes {
    std::vector<MedicaoHidro> medicoes;  // by number
    int semValores = 0;                  // left out: no stage or no discharge
    int repetidas = 0;    // left out: the same measurement at another level, or repeated
    int renumeradas = 0;  // stored with a new number
    int primeiroNumeroNovo = 0;
    int ultimoNumeroNovo = 0;

    // What the user must be told about the rows of station `codigo`; empty when every
    // row was stored as it came.
    QString aviso(int codigo) const;
};

PreparoMedicoes prepararMedicoes(std::vector<MedicaoHidro> linhas);

// Replaces the station's measurements by `medicoes`; returns the number stored.
// `progresso` gets the integer part of (row ÷ rows × 100) after each row.
int gravarMedicoesHidro(Conexao& conexao, int idEstacao, const std::vector<MedicaoHidro>& medicoes,
                        const ProgressoImportacao& progresso = {});

// Replaces the station's cross-section points by the verticals, with Perfil =
// `perfil` (null for none); returns the number stored.
int gravarVerticais(Conexao& conexao, int idEstacao, const std::vector<VerticalHidro>& verticais,
                    const QVariant& perfil, const ProgressoImportacao& progresso = {});

// Adds or renames every river; returns the number of rivers of the file.
int atualizarRios(Conexao& conexao, const std::vector<RioHidro>& rios);

// The station name and river name as the program's 30-character fields keep them.
QString cortarNome(const QString& nome);

}  // namespace lumeno
