// A numeric edit: a line edit that takes numbers written with "." or "," (shown with
// ".") and offers a small drop-down calculator whose result replaces the value. A text
// that is not a finite number (or, in a box without decimals, not a whole number) is
// kept as typed, shown in red, and refused when the value is taken.
#pragma once

#include <QLineEdit>

namespace lumeno {

class EditorNumero : public QLineEdit {
    Q_OBJECT
public:
    explicit EditorNumero(QWidget* pai = nullptr);

    // Decimals used when a value is set (0 for whole numbers, which the box then requires).
    void definirCasas(int casas);
    int casas() const { return casas_; }

    // Writes `valor` with the edit's decimals.
    void definirValor(double valor);
    // The number typed; 0 when empty. Throws ErroConversao for a text that is not a finite
    // number, or not a whole one in a box without decimals.
    double valor() const;
    // valor() as an int; throws ErroConversao beyond the range of int.
    int valorInteiro() const;
    bool vazio() const { return text().trimmed().isEmpty(); }
    // The value for a record field: empty stays empty; above `maximo` is refused with
    // ErroConversao "Valor acima do máximo".
    QVariant valorCampo(double maximo = 99999999.9) const;

    // Opens the drop-down calculator under the edit.
    void abrirCalculadora();

private:
    // Marks a text that is not a value the box takes.
    void marcarInvalido();
    int casas_ = 2;
};

}  // namespace lumeno
