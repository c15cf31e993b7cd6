#pragma once

#include "core/paginas/Lienzo.h"

#include <QString>
#include <QStringList>

// A text on paper, as one print job of as many pages as it takes. Every
// page carries `margen` at its top (the study's fingerprint and its valid
// signatures, LineasMargen), then `titulo` (none when empty) and a blank
// line, and "Página n de m" at its foot; each line, those of the margin and
// the title too, is broken at blanks to the printable width (a word wider
// than the page, such as a long path, is broken where it must), and the
// pieces after the first keep its indent and two blanks more, so a line
// still reads as one. The job is dropped when drawing fails.
void DibujaPaginasTexto(Lienzo &lienzo, const QString &titulo, const QStringList &lineas,
                        const QStringList &margen);

// The foot of each page.
QString PiePagina(int pagina, int paginas);
