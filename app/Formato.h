// Conversions between numbers, dates and text. The program uses one fixed convention
// whatever the system's regional settings: decimal point ".", no thousands separator,
// dates dd/mm/yyyy. Every window, import, export and SQL text goes through here.
#pragma once

#include <QDate>
#include <QString>

#include <cstdint>

namespace lumeno {

// Fixes the process-wide locale (decimal ".", no group separator) used by Qt's own
// widgets. Called once at start-up, before any window exists.
void fixarLocale();

// Fixed notation: the value rounded to `precisao` significant digits, then written with
// exactly `casas` decimals; exponent form when the integer part has more than
// `precisao` digits (for example 1.234568E+10).
QString fixo(double valor, int precisao, int casas);

// The common case: seven significant digits, two decimals.
inline QString fixo2(double valor) {
    return fixo(valor, 7, 2);
}

// Picture formats such as "###0.00", "#0.00000", "0.00", "000", "####0",
// "0000000.00": "0" a required digit, "#" an optional one, "." the decimal point.
// Rounds half away from zero on the value's 18-digit decimal expansion.
QString formatar(double valor, const QString& padrao);

// Shortest general text of a number (up to 15 significant digits): 150, 0.1, 2.5E-7.
QString numeroTexto(double valor);

// dd/mm/yyyy.
QString dataTexto(const QDate& data);

// mm/dd/yyyy, the order in which dates are written inside SQL text.
QString dataSql(const QDate& data);

// Parses d/m/y with a two- or four-digit year (two digits: 00-49 → 20xx, else 19xx).
// Throws ErroConversao "'texto' não é uma data válida".
QDate lerData(const QString& texto);

// Parses a real written with "." (optional sign, digits, fraction, exponent), blanks
// around it allowed. Throws ErroConversao "'texto' não é um número real válido",
// also for a value beyond the range of a double.
double lerReal(const QString& texto);

// Parses a whole number (optional sign). Throws ErroConversao
// "'texto' não é um número inteiro válido".
int lerInteiro(const QString& texto);

// Orders two cell texts of a list as the values they show: numbers by value (a trailing
// "%" allowed, as in "-3.21%"), dates dd/mm/yyyy by date, other texts as texts; numbers
// come before dates and dates before texts, and a cell without a value (empty, or
// "---") after all of them. Negative when `a` comes first, 0 when neither does.
int compararValoresTexto(const QString& a, const QString& b);

// A colour value 0x00BBGGRR as six hexadecimal digits red, green, blue ("FF0000" for red).
QString corHtml(std::uint32_t cor);

// The colour value 0x00BBGGRR as six hexadecimal digits BBGGRR, as the criteria keep it.
QString corHex(std::uint32_t cor);

}  // namespace lumeno
