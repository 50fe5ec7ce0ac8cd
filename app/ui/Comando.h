// The command boundary. Every slot that runs a user's command (a menu item, a button, a
// list's double click) is connected through `comando`, so that an error leaving the
// command is shown by the default handler right there and never unwinds through Qt's
// event dispatch, which does not support exceptions:
//
//     connect(acao, &QAction::triggered, this, comando(interacao, [this] { Fazer(); }));
//
// The wrapped function takes the first of the signal's arguments (any number of them,
// none included), as a slot does.
//
// A dialog whose show handler loads what it shows calls `carregarAoMostrar` there.
#pragma once

#include "app/ui/AplicacaoLumeno.h"
#include "app/ui/Interacao.h"

#include <QDialog>
#include <QTimer>

#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

namespace lumeno {

namespace detalhe {

template <class F, class Tupla, std::size_t... I>
constexpr bool invocavel(std::index_sequence<I...>) {
    return std::is_invocable_v<F&, std::tuple_element_t<I, Tupla>&...>;
}

// Calls `f` with the first N arguments of `argumentos`, N as large as `f` takes.
template <std::size_t N, class F, class Tupla>
void chamar(F& f, Tupla& argumentos) {
    if constexpr (invocavel<F, Tupla>(std::make_index_sequence<N>{})) {
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            f(std::get<I>(argumentos)...);
        }
        (std::make_index_sequence<N>{});
    } else if constexpr (N > 0) {
        chamar<N - 1>(f, argumentos);
    } else {
        static_assert(N > 0, "the command takes arguments that the signal does not carry");
    }
}

}  // namespace detalhe

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
            auto tupla = std::forward_as_tuple(argumentos...);
            detalhe::chamar<sizeof...(argumentos)>(f, tupla);
        });
    };
}

// For a dialog's show handler that loads what the dialog shows: runs `f` at the command
// boundary; when an error leaves it, the error is shown and the dialog closes, having
// nothing to show.
template <class F>
void carregarAoMostrar(Interacao& interacao, QDialog& dialogo, F&& f) {
    if (!executarComando(interacao, std::forward<F>(f)))
        QTimer::singleShot(0, &dialogo, &QDialog::reject);
}

}  // namespace lumeno
