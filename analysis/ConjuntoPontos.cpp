#include "analysis/ConjuntoPontos.h"

#include "app/ErroLumeno.h"
#include "app/Formato.h"
#include "data/Consulta.h"

namespace lumeno {

namespace {
constexpr int larguraTipo = 10;
const QString separador = QStringLiteral(" a ");
const QString tituloErro = QStringLiteral("Erro");

// A number as shown, checked: the text without the blanks around it.
QString numeroVerificado(const QString& texto) {
    lerReal(texto);
    return texto.trimmed();
}
}  // namespace

QString legendaConjunto(const ConjuntoPontos& conjunto) {
    return conjunto.Tipo.leftJustified(larguraTipo, QLatin1Char(' ')) + conjunto.De + separador +
           conjunto.Ate + QStringLiteral("  ");
}

ConjuntoPontos lerLegendaConjunto(const QString& legenda) {
    ConjuntoPontos c;
    c.Tipo = legenda.left(larguraTipo).trimmed();
    qsizetype i = larguraTipo - 1;
    while (i < legenda.size() && legenda[i] == QLatin1Char(' '))
        ++i;
    qsizetype fim = i;
    while (fim < legenda.size() && legenda[fim] != QLatin1Char(' '))
        ++fim;
    c.De = legenda.mid(i, fim - i);
    const qsizetype a = legenda.indexOf(separador, fim);
    if (a >= 0) {
        const qsizetype inicio = a + separador.size();
        qsizetype espaco = legenda.indexOf(QLatin1Char(' '), inicio);
        if (espaco < 0)
            espaco = legenda.size();
        c.Ate = legenda.mid(inicio, espaco - inicio);
    }
    return c;
}

bool estenderConjunto(ConjuntoPontos& conjunto, int numero) {
    if (conjunto.Tipo != ConjuntoPontos::Medicao)
        return false;
    const int de = lerInteiro(conjunto.De);
    const int ate = lerInteiro(conjunto.Ate);
    if (numero > ate) {
        conjunto.Ate = QString::number(numero);
        return true;
    }
    if (numero < de) {
        conjunto.De = QString::number(numero);
        return true;
    }
    return false;
}

QString condicaoConjunto(const ConjuntoPontos& c) {
    const auto faixa = [](const char* coluna, const QString& de, const QString& ate) {
        const QString col = QLatin1String(coluna);
        return QStringLiteral("(%1 >= %2 and %1 <= %3)").arg(col, de, ate);
    };
    if (c.Tipo == ConjuntoPontos::Medicao)
        return faixa("numero", QString::number(lerInteiro(c.De)),
                     QString::number(lerInteiro(c.Ate)));
    if (c.Tipo == ConjuntoPontos::Cota)
        return faixa("cota", numeroVerificado(c.De), numeroVerificado(c.Ate));
    if (c.Tipo == ConjuntoPontos::Vazao)
        return faixa("vazao", numeroVerificado(c.De), numeroVerificado(c.Ate));
    if (c.Tipo == ConjuntoPontos::Data)
        return QStringLiteral("(data >= '%1' and data <= '%2')")
            .arg(dataSql(lerData(c.De)), dataSql(lerData(c.Ate)));
    throw ErroLumeno(QStringLiteral("Tipo de conjunto de pontos desconhecido: \"%1\".").arg(c.Tipo),
                     tituloErro);
}

ConjuntoPontos conjuntoDaSelecao(const SelecaoPontos& s, std::uint32_t cor) {
    ConjuntoPontos c;
    c.Cor = cor;
    switch (s.tipo) {
        case SelecaoPontos::Periodo:
            c.Tipo = ConjuntoPontos::Data;
            c.De = dataTexto(lerData(s.dataDe));
            c.Ate = dataTexto(lerData(s.dataAte));
            break;
        case SelecaoPontos::Cotas:
            c.Tipo = ConjuntoPontos::Cota;
            c.De = fixo2(s.de);
            c.Ate = fixo2(s.ate);
            break;
        case SelecaoPontos::Vazoes:
            c.Tipo = ConjuntoPontos::Vazao;
            c.De = fixo2(s.de);
            c.Ate = fixo2(s.ate);
            break;
        case SelecaoPontos::Medicoes:
            c.Tipo = ConjuntoPontos::Medicao;
            c.De = QString::number(static_cast<long long>(s.de));
            c.Ate = QString::number(static_cast<long long>(s.ate));
            break;
    }
    return c;
}

void prepararSelecao(Consulta& consulta, const SelecaoPontos& s, int estacao) {
    consulta.SQL =
        QStringList{QStringLiteral("select estacao,numero,area,data,cota,vazao,velocidade"),
                    QStringLiteral("from medida"), QStringLiteral("where (estacao=:est) and ")};
    consulta.limparParametros();
    consulta.definirParametro(QStringLiteral("est"), estacao);
    switch (s.tipo) {
        case SelecaoPontos::Periodo:
            consulta.SQL << QStringLiteral("(data>=:dat1) and (data<=:dat2);");
            consulta.definirParametro(QStringLiteral("dat1"), lerData(s.dataDe));
            consulta.definirParametro(QStringLiteral("dat2"), lerData(s.dataAte));
            break;
        case SelecaoPontos::Vazoes:
            consulta.SQL << QStringLiteral("(vazao>=:v1) and (vazao<=:v2);");
            consulta.definirParametro(QStringLiteral("v1"), s.de);
            consulta.definirParametro(QStringLiteral("v2"), s.ate);
            break;
        case SelecaoPontos::Cotas:
            consulta.SQL << QStringLiteral("(cota>=:c1) and (cota<=:c2);");
            consulta.definirParametro(QStringLiteral("c1"), s.de);
            consulta.definirParametro(QStringLiteral("c2"), s.ate);
            break;
        case SelecaoPontos::Medicoes:
            consulta.SQL << QStringLiteral("(numero>=:n1) and (numero<=:n2);");
            consulta.definirParametro(QStringLiteral("n1"), static_cast<long long>(s.de));
            consulta.definirParametro(QStringLiteral("n2"), static_cast<long long>(s.ate));
            break;
    }
}

int algoritmoDoTexto(const QString& texto) {
    if (texto.startsWith(QStringLiteral("Pote")))
        return 1;
    if (texto.startsWith(QStringLiteral("Poli")))
        return 2;
    return 0;
}

std::vector<DefinicaoCurva> definicoesDosConjuntos(const std::vector<LinhaConjunto>& marcadas) {
    if (marcadas.empty())
        throw ErroLumeno(QStringLiteral("Deve selecionar ao menos um trecho para traçar curva"),
                         tituloErro);
    if (static_cast<int>(marcadas.size()) > maximoConjuntosMarcados)
        throw ErroLumeno(QStringLiteral("Podem ser traçadas no máximo %1 curvas de uma vez.")
                             .arg(maximoConjuntosMarcados),
                         tituloErro);
    std::vector<DefinicaoCurva> definicoes;
    definicoes.reserve(marcadas.size());
    for (const LinhaConjunto& linha : marcadas) {
        DefinicaoCurva d;
        d.Algoritmo = algoritmoDoTexto(linha.algoritmo);
        if (d.Algoritmo == 0)
            throw ErroLumeno(QStringLiteral("O trecho %1 (%2) não tem algoritmo definido. "
                                            "Desmarque-o e marque-o de novo para escolher o "
                                            "algoritmo.")
                                 .arg(linha.numero)
                                 .arg(legendaConjunto(linha.conjunto).trimmed()),
                             tituloErro);
        d.Parametro = lerInteiro(linha.parametro);
        d.Condicao = condicaoConjunto(linha.conjunto);
        d.Descricao = legendaConjunto(linha.conjunto);
        d.Cor = linha.conjunto.Cor;
        definicoes.push_back(std::move(d));
    }
    return definicoes;
}

}  // namespace lumeno
