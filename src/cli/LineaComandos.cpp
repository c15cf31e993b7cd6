#include "LineaComandos.h"

// Replaced by the command line.
bool EsLineaComandos(int, char **)
{
    return false;
}

int EjecutaLineaComandos(int, char **)
{
    return 2;
}
