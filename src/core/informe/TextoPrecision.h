#pragma once

#include "core/motor/Equivalencia.h"

#include <QChar>
#include <QStringList>

// The content of the precision window and of "--precision", line by line:
// the variance components with their limits and, when criteria were given,
// the equivalence of the levels and whether the study meets them.
QStringList LineasPrecision(const ResultadoPrecision &resultado, QChar separador);
