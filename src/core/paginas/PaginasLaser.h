#pragma once

#include "core/paginas/Hoja.h"

#include "core/estudio/Estudio.h"
#include "core/motor/ResultadosAnova.h"

// The laser layout of the two printed pages. Each page routine is one
// complete print job on the canvas; `lineasMargen` is what it prints in its top
// margin (LineasMargen).

// The resolution the layout's positions (printer pixels) were set for.
inline constexpr int ResolucionLaser = 600;

// The general-information page: the study's description and its whole grid.
// A FAM count that is not an integer throws ErrorConversion after the
// description is drawn; the job is then dropped.
void ImprimeInformacionLaser(Lienzo &lienzo, const Estudio &estudio, const QStringList &lineasMargen);

// The results page from a calculation of the study: analysis of variance,
// per-FAM statistics, the intervals when pfcal < 0.05, and the description.
// The results are a copy; the critical t value is not printed.
void ImprimeToleranciaLaser(Lienzo &lienzo, const Estudio &estudio, ResultadosAnova resultados,
                            const QStringList &lineasMargen);
