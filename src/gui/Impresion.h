#pragma once

// The print options windows, created hidden at start and living for the run.
void CreaVentanasImpresion();
// "Lasser": the laser options window, not modal, no validation first.
void MuestraFoppr1();
// "Deskjet" after a passed validation: the ink-jet options window.
void MuestraFoppr();
// The printer kind window, modal.
void MuestraFOPRT();
// The study closed: the options windows are hidden.
void OcultaVentanasImpresion();
