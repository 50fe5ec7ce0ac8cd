// Reading the text import files (.cop, .sec) as their writers lay them out:
//  - a line ends at a carriage return, optionally followed by a line feed (a bare line
//    feed is taken as a line end too); a Ctrl-Z (26) or the physical end ends the file;
//  - a number is read by skipping every character of code 32 or less (line ends too),
//    then taking characters up to the next one of code 32 or less — at most 32 for an
//    integer and 64 for a real (a longer one is refused); it must be a whole number (optional sign,
//    digits) or a real (optional sign, digits, optional "." and digits, optional exponent).
// Errors carry the line where they happened.
#pragma once

#include "app/ErroLumeno.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace lumeno {

// An import file that does not read: the reason and where.
class ErroImportacao : public ErroLumeno {
public:
    using ErroLumeno::ErroLumeno;
};

// One measurement summary as the import files carry it.
struct ResumoMedicao {
    int numero = 0;
    QDate data;
    double cota = 0;
    double vazao = 0;
    double area = 0;
    double velocidade = 0;
};

struct PontoSecao {
    double x = 0;
    double y = 0;
};

// The contents of a file: a file that cannot be opened throws ErroImportacao.
QByteArray lerArquivo(const QString& caminho);

class LeitorTexto {
public:
    explicit LeitorTexto(const QByteArray& dados) : dados_(dados) {}

    // The end of the file: past the last byte or at a Ctrl-Z.
    bool fim() const;
    // The end of the current line (next character a line end, or the end of the file).
    bool fimLinha() const;
    // Whether the rest of the current line holds only blanks.
    bool linhaEmBranco() const;
    // Moves to the start of the next line.
    void pularLinha();

    int lerInteiro();
    double lerReal();
    // The next `n` characters as they stand (fewer at the end of the line or file).
    QByteArray lerCaracteres(int n);
    // The characters up to the next blank or line end (none when one comes next).
    QByteArray lerAteBranco();

    // 1-based number of the line being read.
    int linha() const { return linha_; }
    // Throws ErroImportacao with the message and the current line.
    [[noreturn]] void falhar(const QString& mensagem) const;

private:
    QByteArray lerPalavra(int maximo);
    char atual() const { return dados_[posicao_]; }
    const QByteArray& dados_;
    qsizetype posicao_ = 0;
    int linha_ = 1;
};

}  // namespace lumeno
