#include "Ayuda.h"

#include <QWidget>
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

int NumeroAyudaDe(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const int numero = w->property(PropiedadAyuda).toInt();
        if (numero != 0)
            return numero;
    }
    return 0;
}
