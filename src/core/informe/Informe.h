#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/ResultadosAnova.h"

#include <QChar>
#include <QString>
#include <functional>

// Block 1 of the report: title and general information of the study.
void ComponeEncabezado(const Estudio &estudio, const std::function<void(const QString &)> &agrega);

// Composes the text report line by line through `agrega`: block 1 (title
// and general information), then a fresh calculation, then the data table,
// the analysis of variance, the per-FAM statistics and, when pfcal < 0.05,
// the confidence intervals; returns the calculation. A conversion or
// calculation error propagates after block 1 has been handed over.
ResultadosAnova ComponeInforme(const Estudio &estudio, QChar separador,
                               const std::function<void(const QString &)> &agrega);
