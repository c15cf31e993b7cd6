#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/Exacto.h"
#include "core/motor/ResultadosAnova.h"

#include <QChar>
#include <vector>

// A study's analysis of variance in integers. Every typed value is
// X[i][j] / D over one common denominator D, so every sum below is exact,
// and the sums of squares come from the deviations, whatever leading digits
// the values share. The engine's figures, the checks of its assumptions and
// the comparisons with a control all start from it. Levels and samples are
// counted from 0 here.
struct AnovaExacta
{
    int k = 0;
    int n = 0;
    std::vector<std::vector<Entero>> X;
    std::vector<std::vector<double>> dobles;  // each value's nearest double
    Entero D = 1;
    std::vector<Entero> T;  // level totals: mean of level i = T[i] / (n·D)
    Entero G = 0;           // grand total: grand mean = G / (k·n·D)
    std::vector<Entero> U;  // Σj (n·X[i][j] − T[i])²: the level's SS = U[i] / (n·D)²
    Entero sumaU = 0;       // the error's SS = sumaU / (n·D)²

    int glError() const { return k * (n - 1); }
    Fraccion media(int i) const { return {T[static_cast<std::size_t>(i)], n * D}; }
    Fraccion mediaGeneral() const { return {G, k * n * D}; }
    Fraccion mcError() const { return {sumaU, n * n * D * D * glError()}; }
};

// Reads the counts (n first, then k) and converts every cell, level by
// level, with CalculaAnova's errors; then sums.
AnovaExacta LeeAnovaExacta(const Estudio &estudio, QChar separador);

// Every figure of the analysis, with CalculaAnova's calculation errors.
ResultadosAnova ResultadosDe(const AnovaExacta &anova);
