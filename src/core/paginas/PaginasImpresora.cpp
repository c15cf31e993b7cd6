#include "PaginasImpresora.h"

#include "core/paginas/PaginasLaser.h"
#include "core/paginas/PaginasTinta.h"

namespace {

void ToleranciaLaser(Lienzo &lienzo, const Estudio &estudio, const JuegoResultados &juego)
{
    ImprimeToleranciaLaser(lienzo, estudio, juego);
}

// The ink-jet results page reads the per-FAM figures from the record alone.
void ToleranciaTinta(Lienzo &lienzo, const Estudio &estudio, const JuegoResultados &juego)
{
    ImprimeToleranciaDeskJet(lienzo, estudio, juego.resultados);
}

} // namespace

const PaginasImpresora PaginasDeLaser{ImprimeInformacionLaser, ToleranciaLaser, ResolucionLaser};
const PaginasImpresora PaginasDeTinta{ImprimeInformacionDeskJet, ToleranciaTinta, ResolucionDeskJet};

void DibujaPagina(const PaginasImpresora &paginas, Lienzo &lienzo, const Estudio &estudio,
                  bool resultados, const JuegoResultados &juego)
{
    if (resultados)
        paginas.tolerancia(lienzo, estudio, juego);
    else
        paginas.informacion(lienzo, estudio);
}
