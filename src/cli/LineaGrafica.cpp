#include "LineaGrafica.h"

#include "EstudioDeLinea.h"
#include "core/motor/Anova.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Equivalencia.h"
#include "core/motor/Errores.h"
#include "core/paginas/ArchivoGrafica.h"
#include "core/paginas/Grafica.h"

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const char *const uso =
    "Uso: tolerancia --grafica SALIDA.png|svg|pdf ARCHIVO.w1e [--ancho PX] [--alto PX] [--limite X|X%]\n";

// Beyond these a picture is useless or too big to hold in memory.
constexpr int ladoMinimo = 200;
constexpr int ladoMaximo = 8000;

struct OrdenGrafica
{
    QString salida;
    QString archivo;
    QSize tamano;
    std::optional<QString> limite;  // the band of the grand mean ± δ
};

// The side the option `nombre` gives, `porOmision` when it is not given.
std::optional<int> lado(const Argumentos &argumentos, const QString &nombre, int porOmision)
{
    if (!argumentos.valores.contains(nombre))
        return porOmision;
    bool bien = false;
    const int valor = argumentos.valores.value(nombre).toInt(&bien);
    if (!bien || valor < ladoMinimo || valor > ladoMaximo)
        return std::nullopt;
    return valor;
}

std::optional<OrdenGrafica> LeeOrden(int argc, char **argv)
{
    const std::optional<Argumentos> argumentos =
        LeeArgumentos(argc, argv, 1, {u"--grafica"_s, u"--ancho"_s, u"--alto"_s, u"--limite"_s});
    if (!argumentos || !argumentos->archivo)
        return std::nullopt;
    const QString salida = argumentos->valores.value(u"--grafica"_s);
    const std::optional<int> ancho = lado(*argumentos, u"--ancho"_s, TamanoGrafica.width());
    const std::optional<int> alto = lado(*argumentos, u"--alto"_s, TamanoGrafica.height());
    if (!FormatoDeRuta(salida) || !ancho || !alto)
        return std::nullopt;
    OrdenGrafica orden{salida, *argumentos->archivo, QSize(*ancho, *alto), std::nullopt};
    if (argumentos->valores.contains(u"--limite"_s))
        orden.limite = argumentos->valores.value(u"--limite"_s);
    return orden;
}

int Ejecuta(const OrdenGrafica &orden, const std::optional<LimiteAceptacion> &limite)
{
    return CalculaEstudioOFalla(orden.archivo, [&orden, &limite](const Estudio &estudio) {
        const QChar separador = SeparadorDecimal();
        std::optional<BandaAceptacion> banda;
        if (limite)
            banda = BandaDe(*CalculaPrecision(estudio, separador, CriteriosEquivalencia{*limite}).equivalencia);
        GuardaGrafica(orden.salida, ModeloDeGrafica(estudio, CalculaAnova(estudio, separador), separador, banda),
                      orden.tamano);
    });
}

} // namespace

int EjecutaGrafica(int argc, char **argv)
{
    const std::optional<OrdenGrafica> orden = LeeOrden(argc, argv);
    if (!orden) {
        std::fputs(uso, stderr);
        return 2;
    }
    std::optional<LimiteAceptacion> limite;
    if (orden->limite) {
        try {
            limite = LeeLimiteAceptacion(*orden->limite, SeparadorDecimal());
        } catch (const ErrorConversion &error) {
            EscribeLinea(stderr, error.texto());
            return 2;
        }
    }
    const auto aplicacion = AplicacionSinPantalla(argc, argv);
    return Ejecuta(*orden, limite);
}
