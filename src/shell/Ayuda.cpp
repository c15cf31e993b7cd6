#include "Ayuda.h"

// Replaced by the help viewer.
void PideAyuda(int, const QString &) {}
void AyudaContexto(int) {}
