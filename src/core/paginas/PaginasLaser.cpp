#include "PaginasLaser.h"

#include "core/motor/Conversiones.h"
#include "core/motor/Pares.h"

#include <algorithm>

namespace {

constexpr int tamanoEncabezado = 12;
constexpr int tamanoTexto = 10;
// Everything of the body starts at this column.
constexpr int margen = 45;

// The signature lines, the footer and the closing rule from `linea` down.
void Cierre(Hoja &hoja, int linea)
{
    hoja.escribe(margen, linea, QStringLiteral("Realizó:_______________________"));
    hoja.escribe(225, linea, QStringLiteral("Revisó:_______________________"));
    PieDePagina(hoja, linea + 2, TextoPagina::version31);
}

// Begins the job and draws the laser header (12 points); the returned page
// carries the units measured in it.
Hoja EncabezadoLaser(Lienzo &lienzo)
{
    return Hoja(lienzo, tamanoEncabezado, tamanoTexto,
                {QStringLiteral("Dorvanta"), QStringLiteral("Control de Calidad"),
                 QStringLiteral("Tolerancia del Método"), QStringLiteral("Factores Ajenos al Método")},
                4);
}

} // namespace

void ImprimeInformacionLaser(Lienzo &lienzo, const Estudio &estudio, const QStringList &lineasMargen)
{
    UnTrabajo(lienzo, [&] {
        Hoja hoja = EncabezadoLaser(lienzo);
        hoja.letraTexto();
        hoja.centrado(14, QStringLiteral("Información General"));
        const auto informacion = InformacionGeneral(estudio);
        constexpr std::array<int, 8> lineas{16, 17, 18, 19, 21, 22, 24, 25};
        for (std::size_t i = 0; i < informacion.size(); ++i)
            hoja.escribe(margen, lineas[i], informacion[i]);
        ImprimeRejilla(hoja, estudio, margen, 46, 27);
        Cierre(hoja, 56);
        hoja.margen(lineasMargen);
    });
}

void ImprimeToleranciaLaser(Lienzo &lienzo, const Estudio &estudio, ResultadosAnova resultados,
                         const QStringList &lineasMargen)
{
    const ResultadosAnova &r = resultados;
    UnTrabajo(lienzo, [&] {
        Hoja hoja = EncabezadoLaser(lienzo);
        hoja.letraTexto();
        hoja.centrado(11, QStringLiteral("Resultados"));
        hoja.centrado(12, QStringLiteral("Análisis de la Varianza"));

        hoja.escribe(45, 13, QStringLiteral("Fuente"));
        hoja.escribe(90, 13, QStringLiteral("Grados"));
        hoja.escribe(135, 13, QStringLiteral("Suma"));
        hoja.escribe(190, 13, QStringLiteral("Media"));
        for (int x : {46, 91, 136, 191})
            hoja.escribe(x, 14, QStringLiteral("de"));
        hoja.escribe(245, 14, QStringLiteral("Fcal"));
        hoja.escribe(280, 14, QStringLiteral("PFcal"));
        hoja.escribe(45, 15, QStringLiteral("Variación"));
        hoja.escribe(90, 15, QStringLiteral("Libertad"));
        hoja.escribe(135, 15, QStringLiteral("Cuadrados"));
        hoja.escribe(190, 15, QStringLiteral("Cuadrados"));

        const int linea = FilasAnovaEnHoja(hoja, r, 17,
                                           {{QStringLiteral("FAM"), QStringLiteral("Error de")}, 45, 93, 138, 193, 245, 280});
        hoja.escribe(45, linea, QStringLiteral("Método"));

        hoja.escribe(135, 22, QStringLiteral("Desviación"));
        hoja.escribe(190, 22, QStringLiteral("Coeficiente"));
        hoja.escribe(245, 22, QStringLiteral("Criterio de"));
        hoja.escribe(45, 23, QStringLiteral("FAM"));
        hoja.escribe(90, 23, QStringLiteral("Promedio"));
        hoja.escribe(135, 23, QStringLiteral("Estándar"));
        hoja.escribe(190, 23, QStringLiteral("de"));
        hoja.escribe(245, 23, QStringLiteral("Aceptación"));
        hoja.escribe(190, 24, QStringLiteral("Variación"));

        // The count as typed places the totals; the results bound the levels printed.
        const int k = EnteroDeTexto(estudio.numeroFam);
        const int fam = std::clamp(k, 0, 5);
        for (int i = 1; i <= std::min(fam, r.k()); ++i) {
            hoja.escribe(50, 24 + i, QString::number(i));
            hoja.numero(90, 24 + i, r.nivel(i).promedio);
            hoja.numero(135, 24 + i, r.nivel(i).desviacion);
            hoja.numero(190, 24 + i, r.nivel(i).coeficiente);
        }
        const int t = 25 + fam;
        hoja.escribe(45, t, QStringLiteral("Totales"));
        hoja.numero(93, t, r.total.promedio);
        hoja.numero(138, t, r.total.desviacion);
        hoja.numero(193, t, r.total.coeficiente);

        if (EsSignificativo(r.pfcal)) {
            const ColumnasIntervalos columnas{
                {45, 90, 140, 195, 245},
                {QStringLiteral("FAM"), QStringLiteral("FAM"), QStringLiteral("L.I.C."),
                 QStringLiteral("L.S.C."), QStringLiteral("Conclusión")},
                {50, 95, 135, 190, 245}};
            BloqueIntervalos(hoja, r, NumeroPares(k), t + 4, columnas);
        }

        hoja.escribe(margen, 49, TextoPagina::fam + estudio.factores);
        hoja.escribe(margen, 50, EtiquetaEstudio::metodo + estudio.metodo);
        hoja.escribe(margen, 51, EtiquetaEstudio::analista + estudio.analista);
        hoja.escribe(margen, 52, EtiquetaEstudio::numeroFam + u' ' + estudio.numeroFam);
        hoja.escribe(margen, 53, EtiquetaEstudio::numeroMuestras + u' ' + estudio.numeroMuestras);
        hoja.escribe(margen, 54, EtiquetaEstudio::fecha + estudio.fecha);
        Cierre(hoja, 57);
        hoja.margen(lineasMargen);
    });
}
