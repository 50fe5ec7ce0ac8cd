// The example station: the demonstration files (measurement summaries in .cop and the
// cross-section in .sec) imported into a database through the same readers and stores as
// the menu's imports, and the curve a first look at it fits.
//
// The station is created here, without the station dialog: the code of the files, the
// name `descricao` and the river `nomeRio`, which is added to the river table when no
// river has that name. A station that already has the code is left exactly as it is —
// nothing is read into it, nothing replaced.
//
// All or nothing: both files are read and checked before the database is touched, and
// a store that fails removes the new station with whatever was stored for it and the
// river added for it.
#pragma once

#include "curves/DefinicaoCurva.h"

#include <QString>

namespace lumeno {

class Conexao;

struct EstacaoExemplo {
    static inline const QString nomeRio = QStringLiteral("Rio Demonstração");
    static inline const QString descricao = QStringLiteral("Estação de demonstração");

    int idEstacao = 0;
    int codigo = 0;
    // False when the station already existed (and was not touched).
    bool importada = false;
    // The station's real measurements and cross-section points afterwards.
    int medicoes = 0;
    int pontos = 0;
};

// Imports the example station from `arquivoCop` and `arquivoSec` (paths, resource paths
// too). Throws ErroImportacao when a file cannot be read or is malformed, or when the two
// files name different stations; ErroBanco when the database refuses a row.
EstacaoExemplo importarEstacaoExemplo(Conexao& conexao, const QString& arquivoCop,
                                      const QString& arquivoSec);

// The IdRio of the river called `nome` (compared without regard to case or surrounding
// blanks); a missing river is added with the next free IdRio.
int rioPorNome(Conexao& conexao, const QString& nome);

// One power-law curve over all of the station's real measurements, in the default colour
// of curve 1 (and with its initial h0 when that default is a power law), else blue and 0.
DefinicaoCurva curvaExemplo(Conexao& conexao, int idEstacao);

}  // namespace lumeno
