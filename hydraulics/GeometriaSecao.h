// Hydraulic geometry of a station's surveyed cross-section at a water stage (CARGEO).
//
// Input: the profile points in their stored order — X, the distance across the section
//   in metres, and Y, the bed or bank elevation in centimetres on the stage datum — taken
//   as a line from one bank to the other, consecutive points joined by straight segments;
//   and the stage e in metres.
// Method: the profile is clipped at the water level, keeping the points at or below it and
//   the points where it crosses it. The wetted area is the rectangle between the water
//   level and the lowest point of the whole profile over the clipped line's extreme
//   distances, less the trapezoids under the clipped line; a stretch of the clipped line
//   along the water level (between a crossing out of the water and the next crossing back
//   in) adds nothing to the area, to the wetted perimeter or to the top width. A first or
//   last point below the water closes the area with a vertical wall that adds nothing to
//   the perimeter.
// Results: A (m²) wetted area, P (m) wetted perimeter, B (m) top width, R = A / P (m).
//   All arithmetic in double precision.
// Validity: points in increasing X. A reversed or zig-zag profile gives a wrong area.
// Decided edge cases: a stage at or below the lowest point of the profile, or a profile
//   without points, gives A = P = B = R = 0; any other zero perimeter gives R = 0. The
//   clipped line grows with the profile (no limit on the number of points).
#pragma once

#include <cstddef>
#include <vector>

namespace lumeno {

struct PontoPerfil {
    double x = 0;  // m
    double y = 0;  // cm
};

struct GeometriaSecao {
    double A = 0;  // m²
    double R = 0;  // m
    double P = 0;  // m
    double B = 0;  // m
};

// A profile ready for repeated computations: it keeps the elevations in metres and the
// working storage of the clipped line between calls.
class SecaoTransversal {
public:
    SecaoTransversal() = default;
    explicit SecaoTransversal(const std::vector<PontoPerfil>& pontos);

    // The geometry at stage `cota` (metres).
    GeometriaSecao CARGEO(double cota);

    bool vazia() const { return x_.empty(); }
    int totalPontos() const { return static_cast<int>(x_.size()); }

private:
    std::vector<double> x_, y_;                // the profile, y in metres
    double ymin_ = 0;                          // the lowest y
    std::vector<double> faixa_, comprimento_;  // terms of each profile segment
    std::vector<double> xc_, yc_;              // the clipped line (working storage)
    std::vector<size_t> origem_;               // profile point of each clipped entry
};

// One computation on a profile given as its points.
GeometriaSecao CARGEO(const std::vector<PontoPerfil>& pontos, double cota);

}  // namespace lumeno
