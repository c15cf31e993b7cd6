#pragma once

// tolerancia --pdf SALIDA.pdf --pagina informacion|resultados
//            [--impresora laser|deskjet] ARCHIVO.w1e
// Takes the whole command line. Returns the exit code (0 done, 1 refused or
// failed, 2 wrong usage).
int EjecutaPdf(int argc, char **argv);
