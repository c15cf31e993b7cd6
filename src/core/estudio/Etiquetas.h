#pragma once

#include <QString>

// The labels the report and both printed pages put before the study's
// fields and counts. Their blanks are part of those layouts.
namespace EtiquetaEstudio {
inline const QString metodo = QStringLiteral("Nombre del método: ");
inline const QString analista = QStringLiteral("Nombre del Analista: ");
inline const QString fecha = QStringLiteral("Fecha: ");
inline const QString numeroFam = QStringLiteral("Número de FAM:");
inline const QString numeroMuestras = QStringLiteral("Número de Muestras (Replicaciones):");
} // namespace EtiquetaEstudio
