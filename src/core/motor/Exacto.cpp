#include "Exacto.h"

#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace mp = boost::multiprecision;

namespace {

int signoDe(const Entero &x)
{
    return x.sign();
}

// floor(num/den) and num − floor·den, for den > 0.
Entero divide(const Entero &num, const Entero &den, Entero &resto)
{
    Entero cociente;
    mp::divide_qr(num, den, cociente, resto);
    if (resto.sign() < 0) {
        --cociente;
        resto += den;
    }
    return cociente;
}

Fraccion escala2(long e)
{
    return e >= 0 ? Fraccion{Entero(1) << e, 1} : Fraccion{1, Entero(1) << -e};
}

Fraccion escala10(long e)
{
    return e >= 0 ? Fraccion{Potencia(10, unsigned(e)), 1} : Fraccion{1, Potencia(10, unsigned(-e))};
}

// log2 of x > 0, to about sixteen digits, whatever its size.
double log2De(const Entero &x)
{
    const auto b = static_cast<long>(mp::msb(x));
    if (b < 63)
        return std::log2(static_cast<double>(x.convert_to<std::uint64_t>()));
    const Entero alto = x >> (b - 62);
    return std::log2(static_cast<double>(alto.convert_to<std::uint64_t>())) + double(b - 62);
}

double log2De(const Fraccion &x)
{
    return log2De(mp::abs(x.num)) - log2De(x.den);
}

// log2(2^a + 2^b)
double log2Suma(double a, double b)
{
    const double mayor = std::max(a, b), menor = std::min(a, b);
    return mayor + std::log2(1.0 + std::exp2(menor - mayor));
}

// ⌊√x⌋ for x ≥ 0 by Newton's iteration from just above the root, which a
// double of x's leading bits gives to some fifty bits.
Entero raizEntera(const Entero &x)
{
    if (x.is_zero())
        return 0;
    const auto b = static_cast<long>(mp::msb(x));
    const long mitad = std::max<long>(0, (b - 100) / 2);
    const double alto = (x >> (2 * mitad)).convert_to<double>();
    Entero r = (Entero(static_cast<std::uint64_t>(std::sqrt(alto))) + 2) << mitad;
    for (;;) {
        const Entero siguiente = (r + x / r) >> 1;
        if (siguiente >= r)
            return r;
        r = siguiente;
    }
}

[[noreturn]] void desborde()
{
    throw ErrorCalculo(TextoDe(Mensaje::desbordamiento));
}

} // namespace

Entero Potencia(unsigned base, unsigned exponente)
{
    // The engine asks for small powers of ten again and again.
    static const std::vector<Entero> diez = [] {
        std::vector<Entero> potencias{1};
        for (int i = 1; i < 64; ++i)
            potencias.push_back(potencias.back() * 10);
        return potencias;
    }();
    if (base == 10 && exponente < diez.size())
        return diez[exponente];
    return mp::pow(Entero(base), exponente);
}

Real::Real(const Fraccion &r) : m_r(r) {}

Real::Real(const Fraccion &r, int s, const Fraccion &q) : m_r(r), m_s(q.num.is_zero() ? 0 : s), m_q(q)
{
    if (m_s == 0)
        return;
    // √(a/b) = √(a·b)/b is rational exactly when a·b is a square.
    const Entero producto = m_q.num * m_q.den;
    const Entero raiz = raizEntera(producto);
    if (raiz * raiz != producto)
        return;
    m_r = {m_r.num * m_q.den + m_s * raiz * m_r.den, m_r.den * m_q.den};
    m_s = 0;
    m_q = {};
}

Real Real::Raiz(const Fraccion &q, int s)
{
    return Real(Fraccion{}, s, q);
}

int Real::signo() const
{
    const int r = signoDe(m_r.num);
    if (m_s == 0 || r == 0 || r == m_s)
        return m_s == 0 ? r : m_s;
    // r and the root pull apart: the larger square wins (they are never equal).
    const bool raizMayor = m_q.num * m_r.den * m_r.den > m_r.num * m_r.num * m_q.den;
    return raizMayor ? m_s : r;
}

Real Real::absoluto() const
{
    if (signo() >= 0)
        return *this;
    Real opuesto = *this;
    opuesto.m_r.num = -m_r.num;
    opuesto.m_s = -m_s;
    return opuesto;
}

// With R = r·escala = ⌊R⌋ + f/D and S = √(q·escala²) = a + σ, a = ⌊S⌋:
//   ⌊R + S⌋ = ⌊R⌋ + a + [f/D + σ ≥ 1],  that is  [S ≥ a + 1 − f/D];
//   ⌊R − S⌋ = ⌊R⌋ − a − [f/D < σ],      that is  [S > a + f/D];
// each comparison squared, in integers.
Entero Real::piso(const Fraccion &escala, bool *exacto) const
{
    const Entero rd = m_r.den * escala.den;
    Entero resto;
    const Entero entero = divide(m_r.num * escala.num, rd, resto);
    if (m_s == 0) {
        if (exacto)
            *exacto = resto.is_zero();
        return entero;
    }
    if (exacto)
        *exacto = false;
    const Entero qn = m_q.num * escala.num * escala.num;
    const Entero qd = m_q.den * escala.den * escala.den;
    const Entero a = raizEntera(qn / qd);
    const Entero lado = qn * rd * rd;
    if (m_s > 0) {
        const Entero b = (a + 1) * rd - resto;
        return entero + a + (lado >= b * b * qd ? 1 : 0);
    }
    const Entero b = a * rd + resto;
    return entero - a - (b * b * qd < lado ? 1 : 0);
}

int Real::compara(double x) const
{
    const Fraccion fx = FraccionDe(ExactoDeDoble(x));
    Real diferencia = *this;
    diferencia.m_r = {m_r.num * fx.den - fx.num * m_r.den, m_r.den * fx.den};
    return diferencia.signo();
}

// With cancellation, r − √q = (r² − q)/(r + √q) has none left.
double Real::log2Aproximado() const
{
    if (m_s == 0)
        return log2De(m_r);
    const double raiz = log2De(m_q) / 2.0;
    if (m_r.num.is_zero())
        return raiz;
    const double suma = log2Suma(log2De(m_r), raiz);
    if (signoDe(m_r.num) == m_s)
        return suma;
    return log2De(Fraccion{m_r.num * m_r.num * m_q.den - m_q.num * m_r.den * m_r.den,
                           m_r.den * m_r.den * m_q.den})
           - suma;
}

double DobleDe(const Real &valor)
{
    const int signo = valor.signo();
    if (signo == 0)
        return 0.0;
    const Real a = valor.absoluto();
    // 2^e ≤ a < 2^(e+1): from the estimate, checked on the bits found.
    long e = static_cast<long>(std::floor(a.log2Aproximado()));
    for (;;) {
        // The unit in the last place: 53 bits, fewer among the subnormals.
        const long ulp = std::max<long>(e - 52, DBL_MIN_EXP - 53);
        bool exacto = false;
        const Entero mitades = a.piso(escala2(1 - ulp), &exacto);
        if (mitades >= Entero(1) << 54) {
            ++e;
            continue;
        }
        if (ulp == e - 52 && mitades < Entero(1) << 53) {
            --e;
            continue;
        }
        if (e >= DBL_MAX_EXP)
            desborde();
        Entero m = mitades >> 1;
        if (mp::bit_test(mitades, 0) && (!exacto || mp::bit_test(m, 0)))
            ++m;
        const double resultado = std::ldexp(m.convert_to<double>(), static_cast<int>(ulp));
        if (std::isinf(resultado))
            desborde();
        return signo < 0 ? -resultado : resultado;
    }
}

Cifra CifraDe(const Real &valor)
{
    Cifra cifra;
    cifra.valor = DobleDe(valor);
    cifra.signo = valor.signo();
    if (cifra.signo == 0)
        return cifra;
    const Real a = valor.absoluto();
    // 10^(e−1) ≤ a < 10^e, so that seven digits cut are 10^6 ≤ siete < 10^7;
    // the seventh decides the rounding half-up.
    long e = static_cast<long>(std::floor(a.log2Aproximado() * std::log10(2.0))) + 1;
    static const Entero millon = Potencia(10, 6), diezMillones = Potencia(10, 7);
    for (;;) {
        const Entero siete = a.piso(escala10(7 - e));
        if (siete < millon) {
            --e;
            continue;
        }
        if (siete >= diezMillones) {
            ++e;
            continue;
        }
        auto digitos = (siete / 10).convert_to<int>();
        if (siete % 10 >= 5 && ++digitos == 1000000) {
            digitos = 100000;
            ++e;
        }
        cifra.digitos = digitos;
        cifra.exponente = static_cast<int>(e);
        return cifra;
    }
}

NumeroExacto ExactoDeDoble(double valor)
{
    NumeroExacto numero;
    if (valor == 0.0 || !std::isfinite(valor))
        return numero;
    int e = 0;
    auto m = static_cast<std::int64_t>(std::ldexp(std::frexp(valor, &e), 53));
    e -= 53;
    while (m % 2 == 0) {
        m /= 2;
        ++e;
    }
    numero.mantisa = m;
    numero.exp2 = e;
    return numero;
}

NumeroExacto ExactoDeTexto(const QString &texto, QChar separador, double *doble)
{
    const double valor = RealDeTexto(texto, separador);
    if (doble)
        *doble = valor;
    if (std::fabs(valor) < DBL_MIN)
        return ExactoDeDoble(valor);

    // "-123.45e-6" → digits 12345, exponent −6 − 2.
    const QByteArray ascii = *NotacionC(texto, separador);
    qsizetype i = 0;
    const bool negativo = ascii[0] == '-';
    if (ascii[0] == '-' || ascii[0] == '+')
        ++i;
    std::string digitos;
    long long decimales = 0;
    bool fraccion = false;
    for (; i < ascii.size() && ascii[i] != 'e'; ++i) {
        if (ascii[i] == '.') {
            fraccion = true;
            continue;
        }
        if (!digitos.empty() || ascii[i] != '0')
            digitos += ascii[i];
        if (fraccion)
            ++decimales;
    }
    // The exponent as typed, held within bounds no accepted value can reach.
    constexpr long long tope = 1'000'000'000'000'000LL;
    long long exponente = 0;
    if (i < ascii.size()) {
        ++i;
        const bool menos = ascii[i] == '-';
        if (ascii[i] == '-' || ascii[i] == '+')
            ++i;
        for (; i < ascii.size(); ++i)
            exponente = std::min(tope, exponente * 10 + (ascii[i] - '0'));
        if (menos)
            exponente = -exponente;
    }
    long long ceros = 0;
    while (digitos.back() == '0') {
        digitos.pop_back();
        ++ceros;
    }
    if (digitos.size() > std::size_t(DigitosExactos))
        return ExactoDeDoble(valor);

    NumeroExacto numero;
    numero.mantisa = Entero(digitos);
    if (negativo)
        numero.mantisa = -numero.mantisa;
    // A normal double with at most DigitosExactos digits keeps this within
    // a few hundred.
    numero.exp10 = static_cast<int>(exponente - decimales + ceros);
    return numero;
}

Fraccion FraccionDe(const NumeroExacto &numero)
{
    Fraccion f{numero.mantisa, 1};
    if (numero.exp10 >= 0)
        f.num *= Potencia(10, unsigned(numero.exp10));
    else
        f.den *= Potencia(10, unsigned(-numero.exp10));
    if (numero.exp2 >= 0)
        f.num <<= numero.exp2;
    else
        f.den <<= -numero.exp2;
    return f;
}
