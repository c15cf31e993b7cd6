#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/Cifra.h"

#include <QChar>
#include <QList>

#include <vector>

// Many-to-one comparisons of a balanced one-way design: k − 1 levels, each
// against one control level, with k(n − 1) error degrees of freedom. The
// statistics T_i = (mean_i − mean_c) / sqrt(2·MSE/n) follow a multivariate
// t distribution whose correlations are all ½.

// The distribution of max |T_i| for k levels (2..5) and `gl` error degrees
// of freedom (at least 1). Building it evaluates a fixed table once; each
// tail after that is cheap.
class DistribucionDunnett
{
public:
    DistribucionDunnett(int k, int gl);

    // Probability that max |T_i| exceeds t: the adjusted p-value of an
    // observed |t|. Computed directly as a tail, so small values keep their
    // relative precision. 1 for t ≤ 0.
    double cola(double t) const;

    // Two-sided 95 % critical value d: cola(d) = 0.05. For k = 2 it is the
    // two-sided Student t quantile.
    double critico() const;

private:
    double colaIntegrada(double t) const;
    double colaTabulada(double t) const;

    struct Nodo
    {
        double u;
        double pesoCola;
    };
    int m_k;
    int m_gl;
    std::vector<Nodo> m_nodos;
};

struct AnovaExacta;

// One level compared with the control; the figures are exact values of the
// typed ones and of the double d, each rounded once.
struct ComparacionDunnett
{
    int fam = 0;
    Cifra diferencia;  // mean of the level − mean of the control
    Cifra amplitud;    // d·sqrt(2·MSE/n)
    Cifra liminf;
    Cifra limsup;
    bool hayDiferencia = false;  // the conclusion rule on the exact limits
    double p = 1.0;              // adjusted p-value
};

struct ResultadoDunnett
{
    int k = 0;
    int control = 1;
    QList<Cifra> promedios;  // FAM 1..k
    Cifra mcerror;
    int glerror = 0;
    double critico = 0.0;    // d
    QList<ComparacionDunnett> comparaciones;  // every level but the control, in order
};

// Compares every other level with FAM `control` after the analysis of
// variance (its calculation errors first). The caller guarantees
// 1 <= control <= k.
ResultadoDunnett DunnettDe(const AnovaExacta &anova, int control);

// Runs the analysis of variance of the study (the same errors, with the same
// texts, as CalculaAnova) and then DunnettDeAnalisis.
// The caller guarantees 1 <= control <= k.
ResultadoDunnett CalculaDunnett(const Estudio &estudio, QChar separador, int control);
