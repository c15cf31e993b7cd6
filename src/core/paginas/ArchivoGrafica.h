#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

struct ModeloGrafica;

enum class FormatoGrafica { png, svg, pdf };

// The size a plot is written at unless asked otherwise, in pixels at
// `ResolucionGrafica` dots per inch: about half a printed page.
inline constexpr QSize TamanoGrafica(1200, 800);
inline constexpr int ResolucionGrafica = 150;

// The format a file name asks for by its extension (any case), or nothing.
std::optional<FormatoGrafica> FormatoDeRuta(const QString &ruta);

// The plot as the bytes of a file of `formato`, `tamano` pixels (SVG and PDF
// take the same physical size at `ResolucionGrafica`). Needs a GUI
// application for the fonts.
QByteArray ExportaGrafica(const ModeloGrafica &modelo, FormatoGrafica formato, QSize tamano);

// Writes the plot to `ruta` in the format of its extension, replacing the
// file whole or not at all. Throws ErrorArchivo with the user's message.
void GuardaGrafica(const QString &ruta, const ModeloGrafica &modelo, QSize tamano);
