#include "Exacto.h"

#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>

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

[[noreturn]] void desborde()
{
    throw ErrorCalculo(QStringLiteral("Floating point overflow"));
}

} // namespace

Entero Potencia(unsigned base, unsigned exponente)
{
    return mp::pow(Entero(base), exponente);
}

Real::Real(const Fraccion &r) : m_r(r) {}

Real::Real(const Fraccion &r, int s, const Fraccion &q) : m_r(r), m_s(q.num.is_zero() ? 0 : s), m_q(q)
{
    if (m_s == 0)
        return;
    // √(a/b) = √(a·b)/b is rational exactly when a·b is a square.
    const Entero producto = m_q.num * m_q.den;
    Entero resto;
    const Entero raiz = mp::sqrt(producto, resto);
    if (!resto.is_zero())
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
    const Entero a = mp::sqrt(Entero(qn / qd));
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

namespace {

// The e with 2^e ≤ x < 2^(e+1), for x > 0, starting from an estimate.
long exponente2(const Real &x, double estimado)
{
    long e = static_cast<long>(std::floor(estimado));
    for (;;) {
        const Entero p = x.piso(escala2(-e));
        if (p.is_zero())
            --e;
        else if (p > 1)
            e += static_cast<long>(mp::msb(p));
        else
            return e;
    }
}

// The e with 10^(e−1) ≤ x < 10^e, for x > 0.
long exponente10(const Real &x, double log2x)
{
    long e = static_cast<long>(std::floor(log2x * std::log10(2.0))) + 1;
    for (;;) {
        const Entero p = x.piso(escala10(1 - e));
        if (p.is_zero())
            --e;
        else if (p > 9)
            ++e;
        else
            return e;
    }
}

} // namespace

double DobleDe(const Real &valor)
{
    const int signo = valor.signo();
    if (signo == 0)
        return 0.0;
    const Real a = valor.absoluto();
    const long e = exponente2(a, a.log2Aproximado());
    if (e > DBL_MAX_EXP)
        desborde();
    // The unit in the last place: 53 bits, fewer among the subnormals.
    const long ulp = std::max<long>(e - 52, DBL_MIN_EXP - 53);
    bool exacto = false;
    const Entero mitades = a.piso(escala2(1 - ulp), &exacto);
    Entero m = mitades >> 1;
    if (mp::bit_test(mitades, 0) && (!exacto || mp::bit_test(m, 0)))
        ++m;
    const double resultado = std::ldexp(m.convert_to<double>(), static_cast<int>(ulp));
    if (std::isinf(resultado))
        desborde();
    return signo < 0 ? -resultado : resultado;
}

Cifra CifraDe(const Real &valor)
{
    Cifra cifra;
    cifra.valor = DobleDe(valor);
    cifra.signo = valor.signo();
    if (cifra.signo == 0)
        return cifra;
    const Real a = valor.absoluto();
    const long e = exponente10(a, a.log2Aproximado());
    // Seven digits, cut: the seventh decides the rounding half-up.
    const Entero siete = a.piso(escala10(7 - e));
    auto digitos = (siete / 10).convert_to<int>();
    long exponente = e;
    if (siete % 10 >= 5 && ++digitos == 1000000) {
        digitos = 100000;
        ++exponente;
    }
    cifra.digitos = digitos;
    cifra.exponente = static_cast<int>(exponente);
    return cifra;
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
    const double valor = StrToFloat(texto, separador);
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
