// "Critérios para ajuste automático": the measurements of a new curve (period, stages,
// discharges), its mandatory points, colour and algorithm, chosen on a tree of links.
// A new curve starts from the defaults stored for its number.
#pragma once

#include <QDialog>

#include "curves/CriteriosAjuste.h"

#include <cstdint>
#include <vector>

class QAction;
class QPushButton;

namespace lumeno {

struct Contexto;
class ArvoreFormatada;
class NoFormatado;
class TDigitarPontoObrigatorio;

// What the criteria tree holds, walked in display order: the condition lines (each
// criterion in parentheses, joined by the line " and "), the descriptions, the colour and
// the mandatory points.
struct CriteriosDaCurva {
    QStringList condicoes;
    QStringList descricoes;
    std::uint32_t cor = 0;
    std::vector<PontoObrigatorio> pontos;
};

class TfrmParmsCurva : public QDialog {
    Q_OBJECT
public:
    TfrmParmsCurva(Contexto& contexto, TDigitarPontoObrigatorio& pontoObrigatorio,
                   QWidget* pai = nullptr);

    // Sets what the tree is built from at the next showing: the station, the number of
    // the curve to come and the station's lowest measured stage (cm).
    void preparar(const QString& codigo, const QString& descricao, int proximaCurva,
                  double cotaMinMedicoes);
    // The period of the next showing starts at `data` ("a partir de"), as if typed; the
    // showing after it starts blank again.
    void predefinirInicio(const QDate& data);

    bool Confirmado = false;
    bool CorEscolhida = false;
    bool AlgoritmoEscolhido = false;
    int Algoritmo = 0;
    int Parametro = 0;

    ArvoreFormatada* trvCurva;
    QPushButton* bo_ok;
    QPushButton* bo_cancela;
    QAction* mniMostrarSecao;

    // Link clicks and value choices of the tree.
    void linkClicado(NoFormatado* no, const QString& href);
    void algoritmoEscolhido(NoFormatado* no, const QString& novo);
    // The tree built as on showing.
    void montarArvore();
    CriteriosDaCurva criterios() const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void escolherData(NoFormatado* no, bool inicio, const QString& link);
    void definirData(NoFormatado* no, bool inicio, const QString& link, const QDate& data);
    void escolherValor(NoFormatado* no, bool cota, bool inicio, const QString& link);
    void escolherPonto(NoFormatado* no);
    void escolherCor(NoFormatado* no);
    void definirLinhaCor(NoFormatado* no, std::uint32_t cor);

    Contexto& contexto_;
    TDigitarPontoObrigatorio& pontoObrigatorio_;
    QString codigo_, descricao_;
    int proximaCurva_ = 1;
    double cotaMinMedicoes_ = 0;
    QDate inicioPredefinido_;
};

}  // namespace lumeno
