#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;

// Where "Mosaico" puts the child windows in a workspace of size `libre`:
// in rows, side by side, sharing its width and height, in the order given.
// None is smaller than what its content needs (`necesarios`); where the
// needs do not fit, rows and columns grow past the workspace, which then
// scrolls, and nothing overlaps. Of the ways to split them into rows, the
// one that leaves least out of view.
QList<QRect> Mosaico(QSize libre, const QList<QSize> &necesarios);

// Where "Cascada" puts them: each `paso` right of and below the one before,
// at its own size (`tamanos`) cut to the workspace, but never below its
// need.
QList<QRect> Cascada(QSize libre, const QList<QSize> &tamanos, const QList<QSize> &necesarios,
                     int paso);

// The two commands on the frame's child windows, in the order they were
// opened. The frame itself keeps its size.
void ArreglaEnMosaico(QMdiArea *marco);
void ArreglaEnCascada(QMdiArea *marco);

// Moves a shown child window of the frame, and shrinks it down to what its
// content needs, so that it lies inside the frame's visible workspace as
// far as it can; the workspace scrolls to what does not fit.
void AjustaAlMarco(QMdiSubWindow *hija);
