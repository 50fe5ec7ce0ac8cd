// The application object and the default error handler. Commands show their errors at
// their own boundary (app/ui/Comando.h) through `mostrarErro`, so that no exception
// crosses Qt's event dispatch. An error that escapes a command all the same reaches
// `notify` after it has unwound through Qt code: that is a fault of the program, which
// is counted and reported on the console, and the error is still shown so that the user
// keeps working.
#pragma once

#include <QApplication>
#include <QTranslator>

namespace lumeno {

class Interacao;

class AplicacaoLumeno : public QApplication {
    Q_OBJECT
public:
    static inline const QString titulo = QStringLiteral("Lumeno para Windows");

    AplicacaoLumeno(int& argc, char** argv);

    void definirInteracao(Interacao* interacao) { interacao_ = interacao; }

    // Qt's own texts in Portuguese (qtbase_pt_BR, from Debian's qt6-translations-l10n):
    // the buttons of the message boxes, the file, folder and colour choosers, the context
    // menus of the edits. False when the translation is not installed (Qt then speaks
    // English).
    bool carregarTraducaoQt();
    static inline const QString traducaoQt = QStringLiteral("qtbase_pt_BR");
    bool notify(QObject* destino, QEvent* evento) override;

    // Shows the error in flight (called from a catch block) through `interacao`.
    static void mostrarErro(Interacao& interacao);

    // Errors that escaped a command and reached `notify` since the start (the tests
    // require none).
    int errosForaDeComando() const { return errosForaDeComando_; }
    void zerarErrosForaDeComando() { errosForaDeComando_ = 0; }

private:
    Interacao* interacao_ = nullptr;
    QTranslator traducao_;
    int errosForaDeComando_ = 0;
};

}  // namespace lumeno
