#pragma once

#include "cli/EstudioDeLinea.h"

// The commands that write what they calculate from a study to the standard
// output, in UTF-8; handlers of the table of commands.

// tolerancia --informe ARCHIVO.w1e: the report, as the "&Informe" window.
int EjecutaInforme(const ArgumentosOrden &argumentos);

// tolerancia --supuestos ARCHIVO.w1e: the "Supuestos del análisis" window.
int EjecutaSupuestos(const ArgumentosOrden &argumentos);

// tolerancia --json ARCHIVO.w1e [--limite X|X%] [--der-maxima Y] [--bonferroni]:
// every result as one JSON document, with the equivalence the criteria
// ask for (LineaPrecision.h).
int EjecutaJson(const ArgumentosOrden &argumentos);

// tolerancia --dunnett ARCHIVO.w1e [--control N]: each level against the
// control level, as the "t de Dunnett" window.
int EjecutaDunnett(const ArgumentosOrden &argumentos);
