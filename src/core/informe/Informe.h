#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/ResultadosAnova.h"

#include <QChar>
#include <QString>
#include <functional>

// The report's texts that the comparisons with a control also write: the
// blank line between blocks and the lines of a pair's block.
namespace TextoInforme {
inline const QString blanco = QStringLiteral(" ");
inline const QString par = QStringLiteral("FAM %1 Vs FAM %2");
inline const QString inferior = QStringLiteral("Límite Inferior de Confianza = ");
inline const QString superior = QStringLiteral("Límite Superior de Confianza = ");
inline const QString conclusion = QStringLiteral("Conclusión = ");
} // namespace TextoInforme

// Block 1 of the report: title and general information of the study.
void ComponeEncabezado(const Estudio &estudio, const std::function<void(const QString &)> &agrega);

// Composes the text report line by line through `agrega`: block 1 (title
// and general information), then a fresh calculation, then the data table,
// the analysis of variance, the per-FAM statistics and, when pfcal < 0.05,
// the confidence intervals; returns the calculation. A conversion or
// calculation error propagates after block 1 has been handed over.
ResultadosAnova ComponeInforme(const Estudio &estudio, QChar separador,
                               const std::function<void(const QString &)> &agrega);
