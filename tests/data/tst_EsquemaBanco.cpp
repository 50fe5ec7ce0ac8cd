#include "app/ErroLumeno.h"
#include "data/EsquemaBanco.h"
#include "data/TDM.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

// The schema as the program first created it (version 1).
const char* const esquemaVersao1[] = {
    "CREATE TABLE Estacao (IdEstacao INTEGER PRIMARY KEY AUTOINCREMENT, Rio REAL, "
    "Codigo INTEGER NOT NULL, Ordem REAL, Descricao VARCHAR(30))",
    "CREATE UNIQUE INDEX in_codigo ON Estacao (Codigo)",
    "CREATE TABLE Rio (IdRio REAL NOT NULL, Nome VARCHAR(30))",
    "CREATE UNIQUE INDEX tb_rioIndex1 ON Rio (IdRio)",
    "CREATE INDEX in_nome ON Rio (Nome COLLATE NOCASE)",
    "CREATE TABLE Medida (Estacao REAL, Numero REAL, Data DATE, Cota REAL, Vazao REAL, "
    "Area REAL, Velocidade REAL, Ponto_obrigatorio REAL, "
    "Id_medida INTEGER PRIMARY KEY AUTOINCREMENT)",
    "CREATE UNIQUE INDEX in_medida_numero ON Medida (Estacao, Numero)",
    "CREATE TABLE Ponto (Estacao REAL, X REAL, Y REAL, "
    "IdPonto INTEGER PRIMARY KEY AUTOINCREMENT, Perfil REAL)",
    "CREATE INDEX in_ponto_estacao ON Ponto (Estacao, Y)",
    "CREATE TABLE curva_default (Trecho REAL NOT NULL, Cor REAL, Algoritmo REAL, Parm REAL)",
    "CREATE UNIQUE INDEX tbCurvaDefaultIndex1 ON curva_default (Trecho)",
    "PRAGMA application_id = 1280658766",
};

// Runs statements on a database file outside the program's connection.
void criarArquivo(const QString& arquivo, const QStringList& comandos) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "externo");
        db.setDatabaseName(arquivo);
        QVERIFY(db.open());
        for (const QString& sql : comandos) {
            QSqlQuery q(db);
            QVERIFY2(q.exec(sql), qPrintable(sql + ": " + q.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("externo");
}

QStringList versao1(int userVersion = 1) {
    QStringList c;
    for (const char* sql : esquemaVersao1)
        c << sql;
    c << QString("PRAGMA user_version = %1").arg(userVersion);
    return c;
}

QByteArray hash(const QString& arquivo) {
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Every row of the hydrometric tables, as text, in key order.
QStringList conteudo(TDM& dm) {
    QStringList linhas;
    QSqlDatabase db = dm.conexao().banco();
    for (const char* sql :
         {"select * from estacao order by IdEstacao", "select * from rio order by IdRio",
          "select * from medida order by Id_medida", "select * from ponto order by IdPonto",
          "select * from curva_default order by Trecho"}) {
        QSqlQuery q(db);
        q.exec(sql);
        while (q.next()) {
            QStringList campos;
            for (int i = 0; i < q.record().count(); ++i)
                campos << q.value(i).toString() + "|" + q.value(i).typeName();
            linhas << campos.join(";");
        }
    }
    return linhas;
}

QStringList tabelas(TDM& dm) {
    return dm.conexao().banco().tables();
}

}  // namespace

class TesteEsquemaBanco : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bancoNovoNaVersaoAtual() {
        BancoTeste b;
        b.estacao(1);
        QSqlDatabase db = b.dm().conexao().banco();
        QCOMPARE(EsquemaBanco::versao(db), EsquemaBanco::versaoAtual);
        for (const char* t :
             {"AjusteSalvo", "CurvaSalva", "CondicaoCurvaSalva", "ValidadeCurvaSalva",
              "PontoObrigatorioSalvo", "ExtrapolacaoSalva", "PontoExtrapolacaoSalvo"})
            QVERIFY2(tabelas(b.dm()).contains(t), t);
    }

    // A database of the first version gets the saved ratings' tables in place and keeps every
    // station, river, measurement, point and default — but for an empty Ponto_obrigatorio,
    // which becomes 0 as for any real measurement; opening it again writes nothing.
    void bancoAnteriorAtualizado() {
        BancoTeste b;
        const QString arquivo = b.pasta() + "/dados/lumeno.db";
        QStringList c = versao1();
        c << "insert into rio values (7, 'Rio Doce')"
          << "insert into estacao (Rio, Codigo, Ordem, Descricao) values (7, 58110002, 3, 'Ponte')"
          << "insert into estacao (Rio, Codigo, Ordem, Descricao) values (NULL, 1, NULL, NULL)"
          << "insert into medida (Estacao, Numero, Data, Cota, Vazao, Area, Velocidade, "
             "Ponto_obrigatorio) values (1, 1, '1998-03-05', 150, 12.345678901234567, 40.5, "
             "0.3, 0)"
          << "insert into medida (Estacao, Numero, Data, Cota, Vazao, Ponto_obrigatorio) "
             "values (1, 2, NULL, 230.5, 0.1, NULL)"
          << "insert into ponto (Estacao, X, Y, Perfil) values (1, 0, 800, 3)"
          << "insert into ponto (Estacao, X, Y, Perfil) values (1, 12.25, 95.5, NULL)"
          << "insert into curva_default values (1, 255, 1, 120)";
        criarArquivo(arquivo, c);

        // Read before any upgrade, through a plain connection.
        QStringList antes;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "leitura");
            db.setDatabaseName(arquivo);
            db.setConnectOptions("QSQLITE_OPEN_READONLY");
            QVERIFY(db.open());
            for (const char* sql :
                 {"select * from estacao order by IdEstacao", "select * from rio order by IdRio",
                  "select * from medida order by Id_medida", "select * from ponto order by IdPonto",
                  "select * from curva_default order by Trecho"}) {
                QSqlQuery q(db);
                q.exec(sql);
                while (q.next()) {
                    QStringList campos;
                    for (int i = 0; i < q.record().count(); ++i)
                        campos << q.value(i).toString() + "|" + q.value(i).typeName();
                    antes << campos.join(";");
                }
            }
            db.close();
        }
        QSqlDatabase::removeDatabase("leitura");
        QCOMPARE(antes.size(), 8);
        // Measurement 2 (row 4: Estacao, Numero, Data, Cota, Vazao, Area, Velocidade,
        // Ponto_obrigatorio, Id_medida) had no Ponto_obrigatorio.
        QStringList campos = antes[4].split(';');
        QCOMPARE(campos[7], QString("|QString"));
        campos[7] = "0|double";
        antes[4] = campos.join(';');

        QCOMPARE(conteudo(b.dm()), antes);
        {
            QSqlDatabase db = b.dm().conexao().banco();
            QCOMPARE(EsquemaBanco::versao(db), EsquemaBanco::versaoAtual);
        }
        QVERIFY(tabelas(b.dm()).contains("AjusteSalvo"));
        QVERIFY(tabelas(b.dm()).contains("PontoExtrapolacaoSalvo"));
        // The station list and the measurements read as before.
        b.dm().qu_estacao1.abrir();
        QCOMPARE(b.dm().qu_estacao1.totalRegistros(), 2);
        b.dm().qu_estacao1.localizar("Codigo", 58110002);
        QCOMPARE(b.dm().qu_estacao1.campo("nome").comoTexto(), QString("Rio Doce"));
        QCOMPARE(b.dm().qu_estacao1.campo("total_medida").comoInteiro(), 2);

        b.dm().desconectar();
        const QByteArray atualizado = hash(arquivo);
        QCOMPARE(conteudo(b.dm()), antes);
        b.dm().desconectar();
        QCOMPARE(hash(arquivo), atualizado);
    }

    // A database of a later version is refused, left byte for byte as it was, and the
    // connection stays closed (a later attempt gives the same answer).
    void bancoMaisNovoRecusado() {
        BancoTeste b;
        const QString arquivo = b.pasta() + "/dados/lumeno.db";
        QStringList c = versao1(EsquemaBanco::versaoAtual + 1);
        c << "create table Futuro (x)"
          << "insert into estacao (Codigo, Descricao) values (5, 'Futura')";
        criarArquivo(arquivo, c);
        const QByteArray antes = hash(arquivo);
        QVERIFY(!antes.isEmpty());
        for (int tentativa = 0; tentativa < 2; ++tentativa) {
            try {
                b.dm().tb_estacao.abrir();
                QFAIL("opened a database of a newer version");
            } catch (const ErroBanco& e) {
                QVERIFY2(e.mensagem().contains(
                             QString("versão mais nova do Lumeno (esquema %1; esta versão "
                                     "conhece até o esquema %2) e não foi alterado")
                                 .arg(EsquemaBanco::versaoAtual + 1)
                                 .arg(EsquemaBanco::versaoAtual)),
                         qPrintable(e.mensagem()));
            }
            QVERIFY(!b.dm().conexao().conectado());
        }
        QCOMPARE(hash(arquivo), antes);
        QVERIFY(!QFile::exists(arquivo + "-journal"));
    }

    // An upgrade that fails half-way is undone whole: the version stays, the tables made
    // before the failure are gone and the rows are untouched.
    void atualizacaoQueFalhaDesfeita() {
        BancoTeste b;
        const QString arquivo = b.pasta() + "/dados/lumeno.db";
        QStringList c = versao1();
        // An index with the name of the last table the upgrade makes.
        c << "create index PontoExtrapolacaoSalvo on estacao (Ordem)"
          << "insert into estacao (Codigo, Descricao) values (9, 'Nove')";
        criarArquivo(arquivo, c);
        QVERIFY_THROWS_EXCEPTION(ErroBanco, b.dm().tb_estacao.abrir());
        QVERIFY(!b.dm().conexao().conectado());
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "verificacao");
        db.setDatabaseName(arquivo);
        QVERIFY(db.open());
        QCOMPARE(EsquemaBanco::versao(db), 1);
        QVERIFY(!db.tables().contains("CurvaSalva"));
        QSqlQuery q(db);
        QVERIFY(q.exec("select Descricao from estacao where Codigo = 9") && q.next());
        QCOMPARE(q.value(0).toString(), QString("Nove"));
        q.finish();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("verificacao");
    }
};

LUMENO_TESTE(TesteEsquemaBanco)
#include "tst_EsquemaBanco.moc"
