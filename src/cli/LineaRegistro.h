#pragma once

// The study's register from the command line:
//   tolerancia --registro ARCHIVO.w1e
//   tolerancia --firmar ARCHIVO.w1e --nombre "NOMBRE" --significado realizado|revisado|aprobado
// Whether argv[1] names one of them.
bool EsLineaRegistro(int argc, char **argv);

// Takes the whole command line. --registro writes the trail and what
// checking it found, and exits 0 only when the chain is whole and the study
// is the one its last save recorded; --firmar adds a signature for the
// study as it is on disk, never writing the study. 1: refused or failed,
// with the reason on the error output; 2: wrong usage.
int EjecutaLineaRegistro(int argc, char **argv);
