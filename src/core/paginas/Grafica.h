#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/Equivalencia.h"
#include "core/motor/ResultadosAnova.h"

#include <QChar>
#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

// The plot of a study: every value of each FAM level, the level's mean with
// its 95 % interval, the grand mean and, when an acceptance limit δ is
// given, the band of the grand mean ± δ. The model holds everything to draw
// and nothing of the surface it is drawn on.

struct PuntoGrafica
{
    double valor = 0.0;
    // Sideways shift from the column of points, in marker widths: values
    // close enough to overlap are spread so none hides another.
    double desplazamiento = 0.0;
};

struct NivelGrafica
{
    QString etiqueta;           // "FAM 1", or the level's header text
    QList<PuntoGrafica> puntos; // in sample order
    Cifra promedio;
    Cifra inferior; // mean ± t·sqrt(MSE/n)
    Cifra superior;
};

struct MarcaEje
{
    double valor = 0.0;
    QString texto;
};

// The grand mean ± δ of an equivalence limit.
struct BandaAceptacion
{
    Cifra delta;
    Cifra inferior;
    Cifra superior;
};

BandaAceptacion BandaDe(const Equivalencia &equivalencia);

struct ModeloGrafica
{
    QString titulo;    // "FAM: …"
    QString subtitulo; // "Método: …"
    QString detalle;   // "Fecha: … · Analista: …"
    QList<NivelGrafica> niveles;
    Cifra promedioGeneral;
    std::optional<BandaAceptacion> banda;
    double ejeMinimo = 0.0;    // the vertical axis' ends, on ticks
    double ejeMaximo = 1.0;
    QList<MarcaEje> marcas; // from the bottom up
    QChar separador = u'.';
};

// The plot of an accepted, valid study and its analysis (the cells are
// read with `separador`, which also writes every number shown), with the
// band when one is given; the axis then takes it in.
// Throws ErrorConversion for a count or cell that is not a number.
ModeloGrafica ModeloDeGrafica(const Estudio &estudio, const ResultadosAnova &resultados, QChar separador,
                              const std::optional<BandaAceptacion> &banda = std::nullopt);

// "Nice" ticks (steps of 1, 2 or 5 times a power of ten) whose first and last
// enclose [minimo, maximo], about `cuantas` of them, written with `separador`.
QList<MarcaEje> MarcasNitidas(double minimo, double maximo, int cuantas, QChar separador);

// What the picture shows, in sentences, for a screen reader.
QString DescripcionGrafica(const ModeloGrafica &modelo);

// Draws the plot filling `marco` of any painter (window, image, SVG, PDF,
// printer). Texts, markers and lines scale with the frame, so the picture
// looks the same at every size; shapes and line styles, not colour alone,
// tell its parts apart.
void dibujaGrafica(QPainter &pintor, const QRectF &marco, const ModeloGrafica &modelo);
