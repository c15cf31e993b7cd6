#include "Supuestos.h"

#include "core/motor/Anova.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Pares.h"

#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/students_t.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

double media(const std::vector<double> &x)
{
    return std::accumulate(x.begin(), x.end(), 0.0) / static_cast<double>(x.size());
}

// Two-pass sample variance; exactly zero when all values are equal, since
// typed values that are equal parse to the same double.
double varianza(const std::vector<double> &x)
{
    const auto [menor, mayor] = std::minmax_element(x.begin(), x.end());
    if (*menor == *mayor)
        return 0.0;
    const double m = media(x);
    double s = 0.0;
    for (double v : x)
        s += (v - m) * (v - m);
    return s / static_cast<double>(x.size() - 1);
}

double mediana(std::vector<double> x)
{
    std::sort(x.begin(), x.end());
    const std::size_t h = x.size() / 2;
    return x.size() % 2 ? x[h] : (x[h - 1] + x[h]) / 2.0;
}

Veredicto veredicto(double estadistico, double critico5, double critico1)
{
    if (estadistico > critico1)
        return Veredicto::aberrante;
    if (estadistico > critico5)
        return Veredicto::dudoso;
    return Veredicto::normal;
}

} // namespace

double CriticoCochran(int k, int n, double alfa)
{
    const double nu = n - 1;
    const boost::math::fisher_f f(nu, (k - 1) * nu);
    const double cuantil = quantile(complement(f, alfa / k));
    return 1.0 / (1.0 + (k - 1) / cuantil);
}

Cochran PruebaCochran(const std::vector<double> &varianzas, int n)
{
    Cochran r;
    const int k = static_cast<int>(varianzas.size());
    r.critico5 = CriticoCochran(k, n, 0.05);
    r.critico1 = CriticoCochran(k, n, 0.01);
    const double suma = std::accumulate(varianzas.begin(), varianzas.end(), 0.0);
    if (!(suma > 0.0))
        return r;
    const auto mayor = std::max_element(varianzas.begin(), varianzas.end());
    r.calculable = true;
    r.nivel = static_cast<int>(mayor - varianzas.begin()) + 1;
    r.c = *mayor / suma;
    r.veredicto = veredicto(r.c, r.critico5, r.critico1);
    return r;
}

double CriticoGrubbs(int n, double alfa)
{
    const boost::math::students_t t(n - 2);
    const double q = quantile(complement(t, alfa / (2.0 * n)));
    return (n - 1) / std::sqrt(static_cast<double>(n)) * std::sqrt(q * q / (n - 2 + q * q));
}

Grubbs PruebaGrubbs(const std::vector<double> &valores, int nivel)
{
    Grubbs r;
    r.nivel = nivel;
    const int n = static_cast<int>(valores.size());
    if (n < 3)
        return r;
    r.critico5 = CriticoGrubbs(n, 0.05);
    r.critico1 = CriticoGrubbs(n, 0.01);
    // The first sample of a tie is named, as Cochran names the first level.
    const auto menor = std::min_element(valores.begin(), valores.end());
    const auto mayor = std::max_element(valores.begin(), valores.end());
    r.minimo = *menor;
    r.maximo = *mayor;
    r.muestraMinimo = static_cast<int>(menor - valores.begin()) + 1;
    r.muestraMaximo = static_cast<int>(mayor - valores.begin()) + 1;
    const double s = std::sqrt(varianza(valores));
    if (s == 0.0) {
        r.estado = Grubbs::Estado::valoresIguales;
        return r;
    }
    r.estado = Grubbs::Estado::calculada;
    const double m = media(valores);
    r.gMaximo = (r.maximo - m) / s;
    r.gMinimo = (m - r.minimo) / s;
    r.sospechosoEsMaximo = r.gMaximo >= r.gMinimo;
    r.veredicto = veredicto(std::max(r.gMaximo, r.gMinimo), r.critico5, r.critico1);
    return r;
}

Levene PruebaLevene(const std::vector<std::vector<double>> &niveles)
{
    Levene r;
    const int k = static_cast<int>(niveles.size());
    int total = 0;
    double escala = 0.0;
    for (const auto &x : niveles) {
        total += static_cast<int>(x.size());
        for (double v : x)
            escala = std::max(escala, std::fabs(v));
    }
    r.gl1 = k - 1;
    r.gl2 = total - k;
    // With two values both lie at the same distance from their median.
    if (std::all_of(niveles.begin(), niveles.end(), [](const auto &x) { return x.size() < 3; }))
        return r;

    std::vector<std::vector<double>> z;
    for (const auto &x : niveles) {
        const double med = mediana(x);
        std::vector<double> d;
        for (double v : x)
            d.push_back(std::fabs(v - med));
        z.push_back(std::move(d));
    }
    double zTotal = 0.0;
    for (const auto &d : z)
        zTotal += std::accumulate(d.begin(), d.end(), 0.0);
    const double zMedia = zTotal / total;
    double entre = 0.0, dentro = 0.0;
    for (const auto &d : z) {
        const double m = media(d);
        entre += static_cast<double>(d.size()) * (m - zMedia) * (m - zMedia);
        for (double v : d)
            dentro += (v - m) * (v - m);
    }
    // Distances equal within every level differ only by the rounding of
    // their subtraction: a few units in the last place of the largest value.
    const double ruido = 16.0 * std::numeric_limits<double>::epsilon() * escala;
    if (dentro <= total * ruido * ruido) {
        r.estado = Levene::Estado::sinDispersion;
        return r;
    }
    // Mean distances equal in every level differ by the same rounding; left
    // in, it would show as a W of 1E-27 where the typed values give 0.
    if (entre <= total * ruido * ruido)
        entre = 0.0;
    r.estado = Levene::Estado::calculada;
    r.w = (entre / r.gl1) / (dentro / r.gl2);
    r.probabilidad = ProbabilidadFExacta(r.w, r.gl1, r.gl2);
    return r;
}

double ProbabilidadFExacta(double f, double gl1, double gl2)
{
    return cdf(complement(boost::math::fisher_f(gl1, gl2), f));
}

Supuestos CalculaSupuestos(const Estudio &estudio, QChar separador)
{
    Supuestos s;
    CalculaAnova(estudio, separador, s.anova);
    s.k = StrToInt(estudio.econdicion);
    s.n = StrToInt(estudio.ereplica);
    for (int i = 1; i <= s.k; ++i) {
        std::vector<double> x;
        std::vector<QString> t;
        for (int j = 1; j <= s.n; ++j) {
            t.push_back(estudio.stgdatos.celda(i, j));
            x.push_back(StrToFloat(t.back(), separador));
        }
        s.valores.push_back(std::move(x));
        s.textos.push_back(std::move(t));
    }

    std::vector<double> varianzas;
    for (const auto &x : s.valores)
        varianzas.push_back(varianza(x));
    s.cochran = PruebaCochran(varianzas, s.n);
    for (int i = 0; i < s.k; ++i)
        s.grubbs.push_back(PruebaGrubbs(s.valores[static_cast<std::size_t>(i)], i + 1));
    s.levene = PruebaLevene(s.valores);

    // The exact probability is that of the F the analysis shows, so the two
    // probabilities differ only by the approximation. Values equal within
    // every level leave the engine a rounding residue to divide by; the
    // typed values themselves have no spread, so there is no F to judge.
    const AnovaResults &r = s.anova.resultados;
    // Cochran's test is calculable exactly when the variances sum above zero.
    s.probabilidadCalculable = s.cochran.calculable;
    if (s.probabilidadCalculable) {
        s.probabilidadExacta = ProbabilidadFExacta(r[Ranura::fcal], r[Ranura::glfam], r[Ranura::glerror]);
        s.decisionMarginal = EsSignificativo(r[Ranura::pfcal]) != EsSignificativo(s.probabilidadExacta);
    }
    s.repetibilidad = s.probabilidadCalculable ? std::sqrt(r[Ranura::mcerror]) : 0.0;
    // The analysis has refused a zero grand mean (its total CV).
    s.derRepetibilidad = s.repetibilidad / r[Ranura::promediototal] * 100.0;
    return s;
}
