// Drawing a station's cross-section profile: the points of the station's point query
// joined in their stored order, in red, with the ranges fitted to them and five dotted
// grid divisions per axis.
#pragma once

namespace lumeno {

class PainelGrafico;
class TDM;

// Reopens the point query for the current station of the station list and draws it.
// With fewer than two points the chart stays empty. The query is left on its first row.
void desenharSecao(TDM& dm, PainelGrafico& grafico);

}  // namespace lumeno
