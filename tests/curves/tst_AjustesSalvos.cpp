#include "app/ErroLumeno.h"
#include "curves/AjustesSalvos.h"
#include "data/Conexao.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"

#include <QTest>

#include <bit>
#include <cmath>
#include <limits>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

// A rating whose numbers are awkward for a text or float round trip: thirds, tenths, a
// subnormal, a negative zero, a NaN, and texts with quotes, accents and line breaks.
AjusteSalvo exemplo(int estacao) {
    AjusteSalvo a;
    a.estacao = estacao;
    a.nome = "  Cheia de 2004  ";
    a.validoDe = QDate(1995, 1, 1);
    a.validoAte = QDate(2004, 12, 31);
    a.salvoEm = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
    a.observacao = "Revisão após a cheia;\nverificar \"h0\"";

    CurvaSalva p;
    p.numero = 1;
    p.curva.Algoritmo = AlgoritmoCurva::Potencial;
    p.curva.Grau = 30;
    p.curva.H0 = 0.1 + 0.2;
    p.curva.K = 1.0 / 3;
    p.curva.M = 1.6666666666666667;
    p.curva.R = 0.99999999999999989;
    p.curva.Cor = 0x0000FF;
    p.curva.CotaMin = 62;
    p.curva.CotaMax = 248.5;
    p.curva.VazaoMin = 1.05;
    p.curva.VazaoMax = 98.765432109876;
    p.totalMedicoes = 17;
    p.condicao = {"(cota >= 60 and ponto_obrigatorio = 0)\n and \n(data <= '12/31/2004')\n",
                  " estacao = 1 and ponto_obrigatorio = 1"};
    p.validade = {"iniciando na cota 60", "até  31/12/2004"};
    p.pontos = {{45.5, 0.25, 3}, {300, 150.125, 2}};

    CurvaSalva q;
    q.numero = 2;
    q.curva.Algoritmo = AlgoritmoCurva::Polinomial;
    q.curva.Grau = 3;
    q.curva.Coeficientes = {-0.0, 4.9406564584124654e-324, 1e-300, -2.5e-7, 0, 0, 0, 0, 0, 0};
    q.curva.K = std::numeric_limits<double>::quiet_NaN();
    q.curva.Cor = 0xFF8000;
    q.curva.CotaMin = 250;
    q.curva.CotaMax = 613;
    q.curva.VazaoMin = 90;
    q.curva.VazaoMax = 2000;
    q.totalMedicoes = 23;
    q.condicao = {"cota >= 250"};
    a.curvas = {p, q};

    RegistroExtrapolacao e = NovaExtrapolacao(2, 613, 780, 0x008000);
    for (int k = 0; k < pontosExtrapolacao; ++k) {
        e.pontos[k].vazao = 2000 + k / 7.0;
        e.fatores[k] = 100 + k * 0.1;
        e.areas[k] = 1000 + k / 3.0;
    }
    e.curva = 2;
    RegistroExtrapolacao m = NovaExtrapolacao(3, 613, 800, 0x800080);
    m.K = 0.29;
    m.curva = 2;
    a.extrapolacoes = {e, m};
    return a;
}

int contar(BancoTeste& b, const QString& tabela) {
    return b.escalar("select count(*) from " + tabela).toInt();
}

const char* const tabelas[] = {
    "AjusteSalvo",           "CurvaSalva",        "CondicaoCurvaSalva",    "ValidadeCurvaSalva",
    "PontoObrigatorioSalvo", "ExtrapolacaoSalva", "PontoExtrapolacaoSalvo"};

int linhasSalvas(BancoTeste& b) {
    int n = 0;
    for (const char* t : tabelas)
        n += contar(b, t);
    return n;
}

}  // namespace

class TesteAjustesSalvos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void idaEVoltaAoBit() {
        BancoTeste b;
        const int est = b.estacao(1);
        AjustesSalvos s(b.dm().conexao());
        const AjusteSalvo a = exemplo(est);
        const int id = s.salvar(a, false);
        const AjusteSalvo lido = s.ler(id);
        QVERIFY(mesmoConteudo(a, lido));
        QCOMPARE(lido.id, id);
        QCOMPARE(lido.estacao, est);
        QCOMPARE(lido.nome, QString("Cheia de 2004"));
        QCOMPARE(lido.validoDe, QDate(1995, 1, 1));
        QCOMPARE(lido.validoAte, QDate(2004, 12, 31));
        QCOMPARE(lido.salvoEm, a.salvoEm);
        QCOMPARE(lido.observacao, a.observacao);
        QCOMPARE(lido.curvas[0].condicao, a.curvas[0].condicao);
        QCOMPARE(lido.curvas[1].validade, QStringList());
        QCOMPARE(std::bit_cast<std::uint64_t>(lido.curvas[1].curva.Coeficientes[0]),
                 std::bit_cast<std::uint64_t>(-0.0));
        QVERIFY(std::isnan(lido.curvas[1].curva.K));
        QCOMPARE(lido.extrapolacoes[1].K, 0.29);
        QCOMPARE(lido.extrapolacoes[0].pontos[29].cota, 780.0);

        // A changed bit is a changed rating.
        AjusteSalvo outro = lido;
        outro.curvas[0].curva.K = std::nextafter(outro.curvas[0].curva.K, 1.0);
        QVERIFY(!mesmoConteudo(a, outro));
        outro = lido;
        outro.extrapolacoes[0].areas[7] += 1e-9;
        QVERIFY(!mesmoConteudo(a, outro));
        outro = lido;
        outro.curvas[0].pontos[1].peso = 3;
        QVERIFY(!mesmoConteudo(a, outro));

        // An open end of validity.
        AjusteSalvo aberto = exemplo(est);
        aberto.nome = "Atual";
        aberto.validoAte = QDate();
        const AjusteSalvo lidoAberto = s.ler(s.salvar(aberto, false));
        QVERIFY(!lidoAberto.validoAte.isValid());
        QCOMPARE(textoValidade(lidoAberto.validoDe, lidoAberto.validoAte),
                 QString("a partir de 01/01/1995"));
        QCOMPARE(textoValidade(lido.validoDe, lido.validoAte),
                 QString("de 01/01/1995 a 31/12/2004"));
    }

    void listarEProcurar() {
        BancoTeste b;
        const int est = b.estacao(1);
        const int outra = b.estacao(2);
        AjustesSalvos s(b.dm().conexao());
        AjusteSalvo a = exemplo(est);
        a.nome = "Zeta";
        a.validoDe = QDate(1990, 1, 1);
        s.salvar(a, false);
        a.nome = "alfa";
        a.validoDe = QDate(2005, 1, 1);
        a.validoAte = QDate();
        a.curvas.resize(1);
        a.extrapolacoes.clear();
        s.salvar(a, false);
        a.nome = "Beta";
        s.salvar(a, false);
        a.estacao = outra;
        a.nome = "Zeta";
        s.salvar(a, false);  // the same name at another station

        const auto lista = s.listar(est);
        QCOMPARE(lista.size(), size_t(3));
        QCOMPARE(lista[0].nome, QString("Zeta"));
        QCOMPARE(lista[0].totalCurvas, 2);
        QCOMPARE(lista[1].nome, QString("alfa"));
        QCOMPARE(lista[1].totalCurvas, 1);
        QCOMPARE(lista[2].nome, QString("Beta"));
        QVERIFY(!lista[2].validoAte.isValid());
        QCOMPARE(s.procurar(est, " ZETA "), std::optional<int>(lista[0].id));
        QCOMPARE(s.procurar(est, "Gama"), std::optional<int>());
        QCOMPARE(s.listar(outra).size(), size_t(1));
    }

    // A name already in use is replaced only when asked, in one step: the old rating's
    // rows all go, the other ratings stay.
    void substituirPeloNome() {
        BancoTeste b;
        const int est = b.estacao(1);
        AjustesSalvos s(b.dm().conexao());
        const int primeiro = s.salvar(exemplo(est), false);
        AjusteSalvo outro = exemplo(est);
        outro.nome = "Outro";
        s.salvar(outro, false);
        const int linhas = linhasSalvas(b);

        AjusteSalvo novo = exemplo(est);
        novo.nome = "cheia DE 2004";
        novo.curvas.resize(1);
        novo.curvas[0].curva.K = 7;
        novo.extrapolacoes.clear();
        try {
            s.salvar(novo, false);
            QFAIL("saved over an existing name");
        } catch (const ErroLumeno& e) {
            QCOMPARE(e.mensagem(),
                     QString("Já existe um ajuste salvo com o nome \"cheia DE 2004\" para esta "
                             "estação."));
        }
        QCOMPARE(linhasSalvas(b), linhas);

        const int id = s.salvar(novo, true);
        QVERIFY(id != primeiro);
        QVERIFY_THROWS_EXCEPTION(ErroLumeno, s.ler(primeiro));
        QCOMPARE(s.listar(est).size(), size_t(2));
        const AjusteSalvo lido = s.ler(id);
        QVERIFY(mesmoConteudo(lido, novo));
        QCOMPARE(lido.nome, QString("cheia DE 2004"));
        QCOMPARE(contar(b, "ExtrapolacaoSalva"), 2);  // those of "Outro"
        QCOMPARE(contar(b, "PontoExtrapolacaoSalvo"), 60);
        QCOMPARE(contar(b, "CurvaSalva"), 3);
        QCOMPARE(contar(b, "PontoObrigatorioSalvo"), 4);
    }

    void recusasNaoGravamNada() {
        BancoTeste b;
        const int est = b.estacao(1);
        AjustesSalvos s(b.dm().conexao());
        struct Caso {
            const char* mensagem;
            std::function<void(AjusteSalvo&)> mudar;
        };
        const Caso casos[] = {
            {"Digite o nome do ajuste.", [](AjusteSalvo& a) { a.nome = "   "; }},
            {"O nome do ajuste deve ter no máximo 60 caracteres.",
             [](AjusteSalvo& a) { a.nome = QString(61, 'x'); }},
            {"O fim da validade do ajuste deve ser igual ou posterior ao início.",
             [](AjusteSalvo& a) { a.validoAte = QDate(1994, 12, 31); }},
            {"Não há curvas ajustadas para salvar.", [](AjusteSalvo& a) { a.curvas.clear(); }},
            {"As curvas do ajuste devem ser numeradas de 1 a 2.",
             [](AjusteSalvo& a) { a.curvas[1].numero = 3; }},
            {"Extrapolação de uma curva que o ajuste não tem (3).",
             [](AjusteSalvo& a) { a.extrapolacoes[0].curva = 3; }},
        };
        for (const Caso& c : casos) {
            AjusteSalvo a = exemplo(est);
            c.mudar(a);
            try {
                s.salvar(a, true);
                QFAIL(c.mensagem);
            } catch (const ErroLumeno& e) {
                QCOMPARE(e.mensagem(), QString::fromUtf8(c.mensagem));
            }
        }
        QCOMPARE(linhasSalvas(b), 0);
    }

    void excluir() {
        BancoTeste b;
        const int est = b.estacao(1);
        const int outra = b.estacao(2);
        AjustesSalvos s(b.dm().conexao());
        const int id = s.salvar(exemplo(est), false);
        AjusteSalvo a = exemplo(est);
        a.nome = "Segundo";
        s.salvar(a, false);
        a.estacao = outra;
        const int daOutra = s.salvar(a, false);
        const int linhasOutra = linhasSalvas(b) / 3;

        s.excluir(id);
        QCOMPARE(s.listar(est).size(), size_t(1));
        QCOMPARE(linhasSalvas(b), 2 * linhasOutra);

        // Inside the caller's transaction: undone with it, kept when it is confirmed.
        {
            Transacao t(b.dm().conexao());
            s.excluirDaEstacao(est);
            QCOMPARE(s.listar(est).size(), size_t(0));
        }
        QCOMPARE(s.listar(est).size(), size_t(1));
        {
            Transacao t(b.dm().conexao());
            s.excluirDaEstacao(est);
            t.confirmar();
        }
        QCOMPARE(s.listar(est).size(), size_t(0));
        QCOMPARE(linhasSalvas(b), linhasOutra);
        QVERIFY(mesmoConteudo(s.ler(daOutra), a));
    }

    void pontosObrigatoriosDoAjuste() {
        BancoTeste b;
        const int est = b.estacao(1);
        b.medida(est, 1, 150, 10);
        for (int n = 10000; n < 10003; ++n)
            b.medida(est, n, 120, 3.5, QDate(), 0, 0, 2);
        b.medida(est, 10003, 90, 1.25, QDate(), 0, 0, 2);
        b.medida(est, 10004, 90, 1.25, QDate(), 0, 0, 2);
        b.medida(est, 10005, 100, 2, QDate(), 0, 0, 1);
        const auto pontos = lerPontosObrigatorios(b.dm().conexao(), est, 2);
        QCOMPARE(pontos.size(), size_t(2));
        QCOMPARE(pontos[0].cota, 90.0);
        QCOMPARE(pontos[0].vazao, 1.25);
        QCOMPARE(pontos[0].peso, 2);
        QCOMPARE(pontos[1].cota, 120.0);
        QCOMPARE(pontos[1].peso, 3);
        QVERIFY(lerPontosObrigatorios(b.dm().conexao(), est, 3).empty());
    }
};

LUMENO_TESTE(TesteAjustesSalvos)
#include "tst_AjustesSalvos.moc"
