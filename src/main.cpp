#include "cli/LineaComandos.h"
#include "gui/Programa.h"

int main(int argc, char **argv)
{
    if (EsLineaComandos(argc, argv))
        return EjecutaLineaComandos(argc, argv);
    return EjecutaPrograma(argc, argv);
}
