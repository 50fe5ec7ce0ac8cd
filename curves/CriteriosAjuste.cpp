#include "curves/CriteriosAjuste.h"

#include "app/Formato.h"
#include "curves/CriacaoCurva.h"
#include "data/Consulta.h"

namespace lumeno {

namespace {
const QString somenteMedicoes = QStringLiteral(" and ponto_obrigatorio = 0");

Criterio criterioNumero(bool inicio, double valor, const QString& coluna,
                        const QString& prefixoInicio, const QString& prefixoFim) {
    const QString t = numeroTexto(valor);
    return {
        (inicio ? prefixoInicio : prefixoFim) + t,
        coluna + (inicio ? QStringLiteral(" >= ") : QStringLiteral(" <= ")) + t + somenteMedicoes};
}
}  // namespace

Criterio criterioPeriodo(bool inicio, const QDate& data) {
    const QString d = dataTexto(data);
    const QString sql = dataSql(data);
    if (inicio)
        return {QStringLiteral("a partir de ") + d,
                QStringLiteral("data >= '") + sql + QLatin1Char('\'') + somenteMedicoes};
    return {QStringLiteral("até  ") + d,
            QStringLiteral("data <= '") + sql + QLatin1Char('\'') + somenteMedicoes};
}

Criterio criterioCota(bool inicio, double valor) {
    return criterioNumero(inicio, valor, QStringLiteral("cota"),
                          QStringLiteral("iniciando na cota "), QStringLiteral("até a cota "));
}

Criterio criterioVazao(bool inicio, double valor) {
    return criterioNumero(inicio, valor, QStringLiteral("vazao"),
                          QStringLiteral("iniciando na vazão "), QStringLiteral("até a vazão "));
}

QString empacotarPonto(const PontoObrigatorio& p) {
    return formatar(p.cota, QStringLiteral("0000000.00")) +
           formatar(p.vazao, QStringLiteral("0000000.00")) +
           formatar(p.peso, QStringLiteral("000"));
}

PontoObrigatorio desempacotarPonto(const QString& texto) {
    PontoObrigatorio p;
    p.cota = texto.mid(0, 10).trimmed().toDouble();
    p.vazao = texto.mid(10, 10).trimmed().toDouble();
    p.peso = texto.mid(20, 3).trimmed().toInt();
    return p;
}

QString descreverPonto(const PontoObrigatorio& p) {
    return QStringLiteral("cota ") + formatar(p.cota, QStringLiteral("0.00")) +
           QStringLiteral(", vazão ") + formatar(p.vazao, QStringLiteral("0.00")) +
           QStringLiteral(", peso ") + formatar(p.peso, QStringLiteral("0"));
}

void inserirPontoObrigatorio(Conexao& conexao, int estacao, int curva,
                             const PontoObrigatorio& ponto, int& contador) {
    Consulta q(conexao);
    q.SQL << QStringLiteral("insert into medida (estacao, numero, cota, vazao, ponto_obrigatorio)")
          << QStringLiteral("values (:estacao, :numero, :cota, :vazao, :curva)");
    q.definirParametro(QStringLiteral("estacao"), estacao);
    q.definirParametro(QStringLiteral("cota"), ponto.cota);
    q.definirParametro(QStringLiteral("vazao"), ponto.vazao);
    q.definirParametro(QStringLiteral("curva"), curva);
    for (int i = 0; i < ponto.peso; ++i) {
        ++contador;
        q.definirParametro(QStringLiteral("numero"), contador);
        q.executar();
    }
}

QString condicaoCurva(const QStringList& linhas, int estacao, int curva) {
    const QString obrigatorios =
        QStringLiteral(" estacao = %1 and ponto_obrigatorio = %2").arg(estacao).arg(curva);
    if (!linhas.isEmpty())
        return QLatin1Char('(') + textoLinhas(linhas) + QStringLiteral(") or (") + obrigatorios +
               QLatin1Char(')');
    return QStringLiteral("( estacao = %1 and ponto_obrigatorio = 0) or (").arg(estacao) +
           obrigatorios + QLatin1Char(')');
}

}  // namespace lumeno
