#include "ExecutorTestes.h"

#include <QCoreApplication>
#include "app/Formato.h"

int main(int argc, char** argv) {
    lumeno::fixarLocale();
    QCoreApplication app(argc, argv);
    return lumeno::teste::executarTestes(argc, argv);
}
