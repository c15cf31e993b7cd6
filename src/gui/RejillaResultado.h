#pragma once

#include "gui/TablaAccesible.h"

#include <QAccessible>
#include <QTableWidget>

class Rejilla;

// A read-only string grid of the result windows: fixed heading rows and
// columns drawn like headers and never current, default row height 24 and
// Tab moving between cells until a key is pressed in the bottom-right cell.
// A screen reader is given its data cells with their real headings
// (TablaAccesible).
class RejillaResultado : public QTableWidget, public TablaConEncabezados
{
    Q_OBJECT

public:
    // `nombreAccesible` is what a screen reader announces.
    RejillaResultado(const QString &nombre, const QString &nombreAccesible, int columnas,
                      int filas, int columnasFijas, int filasFijas, int anchoColumna,
                      QWidget *parent = nullptr);

    // Writes every cell of `celdas` (same size as the grid).
    void ponCeldas(const Rejilla &celdas);
    // The text of cell (column, row), the grid's own addressing.
    QString celda(int columna, int fila) const;

    // Makes `fila` the current row, keeping the column; fixed rows included.
    void ponFilaActual(int fila);

    // The size that shows every cell, frame included: what the grid's
    // window must leave it.
    QSize tamanoCompleto() const;


signals:
    // The focus went to another control of the window; Tab already moves
    // between cells again.
    void salida();

protected:
    bool event(QEvent *evento) override;
    void focusOutEvent(QFocusEvent *evento) override;
    // Told to a screen reader as cells of its table, not of the grid.
    void currentChanged(const QModelIndex &actual, const QModelIndex &anterior) override;
    void selectionChanged(const QItemSelection &elegidas, const QItemSelection &dejadas) override;

private:
    // The Tab rule. After a character typed in the last column Tab moves
    // between cells, except in the last row, where Tab leaves the grid from
    // then on, until the grid is left.
    void aplicaTeclaTab();
    // On leaving the grid Tab moves between cells again.
    void restableceTab();
    // A screen reader's event on the cell `lugar`, if it is one of its table.
    void avisaCelda(QAccessible::Event tipo, const QModelIndex &lugar);

    int m_columnasFijas;
    int m_filasFijas;
};
