// Importing 10,000 measurements from a .cop and from an .rsm file: reading, checking
// and storing them in the station's place.
#include "data/LocalizacoesBanco.h"
#include "data/TDM.h"
#include "import/GravacaoImportacao.h"
#include "import/LeitorCop.h"
#include "import/LeitorRsm.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

using namespace lumeno;

namespace {

QByteArray arquivoCop(int total) {
    QByteArray texto = "1234 ESTACAO DE TESTE\r\n";
    for (int n = 1; n <= total; ++n) {
        const QDate d = QDate(1950, 1, 1).addDays(n * 2);
        texto += d.toString("dd/MM/yy").toLatin1() + ' ' + QByteArray::number(n) + ' ' +
                 QByteArray::number(100 + n % 500) + ' ' +
                 QByteArray::number(10.5 + n % 97, 'f', 2) + " 0.85 " +
                 QByteArray::number(20.25 + n % 31, 'f', 2) + "\r\n";
    }
    return texto;
}

QByteArray real48(double v) {
    int e = 0;
    const double m = std::frexp(std::fabs(v), &e);
    const quint64 f = static_cast<quint64>(std::llround((m * 2 - 1) * std::ldexp(1.0, 39)));
    QByteArray b(6, '\0');
    b[0] = static_cast<char>(e - 1 + 129);
    for (int i = 0; i < 5; ++i)
        b[1 + i] = static_cast<char>((f >> (8 * i)) & 0xFF);
    return b;
}

QByteArray arquivoRsm(int total) {
    QByteArray dados;
    for (int n = 1; n <= total; ++n) {
        QByteArray r(64, '\0');
        if (n == 1) {
            r[1] = 4;
            r.replace(2, 4, "1234");
        }
        const QDate d = QDate(1950, 1, 1).addDays(n * 2);
        qToLittleEndian<qint16>(static_cast<qint16>(n % 30000 + 1), r.data() + 10);
        qToLittleEndian<qint16>(static_cast<qint16>(d.day()), r.data() + 20);
        qToLittleEndian<qint16>(static_cast<qint16>(d.month()), r.data() + 22);
        qToLittleEndian<qint16>(static_cast<qint16>(d.year()), r.data() + 24);
        r.replace(28, 6, real48(100 + n % 500));
        r.replace(34, 6, real48(10.5 + n % 97));
        r.replace(40, 6, real48(20.25));
        r.replace(58, 6, real48(0.85));
        dados += r;
    }
    return dados;
}

struct Banco {
    QTemporaryDir dir;
    std::unique_ptr<LocalizacoesBanco> localizacoes;
    std::unique_ptr<TDM> dm;
    int estacao = 0;
    Banco() {
        localizacoes = std::make_unique<LocalizacoesBanco>(dir.filePath("l.ini"));
        localizacoes->adicionar("Lumeno", "STANDARD", {{"PATH", dir.path()}});
        dm = std::make_unique<TDM>(*localizacoes);
        auto q = dm->novaConsulta();
        q->SQL << "insert into estacao (codigo, descricao) values (1234, 'Teste')";
        q->executar();
        estacao = *estacaoPorCodigo(dm->conexao(), 1234);
    }
};

void BM_ImportarCop10000(benchmark::State& state) {
    Banco b;
    const QByteArray arquivo = arquivoCop(10000);
    for (auto _ : state) {
        const ArquivoCop lido = LeitorCop::ler(arquivo);
        benchmark::DoNotOptimize(gravarMedicoes(b.dm->conexao(), b.estacao, lido.medicoes));
    }
}
BENCHMARK(BM_ImportarCop10000)->Unit(benchmark::kMillisecond);

void BM_ImportarRsm10000(benchmark::State& state) {
    Banco b;
    const QByteArray arquivo = arquivoRsm(10000);
    for (auto _ : state) {
        const ArquivoRsm lido = LeitorRsm::ler(arquivo);
        benchmark::DoNotOptimize(gravarMedicoes(b.dm->conexao(), b.estacao, lido.medicoes));
    }
}
BENCHMARK(BM_ImportarRsm10000)->Unit(benchmark::kMillisecond);

}  // namespace
