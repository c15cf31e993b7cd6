#include "LineaRegistro.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ArchivoRegistro.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/estudio/FlujoRegistro.h"
#include "core/informe/TextoRegistro.h"
#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <cerrno>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

std::optional<Significado> significadoDe(const QString &clave)
{
    for (const Significado s : {Significado::realizado, Significado::revisado, Significado::aprobado})
        if (ClaveSignificado(s) == clave)
            return s;
    return std::nullopt;
}

// The trail on the standard output; what is wrong also on the error output,
// each line after the study's name, so that a batch tells which study.
int registro(const QString &ruta)
{
    try {
        const Huella estudio = HuellaDe(LeeBytesEstudio(ruta));
        const VeredictoRegistro veredicto = VerificaRegistroDe(ruta, estudio);
        for (const QString &linea : LineasRegistro(veredicto, ruta))
            EscribeLinea(stdout, linea);
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            EscribeError(ruta, TextoDe(Mensaje::registroNoSeEscribe).arg(TextoSistema(qt_error_string(errno))));
            return 1;
        }
        if (veredicto.correcto())
            return 0;
        for (const AvisoRegistro &aviso : AvisosRegistro(veredicto, ruta))
            EscribeError(ruta, aviso.texto);
        return 1;
    } catch (const ErrorTolerancia &error) {
        EscribeError(ruta, error.texto());
        return 1;
    }
}

// The signature binds the bytes read here: a study that changes before the
// register is locked is refused as one changed outside the program.
int firma(const QString &ruta, const QString &nombre, Significado significado)
{
    try {
        const ContextoEntrada contexto = ContextoActual();
        const Huella estudio = HuellaDe(LeeBytesEstudio(ruta));
        FirmaEstudio(ruta, contexto, nombre, significado, estudio);
        EscribeLinea(stdout, QStringLiteral("Firma anotada en «%1»: %2 %3 (%4), %5, SHA-256 %6.")
                                 .arg(RutaRegistro(ruta), TextoSignificado(significado), nombre.trimmed(),
                                      contexto.autor.cuenta, TextoMomento(contexto), estudio.sha256));
        return 0;
    } catch (const ErrorTolerancia &error) {
        EscribeError(ruta, error.texto());
        return 1;
    }
}

} // namespace

int EjecutaRegistro(const ArgumentosOrden &argumentos)
{
    if (argumentos.archivo.isEmpty())
        return UsoIncorrecto(argumentos);
    return registro(argumentos.archivo);
}

int EjecutaFirma(const ArgumentosOrden &argumentos)
{
    if (argumentos.archivo.isEmpty())
        return UsoIncorrecto(argumentos);
    const QString clave = argumentos.valor(u"--significado"_s);
    const std::optional<Significado> significado = significadoDe(clave);
    if (!significado) {
        EscribeLinea(stderr, TextoDe(Mensaje::significadoNoValido).arg(clave));
        return 2;
    }
    const QString nombre = argumentos.valor(u"--nombre"_s);
    try {
        RevisaFirmante(nombre);
    } catch (const ErrorRegistro &error) {
        EscribeLinea(stderr, error.texto());
        return 2;
    }
    return firma(argumentos.archivo, nombre, *significado);
}
