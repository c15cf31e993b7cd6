#pragma once

#include "core/estudio/Estudio.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// A study file as the reader finds it: the six texts, the two counts and
// the value lines, valores[i - 1][j - 1] for FAM i, sample j.
struct ArchivoEstudio
{
    QString factores;
    QString metodo;
    QString analista;
    QString fecha;
    QString numeroFam;
    QString numeroMuestras;
    int k = 0;
    int n = 0;
    QVector<QVector<QString>> valores;
};

// The reader's largest table: 10 FAM levels of 20 samples.
inline constexpr int MaxFamArchivo = 10;
inline constexpr int MaxMuestrasArchivo = 20;

// Reads the bytes of a ".w1e" file. A count that is not an integer throws
// ErrorConversion; a count outside the reader's table throws ErrorArchivo.
ArchivoEstudio LeeEstudio(const QByteArray &bytes);

// The bytes of a ".w1e" file for a study: six text lines, then the k·n value
// lines FAM by FAM, Windows-1252, CR LF. A count that is not an integer
// throws ErrorConversion; a text the code page cannot hold throws
// ErrorArchivo naming the field.
QByteArray EscribeEstudio(const Estudio &estudio);

// File access around the two above; errors throw ErrorArchivo. Reading
// refuses anything but a regular file (a pipe would never answer); saving
// goes through a temporary file, so a failed save leaves the old file whole.
// The file's bytes, as the reader takes them (what its fingerprint is of).
QByteArray LeeBytesEstudio(const QString &ruta);
ArchivoEstudio LeeArchivoEstudio(const QString &ruta);
void GuardaArchivoEstudio(const QString &ruta, const Estudio &estudio);

// The study as the document window holds it after reading the file and
// pressing the accept button: grid of (k + 1) × (n + 1) with its labels.
Estudio EstudioAceptado(const ArchivoEstudio &archivo);
