// The station bank ("Banco de Estações"): every station with its counts, and the
// commands that create, edit and delete stations and open the per-station windows.
#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace lumeno {

struct Contexto;

class TControleEstacao : public QDialog {
    Q_OBJECT
public:
    explicit TControleEstacao(Contexto& contexto, QWidget* pai = nullptr);

    QTreeWidget* lstEstacoes;
    QPushButton* bo_deletar;
    QPushButton* bo_inserir;
    QPushButton* bo_editar;
    QPushButton* bo_analisar;
    QPushButton* bo_ajustar;
    QPushButton* bo_medicoes;
    QPushButton* bo_secao;

    // Reloads the station list query and the list, and sets the buttons' state.
    void recarregar();

    void bo_deletarClick();
    void bo_inserirClick();
    void bo_editarClick();
    void bo_analisarClick();
    void bo_ajustarClick();
    void bo_medicoesClick();
    void bo_secaoClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    // Makes the selected station the current row of the station list; its IdEstacao,
    // or 0 when there is no selection or the station is gone.
    int estacaoSelecionada();
    // Puts the station table on its primary order and on station `id`.
    bool posicionarEstacao(int id);
    Contexto& contexto_;
};

}  // namespace lumeno
