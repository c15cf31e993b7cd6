#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/ResultadosAnova.h"

#include <QChar>
#include <QString>
#include <vector>

struct AnovaExacta;

// Checks of what the analysis of variance takes for granted: comparable
// variances, no single replicate deciding the result, and how close the
// decision lies to the 5 % line. The statistics come exactly from the typed
// values, as the analysis' figures do; the distributions from Boost.Math,
// whose failures are the program's calculation error.

// The verdict of a test at the two usual levels: beyond the 1 % critical
// value, beyond the 5 % one only, or within both; or a value the test cannot
// judge at the resolution of the data.
enum class Veredicto { normal, dudoso, aberrante, noConcluyente };

// Cochran's test of the largest variance among k levels of n replicates
// (the analysis has refused a study whose variances are all zero).
struct Cochran
{
    Cifra c;                  // largest variance / sum of variances
    int nivel = 0;            // level (1..k) with the largest variance
    double critico5 = 0.0;
    double critico1 = 0.0;
    Veredicto veredicto = Veredicto::normal;
};

// Critical value of Cochran's C for k levels of n replicates at `alfa`:
// 1 / (1 + (k − 1) / F), F the upper alfa/k quantile of F(n − 1, (k − 1)(n − 1)).
double CriticoCochran(int k, int n, double alfa);

// Grubbs' test for one outlying replicate in one level.
struct Grubbs
{
    enum class Estado { calculada, pocasMuestras, valoresIguales };
    Estado estado = Estado::pocasMuestras;
    int nivel = 0;
    double maximo = 0.0, minimo = 0.0;          // the typed values' nearest doubles
    int muestraMaximo = 0, muestraMinimo = 0;  // 1-based positions
    Cifra gMaximo, gMinimo;                    // (max − mean) / s, (mean − min) / s
    double critico5 = 0.0, critico1 = 0.0;
    // The more extreme of the two and its verdict. When every other value
    // of the level is equal, G is (n − 1)/√n, the largest it can be, however
    // near the value lies: the verdict is then noConcluyente.
    bool sospechosoEsMaximo = true;
    Veredicto veredicto = Veredicto::normal;
};

// Two-sided critical value of Grubbs' G for n values at `alfa`:
// (n − 1)/√n · √(t² / (n − 2 + t²)), t the upper alfa/(2n) quantile of t(n − 2).
double CriticoGrubbs(int n, double alfa);

// Levene's test of equal variances centred on the medians (Brown–Forsythe).
struct Levene
{
    enum class Estado { calculada, dosMuestras, sinDispersion };
    Estado estado = Estado::dosMuestras;
    Cifra w;
    int gl1 = 0, gl2 = 0;
    double probabilidad = 0.0;
};

// Exact upper-tail probability of F(gl1, gl2) beyond f.
double ProbabilidadFExacta(double f, double gl1, double gl2);

// Everything the assumptions window shows for one study.
struct Supuestos
{
    int k = 0;
    int n = 0;
    std::vector<std::vector<double>> valores;  // valores[i][j]: level i + 1, sample j + 1
    std::vector<std::vector<QString>> textos;  // the cells as typed
    ResultadosAnova anova;
    Cochran cochran;
    std::vector<Grubbs> grubbs;                // one per level
    Levene levene;
    double probabilidadExacta = 1.0;           // of the analysis' F
    bool decisionMarginal = false;             // PFcal and the exact p on different sides of 0.05
    Cifra repetibilidad;                       // √(MC error)
    Cifra derRepetibilidad;                    // its RSD, % of the grand mean
};

// Runs the analysis of variance on the study as the analysis window does
// (same conversions, same errors: ErrorConversion, ErrorCalculo) and then
// the checks. The caller has validated the counts.
Supuestos CalculaSupuestos(const Estudio &estudio, QChar separador);
// The same from an analysis already read from `estudio`.
Supuestos SupuestosDe(const AnovaExacta &anova, const Estudio &estudio);
