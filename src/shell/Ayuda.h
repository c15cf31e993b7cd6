#pragma once

#include <QString>

// The help viewer's commands, as the menu passes them.
namespace ComandoAyuda {
constexpr int contenido = 3;     // contents
constexpr int ayudaDeAyuda = 4;  // help on help
constexpr int buscar = 261;      // partial-key search; an empty key opens the search dialog
} // namespace ComandoAyuda

// Shows the help viewer for one command.
void PideAyuda(int comando, const QString &dato = QString());

// Shows the topic of a help context number (menu items, windows).
void AyudaContexto(int numero);
