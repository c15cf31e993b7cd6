#include "LineaGrafica.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ReglasCaptura.h"
#include "core/motor/Anova.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/paginas/ArchivoGrafica.h"
#include "core/paginas/Grafica.h"

#include <QGuiApplication>

#include <cstdio>
#include <memory>
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
void escribeError(const QString &archivo, const QString &texto)
{
    const QByteArray utf8 = (archivo + QStringLiteral(": ") + texto).toUtf8() + '\n';
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stderr);
}

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
    try {
        // What the user has after opening the file and pressing the accept button.
        const Estudio estudio = EstudioAceptado(LeeArchivoEstudio(orden.archivo));
        if (const std::optional<FalloCaptura> fallo = RevisaConteos(estudio.econdicion, estudio.ereplica)) {
            escribeError(orden.archivo, fallo->mensaje);
            return 1;
        }
        const QChar separador = SeparadorDecimal();
        JuegoResultados juego;
        CalculaAnova(estudio, separador, juego);
        GuardaGrafica(orden.salida, ModeloDeGrafica(estudio, juego, separador), orden.tamano);
    } catch (const ErrorTolerancia &error) {
        escribeError(orden.archivo, error.texto());
        return 1;
    } catch (const std::exception &error) {
        escribeError(orden.archivo, QString::fromLocal8Bit(error.what()));
        return 1;
    }
    return 0;
}

} // namespace

int EjecutaGrafica(int argc, char **argv)
{
    const std::optional<OrdenGrafica> orden = LeeOrden(argc, argv);
    if (!orden) {
        std::fputs(uso, stderr);
        return 2;
    }
    // Fonts need a GUI application, but no screen.
    std::unique_ptr<QGuiApplication> aplicacion;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        aplicacion = std::make_unique<QGuiApplication>(argc, argv);
    }
    return Ejecuta(*orden);
}
