#pragma once

#include "gui/VentanaResultado.h"
#include "core/motor/AnovaResults.h"

class QTextEdit;
class TRejillaResultado;

// "Intervalo de Confianza": every pair of FAM levels of one calculation
// with its confidence limits and conclusion. Holds only its cell texts.
class TfinfoB : public TVentanaResultado
{
    Q_OBJECT

public:
    explicit TfinfoB(QWidget *parent = nullptr);

    // Fills the grid with the pairs of k FAM levels.
    void llena(const AnovaResults &resultados, int k);
    // Adds the window to the main window's frame and shows it.
    void muestra();

private slots:
    void stgconcluKeyPress();
    void stgconcluExit();

private:
    QTextEdit *memoB;
    TRejillaResultado *stgconclu;
};
