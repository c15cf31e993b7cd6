#pragma once

#include <array>

// The pairs of FAM levels in the order every presenter lists them: by the
// higher level, then the lower. A study with k levels uses the first
// NumeroPares(k).
struct ParFam
{
    int menor;
    int mayor;
};

inline constexpr std::array<ParFam, 10> OrdenPares{{
    {1, 2}, {1, 3}, {2, 3}, {1, 4}, {2, 4}, {3, 4}, {1, 5}, {2, 5}, {3, 5}, {4, 5},
}};

// Number of pairs shown for k levels (0 outside 2..5).
constexpr int NumeroPares(int k) { return (k >= 2 && k <= 5) ? k * (k - 1) / 2 : 0; }

// Conclusion rule: lower × upper ≥ 0 means the two levels differ, decided
// on the signs of the exact limits (-1, 0, 1), so a limit of exactly 0 is a
// difference and no rounding can turn one.
constexpr bool HayDiferencia(int signoInferior, int signoSuperior)
{
    return signoInferior * signoSuperior >= 0;
}

// Significance of the FAM effect: pfcal strictly below 0.05. The threshold
// is compared as 0.05 in extended precision, which lies just below the
// double nearest 0.05, so that double itself is not significant. A pfcal
// that is not a number is not significant either.
constexpr bool EsSignificativo(double pfcal) { return pfcal < 0.05; }
