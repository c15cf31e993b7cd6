#pragma once

#include "core/ayuda/TemasAyuda.h"

#include <QString>

class QWidget;

// The help context number of a window or menu item is kept in this
// property; 0 or none means it has no topic of its own.
inline constexpr const char *PropiedadAyuda = "ayuda";

// The help number of the nearest window holding `widget` that has one; 0
// when none has.
int NumeroAyudaDe(const QWidget *widget);

// Shows the help viewer for one command.
void PideAyuda(int comando, const QString &dato = QString());

// Shows the topic of a help context number (menu items, windows).
void AyudaContexto(int numero);
