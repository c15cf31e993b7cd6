#pragma once

#include "gui/OpcionesImpresion.h"

// The laser print options window: "Imprimir en Lasser:".
class TFoppr1 : public VentanaOpcionesImpresion
{
    Q_OBJECT

public:
    explicit TFoppr1(QWidget *parent = nullptr);
    ~TFoppr1() override;
};

extern TFoppr1 *Foppr1;
