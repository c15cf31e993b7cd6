#pragma once

#include "core/motor/ResultadosAnova.h"
#include "gui/VentanaResultado.h"

class RejillaResultado;

// "Análisis de la varianza": the analysis-of-variance table and the
// statistics of each FAM of one calculation. Holds only its cell texts.
class VentanaAnova : public VentanaResultado
{
    Q_OBJECT

public:
    explicit VentanaAnova(QWidget *parent = nullptr);

    // Fills both grids from a calculation of k FAM levels.
    void llena(const ResultadosAnova &resultados);

private:
    RejillaResultado *rejillaAnova;
    RejillaResultado *rejillaEstadisticas;
};
