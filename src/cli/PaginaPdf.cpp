#include "PaginaPdf.h"

#include <cstdio>

// Replaced by the page printer.
int EjecutaPdf(int, char **)
{
    std::fputs("--pdf no disponible\n", stderr);
    return 2;
}
