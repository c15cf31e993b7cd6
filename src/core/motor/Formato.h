#pragma once

#include "core/motor/Cifra.h"
#include "core/motor/Conversiones.h"

#include <QChar>
#include <QString>

// The one number format of windows, report and pages: general format with
// six significant digits ("1.23457E6", "0.0123457", "1E-5", "INF", "-NAN").
// A figure shows the six digits of its exact value; a double is taken as
// exact and rounded half-up from its exact decimal value.
QString FormatoGeneral(const Cifra &cifra, QChar separador = SeparadorDecimal());
QString FormatoGeneral(double valor, QChar separador = SeparadorDecimal());

// A text as pages and windows show it: every control character (C0, DEL,
// C1, a lone line end within a field) becomes a blank, so that it neither
// draws a missing-glyph box nor runs two words together nor breaks a line.
QString TextoVisible(const QString &texto);
