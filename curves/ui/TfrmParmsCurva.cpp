#include "curves/ui/TfrmParmsCurva.h"

#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "app/ui/TfrmDigitarData.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/ArvoreFormatada.h"
#include "components/EditorNumero.h"
#include "curves/CriteriosAjuste.h"
#include "curves/ui/TDigitarPontoObrigatorio.h"
#include "data/TDM.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace lumeno {

namespace {

const QString naoSelecionado = QStringLiteral("<FONT color=\"clGray\">(não selecionado)</FONT>");

QString link(const QString& href, const QString& conteudo) {
    return QStringLiteral("<U><A href=\"") + href + QStringLiteral("\">") + conteudo +
           QStringLiteral("</A></U>");
}

QString linkAzul(const QString& href, const QString& texto) {
    return link(href,
                QStringLiteral("<FONT color=\"clBlue\">") + texto + QStringLiteral("</FONT>"));
}

QString linhaCor(std::uint32_t cor) {
    const QString c = corHtml(cor);
    return QStringLiteral("Cor da curva: ") +
           link(QStringLiteral("cor_curva"), QStringLiteral("<FONT bgcolor=\"#") + c +
                                                 QStringLiteral("\" color=\"#") + c +
                                                 QStringLiteral("\">  xxxx             </FONT>"));
}

const QString prefixoAlgoritmo = QStringLiteral("Algoritmo para cálculo da curva: ");

}  // namespace

TfrmParmsCurva::TfrmParmsCurva(Contexto& contexto, TDigitarPontoObrigatorio& pontoObrigatorio,
                               QWidget* pai)
    : QDialog(pai), contexto_(contexto), pontoObrigatorio_(pontoObrigatorio) {
    setWindowTitle(QStringLiteral("Critérios para ajuste automático"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* menu = new QMenuBar(this);
    layout->setMenuBar(menu);
    mniMostrarSecao = menu->addAction(QStringLiteral("Mostrar seção"));
    trvCurva = new ArvoreFormatada(this);
    trvCurva->definirValores(QStringLiteral("algoritmo"),
                             {QStringLiteral("Potencial (Ostrel)"), QStringLiteral("Polinomial")});
    layout->addWidget(trvCurva);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    bo_ok = new QPushButton(QStringLiteral("       &Ok"), this);
    bo_ok->setDefault(true);
    bo_cancela = new QPushButton(QStringLiteral("  &Cancela"), this);
    botoes->addWidget(bo_ok);
    botoes->addWidget(bo_cancela);
    layout->addLayout(botoes);
    setFixedSize(470, 400);

    connect(trvCurva, &ArvoreFormatada::linkClicado, this,
            comando(contexto_.interacao,
                    [this](NoFormatado* no, const QString& href) { linkClicado(no, href); }));
    connect(
        trvCurva, &ArvoreFormatada::valorEscolhido, this,
        comando(contexto_.interacao, [this](NoFormatado* no, const QString&, const QString& novo,
                                            const QString&) { algoritmoEscolhido(no, novo); }));
    connect(mniMostrarSecao, &QAction::triggered, this, comando(contexto_.interacao, [this] {
                if (contexto_.mostrarSecao)
                    contexto_.mostrarSecao();
            }));
    connect(bo_ok, &QPushButton::clicked, this, comando(contexto_.interacao, [this] {
                if (!CorEscolhida) {
                    contexto_.interacao.mensagem(QStringLiteral("Selecione a cor da curva"),
                                                 QStringLiteral("Atenção!"));
                    return;
                }
                if (!AlgoritmoEscolhido) {
                    contexto_.interacao.mensagem(
                        QStringLiteral("Selecione o algoritmo para traçado da curva"),
                        QStringLiteral("Atenção!"));
                    return;
                }
                Confirmado = true;
                accept();
            }));
    connect(bo_cancela, &QPushButton::clicked, this, comando(contexto_.interacao, [this] {
                Confirmado = false;
                reject();
            }));
}

void TfrmParmsCurva::preparar(const QString& codigo, const QString& descricao, int proximaCurva,
                              double cotaMinMedicoes) {
    codigo_ = codigo;
    descricao_ = descricao;
    proximaCurva_ = proximaCurva;
    cotaMinMedicoes_ = cotaMinMedicoes;
}

void TfrmParmsCurva::predefinirInicio(const QDate& data) {
    inicioPredefinido_ = data;
}

void TfrmParmsCurva::showEvent(QShowEvent* e) {
    carregarAoMostrar(contexto_.interacao, *this, [this] { montarArvore(); });
    QDialog::showEvent(e);
}

void TfrmParmsCurva::montarArvore() {
    trvCurva->clear();
    NoFormatado* raiz = trvCurva->adicionarRaiz(QStringLiteral("Estação ") + codigo_ +
                                                QLatin1Char(' ') + descricao_);
    const struct {
        const char* grupo;
        const char* inicio;
        const char* fim;
    } grupos[] = {{"Período", "periodo_inicio", "periodo_fim"},
                  {"Cotas", "cota_inicio", "cota_fim"},
                  {"Vazões", "vazao_inicio", "vazao_fim"}};
    NoFormatado* inicioPeriodo = nullptr;
    for (const auto& g : grupos) {
        NoFormatado* grupo = trvCurva->adicionarFilho(raiz, QString::fromUtf8(g.grupo));
        for (const auto& [prefixo, href] : {std::pair{"de ", g.inicio}, std::pair{"a ", g.fim}}) {
            NoFormatado* no = trvCurva->adicionarFilho(
                grupo, QLatin1String(prefixo) + link(QLatin1String(href), naoSelecionado));
            no->definirRegistro(tDadosItem{tDadosItem::Criterio, {}, {}, 0, {}});
            if (!inicioPeriodo)
                inicioPeriodo = no;
        }
    }
    if (inicioPredefinido_.isValid()) {
        definirData(inicioPeriodo, true, QStringLiteral("periodo_inicio"), inicioPredefinido_);
        inicioPredefinido_ = QDate();
    }
    trvCurva->adicionarFilho(
        raiz,
        QStringLiteral(
            "<U><A href=\"ponto_obr\"><FONT color=\"clBlack\">Ponto obrigatório</FONT></A></U>"));

    // Defaults of the next curve.
    auto padrao = contexto_.dm.novaConsulta();
    padrao->SQL << QStringLiteral("select cor, algoritmo,parm from curva_default")
                << QStringLiteral("where trecho = ") + QString::number(proximaCurva_);
    padrao->abrir();
    NoFormatado* cor;
    NoFormatado* algoritmo;
    if (!padrao->vazio()) {
        const auto valorCor =
            static_cast<std::uint32_t>(padrao->campo(QStringLiteral("cor")).comoReal());
        Algoritmo = padrao->campo(QStringLiteral("algoritmo")).comoInteiro();
        Parametro = padrao->campo(QStringLiteral("parm")).comoInteiro();
        cor = trvCurva->adicionarFilho(raiz, linhaCor(valorCor));
        cor->definirRegistro(tDadosItem{tDadosItem::Cor, {}, {}, valorCor, corHtml(valorCor)});
        const QString texto =
            Algoritmo == 1 ? QStringLiteral("Potencial (Ostrel), h0=") + QString::number(Parametro)
                           : QStringLiteral("Polinomial, grau ") + QString::number(Parametro);
        algoritmo = trvCurva->adicionarFilho(
            raiz, prefixoAlgoritmo + linkAzul(QStringLiteral("algoritmo"), texto));
        CorEscolhida = AlgoritmoEscolhido = Confirmado = true;
    } else {
        CorEscolhida = AlgoritmoEscolhido = Confirmado = false;
        Algoritmo = 0;
        Parametro = 0;
        cor = trvCurva->adicionarFilho(raiz, QStringLiteral("Cor da curva: ") +
                                                 link(QStringLiteral("cor_curva"), naoSelecionado));
        cor->definirRegistro(tDadosItem{tDadosItem::Cor, {}, {}, 0, {}});
        algoritmo = trvCurva->adicionarFilho(
            raiz, prefixoAlgoritmo + link(QStringLiteral("algoritmo"), naoSelecionado));
    }
    algoritmo->definirRegistro(tDadosItem{tDadosItem::Criterio, {}, {}, 0, {}});
    trvCurva->expandAll();
    trvCurva->selecionar(raiz);
}

void TfrmParmsCurva::linkClicado(NoFormatado* no, const QString& href) {
    if (href == QLatin1String("periodo_inicio") || href == QLatin1String("periodo_fim"))
        escolherData(no, href == QLatin1String("periodo_inicio"), href);
    else if (href == QLatin1String("cota_inicio") || href == QLatin1String("cota_fim"))
        escolherValor(no, true, href == QLatin1String("cota_inicio"), href);
    else if (href == QLatin1String("vazao_inicio") || href == QLatin1String("vazao_fim"))
        escolherValor(no, false, href == QLatin1String("vazao_inicio"), href);
    else if (href.startsWith(QLatin1String("ponto_obr")))
        escolherPonto(no);
    else if (href == QLatin1String("cor_curva"))
        escolherCor(no);
}

void TfrmParmsCurva::escolherData(NoFormatado* no, bool inicio, const QString& href) {
    tDadosItem* item = no->registro<tDadosItem>();
    TfrmDigitarData& prompt = *contexto_.frmDigitarData;
    QDate inicial = QDate::currentDate();
    if (item && !item->Texto.isEmpty())
        inicial = lerData(item->Texto);
    prompt.edtData->setDate(inicial);
    contexto_.interacao.executar(prompt);
    if (!prompt.Confirmado || !item)
        return;
    definirData(no, inicio, href, prompt.edtData->date());
}

void TfrmParmsCurva::definirData(NoFormatado* no, bool inicio, const QString& href,
                                 const QDate& data) {
    tDadosItem* item = no->registro<tDadosItem>();
    const Criterio c = criterioPeriodo(inicio, data);
    item->Condicao = c.condicao;
    item->Descricao = c.descricao;
    item->Texto = dataTexto(data);
    const QString prefixo = inicio ? QStringLiteral("a partir de ") : QStringLiteral("até  ");
    no->definirLegenda(prefixo + linkAzul(href, item->Texto));
    trvCurva->viewport()->update();
}

void TfrmParmsCurva::escolherValor(NoFormatado* no, bool cota, bool inicio, const QString& href) {
    tDadosItem* item = no->registro<tDadosItem>();
    TfrmDigitarNumero& prompt = *contexto_.frmDigitarNumero;
    const double inicial = item && !item->Texto.isEmpty() ? lerReal(item->Texto) : 0;
    prompt.preparar(cota ? QStringLiteral("Cota (cm)") : QStringLiteral("Vazão (m³/s)"), 2,
                    inicial);
    contexto_.interacao.executar(prompt);
    if (!prompt.Confirmado || !item)
        return;
    const double valor = prompt.valor();
    const Criterio c = cota ? criterioCota(inicio, valor) : criterioVazao(inicio, valor);
    item->Condicao = c.condicao;
    item->Descricao = c.descricao;
    item->Texto = prompt.edtNumero->text();
    QString prefixo;
    if (cota)
        prefixo = inicio ? QStringLiteral("iniciando na cota ") : QStringLiteral("até a cota ");
    else
        prefixo = inicio ? QStringLiteral("iniciando na vazão ") : QStringLiteral("até a vazão ");
    no->definirLegenda(prefixo + linkAzul(href, numeroTexto(valor)));
    trvCurva->viewport()->update();
}

void TfrmParmsCurva::escolherPonto(NoFormatado* no) {
    tDadosItem* item = no->registro<tDadosItem>();
    const bool linhaDosPontos = !item;
    pontoObrigatorio_.preparar(linhaDosPontos ? PontoObrigatorio{}
                                              : desempacotarPonto(item->Texto));
    contexto_.interacao.executar(pontoObrigatorio_);
    if (!pontoObrigatorio_.Confirmado)
        return;
    NoFormatado* alvo = no;
    if (linhaDosPontos) {
        alvo = trvCurva->adicionarFilho(
            no, linkAzul(QStringLiteral("ponto_obr"), QStringLiteral("ponto obrigatório novo")));
        alvo->definirRegistro(tDadosItem{tDadosItem::Obrigatorio, {}, {}, 0, {}});
        no->setExpanded(true);
    }
    const PontoObrigatorio p = pontoObrigatorio_.ponto();
    alvo->registro<tDadosItem>()->Texto = empacotarPonto(p);
    alvo->definirLegenda(linkAzul(QStringLiteral("ponto_obr"), descreverPonto(p)));
    trvCurva->viewport()->update();
}

void TfrmParmsCurva::definirLinhaCor(NoFormatado* no, std::uint32_t cor) {
    tDadosItem* item = no->registro<tDadosItem>();
    item->Valor = cor;
    item->Texto = corHex(cor);
    item->Tipo = tDadosItem::Cor;
    no->definirLegenda(linhaCor(cor));
    CorEscolhida = true;
    trvCurva->viewport()->update();
}

void TfrmParmsCurva::escolherCor(NoFormatado* no) {
    const tDadosItem* item = no->registro<tDadosItem>();
    if (!item)
        return;
    const QColor inicial = item->Texto.isEmpty() ? QColor(Qt::black) : corQt(item->Valor);
    if (const auto cor = contexto_.interacao.escolherCor(inicial))
        definirLinhaCor(no, corWindows(*cor));
}

void TfrmParmsCurva::algoritmoEscolhido(NoFormatado* no, const QString& novo) {
    TfrmDigitarNumero& prompt = *contexto_.frmDigitarNumero;
    Interacao& interacao = contexto_.interacao;
    if (novo == QLatin1String("Polinomial")) {
        prompt.preparar(QStringLiteral("Grau do polinômio"), 0, Parametro);
        interacao.executar(prompt);
        if (!prompt.Confirmado)
            return;
        const double grau = prompt.valor();
        if (grau < 1 || grau > 8) {
            interacao.mensagem(QStringLiteral("Grau do polinômio deve estar entre 1 e 8"),
                               QStringLiteral("Atenção"));
            return;
        }
        Parametro = static_cast<int>(std::lround(grau));
        Algoritmo = 2;
        no->definirLegenda(prefixoAlgoritmo + linkAzul(QStringLiteral("algoritmo"),
                                                       QStringLiteral("polinomial, grau ") +
                                                           QString::number(Parametro)));
    } else {
        prompt.preparar(QStringLiteral("H0 inicial (cm)"), 0, Parametro);
        interacao.executar(prompt);
        if (!prompt.Confirmado)
            return;
        const double h0 = prompt.valor();
        if (h0 >= cotaMinMedicoes_) {
            interacao.mensagem(
                QStringLiteral("Valor de h0 deve ser inferior à menor cota da estação!"),
                QStringLiteral("Erro"));
            return;
        }
        Parametro = static_cast<int>(std::lround(h0));
        Algoritmo = 1;
        no->definirLegenda(prefixoAlgoritmo +
                           linkAzul(QStringLiteral("algoritmo"),
                                    QStringLiteral("potencial (Ostrel), h0=") +
                                        QString::number(Parametro) + QStringLiteral(" cm")));
    }
    AlgoritmoEscolhido = true;
    trvCurva->viewport()->update();
}

CriteriosDaCurva TfrmParmsCurva::criterios() const {
    CriteriosDaCurva r;
    for (NoFormatado* no : trvCurva->nos()) {
        const tDadosItem* item = no->registro<tDadosItem>();
        if (!item)
            continue;
        if (!item->Condicao.isEmpty()) {
            if (!r.condicoes.isEmpty())
                r.condicoes << QStringLiteral(" and ");
            r.condicoes << QLatin1Char('(') + item->Condicao + QLatin1Char(')');
            r.descricoes << item->Descricao;
        }
        if (item->Tipo == tDadosItem::Cor)
            r.cor = item->Valor;
        if (item->Tipo == tDadosItem::Obrigatorio && !item->Texto.isEmpty())
            r.pontos.push_back(desempacotarPonto(item->Texto));
    }
    return r;
}

}  // namespace lumeno
