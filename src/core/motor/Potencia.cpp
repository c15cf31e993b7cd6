#include "Potencia.h"

#include "core/motor/Aritmetica.h"

double Potencia(double x, double y)
{
    using namespace Aritmetica;
    return exponencial(producto(y, logaritmo(x)));
}
