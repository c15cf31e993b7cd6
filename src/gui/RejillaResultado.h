#pragma once

#include <QTableWidget>

class Rejilla;

// A read-only string grid of the result windows: fixed heading rows and
// columns drawn like headers and never current, default row height 24 and
// Tab moving between cells until a key is pressed in the bottom-right cell.
class RejillaResultado : public QTableWidget
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

private:
    // The Tab rule. After a character typed in the last column Tab moves
    // between cells, except in the last row, where Tab leaves the grid from
    // then on, until the grid is left.
    void aplicaTeclaTab();
    // On leaving the grid Tab moves between cells again.
    void restableceTab();
};
