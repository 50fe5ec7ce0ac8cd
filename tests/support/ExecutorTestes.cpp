#include "ExecutorTestes.h"

#include <QTest>

#include <utility>

namespace lumeno::teste {

namespace {
struct Registro {
    const char* nome;
    FabricaTeste fabrica;
};

std::vector<Registro>& registros() {
    static std::vector<Registro> lista;
    return lista;
}
}  // namespace

bool registrarTeste(const char* nome, FabricaTeste fabrica) {
    registros().push_back({nome, std::move(fabrica)});
    return true;
}

int executarTestes(int argc, char** argv) {
    // A class name as first argument runs only that class; the remaining arguments go to QTest.
    QByteArray filtro;
    std::vector<char*> args(argv, argv + argc);
    if (args.size() > 1 && args[1][0] != '-') {
        filtro = args[1];
        args.erase(args.begin() + 1);
    }
    int falhas = 0;
    for (const auto& r : registros()) {
        if (!filtro.isEmpty() && filtro != r.nome)
            continue;
        auto objeto = r.fabrica();
        if (QTest::qExec(objeto.get(), static_cast<int>(args.size()), args.data()) != 0)
            ++falhas;
    }
    return falhas;
}

}  // namespace lumeno::teste
