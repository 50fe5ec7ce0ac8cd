#include "data/TDM.h"

#include "app/Formato.h"

#include <cmath>

namespace lumeno {

TDM::TDM(const LocalizacoesBanco& localizacoes, QObject* pai)
    : QObject(pai),
      conexao_(localizacoes, QStringLiteral("Lumeno")),
      tb_estacao(conexao_, QStringLiteral("Estacao"), {QStringLiteral("IdEstacao")}),
      tb_rio(conexao_, QStringLiteral("Rio"), {QStringLiteral("IdRio")}),
      tb_medida(conexao_, QStringLiteral("Medida"), {QStringLiteral("Id_medida")}),
      tb_ponto(conexao_, QStringLiteral("Ponto"), {QStringLiteral("IdPonto")}),
      tbCurvaDefault(conexao_, QStringLiteral("curva_default"), {QStringLiteral("Trecho")}),
      qu_estacao1(conexao_),
      qu_ponto1(conexao_),
      qu_medida1(conexao_),
      qu_rio1(conexao_) {
    tb_estacao.adicionarIndice(QStringLiteral("in_codigo"), {QStringLiteral("Codigo")});
    tb_estacao.definirIndice(QStringLiteral("in_codigo"));
    tb_estacao.definirMensagemViolacaoChave(QStringLiteral("Já existe estação com este código!"),
                                            QStringLiteral("Erro!"));

    tb_rio.adicionarIndice(QStringLiteral("in_nome"), {QStringLiteral("Nome")});
    tb_rio.definirMensagemViolacaoChave(QStringLiteral("Já existe rio com este código!"),
                                        QStringLiteral("Erro!"));

    tb_medida.definirMensagemViolacaoChave(QStringLiteral("Já existe medida com esta numeração!"),
                                           QStringLiteral("Erro!"));

    tbCurvaDefault.adicionarCampoCalculado(
        QStringLiteral("descricao_algoritmo"), [](const Tabela& t) {
            const Campo algoritmo = t.campo(QStringLiteral("Algoritmo"));
            if (algoritmo.nulo() && t.campo(QStringLiteral("Trecho")).nulo())
                return QVariant();
            return QVariant(descricaoAlgoritmo(algoritmo.comoInteiro(),
                                               t.campo(QStringLiteral("Parm")).comoReal()));
        });
    tbCurvaDefault.definirMensagemViolacaoChave(
        QStringLiteral("Já existem valores default para este trecho!"), QStringLiteral("Erro!"));

    // Station list; the two counts are computed in the same statement.
    qu_estacao1.SQL = QStringList{
        QStringLiteral("SELECT "),
        QStringLiteral("\testacao.IdEstacao,  "),
        QStringLiteral("\testacao.Rio, "),
        QStringLiteral("\testacao.Codigo, "),
        QStringLiteral("\testacao.Ordem, "),
        QStringLiteral("\testacao.Descricao, "),
        QStringLiteral("\trio.nome,"),
        QStringLiteral("\t(select distinct perfil from ponto as p where p.estacao = "
                       "estacao.IdEstacao) as perfil,"),
        QStringLiteral("\t(select count(*) from medida as m where m.estacao = estacao.IdEstacao) "
                       "as total_medida,"),
        QStringLiteral("\t(select count(*) from ponto as s where s.estacao = estacao.IdEstacao) as "
                       "total_secao"),
        QStringLiteral("FROM estacao"),
        QStringLiteral("\tleft JOIN rio"),
        QStringLiteral("\tON  (estacao.Rio = rio.IdRio)  "),
        QStringLiteral("ORDER BY estacao.Codigo"),
    };
    qu_estacao1.definirRotulo(QStringLiteral("nome"), QStringLiteral("Rio"));

    // Points in their stored order (the engine would otherwise follow the index it uses).
    qu_ponto1.SQL = QStringList{QStringLiteral("select ponto.*"), QStringLiteral("from ponto"),
                                QStringLiteral("where ponto.Estacao=:est"),
                                QStringLiteral("order by ponto.IdPonto;")};
    qu_ponto1.definirFormato(QStringLiteral("X"), QStringLiteral("####0.00"));
    qu_ponto1.definirFormato(QStringLiteral("Y"), QStringLiteral("####0.00"));

    qu_medida1.SQL = textoBaseMedida1();
    qu_medida1.definirFormato(QStringLiteral("Numero"), QStringLiteral("###0"));
    qu_medida1.definirFormato(QStringLiteral("Cota"), QStringLiteral("####0"));
    qu_medida1.definirFormato(QStringLiteral("Vazao"), QStringLiteral("####0.00"));
    qu_medida1.definirFormato(QStringLiteral("Area"), QStringLiteral("####0.00"));
    qu_medida1.definirFormato(QStringLiteral("Velocidade"), QStringLiteral("####0.00"));

    qu_rio1.SQL = QStringList{QStringLiteral("select IdRio,nome"), QStringLiteral("from rio"),
                              QStringLiteral("order by nome")};
}

TDM::~TDM() {
    desconectar();
}

QStringList TDM::textoBaseMedida1() {
    return QStringList{
        QStringLiteral("select medida.*, estacao.descricao"),
        QStringLiteral("from medida, estacao"),
        QStringLiteral("where (medida.Estacao=:est) and (estacao.IdEstacao=medida.Estacao)"),
        QStringLiteral("order by numero")};
}

void TDM::desconectar() {
    for (ConjuntoDados* d : std::initializer_list<ConjuntoDados*>{
             &tb_estacao, &tb_medida, &tb_ponto, &tb_rio, &tbCurvaDefault, &qu_estacao1, &qu_ponto1,
             &qu_medida1, &qu_rio1})
        d->fechar();
    conexao_.desconectar();
}

QString TDM::descricaoAlgoritmo(int algoritmo, double parm) {
    if (algoritmo != 1)
        return QStringLiteral("Polinomial, grau ") + numeroTexto(parm);
    return QStringLiteral("Potencial (Ostrel), h0=") + QString::number(std::lround(parm));
}

}  // namespace lumeno
