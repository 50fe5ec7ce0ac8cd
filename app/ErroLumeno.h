// Errors that leave a command. A window may catch one to react; otherwise the
// application's default handler shows its message (with its caption) and the
// program keeps running.
#pragma once

#include <QString>

#include <stdexcept>

namespace lumeno {

class ErroLumeno : public std::runtime_error {
public:
    explicit ErroLumeno(const QString& mensagem, const QString& titulo = QString())
        : std::runtime_error(mensagem.toStdString()), mensagem_(mensagem), titulo_(titulo) {}

    const QString& mensagem() const { return mensagem_; }
    const QString& titulo() const { return titulo_; }

private:
    QString mensagem_;
    QString titulo_;
};

// A text that does not convert to a number or a date.
class ErroConversao : public ErroLumeno {
public:
    using ErroLumeno::ErroLumeno;
};

// Any error of the database engine.
class ErroBanco : public ErroLumeno {
public:
    using ErroLumeno::ErroLumeno;
};

// A duplicate unique key when a row is stored. The pending insert or edit of the
// table has already been cancelled when this is thrown; the message is the one the
// table was given for the case (or "Key violation" for an ad-hoc statement).
class ErroViolacaoChave : public ErroBanco {
public:
    using ErroBanco::ErroBanco;
};

}  // namespace lumeno
