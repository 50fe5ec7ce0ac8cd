#include "editing/ui/TDigitarMedicao.h"

#include "app/ErroLumeno.h"
#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"
#include "data/TDM.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace lumeno {

TDigitarMedicao::TDigitarMedicao(Contexto& contexto, QWidget* pai)
    : QDialog(pai), contexto_(contexto) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* campos = new QFormLayout;
    auto caixa = [this](int casas) {
        auto* e = new EditorNumero(this);
        e->definirCasas(casas);
        return e;
    };
    edtNumero = caixa(0);
    edtData = new QLineEdit(this);
    edtData->setPlaceholderText(QStringLiteral("dd/mm/aaaa"));
    edtCota = caixa(0);
    edtVazao = caixa(2);
    edtArea = caixa(2);
    edtVelocidade = caixa(2);
    campos->addRow(QStringLiteral("Número"), edtNumero);
    campos->addRow(QStringLiteral("Data"), edtData);
    campos->addRow(QStringLiteral("Cota"), edtCota);
    campos->addRow(QStringLiteral("Vazão"), edtVazao);
    campos->addRow(QStringLiteral("Área"), edtArea);
    campos->addRow(QStringLiteral("Velocidade"), edtVelocidade);
    layout->addLayout(campos);
    bo_ok = new QPushButton(QStringLiteral("&Ok"), this);
    bo_ok->setDefault(true);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(bo_ok);
    layout->addLayout(botoes);
    setFixedSize(280, 250);

    const std::array<QLineEdit*, 6> caixas{edtNumero, edtData, edtCota,
                                           edtVazao,  edtArea, edtVelocidade};
    for (size_t i = 0; i < caixas.size(); ++i) {
        connect(caixas[i], &QLineEdit::textChanged, this, comando(contexto_.interacao, [this, i] {
                    if (carregando_)
                        return;
                    digitados[i] = true;
                    bo_ok->setEnabled(
                        std::all_of(digitados.begin(), digitados.end(), [](bool b) { return b; }));
                }));
    }
    connect(bo_ok, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_okClick(); }));
}

void TDigitarMedicao::anexarRegistro() {
    Tabela& medida = contexto_.dm.tb_medida;
    medida.anexar();
    medida.definirValor(QStringLiteral("Estacao"), Estacao);
    // A measurement typed here is a real one: every fit selects ponto_obrigatorio = 0.
    medida.definirValor(QStringLiteral("Ponto_obrigatorio"), 0);
}

void TDigitarMedicao::iniciarRegistro() {
    anexarRegistro();
    setWindowTitle(QStringLiteral("Inserir medição"));
    digitados.fill(false);
    bo_ok->setEnabled(false);
    carregarCampos();
}

void TDigitarMedicao::carregarCampos() {
    carregando_ = true;
    Tabela& m = contexto_.dm.tb_medida;
    auto mostrar = [&](EditorNumero* e, const char* campo) {
        const Campo c = m.campo(QLatin1String(campo));
        if (c.nulo())
            e->clear();
        else
            e->definirValor(c.comoReal());
    };
    mostrar(edtNumero, "Numero");
    edtData->setText(m.campo(QStringLiteral("Data")).comoTexto());
    mostrar(edtCota, "Cota");
    mostrar(edtVazao, "Vazao");
    mostrar(edtArea, "Area");
    mostrar(edtVelocidade, "Velocidade");
    carregando_ = false;
}

void TDigitarMedicao::showEvent(QShowEvent* e) {
    edtNumero->setEnabled(Inserindo);
    carregarAoMostrar(contexto_.interacao, *this, [this] {
        Tabela& medida = contexto_.dm.tb_medida;
        medida.abrir();
        if (Inserindo) {
            iniciarRegistro();
        } else {
            if (!medida.localizar(QStringLiteral("Id_medida"), IdMedida))
                throw ErroLumeno(QStringLiteral("A medição não existe mais."));
            medida.editar();
            setWindowTitle(QStringLiteral("Editar medição"));
            carregarCampos();
            digitados.fill(true);
            bo_ok->setEnabled(true);
        }
    });
    QDialog::showEvent(e);
    (Inserindo ? static_cast<QWidget*>(edtNumero) : edtData)->setFocus();
}

void TDigitarMedicao::bo_okClick() {
    Tabela& m = contexto_.dm.tb_medida;
    // Values are taken over first: a bad one is refused and the record stays pending.
    QVariant numero, data, cota, vazao, area, velocidade;
    try {
        numero = edtNumero->valorCampo();
        const QString textoData = edtData->text().trimmed();
        data = textoData.isEmpty() ? QVariant() : QVariant(lerData(textoData));
        cota = edtCota->valorCampo();
        vazao = edtVazao->valorCampo();
        area = edtArea->valorCampo();
        velocidade = edtVelocidade->valorCampo();
    } catch (const ErroConversao& e) {
        contexto_.interacao.mensagem(e.mensagem(), QStringLiteral("Erro"));
        return;
    }
    const std::pair<const QVariant*, QString> naoNegativos[] = {
        {&vazao, QStringLiteral("A vazão")},
        {&area, QStringLiteral("A área")},
        {&velocidade, QStringLiteral("A velocidade")}};
    for (const auto& [valor, nome] : naoNegativos) {
        if (!valor->isNull() && valor->toDouble() < 0) {
            contexto_.interacao.mensagem(nome + QStringLiteral(" não pode ser negativa."),
                                         QStringLiteral("Erro"));
            return;
        }
    }
    m.definirValor(QStringLiteral("Numero"), numero);
    m.definirValor(QStringLiteral("Data"), data);
    m.definirValor(QStringLiteral("Cota"), cota);
    m.definirValor(QStringLiteral("Vazao"), vazao);
    m.definirValor(QStringLiteral("Area"), area);
    m.definirValor(QStringLiteral("Velocidade"), velocidade);
    try {
        m.postar();
    } catch (const ErroViolacaoChave& e) {
        // The table discarded the pending record; a new one takes its place and the
        // dialog stays open with what was typed, so that only the number needs changing.
        contexto_.interacao.mensagem(e.mensagem(), e.titulo());
        if (Inserindo) {
            anexarRegistro();
            edtNumero->setFocus();
            edtNumero->selectAll();
        } else {
            m.editar();
        }
        return;
    }
    if (Inserindo) {
        iniciarRegistro();
        edtNumero->setFocus();
    } else {
        accept();
    }
}

void TDigitarMedicao::closeEvent(QCloseEvent* e) {
    Tabela& m = contexto_.dm.tb_medida;
    m.cancelar();
    m.fechar();
    QDialog::closeEvent(e);
}

void TDigitarMedicao::done(int resultado) {
    Tabela& m = contexto_.dm.tb_medida;
    m.cancelar();
    m.fechar();
    QDialog::done(resultado);
}

}  // namespace lumeno
