#pragma once

#include <QByteArray>
#include <QString>

// The operating system's error text (errno's or a Qt file device's, which
// come in English) in Spanish, for the messages that quote it. A text the
// table does not know comes back as it is.
QString TextoSistema(const QString &texto);

// Replaces the file at `ruta` with `bytes` as a whole: written to a
// temporary file beside it, flushed and renamed into place. A target that
// exists and is not a regular file (a device, a pipe, a folder) is refused,
// as renaming over it would put a plain file in its place. Any failure
// throws ErrorArchivo naming the file and leaves the old file as it was.
void EscribeArchivo(const QString &ruta, const QByteArray &bytes);
