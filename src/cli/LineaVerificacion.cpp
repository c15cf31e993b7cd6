#include "LineaVerificacion.h"

#include "EstudioDeLinea.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/verificacion/DocumentoVerificacion.h"
#include "gui/LienzoImpresora.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const char *const uso = "Uso: tolerancia --verificar [--pdf SALIDA.pdf]\n";


// The PDF file, when one was asked for; nothing for a wrong command line.
std::optional<std::optional<QString>> LeeOrden(int argc, char **argv)
{
    std::optional<QString> pdf;
    bool verificar = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--verificar") == 0 && !verificar)
            verificar = true;
        else if (std::strcmp(argv[i], "--pdf") == 0 && !pdf && i + 1 < argc && *argv[i + 1])
            pdf = QString::fromLocal8Bit(argv[++i]);
        else
            return std::nullopt;
    }
    return pdf;
}

} // namespace

bool EsVerificacion(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--verificar") == 0)
            return true;
    return false;
}

int EjecutaVerificacion(int argc, char **argv)
{
    const auto orden = LeeOrden(argc, argv);
    if (!orden) {
        std::fputs(uso, stderr);
        return 2;
    }
    const auto aplicacion = AplicacionSinPantalla(argc, argv);
    const EntornoVerificacion entorno = EntornoActual(QCoreApplication::applicationFilePath());
    QList<Comprobacion> comprobaciones;
    try {
        comprobaciones = VerificaPrograma();
    } catch (const ErrorTolerancia &error) {
        EscribeLinea(stderr, error.texto());
        return 1;
    }
    return InformaVerificacion(entorno, comprobaciones, *orden);
}

int InformaVerificacion(const EntornoVerificacion &entorno, const QList<Comprobacion> &comprobaciones,
                        const std::optional<QString> &pdf)
{
    for (const QString &linea : LineasVerificacion(entorno, comprobaciones))
        EscribeLinea(stdout, linea);
    int codigo = TodasPasan(comprobaciones) ? 0 : 1;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        EscribeLinea(stderr, u"No se pudo escribir la verificación en la salida estándar: %1"_s
                                 .arg(TextoSistema(qt_error_string(errno))));
        codigo = 1;
    }
    if (pdf) {
        try {
            const QMarginsF margenes(MargenVerificacionMm, MargenVerificacionMm, MargenVerificacionMm,
                                     MargenVerificacionMm);
            EscribeArchivo(*pdf, DocumentoPdf(ResolucionVerificacion, margenes, TituloVerificacion,
                                                 [&](Lienzo &lienzo) {
                                                     ImprimeVerificacion(lienzo, entorno, comprobaciones);
                                                 }));
        } catch (const ErrorTolerancia &error) {
            EscribeError(*pdf, error.texto());
            codigo = 1;
        }
    }
    return codigo;
}
