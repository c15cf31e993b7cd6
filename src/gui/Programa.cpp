#include "Programa.h"

#include "gui/Dialogos.h"
#include "gui/Presentacion.h"
#include "gui/VentanaPrincipal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <QTranslator>
#include <QStringList>

#include <memory>

void PreparaAplicacion()
{
    QApplication::setApplicationName(QStringLiteral("tolerancia"));
    // No application display name: the toolkit would append it to the name
    // of every top-level window, and the captions are the program's own.
    // The program ends when the main window closes, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tolerancia.svg")));
}

namespace {

// Lets the event loop run until `ventana` is on screen, then paints it, so
// that it shows whole while the rest of the start-up keeps the loop busy.
void MuestraYPinta(QWidget *ventana)
{
    ventana->show();
    QElapsedTimer espera;
    espera.start();
    while (!ventana->windowHandle()->isExposed() && espera.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(2);
    }
    ventana->repaint();
}

} // namespace

int EjecutaPrograma(int argc, char **argv)
{
    QApplication aplicacion(argc, argv);
    // The splash is the first thing on screen; everything else is made while
    // it shows. It stays above the main window.
    auto splash = std::make_unique<Presentacion>();
    MuestraYPinta(splash.get());
    PreparaAplicacion();
    // The program speaks Spanish whatever the user's language: so do the
    // toolkit's own dialogs and buttons.
    QTranslator traduccion;
    if (traduccion.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduccion);

    auto principal = std::make_unique<VentanaPrincipal>();
    QObject::connect(principal.get(), &VentanaPrincipal::cerrada, &aplicacion, &QApplication::quit,
                     Qt::QueuedConnection);
    // Without a window manager "maximised" means nothing: start with the
    // whole screen anyway.
    if (const QScreen *pantalla = principal->screen())
        principal->setGeometry(pantalla->availableGeometry());
    principal->showMaximized();
    principal->activateWindow();
    // Without a window manager the last window shown would cover it.
    splash->raise();
    QObject::connect(principal.get(), &VentanaPrincipal::activada, splash->reloj,
                     qOverload<>(&QTimer::start));
    // The main window is activated as it first shows; where no window
    // manager activates it, the splash must still go after its three seconds.
    splash->reloj->start();
    // The print windows ask the printing system for its printers: they are
    // made once the event loop runs, when the windows are already up.
    QTimer::singleShot(0, principal.get(), &VentanaPrincipal::creaVentanasImpresion);

    // "tolerancia ARCHIVO.w1e" opens the study as "&Abrir..." would.
    const QStringList argumentos = QApplication::arguments();
    if (argumentos.size() > 1) {
        // The window's caption is the file's full path, as the open dialog gives it.
        const QString ruta = QFileInfo(argumentos.at(1)).absoluteFilePath();
        EjecutaComando([&principal, &ruta] { principal->abreArchivo(ruta); });
    }

    return QApplication::exec();
}
