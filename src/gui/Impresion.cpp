#include "Impresion.h"

#include "gui/Uoppr.h"
#include "gui/Uoppr1.h"
#include "gui/VentanaTipoImpresora.h"

#include "gui/VentanaPrincipal.h"

void CreaVentanasImpresion()
{
    // Owned by the main window, so they go with it; each clears its own
    // instance variable when destroyed.
    if (!Foppr1)
        Foppr1 = new TFoppr1(MainForm);
    if (!FOPRT)
        FOPRT = new TFOPRT(MainForm);
    if (!Foppr)
        Foppr = new TFoppr(MainForm);
}

namespace {

void Muestra(QWidget *ventana)
{
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
}

} // namespace

void MuestraFoppr1()
{
    CreaVentanasImpresion();
    Muestra(Foppr1);
}

void MuestraFoppr()
{
    CreaVentanasImpresion();
    Muestra(Foppr);
}

void MuestraFOPRT()
{
    CreaVentanasImpresion();
    FOPRT->exec();
}

void OcultaVentanasImpresion()
{
    for (QWidget *ventana : std::initializer_list<QWidget *>{Foppr1, Foppr, FOPRT})
        if (ventana)
            ventana->hide();
}
