#include "Uoppr.h"

#include "Uprint.h"

TFoppr *Foppr = nullptr;

namespace {

// The ink-jet results page reads the per-FAM figures from the record alone.
void ToleranciaDeskJet(Lienzo &lienzo, const Estudio &estudio, const JuegoResultados &juego)
{
    ImprimeToleranciaDeskJet(lienzo, estudio, juego.resultados);
}

} // namespace

TFoppr::TFoppr(QWidget *parent)
    : VentanaOpcionesImpresion(QStringLiteral("Imprimir:"), QSize(438, 290),
                               {ImprimeInformacionDeskJet, ToleranciaDeskJet, ResolucionDeskJet}, parent)
{
    setObjectName(QStringLiteral("Foppr"));
}

TFoppr::~TFoppr()
{
    if (Foppr == this)
        Foppr = nullptr;
}
