#include "LineaPrecision.h"

#include "core/estudio/ArchivosSistema.h"
#include "core/informe/TextoPrecision.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <cstdio>

using namespace Qt::StringLiterals;

bool LeeCriterios(const ArgumentosOrden &argumentos, std::optional<CriteriosEquivalencia> &criterios)
{
    const QChar separador = SeparadorDecimal();
    const bool conDer = argumentos.tiene(u"--der-maxima"_s);
    const bool bonferroni = argumentos.tiene(u"--bonferroni"_s);
    criterios.reset();
    if (!argumentos.tiene(u"--limite"_s) && !conDer && !bonferroni)
        return true;
    try {
        // Without a limit the core names what is missing.
        CriteriosEquivalencia leidos{LeeLimiteAceptacion(argumentos.valor(u"--limite"_s), separador),
                                     std::nullopt, bonferroni};
        if (conDer)
            leidos.derMaxima = LeeDerMaxima(argumentos.valor(u"--der-maxima"_s), separador);
        criterios = leidos;
        return true;
    } catch (const ErrorConversion &error) {
        EscribeLinea(stderr, error.texto());
        return false;
    }
}

int EjecutaPrecision(const ArgumentosOrden &argumentos)
{
    std::optional<CriteriosEquivalencia> criterios;
    if (!LeeCriterios(argumentos, criterios))
        return 2;
    const int hecho = CalculaEstudioOFalla(argumentos.archivo, [&criterios](const Estudio &estudio) {
        const QChar separador = SeparadorDecimal();
        for (const QString &linea : LineasPrecision(CalculaPrecision(estudio, separador, criterios), separador))
            EscribeLinea(stdout, linea);
    });
    if (hecho != 0)
        return hecho;
    return CompruebaSalida(argumentos.archivo, TextoDe(Mensaje::precisionNoSeEscribe));
}
