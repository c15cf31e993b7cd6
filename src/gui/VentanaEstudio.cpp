#include "VentanaEstudio.h"

#include "core/motor/Mensajes.h"
#include "core/estudio/ArchivoEstudio.h"
#include "core/motor/Conversiones.h"
#include "gui/Ayuda.h"
#include "gui/CamposTexto.h"
#include "gui/Dialogos.h"
#include "gui/RegistroEstudio.h"
#include "gui/RejillaCaptura.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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

    m_seguimiento.agrupa(rejilla);
    connect(&m_seguimiento, &SeguimientoFoco::entra, this, &VentanaEstudio::entraDocumento);
    connect(&m_seguimiento, &SeguimientoFoco::sale, this, &VentanaEstudio::sale);
    connect(&m_seguimiento, &SeguimientoFoco::entraEn, this, [this](QWidget *componente) {
        if (componente == rejilla)
            entraRejilla();
    });
    // A count left for another window of the program (another child window,
    // the help, a print window) is checked as when the focus moves on inside
    // this one, so that a bad count never stays unannounced. A good count
    // lets the focus go where the user took it.
    connect(&m_seguimiento, &SeguimientoFoco::saleHaciaOtraVentana, this, [this](QWidget *componente) {
        if ((componente == numeroFam || componente == numeroMuestras)
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
    cuaderno = new QTabWidget(this);
    cuaderno->setObjectName(QStringLiteral("Thojas"));
    cuaderno->setAccessibleName(QStringLiteral("Páginas del estudio"));
    auto *todo = new QVBoxLayout(this);
    todo->addWidget(cuaderno);

    auto *general = new QWidget;
    general->setObjectName(QStringLiteral("general"));
    auto *g = new QVBoxLayout(general);
    factores = CreaCampo(general, QStringLiteral("etole"), 60, 283);
    metodo = CreaCampo(general, QStringLiteral("emetodo"), 60, 577);
    analista = CreaCampo(general, QStringLiteral("eanalista"), 60, 577);
    fecha = CreaCampo(general, QStringLiteral("efecha"), 20, 230);
    PonEtiqueta(general, QStringLiteral("Factores Ajenos al Método (FAM)"), factores, g);
    PonEtiqueta(general, QStringLiteral("Nom&bre del método:"), metodo, g);
    PonEtiqueta(general, QStringLiteral("Nombre del A&nalista:"), analista, g);
    PonEtiqueta(general, QStringLiteral("&Fecha:"), fecha, g);
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
    numeroFam = CreaCampo(captura, QStringLiteral("econdicion"), 2, 33);
    numeroMuestras = CreaCampo(captura, QStringLiteral("ereplica"), 2, 33);
    auto *conteos = new QHBoxLayout;
    auto *cfam = new QVBoxLayout;
    auto *cmuestras = new QVBoxLayout;
    PonEtiqueta(captura, QStringLiteral("&Número de FAM:"), numeroFam, cfam);
    PonEtiqueta(captura, QStringLiteral("Número de &Muestras:"), numeroMuestras, cmuestras);
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

    const QList<QWidget *> orden{factores, metodo, analista, fecha, numeroFam, numeroMuestras,
                                 botonAceptarConteos, rejilla, botonAceptarDatos};
    for (qsizetype i = 1; i < orden.size(); ++i)
        setTabOrder(orden[i - 1], orden[i]);
    for (QLineEdit *campo : {factores, metodo, analista, fecha, numeroFam, numeroMuestras}) {
        campo->installEventFilter(this);
        // Also edits made without a typed character (Delete, cut, paste,
        // undo) change the study.
        connect(campo, &QLineEdit::textEdited, this, [this] { ponModificado(true); });
    }
}

// The grid and its menu.
void VentanaEstudio::creaRejilla(QWidget *pagina)
{
    rejilla = new RejillaCaptura(pagina);
    connect(rejilla, &RejillaCaptura::celdaTecleada, this, [this] {
        ponModificado(true);
        emit evento(Evento::teclaEnRejilla);
    });
    connect(rejilla, &RejillaCaptura::ultimaCeldaTecleada, this,
            [this] { emit evento(Evento::teclaEnUltimaCelda); });
    connect(rejilla, &RejillaCaptura::celdaEditada, this, [this] { ponModificado(true); });
    connect(rejilla, &RejillaCaptura::dejada, this, [this](bool adelante) {
        (adelante ? botonAceptarDatos : botonAceptarConteos)->setFocus(adelante ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    });
    connect(rejilla, &RejillaCaptura::dunnettPedido, this,
            [this] { EjecutaComando([this] { emit dunnettPedido(); }); });
}

void VentanaEstudio::inicia()
{
    numeroFam->setText(QString::number(FamInicial));
    numeroMuestras->setText(QString::number(MuestrasInicial));
    m_memoria = RejillaCreacion();
    rejilla->muestra(m_memoria);
    rejilla->ponOpciones(RejillaCaptura::Opciones::inicial);
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
    e.rejilla = rejilla->rejilla();
    return e;
}

QString VentanaEstudio::textoConteo(CampoConteo campo) const
{
    return campo == CampoConteo::numeroFam ? numeroFam->text() : numeroMuestras->text();
}

QAction *VentanaEstudio::accionDunnett() const
{
    return rejilla->accionDunnett();
}

void VentanaEstudio::cargaArchivo(const ArchivoEstudio &archivo, const QByteArray &bytes,
                                  const QString &ruta)
{
    PonTextoEntero(factores, archivo.factores);
    PonTextoEntero(metodo, archivo.metodo);
    PonTextoEntero(analista, archivo.analista);
    PonTextoEntero(fecha, archivo.fecha);
    PonTextoEntero(numeroFam, archivo.numeroFam);
    PonTextoEntero(numeroMuestras, archivo.numeroMuestras);
    m_memoria = EstudioAceptado(archivo).rejilla;
    rejilla->muestra(m_memoria);
    rejilla->ajustaA(archivo.k, archivo.n);
    m_guardado = bytes;
    m_huellaGuardado = HuellaDe(bytes);
    ponRuta(ruta);
}

void VentanaEstudio::revisaRegistro()
{
    RevisaRegistroAlAbrir(m_ruta, m_huellaGuardado);
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

Huella VentanaEstudio::huella() const
{
    return m_modificado ? Huella{} : m_huellaGuardado;
}

// --- Saving --------------------------------------------------------------

bool VentanaEstudio::guarda()
{
    if (!ValidaCaptura(this))
        return false;
    if (sinTitulo())
        return guardaEn(Dialogos::actual().guardaArchivo(this, QStringLiteral("Nuevo")));
    return guardaEn(m_ruta);
}

bool VentanaEstudio::guardaComo()
{
    if (!ValidaCaptura(this))
        return false;
    return guardaEn(Dialogos::actual().guardaArchivo(this, m_ruta));
}

bool VentanaEstudio::guardaEn(const QString &ruta)
{
    if (ruta.isEmpty())
        return false;
    // Composed first: a study the file cannot hold writes nothing.
    const QByteArray bytes = EscribeEstudio(estudio());
    // A save the register does not hold is no save: the study stays
    // modified and the version its changes are from stays the same, so the
    // next save records them again.
    if (!GuardaConRegistro(ruta, m_guardado, bytes, this))
        return false;
    m_guardado = bytes;
    m_huellaGuardado = HuellaDe(bytes);
    ponRuta(ruta);
    ponModificado(false);
    return true;
}

bool VentanaEstudio::quiereGuardar()
{
    if (!m_modificado)
        return true;
    switch (Dialogos::actual().pregunta(TextoDe(Mensaje::guardarArchivo),
                                        TextoDe(Mensaje::cambiosSinGuardar))) {
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
    // (validation failed, dialog or reason cancelled, write failed) the
    // window stays.
    bool guardado = false;
    EjecutaComando([this, &guardado] { guardado = guarda(); });
    return guardado;
}

// --- Focus ---------------------------------------------------------------

void VentanaEstudio::tomaFoco()
{
    m_seguimiento.tomaFoco();
}

void VentanaEstudio::enfocaConteo(CampoConteo campo)
{
    m_seguimiento.enfoca(campo == CampoConteo::numeroFam ? numeroFam : numeroMuestras);
}

// A passed count check sends the focus forward unless the user has taken it
// into the grid (a click in a cell): the grid is entered however it gets the
// focus.
bool VentanaEstudio::enRejilla() const
{
    return m_seguimiento.componente(focusWidget()) == rejilla;
}

void VentanaEstudio::sale(QWidget *componente)
{
    if (componente == numeroFam || componente == numeroMuestras) {
        auto *campo = static_cast<QLineEdit *>(componente);
        if (revisaConteoDejado(campo) && !enRejilla())
            m_seguimiento.enfoca(campo == numeroFam ? static_cast<QWidget *>(numeroMuestras) : botonAceptarConteos);
    } else if (componente == botonAceptarConteos) {
        if (rejilla->isEnabled())
            rejilla->setFocus(Qt::OtherFocusReason);
    } else if (componente == rejilla) {
        saleRejilla();
    }
}

// --- Handlers ------------------------------------------------------------

void VentanaEstudio::entraDocumento()
{
    cuaderno->setCurrentIndex(0);
    m_seguimiento.enfoca(factores);
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

// The check of a count as it is left, for another component or another
// window: a bad count takes the focus back and says why.
bool VentanaEstudio::revisaConteoDejado(QLineEdit *campo)
{
    const auto mensaje = campo == numeroFam ? RevisaConteoFam(campo->text())
                                             : RevisaConteoMuestras(campo->text());
    if (mensaje) {
        m_seguimiento.enfoca(campo);
        Dialogos::actual().mensaje(*mensaje);
    }
    return !mensaje;
}

void VentanaEstudio::aceptaConteos()
{
    cuaderno->setCurrentIndex(1);
    const int n = EnteroDeTexto(numeroMuestras->text());
    const int k = EnteroDeTexto(numeroFam->text());
    RecuerdaCeldas(m_memoria, rejilla->rejilla());
    Rejilla aceptada = m_memoria;
    AceptaRejilla(aceptada, k, n);
    rejilla->muestra(aceptada);
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

void VentanaEstudio::saleRejilla()
{
    rejilla->ponOpciones(RejillaCaptura::Opciones::conTab);
    if (rejilla->rowCount() > 0 && rejilla->columnCount() > 0)
        rejilla->ponCeldaActual(1, 1);
    if (const auto fallo = RevisaCeldas(rejilla->rejilla(), numeroFam->text(), numeroMuestras->text(),
                                        SeparadorDecimal())) {
        // The cursor waits on the cell at fault, its text selected so that
        // typing replaces it (a cell beyond the grid leaves it on the first).
        const Celda &celda = fallo->celda;
        if (celda.columna <= rejilla->columnCount() && celda.fila <= rejilla->rowCount())
            rejilla->ponCeldaActual(celda.columna, celda.fila);
        rejilla->seleccionaTexto();
        m_seguimiento.enfoca(rejilla);
        Dialogos::actual().mensaje(fallo->mensaje);
        return;
    }
    m_seguimiento.enfoca(botonAceptarDatos);
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
    if (!quiereGuardar()) {
        event->ignore();
        return;
    }
    avisaCierre();
    event->accept();
}

void VentanaEstudio::avisaCierre()
{
    if (m_cerrada)
        return;
    m_cerrada = true;
    emit cerrada();
}

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
