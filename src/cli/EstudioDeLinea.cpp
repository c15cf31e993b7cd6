#include "EstudioDeLinea.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/estudio/ReglasCaptura.h"
#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <optional>

int UsoIncorrecto(const ArgumentosOrden &argumentos)
{
    EscribeLinea(stderr, argumentos.uso);
    return 2;
}

void EscribeLinea(std::FILE *flujo, const QString &texto)
{
    const QByteArray utf8 = texto.toUtf8() + '\n';
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), flujo);
}

void EscribeError(const QString &ruta, const QString &texto)
{
    std::fflush(stdout);
    EscribeLinea(stderr, ruta + QStringLiteral(": ") + texto);
}

int CompruebaSalida(const QString &ruta, const QString &mensaje)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    EscribeError(ruta, mensaje.arg(TextoSistema(qt_error_string(errno))));
    return 1;
}

bool CalculaEstudio(const QString &ruta, const std::function<void(const Estudio &)> &calcula,
                    const std::function<void(const QString &)> &falla)
{
    return CalculaEstudioConHuella(ruta, [&calcula](const Estudio &estudio, const Huella &) { calcula(estudio); },
                                   falla);
}

bool CalculaEstudioConHuella(const QString &ruta,
                             const std::function<void(const Estudio &, const Huella &)> &calcula,
                             const std::function<void(const QString &)> &falla)
{
    try {
        // Read once: the fingerprint is of the very bytes calculated.
        const QByteArray bytes = LeeBytesEstudio(ruta);
        const Estudio estudio = EstudioAceptado(LeeEstudio(bytes));
        if (const std::optional<FalloCaptura> fallo =
                RevisaConteos(estudio.numeroFam, estudio.numeroMuestras)) {
            falla(fallo->mensaje);
            return false;
        }
        calcula(estudio, HuellaDe(bytes));
        return true;
    } catch (const ErrorTolerancia &error) {
        falla(error.texto());
    } catch (const std::exception &) {
        // A library's own text is English and no help to the user.
        falla(TextoDe(Mensaje::errorDeCalculo));
    }
    return false;
}

int CalculaEstudioOFalla(const QString &ruta, const std::function<void(const Estudio &)> &calcula)
{
    const bool hecho =
        CalculaEstudio(ruta, calcula, [&ruta](const QString &mensaje) { EscribeError(ruta, mensaje); });
    return hecho ? 0 : 1;
}

std::unique_ptr<QGuiApplication> AplicacionSinPantalla(const ArgumentosOrden &argumentos)
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(*argumentos.argc, argumentos.argv);
}
