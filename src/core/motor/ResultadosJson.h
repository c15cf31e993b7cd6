#pragma once

#include "core/estudio/Estudio.h"
#include "core/motor/Equivalencia.h"
#include "core/estudio/Huella.h"
#include "core/estudio/Registro.h"

#include <QByteArray>
#include <QChar>
#include <QJsonObject>
#include <QString>

#include <optional>

// Every result of a study as one JSON document for other programs. The
// names are stable; docs/resultados.schema.json describes them.

// Name and version of the document's layout, its "formato" member.
inline constexpr char FormatoResultadosJson[] = "tolerancia-resultados/1";

// The study, its fingerprint (of the file's bytes the caller read or saved,
// or of unsaved changes), its signatures as its register checks them, its
// analysis of variance, statistics, intervals, checks and intermediate
// precision, and the equivalence of its levels when criteria are given.
// Throws what the analysis throws (ErrorConversion, ErrorCalculo); the
// caller has validated the counts.
QJsonObject ResultadosJson(const Estudio &estudio, QChar separador, const Huella &huella,
                           const QList<Firma> &firmas,
                           const std::optional<CriteriosEquivalencia> &criterios = std::nullopt);

// The "precision" and "equivalencia" members.
QJsonObject PrecisionJson(const Precision &precision);
QJsonObject EquivalenciaJson(const Equivalencia &equivalencia);

// The document of a study that could not be calculated.
QJsonObject ErrorJson(const QString &mensaje);

// UTF-8, indented, numbers with every digit needed to read the same double back.
QByteArray TextoJson(const QJsonObject &documento);
