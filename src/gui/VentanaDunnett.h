#pragma once

#include "core/motor/Dunnett.h"
#include "gui/VentanaResultado.h"
#include "core/estudio/Estudio.h"

class QComboBox;
class RejillaResultado;

// "t de Dunnett": the means of every FAM level and each level compared with
// a control level. Keeps its own copy of the study, so choosing another
// control recalculates from what the window was opened with.
class VentanaDunnett : public VentanaResultado
{
    Q_OBJECT

public:
    // `estudio` was calculated with `separador` into `resultado`.
    VentanaDunnett(const Estudio &estudio, QChar separador, const ResultadoDunnett &resultado,
                   QWidget *parent = nullptr);

private:
    void llena(const ResultadoDunnett &resultado);

    Estudio m_estudio;
    QChar m_separador;
    QComboBox *selectorControl;
    RejillaResultado *rejillaPromedios;
    RejillaResultado *rejillaDunnett;
};

