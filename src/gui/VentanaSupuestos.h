#pragma once

#include "results/VentanaResultado.h"

#include <QStringList>

class QPlainTextEdit;

// "Supuestos del análisis": a snapshot of the checks of one study (Cochran,
// Grubbs, Levene, the exact probability of F, repeatability), for reading;
// it keeps its content when the study changes afterwards.
class VentanaSupuestos : public TVentanaResultado
{
    Q_OBJECT

public:
    explicit VentanaSupuestos(const QStringList &lineas, QWidget *parent = nullptr);

    // Adds the window to the main window's frame and shows it.
    void muestra();

private:
    QPlainTextEdit *m_texto;
};
