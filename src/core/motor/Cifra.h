#pragma once

// A result as it is shown and written. Behind it lies an exact value (a
// rational, or a rational plus or minus a square root); the figure keeps
// the double nearest that value, which the results document writes, and the
// value rounded half-up to six significant digits, which windows, report
// and pages show. The nearest double alone would not do: 100.0005 is a
// decimal tie whose nearest double lies below it.
struct Cifra
{
    double valor = 0.0;  // the nearest double (ties to even); ±INF or NAN only from a double
    int signo = 0;       // of the exact value: -1, 0 or 1
    int digitos = 0;     // 100000..999999: the six digits d1…d6, when signo != 0
    int exponente = 0;   // |exact value| rounds to 0.d1…d6 × 10^exponente
};

// The figure of a double taken as exact, as the program's own
// approximations and the library's distributions give their results.
Cifra CifraDeDoble(double valor);
