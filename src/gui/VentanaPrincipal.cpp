#include "VentanaPrincipal.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/motor/Errores.h"
#include "gui/AcercaDe.h"
#include "gui/ArregloVentanas.h"
#include "gui/Ayuda.h"
#include "gui/DialogoFirma.h"
#include "gui/Dialogos.h"
#include "gui/OpcionesImpresion.h"
#include "gui/RegistroEstudio.h"
#include "gui/Resultados.h"
#include "gui/VentanaEstudio.h"
#include "gui/VentanaRegistro.h"
#include "gui/VentanaResultado.h"
#include "gui/VentanaTipoImpresora.h"
#include "gui/VentanaVerificacion.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

// A hint is "short|long": the short part is the tooltip, the long part goes
// to the status line; without "|" the text serves as both.
template<typename Componente>
void ponPista(Componente *componente, const QString &pista)
{
    const qsizetype barra = pista.indexOf(u'|');
    componente->setToolTip(barra < 0 ? pista : pista.left(barra));
    componente->setStatusTip(barra < 0 ? pista : pista.mid(barra + 1));
}

// Glyphs the style has no standard icon for.
QIcon dibujaGlifo(const std::function<void(QPainter &)> &dibujo)
{
    QPixmap mapa(16, 16);
    mapa.fill(Qt::transparent);
    QPainter pintor(&mapa);
    dibujo(pintor);
    return QIcon(mapa);
}

QIcon glifoImpresora()
{
    return dibujaGlifo([](QPainter &p) {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 8, 5);
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(1, 6, 14, 6);
        p.setBrush(Qt::white);
        p.drawRect(4, 10, 8, 5);
        p.setPen(Qt::green);
        p.drawPoint(13, 8);
    });
}

QIcon glifoMosaico()
{
    return dibujaGlifo([](QPainter &p) {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(1, 1, 6, 13);
        p.drawRect(8, 1, 6, 13);
        p.fillRect(2, 2, 5, 2, Qt::darkBlue);
        p.fillRect(9, 2, 5, 2, Qt::darkBlue);
    });
}

QIcon glifoCascada()
{
    return dibujaGlifo([](QPainter &p) {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        for (int i = 0; i < 3; ++i) {
            p.drawRect(1 + 3 * i, 1 + 3 * i, 8, 8);
            p.fillRect(2 + 3 * i, 2 + 3 * i, 7, 2, Qt::darkBlue);
        }
    });
}

void muestraVentana(QWidget *ventana)
{
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
}

// Three columns of points, each with its mean.
QIcon glifoGrafica()
{
    return dibujaGlifo([](QPainter &p) {
        p.setPen(Qt::black);
        p.drawLine(1, 1, 1, 14);
        p.drawLine(1, 14, 14, 14);
        p.fillRect(3, 9, 2, 2, Qt::darkBlue);
        p.fillRect(3, 6, 2, 2, Qt::darkBlue);
        p.fillRect(7, 4, 2, 2, Qt::darkRed);
        p.fillRect(7, 7, 2, 2, Qt::darkRed);
        p.fillRect(11, 8, 2, 2, Qt::darkGreen);
        p.fillRect(11, 11, 2, 2, Qt::darkGreen);
    });
}

// A status panel is named by its role; its text, which changes, is its
// description, so that a screen reader can read it out.
void ponTextoPanel(QLabel *panel, const QString &texto)
{
    panel->setText(texto);
    panel->setAccessibleDescription(texto);
    QAccessibleEvent cambio(panel, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&cambio);
}

} // namespace

VentanaPrincipal::VentanaPrincipal(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tolerancia del Método, Factores Ajenos  al Método"));

    auto *centro = new QWidget(this);
    auto *columna = new QVBoxLayout(centro);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->setSpacing(0);
    creaBarra();
    columna->addWidget(findChild<QWidget *>(QStringLiteral("SpeedBar")));
    m_mdi = new QMdiArea(centro);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    // Children keep what their content needs; where the workspace is too
    // small for them it scrolls, and the frame keeps its size.
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    columna->addWidget(m_mdi, 1);
    setCentralWidget(centro);

    creaMenus();
    creaEstado();
    aplicaEvento(Evento::inicio);
    // Ctrl+F4 closes the active child window, with the study's close
    // question, wherever the platform itself does not bind it.
    const QKeySequence ctrlF4(Qt::CTRL | Qt::Key_F4);
    if (!QKeySequence::keyBindings(QKeySequence::Close).contains(ctrlF4))
        new QShortcut(ctrlF4, this, this, &VentanaPrincipal::cerrar);
    // F1 in a window with a topic of its own (the study, a result window,
    // the about box) opens that topic rather than the contents.
    qApp->installEventFilter(this);
}

VentanaPrincipal::~VentanaPrincipal() = default;

QMdiArea *VentanaPrincipal::marco() const
{
    return m_mdi;
}

VentanaEstudio *VentanaPrincipal::documento() const
{
    return m_documento;
}

QString VentanaPrincipal::estado() const
{
    return estadoPanel->text();
}

// --- Building the window -------------------------------------------------

QMenu *VentanaPrincipal::creaMenu(QMenu *padre, const QString &nombre, const QString &titulo, int ayuda,
                           const QString &pista)
{
    QMenu *menu = padre ? padre->addMenu(titulo) : menuBar()->addMenu(titulo);
    menu->setObjectName(nombre);
    menu->menuAction()->setObjectName(nombre);
    menu->menuAction()->setProperty(PropiedadAyuda, ayuda);
    ponPista(menu->menuAction(), pista);
    if (padre)
        m_menuDe.insert(menu->menuAction(), padre->menuAction());
    menu->installEventFilter(this);
    return menu;
}

QAction *VentanaPrincipal::creaAccion(QMenu *menu, const QString &nombre, const QString &titulo,
                               int ayuda, const QString &pista, void (VentanaPrincipal::*comando)())
{
    QAction *accion = menu->addAction(titulo);
    accion->setObjectName(nombre);
    accion->setProperty(PropiedadAyuda, ayuda);
    ponPista(accion, pista);
    m_menuDe.insert(accion, menu->menuAction());
    connect(accion, &QAction::triggered, this, [this, accion, comando] {
        if (alcanzable(accion))
            (this->*comando)();
    });
    return accion;
}

QAction *VentanaPrincipal::creaAccion(QMenu *menu, Comando comando, const QString &titulo,
                                     int ayuda, const QString &pista,
                                     void (VentanaPrincipal::*manejador)())
{
    QAction *accion = creaAccion(menu, NombreComando(comando), titulo, ayuda, pista, manejador);
    m_comandos[comando] << accion;
    return accion;
}

void VentanaPrincipal::creaMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));

    QMenu *menuArchivo = creaMenu(nullptr, QStringLiteral("FileMenu"), QStringLiteral("&Archivo"), 1,
                               QStringLiteral("Crea,abre,guarda e imrpime un archivo"));
    creaAccion(menuArchivo, Comando::NuevoEstudio, QStringLiteral("&Nuevo"), 2,
               QStringLiteral("Archivo|Crea un nuevo archivo"), &VentanaPrincipal::nuevo)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    creaAccion(menuArchivo, Comando::AbrirEstudio, QStringLiteral("&Abrir..."), 3,
               QStringLiteral("Archivo|Abre un archivo ya existente"), &VentanaPrincipal::abrir)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    creaAccion(menuArchivo, Comando::CerrarVentana, QStringLiteral("C&errar"), 4,
               QStringLiteral("Archivo|Cierra la ventana activa"), &VentanaPrincipal::cerrar);
    menuArchivo->addSeparator();
    creaAccion(menuArchivo, Comando::GuardarEstudio, QStringLiteral("&Guardar"), 5,
               QStringLiteral("Archivo|Guarda el archivo"), &VentanaPrincipal::guardar)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+G")));
    creaAccion(menuArchivo, Comando::GuardarComo, QStringLiteral("Guardar &como..."), 6,
               QStringLiteral("Archivo|Guarda el archivo con un nuevo nombre y/o trayectoria"),
               &VentanaPrincipal::guardarComo);
    // The lab's preference, kept between runs; the register records every
    // save either way.
    m_preguntaMotivo = creaAccion(menuArchivo, QStringLiteral("preguntarMotivo"),
                                  QStringLiteral("Pedir el &motivo de cada cambio"), 0,
                                  QStringLiteral("Archivo|Al guardar un estudio con cambios pide el motivo, "
                                                 "que queda en su registro de cambios"),
                                  &VentanaPrincipal::cambiaPreguntaMotivo);
    m_preguntaMotivo->setCheckable(true);
    m_preguntaMotivo->setChecked(PreguntaMotivo());
    menuArchivo->addSeparator();
    QMenu *menuImprimir = creaMenu(menuArchivo, QStringLiteral("FilePrintItem"),
                                    QStringLiteral("&Imprimir..."), 7,
                                    QStringLiteral("Archivo|Imprime el archivo actual"));
    m_comandos[Comando::MenuImprimir] << menuImprimir->menuAction();
    creaAccion(menuImprimir, Comando::ImprimirLaser, QStringLiteral("Lasser"), 0, {},
               &VentanaPrincipal::imprimeLaser);
    // Hidden by keeping it out of the menu: an action made invisible can never
    // be enabled, and this one follows the command table like its button.
    QAction *accionTinta = creaAccion(menuImprimir, Comando::ImprimirTinta,
                                       QStringLiteral("Deskjet"), 0, {},
                                       &VentanaPrincipal::imprimeTinta);
    menuImprimir->removeAction(accionTinta);
    menuArchivo->addSeparator();
    creaAccion(menuArchivo, Comando::RegistroCambios, QStringLiteral("&Registro de cambios…"), 21,
               QStringLiteral("Archivo|Presenta quién cambió el estudio, cuándo, qué y por qué, y sus firmas"),
               &VentanaPrincipal::registroCambios);
    creaAccion(menuArchivo, Comando::FirmarEstudio, QStringLiteral("&Firmar…"), 22,
               QStringLiteral("Archivo|Firma el estudio guardado en su registro de cambios"),
               &VentanaPrincipal::firmar);
    menuArchivo->addSeparator();
    creaAccion(menuArchivo, QStringLiteral("FileExitItem"), QStringLiteral("&Salir"), 8,
               QStringLiteral("Salir del módulo ZANTU"), &VentanaPrincipal::salir);

    QMenu *menuCalculos = creaMenu(nullptr, QStringLiteral("mnucalculos"),
                                  QStringLiteral("&Cálculos"), 10,
                                  QStringLiteral("Cálculos de Precisión del sistema"));
    m_comandos[Comando::MenuCalculos] << menuCalculos->menuAction();
    // The two calculations have topics of their own, those of their windows.
    creaAccion(menuCalculos, Comando::AnalisisVarianza, QStringLiteral("Análisis de la varianza"), 11,
               QStringLiteral("Calculos|Resultados de Análisis de la Varianza"),
               &VentanaPrincipal::analisisVarianza);
    creaAccion(menuCalculos, Comando::IntervalosConfianza, QStringLiteral("Intervalo de Confianza"), 12,
               {}, &VentanaPrincipal::intervalosConfianza);
    creaAccion(menuCalculos, Comando::Grafica, QStringLiteral("Gráfica"), 15,
               QStringLiteral("Cálculos|Presenta la gráfica de los valores, los promedios y sus intervalos"),
               &VentanaPrincipal::grafica);
    creaAccion(menuCalculos, Comando::Informe, QStringLiteral("&Informe"), 19,
               QStringLiteral("Cálculo|Presenta datos y resultados"), &VentanaPrincipal::informe);
    creaAccion(menuCalculos, Comando::Supuestos, QStringLiteral("Supuestos del análisis"), 14,
               QStringLiteral("Cálculos|Pruebas de Cochran, Grubbs y Levene y probabilidad exacta de F"),
               &VentanaPrincipal::supuestos);
    creaAccion(menuCalculos, Comando::PrecisionEquivalencia, QStringLiteral("&Precisión intermedia y equivalencia..."), 16,
               QStringLiteral("Cálculos|Componentes de la varianza con sus límites y equivalencia entre FAM"),
               &VentanaPrincipal::precision);

    // "&Ventana", "A&yuda" and the help button stay usable all the time.
    QMenu *menuVentana = creaMenu(nullptr, QStringLiteral("WindowMenu"), QStringLiteral("&Ventana"),
                                 20, QStringLiteral("Arregla las ventanas presentes"));
    creaAccion(menuVentana, Comando::Mosaico, QStringLiteral("&Mosaico"), 20,
               QStringLiteral("Ventana|Arregla las ventanas en mosaico"), &VentanaPrincipal::mosaico);
    creaAccion(menuVentana, Comando::Cascada, QStringLiteral("&Cascada"), 20,
               QStringLiteral("Ventana|Arregla las ventanas en cascada"), &VentanaPrincipal::cascada);

    QMenu *menuAyuda = creaMenu(nullptr, QStringLiteral("HelpMenu"), QStringLiteral("A&yuda"), 30,
                               QStringLiteral("Ayuda del módulo RUXW"));
    creaAccion(menuAyuda, QStringLiteral("HelpContentsItem"), QStringLiteral("&Contenido"), 31,
               QStringLiteral("Ayuda|Presenta el contenido de la ayuda"), &VentanaPrincipal::ayudaContenido)
        ->setShortcut(QKeySequence(Qt::Key_F1));
    creaAccion(menuAyuda, QStringLiteral("HelpSearchItem"),
               QStringLiteral("&Buscar ayuda sobre..."), 32,
               QStringLiteral("Ayuda|Busca ayuda sobre"), &VentanaPrincipal::ayudaBuscar)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    creaAccion(menuAyuda, QStringLiteral("HelpHowToUseItem"), QStringLiteral("Como &usar  la ayuda"),
               0, QStringLiteral("Ayuda|Como usar la ayuda"), &VentanaPrincipal::ayudaDeAyuda)
        ->setVisible(false);
    creaAccion(menuAyuda, QStringLiteral("verificacionDelPrograma"), QStringLiteral("&Verificación del programa…"), 17,
               QStringLiteral("Ayuda|Comprueba los cálculos del programa con valores de referencia"),
               &VentanaPrincipal::verificacion);
    menuAyuda->addSeparator();
    creaAccion(menuAyuda, QStringLiteral("HelpAboutItem"), QStringLiteral("&Acerca..."), 33,
               QStringLiteral("Ayuda|Presenta información del programa"), &VentanaPrincipal::acercaDe);
}

QAbstractButton *VentanaPrincipal::creaBoton(const QString &nombre, int izquierda, const QIcon &icono,
                                      const QString &pista, void (VentanaPrincipal::*comando)())
{
    auto *boton = new QToolButton(findChild<QWidget *>(QStringLiteral("SpeedBar")));
    boton->setObjectName(nombre);
    boton->setIcon(icono);
    boton->setAutoRaise(true);
    boton->setFocusPolicy(Qt::NoFocus);  // speed buttons never take the focus
    boton->setGeometry(izquierda, 5, 23, 23);
    ponPista(boton, pista);
    boton->setAccessibleName(boton->toolTip());
    // A hidden button keeps its place and follows the command table, but
    // nothing may press it (a screen reader's "press" included).
    connect(boton, &QToolButton::clicked, this, [this, boton, comando] {
        if (boton->isVisible())
            (this->*comando)();
    });
    return boton;
}

QAbstractButton *VentanaPrincipal::creaBoton(Comando comando, int izquierda, const QIcon &icono,
                                            const QString &pista,
                                            void (VentanaPrincipal::*manejador)())
{
    QAbstractButton *boton = creaBoton(NombreComando(comando), izquierda, icono, pista, manejador);
    m_comandos[comando] << boton;
    return boton;
}

void VentanaPrincipal::creaBarra()
{
    auto *barraBotones = new QWidget(this);
    barraBotones->setObjectName(QStringLiteral("SpeedBar"));
    barraBotones->setFixedHeight(33);
    const QStyle *s = style();
    creaBoton(Comando::BotonNuevo, 8, s->standardIcon(QStyle::SP_FileIcon),
              QStringLiteral("Nuevo|Crea un nuevo archivo"), &VentanaPrincipal::nuevo);
    creaBoton(Comando::BotonAbrir, 32, s->standardIcon(QStyle::SP_DialogOpenButton),
              QStringLiteral("Abre un archivo de Tolerancia a equipos"), &VentanaPrincipal::abrir);
    creaBoton(Comando::BotonGuardar, 56, s->standardIcon(QStyle::SP_DialogSaveButton),
              QStringLiteral("Guarda un archivo de Tolerancia a equipos"), &VentanaPrincipal::guardar);
    creaBoton(Comando::BotonImprimirLaser, 88, glifoImpresora(),
              QStringLiteral("Imprimir en Lasser|Imprime el archivo actual"),
              &VentanaPrincipal::imprimeLaser);
    // Hidden, but it keeps its place on the bar.
    creaBoton(Comando::BotonImprimirTinta, 112, glifoImpresora(),
              QStringLiteral("Imprimir en Deskjet|Imprime el archivo actual"), &VentanaPrincipal::imprimeTinta)
        ->setVisible(false);
    creaBoton(Comando::BotonCerrar, 140, s->standardIcon(QStyle::SP_DialogCloseButton),
              QStringLiteral("Cerrar|Cierra la ventana activa"), &VentanaPrincipal::cerrar);
    creaBoton(QStringLiteral("spdexit"), 166, s->standardIcon(QStyle::SP_BrowserStop),
              QStringLiteral("Salir|Salir del módulo Tolerancia de Método (Tolerancia a equipos)"),
              &VentanaPrincipal::salir);
    creaBoton(Comando::BotonMosaico, 188, glifoMosaico(),
              QStringLiteral("Mosaico|Arregla las ventanas en mosaico"), &VentanaPrincipal::mosaico);
    creaBoton(Comando::BotonCascada, 212, glifoCascada(),
              QStringLiteral("Cascada|Arregla las ventanas en cascada"), &VentanaPrincipal::cascada);
    creaBoton(QStringLiteral("spdcontenido"), 244, s->standardIcon(QStyle::SP_DialogHelpButton),
              QStringLiteral("Contenido|Presenta el contenido de la ayuda"),
              &VentanaPrincipal::ayudaContenido);
    creaBoton(Comando::BotonGrafica, 276, glifoGrafica(),
              QStringLiteral("Gráfica|Presenta la gráfica de los valores, los promedios y sus intervalos"),
              &VentanaPrincipal::grafica);
}

void VentanaPrincipal::creaEstado()
{
    auto *barraEstado = new QStatusBar(this);
    barraEstado->setObjectName(QStringLiteral("Panel1"));
    barraEstado->setFixedHeight(33);
    barraEstado->setSizeGripEnabled(false);
    auto panel = [barraEstado](const QString &nombre, const QString &papel, const QString &texto) {
        auto *etiqueta = new QLabel(barraEstado);
        etiqueta->setObjectName(nombre);
        etiqueta->setAccessibleName(papel);
        ponTextoPanel(etiqueta, texto);
        etiqueta->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return etiqueta;
    };
    lineaEstado = panel(QStringLiteral("StatusLine"), QStringLiteral("Ayuda de la orden"),
                        QString());
    lineaEstado->setFixedWidth(380);
    QLabel *panelAyuda = panel(QStringLiteral("Paneld"), QStringLiteral("Tecla de ayuda"),
                           QStringLiteral("F1 <Ayuda>"));
    estadoPanel = panel(QStringLiteral("estado"), QStringLiteral("Estado del estudio"), QString());
    estadoPanel->setFixedWidth(132);
    estadoPanel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    barraEstado->addWidget(lineaEstado);
    barraEstado->addWidget(panelAyuda, 1);
    barraEstado->addPermanentWidget(estadoPanel);
    setStatusBar(barraEstado);
}

// --- Command states ------------------------------------------------------

void VentanaPrincipal::aplicaEvento(Evento evento)
{
    const CambioComandos &cambios = CambiosDe(evento);
    for (const Comando comando : cambios.habilita)
        ponHabilitado(comando, true);
    for (const Comando comando : cambios.deshabilita)
        ponHabilitado(comando, false);
}

void VentanaPrincipal::ponHabilitado(Comando comando, bool habilitado)
{
    // Visibility is never touched.
    for (QObject *objeto : std::as_const(m_comandos[comando])) {
        if (auto *accion = qobject_cast<QAction *>(objeto))
            accion->setEnabled(habilitado);
        else if (auto *boton = qobject_cast<QAbstractButton *>(objeto))
            boton->setEnabled(habilitado);
    }
}

bool VentanaPrincipal::alcanzable(QAction *accion) const
{
    for (QAction *menu = m_menuDe.value(accion); menu; menu = m_menuDe.value(menu))
        if (!menu->isEnabled())
            return false;
    return true;
}

int VentanaPrincipal::numeroAyuda(QAction *accion) const
{
    for (QAction *a = accion; a; a = m_menuDe.value(a)) {
        const int numero = a->property(PropiedadAyuda).toInt();
        if (numero != 0)
            return numero;
    }
    return 0;
}

// --- Events --------------------------------------------------------------

bool VentanaPrincipal::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StatusTip:
        muestraPista(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    case QEvent::WindowActivate:
        emit activada();
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

bool VentanaPrincipal::eventFilter(QObject *objeto, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(objeto);
    if (widget && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const auto *tecla = static_cast<QKeyEvent *>(event);
        if (tecla->key() == Qt::Key_F1 && tecla->modifiers() == Qt::NoModifier) {
            // F1 on a highlighted item of an open menu asks for that item's
            // topic; the menu keeps the key from the "&Contenido" shortcut
            // even when the item has none. Elsewhere F1 is taken only where
            // the control or a window around it has a topic.
            auto *menu = qobject_cast<QMenu *>(widget);
            const int numero = menu ? numeroAyuda(menu->activeAction()) : NumeroAyudaDe(widget);
            if (menu || numero != 0) {
                event->accept();
                if (event->type() == QEvent::KeyPress && numero != 0)
                    EjecutaComando([numero] { AyudaContexto(numero); });
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(objeto, event);
}

void VentanaPrincipal::closeEvent(QCloseEvent *event)
{
    // The document window puts its close question first. It refuses to
    // close only when the user wanted the study saved and it was not.
    // (Its frame is the sub-window that holds it.)
    if (m_documento && !m_documento->parentWidget()->close()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    emit cerrada();
}

// --- Handlers ------------------------------------------------------------

void VentanaPrincipal::muestraPista(const QString &pista)
{
    ponTextoPanel(lineaEstado, pista);
}

VentanaEstudio *VentanaPrincipal::creaDocumento()
{
    auto *documento = new VentanaEstudio;
    m_documento = documento;
    // A closed study window lingers until deleted, and its item with it.
    QList<QPointer<QObject>> &items = m_comandos[Comando::DunnettDeRejilla];
    items.removeAll(nullptr);
    items << documento->accionDunnett();
    // The grid menu's item has a help topic of its own, reached by F1.
    documento->accionDunnett()->setProperty(PropiedadAyuda, 13);
    for (QObject *menu : documento->accionDunnett()->associatedObjects())
        menu->installEventFilter(this);
    connect(documento, &VentanaEstudio::evento, this, &VentanaPrincipal::aplicaEvento);
    connect(documento, &VentanaEstudio::modificadoCambia, this,
            &VentanaPrincipal::muestraModificado);
    connect(documento, &VentanaEstudio::dunnettPedido, this, &VentanaPrincipal::dunnett);
    connect(documento, &VentanaEstudio::cerrada, this, &VentanaPrincipal::documentoCerrado);
    QMdiSubWindow *ventana = m_mdi->addSubWindow(documento);
    ventana->resize(631, 476);
    ventana->show();
    AjustaAlMarco(ventana);
    m_mdi->setActiveSubWindow(ventana);
    documento->tomaFoco();
    return documento;
}

void VentanaPrincipal::muestraModificado(bool modificado)
{
    ponTextoPanel(estadoPanel, modificado ? QStringLiteral("Modificado") : QString());
}

void VentanaPrincipal::documentoCerrado()
{
    // The window itself goes a moment later.
    m_documento = nullptr;
    ponTextoPanel(estadoPanel, QStringLiteral(" "));
    aplicaEvento(Evento::documentoCierra);
    ocultaVentanasImpresion();
}

void VentanaPrincipal::nuevo()
{
    EjecutaComando([this] {
        creaDocumento();
        aplicaEvento(Evento::nuevo);
    });
}

void VentanaPrincipal::abrir()
{
    EjecutaComando([this] {
        const QString ruta = Dialogos::actual().abreArchivo(this);
        if (!ruta.isEmpty())
            abreArchivo(ruta);
    });
}

void VentanaPrincipal::abreArchivo(const QString &ruta)
{
    CursorOcupado cursor;
    // The file is read before the window exists: a file that cannot be read
    // leaves the program as it was.
    QByteArray bytes;
    ArchivoEstudio archivo;
    try {
        bytes = LeeBytesEstudio(ruta);
        archivo = LeeEstudio(bytes);
    } catch (const ErrorConversion &error) {
        // Counts that are no numbers: not a study at all. The message names
        // the file, as the command line does.
        throw ErrorArchivo(ruta + QStringLiteral(": ") + error.texto());
    }
    VentanaEstudio *documento = creaDocumento();
    documento->cargaArchivo(archivo, bytes, ruta);
    // The grid now has the file's size.
    AjustaAlMarco(qobject_cast<QMdiSubWindow *>(documento->parentWidget()));
    aplicaEvento(Evento::abrir);
    // The study is open whatever its register says or whether it can be read.
    EjecutaComando([documento] { documento->revisaRegistro(); });
}

void VentanaPrincipal::guardar()
{
    EjecutaComando([this] {
        if (m_documento)
            m_documento->guarda();
    });
}

void VentanaPrincipal::cambiaPreguntaMotivo()
{
    EjecutaComando([this] { PonPreguntaMotivo(m_preguntaMotivo->isChecked()); });
}

void VentanaPrincipal::guardarComo()
{
    EjecutaComando([this] {
        if (m_documento)
            m_documento->guardaComo();
    });
}

// --- Print options windows -----------------------------------------------

void VentanaPrincipal::creaVentanasImpresion()
{
    // Owned by this window, so they go with it.
    const auto documento = [this] { return this->documento(); };
    if (!m_opcionesLaser)
        m_opcionesLaser = OpcionesImpresion::laser(documento, this);
    if (!m_tipoImpresora) {
        m_tipoImpresora = new VentanaTipoImpresora(this);
        connect(m_tipoImpresora, &VentanaTipoImpresora::tintaElegida, this,
                [this] { muestraVentana(opcionesTinta()); });
        connect(m_tipoImpresora, &VentanaTipoImpresora::laserElegida, this,
                [this] { muestraVentana(opcionesLaser()); });
    }
    if (!m_opcionesTinta)
        m_opcionesTinta = OpcionesImpresion::tinta(documento, this);
}

OpcionesImpresion *VentanaPrincipal::opcionesLaser()
{
    creaVentanasImpresion();
    return m_opcionesLaser;
}

OpcionesImpresion *VentanaPrincipal::opcionesTinta()
{
    creaVentanasImpresion();
    return m_opcionesTinta;
}

VentanaTipoImpresora *VentanaPrincipal::tipoImpresora()
{
    creaVentanasImpresion();
    return m_tipoImpresora;
}

void VentanaPrincipal::ocultaVentanasImpresion()
{
    for (QWidget *ventana : std::initializer_list<QWidget *>{m_opcionesLaser, m_opcionesTinta,
                                                              m_tipoImpresora})
        if (ventana)
            ventana->hide();
}

void VentanaPrincipal::imprimeLaser()
{
    EjecutaComando([this] { muestraVentana(opcionesLaser()); });
}

void VentanaPrincipal::imprimeTinta()
{
    EjecutaComando([this] {
        if (ValidaCaptura(m_documento))
            muestraVentana(opcionesTinta());
    });
}

void VentanaPrincipal::eligeImpresora()
{
    EjecutaComando([this] { tipoImpresora()->exec(); });
}

void VentanaPrincipal::cerrar()
{
    EjecutaComando([this] {
        if (QMdiSubWindow *activa = m_mdi->currentSubWindow())
            activa->close();
    });
}

void VentanaPrincipal::salir()
{
    EjecutaComando([this] { close(); });
}

void VentanaPrincipal::mosaico()
{
    EjecutaComando([this] { ArreglaEnMosaico(m_mdi); });
}

void VentanaPrincipal::cascada()
{
    EjecutaComando([this] { ArreglaEnCascada(m_mdi); });
}

void VentanaPrincipal::ayudaContenido()
{
    EjecutaComando([] { PideAyuda(ComandoAyuda::contenido); });
}

void VentanaPrincipal::ayudaBuscar()
{
    EjecutaComando([] { PideAyuda(ComandoAyuda::buscar, QString()); });
}

void VentanaPrincipal::ayudaDeAyuda()
{
    EjecutaComando([] { PideAyuda(ComandoAyuda::ayudaDeAyuda); });
}

void VentanaPrincipal::verificacion()
{
    EjecutaComando([this] { (new VentanaVerificacion(this))->show(); });
}

void VentanaPrincipal::acercaDe()
{
    EjecutaComando([this] { (new AcercaDe(this))->show(); });
}

void VentanaPrincipal::dunnett()
{
    EjecutaComando([this] { ComandoDunnett(m_documento, destinoResultados()); });
}

void VentanaPrincipal::analisisVarianza()
{
    EjecutaComando([this] { ComandoAnalisisVarianza(m_documento, destinoResultados()); });
}

void VentanaPrincipal::grafica()
{
    EjecutaComando([this] { ComandoGrafica(m_documento, destinoResultados()); });
}

void VentanaPrincipal::intervalosConfianza()
{
    EjecutaComando([this] { ComandoIntervaloConfianza(m_documento, destinoResultados()); });
}

void VentanaPrincipal::informe()
{
    EjecutaComando([this] { ComandoInforme(m_documento, destinoResultados()); });
}

void VentanaPrincipal::supuestos()
{
    EjecutaComando([this] { ComandoSupuestos(m_documento, destinoResultados()); });
}

void VentanaPrincipal::precision()
{
    EjecutaComando([this] { ComandoPrecision(m_documento, destinoResultados()); });
}

void VentanaPrincipal::registroCambios()
{
    EjecutaComando([this] { ComandoRegistro(m_documento, destinoResultados()); });
}

void VentanaPrincipal::firmar()
{
    EjecutaComando([this] {
        if (FirmaDocumento(m_documento, this))
            RecargaRegistros(m_mdi);
    });
}

DestinoResultados VentanaPrincipal::destinoResultados()
{
    return {m_mdi, m_resultados, [this](Evento evento) { aplicaEvento(evento); }};
}
