#pragma once

#include "core/motor/ResultadosAnova.h"
#include "gui/VentanaResultado.h"

class RejillaResultado;

// "Intervalo de Confianza": every pair of FAM levels of one calculation
// with its confidence limits and conclusion. Holds only its cell texts.
class VentanaIntervalos : public VentanaResultado
{
    Q_OBJECT

public:
    explicit VentanaIntervalos(QWidget *parent = nullptr);

    // Fills the grid with the pairs of k FAM levels.
    void llena(const ResultadosAnova &resultados);

private:
    RejillaResultado *rejillaIntervalos;
};
