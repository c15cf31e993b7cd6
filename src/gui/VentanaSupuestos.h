#pragma once

#include "gui/VentanaResultado.h"

#include <QStringList>

class QPlainTextEdit;

// "Supuestos del análisis": a snapshot of the checks of one study (Cochran,
// Grubbs, Levene, the exact probability of F, repeatability), for reading;
// it keeps its content when the study changes afterwards.
class VentanaSupuestos : public VentanaResultado
{
    Q_OBJECT

public:
    explicit VentanaSupuestos(const QStringList &lineas, QWidget *parent = nullptr);

private:
    QPlainTextEdit *m_texto;
};
