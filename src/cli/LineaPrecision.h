#pragma once

#include "core/motor/Equivalencia.h"

#include <QString>

#include <optional>

// The acceptance criteria of the command line: "--limite X" (in the data's
// units) or "--limite X%" (per cent of the grand mean), "--der-maxima Y"
// (per cent; only with a limit) and "--bonferroni", in any order around
// the study file.

struct OrdenPrecision
{
    QString archivo;
    std::optional<CriteriosEquivalencia> criterios;  // none without "--limite"
    QString error;  // the message of a value that does not read: exit 2
};

// The study file and criteria from argv[desde] on, the values read with
// the decimal separator of the user's locale. Nothing when the arguments
// do not have that form (no file, an unknown or repeated option).
std::optional<OrdenPrecision> LeeOrdenPrecision(int argc, char **argv, int desde);

// tolerancia --precision ARCHIVO.w1e [--limite X|X%] [--der-maxima Y] [--bonferroni]
// writes what the window "Precisión intermedia y equivalencia" shows.
// Takes the whole command line; returns the exit code (0 done, 1 refused
// or failed, 2 wrong usage or a criterion that does not read).
int EjecutaPrecision(int argc, char **argv);
