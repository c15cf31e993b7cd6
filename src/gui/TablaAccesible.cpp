#include "TablaAccesible.h"

#include "core/estudio/Estudio.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QRegularExpression>
#include <QTableView>

namespace {

QString unidos(const QStringList &partes, const QString &separador)
{
    QStringList llenas;
    for (const QString &parte : partes)
        if (!parte.simplified().isEmpty())
            llenas << parte.simplified();
    return llenas.join(separador);
}

bool esNumero(const QString &texto)
{
    static const QRegularExpression numero(QStringLiteral("^\\d+$"));
    return numero.match(texto).hasMatch();
}

class TablaAccesible;

// A heading or a data cell of the reader's table.
class CeldaAccesible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    enum class Tipo { esquina, columna, fila, dato };

    CeldaAccesible(TablaAccesible *tabla, Tipo tipo, int fila, int columna)
        : m_tabla(tabla), m_tipo(tipo), m_fila(fila), m_columna(columna)
    {
    }

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QRect rect() const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void *interface_cast(QAccessible::InterfaceType tipo) override
    {
        if (tipo == QAccessible::TableCellInterface && m_tipo == Tipo::dato)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override;
    int columnIndex() const override { return m_columna; }
    int rowIndex() const override { return m_fila; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

private:
    TablaAccesible *m_tabla;
    Tipo m_tipo;
    int m_fila;     // of the reader's table; -1 for the corner and column headings
    int m_columna;  // likewise; -1 for the corner and row headings
};

// The grid as the reader's table: its children are the corner, the column
// headings and, row by row, the row heading and the data cells. They are
// made as they are asked for and dropped when the grid's texts change.
class TablaAccesible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit TablaAccesible(QTableView *rejilla) : QAccessibleWidget(rejilla, QAccessible::Table) {}
    ~TablaAccesible() override { olvidaHijos(); }

    QTableView *rejilla() const { return static_cast<QTableView *>(widget()); }
    const EncabezadosRejilla &titulos() const
    {
        return dynamic_cast<const TablaConEncabezados &>(*rejilla()).encabezados();
    }

    // The grid's cell of a row and a column of the reader's table.
    QModelIndex indice(int fila, int columna) const
    {
        const EncabezadosRejilla &e = titulos();
        return rejilla()->model()->index(e.filas.value(fila, -1), e.columnasFijas + columna);
    }
    // Where the grid's cells from (fila, columna) to (hastaFila, hastaColumna)
    // lie on the screen.
    QRect zona(int fila, int columna, int hastaFila, int hastaColumna) const
    {
        const QAbstractItemModel *modelo = rejilla()->model();
        const QRect r = rejilla()->visualRect(modelo->index(fila, columna))
                            .united(rejilla()->visualRect(modelo->index(hastaFila, hastaColumna)));
        return r.translated(rejilla()->viewport()->mapToGlobal(QPoint(0, 0)));
    }

    int childCount() const override { return (rowCount() + 1) * (columnCount() + 1); }
    QAccessibleInterface *child(int i) const override
    {
        if (i < 0 || i >= childCount())
            return nullptr;
        if (const QAccessible::Id id = m_hijos.value(i))
            return QAccessible::accessibleInterface(id);
        const int fila = i / (columnCount() + 1) - 1;
        const int columna = i % (columnCount() + 1) - 1;
        using T = CeldaAccesible::Tipo;
        const T tipo = fila < 0 ? (columna < 0 ? T::esquina : T::columna) : (columna < 0 ? T::fila : T::dato);
        auto *hijo = new CeldaAccesible(const_cast<TablaAccesible *>(this), tipo, fila, columna);
        m_hijos.insert(i, QAccessible::registerAccessibleInterface(hijo));
        return hijo;
    }
    int indexOfChild(const QAccessibleInterface *hijo) const override
    {
        const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface *>(hijo));
        for (auto i = m_hijos.cbegin(); i != m_hijos.cend(); ++i)
            if (i.value() == id)
                return i.key();
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QModelIndex lugar = rejilla()->indexAt(rejilla()->viewport()->mapFromGlobal(QPoint(x, y)));
        const int hijo = lugar.isValid() ? titulos().hijoDeCelda(lugar.row(), lugar.column()) : -1;
        return hijo >= 0 ? child(hijo) : nullptr;
    }
    void *interface_cast(QAccessible::InterfaceType tipo) override
    {
        if (tipo == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(tipo);
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int fila, int columna) const override
    {
        if (fila < 0 || fila >= rowCount() || columna < 0 || columna >= columnCount())
            return nullptr;
        return child((fila + 1) * (columnCount() + 1) + columna + 1);
    }
    int columnCount() const override { return int(titulos().columnas.size()); }
    int rowCount() const override { return int(titulos().filas.size()); }
    QString columnDescription(int columna) const override { return titulos().columnas.value(columna); }
    QString rowDescription(int fila) const override { return titulos().nombresFilas.value(fila); }
    int selectedCellCount() const override { return int(selectedCells().size()); }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> celdas;
        for (const QModelIndex &i : rejilla()->selectionModel()->selectedIndexes())
            if (const int hijo = titulos().hijoDeCelda(i.row(), i.column()); hijo >= 0)
                celdas << child(hijo);
        return celdas;
    }
    // A read-only grid selects one cell at a time: no whole rows or columns.
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { olvidaHijos(); }

private:
    void olvidaHijos()
    {
        for (const QAccessible::Id id : std::as_const(m_hijos))
            QAccessible::deleteAccessibleInterface(id);
        m_hijos.clear();
    }

    mutable QHash<int, QAccessible::Id> m_hijos;
};

bool CeldaAccesible::isValid() const
{
    return m_tabla->isValid() && m_fila < m_tabla->rowCount() && m_columna < m_tabla->columnCount();
}

QWindow *CeldaAccesible::window() const
{
    return m_tabla->window();
}

QAccessible::Role CeldaAccesible::role() const
{
    switch (m_tipo) {
    case Tipo::esquina:
    case Tipo::columna:
        return QAccessible::ColumnHeader;
    case Tipo::fila:
        return QAccessible::RowHeader;
    case Tipo::dato:
        break;
    }
    return QAccessible::Cell;
}

QAccessible::State CeldaAccesible::state() const
{
    QAccessible::State estado;
    estado.readOnly = true;
    if (m_tipo == Tipo::dato) {
        estado.selectable = true;
        estado.focusable = true;
        const QModelIndex lugar = m_tabla->indice(m_fila, m_columna);
        estado.selected = isSelected();
        estado.focused = m_tabla->rejilla()->hasFocus() && m_tabla->rejilla()->currentIndex() == lugar;
    }
    return estado;
}

QRect CeldaAccesible::rect() const
{
    const EncabezadosRejilla &e = m_tabla->titulos();
    const int ultimaFija = e.filasFijas - 1;
    const int ultimaColumnaFija = e.columnasFijas - 1;
    const int fila = e.filas.value(m_fila, 0);
    const int columna = e.columnasFijas + m_columna;
    switch (m_tipo) {
    case Tipo::esquina:
        return m_tabla->zona(0, 0, ultimaFija, ultimaColumnaFija);
    case Tipo::columna:
        return m_tabla->zona(0, columna, ultimaFija, columna);
    case Tipo::fila:
        return m_tabla->zona(fila, 0, fila, ultimaColumnaFija);
    case Tipo::dato:
        break;
    }
    return m_tabla->zona(fila, columna, fila, columna);
}

QString CeldaAccesible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return {};
    const EncabezadosRejilla &e = m_tabla->titulos();
    switch (m_tipo) {
    case Tipo::esquina:
        return e.esquina;
    case Tipo::columna:
        return e.columnas.value(m_columna);
    case Tipo::fila:
        return e.nombresFilas.value(m_fila);
    case Tipo::dato:
        break;
    }
    const QString texto = m_tabla->indice(m_fila, m_columna).data().toString().simplified();
    return texto.isEmpty() ? QStringLiteral("vacía") : texto;
}

QAccessibleInterface *CeldaAccesible::parent() const
{
    return m_tabla;
}

bool CeldaAccesible::isSelected() const
{
    return m_tabla->rejilla()->selectionModel()->isSelected(m_tabla->indice(m_fila, m_columna));
}

QList<QAccessibleInterface *> CeldaAccesible::columnHeaderCells() const
{
    return {m_tabla->child(m_columna + 1)};
}

QList<QAccessibleInterface *> CeldaAccesible::rowHeaderCells() const
{
    return {m_tabla->child((m_fila + 1) * (m_tabla->columnCount() + 1))};
}

QAccessibleInterface *CeldaAccesible::table() const
{
    return m_tabla;
}

QAccessibleInterface *fabrica(const QString &, QObject *objeto)
{
    auto *rejilla = qobject_cast<QTableView *>(objeto);
    if (rejilla && dynamic_cast<TablaConEncabezados *>(rejilla))
        return new TablaAccesible(rejilla);
    return nullptr;
}

} // namespace

int EncabezadosRejilla::hijoDeCelda(int fila, int columna) const
{
    const int enTabla = int(filas.indexOf(fila));
    if (columna < columnasFijas || enTabla < 0)
        return -1;
    return (enTabla + 1) * (int(columnas.size()) + 1) + (columna - columnasFijas) + 1;
}

EncabezadosRejilla LeeEncabezados(const Rejilla &celdas, int columnasFijas, int filasFijas)
{
    EncabezadosRejilla e;
    e.columnasFijas = columnasFijas;
    e.filasFijas = filasFijas;
    const auto encabezadoColumna = [&](int columna) {
        QStringList partes;
        for (int fila = 0; fila < filasFijas; ++fila)
            partes << celdas.celda(columna, fila);
        return unidos(partes, QStringLiteral(" "));
    };
    QStringList fijas;
    for (int columna = 0; columna < columnasFijas; ++columna)
        fijas << encabezadoColumna(columna);
    e.esquina = unidos(fijas, QStringLiteral(", "));
    for (int columna = columnasFijas; columna < celdas.columnas(); ++columna)
        e.columnas << encabezadoColumna(columna);
    for (int fila = filasFijas; fila < celdas.filas(); ++fila) {
        QStringList todas;
        for (int columna = 0; columna < celdas.columnas(); ++columna)
            todas << celdas.celda(columna, fila);
        if (unidos(todas, {}).isEmpty())
            continue;  // a spacer
        QStringList partes;
        for (int columna = 0; columna < columnasFijas; ++columna) {
            const QString texto = celdas.celda(columna, fila).simplified();
            partes << (esNumero(texto) && !fijas[columna].isEmpty() ? fijas[columna] + u' ' + texto : texto);
        }
        e.filas << fila;
        e.nombresFilas << unidos(partes, QStringLiteral(", "));
    }
    return e;
}

void InstalaTablaAccesible()
{
    static const bool instalada = [] {
        QAccessible::installFactory(fabrica);
        return true;
    }();
    Q_UNUSED(instalada);
}
