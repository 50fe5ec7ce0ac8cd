// The network's tables as one import sees them: the columns the import declares of
// Estacao, Rio, ResumoDescarga, PerfilTransversal and PerfilTransversalVert, read whole
// from an Access file (through a LeitorMdb) or from the network's CSV downloads, and the
// network's statements evaluated on them with their own conditions and order:
//
//   station list   select e.codigo, e.nome, e.RioCodigo, r.nome as NomeRio
//                  from estacao e, rio r where e.RioCodigo = r.Codigo and
//                  (e.codigo in (select EstacaoCodigo from resumoDescarga) or
//                   e.codigo in (select EstacaoCodigo from PerfilTransversal))
//                  order by e.codigo
//   measurements   select * from ResumoDescarga where EstacaoCodigo = :est and
//                  Importado = :importado and Temporario = :temporario and
//                  Removido = :removido and ImportadoRepetido <> 1 and
//                  (nivelConsistencia = :nivelConsistX or
//                   nivelConsistencia = :nivelConsistBruto or
//                   nivelConsistencia = :nivelConsistConsistido)
//                  order by numMedicao
//   profiles       select * from perfilTransversal a where EstacaoCodigo = :est and
//                  exists (select 1 from perfilTransversalVert b
//                          where a.registroId = b.registroId)
//                  order by data
//   verticals      select a.RegistroID, a.Distancia, a.Cota
//                  from PerfilTransversalVert a, PerfilTransversal b
//                  where (b.EstacaoCodigo = :est) and (a.RegistroId = b.RegistroId) and
//                  (b.RegistroId = :perf) order by a.distancia
//
// An empty value compares as SQL's NULL does: it satisfies no condition.
//
// Decided beyond the statements:
//  - a vertical or a profile marked Removido = 1 is a deleted row of the network's
//    database and is never offered nor imported;
//  - rows that tie on a statement's order keep the file's order (distance ties among
//    verticals, date ties among profiles); measurement-number ties are ordered by date
//    and time, then the file's order; empty values sort first;
//  - a river code that the river table holds twice gives the station its first name.
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
    static FonteHidro deTabelas(const QString& arquivo, std::vector<TabelaMdb> tabelas);

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
    FonteHidro(QString arquivo, std::vector<TabelaMdb> tabelas);
    // The table of that name; an empty one when the source has none.
    const TabelaMdb& tabela(const char* nome) const;

    QString arquivo_;
    std::vector<TabelaMdb> tabelas_;
    bool temRios_ = true;
    bool identificadoresReais_ = true;
};

}  // namespace lumeno
