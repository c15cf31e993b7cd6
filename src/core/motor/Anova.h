#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/AnovaResults.h"

#include <QChar>

// One-way analysis of variance of a study: reads k and n from the count
// texts and the cells (i, j) of the grid, converting each cell with the
// given decimal separator, and fills the holder's record, its three per-FAM
// arrays (elements 1..k only) and the critical t value.
// Throws ErrorConversion for a count or cell that is not a number and
// ErrorCalculo for an arithmetic fault ("Floating point division by zero",
// "Invalid floating point operation", "Floating point overflow").
// The caller guarantees 2 <= k <= 5 and 2 <= n <= 10 (ValidaCaptura); other
// counts throw ErrorCalculo. No state is kept between calls.
void CalculaAnova(const Estudio &estudio, QChar separador, JuegoResultados &juego);

// Approximate upper-tail probability of F with (df1, df2) degrees of freedom.
double ProbabilidadF(double f, double df1, double df2);
