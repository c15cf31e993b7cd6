#include "VentanaEstudio.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/motor/Conversiones.h"
#include "gui/Ayuda.h"
#include "gui/Dialogos.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

constexpr int anchoColumna = 110;
constexpr int altoFila = 24;
// A line edit cuts its text at 32767 characters unless told otherwise; the
// texts of a study have no length limit of their own.
constexpr int sinLimite = std::numeric_limits<int>::max();

// A key that types a character, as the fields see it: text, Backspace,
// Enter and Escape; not Tab, Delete or Ctrl combinations (editing commands).
bool esCaracter(const QKeyEvent *tecla)
{
    const QString texto = tecla->text();
    if (texto.isEmpty())
        return false;
    const QChar c = texto.front();
    if (c == u'\t' || c == QChar(0x7f))
        return false;
    if ((tecla->modifiers() & Qt::ControlModifier) && !(tecla->modifiers() & Qt::AltModifier))
        return false;
    return c.isPrint() || c == u'\b' || c == u'\r' || c == QChar(0x1b);
}

// A field's limit binds typing only: a longer text loaded from a file stays
// whole, typing cannot make it longer, deleting makes room down to the limit.
class LimiteDeTecleo : public QValidator
{
public:
    LimiteDeTecleo(QLineEdit *campo, int limite) : QValidator(campo), m_limite(limite)
    {
        // The field has already taken the edit when it asks: remember the
        // length before it.
        connect(campo, &QLineEdit::textChanged, this,
                [this](const QString &texto) { m_largo = texto.size(); });
    }

    State validate(QString &texto, int &) const override
    {
        return texto.size() <= std::max<qsizetype>(m_limite, m_largo) ? Acceptable : Invalid;
    }

private:
    int m_limite;
    qsizetype m_largo = 0;
};

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

// Texts loaded from a file are taken whole: the typing limit is not asked,
// so the field keeps counting the text as valid input.
void ponTextoEntero(QLineEdit *campo, const QString &texto)
{
    const QValidator *limite = campo->validator();
    campo->setValidator(nullptr);
    campo->setText(texto);
    campo->setValidator(limite);
}

} // namespace

VentanaEstudio::VentanaEstudio(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Finforma"));
    setProperty(PropiedadAyuda, 2);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Nuevo"));
    creaComponentes();
    resize(631, 476);
    inicia();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *antes, QWidget *ahora) { focoCambia(antes, ahora); });
}

VentanaEstudio::~VentanaEstudio()
{
    // Children go after this destructor: their focus changes must not reach it.
    disconnect(qApp, nullptr, this, nullptr);
    m_cerrada = true;
}

void VentanaEstudio::creaComponentes()
{
    cuaderno = new QTabWidget(this);
    cuaderno->setObjectName(QStringLiteral("Thojas"));
    cuaderno->setAccessibleName(QStringLiteral("Páginas del estudio"));
    auto *todo = new QVBoxLayout(this);
    todo->addWidget(cuaderno);

    auto campo = [this](QWidget *pagina, const QString &nombre, int limite, int ancho) {
        auto *e = new QLineEdit(pagina);
        e->setObjectName(nombre);
        e->setMaxLength(sinLimite);
        e->setValidator(new LimiteDeTecleo(e, limite));
        e->setFixedWidth(ancho);
        e->installEventFilter(this);
        // Also edits made without a typed character (Delete, cut, paste, undo)
        // change the study.
        connect(e, &QLineEdit::textEdited, this, [this] { ponModificado(true); });
        return e;
    };
    auto etiqueta = [](QWidget *pagina, const QString &texto, QWidget *buddy,
                       QBoxLayout *columna) {
        auto *l = new QLabel(texto, pagina);
        l->setBuddy(buddy);
        buddy->setAccessibleName(QString(texto).remove(u'&').remove(u':'));
        columna->addWidget(l);
        columna->addWidget(buddy);
        return l;
    };

    auto *general = new QWidget;
    general->setObjectName(QStringLiteral("general"));
    auto *g = new QVBoxLayout(general);
    factores = campo(general, QStringLiteral("etole"), 60, 283);
    metodo = campo(general, QStringLiteral("emetodo"), 60, 577);
    analista = campo(general, QStringLiteral("eanalista"), 60, 577);
    fecha = campo(general, QStringLiteral("efecha"), 20, 230);
    etiqueta(general, QStringLiteral("Factores Ajenos al Método (FAM)"), factores, g);
    etiqueta(general, QStringLiteral("Nom&bre del método:"), metodo, g);
    etiqueta(general, QStringLiteral("Nombre del A&nalista:"), analista, g);
    etiqueta(general, QStringLiteral("&Fecha:"), fecha, g);
    g->addStretch();
    cuaderno->addTab(general, QStringLiteral("Información General"));

    auto *captura = new QWidget;
    captura->setObjectName(QStringLiteral("captura"));
    auto *c = new QVBoxLayout(captura);
    auto *titulo = new QLabel(QStringLiteral("TOLERANCIA "), captura);
    QFont grande = titulo->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.3);
    titulo->setFont(grande);
    c->addWidget(titulo);
    numeroFam = campo(captura, QStringLiteral("econdicion"), 2, 33);
    numeroMuestras = campo(captura, QStringLiteral("ereplica"), 2, 33);
    auto *conteos = new QHBoxLayout;
    auto *cfam = new QVBoxLayout;
    auto *cmuestras = new QVBoxLayout;
    etiqueta(captura, QStringLiteral("&Número de FAM:"), numeroFam, cfam);
    etiqueta(captura, QStringLiteral("Número de &Muestras:"), numeroMuestras, cmuestras);
    conteos->addLayout(cfam);
    conteos->addLayout(cmuestras);
    // Alt+A is the "&Archivo" menu's.
    botonAceptarConteos = new QPushButton(QStringLiteral("Ace&ptar número de FAM y  de Muestras"), captura);
    botonAceptarConteos->setObjectName(QStringLiteral("botonok"));
    botonAceptarConteos->setAccessibleName(QStringLiteral("Aceptar número de FAM y  de Muestras"));
    conteos->addWidget(botonAceptarConteos, 0, Qt::AlignBottom);
    conteos->addStretch();
    c->addLayout(conteos);

    creaRejilla(captura);
    c->addWidget(rejilla);

    botonAceptarDatos = new QPushButton(QStringLiteral("&OK"), captura);
    botonAceptarDatos->setObjectName(QStringLiteral("boton1"));
    botonAceptarDatos->setAccessibleName(QStringLiteral("OK"));
    c->addWidget(botonAceptarDatos, 0, Qt::AlignLeft);
    c->addStretch();
    cuaderno->addTab(captura, QStringLiteral("Captura de Datos"));

    botonAceptarConteos->installEventFilter(this);
    botonAceptarDatos->installEventFilter(this);
    connect(botonAceptarConteos, &QPushButton::clicked, this,
            [this] { EjecutaComando([this] { aceptaConteos(); }); });
    connect(botonAceptarDatos, &QPushButton::clicked, this,
            [this] { EjecutaComando([this] { aceptaDatos(); }); });

    setTabOrder(factores, metodo);
    setTabOrder(metodo, analista);
    setTabOrder(analista, fecha);
    setTabOrder(fecha, numeroFam);
    setTabOrder(numeroFam, numeroMuestras);
    setTabOrder(numeroMuestras, botonAceptarConteos);
    setTabOrder(botonAceptarConteos, rejilla);
    setTabOrder(rejilla, botonAceptarDatos);
}

// The grid with its editor, always shown on the current cell, and its menu.
void VentanaEstudio::creaRejilla(QWidget *pagina)
{
    rejilla = new QTableWidget(pagina);
    rejilla->setObjectName(QStringLiteral("stgdatos"));
    rejilla->setAccessibleName(QStringLiteral("Valores de las muestras"));
    rejilla->setToolTip(QStringLiteral("opciones botón derecho"));
    rejilla->setStatusTip(QStringLiteral("opciones botón derecho"));
    rejilla->setFixedSize(582, 113);
    rejilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rejilla->horizontalHeader()->setDefaultSectionSize(anchoColumna);
    rejilla->horizontalHeader()->setMinimumSectionSize(8);
    rejilla->horizontalHeader()->setFixedHeight(altoFila);
    rejilla->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rejilla->horizontalHeader()->setHighlightSections(false);
    rejilla->verticalHeader()->setDefaultSectionSize(altoFila);
    rejilla->verticalHeader()->setMinimumSectionSize(8);
    rejilla->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    rejilla->verticalHeader()->setFixedWidth(anchoColumna);
    rejilla->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rejilla->verticalHeader()->setHighlightSections(false);
    rejilla->setCornerButtonEnabled(false);
    esquina = new QLabel(rejilla);
    esquina->setObjectName(QStringLiteral("esquina"));
    esquina->setAttribute(Qt::WA_TransparentForMouseEvents);
    esquina->setGeometry(rejilla->frameWidth(), rejilla->frameWidth(), anchoColumna, altoFila);
    esquina->setIndent(4);

    editor = new QLineEdit(rejilla->viewport());
    editor->setObjectName(QStringLiteral("editorstgdatos"));
    editor->setAccessibleName(QStringLiteral("Valores de las muestras"));
    editor->setFrame(false);
    editor->setMaxLength(sinLimite);
    editor->setContextMenuPolicy(Qt::NoContextMenu);
    editor->installEventFilter(this);
    rejilla->setFocusProxy(editor);
    connect(editor, &QLineEdit::textChanged, this, [this](const QString &texto) {
        describeEditor();
        if (m_cargandoEditor)
            return;
        const int columna = rejilla->currentColumn();
        const int fila = rejilla->currentRow();
        if (columna >= 0 && fila >= 0)
            itemCelda(columna + 1, fila + 1)->setText(texto);
    });
    connect(editor, &QLineEdit::textEdited, this, [this] { ponModificado(true); });
    connect(rejilla, &QTableWidget::currentCellChanged, this, [this](int fila, int columna) {
        {
            const QTableWidgetItem *actual = rejilla->item(fila, columna);
            QScopedValueRollback cargando(m_cargandoEditor, true);
            editor->setText(actual ? actual->text() : QString());
        }
        editor->selectAll();
        colocaEditor();
        describeEditor();
    });
    connect(rejilla->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &VentanaEstudio::colocaEditor);
    connect(rejilla->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &VentanaEstudio::colocaEditor);
    connect(rejilla->horizontalHeader(), &QHeaderView::sectionResized, this,
            &VentanaEstudio::colocaEditor);
    rejilla->viewport()->installEventFilter(this);

    menuRejilla = new QMenu(this);
    menuRejilla->setObjectName(QStringLiteral("pmenu"));
    dunnettDeRejilla = menuRejilla->addAction(QStringLiteral("&t de Dunnett"));
    dunnettDeRejilla->setObjectName(QStringLiteral("pmnudunet"));
    dunnettDeRejilla->setToolTip(QStringLiteral("Cálculos"));
    dunnettDeRejilla->setStatusTip(QStringLiteral("Presenta lista de promedios y t de Dunnett"));
    connect(dunnettDeRejilla, &QAction::triggered, this,
            [this] { EjecutaComando([this] { emit dunnettPedido(); }); });
    rejilla->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(rejilla, &QWidget::customContextMenuRequested, this, [this](const QPoint &punto) {
        menuRejilla->popup(rejilla->viewport()->mapToGlobal(punto));
    });
}

void VentanaEstudio::inicia()
{
    numeroFam->setText(QString::number(FamInicial));
    numeroMuestras->setText(QString::number(MuestrasInicial));
    m_memoria = RejillaCreacion();
    muestraRejilla(m_memoria);
    ponOpciones(OpcionesRejilla::inicial);
}

Estudio VentanaEstudio::estudio() const
{
    Estudio e;
    e.factores = factores->text();
    e.metodo = metodo->text();
    e.analista = analista->text();
    e.fecha = fecha->text();
    e.numeroFam = numeroFam->text();
    e.numeroMuestras = numeroMuestras->text();
    e.rejilla = rejillaMostrada();
    return e;
}

QString VentanaEstudio::textoConteo(CampoConteo campo) const
{
    return campo == CampoConteo::numeroFam ? numeroFam->text() : numeroMuestras->text();
}

void VentanaEstudio::cargaArchivo(const ArchivoEstudio &archivo, const QString &ruta)
{
    ponTextoEntero(factores, archivo.factores);
    ponTextoEntero(metodo, archivo.metodo);
    ponTextoEntero(analista, archivo.analista);
    ponTextoEntero(fecha, archivo.fecha);
    ponTextoEntero(numeroFam, archivo.numeroFam);
    ponTextoEntero(numeroMuestras, archivo.numeroMuestras);
    m_memoria = EstudioAceptado(archivo).rejilla;
    muestraRejilla(m_memoria);
    rejilla->setFixedSize((archivo.k + 1) * anchoColumna + 20, (archivo.n + 1) * altoFila + 20);
    ponRuta(ruta);
}

void VentanaEstudio::ponRuta(const QString &ruta)
{
    m_ruta = ruta;
    setWindowTitle(ruta);
}

void VentanaEstudio::ponModificado(bool modificado)
{
    m_modificado = modificado;
    emit modificadoCambia(modificado);
}

void VentanaEstudio::ponGuardado(std::function<bool()> guarda)
{
    m_guarda = std::move(guarda);
}

// --- The grid ------------------------------------------------------------

Rejilla VentanaEstudio::rejillaMostrada() const
{
    Rejilla r(rejilla->columnCount() + 1, rejilla->rowCount() + 1);
    r.ponCelda(0, 0, esquina->text());
    for (int c = 1; c < r.columnas(); ++c) {
        const QTableWidgetItem *item = rejilla->horizontalHeaderItem(c - 1);
        r.ponCelda(c, 0, item ? item->text() : QString());
    }
    for (int f = 1; f < r.filas(); ++f) {
        const QTableWidgetItem *item = rejilla->verticalHeaderItem(f - 1);
        r.ponCelda(0, f, item ? item->text() : QString());
        for (int c = 1; c < r.columnas(); ++c) {
            const QTableWidgetItem *celda = rejilla->item(f - 1, c - 1);
            r.ponCelda(c, f, celda ? celda->text() : QString());
        }
    }
    return r;
}

void VentanaEstudio::muestraRejilla(const Rejilla &r)
{
    rejilla->setColumnCount(std::max(r.columnas() - 1, 0));
    rejilla->setRowCount(std::max(r.filas() - 1, 0));
    esquina->setText(r.celda(0, 0));
    for (int c = 1; c < r.columnas(); ++c) {
        // The label on screen is padded ("   1"); a screen reader says what it is.
        auto *encabezado = new QTableWidgetItem(r.celda(c, 0));
        encabezado->setData(Qt::AccessibleTextRole, QStringLiteral("FAM %1").arg(c));
        rejilla->setHorizontalHeaderItem(c - 1, encabezado);
    }
    for (int f = 1; f < r.filas(); ++f) {
        rejilla->setVerticalHeaderItem(f - 1, new QTableWidgetItem(r.celda(0, f)));
        for (int c = 1; c < r.columnas(); ++c)
            muestraCelda(c, f, r.celda(c, f));
    }
    if (rejilla->currentRow() < 0 && rejilla->rowCount() > 0 && rejilla->columnCount() > 0)
        rejilla->setCurrentCell(0, 0);
    colocaEditor();
}

QTableWidgetItem *VentanaEstudio::itemCelda(int columna, int fila)
{
    QTableWidgetItem *celda = rejilla->item(fila - 1, columna - 1);
    if (!celda) {
        celda = new CeldaRejilla;
        celda->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        rejilla->setItem(fila - 1, columna - 1, celda);
    }
    return celda;
}

void VentanaEstudio::muestraCelda(int columna, int fila, const QString &texto)
{
    itemCelda(columna, fila)->setText(texto);
    if (fila == filaActual() && columna == columnaActual()) {
        QScopedValueRollback cargando(m_cargandoEditor, true);
        editor->setText(texto);
    }
}

int VentanaEstudio::columnaActual() const
{
    return rejilla->currentColumn() + 1;
}

int VentanaEstudio::filaActual() const
{
    return rejilla->currentRow() + 1;
}

void VentanaEstudio::ponCeldaActual(int columna, int fila)
{
    rejilla->setCurrentCell(fila - 1, columna - 1);
    if (QTableWidgetItem *item = rejilla->currentItem())
        rejilla->scrollToItem(item);
}

void VentanaEstudio::colocaEditor()
{
    const QModelIndex actual = rejilla->currentIndex();
    if (!actual.isValid()) {
        editor->hide();
        return;
    }
    editor->setGeometry(rejilla->visualRect(actual));
    editor->show();
}

void VentanaEstudio::describeEditor()
{
    // The editor stands over the current cell: a screen reader is told
    // which one it is, and whether it is empty.
    QString descripcion;
    if (rejilla->currentIndex().isValid()) {
        descripcion = lugarDeCelda(columnaActual(), filaActual());
        if (editor->text().isEmpty())
            descripcion += QStringLiteral(", vacía");
    }
    if (descripcion == editor->accessibleDescription())
        return;
    editor->setAccessibleDescription(descripcion);
    QAccessibleEvent cambio(editor, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&cambio);
}

void VentanaEstudio::mueveCelda(int columnas, int filas)
{
    const int c = std::clamp(columnaActual() + columnas, 1, std::max(rejilla->columnCount(), 1));
    const int f = std::clamp(filaActual() + filas, 1, std::max(rejilla->rowCount(), 1));
    ponCeldaActual(c, f);
}

void VentanaEstudio::ponOpciones(OpcionesRejilla opciones)
{
    m_opciones = opciones;
    const bool inicial = opciones == OpcionesRejilla::inicial;
    rejilla->setSelectionMode(inicial ? QAbstractItemView::ContiguousSelection
                                       : QAbstractItemView::SingleSelection);
    rejilla->horizontalHeader()->setSectionResizeMode(inicial ? QHeaderView::Interactive
                                                               : QHeaderView::Fixed);
}

void VentanaEstudio::saleDeRejilla(bool adelante)
{
    (adelante ? botonAceptarDatos : botonAceptarConteos)->setFocus(adelante ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void VentanaEstudio::pega()
{
    Rejilla r = rejillaMostrada();
    const QList<Celda> escritas =
        PegaBloque(r, columnaActual(), filaActual(), QApplication::clipboard()->text());
    for (const Celda &celda : escritas)
        muestraCelda(celda.columna, celda.fila, r.celda(celda.columna, celda.fila));
    // As if each text had been typed into its cell.
    for (const Celda &celda : escritas)
        reglaDeTecla(celda.columna, celda.fila);
}

void VentanaEstudio::reglaDeTecla(int columna, int fila)
{
    ponModificado(true);
    emit evento(Evento::teclaEnRejilla);
    if (columna != rejilla->columnCount())
        return;
    if (fila == rejilla->rowCount()) {
        ponOpciones(OpcionesRejilla::sinTab);
        emit evento(Evento::teclaEnUltimaCelda);
    } else {
        ponOpciones(OpcionesRejilla::conTab);
    }
}

// --- Focus ---------------------------------------------------------------

QWidget *VentanaEstudio::componente(QWidget *widget) const
{
    if (widget && (widget == rejilla || rejilla->isAncestorOf(widget)))
        return rejilla;
    return widget;
}

// A passed count check sends the focus forward unless the user has taken it
// into the grid (a click in a cell): the grid is entered however it gets the
// focus.
bool VentanaEstudio::enRejilla() const
{
    return componente(focusWidget()) == rejilla;
}

void VentanaEstudio::tomaFoco()
{
    if (m_foco)
        return;
    QScopedValueRollback enfocando(m_enfocando, true);
    entraDocumento();
}

void VentanaEstudio::enfoca(QWidget *widget)
{
    QScopedValueRollback enfocando(m_enfocando, true);
    for (int i = 0; i < cuaderno->count(); ++i)
        if (cuaderno->widget(i)->isAncestorOf(widget))
            cuaderno->setCurrentIndex(i);
    widget->setFocus(Qt::OtherFocusReason);
    m_foco = componente(widget);
}

void VentanaEstudio::enfocaConteo(CampoConteo campo)
{
    enfoca(campo == CampoConteo::numeroFam ? numeroFam : numeroMuestras);
}

void VentanaEstudio::focoCambia(QWidget *antes, QWidget *ahora)
{
    // Moves between this window's own components count; the focus going to
    // a message box or another window and coming back is no exit, except
    // that a count left for another window is checked.
    if (m_enfocando || m_cerrada)
        return;
    // Going to another top-level window, the focus first goes to nobody.
    if (!ahora) {
        m_dejado = antes && isAncestorOf(antes) ? antes : nullptr;
        return;
    }
    QWidget *dejado = std::exchange(m_dejado, nullptr);
    if (!isAncestorOf(ahora)) {
        saleHaciaOtraVentana(antes ? antes : dejado, ahora);
        return;
    }
    QWidget *nuevo = componente(ahora);
    if (nuevo == m_foco)
        return;
    // A count already checked as it was left for another window is not left
    // again when the user comes back to another component.
    if (std::exchange(m_conteoDejado, false)) {
        m_foco = nuevo;
        QScopedValueRollback enfocando(m_enfocando, true);
        if (m_foco == rejilla)
            EjecutaComando([this] { entraRejilla(); });
        m_foco = componente(focusWidget());
        return;
    }
    // The focus coming back from outside the main window (a message box
    // closed, the window activated again) is no move either. The toolkit
    // gives it to the widget it remembers, which can be one that a check has
    // already sent the focus away from: the component that had it keeps it.
    if (m_foco && (!antes || antes->window() != window())) {
        enfoca(m_foco);
        return;
    }
    QWidget *previo = m_foco;
    m_foco = nuevo;
    // The handlers may move the focus again; those moves run no handler, so
    // the checks cannot call one another.
    QScopedValueRollback enfocando(m_enfocando, true);
    if (!previo) {
        entraDocumento();
        return;
    }
    EjecutaComando([this, previo] { sale(previo); });
    m_foco = componente(focusWidget());
    if (m_foco == rejilla && previo != rejilla) {
        EjecutaComando([this] { entraRejilla(); });
        m_foco = componente(focusWidget());
    }
}

void VentanaEstudio::saleHaciaOtraVentana(QWidget *antes, QWidget *ahora)
{
    // A count left for another window of the program (another child window,
    // the help, a print window) is checked as when the focus moves on inside
    // this one, so that a bad count never stays unannounced. A message box,
    // a dialog or a menu that comes and goes takes the focus from nobody.
    if (!antes || componente(antes) != m_foco || (m_foco != numeroFam && m_foco != numeroMuestras))
        return;
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() || ahora->window()->isModal())
        return;
    // Once the move is over: the other window takes the focus after this.
    QLineEdit *campo = numeroFam == m_foco ? numeroFam : numeroMuestras;
    QTimer::singleShot(0, this, [this, campo] {
        const QWidget *foco = QApplication::focusWidget();
        if (m_cerrada || m_foco != campo || !foco || isAncestorOf(foco))
            return;
        QScopedValueRollback enfocando(m_enfocando, true);
        EjecutaComando([this, campo] {
            const auto mensaje = campo == numeroFam ? RevisaConteoFam(campo->text())
                                                     : RevisaConteoMuestras(campo->text());
            // A good count lets the focus go where the user took it.
            if (!mensaje) {
                m_conteoDejado = true;
                return;
            }
            enfoca(campo);
            Dialogos::actual().mensaje(*mensaje);
        });
    });
}

void VentanaEstudio::sale(QWidget *componente)
{
    if (componente == numeroFam)
        saleConteoFam();
    else if (componente == numeroMuestras)
        saleConteoMuestras();
    else if (componente == botonAceptarConteos)
        saleAceptar();
    else if (componente == rejilla)
        saleRejilla();
}

// --- Handlers ------------------------------------------------------------

void VentanaEstudio::entraDocumento()
{
    cuaderno->setCurrentIndex(0);
    enfoca(factores);
    emit evento(Evento::focoEntraDocumento);
}

void VentanaEstudio::teclaEnCampo(QLineEdit *campo, QChar tecla)
{
    ponModificado(true);
    if (tecla != u'\r' || campo->text().isEmpty())
        return;
    if (campo == numeroFam)
        numeroMuestras->setFocus(Qt::OtherFocusReason);
    else if (campo == numeroMuestras)
        botonAceptarConteos->setFocus(Qt::OtherFocusReason);
}

void VentanaEstudio::saleConteoFam()
{
    if (const auto mensaje = RevisaConteoFam(numeroFam->text())) {
        enfoca(numeroFam);
        Dialogos::actual().mensaje(*mensaje);
        return;
    }
    if (!enRejilla())
        enfoca(numeroMuestras);
}

void VentanaEstudio::saleConteoMuestras()
{
    if (const auto mensaje = RevisaConteoMuestras(numeroMuestras->text())) {
        enfoca(numeroMuestras);
        Dialogos::actual().mensaje(*mensaje);
        return;
    }
    if (!enRejilla())
        enfoca(botonAceptarConteos);
}

void VentanaEstudio::aceptaConteos()
{
    cuaderno->setCurrentIndex(1);
    const int n = EnteroDeTexto(numeroMuestras->text());
    const int k = EnteroDeTexto(numeroFam->text());
    RecuerdaCeldas(m_memoria, rejillaMostrada());
    Rejilla aceptada = m_memoria;
    AceptaRejilla(aceptada, k, n);
    muestraRejilla(aceptada);
}

void VentanaEstudio::saleAceptar()
{
    if (rejilla->isEnabled())
        rejilla->setFocus(Qt::OtherFocusReason);
}

void VentanaEstudio::entraRejilla()
{
    if (const auto fallo = RevisaTamanoRejilla(numeroFam->text(), numeroMuestras->text(),
                                               rejilla->columnCount() + 1,
                                               rejilla->rowCount() + 1)) {
        enfocaConteo(fallo->campo);
        Dialogos::actual().mensaje(fallo->mensaje);
        return;
    }
    emit evento(Evento::focoEntraRejilla);
}

void VentanaEstudio::teclaEnRejilla()
{
    reglaDeTecla(columnaActual(), filaActual());
}

void VentanaEstudio::saleRejilla()
{
    ponOpciones(OpcionesRejilla::conTab);
    if (rejilla->rowCount() > 0 && rejilla->columnCount() > 0)
        ponCeldaActual(1, 1);
    if (const auto fallo = RevisaCeldas(rejillaMostrada(), numeroFam->text(), numeroMuestras->text(),
                                        SeparadorDecimal())) {
        // The cursor waits on the cell at fault, its text selected so that
        // typing replaces it (a cell beyond the grid leaves it on the first).
        const Celda &celda = fallo->celda;
        if (celda.columna <= rejilla->columnCount() && celda.fila <= rejilla->rowCount())
            ponCeldaActual(celda.columna, celda.fila);
        editor->selectAll();
        enfoca(rejilla);
        Dialogos::actual().mensaje(fallo->mensaje);
        return;
    }
    enfoca(botonAceptarDatos);
}

void VentanaEstudio::aceptaDatos()
{
    emit evento(Evento::botonOk);
}

// --- Events --------------------------------------------------------------

bool VentanaEstudio::eventFilter(QObject *objeto, QEvent *event)
{
    if (rejilla && objeto == rejilla->viewport()) {
        if (event->type() == QEvent::Resize)
            colocaEditor();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(objeto, event);
    auto *tecla = static_cast<QKeyEvent *>(event);

    if (objeto == editor) {
        const bool conCtrl = tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        switch (tecla->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            if (conCtrl)
                break;
            const bool adelante = tecla->key() == Qt::Key_Tab
                                  && !(tecla->modifiers() & Qt::ShiftModifier);
            if (m_opciones == OpcionesRejilla::sinTab) {
                saleDeRejilla(adelante);
                return true;
            }
            // Tab moves along the rows and wraps round at the ends.
            const int columnas = rejilla->columnCount();
            const int filas = rejilla->rowCount();
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
            if (editor->cursorPosition() == 0 && !editor->hasSelectedText()) {
                mueveCelda(-1, 0);
                return true;
            }
            break;
        case Qt::Key_Right:
            if (editor->cursorPosition() == editor->text().size() && !editor->hasSelectedText()) {
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
        if (esCaracter(tecla))
            teclaEnRejilla();
        return false;
    }

    auto *campo = qobject_cast<QLineEdit *>(objeto);
    if (campo && esCaracter(tecla)) {
        const bool vacio = campo->text().isEmpty();
        teclaEnCampo(campo, tecla->text().front());
        // Enter in a filled count field has moved the focus on.
        return !vacio && tecla->text().front() == u'\r'
               && (campo == numeroFam || campo == numeroMuestras);
    }
    // A button with the focus answers Enter as well as the space bar, so the
    // keyboard road through the capture page goes on with the same key.
    auto *boton = qobject_cast<QPushButton *>(objeto);
    if (boton && (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)) {
        boton->click();
        return true;
    }
    return QWidget::eventFilter(objeto, event);
}

void VentanaEstudio::closeEvent(QCloseEvent *event)
{
    if (!puedeCerrar()) {
        event->ignore();
        return;
    }
    avisaCierre();
    event->accept();
}

bool VentanaEstudio::puedeCerrar()
{
    if (!m_modificado)
        return true;
    switch (Dialogos::actual().pregunta(QStringLiteral("Guardar archivo?"),
                                        QStringLiteral("Se realizaron cambios!\n"
                                                       "Quiere guardar su información?"))) {
    case Dialogos::Respuesta::no:
        return true;
    case Dialogos::Respuesta::ninguna:
        // Escape or the box's close button: the user did not decide, so
        // nothing is closed.
        return false;
    case Dialogos::Respuesta::si:
        break;
    }
    // The user asked for the study to be kept: if it was not saved
    // (validation failed, dialog cancelled, write failed) the window stays.
    bool guardado = false;
    EjecutaComando([this, &guardado] { guardado = m_guarda && m_guarda(); });
    return guardado;
}

void VentanaEstudio::avisaCierre()
{
    if (m_cerrada)
        return;
    m_cerrada = true;
    emit cerrada();
}

// --- Capture validation --------------------------------------------------

bool ValidaCaptura(VentanaEstudio *documento)
{
    if (!documento)
        return false;
    const auto fallo = RevisaConteos(documento->textoConteo(CampoConteo::numeroFam),
                                     documento->textoConteo(CampoConteo::numeroMuestras));
    if (!fallo)
        return true;
    Dialogos::actual().mensaje(fallo->mensaje);
    documento->enfocaConteo(fallo->campo);
    return false;
}
