#include "TextoPrecision.h"

#include "core/motor/Formato.h"

namespace {

void agregaPrecision(QStringList &l, const Precision &p, QChar separador)
{
    const auto F = [separador](const auto &v) { return FormatoGeneral(v, separador); };
    const bool limites = !p.sinVariacionDentro;
    const auto linea = [&](const QString &nombre, const Cifra &valor, const Limites &lim) {
        QString texto = nombre + QStringLiteral(" = ") + F(valor);
        if (limites)
            texto += QStringLiteral(" (límites del 95 %: %1 a %2)").arg(F(lim.inferior), F(lim.superior));
        return texto;
    };
    const auto componente = [&](const ComponenteVarianza &c, bool conParte) {
        l << linea(QStringLiteral("Varianza"), c.varianza, c.limitesVarianza)
          << linea(QStringLiteral("Desviación estándar"), c.desviacion, c.limitesDesviacion)
          << linea(QStringLiteral("DER (%)"), c.der, c.limitesDer);
        if (conParte)
            l << QStringLiteral("Parte de la varianza de precisión intermedia (%) = ") + F(c.parte);
    };

    l << QStringLiteral("PRECISIÓN INTERMEDIA") << QString()
      << QStringLiteral("Modelo de efectos aleatorios de un factor: %1 FAM de %2 muestras").arg(p.k).arg(p.n)
      << QStringLiteral("Grados de libertad = %1 (FAM) y %2 (error)").arg(p.glFam).arg(p.glError)
      << QStringLiteral("MC FAM = ") + F(p.mcFam) << QStringLiteral("MC error = ") + F(p.mcError)
      << QStringLiteral("Promedio general = ") + F(p.promedio);
    if (p.sinVariacionDentro)
        l << QStringLiteral("Sin variación dentro de los FAM: los valores de cada FAM son iguales entre sí, la "
                            "repetibilidad es 0 a la resolución de los datos y no hay límites de confianza.");
    l << QString();

    l << QStringLiteral("REPETIBILIDAD (dentro de cada FAM; límites de la χ²)");
    componente(p.repetibilidad, true);
    l << QString();

    l << QStringLiteral("ENTRE NIVELES DEL FAM (límites de grandes muestras modificados)");
    componente(p.entreNiveles, true);
    if (p.sinVarianzaEntre)
        l << (limites ? QStringLiteral("MC FAM no supera MC error: la varianza entre niveles se estima en 0; su "
                                       "límite superior dice cuánto podría valer.")
                      : QStringLiteral("MC FAM no supera MC error: la varianza entre niveles se estima en 0."));
    l << QString();

    l << QStringLiteral("PRECISIÓN INTERMEDIA (repetibilidad + entre niveles; límites de grandes muestras modificados)");
    componente(p.intermedia, false);
    if (limites)
        l << QStringLiteral("Cota superior unilateral del 95 % de la desviación estándar = ") + F(p.cotaDesviacion)
          << QStringLiteral("Cota superior unilateral del 95 % de la DER (%) = ") + F(p.cotaDer);
}

void agregaEquivalencia(QStringList &l, const Equivalencia &e, int glError, QChar separador)
{
    const auto F = [separador](const auto &v) { return FormatoGeneral(v, separador); };
    l << QString() << QStringLiteral("EQUIVALENCIA ENTRE NIVELES (dos pruebas unilaterales)");
    l << (e.porcentaje ? QStringLiteral("Límite de aceptación = ±%1 % del promedio general = ±%2")
                             .arg(F(e.deltaPorcentaje), F(e.delta))
                       : QStringLiteral("Límite de aceptación = ±") + F(e.delta));
    if (e.bonferroni)
        l << QStringLiteral("Multiplicidad = Ajuste de Bonferroni para %1 pares: cada prueba unilateral al %2 %")
                 .arg(e.pruebas).arg(F(e.alfaPorCiento));
    else
        l << QStringLiteral("Multiplicidad = Sin ajuste: cada prueba unilateral al 5 %; el estudio es "
                            "equivalente solo si lo son todos los pares");
    if (!e.calculable) {
        l << QStringLiteral("Sin variación dentro de los FAM no hay intervalos: la equivalencia no puede juzgarse.");
    } else {
        l << QStringLiteral("t = %1 con %2 grados de libertad").arg(F(e.t)).arg(glError)
          << QStringLiteral("Semiamplitud = ") + F(e.semiamplitud);
    }
    QStringList noEquivalentes;
    for (const ParEquivalencia &par : e.pares) {
        l << QString() << QStringLiteral("FAM %1 y FAM %2").arg(par.menor).arg(par.mayor)
          << QStringLiteral("Diferencia = ") + F(par.diferencia);
        if (!e.calculable) {
            l << QStringLiteral("Conclusión = No puede juzgarse");
            continue;
        }
        l << QStringLiteral("Intervalo del %1 % = %2 a %3").arg(F(e.confianzaPorCiento), F(par.inferior), F(par.superior))
          << QStringLiteral("%1 = %2 (H0: diferencia ≤ −δ) y %3 (H0: diferencia ≥ δ)")
                 .arg(e.bonferroni ? QStringLiteral("p unilaterales ajustadas") : QStringLiteral("p unilaterales"),
                      F(par.pInferior), F(par.pSuperior))
          << QStringLiteral("Conclusión = ")
                 + (par.equivalentes ? QStringLiteral("Equivalentes") : QStringLiteral("No equivalentes"));
        if (!par.equivalentes)
            noEquivalentes << QStringLiteral("FAM %1 y FAM %2").arg(par.menor).arg(par.mayor);
    }

    if (e.hayDerMaxima) {
        l << QString() << QStringLiteral("DER MÁXIMA DE PRECISIÓN INTERMEDIA")
          << QStringLiteral("DER máxima (%) = ") + F(e.derMaxima);
        if (e.calculable)
            l << QStringLiteral("Cota superior unilateral del 95 % de la DER (%) = ") + F(e.cotaDer)
              << (e.derCumple ? QStringLiteral("Conclusión = Cumple") : QStringLiteral("Conclusión = No cumple"));
        else
            l << QStringLiteral("Conclusión = No puede juzgarse");
    }

    l << QString();
    if (!e.calculable) {
        l << QStringLiteral("Resultado = El estudio no puede juzgarse: no hay variación dentro de los FAM.");
        return;
    }
    if (e.cumple) {
        l << (e.hayDerMaxima ? QStringLiteral("Resultado = El estudio cumple los criterios: todos los pares son "
                                              "equivalentes y la DER de precisión intermedia no supera la máxima.")
                             : QStringLiteral("Resultado = El estudio cumple el criterio: todos los pares son "
                                              "equivalentes."));
        return;
    }
    QStringList motivos;
    if (!noEquivalentes.isEmpty())
        motivos << QStringLiteral("no son equivalentes ") + noEquivalentes.join(QStringLiteral(", "));
    if (e.hayDerMaxima && !e.derCumple)
        motivos << QStringLiteral("la cota de la DER de precisión intermedia supera la máxima");
    l << QStringLiteral("Resultado = El estudio no cumple los criterios: ") + motivos.join(QStringLiteral("; "))
             + u'.';
}

} // namespace

QStringList LineasPrecision(const ResultadoPrecision &r, QChar separador)
{
    QStringList l;
    agregaPrecision(l, r.precision, separador);
    if (r.equivalencia)
        agregaEquivalencia(l, *r.equivalencia, r.precision.glError, separador);
    return l;
}
