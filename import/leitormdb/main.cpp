// lumeno-leitor-mdb: reads tables of an Access database for the program, in a process
// of its own (see import/LeitorMdbProcesso.h). The request comes on the standard
// input, the answer goes to the standard output; a file it cannot read gets an error
// answer. Should libmdb crash or loop on a damaged file, only this process is lost.
#include "import/LeitorMdbLib.h"
#include "import/LeitorMdbProcesso.h"

#include <QElapsedTimer>
#include <QFile>

#include <new>

#include <sys/resource.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMENO_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define LUMENO_ASAN 1
#endif

int main() {
#ifndef LUMENO_ASAN
    // A damaged file must not take the machine's memory (the sanitizer reserves its own
    // address space, so the limit is left out under it).
    const rlimit limite{rlim_t(4) << 30, rlim_t(4) << 30};
    setrlimit(RLIMIT_AS, &limite);
#endif
    // libmdb prints what it dislikes on the standard output too: that goes to the error
    // output, and the answer to a copy of the original standard output.
    const int descritorResposta = dup(STDOUT_FILENO);
    if (descritorResposta < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return 2;
    QFile entrada;
    QFile saida;
    if (!entrada.open(stdin, QIODevice::ReadOnly) ||
        !saida.open(descritorResposta, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return 2;
    QString arquivo;
    std::vector<lumeno::PedidoTabela> pedidos;
    if (!lumeno::LeitorMdbProcesso::decodificarPedido(entrada.readAll(), arquivo, pedidos))
        return 2;
    QByteArray resposta;
    try {
        lumeno::LeitorMdbLib leitor(arquivo);
        QElapsedTimer desdeUltimoSinal;
        desdeUltimoSinal.start();
        leitor.aCadaPagina = [&] {
            if (desdeUltimoSinal.elapsed() < 200)
                return;
            saida.putChar(lumeno::LeitorMdbProcesso::sinalVida);
            saida.flush();
            desdeUltimoSinal.restart();
        };
        resposta = lumeno::LeitorMdbProcesso::codificarResposta(leitor.lerTabelas(pedidos));
    } catch (const lumeno::ErroLumeno& e) {
        resposta = lumeno::LeitorMdbProcesso::codificarErro(e.mensagem());
    } catch (const std::bad_alloc&) {
        resposta = lumeno::LeitorMdbProcesso::codificarErro(lumeno::mensagemArquivo(
            arquivo, QStringLiteral("é grande demais ou está danificado: faltou memória para "
                                    "lê-lo.")));
    }
    saida.write(resposta);
    saida.flush();
    return 0;
}
