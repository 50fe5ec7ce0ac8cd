// A data folder in a temporary directory holding station 1 "Grande" with its
// measurements (and optionally a section profile), for the benchmarks that need a
// filled database.
#pragma once

#include "data/LocalizacoesBanco.h"
#include "data/TDM.h"
#include "hydraulics/GeometriaSecao.h"

#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace lumeno {

struct MedicaoBench {
    double cota = 0;        // cm
    double vazao = 0;       // m³/s
    double area = 10;       // m²
    double velocidade = 1;  // m/s
};

// 3,000 measurements with stages from 1,100 to 1,600 cm in random order — whole
// centimetres as stations record them, or all different (the worst case for the fit) —
// on Q = 12.5 (h/100 − 9.5)^1.7 with ±10 % noise.
std::vector<MedicaoBench> Medicoes3000(bool cotasInteiras = true);

struct EstacaoBench {
    QTemporaryDir dir;
    std::unique_ptr<LocalizacoesBanco> localizacoes;
    std::unique_ptr<TDM> dm;

    // Stores the measurements numbered from 1 and the profile, in one transaction, and
    // opens the station list on them.
    explicit EstacaoBench(const std::vector<MedicaoBench>& medicoes,
                          const std::vector<PontoPerfil>& perfil = {});
};

}  // namespace lumeno
