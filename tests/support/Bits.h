// The bits of a double, to compare results exactly (NaN with NaN, −0 apart from +0).
#pragma once

#include <bit>
#include <cstdint>

namespace lumeno::teste {

inline std::uint64_t bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

}  // namespace lumeno::teste
