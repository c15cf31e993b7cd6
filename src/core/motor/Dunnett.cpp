#include "Dunnett.h"

#include "core/motor/AnovaExacta.h"
#include "core/motor/Errores.h"
#include "core/motor/Pares.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/quadrature/gauss.hpp>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace bm = boost::math;

namespace {

// Double precision throughout: the default promotion to long double makes
// the normal tail several times slower for digits the integrals do not use.
using Politica = bm::policies::policy<bm::policies::promote_double<false>>;
using Normal = bm::normal_distribution<double, Politica>;
using ChiCuadrado = bm::chi_squared_distribution<double, Politica>;
using Student = bm::students_t_distribution<double, Politica>;

// Fixed rules, depth and tolerance keep every evaluation bounded in time.
// Against a reference of tolerance 1e-12 they keep 1e-11 relative precision
// over k = 3..5, ν = 2..45 and t = 0.05..300.
using Gauss = bm::quadrature::gauss<double, 20>;
using Kronrod = bm::quadrature::gauss_kronrod<double, 15>;
constexpr unsigned profundidad = 8;
constexpr double tolerancia = 1e-7;

// Beyond this, the normal tail that bounds the inner integral (see below)
// is below the smallest double.
constexpr double colaNormalNula = 39.0;

// Given the pooled standard deviation ratio S = s/σ, write the levels'
// standardised means as Z_0 (control) and Z_i, independent standard normals;
// then T_i = (Z_i − Z_0) / (√2·S). For Z_0 = z and a = √2·t·S the events
// |T_i| ≤ t are independent, each of probability Φ(z + a) − Φ(z − a). So
//   P(max |T_i| > t | S) = H(a) = ∫ φ(z) (1 − (1 − q(z, a))^p) dz,
//   q(z, a) = Φc(z + a) + Φc(a − z),   p = k − 1,
// and H(a) ≤ 2p·Φc(a/√2) (Bonferroni). q is even in z, and φ(z)·q(z, a)
// lies within e^-64 of its peak only for |z − a/2| < 8.
double colaCondicional(double a, int p)
{
    const Normal normal;
    const auto integrando = [&](double z) {
        const double q = std::min(1.0, bm::cdf(bm::complement(normal, z + a))
                                           + bm::cdf(bm::complement(normal, a - z)));
        return bm::pdf(normal, z) * -std::expm1(p * std::log1p(-q));
    };
    const double desde = std::max(0.0, a / 2.0 - 8.0);
    const double mitad = (desde + a / 2.0 + 8.0) / 2.0;
    return 2.0 * (Gauss::integrate(integrando, desde, mitad)
                  + Gauss::integrate(integrando, mitad, a / 2.0 + 8.0));
}

} // namespace

// With u = t·s the tail reads ∫ f_S(u/t)/t · H(√2·u) du, so H can be
// evaluated once, at fixed nodes: 20-point Gauss rules on panels of width 1
// up to u = 12, where H ≤ 2p·Φc(12) < 2e-32. The sum keeps 1e-9 relative
// precision while f_S(u/t)/t, of width about t/sqrt(2ν), is not narrower
// than a tenth of a panel (measured against the integral with tolerance
// 1e-12 over k = 3..5, ν = 2..45, t up to 50); below that the integral
// is used.
DistribucionDunnett::DistribucionDunnett(int k, int gl) : m_k(k), m_gl(gl)
{
    if (k == 2)
        return;
    constexpr int paneles = 12;
    m_nodos.reserve(paneles * Gauss::abscissa().size() * 2);
    for (int panel = 0; panel < paneles; ++panel) {
        const double centro = panel + 0.5;
        for (std::size_t i = 0; i < Gauss::abscissa().size(); ++i) {
            const double peso = 0.5 * Gauss::weights()[i];
            for (const double u : {centro - 0.5 * Gauss::abscissa()[i], centro + 0.5 * Gauss::abscissa()[i]})
                m_nodos.push_back({u, peso * colaCondicional(std::sqrt(2.0) * u, k - 1)});
        }
    }
}

double DistribucionDunnett::cola(double t) const
{
    if (!(t > 0.0))
        return 1.0;
    if (m_k == 2)
        return 2.0 * bm::cdf(bm::complement(Student(m_gl), t));
    if (t >= 0.1 * std::sqrt(2.0 * m_gl))
        return colaTabulada(t);
    return colaIntegrada(t);
}

double DistribucionDunnett::colaTabulada(double t) const
{
    const ChiCuadrado chi(m_gl);
    const double nu = m_gl;
    double cola = 0.0;
    for (const Nodo &nodo : m_nodos) {
        const double s = nodo.u / t;
        cola += nodo.pesoCola * 2.0 * nu * s * bm::pdf(chi, nu * s * s) / t;
    }
    return cola;
}

// Outer integral over the density of S = sqrt(χ²_ν / ν), up to where either
// S has no mass left or the conditional tail has underflowed.
double DistribucionDunnett::colaIntegrada(double t) const
{
    const double nu = m_gl;
    const ChiCuadrado chi(nu);
    const double sMaxima = std::sqrt(bm::quantile(bm::complement(chi, 1e-40)) / nu);
    const double hasta = std::min(sMaxima, colaNormalNula / t);
    const int p = m_k - 1;
    const auto integrando = [&](double s) {
        if (s <= 0.0)
            return 0.0;
        const double densidad = 2.0 * nu * s * bm::pdf(chi, nu * s * s);
        return densidad * colaCondicional(std::sqrt(2.0) * t * s, p);
    };
    return Kronrod::integrate(integrando, 0.0, hasta, profundidad, tolerancia);
}

double DistribucionDunnett::critico() const
{
    constexpr double alfa = 0.05;
    const Student student(m_gl);
    // Student's quantile is the value for one comparison and bounds d from
    // below; Bonferroni's bounds it from above. Both lie where the table
    // serves.
    const double inferior = bm::quantile(bm::complement(student, alfa / 2.0));
    if (m_k == 2)
        return inferior;
    const double superior = bm::quantile(bm::complement(student, alfa / 2.0 / (m_k - 1)));
    const auto f = [&](double d) { return colaTabulada(d) - alfa; };
    std::uintmax_t iteraciones = 40;
    const auto [a, b] = bm::tools::toms748_solve(f, inferior, superior, f(inferior), f(superior),
                                                 bm::tools::eps_tolerance<double>(40), iteraciones);
    return (a + b) / 2.0;
}

ResultadoDunnett DunnettDe(const AnovaExacta &a, int control)
{
    const ResultadosAnova anova = ResultadosDe(a);
    ResultadoDunnett resultado;
    resultado.k = a.k;
    resultado.control = control;
    for (const NivelAnova &nivel : anova.niveles)
        resultado.promedios.append(nivel.promedio);
    resultado.mcerror = anova.error.mediaCuadrados;
    resultado.glerror = a.glError();
    SinTextoDeBiblioteca([&] {
        const DistribucionDunnett distribucion(resultado.k, resultado.glerror);
        resultado.critico = distribucion.critico();

        // With e² = 2·MC error / n (the analysis has refused a zero one),
        // the half-width is √(d²·e²) and each statistic |difference| / e is
        // √(difference² / e²), the difference being (T − Tc) / (n·D).
        const Fraccion mc = a.mcError();
        const Fraccion d = FraccionDe(ExactoDeDoble(resultado.critico));
        const Fraccion e2{2 * mc.num, mc.den * a.n};
        const Fraccion amplitud2{d.num * d.num * e2.num, d.den * d.den * e2.den};
        const Cifra amplitud = CifraDe(Real::Raiz(amplitud2));
        const Entero nD = a.n * a.D;
        const Entero &tc = a.T[static_cast<std::size_t>(control - 1)];
        for (int i = 1; i <= resultado.k; ++i) {
            if (i == control)
                continue;
            const Entero delta = a.T[static_cast<std::size_t>(i - 1)] - tc;
            const Fraccion diferencia{delta, nD};
            const Real liminf(diferencia, -1, amplitud2);
            const Real limsup(diferencia, 1, amplitud2);
            ComparacionDunnett c;
            c.fam = i;
            c.diferencia = CifraDe(diferencia);
            c.amplitud = amplitud;
            c.liminf = CifraDe(liminf);
            c.limsup = CifraDe(limsup);
            c.hayDiferencia = HayDiferencia(liminf.signo(), limsup.signo());
            const double t = DobleDe(Real::Raiz({delta * delta * e2.den, nD * nD * e2.num}));
            c.p = distribucion.cola(t);
            resultado.comparaciones.append(c);
        }
    });
    return resultado;
}

ResultadoDunnett CalculaDunnett(const Estudio &estudio, QChar separador, int control)
{
    return DunnettDe(LeeAnovaExacta(estudio, separador), control);
}
