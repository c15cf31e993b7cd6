#include "Ayuda.h"

#include "core/ayuda/TemasAyuda.h"
#include "gui/VisorAyuda.h"

void PideAyuda(int comando, const QString &dato)
{
    VisorAyuda *visor = VisorDeAyuda();
    if (comando == ComandoAyuda::buscar) {
        visor->buscaClave(dato);
        return;
    }
    const QString pagina = PaginaDeComando(comando);
    visor->muestraPagina(pagina.isEmpty() ? PaginaDeComando(ComandoAyuda::contenido) : pagina);
}

void AyudaContexto(int numero)
{
    const QString pagina = PaginaDeContexto(numero);
    VisorDeAyuda()->muestraPagina(pagina.isEmpty() ? PaginaDeComando(ComandoAyuda::contenido) : pagina);
}
