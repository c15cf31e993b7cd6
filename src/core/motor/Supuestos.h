#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/AnovaResults.h"

#include <QChar>
#include <QString>
#include <vector>

// Checks of what the analysis of variance takes for granted: comparable
// variances, no single replicate deciding the result, and how close the
// decision lies to the 5 % line. All distributions come from Boost.Math.

// The verdict of a test at the two usual levels: beyond the 1 % critical
// value, beyond the 5 % one only, or within both.
enum class Veredicto { normal, dudoso, aberrante };

// Cochran's test of the largest variance among k levels of n replicates.
struct Cochran
{
    bool calculable = false;  // false when every variance is zero
    double c = 0.0;           // largest variance / sum of variances
    int nivel = 0;            // level (1..k) with the largest variance
    double critico5 = 0.0;
    double critico1 = 0.0;
    Veredicto veredicto = Veredicto::normal;
};

// Critical value of Cochran's C for k levels of n replicates at `alfa`:
// 1 / (1 + (k − 1) / F), F the upper alfa/k quantile of F(n − 1, (k − 1)(n − 1)).
double CriticoCochran(int k, int n, double alfa);
// `varianzas` holds one sample variance per level (at least two levels).
Cochran PruebaCochran(const std::vector<double> &varianzas, int n);

// Grubbs' test for one outlying replicate in one level.
struct Grubbs
{
    enum class Estado { calculada, pocasMuestras, valoresIguales };
    Estado estado = Estado::pocasMuestras;
    int nivel = 0;
    double maximo = 0.0, minimo = 0.0;
    int muestraMaximo = 0, muestraMinimo = 0;  // 1-based positions
    double gMaximo = 0.0, gMinimo = 0.0;       // (max − mean) / s, (mean − min) / s
    double critico5 = 0.0, critico1 = 0.0;
    // The more extreme of the two and its verdict.
    bool sospechosoEsMaximo = true;
    Veredicto veredicto = Veredicto::normal;
};

// Two-sided critical value of Grubbs' G for n values at `alfa`:
// (n − 1)/√n · √(t² / (n − 2 + t²)), t the upper alfa/(2n) quantile of t(n − 2).
double CriticoGrubbs(int n, double alfa);
Grubbs PruebaGrubbs(const std::vector<double> &valores, int nivel);

// Levene's test of equal variances centred on the medians (Brown–Forsythe).
struct Levene
{
    enum class Estado { calculada, dosMuestras, sinDispersion };
    Estado estado = Estado::dosMuestras;
    double w = 0.0;
    int gl1 = 0, gl2 = 0;
    double probabilidad = 0.0;
};

Levene PruebaLevene(const std::vector<std::vector<double>> &niveles);

// Exact upper-tail probability of F(gl1, gl2) beyond f.
double ProbabilidadFExacta(double f, double gl1, double gl2);

// Everything the assumptions window shows for one study.
struct Supuestos
{
    int k = 0;
    int n = 0;
    std::vector<std::vector<double>> valores;  // valores[i][j]: level i + 1, sample j + 1
    std::vector<std::vector<QString>> textos;  // the cells as typed
    JuegoResultados anova;
    Cochran cochran;
    std::vector<Grubbs> grubbs;                // one per level
    Levene levene;
    bool probabilidadCalculable = false;      // false without variation within the levels
    double probabilidadExacta = 0.0;
    bool decisionMarginal = false;             // PFcal and the exact p on different sides of 0.05
    double repetibilidad = 0.0;                // √(MC error)
    double derRepetibilidad = 0.0;             // its RSD, % of the grand mean
};

// Runs the analysis of variance on the study as the analysis window does
// (same conversions, same errors: ErrorConversion, ErrorCalculo) and then
// the checks. The caller has validated the counts.
Supuestos CalculaSupuestos(const Estudio &estudio, QChar separador);
