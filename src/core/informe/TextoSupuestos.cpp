#include "TextoSupuestos.h"

#include "core/motor/Formato.h"
#include "core/motor/Pares.h"

QStringList LineasSupuestos(const Supuestos &s, QChar separador)
{
    const auto F = [separador](const auto &v) { return FormatoGeneral(v, separador); };
    const ResultadosAnova &r = s.anova;
    const auto valor = [&s](int nivel, int muestra) {
        return s.textos[static_cast<std::size_t>(nivel - 1)][static_cast<std::size_t>(muestra - 1)].trimmed();
    };
    QStringList l;

    l << QStringLiteral("SUPUESTOS DEL ANÁLISIS") << QString();

    l << QStringLiteral("PRUEBA DE COCHRAN (varianza mayor)");
    const Cochran &c = s.cochran;
    l << QStringLiteral("C = %1 (FAM %2)").arg(F(c.c)).arg(c.nivel)
      << QStringLiteral("Valor crítico al 5 % = ") + F(c.critico5)
      << QStringLiteral("Valor crítico al 1 % = ") + F(c.critico1);
    if (c.veredicto == Veredicto::aberrante)
        l << QStringLiteral("Conclusión = Varianza aberrante al 1 %: FAM %1").arg(c.nivel);
    else if (c.veredicto == Veredicto::dudoso)
        l << QStringLiteral("Conclusión = Varianza dudosa al 5 %: FAM %1").arg(c.nivel);
    else
        l << QStringLiteral("Conclusión = Varianzas homogéneas");
    l << QString();

    l << QStringLiteral("PRUEBA DE GRUBBS (un valor atípico por FAM)");
    if (s.n < 3) {
        l << QStringLiteral("Con 2 muestras por FAM la prueba de Grubbs no puede señalar un "
                            "valor atípico: necesita al menos 3.");
    } else {
        l << QStringLiteral("Valor crítico al 5 % = ") + F(s.grubbs.front().critico5)
          << QStringLiteral("Valor crítico al 1 % = ") + F(s.grubbs.front().critico1);
        for (const Grubbs &g : s.grubbs) {
            l << QStringLiteral("FAM %1").arg(g.nivel);
            if (g.estado == Grubbs::Estado::valoresIguales) {
                l << QStringLiteral("Todos los valores son iguales: no hay valor atípico que señalar.");
                continue;
            }
            l << QStringLiteral("Valor mayor = %1 (muestra %2), G = %3")
                     .arg(valor(g.nivel, g.muestraMaximo)).arg(g.muestraMaximo).arg(F(g.gMaximo))
              << QStringLiteral("Valor menor = %1 (muestra %2), G = %3")
                     .arg(valor(g.nivel, g.muestraMinimo)).arg(g.muestraMinimo).arg(F(g.gMinimo));
            const int muestra = g.sospechosoEsMaximo ? g.muestraMaximo : g.muestraMinimo;
            const QString nombre = QStringLiteral("%1 (muestra %2)").arg(valor(g.nivel, muestra)).arg(muestra);
            switch (g.veredicto) {
            case Veredicto::normal:
                l << QStringLiteral("Conclusión = Sin valor atípico");
                break;
            case Veredicto::dudoso:
                l << QStringLiteral("Conclusión = Valor dudoso al 5 %: ") + nombre;
                break;
            case Veredicto::aberrante:
                l << QStringLiteral("Conclusión = Valor atípico al 1 %: ") + nombre;
                break;
            case Veredicto::noConcluyente:
                l << QStringLiteral("Conclusión = No concluyente: ") + nombre
                  << QStringLiteral("Los demás valores del FAM son iguales: G = %1 es el máximo posible con %2 "
                                    "muestras por cerca que esté el valor, y a la resolución de los datos la "
                                    "prueba no puede juzgarlo.")
                         .arg(F(g.sospechosoEsMaximo ? g.gMaximo : g.gMinimo))
                         .arg(s.n);
                break;
            }
        }
    }
    l << QString();

    l << QStringLiteral("PRUEBA DE LEVENE (centrada en la mediana)");
    const Levene &lv = s.levene;
    switch (lv.estado) {
    case Levene::Estado::dosMuestras:
        l << QStringLiteral("Con 2 muestras por FAM los dos valores distan lo mismo de su mediana: "
                            "la prueba de Levene no puede calcularse.");
        break;
    case Levene::Estado::sinDispersion:
        l << QStringLiteral("Las distancias a la mediana son iguales dentro de cada FAM: "
                            "la prueba de Levene no puede calcularse.");
        break;
    case Levene::Estado::calculada:
        l << QStringLiteral("W = ") + F(lv.w)
          << QStringLiteral("Grados de libertad = %1 y %2").arg(lv.gl1).arg(lv.gl2)
          << QStringLiteral("Probabilidad = ") + F(lv.probabilidad)
          << (EsSignificativo(lv.probabilidad)
                  ? QStringLiteral("Conclusión = Varianzas distintas al 5 %")
                  : QStringLiteral("Conclusión = Sin evidencia de varianzas distintas"));
        break;
    }
    l << QString();

    l << QStringLiteral("PROBABILIDAD DE F")
      << QStringLiteral("fcal = ") + F(r.fcal)
      << QStringLiteral("Grados de libertad = %1 y %2")
             .arg(r.fam.gradosLibertad).arg(r.error.gradosLibertad)
      << QStringLiteral("Pfcal (aproximación del programa) = ") + F(r.pfcal)
      << QStringLiteral("Probabilidad exacta = ") + F(s.probabilidadExacta);
    if (s.decisionMarginal) {
        const auto lectura = [](double p) {
            return EsSignificativo(p) ? QStringLiteral("el efecto del FAM es significativo al 5 %")
                                      : QStringLiteral("el efecto del FAM no es significativo al 5 %");
        };
        l << QStringLiteral("Decisión marginal: según Pfcal %1, y según la probabilidad exacta %2. "
                            "Conviene confirmarla con más muestras.")
                 .arg(lectura(r.pfcal), lectura(s.probabilidadExacta));
    }
    l << QString();

    l << QStringLiteral("REPETIBILIDAD (√MC error)")
      << QStringLiteral("Desviación estándar de repetibilidad = ") + F(s.repetibilidad)
      << QStringLiteral("DER de repetibilidad (%) = ") + F(s.derRepetibilidad);
    return l;
}
