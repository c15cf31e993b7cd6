#include "LineaVerificacion.h"

#include "core/estudio/ArchivosSistema.h"
#include "core/motor/Mensajes.h"
#include "core/verificacion/DocumentoVerificacion.h"
#include "impresion/LienzoImpresora.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

int EjecutaVerificacion(const ArgumentosOrden &argumentos)
{
    std::optional<QString> pdf;
    if (argumentos.tiene(u"--pdf"_s)) {
        // An empty name is no file to write.
        pdf = argumentos.valor(u"--pdf"_s);
        if (pdf->isEmpty())
            return UsoIncorrecto(argumentos);
    }
    const auto aplicacion = AplicacionSinPantalla(argumentos);
    const EntornoVerificacion entorno = EntornoActual(QCoreApplication::applicationFilePath());
    QList<Comprobacion> comprobaciones;
    try {
        comprobaciones = VerificaPrograma();
    } catch (const ErrorTolerancia &error) {
        EscribeLinea(stderr, error.texto());
        return 1;
    }
    return InformaVerificacion(entorno, comprobaciones, pdf);
}

int InformaVerificacion(const EntornoVerificacion &entorno, const QList<Comprobacion> &comprobaciones,
                        const std::optional<QString> &pdf)
{
    for (const QString &linea : LineasVerificacion(entorno, comprobaciones))
        EscribeLinea(stdout, linea);
    int codigo = TodasPasan(comprobaciones) ? 0 : 1;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        EscribeLinea(stderr, TextoDe(Mensaje::verificacionNoSeEscribe).arg(TextoSistema(qt_error_string(errno))));
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
