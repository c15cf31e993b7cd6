#include "PaginasImpresora.h"

#include "core/paginas/PaginasLaser.h"
#include "core/paginas/PaginasTinta.h"

const PaginasImpresora PaginasDeLaser{ImprimeInformacionLaser, ImprimeToleranciaLaser, ResolucionLaser};
const PaginasImpresora PaginasDeTinta{ImprimeInformacionTinta, ImprimeToleranciaTinta, ResolucionTinta};

void DibujaPagina(const PaginasImpresora &paginas, Lienzo &lienzo, const Estudio &estudio,
                  bool resultados, const ResultadosAnova &calculo, const QStringList &margen)
{
    if (resultados)
        paginas.tolerancia(lienzo, estudio, calculo, margen);
    else
        paginas.informacion(lienzo, estudio, margen);
}
