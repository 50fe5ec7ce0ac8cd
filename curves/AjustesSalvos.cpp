#include "curves/AjustesSalvos.h"

#include "app/ErroLumeno.h"
#include "app/Formato.h"
#include "data/Conexao.h"
#include "data/Consulta.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

namespace lumeno {

namespace {

constexpr int tamanhoNome = 60;

// Doubles are stored as they are (in columns without a declared type, which keep −0);
// SQLite keeps no NaN, so a NaN is stored as NULL and read back as NaN.
QVariant real(double v) {
    return std::isnan(v) ? QVariant() : QVariant(v);
}

double real(const QVariant& v) {
    return v.isNull() ? std::numeric_limits<double>::quiet_NaN() : v.toDouble();
}

QVariant dataIso(const QDate& d) {
    return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
}

QDate dataDeIso(const QVariant& v) {
    return v.isNull() ? QDate() : QDate::fromString(v.toString(), Qt::ISODate);
}

QDateTime momentoDeIso(const QVariant& v) {
    return v.isNull() ? QDateTime() : QDateTime::fromString(v.toString(), Qt::ISODate);
}

bool mesmosBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool mesmaCurva(const CurvaSalva& a, const CurvaSalva& b) {
    const CurvaTrecho& x = a.curva;
    const CurvaTrecho& y = b.curva;
    if (a.numero != b.numero || a.totalMedicoes != b.totalMedicoes || a.condicao != b.condicao ||
        a.validade != b.validade || a.pontos.size() != b.pontos.size() ||
        x.Algoritmo != y.Algoritmo || x.Grau != y.Grau || x.Cor != y.Cor)
        return false;
    for (const auto& [u, v] : {std::pair{x.H0, y.H0},
                               {x.K, y.K},
                               {x.M, y.M},
                               {x.R, y.R},
                               {x.CotaMin, y.CotaMin},
                               {x.CotaMax, y.CotaMax},
                               {x.VazaoMin, y.VazaoMin},
                               {x.VazaoMax, y.VazaoMax}})
        if (!mesmosBits(u, v))
            return false;
    for (size_t i = 0; i < x.Coeficientes.size(); ++i)
        if (!mesmosBits(x.Coeficientes[i], y.Coeficientes[i]))
            return false;
    for (size_t i = 0; i < a.pontos.size(); ++i)
        if (!mesmosBits(a.pontos[i].cota, b.pontos[i].cota) ||
            !mesmosBits(a.pontos[i].vazao, b.pontos[i].vazao) ||
            a.pontos[i].peso != b.pontos[i].peso)
            return false;
    return true;
}

bool mesmaExtrapolacao(const RegistroExtrapolacao& a, const RegistroExtrapolacao& b) {
    if (a.metodo != b.metodo || a.cor != b.cor || a.curva != b.curva || !mesmosBits(a.K, b.K))
        return false;
    for (size_t k = 0; k < a.pontos.size(); ++k)
        if (!mesmosBits(a.pontos[k].cota, b.pontos[k].cota) ||
            !mesmosBits(a.pontos[k].vazao, b.pontos[k].vazao) ||
            !mesmosBits(a.fatores[k], b.fatores[k]) || !mesmosBits(a.areas[k], b.areas[k]))
            return false;
    return true;
}

// The tables of a rating's parts, each with the column that names the rating.
const char* const partes[][2] = {
    {"PontoExtrapolacaoSalvo", "Ajuste"}, {"ExtrapolacaoSalva", "Ajuste"},
    {"PontoObrigatorioSalvo", "Ajuste"},  {"ValidadeCurvaSalva", "Ajuste"},
    {"CondicaoCurvaSalva", "Ajuste"},     {"CurvaSalva", "Ajuste"},
    {"AjusteSalvo", "IdAjuste"},
};

void validar(const AjusteSalvo& a) {
    if (a.nome.trimmed().isEmpty())
        throw ErroLumeno(QStringLiteral("Digite o nome do ajuste."), QStringLiteral("Atenção"));
    if (a.nome.trimmed().size() > tamanhoNome)
        throw ErroLumeno(
            QStringLiteral("O nome do ajuste deve ter no máximo %1 caracteres.").arg(tamanhoNome),
            QStringLiteral("Atenção"));
    if (a.validoDe.isValid() && a.validoAte.isValid() && a.validoAte < a.validoDe)
        throw ErroLumeno(
            QStringLiteral("O fim da validade do ajuste deve ser igual ou posterior ao início."),
            QStringLiteral("Atenção"));
    if (a.curvas.empty())
        throw ErroLumeno(QStringLiteral("Não há curvas ajustadas para salvar."),
                         QStringLiteral("Atenção"));
    for (size_t i = 0; i < a.curvas.size(); ++i)
        if (a.curvas[i].numero != static_cast<int>(i) + 1)
            throw ErroLumeno(QStringLiteral("As curvas do ajuste devem ser numeradas de 1 a %1.")
                                 .arg(a.curvas.size()));
    for (const RegistroExtrapolacao& e : a.extrapolacoes)
        if (e.curva < 1 || e.curva > static_cast<int>(a.curvas.size()))
            throw ErroLumeno(QStringLiteral("Extrapolação de uma curva que o ajuste não tem (%1).")
                                 .arg(e.curva));
}

}  // namespace

QString textoValidade(const QDate& de, const QDate& ate) {
    if (de.isValid() && ate.isValid())
        return QStringLiteral("de ") + dataTexto(de) + QStringLiteral(" a ") + dataTexto(ate);
    if (de.isValid())
        return QStringLiteral("a partir de ") + dataTexto(de);
    if (ate.isValid())
        return QStringLiteral("até ") + dataTexto(ate);
    return QString();
}

void copiarParametros(const CurvaTrecho& de, CurvaTrecho& para) {
    para.Algoritmo = de.Algoritmo;
    para.Grau = de.Grau;
    para.H0 = de.H0;
    para.K = de.K;
    para.M = de.M;
    para.R = de.R;
    para.Coeficientes = de.Coeficientes;
    para.Cor = de.Cor;
    para.CotaMin = de.CotaMin;
    para.CotaMax = de.CotaMax;
    para.VazaoMin = de.VazaoMin;
    para.VazaoMax = de.VazaoMax;
}

bool mesmoConteudo(const AjusteSalvo& a, const AjusteSalvo& b) {
    if (a.curvas.size() != b.curvas.size() || a.extrapolacoes.size() != b.extrapolacoes.size())
        return false;
    for (size_t i = 0; i < a.curvas.size(); ++i)
        if (!mesmaCurva(a.curvas[i], b.curvas[i]))
            return false;
    for (size_t i = 0; i < a.extrapolacoes.size(); ++i)
        if (!mesmaExtrapolacao(a.extrapolacoes[i], b.extrapolacoes[i]))
            return false;
    return true;
}

std::vector<PontoObrigatorio> lerPontosObrigatorios(Conexao& conexao, int estacao, int curva) {
    auto todos = lerPontosObrigatorios(conexao, estacao);
    const auto it = todos.find(curva);
    return it == todos.end() ? std::vector<PontoObrigatorio>() : std::move(it->second);
}

std::map<int, std::vector<PontoObrigatorio>> lerPontosObrigatorios(Conexao& conexao, int estacao) {
    Consulta q(conexao);
    q.SQL << QStringLiteral("select ponto_obrigatorio, cota, vazao, count(*) as peso")
          << QStringLiteral("from medida where estacao = :est and ponto_obrigatorio <> 0")
          << QStringLiteral("group by ponto_obrigatorio, cota, vazao")
          << QStringLiteral("order by ponto_obrigatorio, cota, vazao");
    q.definirParametro(QStringLiteral("est"), estacao);
    q.abrir();
    std::map<int, std::vector<PontoObrigatorio>> pontos;
    for (q.primeiro(); !q.eof(); q.proximo())
        pontos[q.campo(QStringLiteral("ponto_obrigatorio")).comoInteiro()].push_back(
            {q.campo(QStringLiteral("cota")).comoReal(),
             q.campo(QStringLiteral("vazao")).comoReal(),
             q.campo(QStringLiteral("peso")).comoInteiro()});
    return pontos;
}

std::vector<ResumoAjusteSalvo> AjustesSalvos::listar(int estacao) {
    Consulta q(conexao_);
    q.SQL << QStringLiteral(
                 "select a.IdAjuste, a.Nome, a.ValidoDe, a.ValidoAte, a.SalvoEm, a.Observacao,")
          << QStringLiteral(
                 "(select count(*) from CurvaSalva c where c.Ajuste = a.IdAjuste) "
                 "as total")
          << QStringLiteral("from AjusteSalvo a where a.Estacao = :est")
          << QStringLiteral("order by a.ValidoDe, a.Nome COLLATE NOCASE");
    q.definirParametro(QStringLiteral("est"), estacao);
    q.abrir();
    std::vector<ResumoAjusteSalvo> r;
    for (q.primeiro(); !q.eof(); q.proximo())
        r.push_back({q.campo(QStringLiteral("IdAjuste")).comoInteiro(),
                     q.campo(QStringLiteral("Nome")).comoTexto(),
                     dataDeIso(q.valor(QStringLiteral("ValidoDe"))),
                     dataDeIso(q.valor(QStringLiteral("ValidoAte"))),
                     momentoDeIso(q.valor(QStringLiteral("SalvoEm"))),
                     q.campo(QStringLiteral("Observacao")).comoTexto(),
                     q.campo(QStringLiteral("total")).comoInteiro()});
    return r;
}

std::optional<int> AjustesSalvos::procurar(int estacao, const QString& nome) {
    Consulta q(conexao_);
    q.SQL << QStringLiteral("select IdAjuste from AjusteSalvo")
          << QStringLiteral("where Estacao = :est and Nome = :nome COLLATE NOCASE");
    q.definirParametro(QStringLiteral("est"), estacao);
    q.definirParametro(QStringLiteral("nome"), nome.trimmed());
    q.abrir();
    if (q.vazio())
        return std::nullopt;
    return q.campo(QStringLiteral("IdAjuste")).comoInteiro();
}

AjusteSalvo AjustesSalvos::ler(int id) {
    auto consulta = [this, id](const QString& sql) {
        auto q = std::make_unique<Consulta>(conexao_);
        q->SQL << sql;
        q->definirParametro(QStringLiteral("id"), id);
        q->abrir();
        return q;
    };
    AjusteSalvo a;
    {
        auto q = consulta(QStringLiteral("select * from AjusteSalvo where IdAjuste = :id"));
        if (q->vazio())
            throw ErroLumeno(QStringLiteral("O ajuste salvo não foi encontrado no banco de dados."),
                             QStringLiteral("Erro"));
        a.id = id;
        a.estacao = q->campo(QStringLiteral("Estacao")).comoInteiro();
        a.nome = q->campo(QStringLiteral("Nome")).comoTexto();
        a.validoDe = dataDeIso(q->valor(QStringLiteral("ValidoDe")));
        a.validoAte = dataDeIso(q->valor(QStringLiteral("ValidoAte")));
        a.salvoEm = momentoDeIso(q->valor(QStringLiteral("SalvoEm")));
        a.observacao = q->campo(QStringLiteral("Observacao")).comoTexto();
    }
    {
        auto q =
            consulta(QStringLiteral("select * from CurvaSalva where Ajuste = :id order by Numero"));
        const int cA0 = q->indiceCampo(QStringLiteral("A0"));
        for (q->primeiro(); !q->eof(); q->proximo()) {
            CurvaSalva s;
            s.numero = q->campo(QStringLiteral("Numero")).comoInteiro();
            CurvaTrecho& c = s.curva;
            c.Algoritmo = q->campo(QStringLiteral("Algoritmo")).comoInteiro();
            c.Grau = q->campo(QStringLiteral("Grau")).comoInteiro();
            c.H0 = real(q->valor(QStringLiteral("H0")));
            c.K = real(q->valor(QStringLiteral("K")));
            c.M = real(q->valor(QStringLiteral("M")));
            c.R = real(q->valor(QStringLiteral("R")));
            for (int i = 0; i < static_cast<int>(c.Coeficientes.size()); ++i)
                c.Coeficientes[static_cast<size_t>(i)] = real(q->valor(cA0 + i));
            c.Cor = static_cast<std::uint32_t>(q->valor(QStringLiteral("Cor")).toLongLong());
            c.CotaMin = real(q->valor(QStringLiteral("CotaMin")));
            c.CotaMax = real(q->valor(QStringLiteral("CotaMax")));
            c.VazaoMin = real(q->valor(QStringLiteral("VazaoMin")));
            c.VazaoMax = real(q->valor(QStringLiteral("VazaoMax")));
            c.Estacao = a.estacao;
            s.totalMedicoes = q->campo(QStringLiteral("TotalMedicoes")).comoInteiro();
            a.curvas.push_back(std::move(s));
        }
    }
    auto curva = [&a](int numero) -> CurvaSalva* {
        for (CurvaSalva& s : a.curvas)
            if (s.numero == numero)
                return &s;
        return nullptr;
    };
    for (const bool condicao : {true, false}) {
        auto q = consulta(QStringLiteral("select Curva, Texto from %1 where Ajuste = :id "
                                         "order by Curva, Ordem")
                              .arg(condicao ? QStringLiteral("CondicaoCurvaSalva")
                                            : QStringLiteral("ValidadeCurvaSalva")));
        for (q->primeiro(); !q->eof(); q->proximo())
            if (CurvaSalva* s = curva(q->campo(QStringLiteral("Curva")).comoInteiro()))
                (condicao ? s->condicao : s->validade)
                    << q->valor(QStringLiteral("Texto")).toString();
    }
    {
        auto q =
            consulta(QStringLiteral("select * from PontoObrigatorioSalvo where Ajuste = :id "
                                    "order by Curva, Ordem"));
        for (q->primeiro(); !q->eof(); q->proximo())
            if (CurvaSalva* s = curva(q->campo(QStringLiteral("Curva")).comoInteiro()))
                s->pontos.push_back({real(q->valor(QStringLiteral("Cota"))),
                                     real(q->valor(QStringLiteral("Vazao"))),
                                     q->campo(QStringLiteral("Peso")).comoInteiro()});
    }
    {
        auto q = consulta(
            QStringLiteral("select * from ExtrapolacaoSalva where Ajuste = :id order by Numero"));
        for (q->primeiro(); !q->eof(); q->proximo()) {
            RegistroExtrapolacao e;
            e.metodo = q->campo(QStringLiteral("Metodo")).comoInteiro();
            e.curva = q->campo(QStringLiteral("Curva")).comoInteiro();
            e.cor = static_cast<std::uint32_t>(q->valor(QStringLiteral("Cor")).toLongLong());
            e.K = real(q->valor(QStringLiteral("KManning")));
            a.extrapolacoes.push_back(e);
        }
        auto p =
            consulta(QStringLiteral("select * from PontoExtrapolacaoSalvo where Ajuste = :id "
                                    "order by Extrapolacao, Ordem"));
        for (p->primeiro(); !p->eof(); p->proximo()) {
            const int q = p->campo(QStringLiteral("Extrapolacao")).comoInteiro();
            const int k = p->campo(QStringLiteral("Ordem")).comoInteiro();
            if (q < 1 || q > static_cast<int>(a.extrapolacoes.size()) || k < 1 ||
                k > pontosExtrapolacao)
                continue;
            RegistroExtrapolacao& e = a.extrapolacoes[static_cast<size_t>(q - 1)];
            const auto i = static_cast<size_t>(k - 1);
            e.pontos[i] = {real(p->valor(QStringLiteral("Vazao"))),
                           real(p->valor(QStringLiteral("Cota")))};
            e.fatores[i] = real(p->valor(QStringLiteral("Fator")));
            e.areas[i] = real(p->valor(QStringLiteral("Area")));
        }
    }
    return a;
}

int AjustesSalvos::salvar(const AjusteSalvo& ajuste, bool substituir) {
    validar(ajuste);
    const QString nome = ajuste.nome.trimmed();
    Transacao transacao(conexao_);
    if (const auto existente = procurar(ajuste.estacao, nome)) {
        if (!substituir)
            throw ErroLumeno(
                QStringLiteral("Já existe um ajuste salvo com o nome \"%1\" para esta estação.")
                    .arg(nome),
                QStringLiteral("Atenção"));
        apagar(*existente);
    }

    Consulta cabecalho(conexao_);
    cabecalho.SQL << QStringLiteral(
                         "insert into AjusteSalvo (Estacao, Nome, ValidoDe, ValidoAte, SalvoEm, "
                         "Observacao)")
                  << QStringLiteral("values (:est, :nome, :de, :ate, :salvo, :obs)");
    cabecalho.definirParametro(QStringLiteral("est"), ajuste.estacao);
    cabecalho.definirParametro(QStringLiteral("nome"), nome);
    cabecalho.definirParametro(QStringLiteral("de"), dataIso(ajuste.validoDe));
    cabecalho.definirParametro(QStringLiteral("ate"), dataIso(ajuste.validoAte));
    const QDateTime salvo =
        ajuste.salvoEm.isValid() ? ajuste.salvoEm : QDateTime::currentDateTime();
    cabecalho.definirParametro(QStringLiteral("salvo"), salvo.toString(Qt::ISODate));
    cabecalho.definirParametro(QStringLiteral("obs"), ajuste.observacao);
    cabecalho.executar();
    Consulta ultimo(conexao_);
    ultimo.SQL << QStringLiteral("select last_insert_rowid() as id");
    ultimo.abrir();
    const int id = ultimo.campo(QStringLiteral("id")).comoInteiro();

    Consulta curva(conexao_);
    curva.SQL << QStringLiteral(
                     "insert into CurvaSalva (Ajuste, Numero, Algoritmo, Grau, H0, K, M, R, A0, "
                     "A1, A2, A3, A4, A5, A6, A7, A8, A9, Cor, CotaMin, CotaMax, VazaoMin, "
                     "VazaoMax, TotalMedicoes)")
              << QStringLiteral(
                     "values (:id, :n, :alg, :grau, :h0, :k, :m, :r, :a0, :a1, :a2, :a3, :a4, "
                     ":a5, :a6, :a7, :a8, :a9, :cor, :cmin, :cmax, :vmin, :vmax, :total)");
    curva.definirParametro(QStringLiteral("id"), id);
    Consulta linha(conexao_);
    linha.definirParametro(QStringLiteral("id"), id);
    Consulta ponto(conexao_);
    ponto.SQL << QStringLiteral(
        "insert into PontoObrigatorioSalvo (Ajuste, Curva, Ordem, Cota, Vazao, Peso) "
        "values (:id, :n, :ordem, :cota, :vazao, :peso)");
    ponto.definirParametro(QStringLiteral("id"), id);
    for (const CurvaSalva& s : ajuste.curvas) {
        const CurvaTrecho& c = s.curva;
        curva.definirParametro(QStringLiteral("n"), s.numero);
        curva.definirParametro(QStringLiteral("alg"), c.Algoritmo);
        curva.definirParametro(QStringLiteral("grau"), c.Grau);
        curva.definirParametro(QStringLiteral("h0"), real(c.H0));
        curva.definirParametro(QStringLiteral("k"), real(c.K));
        curva.definirParametro(QStringLiteral("m"), real(c.M));
        curva.definirParametro(QStringLiteral("r"), real(c.R));
        for (int i = 0; i < static_cast<int>(c.Coeficientes.size()); ++i)
            curva.definirParametro(QStringLiteral("a%1").arg(i),
                                   real(c.Coeficientes[static_cast<size_t>(i)]));
        curva.definirParametro(QStringLiteral("cor"), static_cast<qlonglong>(c.Cor));
        curva.definirParametro(QStringLiteral("cmin"), real(c.CotaMin));
        curva.definirParametro(QStringLiteral("cmax"), real(c.CotaMax));
        curva.definirParametro(QStringLiteral("vmin"), real(c.VazaoMin));
        curva.definirParametro(QStringLiteral("vmax"), real(c.VazaoMax));
        curva.definirParametro(QStringLiteral("total"), s.totalMedicoes);
        curva.executar();

        linha.definirParametro(QStringLiteral("n"), s.numero);
        for (const bool condicao : {true, false}) {
            linha.SQL = QStringList{QStringLiteral("insert into %1 (Ajuste, Curva, Ordem, Texto) "
                                                   "values (:id, :n, :ordem, :texto)")
                                        .arg(condicao ? QStringLiteral("CondicaoCurvaSalva")
                                                      : QStringLiteral("ValidadeCurvaSalva"))};
            const QStringList& textos = condicao ? s.condicao : s.validade;
            for (int i = 0; i < textos.size(); ++i) {
                linha.definirParametro(QStringLiteral("ordem"), i + 1);
                linha.definirParametro(QStringLiteral("texto"), textos[i]);
                linha.executar();
            }
        }

        ponto.definirParametro(QStringLiteral("n"), s.numero);
        for (size_t i = 0; i < s.pontos.size(); ++i) {
            ponto.definirParametro(QStringLiteral("ordem"), static_cast<int>(i) + 1);
            ponto.definirParametro(QStringLiteral("cota"), real(s.pontos[i].cota));
            ponto.definirParametro(QStringLiteral("vazao"), real(s.pontos[i].vazao));
            ponto.definirParametro(QStringLiteral("peso"), s.pontos[i].peso);
            ponto.executar();
        }
    }

    Consulta extrapolacao(conexao_);
    extrapolacao.SQL << QStringLiteral(
        "insert into ExtrapolacaoSalva (Ajuste, Numero, Curva, Metodo, Cor, KManning) "
        "values (:id, :q, :curva, :metodo, :cor, :k)");
    extrapolacao.definirParametro(QStringLiteral("id"), id);
    Consulta pontoExtrapolado(conexao_);
    pontoExtrapolado.SQL << QStringLiteral(
        "insert into PontoExtrapolacaoSalvo (Ajuste, Extrapolacao, Ordem, Cota, Vazao, Fator, "
        "Area) values (:id, :q, :ordem, :cota, :vazao, :fator, :area)");
    pontoExtrapolado.definirParametro(QStringLiteral("id"), id);
    for (size_t i = 0; i < ajuste.extrapolacoes.size(); ++i) {
        const RegistroExtrapolacao& e = ajuste.extrapolacoes[i];
        const int q = static_cast<int>(i) + 1;
        extrapolacao.definirParametro(QStringLiteral("q"), q);
        extrapolacao.definirParametro(QStringLiteral("curva"), e.curva);
        extrapolacao.definirParametro(QStringLiteral("metodo"), e.metodo);
        extrapolacao.definirParametro(QStringLiteral("cor"), static_cast<qlonglong>(e.cor));
        extrapolacao.definirParametro(QStringLiteral("k"), real(e.K));
        extrapolacao.executar();
        pontoExtrapolado.definirParametro(QStringLiteral("q"), q);
        for (size_t k = 0; k < e.pontos.size(); ++k) {
            pontoExtrapolado.definirParametro(QStringLiteral("ordem"), static_cast<int>(k) + 1);
            pontoExtrapolado.definirParametro(QStringLiteral("cota"), real(e.pontos[k].cota));
            pontoExtrapolado.definirParametro(QStringLiteral("vazao"), real(e.pontos[k].vazao));
            pontoExtrapolado.definirParametro(QStringLiteral("fator"), real(e.fatores[k]));
            pontoExtrapolado.definirParametro(QStringLiteral("area"), real(e.areas[k]));
            pontoExtrapolado.executar();
        }
    }
    transacao.confirmar();
    return id;
}

void AjustesSalvos::apagar(int id) {
    for (const auto& [tabela, coluna] : partes) {
        Consulta q(conexao_);
        q.SQL << QStringLiteral("delete from %1 where %2 = :id")
                     .arg(QLatin1String(tabela), QLatin1String(coluna));
        q.definirParametro(QStringLiteral("id"), id);
        q.executar();
    }
}

void AjustesSalvos::excluir(int id) {
    Transacao transacao(conexao_);
    apagar(id);
    transacao.confirmar();
}

void AjustesSalvos::excluirDaEstacao(int estacao) {
    std::optional<Transacao> transacao;
    if (!conexao_.emTransacao())
        transacao.emplace(conexao_);
    for (const ResumoAjusteSalvo& r : listar(estacao))
        apagar(r.id);
    if (transacao)
        transacao->confirmar();
}

}  // namespace lumeno
