#pragma once

#include <QList>
#include <QStringList>

class Rejilla;

// What a screen reader is told of a result grid. The grid draws its
// headings as ordinary cells, split over rows and padded with blanks, and
// keeps blank rows as spacers; a reader is given a table of the data cells
// alone, each with the real heading of its column and of its row, and
// without the spacer rows. The grid on screen stays as it is.
struct EncabezadosRejilla
{
    int columnasFijas = 0;
    int filasFijas = 0;
    // The heading of each column after the fixed ones: the texts of its
    // heading rows, trimmed and joined ("GRADOS DE LIBERTAD").
    QStringList columnas;
    // The grid rows after the fixed ones that hold any text, in order.
    QList<int> filas;
    // The heading of each of those rows: the texts of its fixed columns; a
    // bare number is named by its column's heading ("FAM 1").
    QStringList nombresFilas;
    // What the row headings are: the headings of the fixed columns.
    QString esquina;

    // The index of grid cell (fila, columna) among the reader's table's
    // children (corner, column headings, then each row: its heading and its
    // cells); -1 when the cell is a heading or lies in a spacer row.
    int hijoDeCelda(int fila, int columna) const;
};

EncabezadosRejilla LeeEncabezados(const Rejilla &celdas, int columnasFijas, int filasFijas);

// A table view that tells a screen reader its headings (the result grid
// keeps them up to date with its texts).
class TablaConEncabezados
{
public:
    const EncabezadosRejilla &encabezados() const { return m_encabezados; }

protected:
    ~TablaConEncabezados() = default;
    EncabezadosRejilla m_encabezados;
};

// Installs, once, the accessible interface of the table views that are a
// TablaConEncabezados.
void InstalaTablaAccesible();
