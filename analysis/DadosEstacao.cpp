#include "analysis/DadosEstacao.h"

#include "app/Formato.h"
#include "data/Consulta.h"

#include <functional>

namespace lumeno {

namespace {
const QString formatoValor = QStringLiteral("###0.00");

QString fmt(double v) {
    return formatar(v, formatoValor);
}
}  // namespace

void DadosEstacao::Reiniciar() {
    raizes_.clear();
    categorias_.clear();
    itens_.clear();
    figuras_ = {{FiguraItem::Medicao, 0}, {FiguraItem::Limite, 0}};
    codigo_.clear();
}

QString DadosEstacao::legendaSimples(const QString& link, const QString& rotulo) {
    return QStringLiteral("<U><A href=\"") + link + QStringLiteral("\">") + rotulo +
           QStringLiteral("</A></U>");
}

QString DadosEstacao::legendaColorida(const QString& link, const QString& rotulo,
                                      std::uint32_t cor) {
    return QStringLiteral("<U><A href=\"") + link + QStringLiteral("\"><FONT color=\"#") +
           corHtml(cor) + QStringLiteral("\">") + rotulo + QStringLiteral("</FONT></A></U>");
}

NoDados* DadosEstacao::AdicionarNo(NoDados* pai, const QString& legenda, int tipo,
                                   const QString& texto, double valor, std::uint32_t cor) {
    auto no = std::make_unique<NoDados>();
    no->legenda = legenda;
    no->dados = {tipo, texto, valor, cor};
    no->pai = pai;
    NoDados* r = no.get();
    (pai ? pai->filhos : raizes_).push_back(std::move(no));
    return r;
}

std::vector<const NoDados*> DadosEstacao::nos() const {
    std::vector<const NoDados*> r;
    std::function<void(const NoDados&)> visitar = [&](const NoDados& n) {
        r.push_back(&n);
        for (const auto& f : n.filhos)
            visitar(*f);
    };
    for (const auto& raiz : raizes_)
        visitar(*raiz);
    return r;
}

NoDados* DadosEstacao::AcharNo(int tipo, double valor) const {
    for (const NoDados* n : nos())
        if (n->dados.tipo == tipo && n->dados.valor == valor)
            return const_cast<NoDados*>(n);
    return nullptr;
}

NoDados* DadosEstacao::AcharFilho(const NoDados* no, int tipo) {
    if (!no)
        return nullptr;
    for (const auto& f : no->filhos)
        if (f->dados.tipo == tipo)
            return f.get();
    return nullptr;
}

bool DadosEstacao::PossuiCategoria(int tipoLista) const {
    for (const auto& e : itens_)
        if (e.item.tipoLista == tipoLista)
            return true;
    return false;
}

void DadosEstacao::AdicionarCategoria(const QString& legenda, int tipoLista) {
    for (const auto& c : categorias_)
        if (c.tipoLista == tipoLista)
            return;
    categorias_.push_back({legenda, tipoLista});
}

void DadosEstacao::AdicionarItem(const QString& legenda, int figura, int tipoLista,
                                 ItemDadosEstacao item) {
    item.legenda = legenda.left(40);
    item.figura = figura;
    item.tipoLista = tipoLista;
    itens_.push_back({legenda, figura, QString::number(tipoLista), std::move(item)});
}

int DadosEstacao::AdicionarFigura(FiguraItem::Tipo tipo, std::uint32_t cor) {
    figuras_.push_back({tipo, cor});
    return static_cast<int>(figuras_.size()) - 1;
}

void DadosEstacao::PreencherCarga(const QString& codigo, const QString& descricao,
                                  Consulta& medidas, double cotaMin, double cotaMax,
                                  double vazaoMin, double vazaoMax) {
    Reiniciar();
    codigo_ = codigo;
    NoDados* raiz =
        AdicionarNo(nullptr, QStringLiteral("Estação ") + codigo + QLatin1Char(' ') + descricao, 0,
                    QStringLiteral("Estação ") + codigo + QLatin1Char(' ') + descricao, 0);
    const QString medicoes = QStringLiteral("Medições da estação");
    NoDados* grupo = AdicionarNo(raiz, medicoes, 1, medicoes, 0);
    AdicionarCategoria(medicoes, TipoLista::Medicao);

    QString numero, data;
    {
        PercursoSilencioso percurso(medidas);
        for (medidas.primeiro(); !medidas.eof(); medidas.proximo()) {
            numero = medidas.campo(QStringLiteral("numero")).comoTexto();
            data = medidas.campo(QStringLiteral("data")).comoTexto();
            const double cota = medidas.campo(QStringLiteral("cota")).comoReal();
            const double vazao = medidas.campo(QStringLiteral("vazao")).comoReal();
            NoDados* no = AdicionarNo(grupo, legendaSimples(numero, data), 10,
                                      numero + QLatin1Char(' ') + data, 0);
            AdicionarNo(
                no,
                legendaSimples(QStringLiteral("c") + numero, QStringLiteral("cota  ") + fmt(cota)),
                11, fmt(cota), cota);
            AdicionarNo(
                no,
                legendaSimples(QStringLiteral("v") + numero, QStringLiteral("vazão ") + fmt(vazao)),
                12, fmt(vazao), vazao);
            ItemDadosEstacao item;
            item.numero = medidas.campo(QStringLiteral("numero")).comoInteiro();
            item.cota = cota;
            item.vazao = vazao;
            item.area = medidas.valor(QStringLiteral("area"));
            item.velocidade = medidas.valor(QStringLiteral("velocidade"));
            item.data = data.left(10);
            AdicionarItem(formatar(medidas.campo(QStringLiteral("numero")).comoReal(),
                                   QStringLiteral("000")) +
                              QStringLiteral("  ") + data,
                          figuraMedicao, TipoLista::Medicao, std::move(item));
        }
    }

    const QString limites = QStringLiteral("Limites de cotas e vazões da estação");
    AdicionarCategoria(limites, TipoLista::Limite);
    const struct {
        const char* rotulo;
        double valor;
    } extremos[] = {{"Cota mínima", cotaMin},
                    {"Cota máxima", cotaMax},
                    {"Vazão mínima", vazaoMin},
                    {"Vazão máxima", vazaoMax}};
    for (const auto& e : extremos) {
        ItemDadosEstacao item;
        item.rotulo = QString::fromUtf8(e.rotulo);
        item.valor = e.valor;
        const QString legenda = item.rotulo + QStringLiteral(": ") + fmt(e.valor);
        AdicionarItem(legenda, figuraLimite, TipoLista::Limite, std::move(item));
    }

    NoDados* grupoLimites = AdicionarNo(raiz, limites, 1, limites, 0);
    const QString texto = numero + QLatin1Char(' ') + data;
    NoDados* cotas =
        AdicionarNo(grupoLimites, legendaSimples(numero, QStringLiteral("Cota")), 10, texto, 0);
    NoDados* vazoes =
        AdicionarNo(grupoLimites, legendaSimples(numero, QStringLiteral("Vazão")), 10, texto, 0);
    const QString c = QStringLiteral("c") + numero;
    AdicionarNo(cotas, legendaSimples(c, QStringLiteral("cota min ") + fmt(cotaMin)), 11,
                fmt(cotaMin), cotaMin);
    AdicionarNo(cotas, legendaSimples(c, QStringLiteral("cota max ") + fmt(cotaMax)), 11,
                fmt(cotaMax), cotaMax);
    AdicionarNo(vazoes, legendaSimples(c, QStringLiteral("vazão min ") + fmt(vazaoMin)), 11,
                fmt(vazaoMin), vazaoMin);
    AdicionarNo(vazoes, legendaSimples(c, QStringLiteral("vazão max ") + fmt(vazaoMax)), 11,
                fmt(vazaoMax), vazaoMax);
}

void DadosEstacao::adicionarParametros(NoDados* parametros, const CurvaTrecho& curva) {
    const std::uint32_t cor = curva.Cor;
    if (curva.Algoritmo == AlgoritmoCurva::Potencial) {
        const QString k = formatar(curva.K, QStringLiteral("###0.000000"));
        const QString m = formatar(curva.M, QStringLiteral("###0.000000"));
        const QString h0 = formatar(curva.H0, QStringLiteral("###0.00"));
        const QString r = formatar(curva.R, QStringLiteral("###0.00000"));
        AdicionarNo(parametros,
                    legendaColorida(QStringLiteral("parmExpK"), QStringLiteral("k  ") + k, cor), 21,
                    k, curva.K, cor);
        AdicionarNo(parametros,
                    legendaColorida(QStringLiteral("parmExpM"), QStringLiteral("m  ") + m, cor), 22,
                    m, curva.M, cor);
        AdicionarNo(parametros,
                    legendaColorida(QStringLiteral("parmExpH0"), QStringLiteral("h0 ") + h0, cor),
                    23, h0, curva.H0, cor);
        AdicionarNo(parametros,
                    legendaColorida(QStringLiteral("parmExpH0"), QStringLiteral("R  ") + r, cor),
                    23, r, curva.R, cor);
    } else if (curva.Algoritmo == AlgoritmoCurva::Polinomial) {
        for (int i = 0; i <= curva.Grau && i < static_cast<int>(curva.Coeficientes.size()); ++i) {
            const double a = curva.Coeficientes[static_cast<size_t>(i)];
            AdicionarNo(
                parametros,
                legendaColorida(QStringLiteral("parmExpK"),
                                QStringLiteral("k") + QString::number(i) + QLatin1Char(' ') +
                                    formatar(a, QStringLiteral("###0.00000000000")),
                                cor),
                21 + i, formatar(a, QStringLiteral("###0.000000000")), a, cor);
        }
    }
}

void DadosEstacao::adicionarValidade(NoDados* selecao, const QStringList& linhas,
                                     std::uint32_t cor) {
    for (int i = 0; i < linhas.size(); ++i)
        AdicionarNo(selecao, legendaColorida(QStringLiteral("parmExpK"), linhas[i], cor), -21 - i,
                    linhas[i], 0, cor);
}

void DadosEstacao::MontaDadosCurva(const CurvaTrecho& curva, int numero,
                                   const QStringList& validade, Conexao& conexao,
                                   const QStringList& notas) {
    const QString n = QString::number(numero);
    const QString l = curva.Algoritmo == AlgoritmoCurva::Potencial
                          ? QStringLiteral("Potencial")
                          : QStringLiteral("Polinomial, grau ") + QString::number(curva.Grau);
    const std::uint32_t cor = curva.Cor;

    if (!PossuiCategoria(TipoLista::Curva))
        AdicionarCategoria(QStringLiteral("Curvas"), TipoLista::Curva);
    // The "Curvas" group: the first node of kind 2.
    NoDados* curvas = nullptr;
    for (const NoDados* no : nos())
        if (no->dados.tipo == 2) {
            curvas = const_cast<NoDados*>(no);
            break;
        }
    if (!curvas)
        curvas = AdicionarNo(raizes_.empty() ? nullptr : raizes_.front().get(),
                             QStringLiteral("Curvas"), 2, QStringLiteral("Curvas"), numero);

    QStringList linhas = validade;
    if (linhas.isEmpty())
        linhas << QStringLiteral("Todos as medições da estação");
    linhas << notas;
    ItemDadosEstacao item;
    item.numero = numero;
    for (int i = 0; i < linhas.size() && i < 21; ++i)
        item.validade << linhas[i].left(60);
    AdicionarItem(l, AdicionarFigura(FiguraItem::Curva, cor), TipoLista::Curva, std::move(item));

    NoDados* noCurva = AdicionarNo(curvas, legendaColorida(QStringLiteral("curva") + n, l, cor), 20,
                                   l, numero, cor);

    NoDados* parametros = AdicionarNo(
        noCurva, legendaColorida(QStringLiteral("curva") + n, QStringLiteral("Parâmetros"), cor),
        -20, l, 0, cor);
    adicionarParametros(parametros, curva);

    NoDados* selecao = AdicionarNo(
        noCurva, legendaColorida(QStringLiteral("selecao") + n, QStringLiteral("Validade"), cor),
        -20, l, 0, cor);
    adicionarValidade(selecao, linhas, cor);

    NoDados* amplitude = AdicionarNo(noCurva,
                                     legendaColorida(QStringLiteral("limite") + n,
                                                     QStringLiteral("Amplitude das medições"), cor),
                                     -20, QStringLiteral("Amplitude das medições"), 0, cor);
    const int tipoAmplitude = -21 - static_cast<int>(linhas.size());
    const struct {
        const char* rotulo;
        double valor;
    } faixas[] = {{"cota min ", curva.CotaMin},
                  {"cota máx ", curva.CotaMax},
                  {"vazão min ", curva.VazaoMin},
                  {"vazão máx ", curva.VazaoMax}};
    for (const auto& f : faixas) {
        const QString rotulo = QString::fromUtf8(f.rotulo) + fmt(f.valor);
        AdicionarNo(amplitude, legendaColorida(QStringLiteral("parmExpK"), rotulo, cor),
                    tipoAmplitude, rotulo, f.valor, cor);
    }

    Consulta obrigatorios(conexao);
    obrigatorios.SQL
        << QStringLiteral(
               "select cota, vazao,count(*) as peso from medida where ponto_obrigatorio=") +
               n + QStringLiteral(" and Estacao = ") + QString::number(curva.Estacao) +
               QStringLiteral(" group by cota, vazao");
    obrigatorios.abrir();
    if (!obrigatorios.vazio() && (obrigatorios.campo(QStringLiteral("cota")).comoReal() != 0 ||
                                  obrigatorios.campo(QStringLiteral("vazao")).comoReal() != 0)) {
        NoDados* grupo = AdicionarNo(noCurva,
                                     legendaColorida(QStringLiteral("ponto_obr") + n,
                                                     QStringLiteral("Pontos obrigatórios"), cor),
                                     -90, l, 0, cor);
        int r = 1;
        for (obrigatorios.primeiro(); !obrigatorios.eof(); obrigatorios.proximo(), ++r) {
            const double cota = obrigatorios.campo(QStringLiteral("cota")).comoReal();
            const double vazao = obrigatorios.campo(QStringLiteral("vazao")).comoReal();
            const double peso = obrigatorios.campo(QStringLiteral("peso")).comoReal();
            const QString rotulo =
                QStringLiteral("cota ") + fmt(cota) + QStringLiteral(", vazão ") + fmt(vazao) +
                QStringLiteral(", peso ") + formatar(peso, QStringLiteral("###0"));
            const QString texto = QStringLiteral("cota ") + numeroTexto(cota) +
                                  QStringLiteral(", vazão ") + numeroTexto(vazao) +
                                  QStringLiteral(", peso ") + numeroTexto(peso);
            AdicionarNo(
                grupo,
                legendaColorida(QStringLiteral("ponto_obr") + QString::number(r), rotulo, cor), 81,
                texto, 0, cor);
        }
    }
}

QStringList DadosEstacao::ValidadeCurva(int numero) const {
    QStringList linhas;
    const NoDados* curva = AcharNo(20, numero);
    if (!curva)
        return linhas;
    const QString link =
        QStringLiteral("<U><A href=\"selecao") + QString::number(numero) + QLatin1Char('"');
    for (const auto& grupo : curva->filhos)
        if (grupo->dados.tipo == -20 && grupo->legenda.startsWith(link)) {
            for (const auto& linha : grupo->filhos)
                linhas << linha->dados.texto;
            break;
        }
    return linhas;
}

bool DadosEstacao::AtualizarCurva(const CurvaTrecho& curva, int numero,
                                  const QStringList& validade) {
    NoDados* noCurva = AcharNo(20, numero);
    if (!noCurva)
        return false;
    const QString n = QString::number(numero);
    const QString parametros = QStringLiteral("<U><A href=\"curva") + n + QLatin1Char('"');
    const QString selecao = QStringLiteral("<U><A href=\"selecao") + n + QLatin1Char('"');
    const QString amplitude = QStringLiteral("<U><A href=\"limite") + n + QLatin1Char('"');
    for (const auto& grupo : noCurva->filhos) {
        if (grupo->dados.tipo != -20)
            continue;
        if (grupo->legenda.startsWith(parametros)) {
            grupo->filhos.clear();
            adicionarParametros(grupo.get(), curva);
        } else if (grupo->legenda.startsWith(selecao)) {
            grupo->filhos.clear();
            adicionarValidade(grupo.get(), validade, curva.Cor);
        } else if (grupo->legenda.startsWith(amplitude)) {
            // Numbered after the validity lines.
            for (const auto& faixa : grupo->filhos)
                faixa->dados.tipo = -21 - static_cast<int>(validade.size());
        }
    }
    for (EntradaItem& e : itens_)
        if (e.item.tipoLista == TipoLista::Curva && e.item.numero == numero) {
            e.item.validade.clear();
            for (int i = 0; i < validade.size() && i < 21; ++i)
                e.item.validade << validade[i].left(60);
        }
    return true;
}

QString DadosEstacao::rotuloMetodo(int metodo) {
    switch (metodo) {
        case MetodoExtrapolacao::Logaritmico:
            return QStringLiteral("Logarítmo");
        case MetodoExtrapolacao::Stevens:
            return QStringLiteral("Stevens");
        case MetodoExtrapolacao::Manning:
            return QStringLiteral("Manning");
        default:
            return QString();
    }
}

bool DadosEstacao::MontaDadosExtrapolacao(int numeroCurva, std::uint32_t corCurva, int q,
                                          const RegistroExtrapolacao& registro) {
    NoDados* noCurva = AcharNo(20, numeroCurva);
    if (!noCurva)
        return false;
    if (!PossuiCategoria(TipoLista::Extrapolacao))
        AdicionarCategoria(QStringLiteral("Extrapolações"), TipoLista::Extrapolacao);
    const QString extrapolacoes = QStringLiteral("Extrapolações");
    NoDados* grupo = AcharFilho(noCurva, -80);
    if (!grupo)
        grupo = AdicionarNo(noCurva, extrapolacoes, -80, extrapolacoes, 0);

    const QString rotulo = rotuloMetodo(registro.metodo);
    const double topo = registro.pontos.back().cota;
    NoDados* no = AdicionarNo(
        grupo, legendaColorida(QStringLiteral("extrap") + QString::number(q), rotulo, registro.cor),
        -81, rotulo, q, corCurva);
    AdicionarNo(no,
                legendaColorida(QStringLiteral("Cotaextrp") + QString::number(numeroCurva),
                                QStringLiteral("Trecho extrapolado: ") + fmt(topo), registro.cor),
                -82, rotulo, 0, corCurva);

    ItemDadosEstacao item;
    item.numero = numeroCurva;
    item.numeroExtrapolacao = q;
    item.cotaExtrapolada = topo;
    AdicionarItem(rotulo, AdicionarFigura(FiguraItem::Extrapolacao, registro.cor),
                  TipoLista::Extrapolacao, std::move(item));
    return true;
}

}  // namespace lumeno
