#include "LineaRegistro.h"

#include "EstudioDeLinea.h"
#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ArchivoRegistro.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/informe/TextoRegistro.h"
#include "core/motor/Errores.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const char *const usoRegistro = "Uso: tolerancia --registro ARCHIVO.w1e\n";
const char *const usoFirma =
    "Uso: tolerancia --firmar ARCHIVO.w1e --nombre \"NOMBRE\" --significado realizado|revisado|aprobado\n";

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
            EscribeError(ruta, QStringLiteral("No se pudo escribir el registro de cambios en la salida "
                                              "estándar: %1").arg(TextoSistema(qt_error_string(errno))));
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

int ordenFirma(int argc, char **argv)
{
    const std::optional<Argumentos> argumentos =
        LeeArgumentos(argc, argv, 2, {u"--nombre"_s, u"--significado"_s});
    if (!argumentos || !argumentos->archivo || argumentos->archivo->isEmpty()
        || !argumentos->valores.contains(u"--nombre"_s) || !argumentos->valores.contains(u"--significado"_s)) {
        std::fputs(usoFirma, stderr);
        return 2;
    }
    const QString clave = argumentos->valores.value(u"--significado"_s);
    const std::optional<Significado> significado = significadoDe(clave);
    if (!significado) {
        EscribeLinea(stderr, QStringLiteral("El significado «%1» no es válido: debe ser realizado, revisado o "
                                            "aprobado.").arg(clave));
        return 2;
    }
    const QString nombre = argumentos->valores.value(u"--nombre"_s);
    try {
        RevisaFirmante(nombre);
    } catch (const ErrorRegistro &error) {
        EscribeLinea(stderr, error.texto());
        return 2;
    }
    return firma(*argumentos->archivo, nombre, *significado);
}

} // namespace

bool EsLineaRegistro(int argc, char **argv)
{
    return argc >= 2 && (std::strcmp(argv[1], "--registro") == 0 || std::strcmp(argv[1], "--firmar") == 0);
}

int EjecutaLineaRegistro(int argc, char **argv)
{
    if (std::strcmp(argv[1], "--firmar") == 0)
        return ordenFirma(argc, argv);
    if (argc != 3 || argv[2][0] == '\0' || std::strncmp(argv[2], "--", 2) == 0) {
        std::fputs(usoRegistro, stderr);
        return 2;
    }
    return registro(QString::fromLocal8Bit(argv[2]));
}
