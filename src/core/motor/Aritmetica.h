#pragma once

#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <cmath>

// Checked double arithmetic for the engine. IEEE arithmetic does not trap,
// so each operation tests its operands and result and fails with the
// runtime's text instead of carrying an infinity or a NaN on.
namespace Aritmetica {

inline double finito(double r)
{
    if (std::isinf(r))
        throw ErrorCalculo(TextoDe(Mensaje::desbordamiento));
    return r;
}

inline double suma(double a, double b) { return finito(a + b); }
inline double resta(double a, double b) { return finito(a - b); }
inline double producto(double a, double b) { return finito(a * b); }

inline double cociente(double a, double b)
{
    if (b == 0.0) {
        if (a == 0.0)
            throw ErrorCalculo(TextoDe(Mensaje::operacionInvalida));
        throw ErrorCalculo(TextoDe(Mensaje::divisionPorCero));
    }
    return finito(a / b);
}

inline double raiz(double a)
{
    if (a < 0.0)
        throw ErrorCalculo(TextoDe(Mensaje::operacionInvalida));
    return std::sqrt(a);
}

inline double logaritmo(double a)
{
    if (a == 0.0)
        throw ErrorCalculo(TextoDe(Mensaje::divisionPorCero));
    if (a < 0.0)
        throw ErrorCalculo(TextoDe(Mensaje::operacionInvalida));
    return std::log(a);
}

inline double exponencial(double a) { return finito(std::exp(a)); }

// X raised to Y as exp(Y · ln X), for X > 0. ln 0 fails with
// "Floating point division by zero", a negative X with
// "Invalid floating point operation" (ErrorCalculo).
inline double potencia(double x, double y) { return exponencial(producto(y, logaritmo(x))); }

} // namespace Aritmetica
