#pragma once

#include "core/paginas/Lienzo.h"

#include "core/estudio/Estudio.h"
#include "core/motor/ResultadosAnova.h"

#include <QStringList>

// The page routines of one printer kind, and the resolution its layout was
// drawn for: positions are printer pixels, so a page only keeps its
// proportions at that resolution.
struct PaginasImpresora
{
    void (*informacion)(Lienzo &, const Estudio &, const QStringList &);
    void (*tolerancia)(Lienzo &, const Estudio &, ResultadosAnova, const QStringList &);
    int resolucion;
};

extern const PaginasImpresora PaginasDeLaser;
extern const PaginasImpresora PaginasDeTinta;

// Draws the results page from `calculo` when `resultados` is set, the
// general-information page otherwise, as one print job, with `margen` in
// its top margin (LineasMargen; nothing when empty).
void DibujaPagina(const PaginasImpresora &paginas, Lienzo &lienzo, const Estudio &estudio,
                  bool resultados, const ResultadosAnova &calculo, const QStringList &margen = {});
