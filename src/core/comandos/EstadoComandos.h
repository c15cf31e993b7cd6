#pragma once

#include <QString>
#include <QStringList>

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

// What one event sets; every command it does not name keeps its state.
// Commands are named by the object names of their actions and buttons.
struct CambioComandos
{
    QStringList habilita;
    QStringList deshabilita;
};

// The one table of command-state rules.
const CambioComandos &CambiosDe(Evento evento);

// Every command name the table knows.
QStringList ComandosDeEstudio();
