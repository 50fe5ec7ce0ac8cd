// Reading the tables of an Access database (.mdb, Jet 3 and Jet 4), only ever for
// reading. The import logic asks for tables by name and for their columns by name,
// each with the type it expects, and gets every row in the order a table scan returns
// them:
//  - Inteiro: Byte, Integer, Long Integer, or a Single/Double holding a whole number
//    → qint64;
//  - Real: any numeric column → double. A Single (float32) becomes the shortest decimal
//    that reads back as the same float32, so 37.475 stays 37.475 and not
//    37.474998474121094;
//  - Texto: Text or Memo → QString (UTF-8 decoded, accents kept);
//  - Data: Date/Time → QDateTime in UTC, from the stored day count (days since
//    30/12/1899, the fraction the time of day), never from locale-dependent text;
//  - Presente: the column must exist; its value is not read.
// An empty value is a null QVariant. A missing table or column, a column of another
// kind, a file that is not an Access database, or a table whose rows cannot all be
// read (a truncated or damaged file) throw ErroArquivoMdb naming the file and what is
// wrong; no partial table is ever returned.
#pragma once

#include "app/ErroLumeno.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <vector>

namespace lumeno {

class ErroArquivoMdb : public ErroLumeno {
public:
    using ErroLumeno::ErroLumeno;
};

enum class TipoColuna : qint32 { Inteiro, Real, Texto, Data, Presente };

struct ColunaMdb {
    QString nome;
    TipoColuna tipo = TipoColuna::Presente;
};

struct PedidoTabela {
    QString tabela;
    QList<ColunaMdb> colunas;
};

// The rows of one table: one value per requested column, in the order requested.
struct TabelaMdb {
    QString nome;
    QStringList colunas;
    std::vector<QVector<QVariant>> linhas;

    int totalLinhas() const { return static_cast<int>(linhas.size()); }
    // Position of a column by name (case-insensitive); -1 when absent.
    int indice(const QString& coluna) const;
};

class LeitorMdb {
public:
    virtual ~LeitorMdb() = default;
    // The file being read.
    virtual QString arquivo() const = 0;
    // Reads every requested table whole, in the order of `pedidos`.
    virtual std::vector<TabelaMdb> lerTabelas(const std::vector<PedidoTabela>& pedidos) = 0;
};

// The shortest decimal that reads back as `valor` as a float32, as a double.
double decimalCurto(float valor);

// The Access day count (days since 30/12/1899; the fraction is the time of day, taken
// as its absolute value for dates before that day) as a UTC date and time, to the
// nearest second. Invalid for counts outside the years 100–9999.
QDateTime dataAccess(double dias);

// "O arquivo X …" with the file path in the system's form.
QString mensagemArquivo(const QString& arquivo, const QString& problema);

}  // namespace lumeno
