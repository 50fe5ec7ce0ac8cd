#include "analysis/ui/ComandosAjustesSalvos.h"

#include "analysis/DadosEstacao.h"
#include "analysis/LegendaCurva.h"
#include "analysis/ui/ComandosExtrapolacao.h"
#include "analysis/ui/TAjustesSalvos.h"
#include "analysis/ui/TSalvarAjuste.h"
#include "analysis/ui/TTabelaCotaVazao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "components/ArvoreFormatada.h"
#include "components/PainelGrafico.h"
#include "curves/CriacaoCurva.h"
#include "curves/TracadoCurva.h"
#include "data/TDM.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <optional>

namespace lumeno {

namespace {

const QString atencao = QStringLiteral("Atenção");

// A saved curve drawn when it was: with two rows or more.
bool tracavel(const CurvaSalva& s) {
    return s.totalMedicoes >= 2;
}

QString legendaOpcao(const ResumoAjusteSalvo& r) {
    const QString validade = textoValidade(r.validoDe, r.validoAte);
    return validade.isEmpty() ? r.nome
                              : r.nome + QStringLiteral(" (") + validade + QLatin1Char(')');
}

}  // namespace

const QString ComandosAjustesSalvos::perguntaFechar =
    QStringLiteral("As curvas ajustadas não foram salvas. Deseja salvar o ajuste antes de fechar?");
const QString ComandosAjustesSalvos::perguntaAbrir = QStringLiteral(
    "As curvas ajustadas não foram salvas. Deseja salvar o ajuste antes de abrir outro?");

ComandosAjustesSalvos::ComandosAjustesSalvos(Contexto& contexto, TTelaMedicao& tela)
    : contexto_(contexto), tela_(tela) {
    mnuAjustesSalvos = new QMenu(QStringLiteral("&Ajustes salvos"), tela.MenuMedicao);
    tela.MenuMedicao->insertMenu(tela.mnuExtrapolacao->menuAction(), mnuAjustesSalvos);
    om_SalvarAjuste = mnuAjustesSalvos->addAction(QStringLiteral("&Salvar ajuste..."));
    om_AbrirAjuste = mnuAjustesSalvos->addAction(QStringLiteral("&Abrir ajuste salvo..."));
    om_SobreporAjuste = mnuAjustesSalvos->addAction(QStringLiteral("S&obrepor ajuste salvo..."));
    om_RemoverSobreposicoes =
        mnuAjustesSalvos->addAction(QStringLiteral("&Remover ajustes sobrepostos"));
    om_ExcluirAjuste = mnuAjustesSalvos->addAction(QStringLiteral("&Excluir ajuste salvo..."));
    mnuAjustesSalvos->addSeparator();
    om_TabelaCotaVazao = mnuAjustesSalvos->addAction(QStringLiteral("&Tabela cota-vazão..."));

    dlgSalvar = new TSalvarAjuste(contexto, &tela);
    dlgAjustes = new TAjustesSalvos(contexto, &tela);
    dlgTabela = new TTabelaCotaVazao(contexto, &tela);

    Interacao& interacao = contexto_.interacao;
    QObject::connect(om_SalvarAjuste, &QAction::triggered, &tela,
                     comando(interacao, [this] { SalvarAjuste(); }));
    QObject::connect(om_AbrirAjuste, &QAction::triggered, &tela,
                     comando(interacao, [this] { AbrirAjusteSalvo(); }));
    QObject::connect(om_SobreporAjuste, &QAction::triggered, &tela,
                     comando(interacao, [this] { SobreporAjusteSalvo(); }));
    QObject::connect(om_RemoverSobreposicoes, &QAction::triggered, &tela,
                     comando(interacao, [this] { RemoverSobreposicoes(); }));
    QObject::connect(om_ExcluirAjuste, &QAction::triggered, &tela,
                     comando(interacao, [this] { ExcluirAjusteSalvo(); }));
    QObject::connect(om_TabelaCotaVazao, &QAction::triggered, &tela,
                     comando(interacao, [this] { TabelaCotaVazao(); }));
    QObject::connect(mnuAjustesSalvos, &QMenu::aboutToShow, &tela, [this] {
        om_SalvarAjuste->setEnabled(tela_.AjusteAtivo);
        om_RemoverSobreposicoes->setEnabled(!sobrepostos_.empty());
    });
}

ComandosAjustesSalvos::~ComandosAjustesSalvos() = default;

AjusteSalvo ComandosAjustesSalvos::ConteudoAtual() {
    AjusteSalvo a;
    a.estacao = tela_.Estacao();
    auto obrigatorios = lerPontosObrigatorios(contexto_.dm.conexao(), a.estacao);
    for (int n = 1; n <= tela_.TotalCurvas; ++n) {
        const CurvaTrecho& c = tela_.Trechos[static_cast<size_t>(n)];
        CurvaSalva s;
        s.numero = n;
        copiarParametros(c, s.curva);
        s.curva.Estacao = a.estacao;
        s.totalMedicoes = c.totalLinhas();
        s.condicao = c.Condicao;
        s.validade = tela_.Dados().ValidadeCurva(n);
        s.pontos = std::move(obrigatorios[n]);
        a.curvas.push_back(std::move(s));
    }
    for (int q = 1; q <= tela_.NumExtrapolacoes; ++q)
        a.extrapolacoes.push_back(tela_.Extrapolacoes[static_cast<size_t>(q)]);
    return a;
}

bool ComandosAjustesSalvos::Modificado() {
    if (!tela_.AjusteAtivo)
        return false;
    return !atual_ || !mesmoConteudo(ConteudoAtual(), *atual_);
}

void ComandosAjustesSalvos::mostrarNome() {
    tela_.setWindowTitle(atual_ ? tituloBase_ + QStringLiteral(" - ajuste salvo: ") + atual_->nome
                                : tituloBase_);
}

bool ComandosAjustesSalvos::SalvarAjuste() {
    Interacao& interacao = contexto_.interacao;
    if (!tela_.AjusteAtivo) {
        interacao.mensagem(QStringLiteral("Não há curvas ajustadas para salvar."), atencao);
        return false;
    }
    AjusteSalvo ajuste = ConteudoAtual();
    // The name, period and note of the rating last saved or opened; otherwise valid from the
    // earliest measurement of the curves on, with no end.
    QString nome, observacao;
    QDate de, ate;
    if (atual_) {
        nome = atual_->nome;
        de = atual_->validoDe;
        ate = atual_->validoAte;
        observacao = atual_->observacao;
    } else {
        for (int n = 1; n <= tela_.TotalCurvas; ++n)
            for (const LinhaMedida& l : tela_.Trechos[static_cast<size_t>(n)].Medicoes)
                if (l.data.isValid() && (!de.isValid() || l.data < de))
                    de = l.data;
    }
    AjustesSalvos salvos(contexto_.dm.conexao());
    for (;;) {
        dlgSalvar->preparar(nome, de, ate, observacao);
        interacao.executar(*dlgSalvar);
        if (!dlgSalvar->Confirmado)
            return false;
        nome = dlgSalvar->Nome();
        de = dlgSalvar->ValidoDe();
        ate = dlgSalvar->ValidoAte();
        observacao = dlgSalvar->Observacao();
        const auto existente = salvos.procurar(ajuste.estacao, nome);
        if (existente &&
            !interacao.pergunta(QStringLiteral("Já existe um ajuste salvo com o nome \"%1\" para "
                                               "esta estação. Deseja substituí-lo?")
                                    .arg(nome),
                                atencao))
            continue;
        ajuste.nome = nome;
        ajuste.validoDe = de;
        ajuste.validoAte = ate;
        ajuste.observacao = observacao;
        ajuste.salvoEm = QDateTime::currentDateTime();
        ajuste.id = salvos.salvar(ajuste, existente.has_value());
        atual_ = std::move(ajuste);
        mostrarNome();
        return true;
    }
}

std::optional<int> ComandosAjustesSalvos::escolher(const QString& titulo) {
    auto lista = AjustesSalvos(contexto_.dm.conexao()).listar(tela_.Estacao());
    if (lista.empty()) {
        contexto_.interacao.mensagem(QStringLiteral("Não há ajustes salvos para esta estação."),
                                     atencao);
        return std::nullopt;
    }
    dlgAjustes->preparar(titulo, std::move(lista));
    contexto_.interacao.executar(*dlgAjustes);
    if (!dlgAjustes->Confirmado || dlgAjustes->Escolhido() == 0)
        return std::nullopt;
    return dlgAjustes->Escolhido();
}

bool ComandosAjustesSalvos::ConfirmarDescarte(const QString& pergunta) {
    if (!Modificado())
        return true;
    switch (contexto_.interacao.perguntaSimNaoCancelar(pergunta, atencao)) {
        case Interacao::Resposta::Sim:
            return SalvarAjuste();
        case Interacao::Resposta::Nao:
            return true;
        case Interacao::Resposta::Cancelar:
            break;
    }
    return false;
}

bool ComandosAjustesSalvos::PodeFechar() {
    Interacao& interacao = contexto_.interacao;
    // When it cannot be told (the error is shown), the curves count as not saved.
    bool modificado = true;
    executarComando(interacao, [this, &modificado] { modificado = Modificado(); });
    if (!modificado)
        return true;
    switch (interacao.perguntaSimNaoCancelar(perguntaFechar, atencao)) {
        case Interacao::Resposta::Sim: {
            // A save that fails or is cancelled keeps the window open.
            bool salvo = false;
            executarComando(interacao, [this, &salvo] { salvo = SalvarAjuste(); });
            return salvo;
        }
        case Interacao::Resposta::Nao:
            return true;
        case Interacao::Resposta::Cancelar:
            break;
    }
    return false;
}

void ComandosAjustesSalvos::AbrirAjusteSalvo() {
    const auto id = escolher(QStringLiteral("Abrir ajuste salvo"));
    if (!id)
        return;
    if (!ConfirmarDescarte(perguntaAbrir))
        return;
    Abrir(AjustesSalvos(contexto_.dm.conexao()).ler(*id));
}

void ComandosAjustesSalvos::Abrir(const AjusteSalvo& ajuste) {
    // One redraw for the whole rating, when it is all in place (the message below comes
    // after it).
    std::optional<PainelGrafico::AtualizacaoAdiada> umaVez(std::in_place, *tela_.Grafico);
    tela_.ReiniciarConsulta = true;
    tela_.FormShow();
    Conexao& conexao = contexto_.dm.conexao();
    const int estacao = tela_.Estacao();
    QStringList semMedicoes;
    for (const CurvaSalva& s : ajuste.curvas) {
        if (!tela_.ReservarCurva())
            break;
        const int n = tela_.TotalCurvas;
        tela_.Grafico->removerUltimo();
        // Its mandatory points back as the temporary rows its condition selects.
        for (const PontoObrigatorio& p : s.pontos)
            inserirPontoObrigatorio(conexao, estacao, n, p, tela_.ContadorObrigatorios);
        CurvaTrecho& curva = tela_.Trechos[static_cast<size_t>(n)];
        CriarCurvaTrecho(curva, s.condicao, s.curva.Algoritmo, s.curva.Grau, s.curva.Cor, estacao,
                         conexao, [this](Consulta& q) { tela_.FormatQuery(q); });
        // The saved parameters and ranges, not a new fit.
        copiarParametros(s.curva, curva);
        // A curve drawn when it was saved that no longer selects two measurements.
        if (tela_.TracarERegistrar(n, s.validade) < 2 && tracavel(s))
            semMedicoes << QString::number(n);
    }
    tela_.ReconstruirLegenda();
    for (const RegistroExtrapolacao& e : ajuste.extrapolacoes)
        if (e.curva >= 1 && e.curva <= tela_.TotalCurvas &&
            tela_.NumExtrapolacoes < TTelaMedicao::maximoExtrapolacoes)
            tela_.Extrapolacao().registrar(e.curva, e);
    atual_ = ajuste;
    // What the window now holds is the reference for later changes (the rows of each curve
    // are those of today).
    const AjusteSalvo conteudo = ConteudoAtual();
    atual_->curvas = conteudo.curvas;
    atual_->extrapolacoes = conteudo.extrapolacoes;
    mostrarNome();
    umaVez.reset();
    if (!semMedicoes.isEmpty())
        contexto_.interacao.mensagem(
            QStringLiteral("O ajuste \"%1\" foi aberto, mas as curvas %2 não selecionam hoje ao "
                           "menos duas medições da estação e não foram traçadas. Seus parâmetros "
                           "continuam no ajuste salvo e na sua tabela cota-vazão.")
                .arg(ajuste.nome, semMedicoes.join(QStringLiteral(", "))),
            atencao);
}

void ComandosAjustesSalvos::desenhar(const AjusteSalvo& ajuste) {
    PainelGrafico& g = *tela_.Grafico;
    using Eixo = PainelGrafico::Eixo;
    auto ampliar = [&g](double vazao, double cota) {
        const auto x = g.faixa(Eixo::X);
        if (vazao > x.maximo)
            g.definirFaixa(Eixo::X, x.minimo, limiteAmpliado(x.maximo, vazao));
        const auto y = g.faixa(Eixo::Y);
        if (cota > y.maximo)
            g.definirFaixa(Eixo::Y, y.minimo, limiteAmpliado(y.maximo, cota));
    };
    for (const CurvaSalva& s : ajuste.curvas) {
        if (!tracavel(s))
            continue;
        QVector<QPointF> linha;
        for (const PontoCurva& p : pontosFaixa(s.curva))
            linha << QPointF(p.vazao, p.cota);
        g.polilinha(linha, corQt(s.curva.Cor), 1, Qt::DashLine);
        ampliar(linha.back().x(), linha.back().y());
    }
    for (const RegistroExtrapolacao& e : ajuste.extrapolacoes) {
        QVector<QPointF> linha;
        for (const PontoExtrapolado& p : e.pontos)
            linha << QPointF(p.vazao, p.cota);
        g.polilinha(linha, corQt(e.cor), 2, Qt::DashLine);
        ampliar(linha.back().x(), linha.back().y());
    }
}

void ComandosAjustesSalvos::Sobrepor(const AjusteSalvo& ajuste) {
    for (const AjusteSalvo& a : sobrepostos_)
        if (a.id == ajuste.id)
            return;
    sobrepostos_.push_back(ajuste);
    tela_.Grafico->removerUltimo();
    desenhar(ajuste);
    tela_.marcarPrimeira();
    tela_.ReconstruirLegenda();
    tela_.om_MostrarEquacoes->setChecked(true);
    tela_.AlternarEquacoes();
}

void ComandosAjustesSalvos::SobreporAjusteSalvo() {
    if (const auto id = escolher(QStringLiteral("Sobrepor ajuste salvo")))
        Sobrepor(AjustesSalvos(contexto_.dm.conexao()).ler(*id));
}

void ComandosAjustesSalvos::RemoverSobreposicoes() {
    if (sobrepostos_.empty())
        return;
    sobrepostos_.clear();
    // The chart redrawn whole: measurements, curves and the extrapolations made.
    tela_.RedesenharTudo();
    if (tela_.NumExtrapolacoes > 0) {
        tela_.Grafico->removerUltimo();
        for (int q = 1; q <= tela_.NumExtrapolacoes; ++q)
            tela_.Extrapolacao().TracarPontosExtrapolados(q);
        tela_.marcarPrimeira();
    }
    tela_.ReconstruirLegenda();
}

void ComandosAjustesSalvos::ExcluirAjusteSalvo() {
    const auto id = escolher(QStringLiteral("Excluir ajuste salvo"));
    if (!id)
        return;
    if (!contexto_.interacao.pergunta(QStringLiteral("Confirma a exclusão do ajuste salvo \"%1\"?")
                                          .arg(dlgAjustes->NomeEscolhido()),
                                      atencao))
        return;
    AjustesSalvos(contexto_.dm.conexao()).excluir(*id);
    // The curves on the chart are no longer saved anywhere.
    if (atual_ && atual_->id == *id) {
        atual_.reset();
        mostrarNome();
    }
}

ChaveCotaVazao ComandosAjustesSalvos::ChaveAtual() {
    std::vector<CurvaDoAjuste> curvas;
    for (int n = 1; n <= tela_.TotalCurvas; ++n) {
        const CurvaTrecho& c = tela_.Trechos[static_cast<size_t>(n)];
        if (c.totalLinhas() < 2)
            continue;
        CurvaDoAjuste d;
        d.numero = n;
        copiarParametros(c, d.curva);
        curvas.push_back(std::move(d));
    }
    std::vector<RegistroExtrapolacao> extrapolacoes;
    for (int q = 1; q <= tela_.NumExtrapolacoes; ++q)
        extrapolacoes.push_back(tela_.Extrapolacoes[static_cast<size_t>(q)]);
    return ChaveCotaVazao(std::move(curvas), std::move(extrapolacoes));
}

void ComandosAjustesSalvos::TabelaCotaVazao() {
    std::vector<TTabelaCotaVazao::Opcao> opcoes;
    if (tela_.AjusteAtivo)
        opcoes.push_back({atual_ ? QStringLiteral("Ajuste atual: ") + atual_->nome
                                 : QStringLiteral("Ajuste atual (não salvo)"),
                          [this] { return ChaveAtual(); }});
    Conexao& conexao = contexto_.dm.conexao();
    for (const ResumoAjusteSalvo& r : AjustesSalvos(conexao).listar(tela_.Estacao()))
        opcoes.push_back({legendaOpcao(r), [&conexao, id = r.id] {
                              const AjusteSalvo a = AjustesSalvos(conexao).ler(id);
                              std::vector<CurvaDoAjuste> curvas;
                              for (const CurvaSalva& s : a.curvas)
                                  if (tracavel(s))
                                      curvas.push_back({s.numero, s.curva});
                              return ChaveCotaVazao(std::move(curvas), a.extrapolacoes);
                          }});
    if (opcoes.empty()) {
        contexto_.interacao.mensagem(
            QStringLiteral("Não há curvas ajustadas nem ajustes salvos desta estação para montar "
                           "a tabela."),
            atencao);
        return;
    }
    const Consulta& estacoes = contexto_.dm.qu_estacao1;
    dlgTabela->preparar(estacoes.campo(QStringLiteral("Codigo")).comoTexto() + QLatin1Char(' ') +
                            estacoes.campo(QStringLiteral("Descricao")).comoTexto(),
                        std::move(opcoes));
    contexto_.interacao.executar(*dlgTabela);
}

void ComandosAjustesSalvos::AoCarregar() {
    atual_.reset();
    sobrepostos_.clear();
    tituloBase_ = tela_.windowTitle();
}

void ComandosAjustesSalvos::LegendaSobreposicoes() {
    ArvoreFormatada& arvore = *tela_.trvLegenda;
    for (const AjusteSalvo& a : sobrepostos_) {
        const QString fonte = QStringLiteral("<font face=\"Arial\" size = \"8\">");
        NoFormatado* raiz =
            arvore.adicionarRaiz(fonte + QStringLiteral("<b>") + a.nome.toHtmlEscaped() +
                                 QStringLiteral("</b> (tracejado)</font>"));
        const QString validade = textoValidade(a.validoDe, a.validoAte);
        if (!validade.isEmpty())
            arvore.adicionarFilho(
                raiz, fonte + QStringLiteral("válido ") + validade + QStringLiteral("</font>"));
        for (const CurvaSalva& s : a.curvas) {
            const QString texto = tracavel(s) ? GeraLegendaTexto(s.curva) : QString();
            if (!texto.isEmpty())
                arvore.adicionarFilho(raiz, texto);
        }
    }
    arvore.expandAll();
}

void ComandosAjustesSalvos::TracarSobreposicoes() {
    for (const AjusteSalvo& a : sobrepostos_)
        desenhar(a);
}

}  // namespace lumeno
