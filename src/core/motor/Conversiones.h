#pragma once

#include <QChar>
#include <QByteArray>
#include <QString>

#include <optional>

// Text to number conversions of the whole program. Both throw ErrorConversion
// with the runtime's text when the text is not a number of their kind.

// Optional surrounding blanks, optional sign, decimal digits, 32-bit range.
// Failure: "'<texto>' is not a valid integer value".
int EnteroDeTexto(const QString &texto);

// Optional surrounding blanks, optional sign, digits with at most one
// decimal separator (the given one only), optional exponent. No thousands
// separators, no "inf"/"nan", nothing beyond the range of a double.
// Failure: "'<texto>' is not a valid floating point value".
double RealDeTexto(const QString &texto, QChar separador);

// The text RealDeTexto accepts, written in the C notation ("-12.5e3"), or
// nothing when it is not a number of that syntax (its range is not checked).
std::optional<QByteArray> NotacionC(const QString &texto, QChar separador);

bool EsEntero(const QString &texto);
bool EsReal(const QString &texto, QChar separador);

// The decimal separator of the user's regional settings, taken from
// LC_ALL, LC_NUMERIC or LANG (the first one set), '.' when none names a locale.
QChar SeparadorDecimal();

// The separator a locale name ("es_ES.UTF-8", "C", "") uses.
QChar SeparadorDeLocale(const QString &nombre);
