#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The 8-bit code page of study files. Every byte maps to one character and
// back; the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the control characters of the same number.
QString DesdeWindows1252(const QByteArray &bytes);

// Nothing when a character of the text has no byte in the code page.
std::optional<QByteArray> AWindows1252(const QString &texto);
