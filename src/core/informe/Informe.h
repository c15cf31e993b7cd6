#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/AnovaResults.h"

#include <QChar>
#include <QString>
#include <functional>

// Composes the text report line by line through `agrega`: block 1 (title
// and general information), then a fresh calculation into `juego`, then
// the data table, the analysis of variance, the per-FAM statistics and,
// when pfcal < 0.05, the confidence intervals. A conversion or calculation
// error propagates after block 1 has been handed over.
void ComponeInforme(const Estudio &estudio, QChar separador, JuegoResultados &juego,
                    const std::function<void(const QString &)> &agrega);
