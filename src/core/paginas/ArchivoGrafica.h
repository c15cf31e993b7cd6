#pragma once

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

// Writes the plot to `ruta` in the format of its extension, replacing the
// file whole or not at all. Throws ErrorArchivo with the user's message.
// Needs a GUI application for the fonts.
void GuardaGrafica(const QString &ruta, const ModeloGrafica &modelo, QSize tamano);
