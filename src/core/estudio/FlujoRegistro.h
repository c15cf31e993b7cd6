#pragma once

#include "core/estudio/Estudio.h"
#include "core/estudio/Registro.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// What the windows and the command line ask of the register, as pure
// functions: which entries an action adds, what is refused and which
// warnings a register gives. Writing them is ArchivoRegistro's.

// The register of the study at `rutaEstudio`: the same path and ".registro".
QString RutaRegistro(const QString &rutaEstudio);

// Saving.

// Whether a save asks for the reason of the change ("Motivo del cambio"):
// the study has a saved version (`guardado`, its bytes) and this save
// changes it. `preguntar` is the lab's preference, on unless turned off.
bool NecesitaMotivo(const std::optional<QByteArray> &guardado, const QByteArray &nuevo,
                    bool preguntar = true);

// A reason is required and takes one line; otherwise throws ErrorRegistro.
void RevisaMotivo(const QString &motivo);

// A save as the register records it.
struct Guardado
{
    // The version the changes are from: the bytes the study was opened
    // from or last saved as; nothing for a study never saved.
    std::optional<QByteArray> antes;
    // The bytes saved.
    QByteArray despues;
    // The reason, empty when none was asked.
    QString motivo;
};

// "guardado" (the SHA-256 saved, the one before and each change), then
// "motivo" when there is a reason. Throws what the file reader throws
// when either version is not a study file.
QList<EntradaRegistro> EntradasGuardado(const ContextoEntrada &contexto, const Guardado &guardado);

// The first entry of a register: the study file's name and the study as
// the register finds it (no fingerprint when there is no file yet).
EntradaRegistro EntradaCreacion(const ContextoEntrada &contexto, const QString &archivo,
                                const std::optional<Huella> &estudio);

// Signing. `registro` was checked against the study on disk; `estudio` is
// the study as the signer sees it: HuellaDe its saved bytes, or an empty
// Huella while it has unsaved changes. Refused (ErrorRegistro) for unsaved
// changes, a broken register, a study on disk that is not the one shown or
// not the one last saved, or a name that is empty or more than one line.
EntradaRegistro EntradaFirma(const ContextoEntrada &contexto, const VeredictoRegistro &registro,
                             const Huella &estudio, const QString &firmante, Significado significado);

// The refusals of EntradaFirma that concern the study, and those that
// concern the name, each on its own: a window asks neither a name for a
// study that cannot be signed, nor a command line a study for a bad name.
void CompruebaFirmable(const VeredictoRegistro &registro, const Huella &estudio);
void RevisaFirmante(const QString &firmante);

// The study a window shows, as signing needs it: an empty Huella while the
// window has unsaved changes (`modificado`), otherwise the fingerprint of
// `enDisco`, the file's bytes, when they hold the very study shown. A file
// that no longer holds it (saved from elsewhere since the window read it)
// is refused with ErrorRegistro, naming `ruta`.
Huella HuellaMostrada(const Estudio &mostrado, bool modificado, const QByteArray &enDisco,
                      const QString &ruta);

// A page printed on `impresora`, or a document written to `archivo`;
// `documento` says which ("Información General, láser").
EntradaRegistro EntradaImpresion(const ContextoEntrada &contexto, const Huella &estudio,
                                 const QString &documento, const QString &impresora);
EntradaRegistro EntradaExportacion(const ContextoEntrada &contexto, const Huella &estudio,
                                   const QString &documento, const QString &archivo);

// Whether this version records that it checked the register: the chain is
// whole, the study matches it and no entry was written by `version`.
bool PideVerificacion(const VeredictoRegistro &registro, const QString &version);
EntradaRegistro EntradaVerificacion(const ContextoEntrada &contexto, const VeredictoRegistro &registro);

// Warnings, each with a stable key and the text shown to the user:
// "sinRegistro" (no register at all), "registroModificado" (its chain is
// broken) and "estudioModificado" (the study is not the one last saved by
// the program).
struct AvisoRegistro
{
    QString clave;
    QString texto;
};

QList<AvisoRegistro> AvisosRegistro(const VeredictoRegistro &registro, const QString &rutaEstudio);

// The warnings shown on opening, to be recorded in the register (a study
// without one has nowhere to record them).
QList<EntradaRegistro> EntradasAviso(const ContextoEntrada &contexto, const QList<AvisoRegistro> &avisos,
                                     const Huella &estudio);

// "válida", or why a signature no longer is.
QString TextoEstadoFirma(EstadoFirma estado);
