// Natural logarithms of the differences H − c of many stages at once: the inner work of
// the H0 search, which takes one per row and candidate.
//
// Method: d = H − c is written 2^k · z with z in [0.6875, 1.375), and
//   ln d = k·ln 2 + ln c_i + ln(1 + r), r = (z − c_i)/c_i, |r| < 0.004. c_i (a point near
//   the middle of one of 128 subintervals), its reciprocal and its logarithm are tabulated,
//   c_i and ln c_i each as a sum of two doubles; ln(1 + r) is its series to r^7; the
//   pieces are added with their rounding errors carried, and rounded once at the end.
//   Accuracy: within 0.53 ulp of ln d (measured against extended precision); the result
//   is libm's log or its neighbour. The same bits on every x86-64 processor (outside the
//   differences left to libm below): the loop uses only IEEE double operations without
//   fused multiply-add, so the vectorised copies (AVX2 and AVX-512, chosen at run
//   time) and the scalar code agree lane by lane.
//   Validity: d within 1/16 of 1 (where ln d is small and the subtraction would cost
//   relative accuracy), d subnormal, infinite or not a number go to libm's log.
//   Rows with H ≤ c (and NaN stages) get the value `abaixo` instead.
//   Speed: the vectorised copies take about half the time of libm's log; the scalar copy,
//   left for processors without AVX2, about 1.4 times it.
#pragma once

#include <cstddef>

namespace lumeno {

// x[j] = ln(H[j] − c) where H[j] > c, else `abaixo`, for j < n.
void LogaritmosAcimaDe(const double* H, double c, double abaixo, double* x, std::size_t n);

// The copies of the loop, by the instructions they use.
enum class InstrucoesLogaritmos { Escalar, Avx2, Avx512 };

// LogaritmosAcimaDe with the given copy, to compare them (LogaritmosAcimaDe takes the
// widest the processor runs); false, computing nothing, when the processor lacks it.
bool LogaritmosAcimaDeCom(InstrucoesLogaritmos instrucoes, const double* H, double c, double abaixo,
                          double* x, std::size_t n);

}  // namespace lumeno
