#pragma once

// tolerancia --grafica SALIDA.png|svg|pdf ARCHIVO.w1e [--ancho PX] [--alto PX]
// Takes the whole command line. Returns the exit code (0 done, 1 refused or
// failed, 2 wrong usage).
int EjecutaGrafica(int argc, char **argv);
