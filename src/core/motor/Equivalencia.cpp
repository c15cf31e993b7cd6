#include "Equivalencia.h"

#include "core/motor/AnovaExacta.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/ExactoAlto.h"
#include "core/motor/Mensajes.h"
#include "core/motor/Pares.h"

#include <boost/math/distributions/students_t.hpp>

#include <algorithm>

namespace {

// The number of a text with an optional "%" after it; `porcentaje` tells
// whether it had one. Nothing when the rest is not a number.
std::optional<Fraccion> numeroDe(QString texto, QChar separador, bool *porcentaje = nullptr)
{
    texto = texto.trimmed();
    const bool conPorcentaje = texto.endsWith(u'%');
    if (conPorcentaje)
        texto = texto.chopped(1).trimmed();
    if (porcentaje)
        *porcentaje = conPorcentaje;
    if (!EsReal(texto, separador))
        return std::nullopt;
    return FraccionDe(ExactoDeTexto(texto, separador));
}

QString ejemplo(const char *numero, QChar separador)
{
    return QString::fromLatin1(numero).replace(u'.', separador);
}

// The t statistic x/se, x = d ± δ, as a double from its exact square.
double estadistico(const Fraccion &x, const Fraccion &varianza)
{
    return DobleDe(Real::Raiz(x * x / varianza, SignoDe(x)));
}

} // namespace

LimiteAceptacion LeeLimiteAceptacion(const QString &texto, QChar separador)
{
    if (texto.trimmed().isEmpty())
        throw ErrorConversion(TextoDe(Mensaje::faltaLimite));
    LimiteAceptacion limite;
    const std::optional<Fraccion> valor = numeroDe(texto, separador, &limite.porcentaje);
    if (!valor)
        throw ErrorConversion(TextoDe(Mensaje::limiteNoNumerico)
                                  .arg(texto.trimmed(), ejemplo("0.5", separador), ejemplo("1.5 %", separador)));
    if (SignoDe(*valor) <= 0)
        throw ErrorConversion(TextoDe(Mensaje::limiteNoPositivo));
    limite.valor = *valor;
    return limite;
}

Fraccion LeeDerMaxima(const QString &texto, QChar separador)
{
    if (texto.trimmed().isEmpty())
        throw ErrorConversion(TextoDe(Mensaje::faltaDerMaxima));
    const std::optional<Fraccion> valor = numeroDe(texto, separador);
    if (!valor)
        throw ErrorConversion(TextoDe(Mensaje::derMaximaNoNumerica)
                                  .arg(texto.trimmed(), ejemplo("2.5", separador)));
    if (SignoDe(*valor) <= 0)
        throw ErrorConversion(TextoDe(Mensaje::derMaximaNoPositiva));
    return *valor;
}

Equivalencia EquivalenciaDe(const AnovaExacta &a, const Precision &precision, const CriteriosEquivalencia &criterios)
{
    Equivalencia e;
    const Fraccion media = a.mediaGeneral();
    const Fraccion delta = criterios.limite.porcentaje
                               ? criterios.limite.valor * Fraccion{abs(media.num), media.den} / Fraccion{100, 1}
                               : criterios.limite.valor;
    e.delta = CifraDe(Real(delta));
    e.porcentaje = criterios.limite.porcentaje;
    if (e.porcentaje)
        e.deltaPorcentaje = CifraDe(Real(criterios.limite.valor));
    e.bandaInferior = CifraDe(Real(media - delta));
    e.bandaSuperior = CifraDe(Real(media + delta));

    e.bonferroni = criterios.bonferroni;
    e.pruebas = NumeroPares(a.k);
    const Fraccion alfa{1, 20 * (e.bonferroni ? e.pruebas : 1)};
    const Fraccion confianza = Fraccion{1, 1} - Fraccion{2, 1} * alfa;
    e.alfa = DobleDe(Real(alfa));
    e.confianza = DobleDe(Real(confianza));
    e.alfaPorCiento = CifraDe(Real(Fraccion{100, 1} * alfa));
    e.confianzaPorCiento = CifraDe(Real(Fraccion{100, 1} * confianza));
    const Fraccion varianza = Fraccion{2, 1} * a.mcError() / Fraccion{a.n, 1};  // of a difference of two means
    e.calculable = SignoDe(varianza) != 0;
    Fraccion semiamplitud2;
    if (e.calculable) {
        const Fraccion t = CuantilT(a.glError(), alfa, Cola::superior);
        e.t = CifraDe(Real(t));
        semiamplitud2 = t * t * varianza;
        e.semiamplitud = CifraDe(Real::Raiz(semiamplitud2));
    }

    e.todosEquivalentes = e.calculable;
    for (int i = 0; i < e.pruebas; ++i) {
        const ParFam orden = OrdenPares[static_cast<std::size_t>(i)];
        ParEquivalencia par;
        par.menor = orden.menor;
        par.mayor = orden.mayor;
        const Fraccion d = a.media(orden.menor - 1) - a.media(orden.mayor - 1);
        par.diferencia = CifraDe(Real(d));
        if (e.calculable) {
            par.inferior = CifraDe(Real(d, -1, semiamplitud2));
            par.superior = CifraDe(Real(d, 1, semiamplitud2));
            par.equivalentes = Real(d + delta, -1, semiamplitud2).signo() > 0
                               && Real(d - delta, 1, semiamplitud2).signo() < 0;
            const double tInferior = estadistico(d + delta, varianza);
            const double tSuperior = estadistico(d - delta, varianza);
            SinTextoDeBiblioteca([&] {
                const boost::math::students_t distribucion(a.glError());
                par.pInferior = cdf(complement(distribucion, tInferior));
                par.pSuperior = cdf(distribucion, tSuperior);
            });
            if (e.bonferroni) {
                par.pInferior = std::min(1.0, e.pruebas * par.pInferior);
                par.pSuperior = std::min(1.0, e.pruebas * par.pSuperior);
            }
        }
        e.todosEquivalentes = e.todosEquivalentes && par.equivalentes;
        e.pares.append(par);
    }

    e.hayDerMaxima = criterios.derMaxima.has_value();
    if (e.hayDerMaxima) {
        e.derMaxima = CifraDe(Real(*criterios.derMaxima));
        e.cotaDer = precision.cotaDer;
        e.derCumple = CotaDerNoSupera(a, *criterios.derMaxima);
    }
    e.cumple = e.todosEquivalentes && (!e.hayDerMaxima || e.derCumple);
    return e;
}

ResultadoPrecision ResultadoPrecisionDe(const AnovaExacta &anova, const std::optional<CriteriosEquivalencia> &criterios)
{
    ResultadoPrecision r;
    r.precision = PrecisionDe(anova);
    if (criterios)
        r.equivalencia = EquivalenciaDe(anova, r.precision, *criterios);
    return r;
}

ResultadoPrecision CalculaPrecision(const Estudio &estudio, QChar separador,
                                    const std::optional<CriteriosEquivalencia> &criterios)
{
    return ResultadoPrecisionDe(LeeAnovaExacta(estudio, separador), criterios);
}
