#include "analysis/ui/TTelaMedicao.h"
#include "app/ui/AbrirEstacaoExemplo.h"
#include "components/ArvoreFormatada.h"
#include "support/ExecutorTestes.h"
#include "support/ui/AmbientePrograma.h"
#include "support/ui/FecharTelaMedicao.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QTest>

using namespace lumeno;
using lumeno::teste::AmbientePrograma;
using lumeno::teste::fecharSemSalvar;

namespace {

// What the curve-adjustment window showed of the example station.
struct Vista {
    QString titulo;
    int curvas = 0;
    int linhas = 0;
    int algoritmo = 0;
    double k = 0, m = 0;
    bool equacoesVisiveis = false;
    int legendas = 0;
    QString equacao;
};

void esperaTela(AmbientePrograma& a, Vista& v) {
    a.roteiro.esperaDialogo<TTelaMedicao>([&a, &v](TTelaMedicao& t) {
        v.titulo = t.windowTitle();
        v.curvas = t.TotalCurvas;
        v.linhas = t.Trechos[1].totalLinhas();
        v.algoritmo = t.Trechos[1].Algoritmo;
        v.k = t.Trechos[1].K;
        v.m = t.Trechos[1].M;
        v.equacoesVisiveis = t.pnlParametros->isVisible();
        QTreeWidgetItem* raiz = t.trvLegenda->topLevelItem(0);
        v.legendas = raiz ? raiz->childCount() : 0;
        if (v.legendas > 0)
            v.equacao = ArvoreFormatada::no(raiz->child(0))->legenda();
        fecharSemSalvar(t, a.roteiro);
    });
}

QString conteudoBanco(AmbientePrograma& a) {
    QStringList linhas;
    auto q = a.dm().novaConsulta();
    q->SQL << "select 'e', IdEstacao, Codigo || Descricao || Rio from estacao"
           << "union all select 'r', IdRio, Nome from rio"
           << "union all select 'm', Numero, Estacao || Data || Cota || Vazao || "
              "Ponto_obrigatorio from medida"
           << "union all select 'p', X, Estacao || Y from ponto order by 1, 2, 3";
    q->abrir();
    for (q->primeiro(); !q->eof(); q->proximo())
        linhas << q->valor(0).toString() + q->valor(1).toString() + q->valor(2).toString();
    return linhas.join('\n');
}

}  // namespace

class TesteEstacaoExemplo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The built-in copies are the files of demo/.
    void arquivosEmbutidos() {
        for (const auto& [embutido, nome] : {std::pair{arquivoCopExemplo(), "estacao_demo.cop"},
                                             std::pair{arquivoSecExemplo(), "secao_demo.sec"}}) {
            QFile dentro(embutido);
            QFile fora(QStringLiteral(LUMENO_FONTE_DIR "/demo/") + QLatin1String(nome));
            QVERIFY2(dentro.open(QIODevice::ReadOnly), qPrintable(embutido));
            QVERIFY(fora.open(QIODevice::ReadOnly));
            QCOMPARE(dentro.readAll(), fora.readAll());
        }
    }

    // From an empty database one command shows a fitted curve with its equation; a
    // second time the station is found, said so, and opened as it is.
    void umComandoAteACurva() {
        AmbientePrograma a;
        QCOMPARE(a.janela().mniEstacaoExemplo->text(), QString("Abrir estação de exemplo"));
        Vista v;
        esperaTela(a, v);
        a.janela().mniEstacaoExemplo->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.escalar("select count(*) from medida").toInt(), 40);
        QCOMPARE(a.escalar("select count(*) from ponto").toInt(), 21);
        QCOMPARE(a.escalar("select count(*) from estacao").toInt(), 1);
        QCOMPARE(v.titulo, QString("Ajustar curvas - estação: 99990001 Estação de demonstração  "
                                   "(Rio Demonstração)"));
        QCOMPARE(v.curvas, 1);
        QCOMPARE(v.linhas, 40);
        QCOMPARE(v.algoritmo, 1);
        QVERIFY(v.k > 0);
        QVERIFY(v.m > 1 && v.m < 3);
        QVERIFY(v.equacoesVisiveis);
        QCOMPARE(v.legendas, 1);
        QVERIFY2(v.equacao.contains("Q = "), qPrintable(v.equacao));

        const QString antes = conteudoBanco(a);
        Vista outra;
        a.roteiro.esperaMensagemComTitulo(
            "A estação 99990001 já existe neste banco de dados. Ela será aberta como está, sem "
            "importar os dados de exemplo.",
            "Abrir estação de exemplo");
        esperaTela(a, outra);
        a.janela().mniEstacaoExemplo->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(conteudoBanco(a), antes);
        QCOMPARE(outra.curvas, 1);
        QCOMPARE(outra.linhas, 40);
        QCOMPARE(outra.k, v.k);
        QCOMPARE(outra.equacao, v.equacao);
    }

    // A station of the user's with the code and a single measurement is opened as it
    // is, with no curve to fit.
    void estacaoDoUsuarioSemCurva() {
        AmbientePrograma a;
        const int id = a.estacao(99990001, "Minha");
        a.medida(id, 1, 100, 5);
        a.roteiro.esperaMensagem(
            "A estação 99990001 já existe neste banco de dados. Ela será aberta como está, sem "
            "importar os dados de exemplo.");
        Vista v;
        esperaTela(a, v);
        a.janela().mniEstacaoExemplo->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(v.curvas, 0);
        QVERIFY(!v.equacoesVisiveis);
        QCOMPARE(a.escalar("select count(*) from medida").toInt(), 1);
        QCOMPARE(a.escalar("select count(*) from ponto").toInt(), 0);
    }
};

LUMENO_TESTE(TesteEstacaoExemplo)
#include "tst_EstacaoExemplo.moc"
