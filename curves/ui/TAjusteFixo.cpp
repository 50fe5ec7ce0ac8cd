#include "curves/ui/TAjusteFixo.h"

#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/EditorNumero.h"
#include "components/LarguraColunas.h"
#include "curves/CurvaTrecho.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumeno {

QString numeroCurva(int numero) {
    return QString::number(numero);
}

TAjusteFixo::TAjusteFixo(Contexto& contexto, QWidget* pai) : QDialog(pai), contexto_(contexto) {
    setWindowTitle(QStringLiteral("Fixando h0"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Entre com os valores de h<sub>0</sub>"), this));
    lstParametros = new QTreeWidget(this);
    lstParametros->setRootIsDecorated(false);
    lstParametros->setColumnCount(3);
    lstParametros->setHeaderLabels(
        {QStringLiteral("Trecho"), QStringLiteral("Tipo de curva"), QStringLiteral("h0")});
    lstParametros->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(lstParametros);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    bo_ok = new QPushButton(QStringLiteral(" &Ok"), this);
    bo_cancela = new QPushButton(QStringLiteral("&Cancela"), this);
    botoes->addWidget(bo_ok);
    botoes->addWidget(bo_cancela);
    layout->addLayout(botoes);
    setFixedSize(320, 260);
    connect(bo_ok, &QPushButton::clicked, this, comando(contexto_.interacao, [this] {
                Confirmado = true;
                accept();
            }));
    connect(bo_cancela, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { reject(); }));
    connect(lstParametros, &QTreeWidget::itemDoubleClicked, this,
            comando(contexto_.interacao,
                    [this](QTreeWidgetItem* item) { lstParametrosDblClick(item); }));
}

void TAjusteFixo::showEvent(QShowEvent* e) {
    Confirmado = false;
    QDialog::showEvent(e);
}

void TAjusteFixo::preencher(const CurvaTrecho* trechos, int total) {
    trechos_ = trechos;
    lstParametros->clear();
    for (int i = 1; i <= total; ++i) {
        const CurvaTrecho& c = trechos[i];
        auto* item = new QTreeWidgetItem(lstParametros);
        item->setIcon(0, QIcon(quadradoCor(corQt(c.Cor))));
        item->setText(0, numeroCurva(i));
        item->setData(0, Qt::UserRole, i);
        if (c.Algoritmo == AlgoritmoCurva::Potencial) {
            item->setText(1, QStringLiteral("Potencial"));
            item->setText(2, formatar(c.H0, QStringLiteral("0.00")));
        } else {
            item->setText(1, QStringLiteral("Polinomial"));
            item->setText(2, QStringLiteral("n/a"));
        }
    }
    ajustarColunasEJanela(this, lstParametros, {60, 80});
}

bool TAjusteFixo::h0DaLinha(int i, double& h0) const {
    const QTreeWidgetItem* item = lstParametros->topLevelItem(i);
    if (!item || item->text(2) == QLatin1String("n/a"))
        return false;
    h0 = item->text(2).toDouble();
    return true;
}

void TAjusteFixo::lstParametrosDblClick(QTreeWidgetItem* item) {
    if (!item)
        return;
    Interacao& interacao = contexto_.interacao;
    if (item->text(2) == QLatin1String("n/a")) {
        interacao.mensagem(QStringLiteral("Ajuste de h0 só é possível com curvas potenciais!"),
                           QStringLiteral("Erro"));
        return;
    }
    TfrmDigitarNumero& prompt = *contexto_.frmDigitarNumero;
    prompt.preparar(QStringLiteral("h0 (m)"), 2, item->text(2).toDouble());
    interacao.executar(prompt);
    if (!prompt.Confirmado)
        return;
    const double h0 = prompt.valor();
    // Rows at or below h0 would take the logarithm of a non-positive number.
    const CurvaTrecho& curva = trechos_[item->data(0, Qt::UserRole).toInt()];
    if (h0 >= curva.CotaMin / 100) {
        interacao.mensagem(
            QStringLiteral("Valor de h0 não deve ultrapassar a menor cota das medições da estação"),
            QStringLiteral("Erro"));
        return;
    }
    item->setText(2, formatar(h0, QStringLiteral("##0.00")));
}

}  // namespace lumeno
