#include "import/FonteHidro.h"

#include "data/Dialeto.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

#include <algorithm>
#include <atomic>

namespace lumeno {

namespace {

ColunaMdb c(const char* nome, TipoColuna tipo = TipoColuna::Presente) {
    return ColunaMdb{QString::fromLatin1(nome), tipo};
}

constexpr auto I = TipoColuna::Inteiro;
constexpr auto R = TipoColuna::Real;
constexpr auto T = TipoColuna::Texto;
constexpr auto D = TipoColuna::Data;

PedidoTabela pedidoEstacao() {
    return {QStringLiteral("Estacao"), {c("codigo", I), c("nome", T), c("RioCodigo", I)}};
}

PedidoTabela pedidoRio() {
    return {
        QStringLiteral("Rio"),
        {c("RegistroID"), c("Importado"), c("Temporario"), c("Removido"), c("ImportadoRepetido"),
         c("BaciaCodigo"), c("SubBaciaCodigo"), c("Codigo", I), c("Nome", T), c("Jurisdicao")}};
}

PedidoTabela pedidoResumo(bool completo) {
    if (!completo)
        return {QStringLiteral("ResumoDescarga"), {c("EstacaoCodigo", I)}};
    return {QStringLiteral("ResumoDescarga"),
            {c("RegistroID"), c("Importado", I), c("Temporario", I), c("Removido", I),
             c("ImportadoRepetido", I), c("EstacaoCodigo", I), c("NivelConsistencia", I),
             c("Data", D), c("Hora", D), c("NumMedicao", I), c("Cota", R), c("Vazao", R),
             c("AreaMolhada", R), c("Largura"), c("VelMedia", R), c("Profundidade")}};
}

PedidoTabela pedidoPerfil(bool completo) {
    if (!completo)
        return {QStringLiteral("PerfilTransversal"), {c("EstacaoCodigo", I)}};
    return {QStringLiteral("PerfilTransversal"),
            {c("RegistroID", R), c("Importado"), c("Temporario"), c("Removido", I),
             c("ImportadoRepetido"), c("EstacaoCodigo", I), c("NivelConsistencia", I), c("Data", D),
             c("Hora", D), c("NumLevantamento", I), c("TipoSecao"), c("NumVerticais"),
             c("DistanciaPIPF"), c("EixoXDistMaxima"), c("EixoXDistMinima"), c("EixoYCotaMaxima"),
             c("EixoYCotaMinima"), c("ElmGeomPassoCota"), c("Observacoes")}};
}

PedidoTabela pedidoVerticais() {
    return {QStringLiteral("PerfilTransversalVert"),
            {c("RegistroID", R), c("Distancia", R), c("Cota", R), c("Removido", I)}};
}

[[noreturn]] void falhar(const QSqlQuery& q) {
    throw ErroBanco(dialeto::textoErro(q.lastError()));
}

void executar(QSqlQuery& q) {
    if (!q.exec())
        falhar(q);
}

QSqlQuery preparar(const QString& conexao, const QStringList& linhas) {
    QSqlQuery q(QSqlDatabase::database(conexao, false));
    q.setForwardOnly(true);
    if (!q.prepare(linhas.join(QLatin1Char('\n'))))
        falhar(q);
    return q;
}

// Dates are kept as ISO text, so that "order by data" orders them as dates.
QVariant paraBanco(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    return v;
}

QDateTime deBanco(const QVariant& v) {
    if (v.isNull())
        return QDateTime();
    QDateTime d = QDateTime::fromString(v.toString(), QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    d.setTimeZone(QTimeZone::utc());
    return d;
}

std::optional<double> real(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}

}  // namespace

std::vector<PedidoTabela> FonteHidro::pedidos(Uso uso) {
    switch (uso) {
        case Uso::Medicoes:
            return {pedidoEstacao(), pedidoRio(), pedidoResumo(true), pedidoPerfil(false)};
        case Uso::Secoes:
            return {pedidoEstacao(), pedidoRio(), pedidoResumo(false), pedidoPerfil(true),
                    pedidoVerticais()};
        case Uso::Rios:
            break;
    }
    return {pedidoRio()};
}

FonteHidro::FonteHidro(QString arquivo) : arquivo_(std::move(arquivo)) {
    static std::atomic<int> contador{0};
    conexao_ = QStringLiteral("hidro#%1").arg(++contador);
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conexao_);
    banco.setDatabaseName(QStringLiteral(":memory:"));
    if (!banco.open())
        throw ErroBanco(dialeto::textoErro(banco.lastError()));
}

FonteHidro::FonteHidro(FonteHidro&& outra) noexcept
    : arquivo_(std::move(outra.arquivo_)),
      conexao_(std::move(outra.conexao_)),
      temRios_(outra.temRios_),
      identificadoresReais_(outra.identificadoresReais_) {
    outra.conexao_.clear();
}

FonteHidro::~FonteHidro() {
    if (conexao_.isEmpty())
        return;
    {
        QSqlDatabase banco = QSqlDatabase::database(conexao_, false);
        banco.close();
    }
    QSqlDatabase::removeDatabase(conexao_);
}

FonteHidro FonteHidro::doAccess(LeitorMdb& leitor, Uso uso) {
    FonteHidro fonte(leitor.arquivo());
    for (const TabelaMdb& t : leitor.lerTabelas(pedidos(uso)))
        fonte.carregar(t);
    return fonte;
}

FonteHidro FonteHidro::deTabelas(const QString& arquivo, const std::vector<TabelaMdb>& tabelas) {
    FonteHidro fonte(arquivo);
    fonte.temRios_ = false;
    fonte.identificadoresReais_ = false;
    for (const TabelaMdb& t : tabelas)
        fonte.carregar(t);
    return fonte;
}

void FonteHidro::carregar(const TabelaMdb& tabela) {
    QSqlDatabase banco = QSqlDatabase::database(conexao_, false);
    QStringList colunas;
    for (const QString& nome : tabela.colunas)
        colunas << QLatin1Char('"') + nome + QLatin1Char('"');
    {
        QSqlQuery criar(banco);
        if (!criar.exec(QStringLiteral("create table \"%1\" (%2)")
                            .arg(tabela.nome, colunas.join(QLatin1Char(',')))))
            falhar(criar);
    }
    if (tabela.linhas.empty())
        return;
    banco.transaction();
    QSqlQuery inserir(banco);
    const QStringList marcas(tabela.colunas.size(), QStringLiteral("?"));
    if (!inserir.prepare(QStringLiteral("insert into \"%1\" values (%2)")
                             .arg(tabela.nome, marcas.join(QLatin1Char(',')))))
        falhar(inserir);
    for (const auto& linha : tabela.linhas) {
        for (int i = 0; i < linha.size(); ++i)
            inserir.bindValue(i, paraBanco(linha[i]));
        executar(inserir);
    }
    banco.commit();
}

std::vector<EstacaoHidro> FonteHidro::estacoes() {
    const QStringList texto =
        temRios_
            ? QStringList{QStringLiteral("select e.codigo,e.nome,e.RioCodigo,r.nome as NomeRio"),
                          QStringLiteral("from estacao e,rio r"),
                          QStringLiteral("where e.RioCodigo = r.Codigo and"),
                          QStringLiteral(
                              "(e.codigo in (select EstacaoCodigo from resumoDescarga) or"),
                          QStringLiteral(
                              "e.codigo in (select EstacaoCodigo from PerfilTransversal))"),
                          QStringLiteral("order by e.codigo")}
            : QStringList{QStringLiteral("select e.codigo,e.nome,e.RioCodigo,null as NomeRio"),
                          QStringLiteral("from estacao e"), QStringLiteral("order by e.codigo")};
    QSqlQuery q = preparar(conexao_, texto);
    executar(q);
    std::vector<EstacaoHidro> lista;
    while (q.next()) {
        EstacaoHidro e;
        e.codigo = q.value(0).toInt();
        e.nome = q.value(1).toString();
        e.rioCodigo = q.value(2);
        e.nomeRio = q.value(3).toString();
        lista.push_back(e);
    }
    return lista;
}

std::vector<MedicaoHidro> FonteHidro::medicoes(int codigo, const FiltroMedicoes& filtro) {
    QSqlQuery q = preparar(
        conexao_,
        {QStringLiteral("select"), QStringLiteral("*, rowid"), QStringLiteral("from"),
         QStringLiteral("ResumoDescarga"), QStringLiteral("where"),
         QStringLiteral("EstacaoCodigo = :est and"), QStringLiteral("Importado = :importado and"),
         QStringLiteral("Temporario = :temporario and"), QStringLiteral("Removido = :removido and"),
         QStringLiteral("ImportadoRepetido <> 1 and"),
         QStringLiteral("(nivelConsistencia = :nivelConsistX or"),
         QStringLiteral("nivelConsistencia = :nivelConsistBruto or"),
         QStringLiteral("nivelConsistencia = :nivelConsistConsistido)"),
         QStringLiteral("order by numMedicao")});
    q.bindValue(QStringLiteral(":est"), codigo);
    q.bindValue(QStringLiteral(":importado"), filtro.importado ? 1 : 0);
    q.bindValue(QStringLiteral(":temporario"), filtro.temporario ? 1 : 0);
    q.bindValue(QStringLiteral(":removido"), filtro.removido ? 1 : 0);
    q.bindValue(QStringLiteral(":nivelConsistX"), 0);
    q.bindValue(QStringLiteral(":nivelConsistBruto"), filtro.bruto ? 1 : 0);
    q.bindValue(QStringLiteral(":nivelConsistConsistido"), filtro.consistido ? 2 : 0);
    executar(q);
    std::vector<MedicaoHidro> lista;
    while (q.next()) {
        MedicaoHidro m;
        m.numero = q.value(QStringLiteral("NumMedicao")).toInt();
        m.data = deBanco(q.value(QStringLiteral("Data"))).date();
        m.hora = deBanco(q.value(QStringLiteral("Hora"))).time();
        m.nivel = q.value(QStringLiteral("NivelConsistencia")).toInt();
        m.cota = real(q.value(QStringLiteral("Cota")));
        m.vazao = real(q.value(QStringLiteral("Vazao")));
        m.area = real(q.value(QStringLiteral("AreaMolhada")));
        m.velocidade = real(q.value(QStringLiteral("VelMedia")));
        m.ordem = q.value(QStringLiteral("rowid")).toInt();
        lista.push_back(m);
    }
    std::stable_sort(lista.begin(), lista.end(), [](const MedicaoHidro& a, const MedicaoHidro& b) {
        return std::tie(a.numero, a.data, a.hora, a.ordem) <
               std::tie(b.numero, b.data, b.hora, b.ordem);
    });
    return lista;
}

std::vector<PerfilHidro> FonteHidro::perfis(int codigo) {
    QSqlQuery q = preparar(
        conexao_,
        {QStringLiteral("select *,"),
         QStringLiteral("(select count(*) from perfilTransversalVert b where a.registroId = "
                        "b.registroId and b.Removido = 0) as verticais"),
         QStringLiteral("from perfilTransversal a"),
         QStringLiteral("where EstacaoCodigo = :est and"), QStringLiteral("Removido = 0 and"),
         QStringLiteral("exists (select 1 from perfilTransversalVert b where a.registroId = "
                        "b.registroId and b.Removido = 0)"),
         QStringLiteral("order by data, rowid")});
    q.bindValue(QStringLiteral(":est"), codigo);
    executar(q);
    std::vector<PerfilHidro> lista;
    while (q.next()) {
        PerfilHidro p;
        p.registroId = q.value(QStringLiteral("RegistroID")).toDouble();
        if (identificadoresReais_)
            p.identificador = p.registroId;
        p.data = deBanco(q.value(QStringLiteral("Data"))).date();
        p.hora = deBanco(q.value(QStringLiteral("Hora"))).time();
        p.numLevantamento = q.value(QStringLiteral("NumLevantamento"));
        p.nivel = q.value(QStringLiteral("NivelConsistencia"));
        p.verticais = q.value(QStringLiteral("verticais")).toInt();
        lista.push_back(p);
    }
    return lista;
}

std::vector<VerticalHidro> FonteHidro::verticais(int codigo, double registroId) {
    QSqlQuery q = preparar(
        conexao_, {QStringLiteral("select a.RegistroID, a.Distancia, a.Cota"),
                   QStringLiteral("from PerfilTransversalVert a,PerfilTransversal b"),
                   QStringLiteral("where (b.EstacaoCodigo = :est) and"),
                   QStringLiteral("(a.RegistroId = b.RegistroId) and"),
                   QStringLiteral("(b.RegistroId = :perf) and"), QStringLiteral("(a.Removido = 0)"),
                   QStringLiteral("order by a.distancia, a.rowid")});
    q.bindValue(QStringLiteral(":est"), codigo);
    q.bindValue(QStringLiteral(":perf"), registroId);
    executar(q);
    std::vector<VerticalHidro> lista;
    while (q.next()) {
        if (q.value(1).isNull() || q.value(2).isNull())
            continue;
        lista.push_back({q.value(1).toDouble(), q.value(2).toDouble()});
    }
    return lista;
}

std::vector<RioHidro> FonteHidro::rios() {
    QSqlQuery q =
        preparar(conexao_, {QStringLiteral("select Codigo, Nome from Rio order by rowid")});
    executar(q);
    std::vector<RioHidro> lista;
    while (q.next())
        if (!q.value(0).isNull())
            lista.push_back({q.value(0).toLongLong(), q.value(1).toString()});
    return lista;
}

}  // namespace lumeno
