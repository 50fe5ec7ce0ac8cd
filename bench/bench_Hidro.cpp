// The network imports: opening the station list of an Access file; reading and storing
// 5,000 measurements of one station from an Access file, against the time mdb-export
// takes to dump the whole table of the same file; the import logic on 5,000 measurements
// of one station from a CSV download.
#include "data/LocalizacoesBanco.h"
#include "data/TDM.h"
#include "import/FonteHidro.h"
#include "import/ImportacaoHidro.h"
#include "import/LeitorHidroWeb.h"
#include "import/LeitorMdbProcesso.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <memory>

using namespace lumeno;

namespace {

const QString fixture = QStringLiteral(LUMENO_SHARED_DIR "/fixtures/hidro/hidro_paraiba.mdb");

struct Banco {
    QTemporaryDir dir;
    std::unique_ptr<LocalizacoesBanco> localizacoes;
    std::unique_ptr<TDM> dm;
    Banco() {
        localizacoes = std::make_unique<LocalizacoesBanco>(dir.filePath("l.ini"));
        localizacoes->adicionar("Lumeno", "STANDARD", {{"PATH", dir.path()}});
        dm = std::make_unique<TDM>(*localizacoes);
    }
    int estacao(int codigo) {
        auto q = dm->novaConsulta();
        q->SQL << QStringLiteral("insert into estacao (codigo, descricao) values (%1, 'E')")
                      .arg(codigo);
        q->executar();
        return *estacaoPorCodigo(dm->conexao(), codigo);
    }
};

bool semFixture(benchmark::State& state) {
    if (QFile::exists(fixture))
        return false;
    state.SkipWithError("../shared/fixtures/hidro/hidro_paraiba.mdb ausente");
    return true;
}

void listaEstacoes(benchmark::State& state, FonteHidro::Uso uso) {
    if (semFixture(state))
        return;
    for (auto _ : state) {
        LeitorMdbProcesso leitor(fixture);
        FonteHidro fonte = FonteHidro::doAccess(leitor, uso);
        benchmark::DoNotOptimize(fonte.estacoes());
    }
}

// What the measurement and the cross-section imports read before showing the list.
void BM_HidroListaEstacoesMedicoes(benchmark::State& state) {
    listaEstacoes(state, FonteHidro::Uso::Medicoes);
}
BENCHMARK(BM_HidroListaEstacoesMedicoes)->Unit(benchmark::kMillisecond);

void BM_HidroListaEstacoesSecoes(benchmark::State& state) {
    listaEstacoes(state, FonteHidro::Uso::Secoes);
}
BENCHMARK(BM_HidroListaEstacoesSecoes)->Unit(benchmark::kMillisecond);

// The fixture with its ResumoDescarga rows copied 11 more times onto new data pages, all
// as rows of station 58110002 (numbers moved by 1000 per copy): 5,376 rows, 5,130 of that
// station. The pages are added at the end of the file and marked in the table's usage map
// (an inline bitmap from page 608 that reaches page 1119); the table's row count is
// updated. Empty when the fixture is not laid out as expected.
QString arquivoAmpliado(const QTemporaryDir& dir) {
    constexpr int pagina = 4096, tdef = 364, primeira = 611, ultima = 621, copias = 11;
    constexpr int paginaMapa = 365, inicioMapa = 608, bitsMapa = 64 * 8;
    QFile f(fixture);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QByteArray bytes = f.readAll();
    auto u8 = [&](qsizetype o) { return static_cast<quint8>(bytes[o]); };
    auto i16 = [&](qsizetype o) { return qFromLittleEndian<quint16>(bytes.constData() + o); };
    auto i32 = [&](qsizetype o) { return qFromLittleEndian<qint32>(bytes.constData() + o); };
    const qsizetype inicioPaginaMapa = qsizetype(paginaMapa) * pagina;
    const qsizetype mapa = inicioPaginaMapa + (i16(inicioPaginaMapa + 14) & 0x1FFF);
    if (bytes.size() != 653 * pagina || u8(qsizetype(tdef) * pagina) != 0x02 ||
        i32(qsizetype(tdef) * pagina + 16) != 448 || u8(mapa) != 0 || i32(mapa + 1) != inicioMapa)
        return QString();
    qint32 total = 448;
    for (int copia = 1; copia <= copias; ++copia) {
        for (int origem = primeira; origem <= ultima; ++origem) {
            QByteArray p = bytes.mid(qsizetype(origem) * pagina, pagina);
            if (static_cast<quint8>(p[0]) != 0x01 ||
                qFromLittleEndian<qint32>(p.constData() + 4) != tdef)
                return QString();
            const int linhas = qFromLittleEndian<quint16>(p.constData() + 12);
            for (int l = 0; l < linhas; ++l) {
                const int inicio = qFromLittleEndian<quint16>(p.constData() + 14 + 2 * l) & 0x1FFF;
                // Fixed columns follow the 2-byte column count: EstacaoCodigo at 12,
                // NumMedicao at 33.
                qToLittleEndian<qint32>(58110002, p.data() + inicio + 2 + 12);
                const qint32 numero = qFromLittleEndian<qint32>(p.constData() + inicio + 2 + 33);
                qToLittleEndian<qint32>(numero + 1000 * copia, p.data() + inicio + 2 + 33);
                ++total;
            }
            const qsizetype nova = bytes.size() / pagina;
            const qsizetype bit = nova - inicioMapa;
            if (bit >= bitsMapa)
                return QString();
            bytes += p;
            bytes[mapa + 5 + bit / 8] =
                static_cast<char>(u8(mapa + 5 + bit / 8) | (1 << (bit % 8)));
        }
    }
    qToLittleEndian<qint32>(total, bytes.data() + qsizetype(tdef) * pagina + 16);
    QFile saida(dir.filePath(QStringLiteral("hidro_ampliado.mdb")));
    if (!saida.open(QIODevice::WriteOnly) || saida.write(bytes) != bytes.size())
        return QString();
    return saida.fileName();
}

QString ampliado(benchmark::State& state, const QTemporaryDir& dir) {
    const QString arquivo = semFixture(state) ? QString() : arquivoAmpliado(dir);
    if (arquivo.isEmpty() && QFile::exists(fixture))
        state.SkipWithError("o arquivo ampliado não pôde ser feito a partir do hidro_paraiba.mdb");
    return arquivo;
}

// 5,130 measurements of one station (58110002, raw and consolidated) from the enlarged
// file: the whole import after the dialogs — the file read through the reader process,
// the station filtered, prepared and stored in one transaction.
void BM_HidroImportar5000DoAccess(benchmark::State& state) {
    QTemporaryDir dir;
    const QString arquivo = ampliado(state, dir);
    if (arquivo.isEmpty())
        return;
    Banco b;
    const int id = b.estacao(58110002);
    FiltroMedicoes filtro;
    filtro.bruto = filtro.consistido = true;
    int lidas = 0, gravadas = 0;
    for (auto _ : state) {
        LeitorMdbProcesso leitor(arquivo);
        FonteHidro fonte = FonteHidro::doAccess(leitor, FonteHidro::Uso::Medicoes);
        const auto medicoes = fonte.medicoes(58110002, filtro);
        lidas = static_cast<int>(medicoes.size());
        gravadas = gravarMedicoesHidro(b.dm->conexao(), id, prepararMedicoes(medicoes).medicoes);
    }
    state.counters["lidas"] = lidas;
    state.counters["gravadas"] = gravadas;
}
BENCHMARK(BM_HidroImportar5000DoAccess)->Unit(benchmark::kMillisecond);

// The same without storing: reading through the reader process, filtering, preparing.
void BM_HidroLer5000DoAccess(benchmark::State& state) {
    QTemporaryDir dir;
    const QString arquivo = ampliado(state, dir);
    if (arquivo.isEmpty())
        return;
    FiltroMedicoes filtro;
    filtro.bruto = filtro.consistido = true;
    for (auto _ : state) {
        LeitorMdbProcesso leitor(arquivo);
        FonteHidro fonte = FonteHidro::doAccess(leitor, FonteHidro::Uso::Medicoes);
        benchmark::DoNotOptimize(prepararMedicoes(fonte.medicoes(58110002, filtro)));
    }
}
BENCHMARK(BM_HidroLer5000DoAccess)->Unit(benchmark::kMillisecond);

// The reference: mdb-export dumping the whole ResumoDescarga table of the same file.
void BM_MdbExportResumoDescarga5000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString arquivo = ampliado(state, dir);
    if (arquivo.isEmpty())
        return;
    qint64 linhas = 0;
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral("mdb-export"), {arquivo, QStringLiteral("ResumoDescarga")});
        p.waitForFinished(-1);
        const QByteArray saida = p.readAllStandardOutput();
        if (p.exitCode() != 0 || saida.isEmpty()) {
            state.SkipWithError("mdb-export falhou (pacote mdbtools)");
            return;
        }
        linhas = saida.count('\n') - 1;
    }
    state.counters["linhas"] = static_cast<double>(linhas);
}
BENCHMARK(BM_MdbExportResumoDescarga5000)->Unit(benchmark::kMillisecond);

// 5,000 measurements of one station from a CSV download: read, filtered, prepared, stored.
void BM_HidroWebImportar5000(benchmark::State& state) {
    QByteArray csv =
        "Sistema\r\n\r\nEstacaoCodigo;NivelConsistencia;Data;Hora;NumMedicao;Cota;"
        "Vazao;AreaMolhada;Largura;VelMedia;Profundidade\r\n";
    for (int n = 1; n <= 5000; ++n) {
        const QDate d = QDate(1950, 1, 1).addDays(n * 3);
        csv += "1234;2;" + d.toString("dd/MM/yyyy").toLatin1() + ";01/01/1900 07:00:00;" +
               QByteArray::number(n) + ';' + QByteArray::number(100 + n % 500) + ';' +
               QByteArray::number(10.5 + n % 97, 'f', 3).replace('.', ',') +
               ";20,25;12,5;0,85;1,2\r\n";
    }
    Banco b;
    const int id = b.estacao(1234);
    FiltroMedicoes filtro;
    filtro.consistido = true;
    for (auto _ : state) {
        FonteHidro fonte = FonteHidro::deTabelas(
            "b.csv", LeitorHidroWeb::lerCsv(csv, "b.csv", ConteudoHidroWeb::Medicoes));
        benchmark::DoNotOptimize(gravarMedicoesHidro(
            b.dm->conexao(), id, prepararMedicoes(fonte.medicoes(1234, filtro)).medicoes));
    }
}
BENCHMARK(BM_HidroWebImportar5000)->Unit(benchmark::kMillisecond);

}  // namespace
