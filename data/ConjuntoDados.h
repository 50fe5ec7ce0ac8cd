// A dataset with a current row: the common face of the tables and queries that the
// windows browse. Navigation follows the usual rules: after primeiro() bof() is true;
// proximo() on the last row sets eof() and stays there; anterior() on the first row
// sets bof(). The signals play the part of a data source: windows bound to a dataset
// refresh their controls on them.
#pragma once

#include <QDate>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>

namespace lumeno {

// One value read from a dataset, with the conversions the windows use.
class Campo {
public:
    Campo() = default;
    explicit Campo(QVariant valor, QString formato = QString())
        : valor_(std::move(valor)), formato_(std::move(formato)) {}

    bool nulo() const { return valor_.isNull() || !valor_.isValid(); }
    const QVariant& valor() const { return valor_; }
    // 0 when empty.
    double comoReal() const;
    // Rounded to the nearest whole number; 0 when empty.
    int comoInteiro() const;
    // Numbers in their shortest form, dates as dd/mm/yyyy, empty as "".
    QString comoTexto() const;
    // Invalid date when empty or not a date.
    QDate comoData() const;
    // The text shown in lists: numbers with the field's display format, if any.
    QString textoExibicao() const;

private:
    QVariant valor_;
    QString formato_;
};

class ConjuntoDados : public QObject {
    Q_OBJECT
public:
    enum class Estado { Inativo, Navegando, Inserindo, Editando };

    explicit ConjuntoDados(QObject* pai = nullptr) : QObject(pai) {}

    virtual void abrir() = 0;
    virtual void fechar() = 0;
    bool ativo() const { return estado_ != Estado::Inativo; }
    Estado estado() const { return estado_; }

    virtual void primeiro() = 0;
    virtual void anterior() = 0;
    virtual void proximo() = 0;
    virtual void ultimo() = 0;
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }

    virtual int totalRegistros() const = 0;
    // 1-based position of the current row; 0 when there is none.
    virtual int numeroRegistro() const = 0;
    bool vazio() const { return totalRegistros() == 0; }

    // Makes the first row whose field equals `valor` current; false (and no move) when
    // there is none.
    virtual bool localizar(const QString& campo, const QVariant& valor) = 0;

    // Value of a field of the current row (names compare without regard to case).
    // Throws ErroBanco when the field does not exist.
    virtual QVariant valor(const QString& campo) const = 0;
    Campo campo(const QString& nome) const {
        return Campo(valor(nome), formatos_.value(nome.toLower()));
    }
    virtual QStringList nomesCampos() const = 0;
    bool possuiCampo(const QString& nome) const;

    // Display settings of a field: its picture format ("####0.00") and heading.
    void definirFormato(const QString& campo, const QString& formato) {
        formatos_.insert(campo.toLower(), formato);
    }
    void definirRotulo(const QString& campo, const QString& rotulo) {
        rotulos_.insert(campo.toLower(), rotulo);
    }
    QString rotulo(const QString& campo) const { return rotulos_.value(campo.toLower(), campo); }

Q_SIGNALS:
    // The current row moved or its values changed (also after opening and closing).
    void registroMudou();
    // Opened, closed, or entered/left insert or edit.
    void estadoMudou();

protected:
    void definirEstado(Estado e);
    void definirLimites(bool bof, bool eof) {
        bof_ = bof;
        eof_ = eof;
    }

private:
    Estado estado_ = Estado::Inativo;
    bool bof_ = true;
    bool eof_ = true;
    QHash<QString, QString> formatos_;
    QHash<QString, QString> rotulos_;
};

// Walks a dataset's rows without telling the windows bound to it at every step: its
// signals are held while the walk lasts, and one registroMudou tells them where the
// cursor ended. For loops over every row (drawing, summing) that would otherwise refresh
// the bound controls once per row.
class PercursoSilencioso {
public:
    explicit PercursoSilencioso(ConjuntoDados& dados)
        : dados_(dados), bloqueados_(dados.blockSignals(true)) {}
    ~PercursoSilencioso() {
        dados_.blockSignals(bloqueados_);
        if (!bloqueados_)
            Q_EMIT dados_.registroMudou();
    }
    PercursoSilencioso(const PercursoSilencioso&) = delete;
    PercursoSilencioso& operator=(const PercursoSilencioso&) = delete;

private:
    ConjuntoDados& dados_;
    bool bloqueados_;
};

// Whether two field values are equal as the program compares them: numbers by value,
// dates as dates, anything else as text.
bool valoresIguais(const QVariant& a, const QVariant& b);

}  // namespace lumeno
