// "Fixando os três parâmetros": k, m and h0 of a curve typed by hand and drawn in a new
// colour; several tries stay on the chart to be compared, the last one is kept.
#pragma once

#include <QDialog>

#include <cstdint>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace lumeno {

struct Contexto;
class TDigitarParametrosCurva;
class TTelaMedicao;

class TAjusteFixoGeral : public QDialog {
    Q_OBJECT
public:
    // The lines drawn while the dialog is open, most recent first.
    struct EntradaHistorico {
        std::uint32_t Cor;
        int Numero;
        double K, M, H0;
    };
    static constexpr int tamanhoHistorico = 10;

    TAjusteFixoGeral(Contexto& contexto, TDigitarParametrosCurva& parametros,
                     QWidget* pai = nullptr);

    // The window whose curves are adjusted (set before showing).
    TTelaMedicao* Tela = nullptr;

    std::vector<EntradaHistorico> Historico;
    int TotalHistorico = 0;
    std::vector<std::uint32_t> CoresOriginais;  // index = curve number

    QTreeWidget* lstParametros;
    QPushButton* bo_editar;
    QPushButton* bo_retracar;
    QPushButton* bo_originais;
    QPushButton* bo_limpar;

    void EditarClick();
    void RetracarClick();
    void OriginaisClick();
    void LimparClick();

    void done(int resultado) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void iniciar();
    void preencherLista();
    // Puts a try on top of the history, gives it to the curve and draws its line.
    void novaTentativa(const EntradaHistorico& entrada);
    Contexto& contexto_;
    TDigitarParametrosCurva& parametros_;
};

}  // namespace lumeno
