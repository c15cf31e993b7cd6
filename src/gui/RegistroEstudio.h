#pragma once

#include "core/estudio/Huella.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// What the windows add to a study's register: saves with their reason,
// the check on opening, prints and exports. The study window and the print
// windows call these; the register itself is core/estudio/ArchivoRegistro's.

// The lab's preference: ask the reason of every change saved. On unless
// turned off.
bool PreguntaMotivo();
void PonPreguntaMotivo(bool preguntar);

// Writes `bytes` as the study at `ruta` and records the save. When `antes`
// (the version the window opened or last saved) differs and the preference
// is on, asks for the reason first: false, with nothing written, when the
// user cancels it. Errors propagate (ErrorArchivo, ErrorRegistro); a save
// that throws is not complete.
bool GuardaConRegistro(const QString &ruta, const std::optional<QByteArray> &antes, const QByteArray &bytes,
                       QWidget *padre);

// Checks the register of the study just opened from `ruta` as `huella`:
// what is wrong is shown in one message and recorded in the register; a
// whole register not yet checked by this version records the check. A study
// without a register is left as it is. Errors propagate.
void RevisaRegistroAlAbrir(const QString &ruta, const Huella &huella);

// The top margin of a page of the study: its fingerprint, and the valid
// signatures of its register when it has a file and no unsaved changes.
QStringList MargenDe(const QString &ruta, const Huella &huella);

// A page printed on `impresora`, or a document written to `archivo`, added
// to the register of the study at `ruta`; nothing for a study without a
// register (untitled, or only read and never saved by the program). Errors
// propagate.
void AnotaImpresion(const QString &ruta, const Huella &huella, const QString &documento,
                    const QString &impresora);
void AnotaExportacion(const QString &ruta, const Huella &huella, const QString &documento,
                      const QString &archivo);
