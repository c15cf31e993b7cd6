#include "Anova.h"

#include "core/motor/Aritmetica.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/Pares.h"
#include "core/motor/TablaT.h"

using namespace Aritmetica;

namespace {

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
        std::fabs(resta(producto(1.0 - a2, potencia(x, 0.333)), 1.0 - a1));
    const double denominador = raiz(suma(producto(a2, potencia(x, 0.666)), a1));
    double z = cociente(numerador, denominador);
    if (d2 < 4.0)
        z = producto(z, 1.0 + cociente(producto(0.08, potencia(z, 4.0)), potencia(d2, 3.0)));
    constexpr double c1 = 0.196854, c2 = 0.115194, c3 = 0.000344, c4 = 0.019527;
    double p = suma(producto(c4, z), c3);
    p = suma(producto(p, z), c2);
    p = suma(producto(p, z), c1);
    p = suma(producto(p, z), 1.0);
    return cociente(0.5, potencia(p, 4.0));
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

void CalculaAnova(const Estudio &estudio, QChar separador, JuegoResultados &juego)
{
    const int n = StrToInt(estudio.ereplica);
    const int k = StrToInt(estudio.econdicion);
    if (k < 2 || k > 5 || n < 2 || n > 10)
        throw ErrorCalculo(QStringLiteral("Datos fuera de límite: 2-5 FAM, 2-10 muestras."));
    const double nd = n;

    ArregloFam T{};      // totals per FAM
    ArregloFam Q{};      // raw sums of squares per FAM
    double G = 0.0;      // grand total
    double Qg = 0.0;     // grand sum of squares
    double A = 0.0;      // sum of T[i]²/n
    double scerror = 0.0;
    int dferror = 0;
    for (int i = 1; i <= k; ++i) {
        for (int j = 1; j <= n; ++j) {
            const double x = StrToFloat(estudio.stgdatos.celda(i, j), separador);
            const double x2 = producto(x, x);
            G = suma(G, x);
            T[i] = suma(T[i], x);
            Q[i] = suma(Q[i], x2);
            Qg = suma(Qg, x2);
        }
        A = suma(A, cociente(producto(T[i], T[i]), nd));
        scerror = suma(scerror, residuo(Q[i], T[i], nd));
        dferror += n - 1;
    }

    const double N = static_cast<double>(k * n);
    const double scfam = resta(A, cociente(producto(G, G), N));
    const int glfam = k - 1;

    // Zero beyond FAM k: the record keeps zeros for the absent FAMs.
    ArregloFam SD{};
    ArregloFam CV{};
    for (int i = 1; i <= k; ++i) {
        const double media = cociente(T[i], nd);
        SD[i] = raiz(cociente(residuo(Q[i], T[i], nd), nd - 1.0));
        CV[i] = producto(cociente(SD[i], media), 100.0);
        juego.promedios[i] = media;
        juego.desviaciones[i] = SD[i];
        juego.coeficientes[i] = CV[i];
    }

    double dispersionTotal = resta(producto(N, Qg), producto(G, G));
    if (dispersionTotal < 0.0)
        dispersionTotal = 0.0;
    const double desvesttotal = raiz(cociente(dispersionTotal, producto(N - 1.0, N)));
    const double coefvartotal = producto(cociente(desvesttotal, cociente(G, N)), 100.0);

    AnovaResults &r = juego.resultados;
    r[Ranura::glfam] = glfam;
    r[Ranura::glerror] = dferror;
    r[Ranura::scfam] = scfam;
    r[Ranura::scerror] = scerror;
    r[Ranura::mcfam] = cociente(r[Ranura::scfam], r[Ranura::glfam]);
    r[Ranura::mcerror] = cociente(r[Ranura::scerror], r[Ranura::glerror]);
    r[Ranura::fcal] = cociente(r[Ranura::mcfam], r[Ranura::mcerror]);

    r[Ranura::pfcal] = ProbabilidadF(r[Ranura::fcal], r[Ranura::glfam], r[Ranura::glerror]);

    r[Ranura::promediototal] = cociente(G, N);
    r[Ranura::desvesttotal] = desvesttotal;
    r[Ranura::coefvartotal] = coefvartotal;
    for (int i = 1; i <= 5; ++i) {
        r[Ranura::promedio(i)] = cociente(T[i], nd);
        r[Ranura::desvest(i)] = SD[i];
        r[Ranura::coefvar(i)] = CV[i];
    }

    juego.ttabla = ValorTablaT(dferror);

    // One half-width for every pair: Fisher's least significant difference.
    const double amplitud = producto(raiz(producto(2.0 / nd, r[Ranura::mcerror])), juego.ttabla);
    for (const ParFam &par : OrdenPares) {
        const double d = resta(r[Ranura::promedio(par.menor)], r[Ranura::promedio(par.mayor)]);
        r[par.liminf] = resta(d, amplitud);
        r[par.limsup] = suma(d, amplitud);
    }
}
