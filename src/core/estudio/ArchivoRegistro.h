#pragma once

#include "core/estudio/FlujoRegistro.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The register beside a study on disk. Every write holds the register's
// lock file (the register's name and ".lock"), so that the window and the
// command line never add to it at once, reads the register whole and
// writes it anew through EscribeArchivo: a failure leaves it as it was.
// Errors throw ErrorArchivo (the files) or ErrorRegistro (a refusal).

// The register's bytes; nothing when the study has none. One that is not
// a regular file, cannot be read or exceeds 64 MiB is an error.
std::optional<QByteArray> LeeRegistro(const QString &rutaEstudio);

// The register read and checked against the study's fingerprint; a study
// without one gives a verdict whose `hayRegistro` is false.
VeredictoRegistro VerificaRegistroDe(const QString &rutaEstudio, const Huella &estudio);

// Saves the study and records the save. The register is locked and read
// first, so that one that cannot be written stops the save before the study
// is touched; then the study is written atomically, then the register with
// the save's entries (after its creation entry, for the first). When the
// register's write fails after the study's, the error says that the save
// is not complete; the caller keeps the study as unsaved, and saving again
// records the same change.
void GuardaEstudioRegistrado(const QString &rutaEstudio, const ContextoEntrada &contexto,
                             const Guardado &guardado);

// Adds `entradas` to the register of the study on disk, creating it (over
// the study as it is on disk) when there is none.
void AnotaEnRegistro(const QString &rutaEstudio, const ContextoEntrada &contexto,
                     const QList<EntradaRegistro> &entradas);

// Signs the study as it is on disk; its bytes are never touched.
// `mostrado` is the study as the signer sees it (a window's saved
// fingerprint, or an empty one with unsaved changes); without it, the file
// as it stands. Refused as EntradaFirma refuses.
void FirmaEstudio(const QString &rutaEstudio, const ContextoEntrada &contexto, const QString &firmante,
                  Significado significado, const std::optional<Huella> &mostrado = std::nullopt);

// The account the program runs under and its full name (the first field of
// its GECOS entry), or the login name of the environment where the system
// has no such record.
Autor AutorDelSistema();

// Now, in the system's zone, by that account, with this version.
ContextoEntrada ContextoActual();
