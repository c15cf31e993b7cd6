#pragma once

#include "core/estudio/Estudio.h"
#include "core/estudio/Huella.h"

#include <QGuiApplication>
#include <QHash>
#include <QString>

#include <cstdio>
#include <functional>
#include <memory>

// What every command of the command line shares.

// A command's arguments, as the table of commands (cli/LineaComandos.cpp)
// read and checked them against the command's row: the study file, and the
// value of each option given (and of the command itself when it takes one,
// under its own name; "" for a switch).
//
// A command is a row of that table and a handler
//     int Ejecuta…(const ArgumentosOrden &argumentos);
// that returns the exit code: 0 done, 1 refused or failed (its message on
// the error output, through EscribeError), 2 wrong usage. The table has
// already refused an unknown, repeated or incomplete option, a missing or
// second file and a value that is not one of an option's choices; what
// only the handler can judge (a number out of range) it refuses with
// `return UsoIncorrecto(argumentos);`, or with a message of its own and 2.
// A handler that draws makes its application with AplicacionSinPantalla
// once it has checked its arguments.
struct ArgumentosOrden
{
    QString orden;    // "--pdf"
    QString archivo;  // the study; empty for a command that takes none
    QHash<QString, QString> valores;
    QString uso;      // the command's usage line, with its "Uso: "
    int *argc = nullptr;  // the process's, for an application
    char **argv = nullptr;

    bool tiene(const QString &opcion) const { return valores.contains(opcion); }
    QString valor(const QString &opcion, const QString &porOmision = QString()) const
    {
        return valores.value(opcion, porOmision);
    }
};

// Writes the command's usage line on the error output; returns 2.
int UsoIncorrecto(const ArgumentosOrden &argumentos);

// `texto` in UTF-8 and a newline.
void EscribeLinea(std::FILE *flujo, const QString &texto);

// "ARCHIVO: texto" on the error output: a batch over many studies must tell
// which one failed.
void EscribeError(const QString &ruta, const QString &texto);

// Stdout may be a full disk or a closed pipe: a result that did not reach
// it must not end as a success. Returns 0, or 1 after "ARCHIVO: mensaje"
// with the system's reason as %1.
int CompruebaSalida(const QString &ruta, const QString &mensaje);

// Reads the study as "&Abrir..." and the accept button leave it, checks its
// counts as the "&Cálculos" commands do and hands it to `calcula`. Any
// refusal or error reaches `falla` with the program's message; returns
// whether the study was calculated.
bool CalculaEstudio(const QString &ruta, const std::function<void(const Estudio &)> &calcula,
                    const std::function<void(const QString &)> &falla);

// The same, handing `calcula` also the fingerprint of the file's bytes the
// study was read from.
bool CalculaEstudioConHuella(const QString &ruta,
                             const std::function<void(const Estudio &, const Huella &)> &calcula,
                             const std::function<void(const QString &)> &falla);

// The same, with the error line on the error output after what the
// standard output already holds; the exit code, 0 or 1.
int CalculaEstudioOFalla(const QString &ruta, const std::function<void(const Estudio &)> &calcula);

// Drawing needs fonts, so a GUI application, but no screen: without a
// platform of its own choosing the command runs on the offscreen one.
// Nothing when an application exists already.
std::unique_ptr<QGuiApplication> AplicacionSinPantalla(const ArgumentosOrden &argumentos);
