#pragma once

#include "core/motor/Dunnett.h"
#include "results/VentanaResultado.h"
#include "stats/Estudio.h"

class QComboBox;
class TRejillaResultado;

// "t de Dunnett": the means of every FAM level and each level compared with
// a control level. Keeps its own copy of the study, so choosing another
// control recalculates from what the window was opened with.
class VentanaDunnett : public TVentanaResultado
{
    Q_OBJECT

public:
    // `estudio` was calculated with `separador` into `resultado`.
    VentanaDunnett(const Estudio &estudio, QChar separador, const ResultadoDunnett &resultado,
                   QWidget *parent = nullptr);

    // Adds the window to the main window's frame and shows it.
    void muestra();

    int control() const;
    // Compares with FAM `control` (1..k) instead.
    void ponControl(int control);

private:
    void llena(const ResultadoDunnett &resultado);

    Estudio m_estudio;
    QChar m_separador;
    QComboBox *cbcontrol;
    TRejillaResultado *stgpromedios;
    TRejillaResultado *stgdunnett;
};

// "&t de Dunnett": the capture validation, then a new window comparing
// every level with FAM 1. Runs inside the general handler.
void ComandoDunnett();
