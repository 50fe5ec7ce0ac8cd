// The station-data summary: what the current adjustment holds — the station's
// measurements, its stage and discharge limits, every fitted curve with its parameters,
// validity and mandatory points, and every extrapolation — kept in three stores:
//  - trvParms, a tree of nodes with formatted captions and tDadosEstacao records (the
//    index through which a curve's node is found);
//  - lstEstacao, the categories (at most one per list kind, in the order added);
//  - lstItens, every entry with its ItemDadosEstacao record, in the order added.
// The curve-adjustment window empties and refills it at each load and adds to it after
// each fit and extrapolation; the summary window shows it.
#pragma once

#include "curves/CurvaTrecho.h"
#include "hydraulics/Extrapolacao.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <vector>

namespace lumeno {

class Conexao;
class Consulta;

// Node record. Kinds: 0 station; 1 group; 10 measurement or limit sub-group; 11 stage,
// 12 discharge; 2 "Curvas"; 20 curve (value = curve number); −20 curve sub-group;
// 21… parameters; −21… validity or range lines; −90 / 81 mandatory points group / point;
// −80 / −81 / −82 extrapolations group / extrapolation / its range.
struct tDadosEstacao {
    int tipo = 0;
    QString texto;
    double valor = 0;
    std::uint32_t cor = 0;
};

// List kinds of the entries.
namespace TipoLista {
constexpr int Medicao = 1;
constexpr int Limite = 2;
constexpr int Curva = 3;
constexpr int Extrapolacao = 4;
}  // namespace TipoLista

struct ItemDadosEstacao {
    QString legenda;  // at most 40 characters
    int figura = 0;
    int tipoLista = 0;
    int numero = 0;
    // measurement
    double cota = 0;
    double vazao = 0;
    QVariant area;
    QVariant velocidade;
    QString data;  // at most 10 characters
    // limit
    QString rotulo;
    double valor = 0;
    // curve: validity lines (at most 21, 60 characters each)
    QStringList validade;
    // extrapolation
    int numeroExtrapolacao = 0;
    double cotaExtrapolada = 0;
};

struct NoDados {
    QString legenda;  // formatted caption
    tDadosEstacao dados;
    NoDados* pai = nullptr;
    std::vector<std::unique_ptr<NoDados>> filhos;
};

// Pictures of the item list: fixed pictures for measurements and limits, then one
// colour picture per curve or extrapolation entry.
struct FiguraItem {
    enum Tipo { Medicao, Limite, Curva, Extrapolacao };
    Tipo tipo;
    std::uint32_t cor = 0;
};

struct EntradaCategoria {
    QString legenda;
    int tipoLista;
};

struct EntradaItem {
    QString legenda;
    int figura;
    QString subItem;  // the list kind as text
    ItemDadosEstacao item;
};

class DadosEstacao {
public:
    static constexpr int figuraMedicao = 0;
    static constexpr int figuraLimite = 1;

    DadosEstacao() { Reiniciar(); }

    // Empties the tree and both lists.
    void Reiniciar();

    // Captions: plain `<U><A href="link">label</A></U>` or coloured.
    static QString legendaSimples(const QString& link, const QString& rotulo);
    static QString legendaColorida(const QString& link, const QString& rotulo, std::uint32_t cor);

    NoDados* AdicionarNo(NoDados* pai, const QString& legenda, int tipo, const QString& texto,
                         double valor, std::uint32_t cor = 0);
    // The first node of that kind and value in tree order; nullptr when none.
    NoDados* AcharNo(int tipo, double valor) const;
    // The first child of `no` of that kind; nullptr when none.
    static NoDados* AcharFilho(const NoDados* no, int tipo);
    // Every node in display order (root first, depth first).
    std::vector<const NoDados*> nos() const;

    bool PossuiCategoria(int tipoLista) const;
    void AdicionarCategoria(const QString& legenda, int tipoLista);
    void AdicionarItem(const QString& legenda, int figura, int tipoLista, ItemDadosEstacao item);
    // Adds a picture to the item picture list; returns its index.
    int AdicionarFigura(FiguraItem::Tipo tipo, std::uint32_t cor);

    // Load-time filling: the station, its measurements (the list's order; its cursor is
    // left on the last one) and the four extremes of the station's measurements.
    void PreencherCarga(const QString& codigo, const QString& descricao, Consulta& medidas,
                        double cotaMin, double cotaMax, double vazaoMin, double vazaoMax);

    // Records curve `numero` after its fit, with the lines that describe its selection
    // ("Todos as medições da estação" when none) followed by what the fit told about
    // itself (`notas`: the rows left out, h0 at the edge of its search …). A curve read
    // back from a saved rating comes with all its lines and no notes. Reads its mandatory
    // points from the database.
    void MontaDadosCurva(const CurvaTrecho& curva, int numero, const QStringList& validade,
                         Conexao& conexao, const QStringList& notas = {});

    // After curve `numero` was fitted again: its parameters and validity lines (replaced by
    // `validade`, entry and tree alike). False when the curve is not in the summary.
    bool AtualizarCurva(const CurvaTrecho& curva, int numero, const QStringList& validade);

    // Records extrapolation `q` of curve `numeroCurva` (drawn in `corCurva`) under the
    // curve's node, and its entry. False, and nothing recorded, when the curve has no node.
    bool MontaDadosExtrapolacao(int numeroCurva, std::uint32_t corCurva, int q,
                                const RegistroExtrapolacao& registro);
    // The label of an extrapolation method: "Logarítmo", "Stevens" or "Manning".
    static QString rotuloMetodo(int metodo);

    // The validity lines recorded for curve `numero` (the children of its "Validade" group,
    // in order, with "Todos as medições da estação" when it was given none); empty when the
    // curve is not in the summary.
    QStringList ValidadeCurva(int numero) const;

    // The code of the station filled in at load.
    const QString& codigoEstacao() const { return codigo_; }

    const std::vector<std::unique_ptr<NoDados>>& trvParms() const { return raizes_; }
    const std::vector<EntradaCategoria>& lstEstacao() const { return categorias_; }
    const std::vector<EntradaItem>& lstItens() const { return itens_; }
    const std::vector<FiguraItem>& figuras() const { return figuras_; }

private:
    // The children of a curve's "Parâmetros" and "Validade" groups.
    void adicionarParametros(NoDados* parametros, const CurvaTrecho& curva);
    void adicionarValidade(NoDados* selecao, const QStringList& linhas, std::uint32_t cor);

    std::vector<std::unique_ptr<NoDados>> raizes_;
    std::vector<EntradaCategoria> categorias_;
    std::vector<EntradaItem> itens_;
    std::vector<FiguraItem> figuras_;
    QString codigo_;
};

}  // namespace lumeno
