#pragma once

#include "core/estudio/Cambios.h"
#include "core/estudio/Huella.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QTimeZone>
#include <optional>

// The register of a study lives in a file of its own beside it
// ("ESTUDIO.w1e.registro"), so the study file stays as it is. It is UTF-8
// text, one entry a line (a compact JSON object ended by LF), and is only
// ever added to. Each entry holds in "anterior" the SHA-256 of the line
// before it, LF excluded (the first one, GenesisRegistro), so an edited,
// removed or reordered line breaks the chain at the line after it.

// Name and version of the register's layout, in its first entry.
inline constexpr char FormatoRegistro[] = "tolerancia-registro/1";
// The "anterior" of the first entry: 64 zeros.
inline const QString GenesisRegistro = QString(64, u'0');

// What an entry records; `otro` is a kind this version does not know
// (written by a later one), which still takes its place in the chain.
enum class TipoEntrada { creado, guardado, motivo, firmado, impreso, exportado, verificado, aviso, otro };

// What a signer states by signing.
enum class Significado { realizado, revisado, aprobado };

// "Realizado por", "Revisado por", "Aprobado por".
QString TextoSignificado(Significado significado);
// Its name in the register and the results document: "realizado",
// "revisado", "aprobado".
QString ClaveSignificado(Significado significado);

// The operating system's account and its full name ("" when it has none).
struct Autor
{
    QString cuenta;
    QString nombreCompleto;
};

// Who, when and with which version: what every entry carries.
struct ContextoEntrada
{
    // ISO 8601 to the second: "2026-03-04T15:20:11Z" and the same instant
    // in the local zone with its offset, "2026-03-04T09:20:11-06:00".
    QString utc;
    QString local;
    Autor autor;
    QString version;
};

// The context of an entry made at `instante`, whose local time is that of `zona`.
ContextoEntrada ContextoEn(const QDateTime &instante, const QTimeZone &zona, const Autor &autor,
                           const QString &version);

// One entry, read by name; each kind fills its own members.
struct EntradaRegistro
{
    TipoEntrada tipo = TipoEntrada::otro;
    // Its "tipo" as written ("creado", "guardado", …).
    QString nombreTipo;
    // Its line in the register, from 1; 0 for one not yet written.
    int linea = 0;
    QString anterior;
    ContextoEntrada contexto;
    // The study's SHA-256 the entry speaks of (saved, explained, signed,
    // printed, verified or found). Empty: the printed or exported study had
    // unsaved changes, or the register was created before the study's file.
    QString sha256;
    // creado: the study's file name.
    QString archivo;
    // guardado: the version the changes are from (empty for a new study).
    QString sha256Anterior;
    QList<Cambio> cambios;
    // motivo: the reason for the save before it.
    QString motivo;
    // firmado: the signer's full name as typed, and the meaning.
    QString firmante;
    Significado significado = Significado::realizado;
    // impreso, exportado: what was printed or written, and where (the
    // printer or the file).
    QString documento;
    QString destino;
    // verificado: the version of the entry before it.
    QString versionAnterior;
    // aviso: the warning's key and the text shown.
    QString aviso;
    QString texto;
};

// The JSON object of an entry, its link ("anterior") included.
QJsonObject JsonDeEntrada(const EntradaRegistro &entrada);

// The entry a register line holds; nothing when the line is not one.
std::optional<EntradaRegistro> EntradaDeLinea(const QByteArray &linea);

// `registro` with `entradas` added at its end, each linked to the line
// before it. A last line without its LF gets one first.
QByteArray AnadeEntradas(const QByteArray &registro, const QList<EntradaRegistro> &entradas);

// Where the chain first fails.
enum class FalloCadena {
    vacio,           // a register without a single line
    lineaIlegible,   // a line that is not an entry
    eslabonRoto,     // an entry whose "anterior" is not the line before it
    lineaIncompleta, // the last line lacks its LF: cut short
};

struct RoturaCadena
{
    FalloCadena fallo;
    int linea;
};

enum class EstadoFirma {
    valida,             // the signed SHA-256 is the study's
    estudioCambiado,    // the study is no longer what was signed
    registroModificado, // the register's chain is broken
};

struct Firma
{
    EntradaRegistro entrada;
    EstadoFirma estado = EstadoFirma::valida;

    bool valida() const { return estado == EstadoFirma::valida; }
};

// What reading a register found, against the study's fingerprint.
struct VeredictoRegistro
{
    bool hayRegistro = false;
    // Empty while the chain is whole.
    std::optional<RoturaCadena> rotura;
    // The last entry that records the study's bytes (a save, or a register
    // created over a study already on disk); 0 when none does.
    int lineaGuardado = 0;
    QString sha256Guardado;
    // The study's fingerprint the register was checked against, and
    // whether it is that entry's SHA-256.
    QString sha256Estudio;
    bool estudioCoincide = false;
    // Every line that is an entry, in order.
    QList<EntradaRegistro> entradas;
    QList<Firma> firmas;

    bool cadenaIntacta() const { return hayRegistro && !rotura; }
    // Whole chain, and the study is the one last saved by the program.
    bool correcto() const { return cadenaIntacta() && estudioCoincide; }
};

// Checks the chain of `registro` and the study's fingerprint against it.
VeredictoRegistro VerificaRegistro(const QByteArray &registro, const Huella &estudio);
