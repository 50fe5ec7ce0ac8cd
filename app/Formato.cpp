#include "app/Formato.h"

#include "app/ErroLumeno.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <algorithm>
#include <charconv>

namespace lumeno {

namespace {

// Decimal digits of a value rounded to `digitos` significant digits: the digits and the
// position of the decimal point relative to the first digit (value = 0.d1d2... × 10^exp).
struct Decimal {
    bool negativo = false;
    QByteArray digitos;  // without leading zeros; empty for zero
    int expoente = 0;    // number of digits before the decimal point
};

Decimal decompor(double valor, int digitos) {
    Decimal d;
    if (valor == 0.0 || !std::isfinite(valor))
        return d;
    d.negativo = valor < 0;
    // The same digits as printf's "%.*e" (correctly rounded), without its cost.
    char buf[64];
    const auto fim = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(valor),
                                   std::chars_format::scientific, digitos - 1);
    *fim.ptr = '\0';
    // buf: d.ddddde±xx
    const char* e = std::strchr(buf, 'e');
    for (const char* p = buf; p < e; ++p)
        if (*p >= '0' && *p <= '9')
            d.digitos.append(*p);
    d.expoente = std::atoi(e + 1) + 1;
    while (d.digitos.size() > 1 && d.digitos.endsWith('0'))
        d.digitos.chop(1);
    if (d.digitos == "0")
        d.digitos.clear();
    return d;
}

// Rounds the decimal expansion half away from zero to `casas` decimals; returns the
// integer and fraction digit strings (the fraction padded to `casas`).
void arredondar(const Decimal& d, int casas, QByteArray& inteiro, QByteArray& fracao) {
    // Digits as a fixed string with the point after position `expoente`.
    QByteArray todos = d.digitos;
    int ponto = d.expoente;
    if (ponto <= 0) {
        todos.prepend(QByteArray(-ponto + 1, '0'));
        ponto = 1;
    }
    if (todos.size() < ponto + casas + 1)
        todos.append(QByteArray(ponto + casas + 1 - todos.size(), '0'));
    const bool sobe = todos[ponto + casas] >= '5';
    todos.truncate(ponto + casas);
    if (sobe) {
        int i = todos.size() - 1;
        while (i >= 0 && todos[i] == '9') {
            todos[i] = '0';
            --i;
        }
        if (i < 0) {
            todos.prepend('1');
            ++ponto;
        } else {
            todos[i] = static_cast<char>(todos[i] + 1);
        }
    }
    inteiro = todos.left(ponto);
    fracao = todos.mid(ponto);
    int zeros = 0;
    while (zeros < inteiro.size() - 1 && inteiro[zeros] == '0')
        ++zeros;
    inteiro.remove(0, zeros);
}

bool ehZero(const QByteArray& inteiro, const QByteArray& fracao) {
    for (char c : inteiro)
        if (c != '0')
            return false;
    for (char c : fracao)
        if (c != '0')
            return false;
    return true;
}

QString exponencial(double valor, int precisao) {
    // d.dddddE+xx with trailing zeros of the mantissa removed.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", precisao - 1, valor);
    QString s = QString::fromLatin1(buf);
    const int e = s.indexOf('E');
    QString mantissa = s.left(e);
    QString exp = s.mid(e + 1);
    if (mantissa.contains('.')) {
        while (mantissa.endsWith('0'))
            mantissa.chop(1);
        if (mantissa.endsWith('.'))
            mantissa.chop(1);
    }
    const QChar sinal = exp[0];
    exp = exp.mid(1);
    while (exp.size() > 1 && exp.startsWith('0'))
        exp.remove(0, 1);
    return mantissa + 'E' + sinal + exp;
}

}  // namespace

void fixarLocale() {
    QLocale c(QLocale::C);
    c.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(c);
}

QString fixo(double valor, int precisao, int casas) {
    if (std::isnan(valor))
        return QStringLiteral("NAN");
    if (std::isinf(valor))
        return valor > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const Decimal d = decompor(valor, precisao);
    if (d.expoente > precisao)
        return exponencial(valor, precisao);
    QByteArray inteiro, fracao;
    arredondar(d, casas, inteiro, fracao);
    QByteArray r;
    if (d.negativo && !ehZero(inteiro, fracao))
        r.append('-');
    r.append(inteiro.isEmpty() ? QByteArray("0") : inteiro);
    if (casas > 0) {
        r.append('.');
        r.append(fracao);
    }
    return QString::fromLatin1(r);
}

QString formatar(double valor, const QString& padrao) {
    if (!std::isfinite(valor))
        return fixo(valor, 15, 2);
    const int ponto = padrao.indexOf('.');
    const QString parteInteira = ponto < 0 ? padrao : padrao.left(ponto);
    const QString parteFracao = ponto < 0 ? QString() : padrao.mid(ponto + 1);
    const int minimoInteiro = static_cast<int>(parteInteira.count('0'));
    int casas = 0, casasObrigatorias = 0;
    for (QChar c : parteFracao) {
        if (c == '0' || c == '#') {
            ++casas;
            if (c == '0')
                casasObrigatorias = casas;
        }
    }
    const Decimal d = decompor(valor, 18);
    QByteArray inteiro, fracao;
    arredondar(d, casas, inteiro, fracao);
    while (fracao.size() > casasObrigatorias && fracao.endsWith('0'))
        fracao.chop(1);
    if (inteiro == "0" && minimoInteiro == 0)
        inteiro.clear();
    if (inteiro.size() < minimoInteiro)
        inteiro.prepend(QByteArray(minimoInteiro - inteiro.size(), '0'));
    QByteArray r;
    if (d.negativo && !ehZero(inteiro, fracao))
        r.append('-');
    r.append(inteiro);
    if (!fracao.isEmpty()) {
        r.append('.');
        r.append(fracao);
    }
    if (r.isEmpty() || r == "-")
        r = "0";
    return QString::fromLatin1(r);
}

QString numeroTexto(double valor) {
    if (valor == 0.0)
        return QStringLiteral("0");
    if (!std::isfinite(valor))
        return fixo(valor, 15, 2);
    const Decimal d = decompor(valor, 15);
    if (d.expoente > 15 || d.expoente < -4)
        return exponencial(valor, 15);
    QByteArray inteiro, fracao;
    const int casas = std::max(0, static_cast<int>(d.digitos.size()) - d.expoente);
    arredondar(d, casas, inteiro, fracao);
    while (fracao.endsWith('0'))
        fracao.chop(1);
    QByteArray r;
    if (d.negativo)
        r.append('-');
    r.append(inteiro.isEmpty() ? QByteArray("0") : inteiro);
    if (!fracao.isEmpty()) {
        r.append('.');
        r.append(fracao);
    }
    return QString::fromLatin1(r);
}

QString dataTexto(const QDate& data) {
    if (!data.isValid())
        return QString();
    return QStringLiteral("%1/%2/%3")
        .arg(data.day(), 2, 10, QChar('0'))
        .arg(data.month(), 2, 10, QChar('0'))
        .arg(data.year(), 4, 10, QChar('0'));
}

QString dataSql(const QDate& data) {
    return QStringLiteral("%1/%2/%3")
        .arg(data.month(), 2, 10, QChar('0'))
        .arg(data.day(), 2, 10, QChar('0'))
        .arg(data.year(), 4, 10, QChar('0'));
}

QDate lerData(const QString& texto) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})\\s*$"));
    const auto m = re.match(texto);
    QDate data;
    if (m.hasMatch()) {
        int ano = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            ano += ano < 50 ? 2000 : 1900;
        data = QDate(ano, m.captured(2).toInt(), m.captured(1).toInt());
    }
    if (!data.isValid())
        throw ErroConversao(QStringLiteral("'%1' não é uma data válida").arg(texto));
    return data;
}

double lerReal(const QString& texto) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    const double v = re.match(texto).hasMatch()
                         ? std::strtod(texto.trimmed().toLatin1().constData(), nullptr)
                         : std::nan("");
    // Beyond the range of a double (1e400) is not a number either.
    if (!std::isfinite(v))
        throw ErroConversao(QStringLiteral("'%1' não é um número real válido").arg(texto));
    return v;
}

int lerInteiro(const QString& texto) {
    static const QRegularExpression re(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    bool ok = false;
    int v = 0;
    if (re.match(texto).hasMatch())
        v = texto.trimmed().toInt(&ok);
    if (!ok)
        throw ErroConversao(QStringLiteral("'%1' não é um número inteiro válido").arg(texto));
    return v;
}

namespace {

// What a cell text shows, for ordering: its kind (in the order they sort) and its value.
struct ValorCelula {
    enum Tipo { Numero, Data, Texto, Vazio } tipo;
    double numero = 0;
    QString texto;
};

ValorCelula valorCelula(const QString& texto) {
    static const QRegularExpression numero(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?%?$"));
    static const QRegularExpression data(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    const QString t = texto.trimmed();
    if (t.isEmpty() || t == QLatin1String("---"))
        return {ValorCelula::Vazio, 0, QString()};
    if (numero.match(t).hasMatch()) {
        QString n = t;
        if (n.endsWith(QLatin1Char('%')))
            n.chop(1);
        const double v = std::strtod(n.toLatin1().constData(), nullptr);
        if (std::isfinite(v))
            return {ValorCelula::Numero, v, QString()};
    }
    if (const auto m = data.match(t); m.hasMatch()) {
        const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
        if (d.isValid())
            return {ValorCelula::Data, static_cast<double>(d.toJulianDay()), QString()};
    }
    return {ValorCelula::Texto, 0, t};
}

}  // namespace

int compararValoresTexto(const QString& a, const QString& b) {
    const ValorCelula va = valorCelula(a);
    const ValorCelula vb = valorCelula(b);
    if (va.tipo != vb.tipo)
        return va.tipo < vb.tipo ? -1 : 1;
    switch (va.tipo) {
        case ValorCelula::Numero:
        case ValorCelula::Data:
            return va.numero < vb.numero ? -1 : (vb.numero < va.numero ? 1 : 0);
        case ValorCelula::Texto:
            return va.texto.compare(vb.texto, Qt::CaseInsensitive);
        case ValorCelula::Vazio:
            break;
    }
    return 0;
}

QString corHex(std::uint32_t cor) {
    return QStringLiteral("%1").arg(cor & 0xFFFFFFu, 6, 16, QChar('0')).toUpper();
}

QString corHtml(std::uint32_t cor) {
    const QString bgr = corHex(cor);
    return bgr.mid(4, 2) + bgr.mid(2, 2) + bgr.mid(0, 2);
}

}  // namespace lumeno
