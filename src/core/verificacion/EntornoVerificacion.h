#pragma once

#include <QString>
#include <QStringList>

// What a verification was run on, as its header states it.
struct EntornoVerificacion
{
    QString version;      // the program's version
    QString revision;     // the sources' revision
    QString compilacion;  // the build date
    QString ejecutable;   // the running program's path …
    QString sha256;       // … and the SHA-256 of its bytes (or why it could not be read)
    QString qt;           // the Qt the program runs on, and the one it was built with
    QString boost;
    QString sistema;      // operating system, kernel and processor
    QString maquina;      // host name
    QString usuario;      // "cuenta (nombre completo)"
    QString utc;          // "2026-03-04T15:20:11Z"
    QString local;        // "2026-03-04T09:20:11-06:00"
};

// The environment of this run: the build's own data, the executable at
// `ejecutable` (QCoreApplication::applicationFilePath()), the system, the
// account and the clock.
EntornoVerificacion EntornoActual(const QString &ejecutable);

// The header lines, one field each, every field named.
QStringList LineasEntorno(const EntornoVerificacion &entorno);
