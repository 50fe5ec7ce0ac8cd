// The command boundary. Every slot that runs a user's command (a menu item, a button, a
// list's double click) is connected through `comando`, so that an error leaving the
// command is shown by the default handler right there and never unwinds through Qt's
// event dispatch, which does not support exceptions:
//
//     connect(acao, &QAction::triggered, this, comando(interacao, [this] { Fazer(); }));
//
// The wrapped function may take the signal's arguments or none of them.
#pragma once

#include "app/ui/AplicacaoLumeno.h"
#include "app/ui/Interacao.h"

#include <type_traits>
#include <utility>

namespace lumeno {

// Runs `f` and shows any error that leaves it through `interacao`; true when no error
// left it.
template <class F>
bool executarComando(Interacao& interacao, F&& f) {
    try {
        std::forward<F>(f)();
        return true;
    } catch (...) {
        AplicacaoLumeno::mostrarErro(interacao);
        return false;
    }
}

template <class F>
auto comando(Interacao& interacao, F f) {
    return [&interacao, f = std::move(f)](auto&&... argumentos) mutable {
        executarComando(interacao, [&] {
            if constexpr (std::is_invocable_v<F&, decltype(argumentos)...>)
                f(std::forward<decltype(argumentos)>(argumentos)...);
            else
                f();
        });
    };
}

}  // namespace lumeno
