#include "TstResultados.h"

#include <QApplication>
#include <QTest>

int main(int argc, char **argv)
{
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Tolerancia del Método"));
    int fallos = 0;
    TstTablas tablas;
    fallos += QTest::qExec(&tablas, argc, argv);
    TstComandos comandos;
    fallos += QTest::qExec(&comandos, argc, argv);
    return fallos;
}
