#pragma once

#include "core/estudio/Estudio.h"
#include "core/estudio/Huella.h"

#include <QGuiApplication>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

// What every command of the command line shares.

// A command's arguments from argv[desde] on: the study file, and options
// "--nombre VALOR" of `nombres`, each at most once, in any order.
struct Argumentos
{
    std::optional<QString> archivo;
    QHash<QString, QString> valores;
};

// Nothing when they do not have that form: a second file, an unknown
// option, a repeated one or one without its value.
std::optional<Argumentos> LeeArgumentos(int argc, char **argv, int desde, const QStringList &nombres);

// `texto` in UTF-8 and a newline.
void EscribeLinea(std::FILE *flujo, const QString &texto);

// "ARCHIVO: texto" on the error output: a batch over many studies must tell
// which one failed.
void EscribeError(const QString &ruta, const QString &texto);

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
std::unique_ptr<QGuiApplication> AplicacionSinPantalla(int &argc, char **argv);
