#include "Uoppr1.h"

#include "Uprint1.h"

TFoppr1 *Foppr1 = nullptr;

namespace {

void ToleranciaLaser(Lienzo &lienzo, const Estudio &estudio, const JuegoResultados &juego)
{
    ImprimeToleranciaLaser(lienzo, estudio, juego);
}

} // namespace

TFoppr1::TFoppr1(QWidget *parent)
    : VentanaOpcionesImpresion(QStringLiteral("Imprimir en Lasser:"), QSize(433, 322),
                               {ImprimeInformacionLaser, ToleranciaLaser, ResolucionLaser}, parent)
{
    setObjectName(QStringLiteral("Foppr1"));
    move(244, 117);
}

TFoppr1::~TFoppr1()
{
    if (Foppr1 == this)
        Foppr1 = nullptr;
}
