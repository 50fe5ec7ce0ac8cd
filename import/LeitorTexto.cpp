#include "import/LeitorTexto.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace lumeno {

namespace {
constexpr char ctrlZ = 26;
const QString entradaInvalida = QStringLiteral("Entrada numérica inválida");
}  // namespace

QByteArray lerArquivo(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.exists())
        throw ErroImportacao(
            QStringLiteral("Arquivo não encontrado: %1").arg(QDir::toNativeSeparators(caminho)));
    if (!arquivo.open(QIODevice::ReadOnly))
        throw ErroImportacao(QStringLiteral("Não foi possível abrir o arquivo %1: %2")
                                 .arg(QDir::toNativeSeparators(caminho), arquivo.errorString()));
    return arquivo.readAll();
}

bool LeitorTexto::fim() const {
    return posicao_ >= dados_.size() || atual() == ctrlZ;
}

bool LeitorTexto::fimLinha() const {
    return fim() || atual() == '\r' || atual() == '\n';
}

bool LeitorTexto::linhaEmBranco() const {
    for (qsizetype i = posicao_; i < dados_.size(); ++i) {
        const char c = dados_[i];
        if (c == '\r' || c == '\n' || c == ctrlZ)
            return true;
        if (static_cast<unsigned char>(c) > 32)
            return false;
    }
    return true;
}

void LeitorTexto::pularLinha() {
    while (!fim() && atual() != '\r' && atual() != '\n')
        ++posicao_;
    if (fim())
        return;
    if (atual() == '\r') {
        ++posicao_;
        if (!fim() && atual() == '\n')
            ++posicao_;
    } else {
        ++posicao_;
    }
    ++linha_;
}

QByteArray LeitorTexto::lerPalavra(int maximo) {
    // Blanks and line ends before the number; a number missing at the end of the file
    // is reported on the line that needed it.
    const int linhaInicio = linha_;
    while (!fim() && static_cast<unsigned char>(atual()) <= 32) {
        if (atual() == '\n' ||
            (atual() == '\r' && (posicao_ + 1 >= dados_.size() || dados_[posicao_ + 1] != '\n')))
            ++linha_;
        ++posicao_;
    }
    if (fim())
        linha_ = linhaInicio;
    QByteArray palavra;
    while (!fim() && static_cast<unsigned char>(atual()) > 32 && palavra.size() < maximo) {
        palavra.append(atual());
        ++posicao_;
    }
    // Cut at the limit, the rest would be read as the next number and every later field
    // would shift.
    if (!fim() && static_cast<unsigned char>(atual()) > 32)
        falhar(QStringLiteral("Número com mais de %1 caracteres").arg(maximo));
    return palavra;
}

int LeitorTexto::lerInteiro() {
    static const QRegularExpression inteiro(QStringLiteral("^[+-]?\\d+$"));
    const QByteArray palavra = lerPalavra(32);
    bool ok = false;
    const int valor =
        inteiro.match(QString::fromLatin1(palavra)).hasMatch() ? palavra.toInt(&ok) : 0;
    if (!ok)
        falhar(entradaInvalida);
    return valor;
}

double LeitorTexto::lerReal() {
    static const QRegularExpression real(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QByteArray palavra = lerPalavra(64);
    bool ok = false;
    const double valor =
        real.match(QString::fromLatin1(palavra)).hasMatch() ? palavra.toDouble(&ok) : 0;
    if (!ok)
        falhar(entradaInvalida);
    return valor;
}

QByteArray LeitorTexto::lerCaracteres(int n) {
    QByteArray r;
    while (r.size() < n && !fimLinha()) {
        r.append(atual());
        ++posicao_;
    }
    return r;
}

QByteArray LeitorTexto::lerAteBranco() {
    QByteArray r;
    while (!fimLinha() && static_cast<unsigned char>(atual()) > 32) {
        r.append(atual());
        ++posicao_;
    }
    return r;
}

void LeitorTexto::falhar(const QString& mensagem) const {
    throw ErroImportacao(QStringLiteral("%1 (linha %2)").arg(mensagem).arg(linha_));
}

}  // namespace lumeno
