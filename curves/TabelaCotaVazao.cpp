#include "curves/TabelaCotaVazao.h"

#include "app/ErroLumeno.h"
#include "components/EscritorPlanilha.h"
#include "curves/AjusteCurva.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <charconv>
#include <cmath>

namespace lumeno {

namespace {

constexpr int linhasBiff5 = 16384;

bool faixaValida(const CurvaTrecho& c) {
    return std::isfinite(c.CotaMin) && std::isfinite(c.CotaMax) && c.CotaMin <= c.CotaMax;
}

// The discharge of curve `c` at `cota`, never below zero.
double vazao(const CurvaDoAjuste& c, double cota) {
    const double q = VazaoCurva(c.curva, cota);
    return q < 0 ? 0 : q;
}

// The discharge along an extrapolation's polyline; the stages increase (some may repeat).
double vazaoExtrapolada(const RegistroExtrapolacao& e, double cota) {
    const auto& p = e.pontos;
    size_t k = 0;
    while (k + 1 < p.size() && p[k + 1].cota <= cota)
        ++k;
    if (p[k].cota == cota || k + 1 == p.size())
        return p[k].vazao < 0 ? 0 : p[k].vazao;
    const double q = p[k].vazao + (p[k + 1].vazao - p[k].vazao) * (cota - p[k].cota) /
                                      (p[k + 1].cota - p[k].cota);
    return q < 0 ? 0 : q;
}

// Whether `a` wins over `b` when both could serve: the higher number.
bool antes(const CurvaDoAjuste& a, const CurvaDoAjuste* b) {
    return !b || a.numero >= b->numero;
}

QString numeroCsv(double v, bool virgula) {
    char texto[64];
    const auto r = std::to_chars(texto, texto + sizeof texto, v);
    QString s = QString::fromLatin1(texto, static_cast<qsizetype>(r.ptr - texto));
    if (virgula)
        s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString textoCsv(const QString& t, QChar separador) {
    if (!t.contains(separador) && !t.contains(QLatin1Char('"')) && !t.contains(QLatin1Char('\n')) &&
        !t.contains(QLatin1Char('\r')))
        return t;
    QString r = t;
    r.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + r + QLatin1Char('"');
}

// A row of texts. (Built cell by cell: an initializer list of variants is copied, which
// some compilers warn about.)
std::vector<CelulaExportacao> textos(std::initializer_list<QString> lista) {
    std::vector<CelulaExportacao> linha;
    linha.reserve(lista.size());
    for (const QString& t : lista)
        linha.emplace_back(std::in_place_type<QString>, t);
    return linha;
}

void cabecalhoGrade(GradeExportacao& grade, const CabecalhoTabela& c) {
    grade.push_back(textos({QStringLiteral("Estação: ") + c.estacao}));
    grade.push_back(textos({QStringLiteral("Ajuste: ") + c.ajuste}));
    grade.emplace_back();
}

}  // namespace

QString textoSituacao(SituacaoCota situacao) {
    switch (situacao) {
        case SituacaoCota::Medida:
            return QStringLiteral("medida");
        case SituacaoCota::Interpolada:
            return QStringLiteral("interpolada");
        case SituacaoCota::Extrapolada:
            return QStringLiteral("extrapolada");
    }
    return QString();
}

ChaveCotaVazao::ChaveCotaVazao(std::vector<CurvaDoAjuste> curvas,
                               std::vector<RegistroExtrapolacao> extrapolacoes) {
    for (CurvaDoAjuste& c : curvas) {
        const int a = c.curva.Algoritmo;
        if ((a == AlgoritmoCurva::Potencial || a == AlgoritmoCurva::Polinomial) &&
            faixaValida(c.curva)) {
            c.curva.Medicoes.clear();
            curvas_.push_back(std::move(c));
        }
    }
    for (RegistroExtrapolacao& e : extrapolacoes)
        if (e.metodo != 0)
            extrapolacoes_.push_back(e);
    for (size_t i = 1; i < curvas_.size(); ++i) {
        const CurvaDoAjuste& c = curvas_[i];
        const CurvaDoAjuste& baixa = maisBaixa();
        if (c.curva.CotaMin < baixa.curva.CotaMin ||
            (c.curva.CotaMin == baixa.curva.CotaMin && antes(c, &baixa)))
            maisBaixa_ = i;
        const CurvaDoAjuste& alta = maisAlta();
        if (c.curva.CotaMax > alta.curva.CotaMax ||
            (c.curva.CotaMax == alta.curva.CotaMax && antes(c, &alta)))
            maisAlta_ = i;
    }
}

double ChaveCotaVazao::cotaMinima() const {
    return curvas_.empty() ? 0 : maisBaixa().curva.CotaMin;
}

double ChaveCotaVazao::cotaMaxima() const {
    if (curvas_.empty())
        return 0;
    double maxima = maisAlta().curva.CotaMax;
    for (const RegistroExtrapolacao& e : extrapolacoes_)
        maxima = std::max(maxima, e.pontos.back().cota);
    return maxima;
}

CotaAvaliada ChaveCotaVazao::avaliar(double cota) const {
    const CurvaDoAjuste& maisBaixa = this->maisBaixa();
    const CurvaDoAjuste& maisAlta = this->maisAlta();
    if (std::isnan(cota))
        return {cota, cota, maisAlta.numero, SituacaoCota::Extrapolada};
    const CurvaDoAjuste* dentro = nullptr;
    for (const CurvaDoAjuste& c : curvas_)
        if (c.curva.CotaMin <= cota && cota <= c.curva.CotaMax && antes(c, dentro))
            dentro = &c;
    if (dentro)
        return {cota, vazao(*dentro, cota), dentro->numero, SituacaoCota::Medida};

    if (cota < maisBaixa.curva.CotaMin)
        return {cota, vazao(maisBaixa, cota), maisBaixa.numero, SituacaoCota::Extrapolada};

    if (cota > maisAlta.curva.CotaMax) {
        const RegistroExtrapolacao* escolhida = nullptr;
        for (const RegistroExtrapolacao& e : extrapolacoes_)
            if (e.pontos.front().cota <= cota && cota <= e.pontos.back().cota &&
                (!escolhida || e.curva >= escolhida->curva))
                escolhida = &e;
        if (escolhida)
            return {cota, vazaoExtrapolada(*escolhida, cota), escolhida->curva,
                    SituacaoCota::Extrapolada};
        return {cota, vazao(maisAlta, cota), maisAlta.numero, SituacaoCota::Extrapolada};
    }

    // In a gap: the nearest range below and the nearest above.
    const CurvaDoAjuste* abaixo = nullptr;
    const CurvaDoAjuste* acima = nullptr;
    for (const CurvaDoAjuste& c : curvas_) {
        if (c.curva.CotaMax < cota &&
            (!abaixo || c.curva.CotaMax > abaixo->curva.CotaMax ||
             (c.curva.CotaMax == abaixo->curva.CotaMax && antes(c, abaixo))))
            abaixo = &c;
        if (c.curva.CotaMin > cota &&
            (!acima || c.curva.CotaMin < acima->curva.CotaMin ||
             (c.curva.CotaMin == acima->curva.CotaMin && antes(c, acima))))
            acima = &c;
    }
    const double meio = (abaixo->curva.CotaMax + acima->curva.CotaMin) / 2;
    const CurvaDoAjuste& c = cota <= meio ? *abaixo : *acima;
    return {cota, vazao(c, cota), c.numero, SituacaoCota::Interpolada};
}

std::vector<CotaAvaliada> MontarTabelaCotaVazao(const ChaveCotaVazao& chave, double de, double ate,
                                                double passo) {
    if (chave.vazia())
        throw ErroLumeno(QStringLiteral("O ajuste não tem curvas traçadas para montar a tabela."),
                         QStringLiteral("Atenção"));
    if (!std::isfinite(de) || !std::isfinite(ate) || !std::isfinite(passo))
        throw ErroLumeno(QStringLiteral("As cotas e o passo da tabela devem ser números."),
                         QStringLiteral("Atenção"));
    if (!(passo > 0))
        throw ErroLumeno(QStringLiteral("O passo da tabela deve ser maior que zero."),
                         QStringLiteral("Atenção"));
    if (ate < de)
        throw ErroLumeno(QStringLiteral("A cota final da tabela deve ser igual ou maior que a "
                                        "cota inicial."),
                         QStringLiteral("Atenção"));
    const double intervalos = std::floor((ate - de) / passo + 1e-6);
    if (intervalos + 1 > maximoCotasTabela)
        throw ErroLumeno(QStringLiteral("A tabela teria %1 cotas; o máximo é %2. Aumente o passo "
                                        "ou reduza a faixa de cotas.")
                             .arg(intervalos + 1, 0, 'f', 0)
                             .arg(maximoCotasTabela),
                         QStringLiteral("Atenção"));
    const int n = static_cast<int>(intervalos) + 1;
    std::vector<CotaAvaliada> tabela;
    tabela.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double cota = std::round((de + i * passo) * 1e6) / 1e6;
        tabela.push_back(chave.avaliar(cota));
    }
    return tabela;
}

std::vector<LinhaDecimetro> TabelaDecimetrica(const std::vector<CotaAvaliada>& tabela) {
    std::vector<LinhaDecimetro> linhas;
    for (const CotaAvaliada& c : tabela) {
        const double inteira = std::round(c.cota);
        if (std::fabs(c.cota - inteira) > 1e-6 || std::fabs(inteira) > 1e15)
            continue;
        const auto cm = static_cast<long long>(inteira);
        const long long dm = (cm >= 0 ? cm / 10 : -((-cm + 9) / 10)) * 10;
        if (linhas.empty()) {
            linhas.push_back({dm, {}});
        } else if (dm < linhas.front().cota) {
            // Stages come in increasing order; a lower one only with a negative step.
            continue;
        }
        while (linhas.back().cota < dm)
            linhas.push_back({linhas.back().cota + 10, {}});
        if (linhas.back().cota == dm)
            linhas.back().celulas[static_cast<size_t>(cm - dm)] = c;
    }
    return linhas;
}

GradeExportacao GradeLista(const CabecalhoTabela& cabecalho,
                           const std::vector<CotaAvaliada>& tabela) {
    GradeExportacao grade;
    grade.reserve(tabela.size() + 4);
    cabecalhoGrade(grade, cabecalho);
    grade.push_back(textos({QStringLiteral("Cota (cm)"), QStringLiteral("Vazão (m³/s)"),
                            QStringLiteral("Curva"), QStringLiteral("Situação")}));
    for (const CotaAvaliada& c : tabela) {
        std::vector<CelulaExportacao>& linha = grade.emplace_back();
        linha.reserve(4);
        linha.emplace_back(c.cota);
        linha.emplace_back(c.vazao);
        linha.emplace_back(static_cast<double>(c.curva));
        linha.emplace_back(std::in_place_type<QString>, textoSituacao(c.situacao));
    }
    return grade;
}

GradeExportacao GradeDecimetrica(const CabecalhoTabela& cabecalho,
                                 const std::vector<LinhaDecimetro>& linhas) {
    GradeExportacao grade;
    grade.reserve(linhas.size() + 4);
    cabecalhoGrade(grade, cabecalho);
    std::vector<CelulaExportacao>& titulos =
        grade.emplace_back(textos({QStringLiteral("Cota (cm)")}));
    for (int cm = 0; cm < 10; ++cm)
        titulos.emplace_back(static_cast<double>(cm));
    for (const LinhaDecimetro& l : linhas) {
        std::vector<CelulaExportacao>& linha = grade.emplace_back();
        linha.reserve(11);
        linha.emplace_back(static_cast<double>(l.cota));
        for (const auto& celula : l.celulas)
            if (celula)
                linha.emplace_back(celula->vazao);
            else
                linha.emplace_back();
    }
    return grade;
}

QString TextoCsv(const GradeExportacao& grade, bool portugues) {
    const QChar separador = portugues ? QLatin1Char(';') : QLatin1Char(',');
    QString texto;
    texto.reserve(static_cast<qsizetype>(grade.size()) * 40);
    for (const auto& linha : grade) {
        for (size_t i = 0; i < linha.size(); ++i) {
            if (i > 0)
                texto += separador;
            if (const auto* t = std::get_if<QString>(&linha[i]))
                texto += textoCsv(*t, separador);
            else if (const auto* v = std::get_if<double>(&linha[i]))
                texto += numeroCsv(*v, portugues);
        }
        texto += QStringLiteral("\r\n");
    }
    return texto;
}

std::optional<FormatoTabela> formatoPorExtensao(const QString& arquivo) {
    const QString nome = arquivo.toLower();
    if (nome.endsWith(QStringLiteral(".xlsx")))
        return FormatoTabela::Xlsx;
    if (nome.endsWith(QStringLiteral(".xls")))
        return FormatoTabela::Xls;
    if (nome.endsWith(QStringLiteral(".csv")))
        return FormatoTabela::Csv;
    return std::nullopt;
}

void ExportarTabela(const GradeExportacao& grade, const QString& arquivo, FormatoTabela formato,
                    bool csvPortugues) {
    const QString nome = QDir::toNativeSeparators(arquivo);
    if (formato == FormatoTabela::Csv) {
        QSaveFile f(arquivo);
        if (!f.open(QIODevice::WriteOnly))
            throw ErroLumeno(QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                                 .arg(nome, f.errorString()));
        f.write("\xEF\xBB\xBF");
        f.write(TextoCsv(grade, csvPortugues).toUtf8());
        if (!f.commit())
            throw ErroLumeno(QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                                 .arg(nome, f.errorString()));
        return;
    }
    if (formato == FormatoTabela::Xls && grade.size() > static_cast<size_t>(linhasBiff5))
        throw ErroLumeno(QStringLiteral("A tabela tem %1 linhas e uma planilha .xls comporta %2. "
                                        "Exporte-a como .xlsx ou CSV, ou aumente o passo.")
                             .arg(grade.size())
                             .arg(linhasBiff5),
                         QStringLiteral("Atenção"));
    // The spreadsheet writer picks BIFF5 or xlsx by the name.
    if ((formato == FormatoTabela::Xlsx) != (formatoPorExtensao(arquivo) == FormatoTabela::Xlsx))
        throw ErroLumeno(
            QStringLiteral("O nome do arquivo %1 não corresponde ao formato escolhido.").arg(nome));
    EscritorPlanilha planilha(arquivo);
    for (size_t r = 0; r < grade.size(); ++r)
        for (size_t c = 0; c < grade[r].size(); ++c) {
            const int linha = static_cast<int>(r), coluna = static_cast<int>(c);
            if (const auto* t = std::get_if<QString>(&grade[r][c]))
                planilha.escreverTexto(coluna, linha, *t);
            else if (const auto* v = std::get_if<double>(&grade[r][c]))
                planilha.escreverNumero(coluna, linha, *v);
        }
    planilha.fechar();
}

}  // namespace lumeno
