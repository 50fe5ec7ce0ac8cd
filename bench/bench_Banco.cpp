// Opening the station list with its counts on a large database.
#include "data/LocalizacoesBanco.h"
#include "data/TDM.h"

#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace lumeno;

namespace {

struct BancoGrande {
    QTemporaryDir dir;
    std::unique_ptr<LocalizacoesBanco> localizacoes;
    std::unique_ptr<TDM> dm;

    BancoGrande() {
        localizacoes = std::make_unique<LocalizacoesBanco>(dir.filePath("loc.ini"));
        localizacoes->adicionar("Lumeno", "STANDARD", {{"PATH", dir.path()}});
        dm = std::make_unique<TDM>(*localizacoes);
        QSqlDatabase banco = dm->conexao().banco();
        banco.transaction();
        QSqlQuery q(banco);
        q.exec("insert into rio (idrio, nome) values (1, 'Rio Grande')");
        QSqlQuery e(banco), m(banco), p(banco);
        e.prepare("insert into estacao (codigo, descricao, rio) values (?, ?, ?)");
        m.prepare(
            "insert into medida (estacao, numero, data, cota, vazao, area, velocidade, "
            "ponto_obrigatorio) "
            "values (?, ?, '2000-01-01', ?, ?, 1, 1, 0)");
        p.prepare("insert into ponto (estacao, x, y, perfil) values (?, ?, ?, 1)");
        for (int s = 1; s <= 5000; ++s) {
            e.addBindValue(58000000 + s);
            e.addBindValue(QStringLiteral("Estação %1").arg(s));
            e.addBindValue(s % 3 == 0 ? QVariant() : QVariant(1));
            e.exec();
            const qlonglong id = e.lastInsertId().toLongLong();
            for (int n = 1; n <= 100; ++n) {
                m.addBindValue(id);
                m.addBindValue(n);
                m.addBindValue(100 + n);
                m.addBindValue(n * 1.5);
                m.exec();
            }
            for (int k = 0; k < 40; ++k) {
                p.addBindValue(id);
                p.addBindValue(k * 2.0);
                p.addBindValue(100.0 + (k - 20) * (k - 20));
                p.exec();
            }
        }
        banco.commit();
    }
};

BancoGrande& banco() {
    static BancoGrande b;
    return b;
}

void BM_AbrirListaDeEstacoes(benchmark::State& state) {
    TDM& dm = *banco().dm;
    for (auto _ : state) {
        dm.qu_estacao1.fechar();
        dm.qu_estacao1.abrir();
        benchmark::DoNotOptimize(dm.qu_estacao1.totalRegistros());
    }
    state.counters["estacoes"] = dm.qu_estacao1.totalRegistros();
}
BENCHMARK(BM_AbrirListaDeEstacoes)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
