#include "support/ExecutorTestes.h"

#include "app/Formato.h"
#include "app/ui/AplicacaoLumeno.h"

int main(int argc, char** argv) {
    lumeno::fixarLocale();
    lumeno::AplicacaoLumeno app(argc, argv);
    const int falhas = lumeno::teste::executarTestes(argc, argv);
    // No error may escape a command into Qt's event dispatch.
    if (app.errosForaDeComando() > 0) {
        qCritical("%d erro(s) escaparam de comandos para o tratamento de eventos do Qt",
                  app.errosForaDeComando());
        return falhas + 1;
    }
    return falhas;
}
