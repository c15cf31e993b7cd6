#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// What ties an output to the study it came from: the SHA-256 of the study
// file's bytes as saved, or nothing while the study has unsaved changes.
struct Huella
{
    // Lower-case hexadecimal; empty for a study with unsaved changes.
    QString sha256;

    bool sinGuardar() const { return sha256.isEmpty(); }
};

// The SHA-256 of `bytes`, in lower-case hexadecimal.
QString Sha256(const QByteArray &bytes);

// The fingerprint of a study saved (or read) as `bytes`.
Huella HuellaDe(const QByteArray &bytes);

// The line every page, print and PDF carries, with the program's version:
// "Huella del estudio (SHA-256): 64 hexadecimal digits · Tolerancia del Método 1.4.0",
// or "Huella del estudio: estudio sin guardar · …".
QString LineaHuella(const Huella &huella);

// The "huella" member of the results document:
// {"sha256": digits or null, "sinGuardar": bool, "version": text}.
QJsonObject HuellaJson(const Huella &huella);
