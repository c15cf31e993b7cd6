#pragma once

#include "core/motor/Cifra.h"
#include "core/motor/Exacto.h"

struct AnovaExacta;

// Intermediate precision of a study: the balanced one-way random model
// splits the method's variation under the factor into repeatability (within
// the levels, s_r² = MC error) and the variance between the levels,
// s_L² = max(0, (MC FAM − MC error)/n); their sum is the intermediate
// precision s_IP². Every figure comes from the exact mean squares of the
// analysis (not from their rounded doubles), the limits from χ² and F
// quantiles to fifty digits: each is shown true to its six digits.

// A confidence interval; limits below 0 are 0.
struct Limites
{
    Cifra inferior;
    Cifra superior;
};

// One component: the variance, its standard deviation, the RSD (per cent of
// the grand mean), its share of s_IP² (per cent), and the 95 % two-sided
// limits of the first three.
struct ComponenteVarianza
{
    Cifra varianza;
    Cifra desviacion;
    Cifra der;
    Cifra parte;
    Limites limitesVarianza;
    Limites limitesDesviacion;
    Limites limitesDer;
};

struct Precision
{
    int k = 0;
    int n = 0;
    int glFam = 0;    // ν₁ = k − 1
    int glError = 0;  // ν₂ = k(n − 1)
    Cifra mcFam;
    Cifra mcError;
    Cifra promedio;   // the grand mean
    // No variation within any level (MC error = 0): there is no interval,
    // and the limits below are not set.
    bool sinVariacionDentro = false;
    // MC FAM ≤ MC error: s_L² is estimated as 0; its upper limit still says
    // how large it may be.
    bool sinVarianzaEntre = false;
    ComponenteVarianza repetibilidad;  // χ² limits
    ComponenteVarianza entreNiveles;   // modified large-sample (Graybill–Wang) limits
    ComponenteVarianza intermedia;     // the same
    // The one-sided 95 % upper bound of s_IP², of s_IP and of its RSD: what
    // a criterion on the intermediate precision is compared with.
    Cifra cotaVarianza;
    Cifra cotaDesviacion;
    Cifra cotaDer;
};

// The components and their limits. Throws ErrorCalculo where a figure has
// no value: a grand mean of 0 under the RSDs ("Floating point division by
// zero"), every value equal ("Invalid floating point operation"), a figure
// beyond the doubles; a failure of the distributions' library is the
// calculation error.
Precision PrecisionDe(const AnovaExacta &anova);

// Whether the RSD of the one-sided 95 % upper bound of s_IP is at most
// derMaxima (per cent), decided exactly. False without variation within the
// levels, where there is no bound.
bool CotaDerNoSupera(const AnovaExacta &anova, const Fraccion &derMaxima);
