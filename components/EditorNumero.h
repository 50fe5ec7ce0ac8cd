// A numeric edit: a line edit that takes numbers written with "." and offers a small
// drop-down calculator whose result replaces the value.
#pragma once

#include <QLineEdit>

namespace lumeno {

class EditorNumero : public QLineEdit {
    Q_OBJECT
public:
    explicit EditorNumero(QWidget* pai = nullptr);

    // Decimals used when a value is set (0 for whole numbers; typing accepts no point then).
    void definirCasas(int casas);
    int casas() const { return casas_; }

    // Writes `valor` with the edit's decimals.
    void definirValor(double valor);
    // The number typed; 0 when empty. Throws ErroConversao for a text that is not a number.
    double valor() const;
    bool vazio() const { return text().trimmed().isEmpty(); }
    // The value for a record field: empty stays empty; above `maximo` is refused with
    // ErroConversao "Valor acima do máximo".
    QVariant valorCampo(double maximo = 99999999.9) const;

    // Opens the drop-down calculator under the edit.
    void abrirCalculadora();

private:
    void atualizarValidador();
    int casas_ = 2;
};

}  // namespace lumeno
