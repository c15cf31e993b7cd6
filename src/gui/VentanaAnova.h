#pragma once

#include "gui/VentanaResultado.h"
#include "core/motor/AnovaResults.h"

class QTextEdit;
class TRejillaResultado;

// "Análisis de la varianza": the analysis-of-variance table and the
// statistics of each FAM of one calculation. Holds only its cell texts.
class TfinfoA : public TVentanaResultado
{
    Q_OBJECT

public:
    explicit TfinfoA(QWidget *parent = nullptr);

    // Fills both grids from a calculation of k FAM levels.
    void llena(const JuegoResultados &juego, int k);
    // Adds the window to the main window's frame and shows it.
    void muestra();

private slots:
    void stganovaKeyPress();
    void stganovaExit();
    void stgeqpoKeyPress();
    void stgeqpoExit();

private:
    TRejillaResultado *stganova;
    QTextEdit *memoa;
    TRejillaResultado *stgeqpo;
};
