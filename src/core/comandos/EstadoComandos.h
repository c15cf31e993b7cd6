#pragma once

#include <QList>
#include <QString>

// Events that change which study commands are usable.
enum class Evento {
    inicio,                 // program start
    nuevo,                  // "&Nuevo", after the document window exists
    abrir,                  // "&Abrir...", after the file is read
    documentoCierra,        // the document window closes
    resultadoCierraUltima,  // a result window closes as the last child window
    focoEntraDocumento,     // the focus first enters the document window
    focoEntraRejilla,       // the focus enters the grid and its size matches the counts
    teclaEnRejilla,         // a character typed in any cell of the grid
    teclaEnUltimaCelda,     // ... in the bottom-right cell, in addition
    botonOk,                // the document window's "&OK"
    anovaSignificativo,     // the analysis of variance found pfcal < 0.05
    anovaNoSignificativo,   // ... and otherwise
};

// Every command whose state the table sets: one menu item, menu or tool
// bar button each (Boton…); NombreComando gives its object name.
enum class Comando {
    NuevoEstudio, BotonNuevo,
    AbrirEstudio, BotonAbrir,
    CerrarVentana, BotonCerrar,
    GuardarEstudio, BotonGuardar,
    GuardarComo,
    MenuImprimir, ImprimirLaser, ImprimirTinta, BotonImprimirLaser, BotonImprimirTinta,
    MenuCalculos, AnalisisVarianza, Grafica, BotonGrafica, Supuestos, IntervalosConfianza, Informe,
    Mosaico, BotonMosaico,
    Cascada, BotonCascada,
    DunnettDeRejilla,  // the grid menu's item, in the study window
    RegistroCambios,  // "Registro de cambios…": the study's register
    FirmarEstudio,    // "Firmar…": a signature in the study's register
    PrecisionEquivalencia,  // "Precisión intermedia y equivalencia..."
};

// What one event sets; every command it does not name keeps its state.
struct CambioComandos
{
    QList<Comando> habilita;
    QList<Comando> deshabilita;
};

// The one table of command-state rules.
const CambioComandos &CambiosDe(Evento evento);

// Every command the table knows, in declaration order.
QList<Comando> ComandosDeEstudio();

// The object name of the command's action or button.
QString NombreComando(Comando comando);
