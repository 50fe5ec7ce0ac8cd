// Deviations of the measurements from the fitted curves: for each measurement of a
// curve, d = (Qc − Q) / Q × 100, Qc the curve's discharge at the measurement's stage
// (cm) and Q the measured discharge (m³/s). Kept as texts ("-3.21%", at most 10
// characters), one per measurement, indexed 1…3000 by the measurement's position in
// the station's measurement list (ascending number); "---" where none was computed.
#pragma once

#include "curves/CurvaTrecho.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace lumeno {

class TabelaDesvios {
public:
    static constexpr int tamanho = 3000;
    static inline const QString semDesvio = QStringLiteral("---");

    TabelaDesvios() { reiniciar(); }

    // Every entry back to "---".
    void reiniciar();
    // Entry `posicao` (1-based); "---" outside 1…3000.
    QString texto(int posicao) const;
    void definir(int posicao, const QString& texto);

    // The text of a deviation: fixed notation with two decimals, "%" appended, cut to
    // 10 characters.
    static QString textoDesvio(double desvio);
    // The number of a deviation text without its last character; empty for "---".
    static std::optional<double> valorDesvio(const QString& texto);

    // The deviation of one row of a fitted curve; none for an algorithm that has no curve
    // and for a measured discharge of zero.
    static std::optional<double> desvio(const CurvaTrecho& curva, const LinhaMedida& linha);

    // Computes the entries of the curve's rows. `posicaoDe` gives the position of a
    // measurement number in the station's list (0 when it is not there). Returns the
    // position of the last row located (0 when none), where the list's cursor ends.
    int calcular(const CurvaTrecho& curva, const std::function<int(double numero)>& posicaoDe);

private:
    std::array<QString, tamanho> entradas_;
};

}  // namespace lumeno
