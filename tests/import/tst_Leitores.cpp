#include "import/GravacaoImportacao.h"
#include "import/LeitorCop.h"
#include "import/LeitorRsm.h"
#include "import/LeitorSec.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"

#include <QTest>
#include <QtEndian>

#include <cmath>

using namespace lumeno;
using lumeno::teste::BancoTeste;

namespace {

// A 6-byte real from its parts: exponent byte, 39-bit fraction, sign.
QByteArray real48(int expoente, quint64 fracao, bool negativo) {
    QByteArray b(6, '\0');
    b[0] = static_cast<char>(expoente);
    for (int i = 0; i < 5; ++i)
        b[1 + i] = static_cast<char>((fracao >> (8 * i)) & 0xFF);
    b[5] = static_cast<char>((b[5] & 0x7F) | (negativo ? 0x80 : 0));
    return b;
}

// A value that has an exact 6-byte form.
QByteArray real48(double v) {
    if (v == 0)
        return QByteArray(6, '\0');
    int e = 0;
    const double m = std::frexp(std::fabs(v), &e);  // v = m · 2^e, m in [0.5, 1)
    const quint64 fracao = static_cast<quint64>(std::llround((m * 2 - 1) * std::ldexp(1.0, 39)));
    return real48(e - 1 + 129, fracao, v < 0);
}

struct Registro {
    int numero = 0, dia = 0, mes = 0, ano = 0;
    double cota = 0, vazao = 0, area = 0, velocidade = 0;
};

QByteArray rsm(const QByteArray& codigo, const QList<Registro>& registros) {
    QByteArray arquivo;
    for (int i = 0; i < registros.size(); ++i) {
        QByteArray r(64, '\x55');  // bytes not read hold anything
        if (i == 0) {
            r[1] = static_cast<char>(codigo.size());
            r.replace(2, codigo.size(), codigo);
        }
        const Registro& g = registros[i];
        auto i16 = [&](int pos, int v) {
            qToLittleEndian<qint16>(static_cast<qint16>(v), r.data() + pos);
        };
        i16(10, g.numero);
        i16(20, g.dia);
        i16(22, g.mes);
        i16(24, g.ano);
        r.replace(28, 6, real48(g.cota));
        r.replace(34, 6, real48(g.vazao));
        r.replace(40, 6, real48(g.area));
        r.replace(58, 6, real48(g.velocidade));
        arquivo += r;
    }
    return arquivo;
}

QString erroDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroImportacao& e) {
        return e.mensagem();
    }
    return QString();
}

}  // namespace

class TesteLeitores : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void anosCop_data() {
        QTest::addColumn<QString>("ano");
        QTest::addColumn<int>("esperado");
        QTest::newRow("00") << "00" << 2000;
        QTest::newRow("07") << "07" << 2007;
        QTest::newRow("20") << "20" << 2020;
        QTest::newRow("21") << "21" << 1921;
        QTest::newRow("98") << "98" << 1998;
    }
    void anosCop() {
        QFETCH(QString, ano);
        QFETCH(int, esperado);
        const QByteArray texto = "58110002\r\n05/03/" + ano.toLatin1() + " 1 150 10.5 0.5 21\r\n";
        const ArquivoCop c = LeitorCop::ler(texto);
        QCOMPARE(c.medicoes.size(), size_t(1));
        QCOMPARE(c.medicoes[0].data, QDate(esperado, 3, 5));
    }

    void camposCop() {
        const QByteArray texto =
            "58110002 ESTACAO PONTE NOVA 1998\r\n"
            "05/03/98    12   150.5  10.25  0.48  21.3 texto ignorado 99\r\n"
            "\r\n"
            "06/03/98    13   160\n"
            "  11.5\r\n"
            "  0.5 22 ignorado\r\n"
            "   \r\n"
            "07/03/98 14 -1.5E2 1 2 3\r\n"
            "\x1a"
            "08/03/98 15 1 1 1 1\r\n";
        const ArquivoCop c = LeitorCop::ler(texto);
        QCOMPARE(c.codigo, 58110002);
        QCOMPARE(c.medicoes.size(), size_t(3));
        const ResumoMedicao& a = c.medicoes[0];
        QCOMPARE(a.numero, 12);
        QCOMPARE(a.cota, 150.5);
        QCOMPARE(a.vazao, 10.25);
        QCOMPARE(a.velocidade, 0.48);
        QCOMPARE(a.area, 21.3);
        // Numbers taken from the following lines; the record ends with the line of the last.
        QCOMPARE(c.medicoes[1].numero, 13);
        QCOMPARE(c.medicoes[1].vazao, 11.5);
        QCOMPARE(c.medicoes[1].area, 22.0);
        QCOMPARE(c.medicoes[2].cota, -150.0);
    }

    void soCodigo() {
        QCOMPARE(LeitorCop::ler("4711\r\n").medicoes.size(), size_t(0));
        QCOMPARE(LeitorCop::ler("4711").medicoes.size(), size_t(0));
        QCOMPARE(LeitorCop::ler("4711").codigo, 4711);
    }

    void malformados_data() {
        QTest::addColumn<QByteArray>("texto");
        QTest::addColumn<QString>("erro");
        QTest::newRow("código") << QByteArray("ABC\r\n") << "Entrada numérica inválida (linha 1)";
        QTest::newRow("número") << QByteArray(
                                       "1\r\n05/03/98 1 150 10 1 2\r\n06/03/98 2 1x5 10 1 2\r\n")
                                << "Entrada numérica inválida (linha 3)";
        QTest::newRow("vírgula") << QByteArray("1\r\n05/03/98 1 150,5 10 1 2\r\n")
                                 << "Entrada numérica inválida (linha 2)";
        QTest::newRow("data") << QByteArray(
                                     "1\r\n05/03/98 1 150 10 1 2\r\n31/02/98 2 150 10 1 2\r\n")
                              << "'31/02/1998' não é uma data válida (linha 3)";
        QTest::newRow("separador") << QByteArray("1\r\n05-03-98 1 150 10 1 2\r\n")
                                   << "Data inválida nas colunas 1 a 8 (esperado dd/mm/aa): "
                                      "'05-03-98' (linha 2)";
        // A date of another width would shift the year and the numbers.
        QTest::newRow("data curta")
            << QByteArray("1\r\n05/03/98 1 150 10 1 2\r\n2/4/95   3 150 10 1 2\r\n")
            << "Data inválida nas colunas 1 a 8 (esperado dd/mm/aa): '2/4/95  ' (linha 3)";
        QTest::newRow("ano com quatro dígitos")
            << QByteArray("1\r\n27/04/1995 3 150 10 1 2\r\n")
            << "Data inválida nas colunas 1 a 8 (esperado dd/mm/aa): '27/04/1995' (linha 2)";
        QTest::newRow("linha curta") << QByteArray("1\r\n05/03\r\n")
                                     << "Data inválida nas colunas 1 a 8 (esperado dd/mm/aa): "
                                        "'05/03' (linha 2)";
        // A number past the reader's limit is refused, not cut in two.
        QTest::newRow("real longo")
            << QByteArray("1\r\n05/03/98 1 " + QByteArray(60, '1') + ".12345 10 1 2\r\n")
            << "Número com mais de 64 caracteres (linha 2)";
        QTest::newRow("inteiro longo")
            << QByteArray("1\r\n05/03/98 " + QByteArray(33, '0') + "7 150 10 1 2\r\n")
            << "Número com mais de 32 caracteres (linha 2)";
        QTest::newRow("código longo") << QByteArray(QByteArray(40, '0') + "1\r\n")
                                      << "Número com mais de 32 caracteres (linha 1)";
        QTest::newRow("faltando") << QByteArray("1\r\n05/03/98 1 150 10\r\n")
                                  << "Entrada numérica inválida (linha 2)";
    }
    void malformados() {
        QFETCH(QByteArray, texto);
        QFETCH(QString, erro);
        QCOMPARE(erroDe([&] { LeitorCop::ler(texto); }), erro);
    }

    void secao() {
        const ArquivoSec s =
            LeitorSec::ler("0 perfil de teste\n0 500 resto\n\n2.5 420.75\r\n10 380\r\n");
        QCOMPARE(s.codigo, 0);
        QCOMPARE(s.pontos.size(), size_t(3));
        QCOMPARE(s.pontos[1].x, 2.5);
        QCOMPARE(s.pontos[1].y, 420.75);
        QCOMPARE(erroDe([] { LeitorSec::ler("7\n1 2\n3 x\n"); }),
                 QString("Entrada numérica inválida (linha 3)"));
    }

    void numeroReal48_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("valor");
        QTest::newRow("expoente zero") << real48(0, 0x7FFFFFFFFFull, true) << 0.0;
        QTest::newRow("um") << real48(129, 0, false) << 1.0;
        QTest::newRow("menos dois") << real48(130, 0, true) << -2.0;
        QTest::newRow("um e meio") << real48(129, 1ull << 38, false) << 1.5;
        // Every fraction byte used: 1 + f/2^39 computed from the bits.
        const quint64 f = 0x5A3C1E0F87ull;
        QTest::newRow("fração inteira")
            << real48(129 + 7, f, false) << (1 + double(f) / 549755813888.0) * 128;
        QTest::newRow("150.25") << real48(150.25) << 150.25;
    }
    void numeroReal48() {
        QFETCH(QByteArray, bytes);
        QFETCH(double, valor);
        QCOMPARE(LeitorRsm::real48(bytes.constData()), valor);
    }

    void anosRsm_data() {
        QTest::addColumn<int>("ano");
        QTest::addColumn<int>("esperado");
        QTest::newRow("0") << 0 << 2000;
        QTest::newRow("9") << 9 << 2009;
        QTest::newRow("10") << 10 << 1910;
        QTest::newRow("99") << 99 << 1999;
        QTest::newRow("1985") << 1985 << 1985;
    }
    void anosRsm() {
        QFETCH(int, ano);
        QFETCH(int, esperado);
        const ArquivoRsm r = LeitorRsm::ler(
            rsm("56", {{1, 5, 3, ano, 150.25, 10.5, 20, 0.5}, {2, 6, 3, ano, 160, 11, 21, 0.6}}));
        QCOMPARE(r.codigo, 56);
        QCOMPARE(r.codigoTexto, QString("56"));
        QCOMPARE(r.medicoes.size(), size_t(2));
        QCOMPARE(r.medicoes[0].data, QDate(esperado, 3, 5));
        QCOMPARE(r.medicoes[0].cota, 150.25);
        QCOMPARE(r.medicoes[0].vazao, 10.5);
        QCOMPARE(r.medicoes[0].area, 20.0);
        QCOMPARE(r.medicoes[0].velocidade, 0.5);
    }

    void ultimoRegistroRsm() {
        // A closing record without a measurement is left out; a last measurement is kept.
        QCOMPARE(
            LeitorRsm::ler(rsm("1", {{1, 5, 3, 98, 1, 1, 1, 1}, {0, 0, 0, 0}})).medicoes.size(),
            size_t(1));
        QCOMPARE(LeitorRsm::ler(rsm("1", {{1, 5, 3, 98, 1, 1, 1, 1}, {2, 6, 3, 98, 1, 1, 1, 1}}))
                     .medicoes.size(),
                 size_t(2));
        QCOMPARE(
            LeitorRsm::ler(rsm("1", {{1, 5, 3, 98, 1, 1, 1, 1}, {3, 0, 0, 0}})).medicoes.size(),
            size_t(1));
    }

    void rsmMalformados() {
        QByteArray truncado = rsm("1", {{1, 5, 3, 98, 1, 1, 1, 1}, {2, 6, 3, 98, 1, 1, 1, 1}});
        truncado.chop(10);
        QCOMPARE(
            erroDe([&] { LeitorRsm::ler(truncado); }),
            QString("Registro 2 incompleto: o arquivo .rsm termina no meio dele (registro 2)"));
        QVERIFY(erroDe([] { LeitorRsm::ler(QByteArray(30, 'x')); }).contains("registro 1"));
        QCOMPARE(erroDe([] {
                     LeitorRsm::ler(rsm("5A", {{1, 5, 3, 98}}));
                 }),
                 QString("'5A' não é um número inteiro válido (registro 1)"));
        QCOMPARE(erroDe([] {
                     LeitorRsm::ler(rsm("", {{1, 5, 3, 98}}));
                 }),
                 QString("'' não é um número inteiro válido (registro 1)"));
        QCOMPARE(erroDe([] {
                     LeitorRsm::ler(rsm("1", {{1, 32, 3, 98}, {2, 5, 3, 98}}));
                 }),
                 QString("'32/03/1998' não é uma data válida (registro 1)"));
    }

    // The fuzzers start from these seeds: whole files that the readers take to the end,
    // not refusals at the first check.
    void sementesDosFuzzers() {
        const QString pasta = QStringLiteral(LUMENO_FONTE_DIR "/fuzz/sementes/");
        const ArquivoRsm r = LeitorRsm::ler(lerArquivo(pasta + "rsm/tres_registros.rsm"));
        QCOMPARE(r.codigo, 58110002);
        QCOMPARE(r.medicoes.size(), size_t(3));
        QCOMPARE(r.medicoes[2].data, QDate(2005, 4, 7));
        QCOMPARE(r.medicoes[1].vazao, 12.5);
        const ArquivoRsm fecho = LeitorRsm::ler(lerArquivo(pasta + "rsm/com_fecho.rsm"));
        QCOMPARE(fecho.medicoes.size(), size_t(1));
        QCOMPARE(LeitorCop::ler(lerArquivo(pasta + "cop/curto.cop")).medicoes.size(), size_t(2));
        QCOMPARE(LeitorSec::ler(lerArquivo(pasta + "sec/curto.sec")).pontos.size(), size_t(4));
    }

    void arquivoInexistente() {
        QVERIFY(erroDe([] { lerArquivo("/nao/existe.cop"); }).startsWith("Arquivo não encontrado"));
    }
};

class TesteGravacaoImportacao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void substituiSemDobrar() {
        BancoTeste b;
        const int id = b.estacao(58110002);
        const int outra = b.estacao(1);
        b.medida(outra, 1, 100, 1);
        const ArquivoCop c =
            LeitorCop::ler("58110002\r\n05/03/98 1 150 10 1 2\r\n06/03/98 2 160 11 1 2\r\n");
        QList<int> progresso;
        QCOMPARE(gravarMedicoes(b.dm().conexao(), id, c.medicoes, [&](int p) { progresso << p; }),
                 2);
        QCOMPARE(gravarMedicoes(b.dm().conexao(), id, c.medicoes), 2);
        QCOMPARE(
            b.escalar(QString("select count(*) from medida where estacao = %1").arg(id)).toInt(),
            2);
        QCOMPARE(
            b.escalar(QString("select count(*) from medida where estacao = %1").arg(outra)).toInt(),
            1);
        QCOMPARE(progresso, (QList<int>{50, 100}));
        QCOMPARE(b.escalar("select data from medida where numero = 2 and estacao = " +
                           QString::number(id))
                     .toString(),
                 QString("1998-03-06"));
        QCOMPARE(b.escalar("select ponto_obrigatorio from medida where numero = 2").toInt(), 0);
        QCOMPARE(estacaoPorCodigo(b.dm().conexao(), 58110002), std::optional<int>(id));
        QVERIFY(!estacaoPorCodigo(b.dm().conexao(), 5));
    }

    void numeroRepetidoNadaMuda() {
        BancoTeste b;
        const int id = b.estacao(1);
        b.medida(id, 9, 100, 1);
        const ArquivoCop c =
            LeitorCop::ler("1\r\n05/03/98 1 150 10 1 2\r\n06/03/98 1 160 11 1 2\r\n");
        try {
            gravarMedicoes(b.dm().conexao(), id, c.medicoes);
            QFAIL("stored");
        } catch (const ErroViolacaoChave& e) {
            QVERIFY(e.mensagem().contains("registro 2"));
        }
        QCOMPARE(b.escalar("select count(*) from medida").toInt(), 1);
        QCOMPARE(b.escalar("select numero from medida").toInt(), 9);
    }

    void perguntas_data() {
        QTest::addColumn<bool>("pontos");
        QTest::addColumn<int>("existentes");
        QTest::addColumn<int>("novas");
        QTest::addColumn<QString>("texto");
        QTest::newRow("medições")
            << false << 43 << 40
            << "A estação 99990001 já tem 43 medições, que serão substituídas pelas 40 do "
               "arquivo. Continuar?";
        QTest::newRow("uma medição")
            << false << 1 << 1
            << "A estação 99990001 já tem 1 medição, que será substituída pela 1 do arquivo. "
               "Continuar?";
        QTest::newRow("arquivo sem medições")
            << false << 3 << 0
            << "A estação 99990001 já tem 3 medições, que serão apagadas: o arquivo não traz "
               "nenhuma. Continuar?";
        QTest::newRow("pontos")
            << true << 21 << 25
            << "A estação 99990001 já tem 21 pontos de seção, que serão substituídos pelos 25 "
               "do arquivo. Continuar?";
        QTest::newRow("um ponto")
            << true << 1 << 0
            << "A estação 99990001 já tem 1 ponto de seção, que será apagado: o arquivo não "
               "traz nenhum. Continuar?";
    }
    void perguntas() {
        QFETCH(bool, pontos);
        QFETCH(int, existentes);
        QFETCH(int, novas);
        QFETCH(QString, texto);
        QCOMPARE(pontos ? perguntaSubstituicaoPontos(99990001, existentes, novas)
                        : perguntaSubstituicao(99990001, existentes, novas),
                 texto);
    }

    void pontosESemLinhas() {
        BancoTeste b;
        const int id = b.estacao(1);
        b.ponto(id, 0, 1);
        QCOMPARE(contarPontos(b.dm().conexao(), id), 1);
        QCOMPARE(gravarPontos(b.dm().conexao(), id, LeitorSec::ler("1\n0 500\n5 400\n").pontos), 2);
        QCOMPARE(contarPontos(b.dm().conexao(), id), 2);
        QCOMPARE(contarMedicoes(b.dm().conexao(), id), 0);
        QCOMPARE(b.escalar("select count(*) from ponto").toInt(), 2);
        QVERIFY(b.escalar("select perfil from ponto").isNull());
        QCOMPARE(gravarMedicoes(b.dm().conexao(), id, {}), 0);
    }
};

LUMENO_TESTE(TesteLeitores)
LUMENO_TESTE(TesteGravacaoImportacao)
#include "tst_Leitores.moc"
