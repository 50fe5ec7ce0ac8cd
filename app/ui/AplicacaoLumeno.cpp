#include "app/ui/AplicacaoLumeno.h"

#include "app/ErroLumeno.h"
#include "app/ui/Interacao.h"

#include <QDebug>
#include <QLibraryInfo>

#include <exception>

namespace lumeno {

AplicacaoLumeno::AplicacaoLumeno(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Lumeno"));
}

bool AplicacaoLumeno::carregarTraducaoQt() {
    if (!traducao_.isEmpty())
        return true;
    if (!traducao_.load(traducaoQt, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return installTranslator(&traducao_);
}

void AplicacaoLumeno::mostrarErro(Interacao& interacao) {
    try {
        throw;
    } catch (const ErroLumeno& e) {
        interacao.mensagem(e.mensagem(), e.titulo().isEmpty() ? titulo : e.titulo());
    } catch (const std::bad_alloc&) {
        interacao.mensagem(QStringLiteral("Memória insuficiente."), titulo);
    } catch (const std::exception& e) {
        interacao.mensagem(QString::fromLocal8Bit(e.what()), titulo);
    } catch (...) {
        interacao.mensagem(QStringLiteral("Erro desconhecido."), titulo);
    }
}

bool AplicacaoLumeno::notify(QObject* destino, QEvent* evento) {
    // `evento` may be gone once an exception has unwound its dispatch: its type is kept.
    const int tipo = evento ? static_cast<int>(evento->type()) : 0;
    try {
        return QApplication::notify(destino, evento);
    } catch (...) {
        ++errosForaDeComando_;
        qCritical(
            "Lumeno: erro escapou de um comando (%s, evento %d); todo comando deve "
            "passar por comando()/executarComando()",
            destino ? destino->metaObject()->className() : "?", tipo);
        if (!interacao_)
            std::terminate();
        mostrarErro(*interacao_);
    }
    return false;
}

}  // namespace lumeno
