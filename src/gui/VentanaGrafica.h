#pragma once

#include "core/paginas/Grafica.h"
#include "gui/VentanaResultado.h"

// "Gráfica": the plot of one calculation, scaled to the window, with
// commands to save it as a file and to print it on one page.
class VentanaGrafica : public VentanaResultado
{
    Q_OBJECT

public:
    explicit VentanaGrafica(const ModeloGrafica &modelo, QWidget *parent = nullptr);

public slots:
    void guarda();   // "Guardar gráfica..."
    void imprime();  // "Imprimir gráfica..."

private:
    ModeloGrafica m_modelo;
};
