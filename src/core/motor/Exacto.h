#pragma once

#include "core/motor/Cifra.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <QChar>
#include <QString>

// Exact arithmetic of the engine, in integers alone. A typed decimal is an
// exact rational; every result of the analysis is a rational, or a rational
// plus or minus the square root of one, and for such a number the double
// nearest it and its six shown digits are decided exactly.

using Entero = boost::multiprecision::cpp_int;

// num/den with den > 0, not necessarily reduced.
struct Fraccion
{
    Entero num = 0;
    Entero den = 1;
};

// r + s·√q with r, q rationals, q ≥ 0 and s one of -1, 0, 1. A root that
// is rational is folded into r, so s != 0 means an irrational number.
class Real
{
public:
    Real(const Fraccion &r = {});
    Real(const Fraccion &r, int s, const Fraccion &q);
    // s·√q
    static Real Raiz(const Fraccion &q, int s = 1);

    int signo() const;
    bool esRacional() const { return m_s == 0; }
    Real absoluto() const;
    // floor(value × escala), escala > 0; `exacto` tells whether the
    // product is an integer.
    Entero piso(const Fraccion &escala, bool *exacto = nullptr) const;
    // The sign of value − x, the double x taken exactly.
    int compara(double x) const;
    // About log2 of a positive value, to some fifteen digits.
    double log2Aproximado() const;

private:
    Fraccion m_r;
    int m_s = 0;
    Fraccion m_q;
};

// The double nearest the value, ties to even, as IEEE arithmetic rounds;
// beyond the largest double, ErrorCalculo "Floating point overflow".
double DobleDe(const Real &valor);
// That double and the value's six digits, rounded half-up.
Cifra CifraDe(const Real &valor);

// A number exactly: mantisa × 10^exp10 × 2^exp2.
struct NumeroExacto
{
    Entero mantisa = 0;
    int exp10 = 0;
    int exp2 = 0;
};

// Significant digits a typed value keeps exactly; a longer one is taken as
// its nearest double, as is one whose nearest double is 0 or subnormal, so
// that no text can make the arithmetic unbounded.
inline constexpr int DigitosExactos = 100;

// A cell's text as RealDeTexto reads it, exactly: the same texts are
// accepted and refused, with the same error. `doble` receives the nearest
// double (RealDeTexto's value).
NumeroExacto ExactoDeTexto(const QString &texto, QChar separador, double *doble = nullptr);
// A double's own value.
NumeroExacto ExactoDeDoble(double valor);
Fraccion FraccionDe(const NumeroExacto &numero);

Entero Potencia(unsigned base, unsigned exponente);
