#include "import/LeitorSec.h"

namespace lumeno {

ArquivoSec LeitorSec::ler(const QByteArray& dados) {
    ArquivoSec r;
    LeitorTexto leitor(dados);
    r.codigo = leitor.lerInteiro();
    leitor.pularLinha();
    while (!leitor.fim()) {
        if (leitor.linhaEmBranco()) {
            leitor.pularLinha();
            continue;
        }
        PontoSecao p;
        p.x = leitor.lerReal();
        p.y = leitor.lerReal();
        leitor.pularLinha();
        r.pontos.push_back(p);
    }
    return r;
}

}  // namespace lumeno
