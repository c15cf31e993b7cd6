#pragma once

#include "core/paginas/Grafica.h"
#include "results/VentanaResultado.h"

// "Gráfica": the plot of one calculation, scaled to the window, with
// commands to save it as a file and to print it on one page.
class VentanaGrafica : public TVentanaResultado
{
    Q_OBJECT

public:
    explicit VentanaGrafica(const ModeloGrafica &modelo, QWidget *parent = nullptr);

    // Adds the window to the main window's frame and shows it.
    void muestra();

public slots:
    void guarda();   // "Guardar gráfica..."
    void imprime();  // "Imprimir gráfica..."

private:
    ModeloGrafica m_modelo;
};
