#include "Impresion.h"

// Replaced by the print options windows.
void CreaVentanasImpresion() {}
void MuestraFoppr1() {}
void MuestraFoppr() {}
void MuestraFOPRT() {}
void OcultaVentanasImpresion() {}
