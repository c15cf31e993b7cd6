#include "Pares.h"

#include <cmath>

bool HayDiferencia(double liminf, double limsup)
{
    const double producto = liminf * limsup;
    if (std::isnan(producto))
        return false;
    if (producto != 0.0)
        return producto > 0.0;
    // The product underflowed or a limit is zero: the signs decide, as they
    // would in exact arithmetic.
    return liminf == 0.0 || limsup == 0.0 || std::signbit(liminf) == std::signbit(limsup);
}
