#include "cli/LineaComandos.h"
#include "shell/Zantu.h"

int main(int argc, char **argv)
{
    if (EsLineaComandos(argc, argv))
        return EjecutaLineaComandos(argc, argv);
    return EjecutaPrograma(argc, argv);
}
