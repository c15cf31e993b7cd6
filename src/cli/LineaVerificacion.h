#pragma once

#include "core/verificacion/EntornoVerificacion.h"
#include "core/verificacion/Verificacion.h"

#include <QString>

#include <optional>

// tolerancia --verificar [--pdf SALIDA.pdf]
// Whether the command line asks for the verification run.
bool EsVerificacion(int argc, char **argv);
// Runs the reference checks and writes them to stdout and, with --pdf, as
// a document to sign. Returns the exit code: 0 every check passed and
// everything was written, 1 a check failed or an output could not be
// written, 2 wrong usage.
int EjecutaVerificacion(int argc, char **argv);

// Writes a run's checks to stdout and, given a path, as the PDF document;
// the exit code as above.
int InformaVerificacion(const EntornoVerificacion &entorno, const QList<Comprobacion> &comprobaciones,
                        const std::optional<QString> &pdf);
