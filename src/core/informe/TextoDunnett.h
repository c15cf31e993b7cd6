#pragma once

#include "core/motor/Dunnett.h"

#include <QChar>
#include <QString>
#include <functional>

// "Hay diferencia con el FAM c" / "Sin diferencia con el FAM c".
QString ConclusionDunnett(bool hayDiferencia, int control);

// Composes the comparisons with a control as text, line by line through
// `agrega`: the study's general information (the report's first block),
// then a fresh calculation, the means of every level and one block per
// compared level. A conversion or calculation error propagates after the
// first block has been handed over.
void ComponeDunnett(const Estudio &estudio, QChar separador, int control,
                    const std::function<void(const QString &)> &agrega);
