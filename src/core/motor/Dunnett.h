#pragma once

#include "core/motor/AnovaResults.h"
#include "core/estudio/Estudio.h"

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

// One level compared with the control.
struct ComparacionDunnett
{
    int fam = 0;
    double diferencia = 0.0;  // mean of the level − mean of the control
    double amplitud = 0.0;    // d·sqrt(2·MSE/n)
    double liminf = 0.0;
    double limsup = 0.0;
    bool hayDiferencia = false;
    double p = 1.0;           // adjusted p-value
};

struct ResultadoDunnett
{
    int k = 0;
    int control = 1;
    ArregloFam promedios{};   // elements 1..k
    double mcerror = 0.0;
    int glerror = 0;
    double critico = 0.0;     // d
    QList<ComparacionDunnett> comparaciones;  // every level but the control, in order
};

// Compares every other level with FAM `control` from a finished analysis of
// variance of k levels of n samples. The caller guarantees 1 <= control <= k.
ResultadoDunnett DunnettDeAnalisis(const JuegoResultados &juego, int k, int n, int control);

// Runs the analysis of variance of the study (the same errors, with the same
// texts, as CalculaAnova) and then DunnettDeAnalisis.
// The caller guarantees 1 <= control <= k.
ResultadoDunnett CalculaDunnett(const Estudio &estudio, QChar separador, int control);
