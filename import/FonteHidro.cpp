#include "import/FonteHidro.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <tuple>

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

// A column of a table, read row by row; a column the table lacks reads as empty.
class Coluna {
public:
    Coluna(const TabelaMdb& t, const char* nome) : i_(t.indice(QString::fromLatin1(nome))) {}
    const QVariant& operator()(const QVector<QVariant>& linha) const {
        static const QVariant vazio;
        return i_ < 0 ? vazio : linha[i_];
    }

private:
    int i_;
};

std::optional<qint64> inteiro(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    return v.toLongLong();
}

std::optional<double> real(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}

// `v = esperado` as SQL has it: false for an empty value.
bool igual(const QVariant& v, qint64 esperado) {
    return !v.isNull() && v.toLongLong() == esperado;
}

// Empty values first, as SQLite orders them.
bool antes(const std::optional<double>& a, const std::optional<double>& b) {
    return b && (!a || *a < *b);
}

QDateTime dataHora(const QVariant& v) {
    return v.isNull() ? QDateTime() : v.toDateTime();
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

FonteHidro::FonteHidro(QString arquivo, std::vector<TabelaMdb> tabelas)
    : arquivo_(std::move(arquivo)), tabelas_(std::move(tabelas)) {}

FonteHidro FonteHidro::doAccess(LeitorMdb& leitor, Uso uso) {
    return FonteHidro(leitor.arquivo(), leitor.lerTabelas(pedidos(uso)));
}

FonteHidro FonteHidro::deTabelas(const QString& arquivo, std::vector<TabelaMdb> tabelas) {
    FonteHidro fonte(arquivo, std::move(tabelas));
    fonte.temRios_ = false;
    fonte.identificadoresReais_ = false;
    return fonte;
}

const TabelaMdb& FonteHidro::tabela(const char* nome) const {
    static const TabelaMdb vazia;
    for (const TabelaMdb& t : tabelas_)
        if (t.nome.compare(QLatin1String(nome), Qt::CaseInsensitive) == 0)
            return t;
    return vazia;
}

std::vector<EstacaoHidro> FonteHidro::estacoes() {
    QSet<qint64> comDados;
    for (const char* nome : {"ResumoDescarga", "PerfilTransversal"}) {
        const TabelaMdb& t = tabela(nome);
        const Coluna estacao(t, "EstacaoCodigo");
        for (const auto& linha : t.linhas)
            if (const auto c = inteiro(estacao(linha)))
                comDados.insert(*c);
    }
    QHash<qint64, QString> nomesRios;
    const TabelaMdb& rios = tabela("Rio");
    const Coluna codigoRio(rios, "Codigo"), nomeRio(rios, "Nome");
    for (const auto& linha : rios.linhas)
        if (const auto c = inteiro(codigoRio(linha)); c && !nomesRios.contains(*c))
            nomesRios.insert(*c, nomeRio(linha).toString());

    std::vector<EstacaoHidro> lista;
    const TabelaMdb& estacoes = tabela("Estacao");
    const Coluna codigo(estacoes, "codigo"), nome(estacoes, "nome"), rio(estacoes, "RioCodigo");
    for (const auto& linha : estacoes.linhas) {
        const auto c = inteiro(codigo(linha));
        const auto r = inteiro(rio(linha));
        // A CSV download has no river table: every station in it is listed.
        if (!c || (temRios_ && (!comDados.contains(*c) || !r || !nomesRios.contains(*r))))
            continue;
        EstacaoHidro e;
        e.codigo = static_cast<int>(*c);
        e.nome = nome(linha).toString();
        e.rioCodigo = rio(linha);
        e.nomeRio = r ? nomesRios.value(*r) : QString();
        lista.push_back(e);
    }
    std::stable_sort(lista.begin(), lista.end(), [](const EstacaoHidro& a, const EstacaoHidro& b) {
        return a.codigo < b.codigo;
    });
    return lista;
}

std::vector<MedicaoHidro> FonteHidro::medicoes(int codigo, const FiltroMedicoes& filtro) {
    const TabelaMdb& t = tabela("ResumoDescarga");
    const Coluna estacao(t, "EstacaoCodigo"), importado(t, "Importado"),
        temporario(t, "Temporario"), removido(t, "Removido"), repetido(t, "ImportadoRepetido"),
        nivel(t, "NivelConsistencia"), numero(t, "NumMedicao"), data(t, "Data"), hora(t, "Hora"),
        cota(t, "Cota"), vazao(t, "Vazao"), area(t, "AreaMolhada"), velocidade(t, "VelMedia");
    const qint64 nivelBruto = filtro.bruto ? 1 : 0;
    const qint64 nivelConsistido = filtro.consistido ? 2 : 0;
    std::vector<MedicaoHidro> lista;
    for (size_t i = 0; i < t.linhas.size(); ++i) {
        const auto& l = t.linhas[i];
        const QVariant& rep = repetido(l);
        const QVariant& n = nivel(l);
        if (!igual(estacao(l), codigo) || !igual(importado(l), filtro.importado) ||
            !igual(temporario(l), filtro.temporario) || !igual(removido(l), filtro.removido) ||
            rep.isNull() || rep.toLongLong() == 1 ||
            !(igual(n, 0) || igual(n, nivelBruto) || igual(n, nivelConsistido)))
            continue;
        MedicaoHidro m;
        m.numero = static_cast<int>(numero(l).toLongLong());
        m.data = dataHora(data(l)).date();
        m.hora = dataHora(hora(l)).time();
        m.nivel = static_cast<int>(n.toLongLong());
        m.cota = real(cota(l));
        m.vazao = real(vazao(l));
        m.area = real(area(l));
        m.velocidade = real(velocidade(l));
        m.ordem = static_cast<int>(i);
        lista.push_back(m);
    }
    std::stable_sort(lista.begin(), lista.end(), [](const MedicaoHidro& a, const MedicaoHidro& b) {
        return std::tie(a.numero, a.data, a.hora, a.ordem) <
               std::tie(b.numero, b.data, b.hora, b.ordem);
    });
    return lista;
}

std::vector<PerfilHidro> FonteHidro::perfis(int codigo) {
    const TabelaMdb& v = tabela("PerfilTransversalVert");
    const Coluna registroVertical(v, "RegistroID"), verticalRemovida(v, "Removido");
    QHash<double, int> verticais;
    for (const auto& l : v.linhas)
        if (!registroVertical(l).isNull() && !igual(verticalRemovida(l), 1))
            ++verticais[registroVertical(l).toDouble()];

    const TabelaMdb& t = tabela("PerfilTransversal");
    const Coluna registro(t, "RegistroID"), estacao(t, "EstacaoCodigo"), removido(t, "Removido"),
        data(t, "Data"), hora(t, "Hora"), levantamento(t, "NumLevantamento"),
        nivel(t, "NivelConsistencia");
    std::vector<PerfilHidro> lista;
    std::vector<QDateTime> datas;
    for (const auto& l : t.linhas) {
        if (!igual(estacao(l), codigo) || igual(removido(l), 1) || registro(l).isNull())
            continue;
        PerfilHidro p;
        p.registroId = registro(l).toDouble();
        p.verticais = verticais.value(p.registroId);
        if (p.verticais == 0)
            continue;
        if (identificadoresReais_)
            p.identificador = p.registroId;
        const QDateTime d = dataHora(data(l));
        p.data = d.date();
        p.hora = dataHora(hora(l)).time();
        p.numLevantamento = levantamento(l);
        p.nivel = nivel(l);
        lista.push_back(p);
        datas.push_back(d);
    }
    std::vector<size_t> ordem(lista.size());
    for (size_t i = 0; i < ordem.size(); ++i)
        ordem[i] = i;
    std::stable_sort(ordem.begin(), ordem.end(), [&](size_t a, size_t b) {
        return datas[b].isValid() && (!datas[a].isValid() || datas[a] < datas[b]);
    });
    std::vector<PerfilHidro> ordenada;
    for (size_t i : ordem)
        ordenada.push_back(lista[i]);
    return ordenada;
}

std::vector<VerticalHidro> FonteHidro::verticais(int codigo, double registroId) {
    const TabelaMdb& t = tabela("PerfilTransversal");
    const Coluna registro(t, "RegistroID"), estacao(t, "EstacaoCodigo");
    const bool doPerfil = std::any_of(t.linhas.begin(), t.linhas.end(), [&](const auto& l) {
        return igual(estacao(l), codigo) && !registro(l).isNull() &&
               registro(l).toDouble() == registroId;
    });
    std::vector<std::pair<std::optional<double>, std::optional<double>>> lista;
    if (doPerfil) {
        const TabelaMdb& v = tabela("PerfilTransversalVert");
        const Coluna registroVertical(v, "RegistroID"), distancia(v, "Distancia"), cota(v, "Cota"),
            removido(v, "Removido");
        for (const auto& l : v.linhas)
            if (!registroVertical(l).isNull() && registroVertical(l).toDouble() == registroId &&
                !igual(removido(l), 1))
                lista.emplace_back(real(distancia(l)), real(cota(l)));
    }
    std::stable_sort(lista.begin(), lista.end(),
                     [](const auto& a, const auto& b) { return antes(a.first, b.first); });
    std::vector<VerticalHidro> resultado;
    for (const auto& [x, y] : lista)
        if (x && y)  // a vertical without distance or stage is no point of the section
            resultado.push_back({*x, *y});
    return resultado;
}

std::vector<RioHidro> FonteHidro::rios() {
    const TabelaMdb& t = tabela("Rio");
    const Coluna codigo(t, "Codigo"), nome(t, "Nome");
    std::vector<RioHidro> lista;
    for (const auto& l : t.linhas)
        if (const auto c = inteiro(codigo(l)))
            lista.push_back({*c, nome(l).toString()});
    return lista;
}

}  // namespace lumeno
