#pragma once

#include "cli/EstudioDeLinea.h"

// The study's register from the command line; handlers of the table of
// commands. 1: refused or failed, with the reason on the error output.

// tolerancia --registro ARCHIVO.w1e writes the trail and what checking it
// found, and exits 0 only when the chain is whole and the study is the one
// its last save recorded.
int EjecutaRegistro(const ArgumentosOrden &argumentos);

// tolerancia --firmar ARCHIVO.w1e --nombre "NOMBRE" --significado realizado|revisado|aprobado
// adds a signature for the study as it is on disk, never writing the
// study. A meaning or a name that cannot sign: its message and 2.
int EjecutaFirma(const ArgumentosOrden &argumentos);
