// Registry of the test classes of one test executable: each test file registers its
// classes with LUMENO_TESTE and the executable's main runs them all in order.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace lumeno::teste {

using FabricaTeste = std::function<std::unique_ptr<QObject>()>;

// Adds a test class to the executable's list; returns true so it can seed a static.
bool registrarTeste(const char* nome, FabricaTeste fabrica);

// Runs every registered class with QTest::qExec; returns the number of failed classes.
int executarTestes(int argc, char** argv);

}  // namespace lumeno::teste

#define LUMENO_TESTE(Classe)                                               \
    static const bool registro_##Classe = ::lumeno::teste::registrarTeste( \
        #Classe, [] { return std::unique_ptr<QObject>(new Classe); });
