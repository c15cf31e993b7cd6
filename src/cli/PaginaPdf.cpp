#include "PaginaPdf.h"

#include "EstudioDeLinea.h"
#include "core/estudio/ArchivoRegistro.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/motor/Anova.h"
#include "core/motor/Conversiones.h"
#include "core/paginas/Hoja.h"
#include "core/paginas/PaginasImpresora.h"
#include "impresion/LienzoImpresora.h"

#include <QBuffer>
#include <QPdfWriter>

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

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

std::optional<OrdenPdf> LeeOrden(int argc, char **argv)
{
    const std::optional<Argumentos> argumentos =
        LeeArgumentos(argc, argv, 1, {u"--pdf"_s, u"--pagina"_s, u"--impresora"_s});
    if (!argumentos || !argumentos->archivo)
        return std::nullopt;
    const QString salida = argumentos->valores.value(u"--pdf"_s);
    const QString pagina = argumentos->valores.value(u"--pagina"_s);
    const QString impresora = argumentos->valores.value(u"--impresora"_s, u"laser"_s);
    if (salida.isEmpty() || (pagina != u"informacion" && pagina != u"resultados")
        || (impresora != u"laser" && impresora != u"deskjet"))
        return std::nullopt;
    return OrdenPdf{salida, pagina == u"resultados", impresora == u"laser", *argumentos->archivo};
}

// The page as the print run draws it, at the resolution of its layout, as
// the bytes of a PDF document. Drawn in memory, so that nothing is written
// until the page is whole.
QByteArray DibujaPdf(const OrdenPdf &orden, const Estudio &estudio, const ResultadosAnova &resultados,
                     const QStringList &margen)
{
    QBuffer documento;
    documento.open(QIODevice::WriteOnly);
    {
        const PaginasImpresora &paginas = orden.laser ? PaginasDeLaser : PaginasDeTinta;
        QPdfWriter pdf(&documento);
        pdf.setResolution(paginas.resolucion);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(margenPdfMm, margenPdfMm, margenPdfMm, margenPdfMm),
                                      QPageLayout::Millimeter));
        pdf.setCreator(QStringLiteral("Tolerancia del Método"));
        LienzoImpresora lienzo(pdf);
        DibujaPagina(paginas, lienzo, estudio, orden.resultados, resultados, margen);
    }
    return documento.data();
}

// The page carries the file's fingerprint and the valid signatures of its
// register in its margin.
int Ejecuta(const OrdenPdf &orden)
{
    const bool hecho = CalculaEstudioConHuella(orden.archivo, [&orden](const Estudio &estudio, const Huella &huella) {
        const ResultadosAnova resultados =
            orden.resultados ? CalculaAnova(estudio, SeparadorDecimal()) : ResultadosAnova();
        const QStringList margen = LineasMargen(huella, VerificaRegistroDe(orden.archivo, huella).firmas);
        EscribeArchivo(orden.salida, DibujaPdf(orden, estudio, resultados, margen));
    }, [&orden](const QString &mensaje) { EscribeError(orden.archivo, mensaje); });
    return hecho ? 0 : 1;
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
