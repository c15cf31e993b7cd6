#pragma once

#include "core/estudio/ArchivoEstudio.h"

#include <QList>
#include <QString>
#include <optional>

// One difference between two versions of a study file: a field or a value
// cell as it was and as it is. Nothing stands for "not in the file": a cell
// beyond the counts, or anything before a study's first save.
struct Cambio
{
    // The field's name in the results document ("fam", "metodo",
    // "analista", "fecha", "numeroFam", "numeroMuestras"), or "celda".
    QString campo;
    // The cell's FAM level and sample; 0 for a field.
    int fam = 0;
    int muestra = 0;
    std::optional<QString> antes;
    std::optional<QString> despues;

    bool operator==(const Cambio &) const = default;
};

// What changed from `antes` (nothing for a study never saved, whose every
// field and cell is then listed) to `despues`: the fields in the file's
// order, then the cells FAM by FAM, sample by sample.
QList<Cambio> CambiosEntre(const std::optional<ArchivoEstudio> &antes, const ArchivoEstudio &despues);

// The name a user knows it by: the field's label ("Nombre del método") or
// the cell ("FAM 2, muestra 3"); the key itself for one it does not know.
QString NombreCambio(const Cambio &cambio);
