#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/ResultadosAnova.h"

#include <QChar>

// One-way analysis of variance of a study. Reads k and n from the count
// texts and the cells (i, j) of the grid, converting each cell with the
// given decimal separator, and computes every figure exactly from the typed
// decimals, rounding each once. No state is kept between calls.
// Throws ErrorConversion for a count or cell that is not a number, and
// ErrorCalculo where a figure has no value: no variation within any level
// (the F divides by zero: "Floating point division by zero", or "Invalid
// floating point operation" when the means are all equal too), a level or
// grand mean of 0 under a coefficient of variation (the same two texts), a
// figure beyond the doubles ("Floating point overflow"), and counts outside
// 2..5 FAM and 2..10 samples, which the caller has refused (ValidaCaptura).
ResultadosAnova CalculaAnova(const Estudio &estudio, QChar separador);

// Approximate upper-tail probability of F with (df1, df2) degrees of freedom.
double ProbabilidadF(double f, double df1, double df2);
