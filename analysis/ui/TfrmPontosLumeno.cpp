#include "analysis/ui/TfrmPontosLumeno.h"

#include "analysis/ui/TTelaMedicao.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/LarguraColunas.h"
#include "curves/ui/TfrmEscolherAlgoritmo.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace lumeno {

namespace {
// The state of a row's box as the window last saw it.
constexpr int papelMarcada = Qt::UserRole + 1;
constexpr int maiorGrau = 8;
}  // namespace

TfrmPontosLumeno::TfrmPontosLumeno(Contexto& contexto, QWidget* pai)
    : QDialog(pai), contexto_(contexto) {
    setWindowTitle(QStringLiteral("Conjuntos de pontos definidos"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    lstPontos = new QTreeWidget(this);
    lstPontos->setRootIsDecorated(false);
    lstPontos->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstPontos->setSelectionMode(QAbstractItemView::SingleSelection);
    lstPontos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstPontos->setUniformRowHeights(true);
    lstPontos->setIconSize(QSize(12, 12));
    lstPontos->setHeaderLabels({QString(), QStringLiteral("Seleção"), QStringLiteral("De"),
                                QStringLiteral("Até"), QStringLiteral("Algoritmo"),
                                QStringLiteral("Parâmetro")});
    for (int c = ColDe; c <= ColParametro; ++c)
        lstPontos->headerItem()->setTextAlignment(c, Qt::AlignCenter);
    layout->addWidget(lstPontos, 1);
    bu_tracar = new QPushButton(QStringLiteral("Traçar curvas para trechos selecionados"), this);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(bu_tracar);
    layout->addLayout(botoes);
    setFixedSize(600, 320);

    frmEscolherAlgoritmo = new TfrmEscolherAlgoritmo(contexto_.interacao, this);

    connect(lstPontos, &QTreeWidget::itemChanged, this,
            comando(contexto_.interacao,
                    [this](QTreeWidgetItem* item, int coluna) { linhaMudou(item, coluna); }));
    connect(bu_tracar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { TracarCurvasClick(); }));
}

void TfrmPontosLumeno::Preencher(const QStringList& legendas,
                                 const std::vector<ConjuntoPontos>& conjuntos, double cotaMinima) {
    ajustando_ = true;
    lstPontos->clear();
    cores_.clear();
    cotaMinima_ = cotaMinima;
    for (int k = 0; k < legendas.size(); ++k) {
        const ConjuntoPontos c = lerLegendaConjunto(legendas[k]);
        const std::uint32_t cor =
            k < static_cast<int>(conjuntos.size()) ? conjuntos[static_cast<size_t>(k)].Cor : 0;
        cores_.push_back(cor);
        auto* item = new QTreeWidgetItem(lstPontos);
        item->setText(ColNumero, QString::number(k + 1));
        item->setIcon(ColNumero, QIcon(quadradoCor(corQt(cor))));
        item->setText(ColSelecao, c.Tipo);
        item->setText(ColDe, c.De);
        item->setText(ColAte, c.Ate);
        item->setText(ColAlgoritmo, naoDefinido);
        item->setText(ColParametro, naoDefinido);
        for (int col = ColDe; col <= ColParametro; ++col)
            item->setTextAlignment(col, Qt::AlignCenter);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(ColNumero, Qt::Unchecked);
        item->setData(ColNumero, papelMarcada, false);
    }
    ajustarColunasEJanela(this, lstPontos, {64, 90, 84, 84, 150, 80});
    ajustando_ = false;
}

int TfrmPontosLumeno::totalMarcadas() const {
    int total = 0;
    for (int i = 0; i < lstPontos->topLevelItemCount(); ++i)
        if (lstPontos->topLevelItem(i)->checkState(ColNumero) == Qt::Checked)
            ++total;
    return total;
}

void TfrmPontosLumeno::desmarcar(QTreeWidgetItem* item) {
    ajustando_ = true;
    item->setCheckState(ColNumero, Qt::Unchecked);
    item->setData(ColNumero, papelMarcada, false);
    ajustando_ = false;
}

void TfrmPontosLumeno::linhaMudou(QTreeWidgetItem* item, int coluna) {
    if (ajustando_ || coluna != ColNumero || !isVisible())
        return;
    const bool marcada = item->checkState(ColNumero) == Qt::Checked;
    if (marcada == item->data(ColNumero, papelMarcada).toBool())
        return;  // a click on the row that left its box as it was
    ajustando_ = true;
    item->setData(ColNumero, papelMarcada, marcada);
    ajustando_ = false;
    if (!marcada)
        return;
    if (totalMarcadas() > maximoConjuntosMarcados) {
        desmarcar(item);
        contexto_.interacao.mensagem(
            QStringLiteral("Podem ser traçadas no máximo %1 curvas de uma vez.")
                .arg(maximoConjuntosMarcados),
            QStringLiteral("Atenção"));
        return;
    }
    escolherAlgoritmo(item);
}

void TfrmPontosLumeno::escolherAlgoritmo(QTreeWidgetItem* item) {
    Interacao& interacao = contexto_.interacao;
    TfrmEscolherAlgoritmo& algoritmo = *frmEscolherAlgoritmo;
    interacao.executar(algoritmo);
    if (!algoritmo.Confirmado) {
        desmarcar(item);
        return;
    }
    const bool polinomial = algoritmo.algoritmo() == 2;
    TfrmDigitarNumero& prompt = *contexto_.frmDigitarNumero;
    prompt.preparar(polinomial ? QStringLiteral("Grau") : QStringLiteral("H0 inicial (cm)"), 0, 0);
    interacao.executar(prompt);
    if (!prompt.Confirmado)
        return;  // the row stays checked with its texts
    const double valor = prompt.valor();
    const long long inteiro = std::llround(valor);
    const QString texto = QString::number(inteiro);
    const auto escrever = [this, item](int coluna, const QString& t) {
        ajustando_ = true;
        item->setText(coluna, t);
        ajustando_ = false;
    };
    if (polinomial) {
        // A degree the fit cannot take is refused here rather than when the curve is fitted.
        if (inteiro < 1 || inteiro > maiorGrau) {
            interacao.mensagem(QStringLiteral("Grau do polinômio deve estar entre 1 e 8"),
                               QStringLiteral("Atenção"));
            desmarcar(item);
            return;
        }
        escrever(ColParametro, texto);
        escrever(ColAlgoritmo, QStringLiteral("Polinomial, grau ") + texto);
    } else if (valor > cotaMinima_) {
        escrever(ColParametro, QString());
        interacao.mensagem(
            QStringLiteral("H0 indicado inválido - é maior que a menor cota medida da estação!"),
            QStringLiteral("Erro"));
        desmarcar(item);
    } else {
        escrever(ColParametro, texto);
        escrever(ColAlgoritmo, QStringLiteral("Potencial (Ostrel)"));
    }
}

std::vector<LinhaConjunto> TfrmPontosLumeno::linhasMarcadas() const {
    std::vector<LinhaConjunto> linhas;
    for (int i = 0; i < lstPontos->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lstPontos->topLevelItem(i);
        if (item->checkState(ColNumero) != Qt::Checked)
            continue;
        LinhaConjunto l;
        l.numero = i + 1;
        l.conjunto.Tipo = item->text(ColSelecao);
        l.conjunto.De = item->text(ColDe);
        l.conjunto.Ate = item->text(ColAte);
        l.conjunto.Cor = cores_.at(static_cast<size_t>(i));
        l.algoritmo = item->text(ColAlgoritmo);
        l.parametro = item->text(ColParametro);
        linhas.push_back(std::move(l));
    }
    return linhas;
}

void TfrmPontosLumeno::TracarCurvasClick() {
    std::vector<DefinicaoCurva> definicoes = definicoesDosConjuntos(linhasMarcadas());
    TTelaMedicao* tela = contexto_.TelaMedicao;
    if (!tela)
        return;
    tela->AbrirComCurvas(std::move(definicoes));
}

}  // namespace lumeno
