// The station list as the station picker and the station bank show it: one row per
// station of the station list query, in its order, with the station pictures.
#pragma once

#include <QString>

class QTreeWidget;

namespace lumeno {

class Consulta;

namespace ListaEstacoes {
enum Coluna { Codigo, Descricao, Rio, Medicoes, Secao, IdEstacao, Perfil };

// Prepares the list's columns ("Código", "Descrição", "Rio", "#Med", hidden section
// count titled `tituloSecao`, hidden IdEstacao, "Perfil") and fills it from `estacoes`;
// the columns take the width of their titles and values, and the list's window grows to
// show them.
void preencher(QTreeWidget* lista, Consulta& estacoes, const QString& tituloSecao);
// The IdEstacao of the selected row; 0 when no row is selected.
int idSelecionado(const QTreeWidget* lista);
// Makes the row of station `id` current and selected, or the first row when no row has it.
void selecionar(QTreeWidget* lista, int id);
}  // namespace ListaEstacoes

}  // namespace lumeno
