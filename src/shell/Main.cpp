#include "Main.h"

#include "capture/Fdatos.h"
#include "capture/ReglasCaptura.h"
#include "print/Impresion.h"
#include "results/Resultados.h"
#include "shell/Ayuda.h"
#include "shell/Dialogos.h"
#include "shell/EstudioArchivo.h"
#include "shell/Ufacerca.h"
#include "shell/Ufshow.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

TMainForm *MainForm = nullptr;

namespace {

const char *propiedadAyuda = "ayuda";

// The busy cursor for the length of a file operation, restored also when
// the operation fails.
class CursorOcupado
{
public:
    CursorOcupado() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorOcupado() { QApplication::restoreOverrideCursor(); }
    CursorOcupado(const CursorOcupado &) = delete;
    CursorOcupado &operator=(const CursorOcupado &) = delete;
};

// A hint is "short|long": the short part is the tooltip, the long part goes
// to the status line; without "|" the text serves as both.
template<typename Componente>
void ponHint(Componente *componente, const QString &hint)
{
    const qsizetype barra = hint.indexOf(u'|');
    componente->setToolTip(barra < 0 ? hint : hint.left(barra));
    componente->setStatusTip(barra < 0 ? hint : hint.mid(barra + 1));
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

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    MainForm = this;
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
    columna->addWidget(m_mdi, 1);
    setCentralWidget(centro);

    creaMenus();
    creaEstado();
    aplicaEvento(Evento::inicio);
}

TMainForm::~TMainForm()
{
    // The document window goes with the frame; its own destructor forgets it.
    if (MainForm == this)
        MainForm = nullptr;
}

QMdiArea *TMainForm::mdiArea() const
{
    return m_mdi;
}

JuegoResultados &TMainForm::resultados()
{
    return m_resultados;
}

QString TMainForm::estado() const
{
    return estadoPanel->text();
}

void TMainForm::ponEstado(const QString &texto)
{
    ponTextoPanel(estadoPanel, texto);
}

// --- Building the window -------------------------------------------------

QMenu *TMainForm::creaMenu(QMenu *padre, const QString &nombre, const QString &titulo, int ayuda,
                           const QString &hint)
{
    QMenu *menu = padre ? padre->addMenu(titulo) : menuBar()->addMenu(titulo);
    menu->setObjectName(nombre);
    menu->menuAction()->setObjectName(nombre);
    menu->menuAction()->setProperty(propiedadAyuda, ayuda);
    ponHint(menu->menuAction(), hint);
    if (padre)
        m_menuDe.insert(menu->menuAction(), padre->menuAction());
    menu->installEventFilter(this);
    return menu;
}

QAction *TMainForm::creaAccion(QMenu *menu, const QString &nombre, const QString &titulo,
                               int ayuda, const QString &hint, void (TMainForm::*comando)())
{
    QAction *accion = menu->addAction(titulo);
    accion->setObjectName(nombre);
    accion->setProperty(propiedadAyuda, ayuda);
    ponHint(accion, hint);
    m_menuDe.insert(accion, menu->menuAction());
    connect(accion, &QAction::triggered, this, [this, accion, comando] {
        if (alcanzable(accion))
            (this->*comando)();
    });
    return accion;
}

void TMainForm::creaMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));

    QMenu *FileMenu = creaMenu(nullptr, QStringLiteral("FileMenu"), QStringLiteral("&Archivo"), 1,
                               QStringLiteral("Crea,abre,guarda e imrpime un archivo"));
    creaAccion(FileMenu, QStringLiteral("FileNewItem"), QStringLiteral("&Nuevo"), 2,
               QStringLiteral("Archivo|Crea un nuevo archivo"), &TMainForm::FileNew)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    creaAccion(FileMenu, QStringLiteral("FileOpenItem"), QStringLiteral("&Abrir..."), 3,
               QStringLiteral("Archivo|Abre un archivo ya existente"), &TMainForm::fileopen)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    creaAccion(FileMenu, QStringLiteral("mnuclose"), QStringLiteral("C&errar"), 4,
               QStringLiteral("Archivo|Cierra la ventana activa"), &TMainForm::mnucloseClick);
    FileMenu->addSeparator();
    creaAccion(FileMenu, QStringLiteral("FileSaveItem"), QStringLiteral("&Guardar"), 5,
               QStringLiteral("Archivo|Guarda el archivo"), &TMainForm::FileSave)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+G")));
    creaAccion(FileMenu, QStringLiteral("FileSaveAsItem"), QStringLiteral("Guardar &como..."), 6,
               QStringLiteral("Archivo|Guarda el archivo con un nuevo nombre y/o trayectoria"),
               &TMainForm::FileSaveAs);
    FileMenu->addSeparator();
    QMenu *FilePrintItem = creaMenu(FileMenu, QStringLiteral("FilePrintItem"),
                                    QStringLiteral("&Imprimir..."), 7,
                                    QStringLiteral("Archivo|Imprime el archivo actual"));
    creaAccion(FilePrintItem, QStringLiteral("PrintLasser"), QStringLiteral("Lasser"), 0, {},
               &TMainForm::PrintLasserClick);
    // Hidden by keeping it out of the menu: an action made invisible can never
    // be enabled, and this one follows the command table like its button.
    QAction *PrintDeskjet = creaAccion(FilePrintItem, QStringLiteral("PrintDeskjet"),
                                       QStringLiteral("Deskjet"), 0, {}, &TMainForm::FilePrint);
    FilePrintItem->removeAction(PrintDeskjet);
    FileMenu->addSeparator();
    creaAccion(FileMenu, QStringLiteral("FileExitItem"), QStringLiteral("&Salir"), 8,
               QStringLiteral("Salir del módulo ZANTU"), &TMainForm::FileExit);

    QMenu *mnucalculos = creaMenu(nullptr, QStringLiteral("mnucalculos"),
                                  QStringLiteral("&Cálculos"), 10,
                                  QStringLiteral("Cálculos de Precisión del sistema"));
    creaAccion(mnucalculos, QStringLiteral("mnuanova"), QStringLiteral("Análisis de la varianza"), 0,
               QStringLiteral("Calculos|Resultados de Análisis de la Varianza"),
               &TMainForm::mnuanovaClick);
    creaAccion(mnucalculos, QStringLiteral("mnuconclu"), QStringLiteral("Intervalo de Confianza"), 0,
               {}, &TMainForm::mnuconcluClick);
    creaAccion(mnucalculos, QStringLiteral("mnuinforme"), QStringLiteral("&Informe"), 19,
               QStringLiteral("Cálculo|Presenta datos y resultados"), &TMainForm::mnuinformeClick);
    creaAccion(mnucalculos, QStringLiteral("mnusupuestos"), QStringLiteral("Supuestos del análisis"), 14,
               QStringLiteral("Cálculos|Pruebas de Cochran, Grubbs y Levene y probabilidad exacta de F"),
               &TMainForm::mnusupuestosClick);

    // "&Ventana", "A&yuda" and the help button stay usable all the time.
    QMenu *WindowMenu = creaMenu(nullptr, QStringLiteral("WindowMenu"), QStringLiteral("&Ventana"),
                                 20, QStringLiteral("Arregla las ventanas presentes"));
    creaAccion(WindowMenu, QStringLiteral("WindowTileItem"), QStringLiteral("&Mosaico"), 20,
               QStringLiteral("Ventana|Arregla las ventanas en mosaico"), &TMainForm::WindowTile);
    creaAccion(WindowMenu, QStringLiteral("WindowCascadeItem"), QStringLiteral("&Cascada"), 20,
               QStringLiteral("Ventana|Arregla las ventanas en cascada"), &TMainForm::WindowCascade);

    QMenu *HelpMenu = creaMenu(nullptr, QStringLiteral("HelpMenu"), QStringLiteral("A&yuda"), 30,
                               QStringLiteral("Ayuda del módulo RUXW"));
    creaAccion(HelpMenu, QStringLiteral("HelpContentsItem"), QStringLiteral("&Contenido"), 31,
               QStringLiteral("Ayuda|Presenta el contenido de la ayuda"), &TMainForm::HelpContents)
        ->setShortcut(QKeySequence(Qt::Key_F1));
    creaAccion(HelpMenu, QStringLiteral("HelpSearchItem"),
               QStringLiteral("&Buscar ayuda sobre..."), 32,
               QStringLiteral("Ayuda|Busca ayuda sobre"), &TMainForm::HelpSearch)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    creaAccion(HelpMenu, QStringLiteral("HelpHowToUseItem"), QStringLiteral("Como &usar  la ayuda"),
               0, QStringLiteral("Ayuda|Como usar la ayuda"), &TMainForm::HelpHowToUse)
        ->setVisible(false);
    HelpMenu->addSeparator();
    creaAccion(HelpMenu, QStringLiteral("HelpAboutItem"), QStringLiteral("&Acerca..."), 33,
               QStringLiteral("Ayuda|Presenta información del programa"), &TMainForm::HelpAbout);
}

QAbstractButton *TMainForm::creaBoton(const QString &nombre, int izquierda, const QIcon &icono,
                                      const QString &hint, void (TMainForm::*comando)())
{
    auto *boton = new QToolButton(findChild<QWidget *>(QStringLiteral("SpeedBar")));
    boton->setObjectName(nombre);
    boton->setIcon(icono);
    boton->setAutoRaise(true);
    boton->setFocusPolicy(Qt::NoFocus);  // speed buttons never take the focus
    boton->setGeometry(izquierda, 5, 23, 23);
    ponHint(boton, hint);
    boton->setAccessibleName(boton->toolTip());
    connect(boton, &QToolButton::clicked, this, [this, comando] { (this->*comando)(); });
    return boton;
}

void TMainForm::creaBarra()
{
    auto *SpeedBar = new QWidget(this);
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    SpeedBar->setFixedHeight(33);
    const QStyle *s = style();
    creaBoton(QStringLiteral("spdnuevo"), 8, s->standardIcon(QStyle::SP_FileIcon),
              QStringLiteral("Nuevo|Crea un nuevo archivo"), &TMainForm::FileNew);
    creaBoton(QStringLiteral("spdabrir"), 32, s->standardIcon(QStyle::SP_DialogOpenButton),
              QStringLiteral("Abre un archivo de Tolerancia a equipos"), &TMainForm::fileopen);
    creaBoton(QStringLiteral("spdguardar"), 56, s->standardIcon(QStyle::SP_DialogSaveButton),
              QStringLiteral("Guarda un archivo de Tolerancia a equipos"), &TMainForm::FileSave);
    creaBoton(QStringLiteral("spdprint"), 88, glifoImpresora(),
              QStringLiteral("Imprimir en Lasser|Imprime el archivo actual"),
              &TMainForm::PrintLasserClick);
    // Hidden, but it keeps its place on the bar.
    creaBoton(QStringLiteral("spdprint1"), 112, glifoImpresora(),
              QStringLiteral("Imprimir en Deskjet|Imprime el archivo actual"), &TMainForm::FilePrint)
        ->setVisible(false);
    creaBoton(QStringLiteral("spdclose"), 140, s->standardIcon(QStyle::SP_DialogCloseButton),
              QStringLiteral("Cerrar|Cierra la ventana activa"), &TMainForm::mnucloseClick);
    creaBoton(QStringLiteral("spdexit"), 166, s->standardIcon(QStyle::SP_BrowserStop),
              QStringLiteral("Salir|Salir del módulo Tolerancia de Método (Tolerancia a equipos)"),
              &TMainForm::FileExit);
    creaBoton(QStringLiteral("spdmosaico"), 188, glifoMosaico(),
              QStringLiteral("Mosaico|Arregla las ventanas en mosaico"), &TMainForm::WindowTile);
    creaBoton(QStringLiteral("spdcascada"), 212, glifoCascada(),
              QStringLiteral("Cascada|Arregla las ventanas en cascada"), &TMainForm::WindowCascade);
    creaBoton(QStringLiteral("spdcontenido"), 244, s->standardIcon(QStyle::SP_DialogHelpButton),
              QStringLiteral("Contenido|Presenta el contenido de la ayuda"),
              &TMainForm::HelpContents);
}

void TMainForm::creaEstado()
{
    auto *Panel1 = new QStatusBar(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(33);
    Panel1->setSizeGripEnabled(false);
    auto panel = [Panel1](const QString &nombre, const QString &papel, const QString &texto) {
        auto *etiqueta = new QLabel(Panel1);
        etiqueta->setObjectName(nombre);
        etiqueta->setAccessibleName(papel);
        ponTextoPanel(etiqueta, texto);
        etiqueta->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return etiqueta;
    };
    StatusLine = panel(QStringLiteral("StatusLine"), QStringLiteral("Ayuda de la orden"),
                       QString());
    StatusLine->setFixedWidth(380);
    QLabel *Paneld = panel(QStringLiteral("Paneld"), QStringLiteral("Tecla de ayuda"),
                           QStringLiteral("F1 <Ayuda>"));
    estadoPanel = panel(QStringLiteral("estado"), QStringLiteral("Estado del estudio"), QString());
    estadoPanel->setFixedWidth(132);
    estadoPanel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Panel1->addWidget(StatusLine);
    Panel1->addWidget(Paneld, 1);
    Panel1->addPermanentWidget(estadoPanel);
    setStatusBar(Panel1);
}

// --- Command states ------------------------------------------------------

void TMainForm::aplicaEvento(Evento evento)
{
    const CambioComandos &cambios = CambiosDe(evento);
    for (const QString &nombre : cambios.habilita)
        ponHabilitado(nombre, true);
    for (const QString &nombre : cambios.deshabilita)
        ponHabilitado(nombre, false);
}

void TMainForm::ponHabilitado(const QString &nombre, bool habilitado)
{
    // Actions and buttons of this window and of its document window (the
    // grid menu's item); visibility is never touched.
    const auto acciones = findChildren<QAction *>(nombre);
    for (QAction *accion : acciones)
        accion->setEnabled(habilitado);
    const auto botones = findChildren<QAbstractButton *>(nombre);
    for (QAbstractButton *boton : botones)
        boton->setEnabled(habilitado);
}

bool TMainForm::alcanzable(QAction *accion) const
{
    for (QAction *menu = m_menuDe.value(accion); menu; menu = m_menuDe.value(menu))
        if (!menu->isEnabled())
            return false;
    return true;
}

int TMainForm::numeroAyuda(QAction *accion) const
{
    for (QAction *a = accion; a; a = m_menuDe.value(a)) {
        const int numero = a->property(propiedadAyuda).toInt();
        if (numero != 0)
            return numero;
    }
    return 0;
}

// --- Events --------------------------------------------------------------

bool TMainForm::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StatusTip:
        ShowHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    case QEvent::WindowActivate:
        FormActivate();
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject *objeto, QEvent *event)
{
    // F1 on a highlighted item of an open menu asks for that item's topic;
    // the menu keeps the key from the "&Contenido" shortcut.
    auto *menu = qobject_cast<QMenu *>(objeto);
    if (menu && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const auto *tecla = static_cast<QKeyEvent *>(event);
        if (tecla->key() == Qt::Key_F1 && tecla->modifiers() == Qt::NoModifier) {
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                if (QAction *accion = menu->activeAction()) {
                    const int numero = numeroAyuda(accion);
                    if (numero != 0)
                        EjecutaComando([numero] { AyudaContexto(numero); });
                }
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(objeto, event);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // The document window puts its close question first. It refuses to
    // close only when the user wanted the study saved and it was not.
    // (Its frame is the sub-window that holds it.)
    if (Finforma && !Finforma->parentWidget()->close()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    emit cerrada();
}

// --- Handlers ------------------------------------------------------------

void TMainForm::ShowHint(const QString &hint)
{
    ponTextoPanel(StatusLine, hint);
}

void TMainForm::FormActivate()
{
    if (Fshow)
        Fshow->Timer1->start();
}

TFinforma *TMainForm::creaDocumento()
{
    auto *documento = new TFinforma;
    QMdiSubWindow *ventana = m_mdi->addSubWindow(documento);
    ventana->resize(631, 476);
    ventana->show();
    AjustaAlMarco(ventana);
    m_mdi->setActiveSubWindow(ventana);
    documento->tomaFoco();
    return documento;
}

void TMainForm::documentoCerrado()
{
    aplicaEvento(Evento::documentoCierra);
    OcultaVentanasImpresion();
}

void TMainForm::FileNew()
{
    EjecutaComando([this] {
        creaDocumento();
        aplicaEvento(Evento::nuevo);
    });
}

void TMainForm::fileopen()
{
    EjecutaComando([this] {
        const QString ruta = Dialogos::actual().abreArchivo(this);
        if (!ruta.isEmpty())
            abreArchivo(ruta);
    });
}

void TMainForm::abreArchivo(const QString &ruta)
{
    CursorOcupado cursor;
    // The file is read before the window exists: a file that cannot be read
    // leaves the program as it was.
    const ArchivoEstudio archivo = LeeArchivoEstudio(ruta);
    TFinforma *documento = creaDocumento();
    documento->cargaArchivo(archivo);
    documento->setWindowTitle(ruta);
    m_archivo = ruta;
    aplicaEvento(Evento::abrir);
}

void TMainForm::escribe(const QString &ruta)
{
    CursorOcupado cursor;
    GuardaArchivoEstudio(ruta, Finforma->estudio());
}

bool TMainForm::guardaComo()
{
    const QString ruta = Dialogos::actual().guardaArchivo(this, m_archivo);
    if (ruta.isEmpty())
        return false;
    escribe(ruta);
    Finforma->setWindowTitle(ruta);
    m_archivo = ruta;
    ponEstado(QString());
    return true;
}

bool TMainForm::guardaEstudio()
{
    if (!ValidaCaptura())
        return false;
    if (Finforma->windowTitle() == QStringLiteral("Nuevo")) {
        m_archivo = QStringLiteral("Nuevo");
        return guardaComo();
    }
    escribe(m_archivo);
    ponEstado(QString());
    return true;
}

void TMainForm::FileSave()
{
    EjecutaComando([this] { guardaEstudio(); });
}

void TMainForm::FileSaveAs()
{
    EjecutaComando([this] {
        if (ValidaCaptura())
            guardaComo();
    });
}

void TMainForm::PrintLasserClick()
{
    EjecutaComando(MuestraFoppr1);
}

void TMainForm::FilePrint()
{
    EjecutaComando([] {
        if (ValidaCaptura())
            MuestraFoppr();
    });
}

void TMainForm::mnuoprtClick()
{
    EjecutaComando(MuestraFOPRT);
}

void TMainForm::mnucloseClick()
{
    EjecutaComando([this] {
        if (QMdiSubWindow *activa = m_mdi->currentSubWindow())
            activa->close();
    });
}

void TMainForm::FileExit()
{
    EjecutaComando([this] { close(); });
}

void TMainForm::WindowTile()
{
    EjecutaComando([this] { m_mdi->tileSubWindows(); });
}

void TMainForm::WindowCascade()
{
    EjecutaComando([this] { m_mdi->cascadeSubWindows(); });
}

void TMainForm::HelpContents()
{
    EjecutaComando([] { PideAyuda(ComandoAyuda::contenido); });
}

void TMainForm::HelpSearch()
{
    EjecutaComando([] { PideAyuda(ComandoAyuda::buscar, QString()); });
}

void TMainForm::HelpHowToUse()
{
    EjecutaComando([] { PideAyuda(ComandoAyuda::ayudaDeAyuda); });
}

void TMainForm::HelpAbout()
{
    EjecutaComando([this] { (new TAboutBox(this))->show(); });
}

void TMainForm::mnudunetClick()
{
}

void TMainForm::mnuanovaClick()
{
    EjecutaComando(ComandoAnalisisVarianza);
}

void TMainForm::mnuconcluClick()
{
    EjecutaComando(ComandoIntervaloConfianza);
}

void TMainForm::mnuinformeClick()
{
    EjecutaComando(ComandoInforme);
}

void TMainForm::mnusupuestosClick()
{
    EjecutaComando(ComandoSupuestos);
}

// --- Child windows -------------------------------------------------------

void AjustaAlMarco(QMdiSubWindow *hija)
{
    // The frame places a new child before its size is set, so a child may
    // hang over the right or bottom edge; on a small screen it may even be
    // larger than the workspace.
    const QSize libre = hija->mdiArea()->viewport()->size();
    QRect zona = hija->geometry();
    zona.setSize(zona.size().boundedTo(libre));
    zona.moveTo(std::clamp(zona.x(), 0, libre.width() - zona.width()),
                std::clamp(zona.y(), 0, libre.height() - zona.height()));
    hija->setGeometry(zona);
}

// --- Capture validation --------------------------------------------------

bool ValidaCaptura()
{
    if (!Finforma)
        return false;
    const auto fallo = RevisaConteos(Finforma->textoConteo(CampoConteo::econdicion),
                                     Finforma->textoConteo(CampoConteo::ereplica));
    if (!fallo)
        return true;
    Dialogos::actual().mensaje(fallo->mensaje);
    Finforma->enfocaConteo(fallo->campo);
    return false;
}
