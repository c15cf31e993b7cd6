#include "Anova.h"

#include "core/motor/Aritmetica.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/Pares.h"
#include "core/motor/Potencia.h"
#include "core/motor/TablaT.h"

using namespace Aritmetica;

namespace {

// The working values of one calculation.
struct Trabajo
{
    ArregloFam T{};      // totals per FAM
    ArregloFam Q{};      // raw sums of squares per FAM
    ArregloFam SD{};
    ArregloFam CV{};
    double G = 0.0;      // grand total
    double Qg = 0.0;     // grand sum of squares
    double A = 0.0;      // sum of T[i]²/n
    double scerror = 0.0;
    int dferror = 0;
    double totalFam = 0.0;
    double cuadradosFam = 0.0;
};

// Q[i] − T[i]²/n. With identical values that are not whole numbers the
// computational form can leave a tiny negative residue; it is a zero.
double residuo(double q, double t, double n)
{
    const double r = resta(q, cociente(producto(t, t), n));
    return r < 0.0 ? 0.0 : r;
}

// Paulson's normalisation of F and the normal tail of Abramowitz and Stegun
// 26.2.18, with the constants the program has always used.
double colaF(double x, double d1, double d2)
{
    const double a1 = cociente(2.0 / 9.0, d1);
    const double a2 = cociente(2.0 / 9.0, d2);
    const double numerador =
        std::fabs(resta(producto(1.0 - a2, Potencia(x, 0.333)), 1.0 - a1));
    const double denominador = raiz(suma(producto(a2, Potencia(x, 0.666)), a1));
    double z = cociente(numerador, denominador);
    if (d2 < 4.0)
        z = producto(z, 1.0 + cociente(producto(0.08, Potencia(z, 4.0)), Potencia(d2, 3.0)));
    constexpr double c1 = 0.196854, c2 = 0.115194, c3 = 0.000344, c4 = 0.019527;
    double p = suma(producto(c4, z), c3);
    p = suma(producto(p, z), c2);
    p = suma(producto(p, z), c1);
    p = suma(producto(p, z), 1.0);
    return cociente(0.5, Potencia(p, 4.0));
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

void CalculaAnova(const Estudio &estudio, QChar separador, AnovaResults &r,
                  ArregloFam &desviaciones, ArregloFam &coeficientes, ArregloFam &promedios,
                  double &ttabla)
{
    Trabajo w;

    const int n = StrToInt(estudio.ereplica);
    const int k = StrToInt(estudio.econdicion);
    if (k < 2 || k > 5 || n < 2 || n > 10)
        throw ErrorCalculo(QStringLiteral("Datos fuera de límite: 2-5 FAM, 2-10 muestras."));
    const double nd = n;

    for (int i = 1; i <= k; ++i) {
        w.totalFam = 0.0;
        w.cuadradosFam = 0.0;
        for (int j = 1; j <= n; ++j) {
            const double x = StrToFloat(estudio.stgdatos.celda(i, j), separador);
            const double x2 = producto(x, x);
            w.G = suma(w.G, x);
            w.totalFam = suma(w.totalFam, x);
            w.cuadradosFam = suma(w.cuadradosFam, x2);
            w.Qg = suma(w.Qg, x2);
        }
        w.T[i] = w.totalFam;
        w.Q[i] = w.cuadradosFam;
        w.A = suma(w.A, cociente(producto(w.T[i], w.T[i]), nd));
        w.scerror = suma(w.scerror, residuo(w.Q[i], w.T[i], nd));
        w.dferror += n - 1;
    }
    if (w.scerror < 0.0)
        w.scerror = 0.0;

    const double N = static_cast<double>(k * n);
    const double scfam = resta(w.A, cociente(producto(w.G, w.G), N));
    const int glfam = k - 1;

    for (int i = 1; i <= k; ++i) {
        const double media = cociente(w.T[i], nd);
        w.SD[i] = raiz(cociente(residuo(w.Q[i], w.T[i], nd), nd - 1.0));
        w.CV[i] = producto(cociente(w.SD[i], media), 100.0);
        promedios[i] = media;
        desviaciones[i] = w.SD[i];
        coeficientes[i] = w.CV[i];
    }

    double dispersionTotal = resta(producto(N, w.Qg), producto(w.G, w.G));
    if (dispersionTotal < 0.0)
        dispersionTotal = 0.0;
    const double desvesttotal = raiz(cociente(dispersionTotal, producto(N - 1.0, N)));
    const double coefvartotal = producto(cociente(desvesttotal, cociente(w.G, N)), 100.0);

    r[Ranura::glfam] = glfam;
    r[Ranura::glerror] = w.dferror;
    r[Ranura::scfam] = scfam;
    r[Ranura::scerror] = w.scerror;
    r[Ranura::mcfam] = cociente(r[Ranura::scfam], r[Ranura::glfam]);
    r[Ranura::mcerror] = cociente(r[Ranura::scerror], r[Ranura::glerror]);
    r[Ranura::fcal] = cociente(r[Ranura::mcfam], r[Ranura::mcerror]);

    r[Ranura::pfcal] = ProbabilidadF(r[Ranura::fcal], r[Ranura::glfam], r[Ranura::glerror]);

    for (int i = 1; i <= 4; ++i)
        r[Ranura::promedio(i)] = cociente(w.T[i], nd);
    r[Ranura::promediototal] = cociente(w.G, N);
    r[Ranura::desvesttotal] = desvesttotal;
    r[Ranura::coefvartotal] = coefvartotal;
    r[Ranura::promedio5] = cociente(w.T[5], nd);
    for (int i = 1; i <= 5; ++i) {
        r[Ranura::desvest(i)] = w.SD[i];
        r[Ranura::coefvar(i)] = w.CV[i];
    }

    ttabla = ValorTablaT(w.dferror);

    // One half-width for every pair: Fisher's least significant difference.
    const double amplitud = producto(raiz(producto(2.0 / nd, r[Ranura::mcerror])), ttabla);
    for (const ParFam &par : OrdenPares) {
        const double d = resta(r[Ranura::promedio(par.menor)], r[Ranura::promedio(par.mayor)]);
        r[par.liminf] = resta(d, amplitud);
        r[par.limsup] = suma(d, amplitud);
    }
}

void CalculaAnova(const Estudio &estudio, QChar separador, JuegoResultados &juego)
{
    CalculaAnova(estudio, separador, juego.resultados, juego.desviaciones, juego.coeficientes,
                 juego.promedios, juego.ttabla);
}
