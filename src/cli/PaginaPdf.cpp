#include "PaginaPdf.h"

#include "EstudioDeLinea.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/motor/Anova.h"
#include "core/motor/Conversiones.h"
#include "core/paginas/PaginasLaser.h"
#include "core/paginas/PaginasTinta.h"
#include "gui/LienzoImpresora.h"

#include <QBuffer>
#include <QPdfWriter>

#include <cstdio>
#include <optional>

namespace {

const char *const uso =
    "Uso: tolerancia --pdf SALIDA.pdf --pagina informacion|resultados"
    " [--impresora laser|deskjet] ARCHIVO.w1e\n";

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

// A batch over many studies must tell which one failed.

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

// The page as the print run draws it, at the resolution of its layout, as
// the bytes of a PDF document. Drawn in memory, so that nothing is written
// until the page is whole.
QByteArray DibujaPdf(const OrdenPdf &orden, const Estudio &estudio, const JuegoResultados &juego)
{
    QBuffer documento;
    documento.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&documento);
        pdf.setResolution(orden.laser ? ResolucionLaser : ResolucionDeskJet);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(margenPdfMm, margenPdfMm, margenPdfMm, margenPdfMm),
                                      QPageLayout::Millimeter));
        pdf.setCreator(QStringLiteral("Tolerancia del Método"));
        LienzoImpresora lienzo(pdf);
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
    return documento.data();
}

int Ejecuta(const OrdenPdf &orden)
{
    return CalculaEstudioOFalla(orden.archivo, [&orden](const Estudio &estudio) {
        JuegoResultados juego;
        if (orden.resultados)
            CalculaAnova(estudio, SeparadorDecimal(), juego);
        EscribeArchivo(orden.salida, DibujaPdf(orden, estudio, juego));
    });
}

} // namespace

int EjecutaPdf(int argc, char **argv)
{
    const std::optional<OrdenPdf> orden = LeeOrden(argc, argv);
    if (!orden) {
        std::fputs(uso, stderr);
        return 2;
    }
    const auto aplicacion = AplicacionSinPantalla(argc, argv);
    return Ejecuta(*orden);
}
