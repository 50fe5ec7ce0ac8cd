// The network's tables as one import sees them: a copy, in an in-memory SQLite
// database, of the columns the import declares of Estacao, Rio, ResumoDescarga,
// PerfilTransversal and PerfilTransversalVert, read from an Access file (through a
// LeitorMdb) or from the network's CSV downloads. The network's own statements run on
// that copy as they are written (station list with its sub-selects, the filtered
// measurements, the profiles that have verticals, the verticals by distance), so they
// keep their meaning whatever the source.
//
// Decided beyond the statements:
//  - a vertical or a profile marked Removido = 1 is a deleted row of the network's
//    database and is never offered nor imported;
//  - rows that tie on the statement's ordering keep the file's order (distance ties
//    among verticals; measurement-number ties are ordered by date and time, then the
//    file's order).
#pragma once

#include "import/LeitorMdb.h"

#include <QDate>
#include <QTime>

#include <optional>
#include <vector>

namespace lumeno {

struct EstacaoHidro {
    int codigo = 0;
    QString nome;
    QVariant rioCodigo;  // null when the station has none
    QString nomeRio;
};

// The boxes of the parameters dialog.
struct FiltroMedicoes {
    bool importado = false;
    bool temporario = false;
    bool removido = false;
    bool bruto = false;
    bool consistido = false;
};

struct MedicaoHidro {
    int numero = 0;
    QDate data;
    QTime hora;
    int nivel = 0;  // NivelConsistencia
    std::optional<double> cota, vazao, area, velocidade;
    int ordem = 0;  // position in the file
};

struct PerfilHidro {
    double registroId = 0;
    // What Ponto.Perfil gets: the RegistroID of an Access file; null for a CSV download,
    // whose profiles have no identifier of their own.
    QVariant identificador;
    QDate data;
    QTime hora;
    QVariant numLevantamento;
    QVariant nivel;
    int verticais = 0;
};

struct RioHidro {
    qint64 codigo = 0;
    QString nome;
};

struct VerticalHidro {
    double distancia = 0;
    double cota = 0;
};

class FonteHidro {
public:
    // What a command reads of an Access file.
    enum class Uso { Medicoes, Secoes, Rios };
    static std::vector<PedidoTabela> pedidos(Uso uso);

    // Reads what `uso` needs through `leitor` (every declared table and column must exist).
    static FonteHidro doAccess(LeitorMdb& leitor, Uso uso);
    // Over tables already read (a CSV download): no river table, profiles without
    // identifiers.
    static FonteHidro deTabelas(const QString& arquivo, const std::vector<TabelaMdb>& tabelas);

    FonteHidro(FonteHidro&& outra) noexcept;
    FonteHidro& operator=(FonteHidro&&) = delete;
    ~FonteHidro();

    const QString& arquivo() const { return arquivo_; }
    // Whether it was read from an Access file (rather than from a CSV download).
    bool doArquivoAccess() const { return temRios_; }

    // The stations that have a river and at least one measurement or profile, by code
    // (of a CSV download: every station in it, without name or river).
    std::vector<EstacaoHidro> estacoes();
    // The station's measurements that pass the filter, by measurement number.
    std::vector<MedicaoHidro> medicoes(int codigo, const FiltroMedicoes& filtro);
    // The station's profiles that have at least one vertical, by date.
    std::vector<PerfilHidro> perfis(int codigo);
    // The verticals of a profile of the station, by distance.
    std::vector<VerticalHidro> verticais(int codigo, double registroId);
    // The whole river table, in the file's order.
    std::vector<RioHidro> rios();

private:
    explicit FonteHidro(QString arquivo);
    void carregar(const TabelaMdb& tabela);

    QString arquivo_;
    QString conexao_;
    bool temRios_ = true;
    bool identificadoresReais_ = true;
};

}  // namespace lumeno
