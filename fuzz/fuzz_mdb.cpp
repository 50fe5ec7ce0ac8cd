// libFuzzer target of the Access reading path: libmdb and LeitorMdbLib over a file held
// in memory, reading every table and column the network imports read. Crashes and hangs
// found here are why the program reads Access files in a separate process.
#include "import/FonteHidro.h"
#include "import/LeitorMdbLib.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    const QByteArray bytes(reinterpret_cast<const char*>(dados), static_cast<qsizetype>(tamanho));
    try {
        lumeno::LeitorMdbLib leitor(bytes, QStringLiteral("fuzz.mdb"));
        leitor.lerTabelas(lumeno::FonteHidro::pedidos(lumeno::FonteHidro::Uso::Medicoes));
        leitor.lerTabelas(lumeno::FonteHidro::pedidos(lumeno::FonteHidro::Uso::Secoes));
    } catch (const lumeno::ErroLumeno&) {
    }
    return 0;
}
