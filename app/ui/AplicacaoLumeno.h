// The application object. Its event dispatch is the program's default error handler:
// an error that escapes a command (a menu item, a button, a dialog) is shown with its
// message and the program keeps running.
#pragma once

#include <QApplication>

namespace lumeno {

class Interacao;

class AplicacaoLumeno : public QApplication {
    Q_OBJECT
public:
    static inline const QString titulo = QStringLiteral("Lumeno para Windows");

    AplicacaoLumeno(int& argc, char** argv);

    void definirInteracao(Interacao* interacao) { interacao_ = interacao; }
    bool notify(QObject* destino, QEvent* evento) override;

    // Shows the error in flight (called from a catch block) through `interacao`.
    static void mostrarErro(Interacao& interacao);

private:
    Interacao* interacao_ = nullptr;
};

}  // namespace lumeno
