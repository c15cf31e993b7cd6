#pragma once

#include "core/estudio/Estudio.h"

#include <QTableWidget>

class QLabel;
class QLineEdit;

// The study's data grid: a table typed through an editor that always stands
// over the current cell. Tab and the arrows move between cells, the paste
// keys paste a block from the current cell on, and typing follows the key
// rule (a character typed in the last column lets Tab move between cells, in
// the last cell lets it leave the grid). The grid knows nothing of the form
// around it: it says what happened through its signals.
//
// Cells 1.. of a `Rejilla` are the table's items 0..; the `Rejilla`'s column
// 0 and row 0 are the table's headings and the top-left label.
class RejillaCaptura : public QTableWidget
{
    Q_OBJECT

public:
    // Range selection and column resizing at first, Tab moving between
    // cells, or Tab leaving the grid.
    enum class Opciones { inicial, conTab, sinTab };

    explicit RejillaCaptura(QWidget *parent = nullptr);

    // The grid as shown, headings included.
    Rejilla rejilla() const;
    // Shows `rejilla` whole: its size, its headings and its cells.
    void muestra(const Rejilla &rejilla);
    // Sizes the grid to show k FAM and n samples whole.
    void ajustaA(int k, int n);

    Opciones opciones() const { return m_opciones; }
    void ponOpciones(Opciones opciones);

    // The current cell, counted from 1; 0 when the grid is empty.
    int columnaActual() const { return currentColumn() + 1; }
    int filaActual() const { return currentRow() + 1; }
    void ponCeldaActual(int columna, int fila);
    // Selects the current cell's text, so that typing replaces it.
    void seleccionaTexto();

signals:
    // A character was typed into a cell, or a pasted text written into it
    // (one signal a cell, in the order they would have been typed); sent
    // before the key rule changes the options.
    void celdaTecleada(int columna, int fila);
    // The last cell was typed: Tab now leaves the grid.
    void ultimaCeldaTecleada();
    // The user changed the current cell's text in any way: typing,
    // deleting, cutting, undoing.
    void celdaEditada();
    // Tab (forwards) or Shift+Tab (backwards) leaves the grid.
    void dejada(bool adelante);

protected:
    bool eventFilter(QObject *objeto, QEvent *event) override;

private:
    QTableWidgetItem *itemCelda(int columna, int fila);  // created when missing
    void muestraCelda(int columna, int fila, const QString &texto);
    void colocaEditor();
    void describeEditor();
    void mueveCelda(int columnas, int filas);
    bool teclaEnEditor(const QKeyEvent *tecla);
    void pega();
    void reglaDeTecla(int columna, int fila);

    QLabel *m_esquina = nullptr;   // the text of the top-left cell
    QLineEdit *m_editor = nullptr;
    Opciones m_opciones = Opciones::inicial;
    bool m_cargandoEditor = false;
};
