#include "PaginaPdf.h"

#include "capture/ReglasCaptura.h"
#include "print/LienzoImpresora.h"
#include "print/Uprint.h"
#include "print/Uprint1.h"
#include "shell/EstudioArchivo.h"
#include "stats/Conversiones.h"
#include "stats/Errores.h"
#include "stats/Uanova.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

const char *const uso =
    "Uso: tolerancia --pdf SALIDA.pdf --pagina informacion|resultados"
    " [--impresora laser|deskjet] ARCHIVO.w1e\n";

// The printers' resolution the page is drawn at.
constexpr int resolucionPdf = 600;
// What a laser printer leaves unprinted at each edge (a quarter inch); the
// page's positions start inside it, as on paper.
constexpr qreal margenPdfMm = 6.35;

struct OrdenPdf
{
    QString salida;
    bool resultados = false;
    bool laser = true;
    QString archivo;
};

void escribeError(const QString &texto)
{
    const QByteArray utf8 = texto.toUtf8() + '\n';
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stderr);
}

std::optional<OrdenPdf> LeeOrden(int argc, char **argv)
{
    OrdenPdf orden;
    bool conSalida = false;
    bool conPagina = false;
    bool conImpresora = false;
    bool conArchivo = false;
    for (int i = 1; i < argc; ++i) {
        const QString argumento = QString::fromLocal8Bit(argv[i]);
        const bool opcion = argumento == u"--pdf" || argumento == u"--pagina" || argumento == u"--impresora";
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
        if (argumento == u"--pdf") {
            if (conSalida || valor.isEmpty())
                return std::nullopt;
            orden.salida = valor;
            conSalida = true;
        } else if (argumento == u"--pagina") {
            if (conPagina || (valor != u"informacion" && valor != u"resultados"))
                return std::nullopt;
            orden.resultados = valor == u"resultados";
            conPagina = true;
        } else {
            if (conImpresora || (valor != u"laser" && valor != u"deskjet"))
                return std::nullopt;
            orden.laser = valor == u"laser";
            conImpresora = true;
        }
    }
    if (!conSalida || !conPagina || !conArchivo)
        return std::nullopt;
    return orden;
}

// Draws the page as the print run would, into a PDF file at `ruta`.
void DibujaPdf(const OrdenPdf &orden, const Estudio &estudio, const JuegoResultados &juego,
               const QString &ruta)
{
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setResolution(resolucionPdf);
    impresora.setPageOrientation(QPageLayout::Portrait);
    impresora.setPageMargins(QMarginsF(margenPdfMm, margenPdfMm, margenPdfMm, margenPdfMm),
                             QPageLayout::Millimeter);
    impresora.setOutputFileName(ruta);
    impresora.setCreator(QStringLiteral("Tolerancia del Método"));
    LienzoImpresora lienzo(impresora);
    if (orden.laser) {
        if (orden.resultados)
            ImprimeToleranciaLaser(lienzo, estudio, juego);
        else
            ImprimeInformacionLaser(lienzo, estudio);
    } else {
        if (orden.resultados)
            ImprimeToleranciaDeskJet(lienzo, estudio, juego.resultados);
        else
            ImprimeInformacionDeskJet(lienzo, estudio);
    }
}

// The PDF goes to a scratch file first and then whole into place, so a
// failure never leaves a half-written file under the asked name.
void GuardaPdf(const OrdenPdf &orden, const Estudio &estudio, const JuegoResultados &juego)
{
    // Renaming the finished file over a pipe or a device would replace it.
    const QFileInfo salida(orden.salida);
    if (salida.exists() && !salida.isFile())
        throw ErrorArchivo(
            QStringLiteral("No se puede guardar en «%1»: no es un archivo normal.").arg(orden.salida));
    QTemporaryFile borrador;
    if (!borrador.open())
        throw ErrorArchivo(QStringLiteral("No se pudo crear un archivo temporal: %1")
                               .arg(borrador.errorString()));
    borrador.close();
    DibujaPdf(orden, estudio, juego, borrador.fileName());

    QFile hecho(borrador.fileName());
    if (!hecho.open(QIODevice::ReadOnly))
        throw ErrorArchivo(QStringLiteral("No se pudo leer el PDF generado: %1").arg(hecho.errorString()));
    const QByteArray pdf = hecho.readAll();

    QSaveFile destino(orden.salida);
    if (!destino.open(QIODevice::WriteOnly) || destino.write(pdf) != pdf.size() || !destino.commit())
        throw ErrorArchivo(QStringLiteral("No se pudo escribir «%1»: %2")
                               .arg(orden.salida, destino.errorString()));
}

int Ejecuta(const OrdenPdf &orden)
{
    try {
        // What the user has after opening the file and pressing the accept button.
        const Estudio estudio = EstudioAceptado(LeeArchivoEstudio(orden.archivo));
        if (const std::optional<FalloCaptura> fallo =
                RevisaConteos(estudio.econdicion, estudio.ereplica)) {
            escribeError(fallo->mensaje);
            return 1;
        }
        JuegoResultados juego;
        if (orden.resultados)
            CalculaAnova(estudio, SeparadorDecimal(), juego);
        GuardaPdf(orden, estudio, juego);
    } catch (const ErrorTolerancia &error) {
        escribeError(error.texto());
        return 1;
    } catch (const std::exception &error) {
        escribeError(QString::fromLocal8Bit(error.what()));
        return 1;
    }
    return 0;
}

} // namespace

int EjecutaPdf(int argc, char **argv)
{
    const std::optional<OrdenPdf> orden = LeeOrden(argc, argv);
    if (!orden) {
        std::fputs(uso, stderr);
        return 2;
    }
    // Fonts need a GUI application, but no screen: without a platform of
    // its own choosing the command runs on the offscreen one.
    std::unique_ptr<QGuiApplication> aplicacion;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        aplicacion = std::make_unique<QGuiApplication>(argc, argv);
    }
    return Ejecuta(*orden);
}
