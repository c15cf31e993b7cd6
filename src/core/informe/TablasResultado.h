#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/Dunnett.h"
#include "core/motor/ResultadosAnova.h"

#include <QChar>

// Cell texts of the result grids, column by column as the windows show
// them. Numbers go through FormatoGeneral with the given separator; every
// heading keeps its exact blanks.

// "Análisis de la varianza", upper grid: 6 × 5, three heading rows.
Rejilla TablaAnova(const ResultadosAnova &resultados, QChar separador);

// "Análisis de la varianza", lower grid: 4 × 8, one row per FAM 1..k from
// row 2, the totals in row k + 2, the rows after it empty.
Rejilla TablaEquipos(const ResultadosAnova &resultados, QChar separador);

// "Intervalo de Confianza": 5 × 12, two heading rows, then the pairs of k
// FAM levels in pair order from row 2, the rows after them empty.
Rejilla TablaConclusiones(const ResultadosAnova &resultados, QChar separador);

// "t de Dunnett", upper grid: 2 × (k + 1), each FAM level's mean.
Rejilla TablaPromediosDunnett(const ResultadoDunnett &resultado, QChar separador);

// "t de Dunnett", lower grid: ColumnasDunnett × k, a heading row, then each
// level against the control.
inline constexpr int ColumnasDunnett = 8;
Rejilla TablaDunnett(const ResultadoDunnett &resultado, QChar separador);
