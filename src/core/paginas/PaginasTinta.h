#pragma once

#include "core/paginas/Hoja.h"

#include "core/estudio/Estudio.h"
#include "core/motor/ResultadosAnova.h"

// The ink-jet layout of the two printed pages: a header of its own, an
// 11-point body, capital headings and a results page whose foot follows the
// length of its tables. Each page routine is one complete print job;
// `lineasMargen` is what it prints in its top margin (LineasMargen).

// The resolution the layout's positions (printer pixels) were set for.
inline constexpr int ResolucionTinta = 300;

// The general-information page. A FAM count that is not an integer throws
// ErrorConversion after the description is drawn; the job is then dropped.
void ImprimeInformacionTinta(Lienzo &lienzo, const Estudio &estudio, const QStringList &lineasMargen);

// The results page, from a copy of the results.
void ImprimeToleranciaTinta(Lienzo &lienzo, const Estudio &estudio, ResultadosAnova resultados,
                              const QStringList &lineasMargen);
