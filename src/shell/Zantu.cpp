#include "Zantu.h"

#include "print/Impresion.h"
#include "shell/Dialogos.h"
#include "shell/Main.h"
#include "shell/Ufshow.h"

#include <QApplication>
#include <QStringList>

#include <memory>

int EjecutaPrograma(int argc, char **argv)
{
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolerancia"));
    // The caption of every message box.
    QApplication::setApplicationDisplayName(QStringLiteral("Tolerancia del Método"));
    // The program ends when the main window closes, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);

    auto principal = std::make_unique<TMainForm>();
    QObject::connect(principal.get(), &TMainForm::cerrada, &aplicacion, &QApplication::quit,
                     Qt::QueuedConnection);
    principal->showMaximized();
    auto splash = std::make_unique<TFshow>();
    Fshow = splash.get();
    Fshow->show();
    CreaVentanasImpresion();

    // "tolerancia ARCHIVO.w1e" opens the study as "&Abrir..." would.
    const QStringList argumentos = QApplication::arguments();
    if (argumentos.size() > 1) {
        const QString ruta = argumentos.at(1);
        EjecutaComando([&principal, &ruta] { principal->abreArchivo(ruta); });
    }

    const int salida = QApplication::exec();
    Fshow = nullptr;
    return salida;
}
