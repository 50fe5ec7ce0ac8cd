#include "curves/CriacaoCurva.h"

#include "data/Consulta.h"

namespace lumeno {

QString textoLinhas(const QStringList& linhas) {
    QString t;
    for (const QString& l : linhas)
        t += l + QLatin1Char('\n');
    return t;
}

void CalcularExtremos(CurvaTrecho& curva, const QStringList& condicao, Conexao& conexao,
                      const FormatadorConsulta& formatar) {
    const QString texto = textoLinhas(condicao);

    Consulta extremos(conexao);
    extremos.SQL << QStringLiteral("select max(cota),min(cota),max(vazao),min(vazao)")
                 << QStringLiteral("from medida") << QStringLiteral("where (Estacao=:est) ");
    if (!texto.isEmpty())
        extremos.SQL << QStringLiteral("and (") + texto + QLatin1Char(')');
    if (formatar)
        formatar(extremos);
    extremos.definirParametro(QStringLiteral("est"), curva.Estacao);
    extremos.abrir();
    curva.CotaMax = extremos.campo(QStringLiteral("max of cota")).comoReal();
    curva.CotaMin = extremos.campo(QStringLiteral("min of cota")).comoReal();
    curva.VazaoMax = extremos.campo(QStringLiteral("max of vazao")).comoReal();
    curva.VazaoMin = extremos.campo(QStringLiteral("min of vazao")).comoReal();

    Consulta porVazao(conexao);
    porVazao.SQL << QStringLiteral("select cota,vazao") << QStringLiteral("from medida")
                 << QStringLiteral("where (Estacao=:est) ");
    if (!texto.isEmpty())
        porVazao.SQL << QStringLiteral(" and ") + texto;
    porVazao.SQL << QStringLiteral("order by vazao;");
    porVazao.definirParametro(QStringLiteral("est"), curva.Estacao);
    porVazao.abrir();
    curva.CotaVazaoMin = porVazao.vazio() ? 0 : porVazao.campo(QStringLiteral("cota")).comoReal();

    if (!porVazao.vazio()) {
        Consulta secao(conexao);
        secao.SQL << QStringLiteral("select y") << QStringLiteral("from ponto")
                  << QStringLiteral("where (Estacao=:est) order by 1;");
        secao.definirParametro(QStringLiteral("est"), curva.Estacao);
        secao.abrir();
        if (!secao.vazio())
            curva.CotaMinSecao = secao.campo(QStringLiteral("y")).comoReal();
    }
}

bool CriarCurvaTrecho(CurvaTrecho& curva, const QStringList& condicao, int algoritmo, int parametro,
                      std::uint32_t cor, int estacao, Conexao& conexao,
                      const FormatadorConsulta& formatar) {
    curva = CurvaTrecho{};
    curva.Algoritmo = algoritmo;
    curva.Estacao = estacao;
    curva.Cor = cor;
    curva.Grau = parametro;
    curva.H0 = parametro;
    curva.Condicao = condicao;

    CalcularExtremos(curva, condicao, conexao, formatar);

    const QString texto = textoLinhas(condicao);
    Consulta medicoes(conexao);
    medicoes.SQL << QStringLiteral("select *")
                 << QStringLiteral("from medida where estacao = :est");
    if (!texto.isEmpty())
        medicoes.SQL << QStringLiteral("and (") + texto + QLatin1Char(')');
    if (formatar)
        formatar(medicoes);
    medicoes.SQL << QStringLiteral("order by numero;");
    medicoes.definirParametro(QStringLiteral("est"), estacao);
    medicoes.abrir();

    const int cId = medicoes.indiceCampo(QStringLiteral("Id_medida"));
    const int cEstacao = medicoes.indiceCampo(QStringLiteral("Estacao"));
    const int cNumero = medicoes.indiceCampo(QStringLiteral("Numero"));
    const int cData = medicoes.indiceCampo(QStringLiteral("Data"));
    const int cCota = medicoes.indiceCampo(QStringLiteral("Cota"));
    const int cVazao = medicoes.indiceCampo(QStringLiteral("Vazao"));
    const int cArea = medicoes.indiceCampo(QStringLiteral("Area"));
    const int cVelocidade = medicoes.indiceCampo(QStringLiteral("Velocidade"));
    const int cObrigatorio = medicoes.indiceCampo(QStringLiteral("Ponto_obrigatorio"));
    curva.Medicoes.reserve(static_cast<size_t>(medicoes.totalRegistros()));
    for (medicoes.primeiro(); !medicoes.eof(); medicoes.proximo()) {
        LinhaMedida l;
        l.idMedida = Campo(medicoes.valor(cId)).comoInteiro();
        l.estacao = Campo(medicoes.valor(cEstacao)).comoReal();
        l.numero = Campo(medicoes.valor(cNumero)).comoReal();
        l.data = Campo(medicoes.valor(cData)).comoData();
        l.cota = Campo(medicoes.valor(cCota)).comoReal();
        l.vazao = Campo(medicoes.valor(cVazao)).comoReal();
        l.area = medicoes.valor(cArea);
        l.velocidade = medicoes.valor(cVelocidade);
        l.pontoObrigatorio = Campo(medicoes.valor(cObrigatorio)).comoReal();
        curva.Medicoes.push_back(std::move(l));
    }
    curva.medicoesAbertas = true;
    return !curva.Medicoes.empty();
}

}  // namespace lumeno
