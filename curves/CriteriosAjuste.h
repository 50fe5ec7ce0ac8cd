// The pieces of a fit by criteria: each criterion of the criteria dialog as an SQL
// condition on Medida and as the words recorded for the curve, the mandatory points
// packed as text and stored as temporary measurement rows, and the curve's condition.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace lumeno {

class Conexao;

// The record of a node of the criteria tree.
struct tDadosItem {
    static constexpr int Criterio = 2;     // a criterion line or the algorithm line
    static constexpr int Cor = 3;          // the colour line
    static constexpr int Obrigatorio = 8;  // a mandatory point

    int Tipo = 0;
    QString Descricao;
    QString Condicao;
    std::uint32_t Valor = 0;
    QString Texto;
};

struct Criterio {
    QString descricao;
    QString condicao;
};

// "a partir de dd/mm/yyyy" / "data >= 'mm/dd/yyyy' and ponto_obrigatorio = 0", and the
// end of the period ("até  dd/mm/yyyy", "data <= …").
Criterio criterioPeriodo(bool inicio, const QDate& data);
// "iniciando na cota 150" / "cota >= 150 and ponto_obrigatorio = 0", "até a cota …";
// the same for the discharge with "vazao".
Criterio criterioCota(bool inicio, double valor);
Criterio criterioVazao(bool inicio, double valor);

// A mandatory point: stage (cm), discharge (m³/s) and weight (at least 2).
struct PontoObrigatorio {
    double cota = 0;
    double vazao = 0;
    int peso = 0;
};

// 23 characters: the stage "0000000.00", the discharge "0000000.00" and the weight "000".
QString empacotarPonto(const PontoObrigatorio& ponto);
// Characters 1–10, 11–20 and 21–23 back to numbers.
PontoObrigatorio desempacotarPonto(const QString& texto);
// "cota 120.00, vazão 3.50, peso 3".
QString descreverPonto(const PontoObrigatorio& ponto);

// Stores a mandatory point of curve `curva` as `peso` rows of Medida numbered from
// contador + 1 (the counter is advanced).
void inserirPontoObrigatorio(Conexao& conexao, int estacao, int curva,
                             const PontoObrigatorio& ponto, int& contador);

// The condition of a curve by criteria: its criteria lines (already joined with the
// line " and ") or all the station's real measurements, or the curve's mandatory rows.
QString condicaoCurva(const QStringList& linhas, int estacao, int curva);

}  // namespace lumeno
