// The printing tests: pages, printer canvas and command line, options windows.
#include <QApplication>

int PruebaPaginas(int argc, char **argv);
int PruebaPdf(int argc, char **argv);
int PruebaOpciones(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication aplicacion(argc, argv);
    int fallos = 0;
    for (auto prueba : {PruebaPaginas, PruebaPdf, PruebaOpciones})
        fallos += prueba(argc, argv);
    return fallos;
}
