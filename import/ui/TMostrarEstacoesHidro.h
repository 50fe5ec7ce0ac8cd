// Station choice of the network imports: the stations of the file, in code order, each
// with a check box; "&Ok" confirms the ticked ones. Titled with the file's path.
#pragma once

#include "import/FonteHidro.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace lumeno {

class TMostrarEstacoesHidro : public QDialog {
    Q_OBJECT
public:
    enum Coluna { Codigo, Nome, Rio, RioCodigo };

    explicit TMostrarEstacoesHidro(QWidget* pai = nullptr);

    // Fills the list (nothing ticked).
    void carregar(const std::vector<EstacaoHidro>& estacoes);
    // The ticked stations, in the list's order.
    std::vector<EstacaoHidro> marcadas() const;

    // True when the dialog was closed with "&Ok".
    bool Confirmado = false;

    QTreeWidget* lstEstacoes;
    QPushButton* bo_ok;

protected:
    void showEvent(QShowEvent* e) override;

private:
    std::vector<EstacaoHidro> estacoes_;
};

}  // namespace lumeno
