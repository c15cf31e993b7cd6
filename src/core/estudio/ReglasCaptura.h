#pragma once

#include "core/estudio/Estudio.h"

#include <QList>
#include <QString>
#include <optional>

// The count fields of the document window.
enum class CampoConteo { numeroFam, numeroMuestras };

struct FalloCaptura
{
    QString mensaje;
    CampoConteo campo;
};

// The checks of ValidaCaptura on the two count texts, in their order: the
// first failure, or nothing when both counts are within their limits.
// A non-empty count that is not an integer throws ErrorConversion.
std::optional<FalloCaptura> RevisaConteos(const QString &condicion, const QString &replica);

// The checks made on leaving a count field: the message of the first
// failure (empty, not an integer, out of range), or nothing when the count
// is valid.
std::optional<QString> RevisaConteoFam(const QString &texto);      // 2 to 5
std::optional<QString> RevisaConteoMuestras(const QString &texto); // 2 to 10

// The check made when the focus enters the grid: the grid must have the size
// the two counts ask for. `columnas` and `filas` count the label column and
// row. Counts that are not integers throw ErrorConversion.
std::optional<FalloCaptura> RevisaTamanoRejilla(const QString &condicion, const QString &replica,
                                                int columnas, int filas);

// A cell of the grid, by column and row (labels at 0).
struct Celda
{
    int columna;
    int fila;
    friend bool operator==(const Celda &, const Celda &) = default;
};

// The check made when the focus leaves the grid: every cell of the k × n
// block filled with a real number, FAM by FAM, sample by sample. Counts that
// are not integers throw ErrorConversion.
struct FalloCelda
{
    QString mensaje;
    bool falta;    // the cell is empty (as opposed to not a number)
    Celda celda;   // the first cell at fault, in the order of the check
};
std::optional<FalloCelda> RevisaCeldas(const Rejilla &rejilla, const QString &condicion,
                                       const QString &replica, QChar separador);

// Pastes a block of texts (cells separated by tabs, rows by line ends) into
// the data cells from (columna, fila) on, clipped to the grid. Returns the
// cells written, row by row, in the order they would have been typed.
QList<Celda> PegaBloque(Rejilla &rejilla, int columna, int fila, const QString &bloque);
