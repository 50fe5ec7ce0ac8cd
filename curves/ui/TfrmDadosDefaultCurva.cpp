#include "curves/ui/TfrmDadosDefaultCurva.h"

#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"
#include "data/TDM.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <cmath>

namespace lumeno {

TfrmDadosDefaultCurva::TfrmDadosDefaultCurva(Contexto& contexto, QWidget* pai)
    : QDialog(pai), contexto_(contexto) {
    setWindowTitle(QStringLiteral("Valores default de curvas"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QFormLayout(this);
    edtTrecho = new QSpinBox(this);
    edtTrecho->setRange(-9999, 9999);
    edtCor = new QLineEdit(this);
    edtCor->setReadOnly(true);
    edtCor->setCursor(Qt::PointingHandCursor);
    edtCor->setToolTip(QStringLiteral("Clique para escolher a cor"));
    edtCor->installEventFilter(this);
    cboAlgoritmo = new QComboBox(this);
    cboAlgoritmo->addItems({QStringLiteral("Potencial (Ostrel)"), QStringLiteral("Polinomial")});
    edtParm = new EditorNumero(this);
    edtParm->definirCasas(0);
    lblParm = new QLabel(QStringLiteral("Parâmetro"), this);
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setDefault(true);
    layout->addRow(QStringLiteral("Trecho"), edtTrecho);
    layout->addRow(QStringLiteral("Cor da curva"), edtCor);
    layout->addRow(QStringLiteral("Algoritmo"), cboAlgoritmo);
    layout->addRow(lblParm, edtParm);
    layout->addRow(Button1);
    setFixedSize(300, 180);
    connect(cboAlgoritmo, &QComboBox::currentIndexChanged, this,
            comando(contexto_.interacao, [this] { atualizarRotulo(); }));
    connect(Button1, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { Button1Click(); }));
}

bool TfrmDadosDefaultCurva::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == edtCor && evento->type() == QEvent::MouseButtonRelease) {
        escolherCor();
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void TfrmDadosDefaultCurva::prepararInsercao() {
    edtTrecho->setValue(0);
    edtTrecho->setEnabled(true);
    Cor = 0xFFFFFF;
    cboAlgoritmo->setCurrentIndex(-1);
    edtParm->definirValor(0);
    mostrarCor();
    atualizarRotulo();
}

void TfrmDadosDefaultCurva::prepararAlteracao(int trecho, std::uint32_t cor, int algoritmo,
                                              int parm) {
    edtTrecho->setValue(trecho);
    edtTrecho->setEnabled(false);
    Cor = cor;
    cboAlgoritmo->setCurrentIndex(algoritmo - 1 >= 0 && algoritmo - 1 <= 1 ? algoritmo - 1 : -1);
    edtParm->definirValor(parm);
    mostrarCor();
    atualizarRotulo();
}

void TfrmDadosDefaultCurva::mostrarCor() {
    edtCor->setStyleSheet(
        QStringLiteral("QLineEdit { background-color: %1; }").arg(corQt(Cor).name()));
}

void TfrmDadosDefaultCurva::atualizarRotulo() {
    switch (cboAlgoritmo->currentIndex()) {
        case 0:
            lblParm->setText(QStringLiteral("h0 (cm)"));
            break;
        case 1:
            lblParm->setText(QStringLiteral("Grau"));
            break;
        default:
            lblParm->setText(QStringLiteral("Parâmetro"));
    }
}

void TfrmDadosDefaultCurva::escolherCor() {
    if (const auto cor = contexto_.interacao.escolherCor(corQt(Cor))) {
        Cor = corWindows(*cor);
        mostrarCor();
    }
}

void TfrmDadosDefaultCurva::Button1Click() {
    Interacao& interacao = contexto_.interacao;
    const int indice = cboAlgoritmo->currentIndex();
    if (indice < 0) {
        interacao.mensagem(QStringLiteral("Deve ser selecionado um algoritmo para o trecho"),
                           QStringLiteral("Erro"));
        return;
    }
    const double parm = edtParm->valor();
    if (indice == 1 && (parm < 1 || parm > 8)) {
        interacao.mensagem(
            QStringLiteral("O grau para o algoritmo polinomial deve estar entre 1 e 8"),
            QStringLiteral("Erro"));
        return;
    }
    const int trecho = edtTrecho->value();
    TDM& dm = contexto_.dm;
    auto existe = dm.novaConsulta();
    existe->SQL << QStringLiteral("select 1 from curva_default where trecho = ") +
                       QString::number(trecho);
    existe->abrir();
    if (existe->vazio()) {
        const QString zero = QStringLiteral("0");
        auto inserir = dm.novaConsulta();
        inserir->SQL << QStringLiteral("insert into curva_default(trecho, cor, algoritmo, parm)")
                     << QStringLiteral("values (") + formatar(trecho, zero) + QStringLiteral(", ") +
                            formatar(Cor, zero) + QStringLiteral(", ") +
                            formatar(indice + 1, zero) + QLatin1Char(',') + formatar(parm, zero) +
                            QLatin1Char(')');
        inserir->executar();
    } else {
        Tabela& t = dm.tbCurvaDefault;
        t.abrir();
        if (t.localizar(QStringLiteral("Trecho"), trecho)) {
            t.editar();
            t.definirValor(QStringLiteral("Cor"), static_cast<double>(Cor));
            t.definirValor(QStringLiteral("Algoritmo"), indice + 1);
            t.definirValor(QStringLiteral("Parm"), std::trunc(parm));
            t.postar();
        }
    }
    accept();
}

}  // namespace lumeno
