#pragma once

#include "core/ayuda/TemasAyuda.h"

#include <QString>

// Shows the help viewer for one command.
void PideAyuda(int comando, const QString &dato = QString());

// Shows the topic of a help context number (menu items, windows).
void AyudaContexto(int numero);
