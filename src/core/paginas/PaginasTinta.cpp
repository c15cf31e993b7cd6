#include "PaginasTinta.h"

#include "core/motor/Conversiones.h"
#include "core/motor/Pares.h"

namespace {

constexpr int tamanoEncabezado = 12;
constexpr int tamanoTexto = 11;
constexpr int margen = 2;

// Begins the job and draws the ink-jet header (12 points).
Hoja EncabezadoTinta(Lienzo &lienzo)
{
    return Hoja(lienzo, tamanoEncabezado, tamanoTexto,
                {QStringLiteral("Velmora"), QStringLiteral("Control de Calidad"),
                 QStringLiteral("TOLERANCIA DEL MÉTODO"), QStringLiteral("FACTORES AJENOS AL MÉTODO")},
                5);
}

} // namespace

void ImprimeInformacionTinta(Lienzo &lienzo, const Estudio &estudio, const QStringList &lineasMargen)
{
    UnTrabajo(lienzo, [&] {
        Hoja hoja = EncabezadoTinta(lienzo);
        hoja.letraTexto();
        hoja.centrado(10, QStringLiteral("INFORMACIÓN GENERAL"));
        const auto informacion = InformacionGeneral(estudio);
        constexpr std::array<int, 8> lineas{13, 14, 16, 18, 20, 21, 22, 23};
        for (std::size_t i = 0; i < informacion.size(); ++i)
            hoja.escribe(margen, lineas[i], informacion[i]);
        ImprimeRejilla(hoja, estudio, margen, 26, 25);
        // Five lines below the last grid line, whatever the number of samples.
        PieDePagina(hoja, 29 + estudio.rejilla.filas(), TextoPagina::version31);
        hoja.margen(lineasMargen);
    });
}

void ImprimeToleranciaTinta(Lienzo &lienzo, const Estudio &estudio, ResultadosAnova resultados,
                         const QStringList &lineasMargen)
{
    const ResultadosAnova &r = resultados;
    UnTrabajo(lienzo, [&] {
        Hoja hoja = EncabezadoTinta(lienzo);
        hoja.letraTexto();
        // Drawn across the header rule, which it hides behind its background.
        hoja.centrado(9, QStringLiteral("TOLERANCIA"));
        hoja.centrado(11, QStringLiteral("ANÁLISIS DE LA VARIANZA"));

        hoja.escribe(2, 12, QStringLiteral("FUENTE"));
        hoja.escribe(25, 12, QStringLiteral("GRADOS"));
        hoja.escribe(50, 12, QStringLiteral("SUMA"));
        hoja.escribe(80, 12, QStringLiteral("MEDIA"));
        for (int x : {3, 26, 51, 81})
            hoja.escribe(x, 13, QStringLiteral("DE"));
        hoja.escribe(110, 13, QStringLiteral("Fcal"));
        hoja.escribe(135, 13, QStringLiteral("PFcal"));
        hoja.escribe(1, 14, QStringLiteral("VARIACIÓN"));
        hoja.escribe(25, 14, QStringLiteral("LIBERTAD"));
        hoja.escribe(50, 14, QStringLiteral("CUADRADOS"));
        hoja.escribe(80, 14, QStringLiteral("CUADRADOS"));

        const int linea = FilasAnovaEnHoja(hoja, r, 16,
                                           {{QStringLiteral("FAM"), QStringLiteral("ERROR DE")}, 1, 27, 52, 81, 112, 137});
        hoja.escribe(1, linea, QStringLiteral("MÉTODO"));

        hoja.escribe(2, 22, QStringLiteral("FAM"));
        hoja.escribe(25, 22, QStringLiteral("PROMEDIO"));
        hoja.escribe(60, 22, QStringLiteral("DESVIACIÓN"));
        hoja.escribe(95, 22, QStringLiteral("COEFICIENTE"));
        hoja.escribe(62, 23, QStringLiteral("ESTÁNDAR"));
        hoja.escribe(96, 23, QStringLiteral("DE"));
        hoja.escribe(95, 24, QStringLiteral("VARIACIÓN"));

        const auto lineaFam = [&](int i, int y) {
            hoja.escribe(2, y, QStringLiteral("     ") + QString::number(i));
            if (i > r.k())
                return;
            hoja.numero(27, y, r.nivel(i).promedio);
            hoja.numero(62, y, r.nivel(i).desviacion);
            hoja.numero(96, y, r.nivel(i).coeficiente);
        };
        // FAM 1 and 2 are printed before the count is read.
        lineaFam(1, 25);
        lineaFam(2, 26);
        const int k = EnteroDeTexto(estudio.numeroFam);
        for (int i = 3; i <= 5; ++i)
            if (k >= i && k <= 5)
                lineaFam(i, 24 + i);

        const int fila = (k == 4 || k == 5) ? 29 : 27;
        hoja.escribe(2, fila + 1, QStringLiteral("TOTALES"));
        hoja.numero(27, fila + 1, r.total.promedio);
        hoja.numero(62, fila + 1, r.total.desviacion);
        hoja.numero(96, fila + 1, r.total.coeficiente);

        const int base = fila + 4;
        int estudioBase = base;
        if (EsSignificativo(r.pfcal)) {
            const bool variosPares = k >= 3 && k <= 5;
            const ColumnasIntervalos columnas{
                {2, 25, 50, 75, 100},
                {QStringLiteral("FAM"), QStringLiteral("FAM"), QStringLiteral("L.I.C."),
                 QStringLiteral("L.S.C."), QStringLiteral("CONCLUSIÓN")},
                {4, 27, 50, 75, 100}};
            const int pares = BloqueIntervalos(hoja, r, variosPares ? NumeroPares(k) : 1, base + 1, columnas);
            // With three or more pairs the study lines move below the last one.
            if (variosPares)
                estudioBase = base + 1 + pares;
        }

        hoja.escribe(margen, estudioBase + 3, EtiquetaEstudio::metodo + estudio.metodo);
        hoja.escribe(margen, estudioBase + 5, EtiquetaEstudio::analista + estudio.analista);
        hoja.escribe(margen, estudioBase + 7, EtiquetaEstudio::fecha + estudio.fecha);
        PieDePagina(hoja, estudioBase + 11, TextoPagina::version30);
        hoja.margen(lineasMargen);
    });
}
