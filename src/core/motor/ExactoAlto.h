#pragma once

#include "core/motor/Cifra.h"
#include "core/motor/Exacto.h"

// What the confidence limits of variance components need beyond Exacto:
// fractions that add and multiply, numbers √(r + s·√q) whose double and six
// digits are decided exactly, and the quantiles of the χ², F and t
// distributions to fifty digits, taken as exact fractions. A limit built from
// those quantiles differs from the true one by less than 1e-45 of itself, so its
// six digits and its nearest double are the true ones unless the true value
// lies that close to a rounding boundary.

Fraccion operator+(const Fraccion &a, const Fraccion &b);
Fraccion operator-(const Fraccion &a, const Fraccion &b);
Fraccion operator*(const Fraccion &a, const Fraccion &b);
// b != 0
Fraccion operator/(const Fraccion &a, const Fraccion &b);
int SignoDe(const Fraccion &a);

// r + s·√q with q ≥ 0 and s one of -1, 0, 1, as a Real holds it, kept in
// parts so that it can be scaled and its square root taken.
struct SumaRaiz
{
    Fraccion r;
    int s = 0;
    Fraccion q;

    Real real() const { return Real(r, s, q); }
    // The number times c ≥ 0.
    SumaRaiz por(const Fraccion &c) const;
};

// The sign of √v − c, v ≥ 0.
int ComparaRaiz(const SumaRaiz &v, const Fraccion &c);
// √v for v ≥ 0: its nearest double and its six digits rounded half-up.
Cifra CifraDeRaiz(const SumaRaiz &v);

// The quantiles that leave probability p (0 < p < 1) in the lower tail, or
// in the upper one, to fifty digits as exact fractions. A failure of the
// library is the calculation error.
enum class Cola { inferior, superior };
Fraccion CuantilChiCuadrado(int gl, const Fraccion &p, Cola cola);
Fraccion CuantilF(int gl1, int gl2, const Fraccion &p, Cola cola);
Fraccion CuantilT(int gl, const Fraccion &p, Cola cola);
