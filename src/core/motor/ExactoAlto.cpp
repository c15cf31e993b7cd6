#include "ExactoAlto.h"

#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace mp = boost::multiprecision;

namespace {

using Alta = mp::cpp_bin_float_50;

Fraccion reducida(Fraccion f)
{
    const Entero d = mp::gcd(f.num, f.den);
    if (d > 1) {
        f.num /= d;
        f.den /= d;
    }
    return f;
}

Fraccion potenciaDiez(int e)
{
    return e >= 0 ? Fraccion{Potencia(10, unsigned(e)), 1} : Fraccion{1, Potencia(10, unsigned(-e))};
}

// r + s·√q with a rational root folded into r, so that s != 0 means an
// irrational number.
SumaRaiz plegada(SumaRaiz v)
{
    if (v.s == 0 || v.q.num.is_zero())
        return {v.r, 0, {}};
    const Entero producto = v.q.num * v.q.den;
    const Entero raiz = mp::sqrt(producto);
    if (raiz * raiz != producto)
        return v;
    return {v.r + Fraccion{v.s * raiz, v.q.den}, 0, {}};
}

// A positive double or +∞ by its bits, which order them as their values.
Fraccion fraccionDeBits(std::uint64_t bits)
{
    constexpr std::uint64_t infinito = 0x7FF0000000000000u;
    if (bits == infinito)  // where the next double would be
        return {Entero(1) << 1024, 1};
    return FraccionDe(ExactoDeDoble(std::bit_cast<double>(bits)));
}

[[noreturn]] void desborde()
{
    throw ErrorCalculo(TextoDe(Mensaje::desbordamiento));
}

// The double nearest an irrational x = √v > 0: the first double whose
// midpoint with the next lies above x, found from an estimate by doubling
// steps and then halving them.
double dobleCercano(const SumaRaiz &v, double estimacion)
{
    constexpr std::int64_t infinito = 0x7FF0000000000000;
    const auto debajo = [&](std::int64_t b) {
        const Fraccion mitad = (fraccionDeBits(std::uint64_t(b)) + fraccionDeBits(std::uint64_t(b + 1)))
                               * Fraccion{1, 2};
        return ComparaRaiz(v, mitad) < 0;
    };
    std::int64_t b = std::min(std::bit_cast<std::int64_t>(std::fabs(estimacion)), infinito - 1);
    std::int64_t bajo, alto;  // debajo(bajo) is false (−1 stands below 0), debajo(alto) true
    if (debajo(b)) {
        alto = b;
        bajo = b - 1;
        for (std::int64_t paso = 2; bajo >= 0 && debajo(bajo); paso *= 2) {
            alto = bajo;
            bajo = std::max<std::int64_t>(-1, bajo - paso);
        }
    } else {
        bajo = b;
        alto = b + 1;
        for (std::int64_t paso = 2; alto < infinito && !debajo(alto); paso *= 2) {
            bajo = alto;
            alto = std::min(infinito, alto + paso);
        }
        if (alto == infinito)
            desborde();
    }
    while (alto - bajo > 1) {
        const std::int64_t medio = bajo + (alto - bajo) / 2;
        (debajo(medio) ? alto : bajo) = medio;
    }
    return std::bit_cast<double>(alto);
}

Alta altaDe(const Fraccion &f)
{
    return Alta(f.num) / Alta(f.den);
}

Fraccion fraccionDe(const Alta &x)
{
    int e = 0;
    const Alta mantisa = frexp(x, &e);
    constexpr int bits = std::numeric_limits<Alta>::digits;
    const Entero m = ldexp(mantisa, bits).convert_to<Entero>();
    e -= bits;
    return reducida(e >= 0 ? Fraccion{m << e, 1} : Fraccion{m, Entero(1) << -e});
}

// The distribution is built inside too: its constructor checks the degrees
// of freedom.
template<typename Distribucion, typename... Parametros>
Fraccion cuantil(const Fraccion &p, Cola cola, Parametros... parametros)
{
    Fraccion resultado;
    SinTextoDeBiblioteca([&] {
        const Distribucion d(parametros...);
        const Alta a = altaDe(p);
        resultado = fraccionDe(cola == Cola::inferior ? quantile(d, a) : quantile(complement(d, a)));
    });
    return resultado;
}

} // namespace

Fraccion operator+(const Fraccion &a, const Fraccion &b)
{
    return reducida({a.num * b.den + b.num * a.den, a.den * b.den});
}

Fraccion operator-(const Fraccion &a, const Fraccion &b)
{
    return reducida({a.num * b.den - b.num * a.den, a.den * b.den});
}

Fraccion operator*(const Fraccion &a, const Fraccion &b)
{
    return reducida({a.num * b.num, a.den * b.den});
}

Fraccion operator/(const Fraccion &a, const Fraccion &b)
{
    const Fraccion f{a.num * b.den, a.den * b.num};
    return reducida(f.den.sign() < 0 ? Fraccion{-f.num, -f.den} : f);
}

int SignoDe(const Fraccion &a)
{
    return a.num.sign();
}

SumaRaiz SumaRaiz::por(const Fraccion &c) const
{
    return {r * c, s, q * c * c};
}

int ComparaRaiz(const SumaRaiz &v, const Fraccion &c)
{
    if (SignoDe(c) < 0)
        return 1;
    return Real(v.r - c * c, v.s, v.q).signo();
}

Cifra CifraDeRaiz(const SumaRaiz &valor)
{
    const SumaRaiz v = plegada(valor);
    if (v.s == 0)
        return CifraDe(Real::Raiz(v.r));

    // An irrational root is never a double nor a rounding boundary: every
    // comparison below is strict.
    Cifra cifra;
    cifra.signo = 1;
    const double log2x = v.real().log2Aproximado() / 2.0;
    if (log2x > DBL_MAX_EXP + 1)
        desborde();
    cifra.valor = dobleCercano(v, std::exp2(std::max(log2x, double(DBL_MIN_EXP - 60))));

    // 10^(e−1) ≤ x < 10^e, then the seven leading digits, the last to round on.
    const double log10x = log2x * std::log10(2.0);
    int e = static_cast<int>(std::floor(log10x)) + 1;
    for (;;) {
        if (ComparaRaiz(v, potenciaDiez(e - 1)) < 0)
            --e;
        else if (ComparaRaiz(v, potenciaDiez(e)) >= 0)
            ++e;
        else
            break;
    }
    const Fraccion unidad = potenciaDiez(e - 7);
    auto siete = static_cast<long long>(std::floor(std::pow(10.0, std::clamp(log10x - e + 7, 6.0, 7.0))));
    siete = std::clamp(siete, 1000000LL, 9999999LL);
    for (;;) {
        if (ComparaRaiz(v, Fraccion{siete, 1} * unidad) < 0)
            --siete;
        else if (ComparaRaiz(v, Fraccion{siete + 1, 1} * unidad) >= 0)
            ++siete;
        else
            break;
    }
    cifra.digitos = static_cast<int>(siete / 10);
    cifra.exponente = e;
    if (siete % 10 >= 5 && ++cifra.digitos == 1000000) {
        cifra.digitos = 100000;
        ++cifra.exponente;
    }
    return cifra;
}

Fraccion CuantilChiCuadrado(int gl, const Fraccion &p, Cola cola)
{
    return cuantil<boost::math::chi_squared_distribution<Alta>>(p, cola, gl);
}

Fraccion CuantilF(int gl1, int gl2, const Fraccion &p, Cola cola)
{
    return cuantil<boost::math::fisher_f_distribution<Alta>>(p, cola, gl1, gl2);
}

Fraccion CuantilT(int gl, const Fraccion &p, Cola cola)
{
    return cuantil<boost::math::students_t_distribution<Alta>>(p, cola, gl);
}
