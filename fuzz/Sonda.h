#pragma once

#include <QByteArray>
#include <QString>

// Runs one input through the study file reader and writer and the two
// number conversions and checks what must hold for any input: only the
// documented errors escape, whatever is written reads back the same, a
// converted number survives its own format. Returns the first violation,
// empty when none. Shared by the fuzz target and the test suite.
QString RevisaEntrada(const QByteArray &datos);
