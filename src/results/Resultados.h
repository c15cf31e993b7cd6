#pragma once

// The "&Cálculos" commands; each runs inside the general handler.
void ComandoAnalisisVarianza();    // "Análisis de la varianza"
void ComandoIntervaloConfianza();  // "Intervalo de Confianza"
void ComandoInforme();             // "&Informe"
void ComandoSupuestos();           // "Supuestos del análisis"
