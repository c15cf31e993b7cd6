#pragma once

#include "core/paginas/Lienzo.h"
#include "core/verificacion/EntornoVerificacion.h"
#include "core/verificacion/Verificacion.h"

#include <QList>
#include <QStringList>

// The verification as the lab files it: title, what it ran on, the
// verdict, one line per check (what, expected, obtained, tolerance, PASA or
// FALLA; the failures first) and the sources of the expected values.

// The verdict: "PASA" when every check passed, "FALLA" otherwise, with the counts.
QString VeredictoVerificacion(const QList<Comprobacion> &comprobaciones);

// The whole verification as text lines, the checks in aligned columns.
QStringList LineasVerificacion(const EntornoVerificacion &entorno, const QList<Comprobacion> &comprobaciones);

// The document's page as a file (PDF) holds it: A4, 300 dpi, margins of 15 mm.
inline constexpr int ResolucionVerificacion = 300;
inline constexpr double MargenVerificacionMm = 15.0;
inline const QString TituloVerificacion = QStringLiteral("Verificación de Tolerancia del Método");

// The same as a document to sign, as one print job of as many pages as it
// takes, each numbered "página i de n", ending with the blank fields
// "Verificado por", "Fecha" and "Firma". A failing job is dropped and its
// error goes on.
void ImprimeVerificacion(Lienzo &lienzo, const EntornoVerificacion &entorno,
                         const QList<Comprobacion> &comprobaciones);
