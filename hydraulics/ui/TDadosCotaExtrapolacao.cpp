#include "hydraulics/ui/TDadosCotaExtrapolacao.h"

#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"
#include "components/LarguraColunas.h"
#include "curves/CurvaTrecho.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumeno {

TDadosCotaExtrapolacao::TDadosCotaExtrapolacao(Contexto& contexto, QWidget* pai)
    : QDialog(pai), contexto_(contexto) {
    setWindowTitle(QStringLiteral("Cota a ser extrapolada"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);

    auto* campos = new QGridLayout;
    campos->addWidget(new QLabel(QStringLiteral("Cota a ser extrapolada"), this), 0, 0);
    edtCota = new EditorNumero(this);
    edtCota->definirCasas(0);
    campos->addWidget(edtCota, 0, 1);
    campos->addWidget(new QLabel(QStringLiteral("Cor da extrapolação"), this), 1, 0);
    edtCor = new QLineEdit(this);
    edtCor->setReadOnly(true);
    edtCor->setCursor(Qt::PointingHandCursor);
    edtCor->setToolTip(QStringLiteral("Clique para escolher a cor"));
    edtCor->installEventFilter(this);
    campos->addWidget(edtCor, 1, 1);
    campos->setColumnStretch(1, 1);
    layout->addLayout(campos);

    layout->addWidget(new QLabel(QStringLiteral("Curva a extrapolar:"), this));
    lstTrechos = new QTreeWidget(this);
    lstTrechos->setRootIsDecorated(false);
    lstTrechos->setColumnCount(2);
    lstTrechos->setHeaderLabels({QStringLiteral("Tr"), QStringLiteral("Tipo de curva")});
    lstTrechos->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstTrechos->setSelectionMode(QAbstractItemView::SingleSelection);
    lstTrechos->setIconSize(QSize(16, 16));
    lstTrechos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(lstTrechos, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    bo_ok = new QPushButton(QStringLiteral("    Ok"), this);
    bo_ok->setDefault(true);
    bo_cancela = new QPushButton(QStringLiteral("  Cancela"), this);
    botoes->addWidget(bo_ok);
    botoes->addWidget(bo_cancela);
    layout->addLayout(botoes);
    setFixedSize(330, 320);

    Interacao& interacao = contexto_.interacao;
    connect(bo_ok, &QPushButton::clicked, this, comando(interacao, [this] { bo_okClick(); }));
    connect(bo_cancela, &QPushButton::clicked, this, [this] {
        Confirmado = false;
        reject();
    });
}

void TDadosCotaExtrapolacao::preparar(const CurvaTrecho* trechos, int total) {
    trechos_ = trechos;
    total_ = trechos ? total : 0;
}

void TDadosCotaExtrapolacao::showEvent(QShowEvent* e) {
    edtCota->definirValor(0);
    lstTrechos->clear();
    for (int n = 1; n <= total_; ++n) {
        const CurvaTrecho& c = trechos_[n];
        auto* item = new QTreeWidgetItem(lstTrechos);
        item->setText(0, QString::number(n));
        item->setIcon(0, QIcon(quadradoCor(corQt(c.Cor))));
        item->setText(1, c.Algoritmo == AlgoritmoCurva::Potencial
                             ? QStringLiteral("Potencial")
                             : QStringLiteral("Polinomial, grau ") + QString::number(c.Grau));
    }
    ajustarColunasEJanela(this, lstTrechos, {56});
    cor_ = 0xFFFFFF;
    mostrarCor();
    Confirmado = false;
    CorEscolhida = false;
    QDialog::showEvent(e);
    edtCota->setFocus();
    edtCota->selectAll();
}

bool TDadosCotaExtrapolacao::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == edtCor) {
        const bool clique = evento->type() == QEvent::MouseButtonRelease;
        const bool tecla = evento->type() == QEvent::KeyPress &&
                           (static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Space);
        if (clique || tecla) {
            executarComando(contexto_.interacao, [this] { edtCorClick(); });
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void TDadosCotaExtrapolacao::edtCorClick() {
    const auto cor = contexto_.interacao.escolherCor(corQt(cor_));
    if (!cor)
        return;
    cor_ = corWindows(*cor);
    CorEscolhida = true;
    mostrarCor();
}

void TDadosCotaExtrapolacao::mostrarCor() {
    const QColor c = corQt(cor_);
    edtCor->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; }").arg(c.name()));
}

int TDadosCotaExtrapolacao::Trecho() const {
    const QTreeWidgetItem* item = lstTrechos->currentItem();
    if (!item || !item->isSelected())
        return 0;
    return item->text(0).toInt();
}

double TDadosCotaExtrapolacao::CotaExtrapolada() const {
    return edtCota->valor();
}

void TDadosCotaExtrapolacao::bo_okClick() {
    Interacao& interacao = contexto_.interacao;
    if (Trecho() < 1) {
        interacao.mensagem(QStringLiteral("Deve ser selecionado um trecho para extrapolação!"),
                           QStringLiteral("Atenção"));
        return;
    }
    if (!CorEscolhida) {
        interacao.mensagem(QStringLiteral("Selecione uma cor para traçado da extrapolação!"),
                           QStringLiteral("Atenção"));
        return;
    }
    // A stage that is not a number is reported here, with the dialog still open.
    CotaExtrapolada();
    Confirmado = true;
    accept();
}

}  // namespace lumeno
