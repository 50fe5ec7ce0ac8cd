#include "curves/CriteriosExclusao.h"

#include "app/ErroLumeno.h"
#include "app/Formato.h"
#include "data/Consulta.h"

namespace lumeno {

namespace {
struct Clausula {
    const char* coluna;
    const char* prefixo;
};
// Column and parameter prefix of each kind.
const Clausula clausulas[] = {
    {"data", "d"}, {"cota", "c"},   {"vazao", "v"},
    {"area", "a"}, {"numero", "n"}, {"velocidade", "ve"},
};
}  // namespace

QString CriteriosExclusao::nomeTipo(int tipo) {
    static const char* const nomes[] = {"Período", "Cota",     "Vazão",
                                        "Área",    "Medições", "Velocidade"};
    if (tipo < 0 || tipo > 5)
        return QString();
    return QString::fromUtf8(nomes[tipo]);
}

void CriteriosExclusao::inserir(int tipo, const QString& de, const QString& ate) {
    if (tipo < Periodo || tipo > Velocidade)
        throw ErroLumeno(QStringLiteral("Tipo de critério inválido."));
    if (total() >= maximo)
        throw ErroLumeno(QStringLiteral("Limite de %1 critérios de exclusão atingido.").arg(maximo),
                         QStringLiteral("Erro"));
    if (tipo == Periodo) {
        lerData(de);
        lerData(ate);
    } else {
        lerReal(de);
        lerReal(ate);
    }
    criterios_.push_back({tipo, de, ate});
}

void CriteriosExclusao::remover(int i) {
    if (i >= 0 && i < total())
        criterios_.erase(criterios_.begin() + i);
}

void CriteriosExclusao::FormatQuery(Consulta& consulta) const {
    if (criterios_.empty())
        return;
    // The ordering line, if the statement ends with one, stays last.
    int posicao = static_cast<int>(consulta.SQL.size());
    for (int i = posicao - 1; i >= 0; --i) {
        const QString linha = consulta.SQL[i].trimmed();
        if (linha.isEmpty())
            continue;
        if (linha.startsWith(QStringLiteral("order by"), Qt::CaseInsensitive))
            posicao = i;
        break;
    }
    QStringList linhas;
    for (int i = 0; i < total(); ++i) {
        const Criterio& c = criterios_[static_cast<size_t>(i)];
        const Clausula& cl = clausulas[c.tipo];
        const QString sufixo = QString::number(i + 1);
        const QString p1 = QLatin1String(cl.prefixo) + QLatin1Char('1') + sufixo;
        const QString p2 = QLatin1String(cl.prefixo) + QLatin1Char('2') + sufixo;
        const QString coluna = QStringLiteral("medida.") + QLatin1String(cl.coluna);
        linhas << QStringLiteral("and (%1<:%2 or %1>:%3 or %1 is null)").arg(coluna, p1, p2);
        if (c.tipo == Periodo) {
            consulta.definirParametro(p1, lerData(c.de));
            consulta.definirParametro(p2, lerData(c.ate));
        } else {
            consulta.definirParametro(p1, lerReal(c.de));
            consulta.definirParametro(p2, lerReal(c.ate));
        }
    }
    for (int i = 0; i < linhas.size(); ++i)
        consulta.SQL.insert(posicao + i, linhas[i]);
}

}  // namespace lumeno
