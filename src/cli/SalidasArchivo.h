#pragma once

#include "cli/EstudioDeLinea.h"

// The commands that draw the study into a file, written whole or not at
// all; handlers of the table of commands. Drawing needs fonts: each runs
// on a GUI application once its arguments are checked.

// tolerancia --pdf SALIDA.pdf --pagina informacion|resultados
//            [--impresora laser|deskjet] ARCHIVO.w1e
// One of the two printed pages, as the chosen printer kind prints it.
int EjecutaPdf(const ArgumentosOrden &argumentos);

// tolerancia --grafica SALIDA.png|svg|pdf ARCHIVO.w1e [--ancho PX] [--alto PX] [--limite X|X%]
// The study's plot, in the format of the file's extension; with a limit,
// the band of the grand mean ± the limit.
int EjecutaGrafica(const ArgumentosOrden &argumentos);
