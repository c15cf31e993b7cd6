#pragma once

#include "core/paginas/Lienzo.h"

#include <QString>
#include <QStringList>

// The register's trail on paper, as one print job of as many pages as it
// takes. Every page carries `margen` at its top (the study's fingerprint and
// its valid signatures, LineasMargen) and "Página n de m" at its foot; each
// line, those of the margin too, is broken at blanks to the printable width (a word wider than the
// page, such as a long path, is broken where it must), and the pieces after
// the first keep its indent and two blanks more, so an entry still reads as
// one. The job is dropped when drawing fails.
void DibujaRegistro(Lienzo &lienzo, const QStringList &lineas, const QStringList &margen);

// The foot of each page.
QString PiePaginaRegistro(int pagina, int paginas);
