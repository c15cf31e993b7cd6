#include "Supuestos.h"

#include "core/motor/AnovaExacta.h"
#include "core/motor/Errores.h"
#include "core/motor/Pares.h"

#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/students_t.hpp>

#include <algorithm>
#include <cmath>

namespace {

Veredicto veredicto(const Real &estadistico, double critico5, double critico1)
{
    if (estadistico.compara(critico1) > 0)
        return Veredicto::aberrante;
    if (estadistico.compara(critico5) > 0)
        return Veredicto::dudoso;
    return Veredicto::normal;
}

// The variances of the levels share the denominator (n·D)²·(n − 1): their
// order and ratios are those of U.
Cochran pruebaCochran(const AnovaExacta &a)
{
    Cochran r;
    r.critico5 = CriticoCochran(a.k, a.n, 0.05);
    r.critico1 = CriticoCochran(a.k, a.n, 0.01);
    // The first level of a tie is named.
    const auto mayor = std::max_element(a.U.begin(), a.U.end());
    r.nivel = static_cast<int>(mayor - a.U.begin()) + 1;
    const Real c(Fraccion{*mayor, a.sumaU});
    r.c = CifraDe(c);
    r.veredicto = veredicto(c, r.critico5, r.critico1);
    return r;
}

Grubbs pruebaGrubbs(const AnovaExacta &a, int i)
{
    const auto f = static_cast<std::size_t>(i);
    const std::vector<Entero> &x = a.X[f];
    const int n = a.n;
    Grubbs r;
    r.nivel = i + 1;
    if (n < 3)
        return r;
    r.critico5 = CriticoGrubbs(n, 0.05);
    r.critico1 = CriticoGrubbs(n, 0.01);
    // The first sample of a tie is named, as Cochran names the first level.
    const auto menor = std::min_element(x.begin(), x.end());
    const auto mayor = std::max_element(x.begin(), x.end());
    r.muestraMinimo = static_cast<int>(menor - x.begin()) + 1;
    r.muestraMaximo = static_cast<int>(mayor - x.begin()) + 1;
    r.minimo = a.dobles[f][static_cast<std::size_t>(r.muestraMinimo - 1)];
    r.maximo = a.dobles[f][static_cast<std::size_t>(r.muestraMaximo - 1)];
    if (a.U[f].is_zero()) {
        r.estado = Grubbs::Estado::valoresIguales;
        return r;
    }
    r.estado = Grubbs::Estado::calculada;
    // G = (x − mean)/s, so G² = (n·x − T)²·(n − 1)/U.
    const Entero arriba = n * *mayor - a.T[f];
    const Entero abajo = a.T[f] - n * *menor;
    const Real gMaximo = Real::Raiz({arriba * arriba * (n - 1), a.U[f]});
    const Real gMinimo = Real::Raiz({abajo * abajo * (n - 1), a.U[f]});
    r.gMaximo = CifraDe(gMaximo);
    r.gMinimo = CifraDe(gMinimo);
    r.sospechosoEsMaximo = arriba >= abajo;

    const std::size_t sospechosa = static_cast<std::size_t>(
        (r.sospechosoEsMaximo ? r.muestraMaximo : r.muestraMinimo) - 1);
    const Entero &otro = x[sospechosa == 0 ? 1 : 0];
    bool demasIguales = true;
    for (std::size_t j = 0; j < x.size(); ++j)
        demasIguales = demasIguales && (j == sospechosa || x[j] == otro);
    r.veredicto = demasIguales ? Veredicto::noConcluyente
                               : veredicto(r.sospechosoEsMaximo ? gMaximo : gMinimo, r.critico5, r.critico1);
    return r;
}

// With z = |x − median| over the denominator 2·D (a median of an even count
// is a half), S[i] the sum of level i's z and S their total:
//   W = Σ (k·S[i] − S)² · n·(N − k) / (k²·(k − 1) · Σ (n·z − S[i])²).
Levene pruebaLevene(const AnovaExacta &a)
{
    Levene r;
    const int k = a.k, n = a.n, N = k * n;
    r.gl1 = k - 1;
    r.gl2 = N - k;
    // With two values both lie at the same distance from their median.
    if (n < 3)
        return r;
    std::vector<std::vector<Entero>> z;
    std::vector<Entero> sumas;
    Entero suma = 0;
    for (const auto &nivel : a.X) {
        std::vector<Entero> orden = nivel;
        std::sort(orden.begin(), orden.end());
        const auto h = static_cast<std::size_t>(n / 2);
        const Entero mediana2 = n % 2 ? Entero(2 * orden[h]) : Entero(orden[h - 1] + orden[h]);
        std::vector<Entero> d;
        Entero s = 0;
        for (const Entero &x : nivel) {
            d.push_back(boost::multiprecision::abs(2 * x - mediana2));
            s += d.back();
        }
        z.push_back(std::move(d));
        sumas.push_back(s);
        suma += s;
    }
    Entero entre = 0, dentro = 0;
    for (std::size_t i = 0; i < z.size(); ++i) {
        const Entero e = k * sumas[i] - suma;
        entre += e * e;
        for (const Entero &v : z[i]) {
            const Entero d = n * v - sumas[i];
            dentro += d * d;
        }
    }
    if (dentro.is_zero()) {
        r.estado = Levene::Estado::sinDispersion;
        return r;
    }
    r.estado = Levene::Estado::calculada;
    r.w = CifraDe(Fraccion{entre * n * (N - k), k * k * (k - 1) * dentro});
    r.probabilidad = ProbabilidadFExacta(r.w.valor, r.gl1, r.gl2);
    return r;
}

} // namespace

double CriticoCochran(int k, int n, double alfa)
{
    double critico = 0.0;
    SinTextoDeBiblioteca([&] {
        const double nu = n - 1;
        const boost::math::fisher_f f(nu, (k - 1) * nu);
        const double cuantil = quantile(complement(f, alfa / k));
        critico = 1.0 / (1.0 + (k - 1) / cuantil);
    });
    return critico;
}

double CriticoGrubbs(int n, double alfa)
{
    double critico = 0.0;
    SinTextoDeBiblioteca([&] {
        const boost::math::students_t t(n - 2);
        const double q = quantile(complement(t, alfa / (2.0 * n)));
        critico = (n - 1) / std::sqrt(static_cast<double>(n)) * std::sqrt(q * q / (n - 2 + q * q));
    });
    return critico;
}

double ProbabilidadFExacta(double f, double gl1, double gl2)
{
    double p = 0.0;
    SinTextoDeBiblioteca([&] { p = cdf(complement(boost::math::fisher_f(gl1, gl2), f)); });
    return p;
}

Supuestos SupuestosDe(const AnovaExacta &a, const Estudio &estudio)
{
    Supuestos s;
    s.anova = ResultadosDe(a);
    s.k = a.k;
    s.n = a.n;
    s.valores = a.dobles;
    for (int i = 1; i <= s.k; ++i) {
        std::vector<QString> t;
        for (int j = 1; j <= s.n; ++j)
            t.push_back(estudio.rejilla.celda(i, j));
        s.textos.push_back(std::move(t));
    }
    s.cochran = pruebaCochran(a);
    for (int i = 0; i < s.k; ++i)
        s.grubbs.push_back(pruebaGrubbs(a, i));
    s.levene = pruebaLevene(a);

    // The probability of the F the analysis shows, so the two probabilities
    // differ only by the approximation.
    const ResultadosAnova &r = s.anova;
    s.probabilidadExacta = ProbabilidadFExacta(r.fcal.valor, r.fam.gradosLibertad, r.error.gradosLibertad);
    s.decisionMarginal = EsSignificativo(r.pfcal) != EsSignificativo(s.probabilidadExacta);
    // √(MC error), and over the grand mean (which the analysis has found
    // not to be 0): ±√(MC error · 10⁴ · (k·n·D)² / G²).
    const Fraccion mc = a.mcError();
    s.repetibilidad = CifraDe(Real::Raiz(mc));
    const Entero knD = a.k * a.n * a.D;
    s.derRepetibilidad = CifraDe(Real::Raiz({10000 * mc.num * knD * knD, mc.den * a.G * a.G}, a.G.sign()));
    return s;
}

Supuestos CalculaSupuestos(const Estudio &estudio, QChar separador)
{
    return SupuestosDe(LeeAnovaExacta(estudio, separador), estudio);
}
