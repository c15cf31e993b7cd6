#include "LineaGrafica.h"

#include "EstudioDeLinea.h"
#include "core/motor/Anova.h"
#include "core/motor/Conversiones.h"
#include "core/paginas/ArchivoGrafica.h"
#include "core/paginas/Grafica.h"


#include <cstdio>
#include <optional>

namespace {

const char *const uso = "Uso: tolerancia --grafica SALIDA.png|svg|pdf ARCHIVO.w1e [--ancho PX] [--alto PX]\n";

// Beyond these a picture is useless or too big to hold in memory.
constexpr int ladoMinimo = 200;
constexpr int ladoMaximo = 8000;

struct OrdenGrafica
{
    QString salida;
    QString archivo;
    QSize tamano = TamanoGrafica;
};

// A batch over many studies must tell which one failed.

std::optional<int> lado(const QString &texto)
{
    bool bien = false;
    const int valor = texto.toInt(&bien);
    if (!bien || valor < ladoMinimo || valor > ladoMaximo)
        return std::nullopt;
    return valor;
}

std::optional<OrdenGrafica> LeeOrden(int argc, char **argv)
{
    OrdenGrafica orden;
    bool conSalida = false, conArchivo = false, conAncho = false, conAlto = false;
    for (int i = 1; i < argc; ++i) {
        const QString argumento = QString::fromLocal8Bit(argv[i]);
        const bool opcion = argumento == u"--grafica" || argumento == u"--ancho" || argumento == u"--alto";
        if (!opcion) {
            if (conArchivo || argumento.startsWith(u"--"))
                return std::nullopt;
            orden.archivo = argumento;
            conArchivo = true;
            continue;
        }
        if (i + 1 >= argc)
            return std::nullopt;
        const QString valor = QString::fromLocal8Bit(argv[++i]);
        if (argumento == u"--grafica") {
            if (conSalida || !FormatoDeRuta(valor))
                return std::nullopt;
            orden.salida = valor;
            conSalida = true;
        } else {
            bool &visto = argumento == u"--ancho" ? conAncho : conAlto;
            const std::optional<int> medida = lado(valor);
            if (visto || !medida)
                return std::nullopt;
            visto = true;
            if (argumento == u"--ancho")
                orden.tamano.setWidth(*medida);
            else
                orden.tamano.setHeight(*medida);
        }
    }
    if (!conSalida || !conArchivo)
        return std::nullopt;
    return orden;
}

int Ejecuta(const OrdenGrafica &orden)
{
    return CalculaEstudioOFalla(orden.archivo, [&orden](const Estudio &estudio) {
        const QChar separador = SeparadorDecimal();
        JuegoResultados juego;
        CalculaAnova(estudio, separador, juego);
        GuardaGrafica(orden.salida, ModeloDeGrafica(estudio, juego, separador), orden.tamano);
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
    const auto aplicacion = AplicacionSinPantalla(argc, argv);
    return Ejecuta(*orden);
}
