#pragma once

#include "core/comandos/EstadoComandos.h"
#include "core/motor/ResultadosAnova.h"

#include <functional>

class QMdiArea;
class VentanaEstudio;

// Where the result commands put their windows, the result set they
// calculate into, and how they report events of the command-state table.
struct DestinoResultados
{
    QMdiArea *marco;
    ResultadosAnova &resultados;
    std::function<void(Evento)> aplica;
};

// The "&Cálculos" commands on the study of `documento` (nothing without
// one); each runs inside the general handler.
void ComandoAnalisisVarianza(VentanaEstudio *documento, const DestinoResultados &destino);    // "Análisis de la varianza"
void ComandoIntervaloConfianza(VentanaEstudio *documento, const DestinoResultados &destino);  // "Intervalo de Confianza"
void ComandoGrafica(VentanaEstudio *documento, const DestinoResultados &destino);             // "Gráfica"
void ComandoInforme(VentanaEstudio *documento, const DestinoResultados &destino);             // "&Informe"
void ComandoDunnett(VentanaEstudio *documento, const DestinoResultados &destino);            // "&t de Dunnett"
void ComandoSupuestos(VentanaEstudio *documento, const DestinoResultados &destino);           // "Supuestos del análisis"
void ComandoPrecision(VentanaEstudio *documento, const DestinoResultados &destino);           // "Precisión intermedia y equivalencia..."
