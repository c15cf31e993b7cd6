#include "SalidasArchivo.h"

#include "core/estudio/ArchivoRegistro.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/motor/Anova.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Equivalencia.h"
#include "core/motor/Errores.h"
#include "core/paginas/ArchivoGrafica.h"
#include "core/paginas/Grafica.h"
#include "core/paginas/Hoja.h"
#include "core/paginas/PaginasImpresora.h"
#include "impresion/LienzoImpresora.h"

#include <QBuffer>
#include <QPdfWriter>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// What a laser printer leaves unprinted at each edge (a quarter inch); the
// page's positions start inside it, as on paper.
constexpr qreal margenPdfMm = 6.35;

// Beyond these a picture is useless or too big to hold in memory.
constexpr int ladoMinimo = 200;
constexpr int ladoMaximo = 8000;

// The page as the print run draws it, at the resolution of its layout, as
// the bytes of a PDF document. Drawn in memory, so that nothing is written
// until the page is whole.
QByteArray dibujaPdf(const PaginasImpresora &paginas, bool pideResultados, const Estudio &estudio,
                     const ResultadosAnova &resultados, const QStringList &margen)
{
    QBuffer documento;
    documento.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&documento);
        pdf.setResolution(paginas.resolucion);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(margenPdfMm, margenPdfMm, margenPdfMm, margenPdfMm),
                                      QPageLayout::Millimeter));
        pdf.setCreator(QStringLiteral("Tolerancia del Método"));
        LienzoImpresora lienzo(pdf);
        DibujaPagina(paginas, lienzo, estudio, pideResultados, resultados, margen);
    }
    return documento.data();
}

// The side the option `nombre` gives, `porOmision` when it is not given.
std::optional<int> lado(const ArgumentosOrden &argumentos, const QString &nombre, int porOmision)
{
    if (!argumentos.tiene(nombre))
        return porOmision;
    bool bien = false;
    const int valor = argumentos.valor(nombre).toInt(&bien);
    if (!bien || valor < ladoMinimo || valor > ladoMaximo)
        return std::nullopt;
    return valor;
}

} // namespace

// The page carries the file's fingerprint and the valid signatures of its
// register in its margin.
int EjecutaPdf(const ArgumentosOrden &argumentos)
{
    const QString &ruta = argumentos.archivo;
    const QString salida = argumentos.valor(u"--pdf"_s);
    const bool pideResultados = argumentos.valor(u"--pagina"_s) == u"resultados";
    const PaginasImpresora &paginas =
        argumentos.valor(u"--impresora"_s, u"laser"_s) == u"laser" ? PaginasDeLaser : PaginasDeTinta;
    const auto aplicacion = AplicacionSinPantalla(argumentos);
    const bool hecho = CalculaEstudioConHuella(ruta, [&](const Estudio &estudio, const Huella &huella) {
        const ResultadosAnova resultados =
            pideResultados ? CalculaAnova(estudio, SeparadorDecimal()) : ResultadosAnova();
        const QStringList margen = LineasMargen(huella, VerificaRegistroDe(ruta, huella).firmas);
        EscribeArchivo(salida, dibujaPdf(paginas, pideResultados, estudio, resultados, margen));
    }, [&ruta](const QString &mensaje) { EscribeError(ruta, mensaje); });
    return hecho ? 0 : 1;
}

int EjecutaGrafica(const ArgumentosOrden &argumentos)
{
    const QString salida = argumentos.valor(u"--grafica"_s);
    const std::optional<int> ancho = lado(argumentos, u"--ancho"_s, TamanoGrafica.width());
    const std::optional<int> alto = lado(argumentos, u"--alto"_s, TamanoGrafica.height());
    if (!FormatoDeRuta(salida) || !ancho || !alto)
        return UsoIncorrecto(argumentos);
    std::optional<LimiteAceptacion> limite;
    if (argumentos.tiene(u"--limite"_s)) {
        try {
            limite = LeeLimiteAceptacion(argumentos.valor(u"--limite"_s), SeparadorDecimal());
        } catch (const ErrorConversion &error) {
            EscribeLinea(stderr, error.texto());
            return 2;
        }
    }
    const auto aplicacion = AplicacionSinPantalla(argumentos);
    return CalculaEstudioOFalla(argumentos.archivo, [&](const Estudio &estudio) {
        const QChar separador = SeparadorDecimal();
        // The band of the grand mean ± δ.
        std::optional<BandaAceptacion> banda;
        if (limite) {
            const CriteriosEquivalencia criterios{*limite, std::nullopt, false};
            banda = BandaDe(*CalculaPrecision(estudio, separador, criterios).equivalencia);
        }
        GuardaGrafica(salida, ModeloDeGrafica(estudio, CalculaAnova(estudio, separador), separador, banda),
                      QSize(*ancho, *alto));
    });
}
