#include "Precision.h"

#include "core/motor/AnovaExacta.h"
#include "core/motor/Errores.h"
#include "core/motor/ExactoAlto.h"
#include "core/motor/Mensajes.h"

namespace {

const Fraccion uno{1, 1};
const Fraccion cero{0, 1};

Fraccion mcFam(const AnovaExacta &a)
{
    Entero entre = 0;
    for (const Entero &t : a.T) {
        const Entero desvio = a.k * t - a.G;
        entre += desvio * desvio;
    }
    return {entre, a.k * a.k * a.n * a.D * a.D * (a.k - 1)};
}

// RSD² = variance · 10⁴ / mean², the scale from a variance to its RSD².
Fraccion escalaDer(const AnovaExacta &a)
{
    if (a.G.is_zero())
        throw ErrorCalculo(TextoDe(Mensaje::divisionPorCero));
    const Fraccion media = a.mediaGeneral();
    return Fraccion{10000, 1} / (media * media);
}

SumaRaiz noNegativo(const SumaRaiz &v)
{
    return v.real().signo() < 0 ? SumaRaiz{} : v;
}

// The mean squares and the quantiles the limits are built from (α = 0.05):
// G = 1 − ν/χ²(1 − α/2; ν) and H = ν/χ²(α/2; ν) − 1 for ν₁ and ν₂, and the
// one-sided H of the upper bound, with α in place of α/2.
struct Base
{
    Fraccion msf, mse, n;
    int n1 = 0, n2 = 0;
    // σ̂² = MC FAM/n + (n − 1)·MC error/n, the estimate the limits of s_IP² surround.
    Fraccion sigma2() const { return msf / n + (n - uno) * mse / n; }
    // √(A²·MC FAM² + B²·(n − 1)²·MC error²)/n, squared.
    Fraccion margen(const Fraccion &A, const Fraccion &B) const
    {
        return (A * A * msf * msf + B * B * (n - uno) * (n - uno) * mse * mse) / (n * n);
    }
};

Base baseDe(const AnovaExacta &a)
{
    return {mcFam(a), a.mcError(), {a.n, 1}, a.k - 1, a.glError()};
}

Fraccion hUnilateral(int gl)
{
    return Fraccion{gl, 1} / CuantilChiCuadrado(gl, {1, 20}, Cola::inferior) - uno;
}

SumaRaiz cotaExacta(const Base &b)
{
    return {b.sigma2(), 1, b.margen(hUnilateral(b.n1), hUnilateral(b.n2))};
}

ComponenteVarianza componente(const Fraccion &varianza, const Fraccion &total, const Fraccion &escala)
{
    ComponenteVarianza c;
    c.varianza = CifraDe(Real(varianza));
    c.desviacion = CifraDe(Real::Raiz(varianza));
    c.der = CifraDe(Real::Raiz(varianza * escala));
    c.parte = CifraDe(Real(Fraccion{100, 1} * varianza / total));
    return c;
}

void ponLimites(ComponenteVarianza &c, const SumaRaiz &inferior, const SumaRaiz &superior, const Fraccion &escala)
{
    const SumaRaiz inf = noNegativo(inferior), sup = noNegativo(superior);
    c.limitesVarianza = {CifraDe(inf.real()), CifraDe(sup.real())};
    c.limitesDesviacion = {CifraDeRaiz(inf), CifraDeRaiz(sup)};
    c.limitesDer = {CifraDeRaiz(inf.por(escala)), CifraDeRaiz(sup.por(escala))};
}

} // namespace

Precision PrecisionDe(const AnovaExacta &a)
{
    const Base b = baseDe(a);
    Precision p;
    p.k = a.k;
    p.n = a.n;
    p.glFam = b.n1;
    p.glError = b.n2;
    p.mcFam = CifraDe(Real(b.msf));
    p.mcError = CifraDe(Real(b.mse));
    p.promedio = CifraDe(Real(a.mediaGeneral()));
    p.sinVariacionDentro = SignoDe(b.mse) == 0;

    Fraccion entre = (b.msf - b.mse) / b.n;
    if (SignoDe(entre) <= 0) {
        p.sinVarianzaEntre = true;
        entre = cero;
    }
    const Fraccion intermedia = entre + b.mse;
    // Every value equal: nothing varies, and no share can be given.
    if (SignoDe(intermedia) == 0)
        throw ErrorCalculo(TextoDe(Mensaje::operacionInvalida));
    const Fraccion escala = escalaDer(a);
    p.repetibilidad = componente(b.mse, intermedia, escala);
    p.entreNiveles = componente(entre, intermedia, escala);
    p.intermedia = componente(intermedia, intermedia, escala);
    if (p.sinVariacionDentro)
        return p;

    const Fraccion a2{1, 40};  // α/2
    const Fraccion chi1s = CuantilChiCuadrado(b.n1, a2, Cola::superior);
    const Fraccion chi1i = CuantilChiCuadrado(b.n1, a2, Cola::inferior);
    const Fraccion chi2s = CuantilChiCuadrado(b.n2, a2, Cola::superior);
    const Fraccion chi2i = CuantilChiCuadrado(b.n2, a2, Cola::inferior);
    const Fraccion F1 = CuantilF(b.n1, b.n2, a2, Cola::superior);
    const Fraccion F2 = CuantilF(b.n1, b.n2, a2, Cola::inferior);
    const Fraccion v1{b.n1, 1}, v2{b.n2, 1};
    const Fraccion G1 = uno - v1 / chi1s, G2 = uno - v2 / chi2s;
    const Fraccion H1 = v1 / chi1i - uno, H2 = v2 / chi2i - uno;
    const Fraccion G12 = ((F1 - uno) * (F1 - uno) - G1 * G1 * F1 * F1 - H2 * H2) / F1;
    const Fraccion H12 = ((uno - F2) * (uno - F2) - H1 * H1 * F2 * F2 - G2 * G2) / F2;
    // V_L and V_U are not negative for any design of 2..5 levels and 2..10
    // samples: G12 ≥ −2·G1·H2 and H12 ≥ −2·H1·G2 there.
    const Fraccion &msf = b.msf, &mse = b.mse;
    const Fraccion VL = G1 * G1 * msf * msf + H2 * H2 * mse * mse + G12 * msf * mse;
    const Fraccion VU = H1 * H1 * msf * msf + G2 * G2 * mse * mse + H12 * msf * mse;
    const Fraccion n2 = b.n * b.n;

    ponLimites(p.repetibilidad, {v2 * mse / chi2s, 0, cero}, {v2 * mse / chi2i, 0, cero}, escala);
    const Fraccion diferencia = (msf - mse) / b.n;
    ponLimites(p.entreNiveles, {diferencia, -1, VL / n2}, {diferencia, 1, VU / n2}, escala);
    ponLimites(p.intermedia, {b.sigma2(), -1, b.margen(G1, G2)}, {b.sigma2(), 1, b.margen(H1, H2)}, escala);

    const SumaRaiz cota = cotaExacta(b);
    p.cotaVarianza = CifraDe(cota.real());
    p.cotaDesviacion = CifraDeRaiz(cota);
    p.cotaDer = CifraDeRaiz(cota.por(escala));
    return p;
}

bool CotaDerNoSupera(const AnovaExacta &a, const Fraccion &derMaxima)
{
    const Base b = baseDe(a);
    if (SignoDe(b.mse) == 0)
        return false;
    return ComparaRaiz(cotaExacta(b).por(escalaDer(a)), derMaxima) <= 0;
}
