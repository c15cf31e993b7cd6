#pragma once

#include "cli/EstudioDeLinea.h"
#include "core/verificacion/EntornoVerificacion.h"
#include "core/verificacion/Verificacion.h"

#include <QString>

#include <optional>

// tolerancia --verificar [--pdf SALIDA.pdf]
// Runs the reference checks and writes them to stdout and, with --pdf, as
// a document to sign; a handler of the table of commands. Returns the exit
// code: 0 every check passed and everything was written, 1 a check failed
// or an output could not be written, 2 wrong usage.
int EjecutaVerificacion(const ArgumentosOrden &argumentos);

// Writes a run's checks to stdout and, given a path, as the PDF document;
// the exit code as above.
int InformaVerificacion(const EntornoVerificacion &entorno, const QList<Comprobacion> &comprobaciones,
                        const std::optional<QString> &pdf);
