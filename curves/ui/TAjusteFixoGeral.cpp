#include "curves/ui/TAjusteFixoGeral.h"

#include "analysis/ui/TTelaMedicao.h"
#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "components/LarguraColunas.h"
#include "components/PainelGrafico.h"
#include "curves/ui/TAjusteFixo.h"
#include "curves/ui/TDigitarParametrosCurva.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace lumeno {

TAjusteFixoGeral::TAjusteFixoGeral(Contexto& contexto, TDigitarParametrosCurva& parametros,
                                   QWidget* pai)
    : QDialog(pai), contexto_(contexto), parametros_(parametros) {
    setWindowTitle(QStringLiteral("Fixando os três parâmetros"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Curvas traçadas"), this), 0, 0);
    layout->setRowStretch(5, 1);
    lstParametros = new QTreeWidget(this);
    lstParametros->setRootIsDecorated(false);
    lstParametros->setColumnCount(4);
    lstParametros->setHeaderLabels(
        {QStringLiteral("Tr"), QStringLiteral("k"), QStringLiteral("m"), QStringLiteral("h0")});
    lstParametros->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(lstParametros, 1, 0, 5, 1);
    bo_editar = new QPushButton(QStringLiteral("  Editar dados de curva"), this);
    bo_retracar = new QPushButton(QStringLiteral("   Retraçar curva"), this);
    bo_originais = new QPushButton(QStringLiteral(" Retraçar curvas originais"), this);
    bo_limpar = new QPushButton(QStringLiteral("  Limpar curvas traçadas"), this);
    int linha = 1;
    for (QPushButton* b : {bo_editar, bo_retracar, bo_originais, bo_limpar})
        layout->addWidget(b, linha++, 1);
    setFixedSize(460, 260);
    connect(bo_editar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { EditarClick(); }));
    connect(bo_retracar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { RetracarClick(); }));
    connect(bo_originais, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { OriginaisClick(); }));
    connect(bo_limpar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { LimparClick(); }));
}

void TAjusteFixoGeral::showEvent(QShowEvent* e) {
    carregarAoMostrar(contexto_.interacao, *this, [this] { iniciar(); });
    QDialog::showEvent(e);
}

void TAjusteFixoGeral::iniciar() {
    const int total = Tela->TotalCurvas;
    // Every curve has its entry, even beyond the ten tries the history keeps.
    Historico.clear();
    CoresOriginais.assign(static_cast<size_t>(total + 1), 0);
    for (int i = 1; i <= total; ++i) {
        const CurvaTrecho& c = Tela->Trechos[static_cast<size_t>(i)];
        Historico.push_back({c.Cor, i, c.K, c.M, c.H0});
        CoresOriginais[static_cast<size_t>(i)] = c.Cor;
    }
    TotalHistorico = total;
    preencherLista();
}

void TAjusteFixoGeral::preencherLista() {
    lstParametros->clear();
    for (size_t i = 0; i < Historico.size(); ++i) {
        const EntradaHistorico& h = Historico[i];
        auto* item = new QTreeWidgetItem(lstParametros);
        item->setIcon(0, QIcon(quadradoCor(corQt(h.Cor))));
        item->setText(0, numeroCurva(h.Numero));
        item->setText(1, fixo(h.K, 8, 5));
        item->setText(2, fixo(h.M, 8, 5));
        item->setText(3, fixo(h.H0, 8, 2));
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
    ajustarColunasEJanela(this, lstParametros, {52, 70, 70, 40});
}

void TAjusteFixoGeral::novaTentativa(const EntradaHistorico& entrada) {
    const size_t capacidade =
        std::max<size_t>(tamanhoHistorico, static_cast<size_t>(Tela->TotalCurvas));
    Historico.insert(Historico.begin(), entrada);
    if (Historico.size() > capacidade)
        Historico.resize(capacidade);
    ++TotalHistorico;
    CurvaTrecho& curva = Tela->Trechos[static_cast<size_t>(entrada.Numero)];
    curva.K = entrada.K;
    curva.M = entrada.M;
    curva.H0 = entrada.H0;
    curva.Cor = entrada.Cor;
    Tela->TracarCurva(curva);
    Tela->Grafico->atualizar();
    preencherLista();
}

void TAjusteFixoGeral::EditarClick() {
    const QTreeWidgetItem* item = lstParametros->currentItem();
    if (!item)
        return;
    const int numero = item->text(0).toInt();
    const CurvaTrecho& curva = Tela->Trechos[static_cast<size_t>(numero)];
    parametros_.preparar(numero, item->text(1).toDouble(), item->text(2).toDouble(),
                         item->text(3).toDouble(), curva.CotaMin);
    contexto_.interacao.executar(parametros_);
    if (!parametros_.Confirmado)
        return;
    novaTentativa({parametros_.Cor, numero, parametros_.k(), parametros_.m(), parametros_.h0()});
}

void TAjusteFixoGeral::RetracarClick() {
    const QTreeWidgetItem* item = lstParametros->currentItem();
    if (!item)
        return;
    const EntradaHistorico h = Historico[static_cast<size_t>(item->data(0, Qt::UserRole).toInt())];
    const auto cor = contexto_.interacao.escolherCor(corQt(h.Cor));
    if (!cor)
        return;
    novaTentativa({corWindows(*cor), h.Numero, h.K, h.M, h.H0});
}

void TAjusteFixoGeral::OriginaisClick() {
    iniciar();
}

void TAjusteFixoGeral::LimparClick() {
    Tela->RedesenharTudo();
}

void TAjusteFixoGeral::done(int resultado) {
    // Each curve back in the colour it had, with the parameters last set.
    for (int i = 1; i <= Tela->TotalCurvas && i < static_cast<int>(CoresOriginais.size()); ++i)
        Tela->Trechos[static_cast<size_t>(i)].Cor = CoresOriginais[static_cast<size_t>(i)];
    executarComando(contexto_.interacao, [this] { Tela->RedesenharTudo(); });
    QDialog::done(resultado);
}

}  // namespace lumeno
