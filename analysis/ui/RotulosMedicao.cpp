#include "analysis/ui/RotulosMedicao.h"

#include "data/Consulta.h"

#include <QLabel>

namespace lumeno {

QLabel* RotulosMedicao::novoValor(QWidget* pai, int larguraMinima) {
    auto* l = new QLabel(pai);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: navy"));
    l->setMinimumWidth(larguraMinima);
    return l;
}

void RotulosMedicao::mostrar(const Consulta& m) const {
    const bool ativo = m.ativo() && !m.vazio();
    const auto texto = [&](const char* campo) {
        return ativo ? m.campo(QLatin1String(campo)).textoExibicao() : QString();
    };
    numero->setText(texto("numero"));
    data->setText(ativo ? m.campo(QStringLiteral("data")).comoTexto() : QString());
    cota->setText(texto("cota"));
    vazao->setText(texto("vazao"));
    area->setText(texto("area"));
    velocidade->setText(texto("velocidade"));
}

}  // namespace lumeno
