#include "curves/RelacaoVazoes.h"

#include "app/Formato.h"
#include "components/EscritorPlanilha.h"
#include "data/Consulta.h"

namespace lumeno {

std::vector<QStringList> linhasRelacaoVazoes(Consulta& medidas, const TabelaDesvios& desvios) {
    std::vector<QStringList> linhas;
    const int atual = medidas.numeroRegistro();
    PercursoSilencioso percurso(medidas);
    int posicao = 1;
    for (medidas.primeiro(); !medidas.eof(); medidas.proximo(), ++posicao) {
        const double vazao = medidas.campo(QStringLiteral("vazao")).comoReal();
        const QString desvio = desvios.texto(posicao);
        const auto d = TabelaDesvios::valorDesvio(desvio);
        linhas.push_back({fixo2(medidas.campo(QStringLiteral("cota")).comoReal()), fixo2(vazao),
                          d ? fixo2(vazao * (100 + *d) / 100) : QString(), desvio,
                          medidas.campo(QStringLiteral("numero")).comoTexto(),
                          medidas.campo(QStringLiteral("data")).comoTexto()});
    }
    if (atual > 0)
        medidas.irPara(atual);
    return linhas;
}

void exportarRelacaoVazoes(const QString& arquivo, const QString& codigo,
                           const QStringList& cabecalho, const std::vector<QStringList>& linhas,
                           const std::vector<QVariantList>& anexo) {
    EscritorPlanilha planilha(arquivo, QStringLiteral("Sheet1"));
    planilha.escreverTexto(1, 0, QStringLiteral("Código: ") + codigo);
    for (int c = 0; c < cabecalho.size(); ++c)
        if (!cabecalho[c].isEmpty())
            planilha.escreverTexto(c + 1, 1, cabecalho[c]);
    int r = 2;
    for (const QStringList& linha : linhas) {
        for (int c = 0; c <= 4 && c < linha.size(); ++c) {
            QString texto = linha[c];
            if (c == 3)
                texto.chop(1);  // the "%"
            // A cell without a value ("---", or empty) stays empty.
            if (texto.trimmed().isEmpty() || texto == QLatin1String("--"))
                continue;
            planilha.escreverNumero(c + 1, r, lerReal(texto));
        }
        if (linha.size() > 5)
            planilha.escreverTexto(6, r, linha[5]);
        for (int c = 6; c < linha.size(); ++c)
            if (!linha[c].isEmpty())
                planilha.escreverTexto(c + 1, r, linha[c]);
        ++r;
    }
    if (!anexo.empty())
        ++r;
    for (const QVariantList& linha : anexo) {
        for (int c = 0; c < linha.size(); ++c) {
            const QVariant& v = linha[c];
            if (v.isNull())
                continue;
            if (v.typeId() == QMetaType::Double)
                planilha.escreverNumero(c + 1, r, v.toDouble());
            else
                planilha.escreverTexto(c + 1, r, v.toString());
        }
        ++r;
    }
    planilha.fechar();
}

}  // namespace lumeno
