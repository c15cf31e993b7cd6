#pragma once

#include "cli/EstudioDeLinea.h"
#include "core/motor/Equivalencia.h"

#include <optional>

// The acceptance criteria of the command line: "--limite X" (in the data's
// units) or "--limite X%" (per cent of the grand mean), "--der-maxima Y"
// (per cent; only with a limit) and "--bonferroni", in any order around
// the study file.

// The criteria the options give, read with the decimal separator of the
// user's locale; none when no option names one. A value that does not read
// is refused with its message on the error output: false.
bool LeeCriterios(const ArgumentosOrden &argumentos, std::optional<CriteriosEquivalencia> &criterios);

// tolerancia --precision ARCHIVO.w1e [--limite X|X%] [--der-maxima Y] [--bonferroni]
// writes what the window "Precisión intermedia y equivalencia" shows; a
// handler of the table of commands (a criterion that does not read: 2).
int EjecutaPrecision(const ArgumentosOrden &argumentos);
