#include "LineaComandos.h"

#include "LineaGrafica.h"
#include "PaginaPdf.h"
#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/estudio/ReglasCaptura.h"
#include "core/informe/Informe.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/ResultadosJson.h"
#include "core/motor/Supuestos.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>

namespace {

const char *const uso =
    "Uso: tolerancia --informe ARCHIVO.w1e\n"
    "     tolerancia --supuestos ARCHIVO.w1e\n"
    "     tolerancia --json ARCHIVO.w1e\n"
    "     tolerancia --pdf SALIDA.pdf --pagina informacion|resultados"
    " [--impresora laser|deskjet] ARCHIVO.w1e\n"
    "     tolerancia --grafica SALIDA.png|svg|pdf ARCHIVO.w1e [--ancho PX] [--alto PX]\n";

void escribe(std::FILE *flujo, const QString &texto)
{
    const QByteArray utf8 = texto.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), flujo);
    std::fputc('\n', flujo);
}

// A batch over many studies must tell which one failed.
void escribeError(const QString &ruta, const QString &texto)
{
    escribe(stderr, ruta + QStringLiteral(": ") + texto);
}

bool salidaCompleta()
{
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

// Stdout may be a full disk or a closed pipe: a result that did not reach
// it must not end as a success. `mensaje` takes the system's reason as %1.
int compruebaSalida(const QString &ruta, const QString &mensaje)
{
    if (salidaCompleta())
        return 0;
    escribeError(ruta, mensaje.arg(TextoSistema(qt_error_string(errno))));
    return 1;
}

// Reads the study as "&Abrir..." and the accept button leave it, checks its
// counts as the "&Cálculos" commands do and hands it to `calcula`. Any
// refusal or error reaches `falla` with the program's message; returns
// whether the study was calculated.
bool calculaEstudio(const QString &ruta, const std::function<void(const Estudio &)> &calcula,
                    const std::function<void(const QString &)> &falla)
{
    try {
        const Estudio estudio = EstudioAceptado(LeeArchivoEstudio(ruta));
        if (const std::optional<FalloCaptura> fallo =
                RevisaConteos(estudio.econdicion, estudio.ereplica)) {
            falla(fallo->mensaje);
            return false;
        }
        calcula(estudio);
        return true;
    } catch (const ErrorTolerancia &error) {
        falla(error.texto());
    } catch (const std::exception &error) {
        falla(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

std::function<void(const QString &)> fallaEnStderr(const QString &ruta)
{
    return [ruta](const QString &mensaje) {
        std::fflush(stdout);
        escribeError(ruta, mensaje);
    };
}

// What a user gets who opens the file, presses the accept button and
// chooses "&Informe".
int informe(const QString &ruta)
{
    const bool hecho = calculaEstudio(ruta, [](const Estudio &estudio) {
        JuegoResultados juego;
        ComponeInforme(estudio, SeparadorDecimal(), juego,
                       [](const QString &linea) { escribe(stdout, linea); });
    }, fallaEnStderr(ruta));
    return hecho ? compruebaSalida(ruta,
                       QStringLiteral("No se pudo escribir el informe en la salida estándar: %1"))
                 : 1;
}

// The content of the "Supuestos del análisis" window.
int supuestos(const QString &ruta)
{
    const bool hecho = calculaEstudio(ruta, [](const Estudio &estudio) {
        const QChar separador = SeparadorDecimal();
        for (const QString &linea : LineasSupuestos(CalculaSupuestos(estudio, separador), separador))
            escribe(stdout, linea);
    }, fallaEnStderr(ruta));
    return hecho ? compruebaSalida(ruta,
                       QStringLiteral("No se pudieron escribir los supuestos en la salida estándar: %1"))
                 : 1;
}

// Every result as one JSON document; a study that cannot be calculated
// gives a document with its message in "error".
int json(const QString &ruta)
{
    QJsonObject documento;
    const bool hecho = calculaEstudio(ruta, [&documento](const Estudio &estudio) {
        documento = ResultadosJson(estudio, SeparadorDecimal());
    }, [&documento, &ruta](const QString &mensaje) {
        documento = ErrorJson(mensaje);
        escribeError(ruta, mensaje);
    });
    const QByteArray texto = TextoJson(documento);
    std::fwrite(texto.constData(), 1, static_cast<std::size_t>(texto.size()), stdout);
    const int escrito = compruebaSalida(ruta,
        QStringLiteral("No se pudo escribir el documento JSON en la salida estándar: %1"));
    return hecho ? escrito : 1;
}

} // namespace

bool EsLineaComandos(int argc, char **argv)
{
    return argc >= 2 && std::strncmp(argv[1], "--", 2) == 0;
}

int EjecutaLineaComandos(int argc, char **argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--pdf") == 0)
        return EjecutaPdf(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--grafica") == 0)
        return EjecutaGrafica(argc, argv);
    if (std::strcmp(argv[1], "--informe") == 0 && argc == 3)
        return informe(QString::fromLocal8Bit(argv[2]));
    if (std::strcmp(argv[1], "--supuestos") == 0 && argc == 3)
        return supuestos(QString::fromLocal8Bit(argv[2]));
    if (std::strcmp(argv[1], "--json") == 0 && argc == 3)
        return json(QString::fromLocal8Bit(argv[2]));
    std::fputs(uso, stderr);
    return 2;
}
