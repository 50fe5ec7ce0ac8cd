#include "ExecutorTestes.h"

#include "app/Formato.h"

#include <QApplication>

int main(int argc, char** argv) {
    lumeno::fixarLocale();
    QApplication app(argc, argv);
    return lumeno::teste::executarTestes(argc, argv);
}
