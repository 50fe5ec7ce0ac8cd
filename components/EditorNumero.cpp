#include "components/EditorNumero.h"

#include "app/ErroLumeno.h"
#include "app/Formato.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QValidator>

#include <cmath>
#include <limits>

namespace lumeno {

namespace {

QIcon iconeCalculadora() {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setPen(Qt::darkGray);
    g.setBrush(QColor(235, 235, 235));
    g.drawRect(2, 0, 11, 15);
    g.setBrush(QColor(200, 230, 200));
    g.drawRect(4, 2, 7, 3);
    g.setPen(Qt::NoPen);
    g.setBrush(Qt::darkGray);
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 3; ++c)
            g.drawRect(4 + 3 * c, 7 + 3 * l, 2, 2);
    return QIcon(p);
}

// The drop-down calculator: four operations evaluated left to right.
class Calculadora : public QFrame {
public:
    Calculadora(EditorNumero* editor, double inicial) : QFrame(editor, Qt::Popup), editor_(editor) {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        auto* grade = new QGridLayout(this);
        grade->setSpacing(2);
        grade->setContentsMargins(3, 3, 3, 3);
        visor_ = new QLabel(this);
        visor_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        visor_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        visor_->setMinimumWidth(150);
        grade->addWidget(visor_, 0, 0, 1, 4);
        const char* teclas[5][4] = {{"C", "←", "±", "/"},
                                    {"7", "8", "9", "*"},
                                    {"4", "5", "6", "-"},
                                    {"1", "2", "3", "+"},
                                    {"0", ".", "=", "OK"}};
        for (int l = 0; l < 5; ++l) {
            for (int c = 0; c < 4; ++c) {
                const QString t = QString::fromUtf8(teclas[l][c]);
                auto* b = new QPushButton(t, this);
                b->setFixedSize(36, 26);
                b->setFocusPolicy(Qt::NoFocus);
                grade->addWidget(b, l + 1, c);
                connect(b, &QPushButton::clicked, this, [this, t] { tecla(t); });
            }
        }
        texto_ = numeroTexto(inicial);
        mostrar();
    }

private:
    void mostrar() { visor_->setText(texto_.isEmpty() ? QStringLiteral("0") : texto_); }

    double atual() const {
        bool ok = false;
        const double v = texto_.toDouble(&ok);
        return ok ? v : 0;
    }

    void operar() {
        const double v = atual();
        if (operacao_ == '+')
            acumulado_ += v;
        else if (operacao_ == '-')
            acumulado_ -= v;
        else if (operacao_ == '*')
            acumulado_ *= v;
        else if (operacao_ == '/')
            acumulado_ = v == 0 ? acumulado_ : acumulado_ / v;
        else
            acumulado_ = v;
        texto_ = numeroTexto(acumulado_);
        operacao_ = QChar();
    }

    void tecla(const QString& t) {
        if (t.size() == 1 && (t[0].isDigit() || t == QLatin1String("."))) {
            if (novo_) {
                texto_.clear();
                novo_ = false;
            }
            if (t == QLatin1String(".") && texto_.contains('.'))
                return;
            texto_ += t;
        } else if (t == QLatin1String("C")) {
            texto_.clear();
            acumulado_ = 0;
            operacao_ = QChar();
        } else if (t == QStringLiteral("←")) {
            texto_.chop(1);
        } else if (t == QStringLiteral("±")) {
            texto_ = texto_.startsWith('-') ? texto_.mid(1) : QLatin1Char('-') + texto_;
        } else if (t == QLatin1String("=")) {
            operar();
            novo_ = true;
        } else if (t == QLatin1String("OK")) {
            operar();
            editor_->definirValor(atual());
            close();
            return;
        } else {
            operar();
            operacao_ = t[0];
            novo_ = true;
        }
        mostrar();
    }

    EditorNumero* editor_;
    QLabel* visor_;
    QString texto_;
    double acumulado_ = 0;
    QChar operacao_;
    bool novo_ = true;
};

// The number of a text (not empty) in a box with `casas` decimals.
double converter(const QString& texto, int casas) {
    QString t = texto.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    double v = 0;
    try {
        v = lerReal(t);
    } catch (const ErroConversao&) {
        throw ErroConversao(QStringLiteral("'%1' não é um número.").arg(texto.trimmed()));
    }
    if (casas == 0 && v != std::trunc(v))
        throw ErroConversao(QStringLiteral("'%1' não é um número inteiro.").arg(texto.trimmed()));
    return v;
}

bool aceitavel(const QString& texto, int casas) {
    if (texto.trimmed().isEmpty())
        return true;
    try {
        converter(texto, casas);
        return true;
    } catch (const ErroConversao&) {
        return false;
    }
}

// What may be typed: the beginning of a number. A comma is the decimal separator our
// users type; it becomes the program's point as it is typed. Nothing typed is dropped or
// changed into another number: a text that is not (yet) a number the box takes stays
// as it is, marked, and is refused when the value is taken.
class ValidadorNumero : public QValidator {
public:
    ValidadorNumero(const EditorNumero* editor, QObject* pai) : QValidator(pai), editor_(editor) {}

    State validate(QString& texto, int&) const override {
        texto.replace(QLatin1Char(','), QLatin1Char('.'));
        static const QRegularExpression inicio(
            QStringLiteral("^\\s*[+-]?\\d*\\.?\\d*([eE][+-]?\\d*)?\\s*$"));
        if (!inicio.match(texto).hasMatch())
            return Invalid;
        return aceitavel(texto, editor_->casas()) ? Acceptable : Intermediate;
    }

private:
    const EditorNumero* editor_;
};

}  // namespace

EditorNumero::EditorNumero(QWidget* pai) : QLineEdit(pai) {
    setAlignment(Qt::AlignRight);
    QAction* calc = addAction(iconeCalculadora(), QLineEdit::TrailingPosition);
    calc->setToolTip(QStringLiteral("Calculadora"));
    connect(calc, &QAction::triggered, this, &EditorNumero::abrirCalculadora);
    setValidator(new ValidadorNumero(this, this));
    connect(this, &QLineEdit::textChanged, this, &EditorNumero::marcarInvalido);
}

void EditorNumero::marcarInvalido() {
    const bool aceito = aceitavel(text(), casas_);
    QPalette p = palette();
    p.setColor(QPalette::Text, aceito ? QPalette().color(QPalette::Text) : QColor(Qt::red));
    setPalette(p);
    setToolTip(aceito ? QString()
                      : (casas_ > 0 ? QStringLiteral("Digite um número")
                                    : QStringLiteral("Digite um número inteiro")));
}

void EditorNumero::definirCasas(int casas) {
    casas_ = casas;
    marcarInvalido();
}

void EditorNumero::definirValor(double valor) {
    setText(casas_ > 0 ? formatar(valor, QStringLiteral("0.") + QString(casas_, '0'))
                       : formatar(valor, QStringLiteral("0")));
}

double EditorNumero::valor() const {
    return vazio() ? 0 : converter(text(), casas_);
}

int EditorNumero::valorInteiro() const {
    const double v = valor();
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw ErroConversao(
            QStringLiteral("'%1' está fora do intervalo aceito.").arg(text().trimmed()));
    return static_cast<int>(std::trunc(v));
}

QVariant EditorNumero::valorCampo(double maximo) const {
    if (vazio())
        return QVariant();
    const double v = valor();
    if (v > maximo)
        throw ErroConversao(QStringLiteral("Valor acima do máximo"));
    return v;
}

void EditorNumero::abrirCalculadora() {
    double inicial = 0;
    try {
        inicial = valor();
    } catch (...) {
    }
    auto* c = new Calculadora(this, inicial);
    c->setAttribute(Qt::WA_DeleteOnClose);
    c->adjustSize();
    c->move(mapToGlobal(QPoint(width() - c->width(), height())));
    c->show();
}

}  // namespace lumeno
