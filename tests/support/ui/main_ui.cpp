#include "support/ExecutorTestes.h"

#include "app/Formato.h"
#include "app/ui/AplicacaoLumeno.h"

int main(int argc, char** argv) {
    lumeno::fixarLocale();
    lumeno::AplicacaoLumeno app(argc, argv);
    return lumeno::teste::executarTestes(argc, argv);
}
