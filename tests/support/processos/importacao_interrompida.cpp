// A program for the tests: stores an import of `total` measurements into the database
// of the location "Lumeno" kept in `localizacoes`, and stops in the middle of it —
// prints "meio" and waits, inside the import's transaction, to be killed. Its page
// cache is small, so that by then the import has written into the database file, as a
// large import does: what it leaves behind is a journal that must be rolled back.
//
//     importacao_interrompida <localizacoes.ini> <IdEstacao> <total>
#include "data/Conexao.h"
#include "data/LocalizacoesBanco.h"
#include "import/GravacaoImportacao.h"

#include <QCoreApplication>
#include <QSqlQuery>

#include <chrono>
#include <cstdio>
#include <thread>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "uso: importacao_interrompida <localizacoes.ini> <id> <total>\n");
        return 2;
    }
    lumeno::LocalizacoesBanco localizacoes(QString::fromLocal8Bit(argv[1]));
    lumeno::Conexao conexao(localizacoes);
    QSqlQuery(conexao.banco()).exec(QStringLiteral("PRAGMA cache_size = 10"));
    const int estacao = QByteArray(argv[2]).toInt();
    const int total = QByteArray(argv[3]).toInt();
    std::vector<lumeno::ResumoMedicao> medicoes(static_cast<size_t>(total));
    for (int i = 0; i < total; ++i) {
        auto& m = medicoes[static_cast<size_t>(i)];
        m.numero = i + 1;
        m.data = QDate(2001, 1, 1).addDays(i);
        m.cota = 100 + i;
        m.vazao = 1 + i;
    }
    try {
        lumeno::gravarMedicoes(conexao, estacao, medicoes, [](int percentual) {
            if (percentual == 50) {
                std::printf("meio\n");
                std::fflush(stdout);
                for (;;)
                    std::this_thread::sleep_for(std::chrono::hours(1));
            }
        });
    } catch (const lumeno::ErroLumeno& e) {
        std::fprintf(stderr, "%s\n", e.mensagem().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
