#include "SalidasTexto.h"

#include "LineaPrecision.h"
#include "core/estudio/ArchivoRegistro.h"
#include "core/informe/Informe.h"
#include "core/informe/TextoDunnett.h"
#include "core/informe/TextoSupuestos.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Mensajes.h"
#include "core/motor/ResultadosJson.h"

#include <cstdio>

namespace {

// A command that writes what it calculates from the study to stdout: it
// fails when the study does not calculate or the output did not take it.
int escribeEstudio(const QString &ruta, const std::function<void(const Estudio &)> &escribe,
                   const QString &mensaje)
{
    return CalculaEstudioOFalla(ruta, escribe) == 0 ? CompruebaSalida(ruta, mensaje) : 1;
}

} // namespace

// What a user gets who opens the file, presses the accept button and
// chooses "&Informe".
int EjecutaInforme(const ArgumentosOrden &argumentos)
{
    return escribeEstudio(argumentos.archivo, [](const Estudio &estudio) {
        ComponeInforme(estudio, SeparadorDecimal(), [](const QString &linea) { EscribeLinea(stdout, linea); });
    }, TextoDe(Mensaje::informeNoSeEscribe));
}

int EjecutaSupuestos(const ArgumentosOrden &argumentos)
{
    return escribeEstudio(argumentos.archivo, [](const Estudio &estudio) {
        const QChar separador = SeparadorDecimal();
        for (const QString &linea : LineasSupuestos(CalculaSupuestos(estudio, separador), separador))
            EscribeLinea(stdout, linea);
    }, TextoDe(Mensaje::supuestosNoSeEscriben));
}

// With the file's fingerprint and the signatures its register holds, and
// the equivalence of its levels when criteria are given; a study that
// cannot be calculated gives a document with its message in "error".
int EjecutaJson(const ArgumentosOrden &argumentos)
{
    std::optional<CriteriosEquivalencia> criterios;
    if (!LeeCriterios(argumentos, criterios))
        return 2;
    const QString &ruta = argumentos.archivo;
    QJsonObject documento;
    const bool hecho = CalculaEstudioConHuella(ruta, [&](const Estudio &estudio, const Huella &huella) {
        documento = ResultadosJson(estudio, SeparadorDecimal(), huella, VerificaRegistroDe(ruta, huella).firmas,
                                   criterios);
    }, [&documento, &ruta](const QString &mensaje) {
        documento = ErrorJson(mensaje);
        EscribeError(ruta, mensaje);
    });
    const QByteArray texto = TextoJson(documento);
    std::fwrite(texto.constData(), 1, static_cast<std::size_t>(texto.size()), stdout);
    const int escrito = CompruebaSalida(ruta,
        TextoDe(Mensaje::jsonNoSeEscribe));
    return hecho ? escrito : 1;
}

// A control the study does not have is a usage error.
int EjecutaDunnett(const ArgumentosOrden &argumentos)
{
    const QString &ruta = argumentos.archivo;
    const QString texto = argumentos.valor(QStringLiteral("--control"), QStringLiteral("1"));
    bool entero = false;
    const int control = texto.toInt(&entero);
    if (!entero || control < 1 || control > 5) {
        EscribeLinea(stderr, TextoDe(Mensaje::controlNoValido).arg(texto));
        return 2;
    }
    bool fueraDelEstudio = false;
    const bool hecho = CalculaEstudioOFalla(ruta, [&](const Estudio &estudio) {
        const int k = EnteroDeTexto(estudio.numeroFam);
        if (control > k) {
            EscribeError(ruta, TextoDe(Mensaje::controlFueraDelEstudio).arg(k));
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
    return CompruebaSalida(ruta,
        TextoDe(Mensaje::comparacionesNoSeEscriben));
}
