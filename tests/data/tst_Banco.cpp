#include "app/ErroLumeno.h"
#include "data/Dialeto.h"
#include "data/EsquemaBanco.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"

#include "import/GravacaoImportacao.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace lumeno;
using lumeno::teste::BancoTeste;

namespace {
QByteArray resumo(const QString& arquivo) {
    QFile f(arquivo);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// A second connection to a database file, as another program would hold it.
class OutraConexao {
public:
    explicit OutraConexao(const QString& arquivo) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", nome);
        db.setDatabaseName(arquivo);
        db.open();
    }
    ~OutraConexao() {
        {
            QSqlDatabase db = QSqlDatabase::database(nome, false);
            db.rollback();
            db.close();
        }
        QSqlDatabase::removeDatabase(nome);
    }
    bool executar(const QString& sql) {
        QSqlQuery q(QSqlDatabase::database(nome, false));
        const bool ok = q.exec(sql);
        if (!ok)
            qWarning() << sql << q.lastError().text();
        while (q.next()) {
        }
        return ok;
    }
    static inline const QString nome = QStringLiteral("outro programa");
};

std::vector<ResumoMedicao> medicoesNovas(int total) {
    std::vector<ResumoMedicao> r(static_cast<size_t>(total));
    for (int i = 0; i < total; ++i) {
        r[static_cast<size_t>(i)].numero = 500 + i;
        r[static_cast<size_t>(i)].data = QDate(2010, 1, 1);
        r[static_cast<size_t>(i)].cota = 100 + i;
        r[static_cast<size_t>(i)].vazao = 10 + i;
    }
    return r;
}
}  // namespace

// The database file and its location.
class TesteConexao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pastaNovaCriaBanco() {
        BancoTeste b;
        QVERIFY(!QFile::exists(b.pasta() + "/dados/lumeno.db"));
        b.dm().tb_estacao.abrir();
        QVERIFY(QFile::exists(b.pasta() + "/dados/lumeno.db"));
        QCOMPARE(b.dm().tb_estacao.totalRegistros(), 0);
        const QStringList campos = b.dm().tb_estacao.nomesCampos();
        QCOMPARE(campos, (QStringList{"IdEstacao", "Rio", "Codigo", "Ordem", "Descricao"}));
    }

    void arquivoEstranhoRecusadoEIntacto_data() {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::newRow("texto") << QByteArray("isto não é um banco de dados\n");
        QTest::newRow("cabecalho truncado") << QByteArray("SQLite format");
    }
    void arquivoEstranhoRecusadoEIntacto() {
        QFETCH(QByteArray, conteudo);
        BancoTeste b;
        const QString arquivo = b.pasta() + "/dados/lumeno.db";
        {
            QFile f(arquivo);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(conteudo);
        }
        const QByteArray antes = resumo(arquivo);
        try {
            b.dm().tb_estacao.abrir();
            QFAIL("opened a foreign file");
        } catch (const ErroBanco& e) {
            QVERIFY2(e.mensagem().contains("não é um banco de dados do Lumeno"),
                     qPrintable(e.mensagem()));
        }
        QCOMPARE(resumo(arquivo), antes);
        QVERIFY(!b.dm().conexao().conectado());
    }

    // Another program's SQLite database is not ours even though SQLite opens it.
    void outroBancoSqliteRecusado() {
        BancoTeste b;
        const QString arquivo = b.pasta() + "/dados/lumeno.db";
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "alheio");
            db.setDatabaseName(arquivo);
            QVERIFY(db.open());
            QSqlQuery(db).exec("create table estacao (x integer)");
            db.close();
        }
        QSqlDatabase::removeDatabase("alheio");
        const QByteArray antes = resumo(arquivo);
        QVERIFY_THROWS_EXCEPTION(ErroBanco, b.dm().tb_estacao.abrir());
        QCOMPARE(resumo(arquivo), antes);
    }

    void reabreBancoExistente() {
        BancoTeste b;
        b.estacao(10, "Ponte");
        b.dm().desconectar();
        QVERIFY(!b.dm().conexao().conectado());
        QCOMPARE(b.escalar("select descricao from estacao where codigo = 10").toString(),
                 QString("Ponte"));
    }

    // Another program's SQLite database in WAL mode is refused without being opened by
    // SQLite: no file appears beside it.
    void bancoAlheioEmWalSemArquivosAoLado() {
        BancoTeste b;
        const QString arquivo = b.pasta() + "/dados/lumeno.db";
        {
            OutraConexao outro(arquivo);
            QVERIFY(outro.executar("PRAGMA journal_mode = WAL"));
            QVERIFY(outro.executar("create table medida (x integer)"));
            QVERIFY(outro.executar("insert into medida values (1)"));
        }
        const QStringList antes = QDir(b.pasta() + "/dados").entryList(QDir::Files);
        QCOMPARE(antes, QStringList{"lumeno.db"});
        const QByteArray conteudo = resumo(arquivo);
        try {
            b.dm().tb_estacao.abrir();
            QFAIL("opened a foreign database");
        } catch (const ErroBanco& e) {
            QVERIFY2(e.mensagem().contains("não é um banco de dados do Lumeno"),
                     qPrintable(e.mensagem()));
        }
        QCOMPARE(QDir(b.pasta() + "/dados").entryList(QDir::Files), antes);
        QCOMPARE(resumo(arquivo), conteudo);
    }

    // A lock held by another program is reported as such, never as a foreign file; once
    // the lock goes, the database opens.
    void bancoEmUsoNaoPareceAlheio() {
        BancoTeste b;
        b.estacao(10, "Ponte");
        b.dm().desconectar();
        b.dm().conexao().definirEsperaOcupado(50);
        {
            OutraConexao outro(b.pasta() + "/dados/lumeno.db");
            QVERIFY(outro.executar("BEGIN EXCLUSIVE"));
            try {
                b.dm().tb_estacao.abrir();
                QFAIL("opened a locked database");
            } catch (const ErroBanco& e) {
                QVERIFY2(e.mensagem().startsWith("O banco de dados está em uso por outro programa"),
                         qPrintable(e.mensagem()));
            }
            QVERIFY(!b.dm().conexao().conectado());
        }
        QCOMPARE(b.escalar("select descricao from estacao where codigo = 10").toString(),
                 QString("Ponte"));
    }

    // An import killed in the middle leaves its journal behind; the next start rolls it
    // back and finds the data of before.
    void importacaoInterrompidaDesfeitaAoAbrir() {
        BancoTeste b;
        const int id = b.estacao(99990001, "Ponte");
        for (int i = 1; i <= 5; ++i)
            b.medida(id, i, 100 + i, 10 + i);
        b.dm().desconectar();

        QProcess filho;
        filho.start(LUMENO_IMPORTACAO_INTERROMPIDA,
                    {b.localizacoes().arquivo(), QString::number(id), "4000"});
        QVERIFY2(filho.waitForStarted(10000), qPrintable(filho.errorString()));
        QByteArray saida;
        while (!saida.contains("meio") && filho.waitForReadyRead(30000))
            saida += filho.readAllStandardOutput();
        QVERIFY2(saida.contains("meio"), filho.readAllStandardError().constData());
        const QString diario = b.pasta() + "/dados/lumeno.db-journal";
        QVERIFY(QFile::exists(diario));
        filho.kill();  // SIGKILL
        QVERIFY(filho.waitForFinished(10000));
        QVERIFY(QFile::exists(diario));

        QCOMPARE(
            b.escalar("select count(*) from medida where estacao = " + QString::number(id)).toInt(),
            5);
        QCOMPARE(b.escalar("select sum(numero) from medida").toInt(), 15);
        QVERIFY(!QFile::exists(diario));
    }

    // A commit refused because another program reads the database: nothing of the import
    // is kept, the message says why, and the next change is really stored.
    void commitRecusadoNadaGravadoEConexaoUtil() {
        BancoTeste b;
        const int id = b.estacao(99990001, "Ponte");
        for (int i = 1; i <= 3; ++i)
            b.medida(id, i, 100 + i, 10 + i);
        Conexao& conexao = b.dm().conexao();
        conexao.definirEsperaOcupado(50);
        {
            OutraConexao leitor(b.pasta() + "/dados/lumeno.db");
            QVERIFY(leitor.executar("BEGIN"));
            QVERIFY(leitor.executar("select count(*) from medida"));
            try {
                gravarMedicoes(conexao, id, medicoesNovas(40));
                QFAIL("the import was committed under a reader's lock");
            } catch (const ErroBanco& e) {
                QVERIFY2(e.mensagem().startsWith("O banco de dados está em uso por outro programa"),
                         qPrintable(e.mensagem()));
                QVERIFY2(e.mensagem().contains("Nada desta operação foi gravado"),
                         qPrintable(e.mensagem()));
            }
            QVERIFY(!conexao.emTransacao());
            QCOMPARE(b.escalar("select count(*) from medida").toInt(), 3);
        }
        b.medida(id, 4, 104, 14);
        b.dm().desconectar();
        QCOMPARE(b.escalar("select count(*) from medida").toInt(), 4);
        QCOMPARE(b.escalar("select max(numero) from medida").toInt(), 4);
    }

    // Rows without a value of Ponto_obrigatorio are real measurements: they get 0 when the
    // database opens, and a new row gets 0 when nothing is said.
    void pontoObrigatorioVazioViraZero() {
        BancoTeste b;
        const int id = b.estacao(1);
        b.executar(QStringLiteral("insert into medida (estacao, numero, cota, vazao, "
                                  "ponto_obrigatorio) values (%1, 1, 100, 10, null)")
                       .arg(id));
        b.executar(QStringLiteral("insert into medida (estacao, numero, cota, vazao) values "
                                  "(%1, 2, 110, 12)")
                       .arg(id));
        QCOMPARE(b.escalar("select count(*) from medida where ponto_obrigatorio = 0").toInt(), 1);
        b.dm().desconectar();
        QCOMPARE(b.escalar("select count(*) from medida where ponto_obrigatorio = 0").toInt(), 2);
    }

    // A database of the first schema (no default for Ponto_obrigatorio) is brought up to
    // date when it opens, keeping its rows, their keys and the key counter.
    void esquemaAntigoAtualizado() {
        BancoTeste b;
        const QString arquivo = b.pasta() + "/dados/lumeno.db";
        {
            OutraConexao antigo(arquivo);
            for (const char* sql :
                 {"CREATE TABLE Estacao (IdEstacao INTEGER PRIMARY KEY AUTOINCREMENT, Rio REAL, "
                  "Codigo INTEGER NOT NULL, Ordem REAL, Descricao VARCHAR(30))",
                  "CREATE UNIQUE INDEX in_codigo ON Estacao (Codigo)",
                  "CREATE TABLE Rio (IdRio REAL NOT NULL, Nome VARCHAR(30))",
                  "CREATE TABLE Medida (Estacao REAL, Numero REAL, Data DATE, Cota REAL, "
                  "Vazao REAL, Area REAL, Velocidade REAL, Ponto_obrigatorio REAL, "
                  "Id_medida INTEGER PRIMARY KEY AUTOINCREMENT)",
                  "CREATE UNIQUE INDEX in_medida_numero ON Medida (Estacao, Numero)",
                  "CREATE TABLE Ponto (Estacao REAL, X REAL, Y REAL, "
                  "IdPonto INTEGER PRIMARY KEY AUTOINCREMENT, Perfil REAL)",
                  "CREATE TABLE curva_default (Trecho REAL NOT NULL, Cor REAL, Algoritmo REAL, "
                  "Parm REAL)",
                  "INSERT INTO Estacao (Codigo, Descricao) VALUES (7, 'Velha')",
                  "INSERT INTO Medida (Estacao, Numero, Data, Cota, Vazao) VALUES "
                  "(1, 1, '2001-02-03', 100, 10)",
                  "INSERT INTO Medida (Estacao, Numero, Cota, Vazao, Ponto_obrigatorio) VALUES "
                  "(1, 2, 120, 14, 0)",
                  "INSERT INTO Medida (Estacao, Numero, Cota, Vazao) VALUES (1, 3, 130, 15)",
                  "DELETE FROM Medida WHERE Numero = 3", "PRAGMA application_id = 1280658766",
                  "PRAGMA user_version = 1"})
                QVERIFY(antigo.executar(sql));
        }
        QCOMPARE(b.escalar("PRAGMA user_version").toInt(), EsquemaBanco::versaoAtual);
        QCOMPARE(b.escalar("select count(*) from medida where ponto_obrigatorio = 0").toInt(), 2);
        QCOMPARE(b.escalar("select data from medida where numero = 1").toString(),
                 QString("2001-02-03"));
        QCOMPARE(b.escalar("select id_medida from medida where numero = 2").toInt(), 2);
        b.executar("insert into medida (estacao, numero, cota, vazao) values (1, 4, 140, 16)");
        QCOMPARE(b.escalar("select ponto_obrigatorio from medida where numero = 4").toInt(), 0);
        QCOMPARE(b.escalar("select id_medida from medida where numero = 4").toInt(), 4);
        QVERIFY_THROWS_EXCEPTION(
            ErroViolacaoChave,
            b.executar("insert into medida (estacao, numero, cota, vazao) values (1, 4, 1, 1)"));
    }

    void localizacaoAusente() {
        BancoTeste b;
        b.localizacoes().remover("lumeno");
        QVERIFY_THROWS_EXCEPTION(ErroBanco, b.dm().qu_estacao1.abrir());
    }

    void transacaoDesfeita() {
        BancoTeste b;
        const int id = b.estacao(1);
        {
            Transacao t(b.dm().conexao());
            b.medida(id, 1, 100, 10);
            QCOMPARE(b.escalar("select count(*) from medida").toInt(), 1);
        }
        QCOMPARE(b.escalar("select count(*) from medida").toInt(), 0);
        {
            Transacao t(b.dm().conexao());
            b.medida(id, 1, 100, 10);
            t.confirmar();
        }
        QCOMPARE(b.escalar("select count(*) from medida").toInt(), 1);
    }
};

// The statements' dialect on SQLite.
class TesteDialeto : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textoAdaptado_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("data") << "select * from medida where data >= '03/25/1990' and x = 'a/b'"
                              << "select * from medida where data >= '1990-03-25' and x = 'a/b'";
        QTest::newRow("data curta") << "where data <= '3/5/2004'"
                                    << "where data <= '2004-03-05'";
        QTest::newRow("agregados")
            << "select max(cota),min( cota ),max(y) from t"
            << "select max(cota) AS \"MAX OF cota\",min( cota ) AS \"MIN OF cota\","
               "max(y) AS \"MAX OF y\" from t";
        QTest::newRow("com alias") << "select count(*) as total from medida"
                                   << "select count(*) as total from medida";
        QTest::newRow("subselect intacto") << "select a from t where b in (select max(c) from u)"
                                           << "select a from t where b in (select max(c) from u)";
    }
    void textoAdaptado() {
        QFETCH(QString, sql);
        QFETCH(QString, esperado);
        QCOMPARE(dialeto::adaptar(sql), esperado);
    }

    void nomesDosAgregados() {
        BancoTeste b;
        const int id = b.estacao(1);
        const int vazia = b.estacao(2);
        b.medida(id, 1, 150, 10);
        b.medida(id, 2, 300, 160);
        b.ponto(id, 0, 120);
        auto q = b.dm().novaConsulta();
        q->SQL << "select max(cota),min(cota),max(vazao),min(vazao)"
               << "from medida where (estacao=:est) ";
        q->definirParametro("est", id);
        q->abrir();
        QCOMPARE(q->campo("max of cota").comoReal(), 300.0);
        QCOMPARE(q->campo("MIN OF COTA").comoReal(), 150.0);
        QCOMPARE(q->campo("max of vazao").comoReal(), 160.0);
        QCOMPARE(q->campo("min of vazao").comoReal(), 10.0);
        q->fechar();
        q->definirParametro("est", vazia);
        q->abrir();
        QCOMPARE(q->totalRegistros(), 1);
        QVERIFY(q->campo("max of cota").nulo());
        QVERIFY(q->campo("min of vazao").nulo());

        auto y = b.dm().novaConsulta();
        y->SQL << "select max(y) from ponto where estacao = :est";
        y->definirParametro("est", id);
        y->abrir();
        QCOMPARE(y->campo("MAX OF y").comoReal(), 120.0);
    }

    void literalMesDiaAno() {
        BancoTeste b;
        const int id = b.estacao(1);
        b.medida(id, 1, 100, 1, QDate(1990, 3, 24));
        b.medida(id, 2, 100, 1, QDate(1990, 3, 25));
        b.medida(id, 3, 100, 1, QDate(1991, 1, 2));
        b.medida(id, 4, 100, 1, QDate(1989, 12, 31));
        auto q = b.dm().novaConsulta();
        q->SQL << "select numero, data from medida where data >= '03/25/1990' and "
                  "ponto_obrigatorio = 0"
               << "order by numero";
        q->abrir();
        QCOMPARE(q->totalRegistros(), 2);
        QCOMPARE(q->campo("numero").comoInteiro(), 2);
        QCOMPARE(q->campo("data").comoData(), QDate(1990, 3, 25));
        QCOMPARE(q->campo("data").comoTexto(), QString("25/03/1990"));
        q->proximo();
        QCOMPARE(q->campo("numero").comoInteiro(), 3);
    }

    void parametroSemValor() {
        BancoTeste b;
        auto q = b.dm().novaConsulta();
        q->SQL << "select * from medida where estacao = :est";
        QVERIFY_THROWS_EXCEPTION(ErroBanco, q->abrir());
    }

    void violacaoChaveEmComando() {
        BancoTeste b;
        b.estacao(7);
        try {
            b.estacao(7);
            QFAIL("duplicate accepted");
        } catch (const ErroViolacaoChave& e) {
            QCOMPARE(e.mensagem().left(13).toUpper(), QString("KEY VIOLATION"));
        }
    }
};

// Tables and the post errors of the data module.
class TesteTabelas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void navegacaoPorIndice() {
        BancoTeste b;
        b.estacao(30, "C");
        b.estacao(10, "A");
        b.estacao(20, "B");
        Tabela& t = b.dm().tb_estacao;
        t.abrir();
        QVERIFY(t.bof());
        QCOMPARE(t.campo("Codigo").comoInteiro(), 10);
        t.proximo();
        QCOMPARE(t.campo("codigo").comoInteiro(), 20);
        QCOMPARE(t.numeroRegistro(), 2);
        t.proximo();
        t.proximo();
        QVERIFY(t.eof());
        QCOMPARE(t.campo("Codigo").comoInteiro(), 30);
        t.anterior();
        QCOMPARE(t.campo("Codigo").comoInteiro(), 20);
        t.definirIndice("");
        t.primeiro();
        QCOMPARE(t.campo("Codigo").comoInteiro(), 30);  // first inserted
        QVERIFY(t.localizar("IdEstacao", 2));
        QCOMPARE(t.campo("Descricao").comoTexto(), QString("A"));
        QVERIFY(!t.localizar("IdEstacao", 99));
        QCOMPARE(t.campo("Descricao").comoTexto(), QString("A"));
        t.definirIndice("in_codigo");
        QVERIFY(t.localizarChave({20}));
        QCOMPARE(t.campo("Descricao").comoTexto(), QString("B"));
        QCOMPARE(t.totalRegistros(), 3);
    }

    void edicao() {
        BancoTeste b;
        Tabela& t = b.dm().tb_estacao;
        t.abrir();
        QVERIFY(t.vazio());
        t.anexar();
        t.definirValor("Codigo", 5);
        t.definirValor("Descricao", QString(40, 'x'));
        t.postar();
        QCOMPARE(t.estado(), ConjuntoDados::Estado::Navegando);
        QCOMPARE(t.campo("Descricao").comoTexto().size(), 30);
        QVERIFY(t.campo("IdEstacao").comoInteiro() > 0);
        t.editar();
        t.definirValor("Descricao", "Novo");
        t.cancelar();
        QCOMPARE(t.campo("Descricao").comoTexto(), QString(30, 'x'));
        t.editar();
        t.definirValor("Descricao", "Novo");
        t.postar();
        QCOMPARE(b.escalar("select descricao from estacao").toString(), QString("Novo"));
        t.anexar();
        t.definirValor("Descricao", "sem código");
        QVERIFY_THROWS_EXCEPTION(ErroBanco, t.postar());
        QCOMPARE(t.estado(), ConjuntoDados::Estado::Inserindo);
        t.cancelar();
        t.excluir();
        QVERIFY(t.vazio());
    }

    void estacaoComCodigoRepetido() {
        BancoTeste b;
        b.estacao(5, "Primeira");
        Tabela& t = b.dm().tb_estacao;
        t.abrir();
        t.anexar();
        t.definirValor("Codigo", 5);
        try {
            t.postar();
            QFAIL("duplicate posted");
        } catch (const ErroViolacaoChave& e) {
            QCOMPARE(e.mensagem(), QString("Já existe estação com este código!"));
            QCOMPARE(e.titulo(), QString("Erro!"));
        }
        QCOMPARE(t.estado(), ConjuntoDados::Estado::Navegando);
        QCOMPARE(t.totalRegistros(), 1);
    }

    void medidaComNumeroRepetido() {
        BancoTeste b;
        const int a = b.estacao(1);
        const int c = b.estacao(2);
        b.medida(a, 12, 100, 1);
        Tabela& t = b.dm().tb_medida;
        t.abrir();
        t.anexar();
        t.definirValor("Estacao", a);
        t.definirValor("Numero", 12);
        try {
            t.postar();
            QFAIL("duplicate posted");
        } catch (const ErroViolacaoChave& e) {
            QCOMPARE(e.mensagem(), QString("Já existe medida com esta numeração!"));
        }
        t.anexar();
        t.definirValor("Estacao", c);
        t.definirValor("Numero", 12);
        t.definirValor("Data", QDate(1998, 3, 5));
        t.postar();
        QCOMPARE(t.campo("Data").comoData(), QDate(1998, 3, 5));
        QCOMPARE(b.escalar("select count(*) from medida where numero = 12").toInt(), 2);
    }

    void rioECurvaDefaultComChaveRepetida() {
        BancoTeste b;
        b.rio(3, "Rio Doce");
        Tabela& rio = b.dm().tb_rio;
        rio.abrir();
        rio.anexar();
        rio.definirValor("IdRio", 3);
        rio.definirValor("Nome", "outro");
        try {
            rio.postar();
            QFAIL("duplicate river");
        } catch (const ErroViolacaoChave& e) {
            QCOMPARE(e.mensagem(), QString("Já existe rio com este código!"));
        }
        Tabela& d = b.dm().tbCurvaDefault;
        d.abrir();
        d.anexar();
        d.definirValor("Trecho", 1);
        d.postar();
        d.anexar();
        d.definirValor("Trecho", 1);
        QVERIFY_THROWS_EXCEPTION(ErroViolacaoChave, d.postar());
        QCOMPARE(b.dm().tb_estacao.estado(), ConjuntoDados::Estado::Inativo);
    }

    void descricaoAlgoritmo() {
        BancoTeste b;
        b.executar(
            "insert into curva_default (trecho, cor, algoritmo, parm) values (1, 255, 1, 120)");
        b.executar("insert into curva_default (trecho, cor, algoritmo, parm) values (2, 0, 2, 3)");
        Tabela& d = b.dm().tbCurvaDefault;
        d.abrir();
        QCOMPARE(d.campo("descricao_algoritmo").comoTexto(), QString("Potencial (Ostrel), h0=120"));
        d.proximo();
        QCOMPARE(d.campo("descricao_algoritmo").comoTexto(), QString("Polinomial, grau 3"));
    }
};

// The shared queries of the data module.
class TesteConsultas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listaDeEstacoes() {
        BancoTeste b;
        b.rio(1, "Paraná");
        const int comTudo = b.estacao(20, "Com dados", 1);
        b.estacao(10, "Vazia", 1);
        b.estacao(30, "Rio inexistente", 99);
        b.medida(comTudo, 1, 100, 1);
        b.medida(comTudo, 2, 110, 2);
        b.ponto(comTudo, 0, 150, 7);
        b.ponto(comTudo, 5, 140, 7);
        b.ponto(comTudo, 9, 155, 7);
        Consulta& q = b.dm().qu_estacao1;
        q.abrir();
        QCOMPARE(q.totalRegistros(), 3);
        QCOMPARE(q.campo("Codigo").comoInteiro(), 10);
        QCOMPARE(q.campo("total_medida").comoInteiro(), 0);
        QCOMPARE(q.campo("total_secao").comoInteiro(), 0);
        QVERIFY(q.campo("perfil").nulo());
        QCOMPARE(q.campo("nome").comoTexto(), QString("Paraná"));
        QCOMPARE(q.rotulo("nome"), QString("Rio"));
        q.proximo();
        QCOMPARE(q.campo("Codigo").comoInteiro(), 20);
        QCOMPARE(q.campo("total_medida").comoInteiro(), 2);
        QCOMPARE(q.campo("total_secao").comoInteiro(), 3);
        QCOMPARE(q.campo("perfil").comoInteiro(), 7);
        q.proximo();
        QCOMPARE(q.campo("Codigo").comoInteiro(), 30);
        QVERIFY(q.campo("nome").nulo());
        QVERIFY(q.localizar("IdEstacao", comTudo));
        QCOMPARE(q.numeroRegistro(), 2);
    }

    void medidasDaEstacao() {
        BancoTeste b;
        const int id = b.estacao(1, "Ponte");
        const int outra = b.estacao(2);
        b.medida(id, 3, 120.4, 5.25);
        b.medida(id, 1, 100, 1);
        b.medida(outra, 2, 100, 1);
        Consulta& q = b.dm().qu_medida1;
        q.definirParametro("est", id);
        q.abrir();
        QCOMPARE(q.totalRegistros(), 2);
        QCOMPARE(q.campo("numero").comoInteiro(), 1);
        QCOMPARE(q.campo("descricao").comoTexto(), QString("Ponte"));
        q.ultimo();
        QCOMPARE(q.campo("Cota").textoExibicao(), QString("120"));
        QCOMPARE(q.campo("Vazao").textoExibicao(), QString("5.25"));
        QVERIFY(q.eof());
    }

    // A silent walk tells the bound windows once, where it ended, not at every row.
    void percursoSilencioso() {
        BancoTeste b;
        const int id = b.estacao(1);
        for (int n = 1; n <= 5; ++n)
            b.medida(id, n, 100 + n, n);
        Consulta& q = b.dm().qu_medida1;
        q.definirParametro("est", id);
        q.abrir();
        int avisos = 0;
        int numeroAvisado = 0;
        QObject::connect(&q, &ConjuntoDados::registroMudou, [&] {
            ++avisos;
            numeroAvisado = q.numeroRegistro();
        });
        {
            PercursoSilencioso percurso(q);
            for (q.primeiro(); !q.eof(); q.proximo()) {
            }
            QCOMPARE(avisos, 0);
        }
        QCOMPARE(avisos, 1);
        QCOMPARE(numeroAvisado, 5);
        q.primeiro();
        QCOMPARE(avisos, 2);
    }

    void pontosERios() {
        BancoTeste b;
        const int id = b.estacao(1);
        b.ponto(id, 1.5, 120);
        b.rio(2, "Tietê");
        b.rio(1, "Amazonas");
        Consulta& p = b.dm().qu_ponto1;
        p.definirParametro("est", id);
        p.abrir();
        QCOMPARE(p.campo("X").textoExibicao(), QString("1.50"));
        Consulta& r = b.dm().qu_rio1;
        r.abrir();
        QCOMPARE(r.campo("nome").comoTexto(), QString("Amazonas"));
        QCOMPARE(r.campo("IdRio").comoInteiro(), 1);
    }
};

LUMENO_TESTE(TesteConexao)
LUMENO_TESTE(TesteDialeto)
LUMENO_TESTE(TesteTabelas)
LUMENO_TESTE(TesteConsultas)
#include "tst_Banco.moc"
