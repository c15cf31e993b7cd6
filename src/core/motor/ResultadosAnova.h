#pragma once

#include "core/motor/Cifra.h"

#include <QList>

// What one analysis of variance of a study gives every presenter, read by
// name: the two rows of its table, the statistics of each FAM level and of
// all values, and the confidence interval of every pair of levels. Each
// figure holds its exact value's six digits and nearest double.

// A source of variation: FAM or the method's error.
struct FuenteVariacion
{
    int gradosLibertad = 0;
    Cifra sumaCuadrados;
    Cifra mediaCuadrados;
};

// Mean, standard deviation (with n − 1) and coefficient of variation (per cent).
struct Estadisticas
{
    Cifra promedio;
    Cifra desviacion;
    Cifra coeficiente;
};

// A FAM level: its statistics and the 95 % interval of its mean with the
// pooled error, mean ± t·√(MC error / n), which the plot draws.
struct NivelAnova : Estadisticas
{
    Cifra inferior;
    Cifra superior;
};

// The 95 % interval of mean(menor) − mean(mayor), menor < mayor.
struct IntervaloPar
{
    int menor = 0;
    int mayor = 0;
    Cifra inferior;
    Cifra superior;
    bool hayDiferencia = false;  // the conclusion rule on the exact limits
};

struct ResultadosAnova
{
    FuenteVariacion fam;
    FuenteVariacion error;
    Cifra fcal;
    double pfcal = 1.0;         // the program's approximation of P(F > fcal)
    QList<NivelAnova> niveles;  // FAM 1..k
    Estadisticas total;
    double ttabla = 0.0;        // the tabulated t for the error's degrees of freedom
    Cifra amplitud;             // half-width of every pair's interval, t·√(2·MC error / n)
    QList<IntervaloPar> pares;  // the k·(k − 1)/2 pairs, in pair order

    int k() const { return static_cast<int>(niveles.size()); }
    // FAM 1..k
    const NivelAnova &nivel(int fam) const { return niveles.at(fam - 1); }
};
