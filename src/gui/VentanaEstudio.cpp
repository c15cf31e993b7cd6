#include "VentanaEstudio.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/motor/Conversiones.h"
#include "gui/Ayuda.h"
#include "gui/CamposTexto.h"
#include "gui/Dialogos.h"
#include "gui/RejillaCaptura.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

VentanaEstudio::VentanaEstudio(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Finforma"));
    setProperty(PropiedadAyuda, 2);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Nuevo"));
    creaComponentes();
    resize(631, 476);
    inicia();

    m_seguimiento.agrupa(stgdatos);
    connect(&m_seguimiento, &SeguimientoFoco::entra, this, &VentanaEstudio::entraDocumento);
    connect(&m_seguimiento, &SeguimientoFoco::sale, this, &VentanaEstudio::sale);
    connect(&m_seguimiento, &SeguimientoFoco::entraEn, this, [this](QWidget *componente) {
        if (componente == stgdatos)
            entraRejilla();
    });
    // A count left for another window of the program (another child window,
    // the help, a print window) is checked as when the focus moves on inside
    // this one, so that a bad count never stays unannounced. A good count
    // lets the focus go where the user took it.
    connect(&m_seguimiento, &SeguimientoFoco::saleHaciaOtraVentana, this, [this](QWidget *componente) {
        if ((componente == econdicion || componente == ereplica)
            && revisaConteoDejado(static_cast<QLineEdit *>(componente)))
            m_seguimiento.salidaRevisada();
    });
    connect(this, &VentanaEstudio::cerrada, &m_seguimiento, &SeguimientoFoco::termina);
}

// The focus tracker, a member, goes before the children: their focus
// changes as they go reach no handler.
VentanaEstudio::~VentanaEstudio() = default;

void VentanaEstudio::creaComponentes()
{
    Thojas = new QTabWidget(this);
    Thojas->setObjectName(QStringLiteral("Thojas"));
    Thojas->setAccessibleName(QStringLiteral("Páginas del estudio"));
    auto *todo = new QVBoxLayout(this);
    todo->addWidget(Thojas);

    auto campo = [this](QWidget *pagina, const QString &nombre, int limite, int ancho) {
        auto *e = new QLineEdit(pagina);
        e->setObjectName(nombre);
        PonLimiteDeTecleo(e, limite);
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
    etole = campo(general, QStringLiteral("etole"), 60, 283);
    emetodo = campo(general, QStringLiteral("emetodo"), 60, 577);
    eanalista = campo(general, QStringLiteral("eanalista"), 60, 577);
    efecha = campo(general, QStringLiteral("efecha"), 20, 230);
    etiqueta(general, QStringLiteral("Factores Ajenos al Método (FAM)"), etole, g);
    etiqueta(general, QStringLiteral("Nom&bre del método:"), emetodo, g);
    etiqueta(general, QStringLiteral("Nombre del A&nalista:"), eanalista, g);
    etiqueta(general, QStringLiteral("&Fecha:"), efecha, g);
    g->addStretch();
    Thojas->addTab(general, QStringLiteral("Información General"));

    auto *captura = new QWidget;
    captura->setObjectName(QStringLiteral("captura"));
    auto *c = new QVBoxLayout(captura);
    auto *titulo = new QLabel(QStringLiteral("TOLERANCIA "), captura);
    QFont grande = titulo->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.3);
    titulo->setFont(grande);
    c->addWidget(titulo);
    econdicion = campo(captura, QStringLiteral("econdicion"), 2, 33);
    ereplica = campo(captura, QStringLiteral("ereplica"), 2, 33);
    auto *conteos = new QHBoxLayout;
    auto *cfam = new QVBoxLayout;
    auto *cmuestras = new QVBoxLayout;
    etiqueta(captura, QStringLiteral("&Número de FAM:"), econdicion, cfam);
    etiqueta(captura, QStringLiteral("Número de &Muestras:"), ereplica, cmuestras);
    conteos->addLayout(cfam);
    conteos->addLayout(cmuestras);
    // Alt+A is the "&Archivo" menu's.
    botonok = new QPushButton(QStringLiteral("Ace&ptar número de FAM y  de Muestras"), captura);
    botonok->setObjectName(QStringLiteral("botonok"));
    botonok->setAccessibleName(QStringLiteral("Aceptar número de FAM y  de Muestras"));
    conteos->addWidget(botonok, 0, Qt::AlignBottom);
    conteos->addStretch();
    c->addLayout(conteos);

    creaRejilla(captura);
    c->addWidget(stgdatos);

    boton1 = new QPushButton(QStringLiteral("&OK"), captura);
    boton1->setObjectName(QStringLiteral("boton1"));
    boton1->setAccessibleName(QStringLiteral("OK"));
    c->addWidget(boton1, 0, Qt::AlignLeft);
    c->addStretch();
    Thojas->addTab(captura, QStringLiteral("Captura de Datos"));

    botonok->installEventFilter(this);
    boton1->installEventFilter(this);
    connect(botonok, &QPushButton::clicked, this,
            [this] { EjecutaComando([this] { aceptaConteos(); }); });
    connect(boton1, &QPushButton::clicked, this,
            [this] { EjecutaComando([this] { aceptaDatos(); }); });

    setTabOrder(etole, emetodo);
    setTabOrder(emetodo, eanalista);
    setTabOrder(eanalista, efecha);
    setTabOrder(efecha, econdicion);
    setTabOrder(econdicion, ereplica);
    setTabOrder(ereplica, botonok);
    setTabOrder(botonok, stgdatos);
    setTabOrder(stgdatos, boton1);
}

// The grid and its menu.
void VentanaEstudio::creaRejilla(QWidget *pagina)
{
    stgdatos = new RejillaCaptura(pagina);
    stgdatos->setToolTip(QStringLiteral("opciones botón derecho"));
    stgdatos->setStatusTip(QStringLiteral("opciones botón derecho"));
    connect(stgdatos, &RejillaCaptura::celdaTecleada, this, [this] {
        ponModificado(true);
        emit evento(Evento::teclaEnRejilla);
    });
    connect(stgdatos, &RejillaCaptura::ultimaCeldaTecleada, this,
            [this] { emit evento(Evento::teclaEnUltimaCelda); });
    connect(stgdatos, &RejillaCaptura::celdaEditada, this, [this] { ponModificado(true); });
    connect(stgdatos, &RejillaCaptura::dejada, this, [this](bool adelante) {
        (adelante ? boton1 : botonok)->setFocus(adelante ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    });

    pmenu = new QMenu(this);
    pmenu->setObjectName(QStringLiteral("pmenu"));
    pmnudunet = pmenu->addAction(QStringLiteral("&t de Dunnett"));
    pmnudunet->setObjectName(QStringLiteral("pmnudunet"));
    pmnudunet->setToolTip(QStringLiteral("Cálculos"));
    pmnudunet->setStatusTip(QStringLiteral("Presenta lista de promedios y t de Dunnett"));
    connect(pmnudunet, &QAction::triggered, this,
            [this] { EjecutaComando([this] { emit dunnettPedido(); }); });
    stgdatos->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(stgdatos, &QWidget::customContextMenuRequested, this, [this](const QPoint &punto) {
        pmenu->popup(stgdatos->viewport()->mapToGlobal(punto));
    });
}

void VentanaEstudio::inicia()
{
    econdicion->setText(QString::number(FamInicial));
    ereplica->setText(QString::number(MuestrasInicial));
    m_memoria = RejillaCreacion();
    stgdatos->muestra(m_memoria);
    stgdatos->ponOpciones(RejillaCaptura::Opciones::inicial);
}

Estudio VentanaEstudio::estudio() const
{
    Estudio e;
    e.etole = etole->text();
    e.emetodo = emetodo->text();
    e.eanalista = eanalista->text();
    e.efecha = efecha->text();
    e.econdicion = econdicion->text();
    e.ereplica = ereplica->text();
    e.stgdatos = stgdatos->rejilla();
    return e;
}

QString VentanaEstudio::textoConteo(CampoConteo campo) const
{
    return campo == CampoConteo::econdicion ? econdicion->text() : ereplica->text();
}

void VentanaEstudio::cargaArchivo(const ArchivoEstudio &archivo, const QString &ruta)
{
    PonTextoEntero(etole, archivo.etole);
    PonTextoEntero(emetodo, archivo.emetodo);
    PonTextoEntero(eanalista, archivo.eanalista);
    PonTextoEntero(efecha, archivo.efecha);
    PonTextoEntero(econdicion, archivo.econdicion);
    PonTextoEntero(ereplica, archivo.ereplica);
    m_memoria = EstudioAceptado(archivo).stgdatos;
    stgdatos->muestra(m_memoria);
    stgdatos->ajustaA(archivo.k, archivo.n);
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

// --- Focus ---------------------------------------------------------------

void VentanaEstudio::tomaFoco()
{
    m_seguimiento.tomaFoco();
}

void VentanaEstudio::enfocaConteo(CampoConteo campo)
{
    m_seguimiento.enfoca(campo == CampoConteo::econdicion ? econdicion : ereplica);
}

// A passed count check sends the focus forward unless the user has taken it
// into the grid (a click in a cell): the grid is entered however it gets the
// focus.
bool VentanaEstudio::enRejilla() const
{
    return m_seguimiento.componente(focusWidget()) == stgdatos;
}

void VentanaEstudio::sale(QWidget *componente)
{
    if (componente == econdicion || componente == ereplica) {
        auto *campo = static_cast<QLineEdit *>(componente);
        if (revisaConteoDejado(campo) && !enRejilla())
            m_seguimiento.enfoca(campo == econdicion ? static_cast<QWidget *>(ereplica) : botonok);
    } else if (componente == botonok) {
        if (stgdatos->isEnabled())
            stgdatos->setFocus(Qt::OtherFocusReason);
    } else if (componente == stgdatos) {
        saleRejilla();
    }
}

// --- Handlers ------------------------------------------------------------

void VentanaEstudio::entraDocumento()
{
    Thojas->setCurrentIndex(0);
    m_seguimiento.enfoca(etole);
    emit evento(Evento::focoEntraDocumento);
}

void VentanaEstudio::teclaEnCampo(QLineEdit *campo, QChar tecla)
{
    ponModificado(true);
    if (tecla != u'\r' || campo->text().isEmpty())
        return;
    if (campo == econdicion)
        ereplica->setFocus(Qt::OtherFocusReason);
    else if (campo == ereplica)
        botonok->setFocus(Qt::OtherFocusReason);
}

// The check of a count as it is left, for another component or another
// window: a bad count takes the focus back and says why.
bool VentanaEstudio::revisaConteoDejado(QLineEdit *campo)
{
    const auto mensaje = campo == econdicion ? RevisaConteoFam(campo->text())
                                             : RevisaConteoMuestras(campo->text());
    if (mensaje) {
        m_seguimiento.enfoca(campo);
        Dialogos::actual().mensaje(*mensaje);
    }
    return !mensaje;
}

void VentanaEstudio::aceptaConteos()
{
    Thojas->setCurrentIndex(1);
    const int n = StrToInt(ereplica->text());
    const int k = StrToInt(econdicion->text());
    RecuerdaCeldas(m_memoria, stgdatos->rejilla());
    Rejilla aceptada = m_memoria;
    AceptaRejilla(aceptada, k, n);
    stgdatos->muestra(aceptada);
}

void VentanaEstudio::entraRejilla()
{
    if (const auto fallo = RevisaTamanoRejilla(econdicion->text(), ereplica->text(),
                                               stgdatos->columnCount() + 1,
                                               stgdatos->rowCount() + 1)) {
        enfocaConteo(fallo->campo);
        Dialogos::actual().mensaje(fallo->mensaje);
        return;
    }
    emit evento(Evento::focoEntraRejilla);
}

void VentanaEstudio::saleRejilla()
{
    stgdatos->ponOpciones(RejillaCaptura::Opciones::conTab);
    if (stgdatos->rowCount() > 0 && stgdatos->columnCount() > 0)
        stgdatos->ponCeldaActual(1, 1);
    if (const auto fallo = RevisaCeldas(stgdatos->rejilla(), econdicion->text(), ereplica->text(),
                                        SeparadorDecimal())) {
        // The cursor waits on the cell at fault, its text selected so that
        // typing replaces it (a cell beyond the grid leaves it on the first).
        const Celda &celda = fallo->celda;
        if (celda.columna <= stgdatos->columnCount() && celda.fila <= stgdatos->rowCount())
            stgdatos->ponCeldaActual(celda.columna, celda.fila);
        stgdatos->seleccionaTexto();
        m_seguimiento.enfoca(stgdatos);
        Dialogos::actual().mensaje(fallo->mensaje);
        return;
    }
    m_seguimiento.enfoca(boton1);
}

void VentanaEstudio::aceptaDatos()
{
    emit evento(Evento::botonOk);
}

// --- Events --------------------------------------------------------------

bool VentanaEstudio::eventFilter(QObject *objeto, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(objeto, event);
    auto *tecla = static_cast<QKeyEvent *>(event);
    auto *campo = qobject_cast<QLineEdit *>(objeto);
    if (campo && EsCaracter(tecla)) {
        const bool vacio = campo->text().isEmpty();
        teclaEnCampo(campo, tecla->text().front());
        // Enter in a filled count field has moved the focus on.
        return !vacio && tecla->text().front() == u'\r'
               && (campo == econdicion || campo == ereplica);
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
    const auto fallo = RevisaConteos(documento->textoConteo(CampoConteo::econdicion),
                                     documento->textoConteo(CampoConteo::ereplica));
    if (!fallo)
        return true;
    Dialogos::actual().mensaje(fallo->mensaje);
    documento->enfocaConteo(fallo->campo);
    return false;
}
