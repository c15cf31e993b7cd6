#pragma once

#include "gui/OpcionesImpresion.h"

// The ink-jet print options window: "Imprimir:".
class TFoppr : public VentanaOpcionesImpresion
{
    Q_OBJECT

public:
    explicit TFoppr(QWidget *parent = nullptr);
    ~TFoppr() override;
};

extern TFoppr *Foppr;
