#include "RejillaCaptura.h"

#include "core/estudio/ReglasCaptura.h"
#include "gui/CamposTexto.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int anchoColumna = 110;
constexpr int altoFila = 24;

// A cell of the grid. A screen reader says of an empty one that it is empty,
// where it would otherwise say nothing.
class CeldaRejilla : public QTableWidgetItem
{
public:
    QVariant data(int papel) const override
    {
        if (papel == Qt::AccessibleTextRole && text().isEmpty())
            return QStringLiteral("vacía");
        return QTableWidgetItem::data(papel);
    }
};

// Where a cell is, as a screen reader says it: "FAM 2, Muestra 3".
QString lugarDeCelda(int columna, int fila)
{
    return QStringLiteral("FAM %1, Muestra %2").arg(columna).arg(fila);
}

} // namespace

RejillaCaptura::RejillaCaptura(QWidget *parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("stgdatos"));
    setAccessibleName(QStringLiteral("Valores de las muestras"));
    setFixedSize(582, 113);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setDefaultSectionSize(anchoColumna);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setFixedHeight(altoFila);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultSectionSize(altoFila);
    verticalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(anchoColumna);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setHighlightSections(false);
    setCornerButtonEnabled(false);
    m_esquina = new QLabel(this);
    m_esquina->setObjectName(QStringLiteral("esquina"));
    m_esquina->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_esquina->setGeometry(frameWidth(), frameWidth(), anchoColumna, altoFila);
    m_esquina->setIndent(4);

    m_editor = new QLineEdit(viewport());
    m_editor->setObjectName(QStringLiteral("editorstgdatos"));
    m_editor->setAccessibleName(QStringLiteral("Valores de las muestras"));
    m_editor->setFrame(false);
    QuitaLargoMaximo(m_editor);
    m_editor->setContextMenuPolicy(Qt::NoContextMenu);
    m_editor->installEventFilter(this);
    setFocusProxy(m_editor);
    connect(m_editor, &QLineEdit::textChanged, this, [this](const QString &texto) {
        describeEditor();
        if (!m_cargandoEditor && currentColumn() >= 0 && currentRow() >= 0)
            itemCelda(columnaActual(), filaActual())->setText(texto);
    });
    connect(m_editor, &QLineEdit::textEdited, this, &RejillaCaptura::celdaEditada);
    connect(this, &QTableWidget::currentCellChanged, this, [this](int fila, int columna) {
        {
            const QTableWidgetItem *actual = item(fila, columna);
            QScopedValueRollback cargando(m_cargandoEditor, true);
            m_editor->setText(actual ? actual->text() : QString());
        }
        m_editor->selectAll();
        colocaEditor();
        describeEditor();
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &RejillaCaptura::colocaEditor);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &RejillaCaptura::colocaEditor);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &RejillaCaptura::colocaEditor);
    viewport()->installEventFilter(this);
}

Rejilla RejillaCaptura::rejilla() const
{
    Rejilla r(columnCount() + 1, rowCount() + 1);
    r.ponCelda(0, 0, m_esquina->text());
    for (int c = 1; c < r.columnas(); ++c) {
        const QTableWidgetItem *encabezado = horizontalHeaderItem(c - 1);
        r.ponCelda(c, 0, encabezado ? encabezado->text() : QString());
    }
    for (int f = 1; f < r.filas(); ++f) {
        const QTableWidgetItem *encabezado = verticalHeaderItem(f - 1);
        r.ponCelda(0, f, encabezado ? encabezado->text() : QString());
        for (int c = 1; c < r.columnas(); ++c) {
            const QTableWidgetItem *celda = item(f - 1, c - 1);
            r.ponCelda(c, f, celda ? celda->text() : QString());
        }
    }
    return r;
}

void RejillaCaptura::muestra(const Rejilla &r)
{
    setColumnCount(std::max(r.columnas() - 1, 0));
    setRowCount(std::max(r.filas() - 1, 0));
    m_esquina->setText(r.celda(0, 0));
    for (int c = 1; c < r.columnas(); ++c) {
        // The label on screen is padded ("   1"); a screen reader says what it is.
        auto *encabezado = new QTableWidgetItem(r.celda(c, 0));
        encabezado->setData(Qt::AccessibleTextRole, QStringLiteral("FAM %1").arg(c));
        setHorizontalHeaderItem(c - 1, encabezado);
    }
    for (int f = 1; f < r.filas(); ++f) {
        setVerticalHeaderItem(f - 1, new QTableWidgetItem(r.celda(0, f)));
        for (int c = 1; c < r.columnas(); ++c)
            muestraCelda(c, f, r.celda(c, f));
    }
    if (currentRow() < 0 && rowCount() > 0 && columnCount() > 0)
        setCurrentCell(0, 0);
    colocaEditor();
}

void RejillaCaptura::ajustaA(int k, int n)
{
    setFixedSize((k + 1) * anchoColumna + 20, (n + 1) * altoFila + 20);
}

void RejillaCaptura::ponOpciones(Opciones opciones)
{
    m_opciones = opciones;
    const bool inicial = opciones == Opciones::inicial;
    setSelectionMode(inicial ? QAbstractItemView::ContiguousSelection
                             : QAbstractItemView::SingleSelection);
    horizontalHeader()->setSectionResizeMode(inicial ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void RejillaCaptura::ponCeldaActual(int columna, int fila)
{
    setCurrentCell(fila - 1, columna - 1);
    if (QTableWidgetItem *actual = currentItem())
        scrollToItem(actual);
}

void RejillaCaptura::seleccionaTexto()
{
    m_editor->selectAll();
}

QTableWidgetItem *RejillaCaptura::itemCelda(int columna, int fila)
{
    QTableWidgetItem *celda = item(fila - 1, columna - 1);
    if (!celda) {
        celda = new CeldaRejilla;
        celda->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(fila - 1, columna - 1, celda);
    }
    return celda;
}

void RejillaCaptura::muestraCelda(int columna, int fila, const QString &texto)
{
    itemCelda(columna, fila)->setText(texto);
    if (fila == filaActual() && columna == columnaActual()) {
        QScopedValueRollback cargando(m_cargandoEditor, true);
        m_editor->setText(texto);
    }
}

void RejillaCaptura::colocaEditor()
{
    const QModelIndex actual = currentIndex();
    if (!actual.isValid()) {
        m_editor->hide();
        return;
    }
    m_editor->setGeometry(visualRect(actual));
    m_editor->show();
}

void RejillaCaptura::describeEditor()
{
    // The editor stands over the current cell: a screen reader is told
    // which one it is, and whether it is empty.
    QString descripcion;
    if (currentIndex().isValid()) {
        descripcion = lugarDeCelda(columnaActual(), filaActual());
        if (m_editor->text().isEmpty())
            descripcion += QStringLiteral(", vacía");
    }
    if (descripcion == m_editor->accessibleDescription())
        return;
    m_editor->setAccessibleDescription(descripcion);
    QAccessibleEvent cambio(m_editor, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&cambio);
}

void RejillaCaptura::mueveCelda(int columnas, int filas)
{
    const int c = std::clamp(columnaActual() + columnas, 1, std::max(columnCount(), 1));
    const int f = std::clamp(filaActual() + filas, 1, std::max(rowCount(), 1));
    ponCeldaActual(c, f);
}

void RejillaCaptura::pega()
{
    Rejilla r = rejilla();
    const QList<Celda> escritas =
        PegaBloque(r, columnaActual(), filaActual(), QApplication::clipboard()->text());
    for (const Celda &celda : escritas)
        muestraCelda(celda.columna, celda.fila, r.celda(celda.columna, celda.fila));
    // As if each text had been typed into its cell.
    for (const Celda &celda : escritas)
        reglaDeTecla(celda.columna, celda.fila);
}

void RejillaCaptura::reglaDeTecla(int columna, int fila)
{
    emit celdaTecleada(columna, fila);
    if (columna != columnCount())
        return;
    if (fila == rowCount()) {
        ponOpciones(Opciones::sinTab);
        emit ultimaCeldaTecleada();
    } else {
        ponOpciones(Opciones::conTab);
    }
}

bool RejillaCaptura::eventFilter(QObject *objeto, QEvent *event)
{
    if (objeto == viewport() && event->type() == QEvent::Resize)
        colocaEditor();
    else if (objeto == m_editor && event->type() == QEvent::KeyPress)
        return teclaEnEditor(static_cast<QKeyEvent *>(event));
    return QTableWidget::eventFilter(objeto, event);
}

// True when the key was the grid's, not the editor's.
bool RejillaCaptura::teclaEnEditor(const QKeyEvent *tecla)
{
    const bool conCtrl = tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    switch (tecla->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        if (conCtrl)
            break;
        const bool adelante = tecla->key() == Qt::Key_Tab && !(tecla->modifiers() & Qt::ShiftModifier);
        if (m_opciones == Opciones::sinTab) {
            emit dejada(adelante);
            return true;
        }
        // Tab moves along the rows and wraps round at the ends.
        const int columnas = columnCount();
        const int filas = rowCount();
        if (columnas == 0 || filas == 0)
            return true;
        int posicion = (filaActual() - 1) * columnas + (columnaActual() - 1);
        posicion = (posicion + (adelante ? 1 : -1) + columnas * filas) % (columnas * filas);
        ponCeldaActual(posicion % columnas + 1, posicion / columnas + 1);
        return true;
    }
    case Qt::Key_Up:
        mueveCelda(0, -1);
        return true;
    case Qt::Key_Down:
        mueveCelda(0, 1);
        return true;
    case Qt::Key_Left:
        if (m_editor->cursorPosition() == 0 && !m_editor->hasSelectedText()) {
            mueveCelda(-1, 0);
            return true;
        }
        break;
    case Qt::Key_Right:
        if (m_editor->cursorPosition() == m_editor->text().size() && !m_editor->hasSelectedText()) {
            mueveCelda(1, 0);
            return true;
        }
        break;
    default:
        break;
    }
    if (tecla->matches(QKeySequence::Paste)) {
        pega();
        return true;
    }
    if (EsCaracter(tecla))
        reglaDeTecla(columnaActual(), filaActual());
    return false;
}
