#include "LineaComandos.h"

#include "EstudioDeLinea.h"
#include "LineaGrafica.h"
#include "LineaPrecision.h"
#include "LineaVerificacion.h"
#include "LineaRegistro.h"
#include "PaginaPdf.h"
#include "core/estudio/ArchivoRegistro.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/informe/Informe.h"
#include "core/informe/TextoDunnett.h"
#include "core/informe/TextoSupuestos.h"
#include "core/motor/Conversiones.h"
#include "core/motor/ResultadosJson.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>

namespace {

const char *const uso =
    "Uso: tolerancia --informe ARCHIVO.w1e\n"
    "     tolerancia --supuestos ARCHIVO.w1e\n"
    "     tolerancia --json ARCHIVO.w1e [--limite X|X%] [--der-maxima Y] [--bonferroni]\n"
    "     tolerancia --dunnett ARCHIVO.w1e [--control N]\n"
    "     tolerancia --pdf SALIDA.pdf --pagina informacion|resultados"
    " [--impresora laser|deskjet] ARCHIVO.w1e\n"
    "     tolerancia --grafica SALIDA.png|svg|pdf ARCHIVO.w1e [--ancho PX] [--alto PX] [--limite X|X%]\n"
    "     tolerancia --precision ARCHIVO.w1e [--limite X|X%] [--der-maxima Y] [--bonferroni]\n"
    "     tolerancia --verificar [--pdf SALIDA.pdf]\n"
    "     tolerancia --registro ARCHIVO.w1e\n"
    "     tolerancia --firmar ARCHIVO.w1e --nombre \"NOMBRE\" --significado realizado|revisado|aprobado\n";

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
    EscribeError(ruta, mensaje.arg(TextoSistema(qt_error_string(errno))));
    return 1;
}

// A command that writes what it calculates from the study to stdout: it
// fails when the study does not calculate or the output did not take it.
int escribeEstudio(const QString &ruta, const std::function<void(const Estudio &)> &escribe,
                   const QString &mensaje)
{
    return CalculaEstudioOFalla(ruta, escribe) == 0 ? compruebaSalida(ruta, mensaje) : 1;
}

// What a user gets who opens the file, presses the accept button and
// chooses "&Informe".
int informe(const QString &ruta)
{
    return escribeEstudio(ruta, [](const Estudio &estudio) {
        ComponeInforme(estudio, SeparadorDecimal(), [](const QString &linea) { EscribeLinea(stdout, linea); });
    }, QStringLiteral("No se pudo escribir el informe en la salida estándar: %1"));
}

// The content of the "Supuestos del análisis" window.
int supuestos(const QString &ruta)
{
    return escribeEstudio(ruta, [](const Estudio &estudio) {
        const QChar separador = SeparadorDecimal();
        for (const QString &linea : LineasSupuestos(CalculaSupuestos(estudio, separador), separador))
            EscribeLinea(stdout, linea);
    }, QStringLiteral("No se pudieron escribir los supuestos en la salida estándar: %1"));
}

// Every result as one JSON document, with the file's fingerprint and the
// signatures its register holds, and the equivalence of its levels when
// criteria are given; a study that cannot be calculated gives a document
// with its message in "error".
int json(const QString &ruta, const std::optional<CriteriosEquivalencia> &criterios)
{
    QJsonObject documento;
    const bool hecho = CalculaEstudioConHuella(ruta, [&documento, &ruta, &criterios](const Estudio &estudio, const Huella &huella) {
        documento = ResultadosJson(estudio, SeparadorDecimal(), huella, VerificaRegistroDe(ruta, huella).firmas,
                                   criterios);
    }, [&documento, &ruta](const QString &mensaje) {
        documento = ErrorJson(mensaje);
        EscribeError(ruta, mensaje);
    });
    const QByteArray texto = TextoJson(documento);
    std::fwrite(texto.constData(), 1, static_cast<std::size_t>(texto.size()), stdout);
    const int escrito = compruebaSalida(ruta,
        QStringLiteral("No se pudo escribir el documento JSON en la salida estándar: %1"));
    return hecho ? escrito : 1;
}

// Each level compared with FAM `control`, as the "t de Dunnett" window
// lists it. A control the study does not have is a usage error.
int dunnett(const QString &ruta, int control)
{
    bool fueraDelEstudio = false;
    const bool hecho = CalculaEstudioOFalla(ruta, [&](const Estudio &estudio) {
        const int k = EnteroDeTexto(estudio.numeroFam);
        if (control > k) {
            EscribeError(ruta, QStringLiteral("El FAM de control debe estar entre 1 y %1: el estudio tiene %1 FAM.")
                                   .arg(k));
            fueraDelEstudio = true;
            return;
        }
        ComponeDunnett(estudio, SeparadorDecimal(), control,
                       [](const QString &linea) { EscribeLinea(stdout, linea); });
    }) == 0;
    if (!hecho)
        return 1;
    if (fueraDelEstudio)
        return 2;
    return compruebaSalida(ruta,
        QStringLiteral("No se pudieron escribir las comparaciones en la salida estándar: %1"));
}

} // namespace

bool EsLineaComandos(int argc, char **argv)
{
    return argc >= 2 && std::strncmp(argv[1], "--", 2) == 0;
}

int EjecutaLineaComandos(int argc, char **argv)
{
    if (EsVerificacion(argc, argv))
        return EjecutaVerificacion(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--pdf") == 0)
        return EjecutaPdf(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--grafica") == 0)
        return EjecutaGrafica(argc, argv);
    if (EsLineaRegistro(argc, argv))
        return EjecutaLineaRegistro(argc, argv);
    if (std::strcmp(argv[1], "--informe") == 0 && argc == 3)
        return informe(QString::fromLocal8Bit(argv[2]));
    if (std::strcmp(argv[1], "--supuestos") == 0 && argc == 3)
        return supuestos(QString::fromLocal8Bit(argv[2]));
    if (std::strcmp(argv[1], "--precision") == 0)
        return EjecutaPrecision(argc, argv);
    if (std::strcmp(argv[1], "--json") == 0) {
        if (const std::optional<OrdenPrecision> orden = LeeOrdenPrecision(argc, argv, 2)) {
            if (!orden->error.isEmpty()) {
                EscribeLinea(stderr, orden->error);
                return 2;
            }
            return json(orden->archivo, orden->criterios);
        }
    }
    if (std::strcmp(argv[1], "--dunnett") == 0) {
        // The file and, before or after it, an optional "--control N".
        const auto argumentos = LeeArgumentos(argc, argv, 2, {QStringLiteral("--control")});
        if (argumentos && argumentos->archivo && !argumentos->archivo->isEmpty()) {
            const QString texto = argumentos->valores.value(QStringLiteral("--control"), QStringLiteral("1"));
            bool entero = false;
            const int control = texto.toInt(&entero);
            if (!entero || control < 1 || control > 5) {
                EscribeLinea(stderr, QStringLiteral("El FAM de control «%1» no es válido: debe ser un número entero de 1 a 5.")
                                    .arg(texto));
                return 2;
            }
            return dunnett(*argumentos->archivo, control);
        }
    }
    std::fputs(uso, stderr);
    return 2;
}
