#pragma once

#include "core/motor/AnovaResults.h"

#include <array>

// The pairs of FAM levels in the order every presenter lists them: by the
// higher level, then the lower. A study with k levels uses the first
// NumeroPares(k).
struct ParFam
{
    int menor;
    int mayor;
    int liminf;
    int limsup;
};

inline constexpr std::array<ParFam, 10> OrdenPares{{
    {1, 2, Ranura::liminf12, Ranura::limsup12},
    {1, 3, Ranura::liminf13, Ranura::limsup13},
    {2, 3, Ranura::liminf23, Ranura::limsup23},
    {1, 4, Ranura::liminf14, Ranura::limsup14},
    {2, 4, Ranura::liminf24, Ranura::limsup24},
    {3, 4, Ranura::liminf34, Ranura::limsup34},
    {1, 5, Ranura::liminf15, Ranura::limsup15},
    {2, 5, Ranura::liminf25, Ranura::limsup25},
    {3, 5, Ranura::liminf35, Ranura::limsup35},
    {4, 5, Ranura::liminf45, Ranura::limsup45},
}};

// Number of pairs shown for k levels (0 outside 2..5).
constexpr int NumeroPares(int k) { return (k >= 2 && k <= 5) ? k * (k - 1) / 2 : 0; }

// Conclusion rule: lower × upper ≥ 0 means the two levels differ; a product
// that is not a number means they do not.
bool HayDiferencia(double liminf, double limsup);

// Significance of the FAM effect: pfcal strictly below 0.05. The threshold
// is compared as 0.05 in extended precision, which lies just below the
// double nearest 0.05, so that double itself is not significant. A pfcal
// that is not a number is not significant either.
constexpr bool EsSignificativo(double pfcal) { return pfcal < 0.05; }
