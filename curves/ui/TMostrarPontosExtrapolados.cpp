#include "curves/ui/TMostrarPontosExtrapolados.h"

#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "components/CelulaOrdenavel.h"
#include "components/LarguraColunas.h"
#include "curves/RelacaoVazoes.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace lumeno {

TMostrarPontosExtrapolados::TMostrarPontosExtrapolados(Contexto& contexto, QWidget* pai)
    : QDialog(pai), contexto_(contexto) {
    setWindowTitle(QStringLiteral("Pontos extrapolados"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    GradePontosExtrap = new QTableWidget(0, 6, this);
    GradePontosExtrap->verticalHeader()->setVisible(false);
    // Rows and header of 16 pixels, or as high as the font needs.
    alturaLinha_ = std::max(16, GradePontosExtrap->fontMetrics().height() + 4);
    GradePontosExtrap->verticalHeader()->setDefaultSectionSize(std::max(18, alturaLinha_));
    GradePontosExtrap->horizontalHeader()->setFixedHeight(
        std::max(16, GradePontosExtrap->horizontalHeader()->sizeHint().height()));
    GradePontosExtrap->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GradePontosExtrap->setSortingEnabled(true);
    layout->addWidget(GradePontosExtrap);
    bo_exportar = new QPushButton(QStringLiteral("     &Exportar dados"), this);
    layout->addWidget(bo_exportar, 0, Qt::AlignLeft);
    resize(560, 420);
    connect(bo_exportar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_exportarClick(); }));
}

void TMostrarPontosExtrapolados::preencher(const QStringList& cabecalho,
                                           const std::vector<QStringList>& linhas) {
    GradePontosExtrap->setSortingEnabled(false);
    GradePontosExtrap->clearContents();
    GradePontosExtrap->setRowCount(static_cast<int>(linhas.size()));
    GradePontosExtrap->setColumnCount(std::max<int>(6, static_cast<int>(cabecalho.size())));
    GradePontosExtrap->setHorizontalHeaderLabels(cabecalho);
    for (int r = 0; r < static_cast<int>(linhas.size()); ++r) {
        for (int c = 0; c < GradePontosExtrap->columnCount() && c < linhas[r].size(); ++c) {
            auto* celula = new CelulaOrdenavel(linhas[r][c]);
            if (c < 4)
                celula->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            GradePontosExtrap->setItem(r, c, celula);
        }
        GradePontosExtrap->setRowHeight(r, alturaLinha_);
    }
    // Rows in the listing's order until the user sorts by a column; a column sorts by its
    // values, and the export writes the rows in the order shown.
    GradePontosExtrap->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    GradePontosExtrap->setSortingEnabled(true);
    // The designed widths (the number's column the widest), or the titles' and values'.
    ajustarColunasEJanela(this, GradePontosExtrap, {64, 64, 64, 64, 113, 64, 70});
    bo_exportar->setEnabled(!linhas.empty());
}

void TMostrarPontosExtrapolados::bo_exportarClick() {
    const auto arquivo = pedirArquivoPlanilha(contexto_.interacao);
    if (!arquivo)
        return;
    QStringList cabecalho;
    for (int c = 0; c < GradePontosExtrap->columnCount(); ++c) {
        const QTableWidgetItem* h = GradePontosExtrap->horizontalHeaderItem(c);
        cabecalho << (h ? h->text() : QString());
    }
    std::vector<QStringList> linhas;
    for (int r = 0; r < GradePontosExtrap->rowCount(); ++r) {
        QStringList linha;
        for (int c = 0; c < GradePontosExtrap->columnCount(); ++c) {
            const QTableWidgetItem* celula = GradePontosExtrap->item(r, c);
            linha << (celula ? celula->text() : QString());
        }
        linhas.push_back(linha);
    }
    exportarRelacaoVazoes(*arquivo, Codigo, cabecalho, linhas, Anexo);
    contexto_.interacao.mensagem(QStringLiteral("Arquivo gravado com sucesso!"), QString());
}

}  // namespace lumeno
