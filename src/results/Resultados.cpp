#include "Resultados.h"

// Replaced by the result windows.
void ComandoAnalisisVarianza() {}
void ComandoIntervaloConfianza() {}
void ComandoInforme() {}
