// Feeds arbitrary bytes to the .rsm reader: it must return or refuse, never crash or hang.
#include "import/LeitorRsm.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const QByteArray arquivo(reinterpret_cast<const char*>(dados), static_cast<qsizetype>(tamanho));
    try {
        lumeno::LeitorRsm::ler(arquivo);
    } catch (const lumeno::ErroLumeno&) {
    }
    return 0;
}
