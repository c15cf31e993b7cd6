#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/Cifra.h"
#include "core/motor/Exacto.h"
#include "core/motor/Precision.h"

#include <QChar>
#include <QList>
#include <QString>

#include <optional>

struct AnovaExacta;

// Equivalence of the levels against the lab's acceptance limit δ for a
// difference between two level means: two one-sided t tests at 5 % for
// every pair, that is, the 90 % interval of the difference inside (−δ, δ).
// The study is equivalent when every pair is: an intersection–union test,
// whose level is 5 % without adjustment. Bonferroni's adjustment for the
// k(k − 1)/2 pairs, when asked for, makes each pair's verdict hold for all
// of them at once.

// δ as typed: in the data's units, or per cent of the grand mean.
struct LimiteAceptacion
{
    Fraccion valor;  // > 0
    bool porcentaje = false;
};

struct CriteriosEquivalencia
{
    LimiteAceptacion limite;
    std::optional<Fraccion> derMaxima;  // per cent, > 0: the largest RSD of intermediate precision accepted
    bool bonferroni = false;
};

// "0.5", "1.5%", "1,5 %" (with the user's decimal separator). Throws
// ErrorConversion with a Spanish message for anything else, 0 or negative.
LimiteAceptacion LeeLimiteAceptacion(const QString &texto, QChar separador);
// "2", "2%", "2 %": a positive per cent.
Fraccion LeeDerMaxima(const QString &texto, QChar separador);

struct ParEquivalencia
{
    int menor = 0;
    int mayor = 0;
    Cifra diferencia;  // mean(menor) − mean(mayor)
    Cifra inferior;    // its interval, d ∓ t·√(2·MC error / n)
    Cifra superior;
    bool equivalentes = false;  // the interval inside (−δ, δ), decided on exact values
    // One-sided p-values of d ≤ −δ and of d ≥ δ (times the pairs, at most 1,
    // with Bonferroni's adjustment).
    double pInferior = 1.0;
    double pSuperior = 1.0;
};

struct Equivalencia
{
    // Without variation within the levels there is no interval and no test:
    // the pairs carry their differences only, and nothing is equivalent.
    bool calculable = true;
    Cifra delta;              // in the data's units
    bool porcentaje = false;  // δ was given as a per cent of the grand mean …
    Cifra deltaPorcentaje;    // … this one
    Cifra bandaInferior;      // grand mean − δ and + δ, the plot's band
    Cifra bandaSuperior;
    bool bonferroni = false;
    int pruebas = 1;          // k(k − 1)/2 pairs
    double alfa = 0.05;       // of each one-sided test: 0.05, or 0.05/pruebas
    double confianza = 0.90;  // of each interval, 1 − 2·alfa
    Cifra alfaPorCiento;      // the same two in per cent
    Cifra confianzaPorCiento;
    Cifra t;                  // t(1 − alfa; ν₂)
    Cifra semiamplitud;       // t·√(2·MC error / n)
    QList<ParEquivalencia> pares;  // in pair order
    bool todosEquivalentes = false;
    // The second criterion, when given.
    bool hayDerMaxima = false;
    Cifra derMaxima;
    Cifra cotaDer;            // the RSD of the one-sided 95 % upper bound of s_IP
    bool derCumple = false;   // cotaDer ≤ derMaxima, decided on exact values
    bool cumple = false;      // every criterion given is met
};

Equivalencia EquivalenciaDe(const AnovaExacta &anova, const Precision &precision, const CriteriosEquivalencia &criterios);

// What the precision window and "--precision" show: the components, and the
// equivalence when criteria are given.
struct ResultadoPrecision
{
    Precision precision;
    std::optional<Equivalencia> equivalencia;
};

ResultadoPrecision ResultadoPrecisionDe(const AnovaExacta &anova,
                                        const std::optional<CriteriosEquivalencia> &criterios = std::nullopt);

// Reads the study as the analysis does (its conversion errors and count
// limits) and calculates. A study without variation within the levels,
// which the analysis of variance refuses, has its components here, without
// limits. The caller has validated the counts.
ResultadoPrecision CalculaPrecision(const Estudio &estudio, QChar separador,
                                    const std::optional<CriteriosEquivalencia> &criterios = std::nullopt);
