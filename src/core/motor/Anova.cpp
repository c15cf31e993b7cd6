#include "Anova.h"

#include "core/motor/AnovaExacta.h"
#include "core/motor/Aritmetica.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"
#include "core/motor/Pares.h"
#include "core/motor/TablaT.h"

#include <QLocale>

#include <algorithm>

using namespace Aritmetica;

namespace {

// Paulson's normalisation of F and the normal tail of Abramowitz and Stegun
// 26.2.18, with the constants the program has always used.
double colaF(double x, double d1, double d2)
{
    const double a1 = cociente(2.0 / 9.0, d1);
    const double a2 = cociente(2.0 / 9.0, d2);
    const double numerador =
        std::fabs(resta(producto(1.0 - a2, potencia(x, 0.333)), 1.0 - a1));
    const double denominador = raiz(suma(producto(a2, potencia(x, 0.666)), a1));
    double z = cociente(numerador, denominador);
    // z is exactly 0 for a few values of F below 1 in designs of 2 to 4
    // levels; the correction of 0 is 0, not the logarithm of 0.
    if (d2 < 4.0 && z > 0.0)
        z = producto(z, 1.0 + cociente(producto(0.08, potencia(z, 4.0)), potencia(d2, 3.0)));
    constexpr double c1 = 0.196854, c2 = 0.115194, c3 = 0.000344, c4 = 0.019527;
    double p = suma(producto(c4, z), c3);
    p = suma(producto(p, z), c2);
    p = suma(producto(p, z), c1);
    p = suma(producto(p, z), 1.0);
    return cociente(0.5, potencia(p, 4.0));
}

// A quotient whose divisor is exactly 0 has no value: the texts of the
// arithmetic faults the program has always shown for it.
[[noreturn]] void sinValor(const Entero &dividendo)
{
    if (dividendo.is_zero())
        throw ErrorCalculo(TextoDe(Mensaje::operacionInvalida));
    throw ErrorCalculo(TextoDe(Mensaje::divisionPorCero));
}

// The tabulated t as the decimal the table writes (2.2622, not its double).
Fraccion tDeTabla(double t)
{
    return FraccionDe(ExactoDeTexto(QString::number(t, 'g', QLocale::FloatingPointShortest), u'.'));
}

} // namespace

double ProbabilidadF(double f, double df1, double df2)
{
    if (!(f > 0.0))
        return 1.0;
    if (f < 1.0)
        return 1.0 - colaF(cociente(1.0, f), df2, df1);
    return colaF(f, df1, df2);
}

AnovaExacta LeeAnovaExacta(const Estudio &estudio, QChar separador)
{
    AnovaExacta a;
    a.n = EnteroDeTexto(estudio.numeroMuestras);
    a.k = EnteroDeTexto(estudio.numeroFam);
    if (a.k < 2 || a.k > 5 || a.n < 2 || a.n > 10)
        throw ErrorCalculo(TextoDe(Mensaje::datosFueraDeLimite));

    std::vector<std::vector<NumeroExacto>> valores(static_cast<std::size_t>(a.k));
    a.dobles.resize(static_cast<std::size_t>(a.k));
    int exp10 = 0, exp2 = 0;  // the common denominator is 10^-exp10 · 2^-exp2
    for (int i = 0; i < a.k; ++i)
        for (int j = 0; j < a.n; ++j) {
            double doble = 0.0;
            const NumeroExacto x = ExactoDeTexto(estudio.rejilla.celda(i + 1, j + 1), separador, &doble);
            exp10 = std::min(exp10, x.exp10);
            exp2 = std::min(exp2, x.exp2);
            valores[static_cast<std::size_t>(i)].push_back(x);
            a.dobles[static_cast<std::size_t>(i)].push_back(doble);
        }
    a.D = Potencia(10, unsigned(-exp10)) << -exp2;

    for (const auto &nivel : valores) {
        std::vector<Entero> fila;
        Entero total = 0;
        for (const NumeroExacto &x : nivel) {
            fila.push_back((x.mantisa * Potencia(10, unsigned(x.exp10 - exp10))) << (x.exp2 - exp2));
            total += fila.back();
        }
        Entero u = 0;
        for (const Entero &x : fila) {
            const Entero desvio = a.n * x - total;
            u += desvio * desvio;
        }
        a.X.push_back(std::move(fila));
        a.T.push_back(total);
        a.G += total;
        a.U.push_back(u);
        a.sumaU += u;
    }
    return a;
}

ResultadosAnova ResultadosDe(const AnovaExacta &a)
{
    const int k = a.k, n = a.n, N = k * n;
    const Entero nD = n * a.D;
    const Entero nD2 = nD * nD;
    ResultadosAnova r;

    // SS FAM = Σi (mean i − grand mean)²·n = Σi (k·T[i] − G)² / (k²·n·D²).
    Entero entre = 0;
    for (const Entero &t : a.T) {
        const Entero desvio = k * t - a.G;
        entre += desvio * desvio;
    }
    const Entero denominadorFam = k * k * n * a.D * a.D;
    r.fam = {k - 1, CifraDe(Fraccion{entre, denominadorFam}), CifraDe(Fraccion{entre, denominadorFam * (k - 1)})};
    r.error = {a.glError(), CifraDe(Fraccion{a.sumaU, nD2}), CifraDe(a.mcError())};

    // SD = √(U / ((n·D)²·(n − 1))); CV = SD / mean · 100 = ±√(10⁴·U / ((n − 1)·T²)).
    for (int i = 0; i < k; ++i) {
        const auto f = static_cast<std::size_t>(i);
        NivelAnova nivel;
        nivel.promedio = CifraDe(a.media(i));
        nivel.desviacion = CifraDe(Real::Raiz({a.U[f], nD2 * (n - 1)}));
        if (a.T[f].is_zero())
            sinValor(a.U[f]);
        nivel.coeficiente = CifraDe(Real::Raiz({10000 * a.U[f], (n - 1) * a.T[f] * a.T[f]}, a.T[f].sign()));
        r.niveles.append(nivel);
    }

    // The same for all values, from their deviations from the grand mean.
    Entero total = 0;
    for (const auto &nivel : a.X)
        for (const Entero &x : nivel) {
            const Entero desvio = N * x - a.G;
            total += desvio * desvio;
        }
    r.total.promedio = CifraDe(a.mediaGeneral());
    r.total.desviacion = CifraDe(Real::Raiz({total, N * N * a.D * a.D * (N - 1)}));
    if (a.G.is_zero())
        sinValor(total);
    r.total.coeficiente = CifraDe(Real::Raiz({10000 * total, (N - 1) * a.G * a.G}, a.G.sign()));

    // F = MC FAM / MC error = entre·n·(n − 1) / (k·(k − 1)·sumaU).
    if (a.sumaU.is_zero())
        sinValor(entre);
    r.fcal = CifraDe(Fraccion{entre * n * (n - 1), k * (k - 1) * a.sumaU});
    r.pfcal = ProbabilidadF(r.fcal.valor, k - 1, a.glError());

    r.ttabla = ValorTablaT(a.glError());
    const Fraccion t = tDeTabla(r.ttabla);
    // t²·MC error / n: the square of the half-width of one mean's interval;
    // twice it, of a difference's (Fisher's least significant difference).
    const Fraccion mc = a.mcError();
    const Fraccion media2{t.num * t.num * mc.num, t.den * t.den * mc.den * n};
    const Fraccion diferencia2{2 * media2.num, media2.den};
    r.amplitud = CifraDe(Real::Raiz(diferencia2));
    for (int i = 0; i < k; ++i) {
        NivelAnova &nivel = r.niveles[i];
        nivel.inferior = CifraDe(Real(a.media(i), -1, media2));
        nivel.superior = CifraDe(Real(a.media(i), 1, media2));
    }
    for (int p = 0; p < NumeroPares(k); ++p) {
        const ParFam par = OrdenPares[static_cast<std::size_t>(p)];
        const Fraccion d{a.T[static_cast<std::size_t>(par.menor - 1)] - a.T[static_cast<std::size_t>(par.mayor - 1)], nD};
        const Real inferior(d, -1, diferencia2);
        const Real superior(d, 1, diferencia2);
        r.pares.append({par.menor, par.mayor, CifraDe(inferior), CifraDe(superior),
                        HayDiferencia(inferior.signo(), superior.signo())});
    }
    return r;
}

ResultadosAnova CalculaAnova(const Estudio &estudio, QChar separador)
{
    return ResultadosDe(LeeAnovaExacta(estudio, separador));
}
