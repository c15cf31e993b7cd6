#include "Zantu.h"

#include <QApplication>

// Replaced by the program block of the main window.
int EjecutaPrograma(int argc, char **argv)
{
    QApplication aplicacion(argc, argv);
    return 0;
}
