#include "RejillaResultado.h"

#include "core/estudio/Estudio.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace {
constexpr int altoFila = 24;
}

RejillaResultado::RejillaResultado(const QString &nombre, const QString &nombreAccesible,
                                     int columnas, int filas, int columnasFijas, int filasFijas,
                                     int anchoColumna, QWidget *parent)
    : QTableWidget(filas, columnas, parent), m_columnasFijas(columnasFijas), m_filasFijas(filasFijas)
{
    InstalaTablaAccesible();
    setObjectName(nombre);
    setAccessibleName(nombreAccesible);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setDefaultSectionSize(anchoColumna);
    verticalHeader()->setDefaultSectionSize(altoFila);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);

    const QBrush fondoFijo = palette().button();
    const QBrush textoFijo = palette().buttonText();
    for (int fila = 0; fila < filas; ++fila) {
        for (int columna = 0; columna < columnas; ++columna) {
            auto *item = new QTableWidgetItem;
            if (fila < filasFijas || columna < columnasFijas) {
                // Not enabled, so neither the cursor nor Tab ever stops here;
                // the explicit colours keep the headings readable.
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(fondoFijo);
                item->setForeground(textoFijo);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            setItem(fila, columna, item);
        }
    }
    m_encabezados = LeeEncabezados(Rejilla(columnas, filas), columnasFijas, filasFijas);
    if (filasFijas < filas && columnasFijas < columnas)
        setCurrentCell(filasFijas, columnasFijas);
}

void RejillaResultado::ponCeldas(const Rejilla &celdas)
{
    for (int fila = 0; fila < rowCount(); ++fila)
        for (int columna = 0; columna < columnCount(); ++columna)
            item(fila, columna)->setText(celdas.celda(columna, fila));
    m_encabezados = LeeEncabezados(celdas, m_columnasFijas, m_filasFijas);
    QAccessibleTableModelChangeEvent cambio(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&cambio);
}

void RejillaResultado::currentChanged(const QModelIndex &actual, const QModelIndex &anterior)
{
    // The table view's own events count the grid's cells, headings included.
    QAbstractItemView::currentChanged(actual, anterior);
    avisaCelda(QAccessible::Focus, actual);
}

void RejillaResultado::selectionChanged(const QItemSelection &elegidas, const QItemSelection &dejadas)
{
    QAbstractItemView::selectionChanged(elegidas, dejadas);
    avisaCelda(QAccessible::SelectionRemove, dejadas.indexes().value(0));
    avisaCelda(QAccessible::SelectionAdd, elegidas.indexes().value(0));
}

void RejillaResultado::avisaCelda(QAccessible::Event tipo, const QModelIndex &lugar)
{
    if (!lugar.isValid())
        return;
    const int hijo = m_encabezados.hijoDeCelda(lugar.row(), lugar.column());
    if (hijo < 0)
        return;
    QAccessibleEvent evento(this, tipo);
    evento.setChild(hijo);
    QAccessible::updateAccessibility(&evento);
}

QString RejillaResultado::celda(int columna, int fila) const
{
    const QTableWidgetItem *i = item(fila, columna);
    return i ? i->text() : QString();
}

void RejillaResultado::aplicaTeclaTab()
{
    if (currentColumn() != columnCount() - 1)
        return;
    setTabKeyNavigation(currentRow() != rowCount() - 1);
}

void RejillaResultado::restableceTab()
{
    setTabKeyNavigation(true);
}

void RejillaResultado::ponFilaActual(int fila)
{
    selectionModel()->setCurrentIndex(model()->index(fila, currentColumn()),
                                      QItemSelectionModel::NoUpdate);
}

QSize RejillaResultado::tamanoCompleto() const
{
    int ancho = 2 * frameWidth();
    for (int columna = 0; columna < columnCount(); ++columna)
        ancho += columnWidth(columna);
    int alto = 2 * frameWidth();
    for (int fila = 0; fila < rowCount(); ++fila)
        alto += rowHeight(fila);
    return {ancho, alto};
}

bool RejillaResultado::event(QEvent *evento)
{
    // A typed character, as opposed to a movement key, applies the Tab rule
    // before the grid handles it. Tab itself moves by the rule and must not
    // reset it.
    if (evento->type() == QEvent::KeyPress) {
        const auto *tecla = static_cast<QKeyEvent *>(evento);
        if (!tecla->text().isEmpty() && tecla->key() != Qt::Key_Tab
            && tecla->key() != Qt::Key_Backtab)
            aplicaTeclaTab();
    }
    return QTableWidget::event(evento);
}

void RejillaResultado::focusOutEvent(QFocusEvent *evento)
{
    QTableWidget::focusOutEvent(evento);
    // A menu opening or the window losing activation is not leaving the grid.
    if (evento->reason() != Qt::PopupFocusReason
        && evento->reason() != Qt::ActiveWindowFocusReason) {
        restableceTab();
        emit salida();
    }
}
