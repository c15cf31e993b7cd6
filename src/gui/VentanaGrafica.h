#pragma once

#include "core/paginas/Grafica.h"
#include "gui/VentanaResultado.h"

class QMdiArea;

// "Gráfica": the plot of one calculation, scaled to the window, with
// commands to save it as a file and to print it on one page.
class VentanaGrafica : public VentanaResultado
{
    Q_OBJECT

public:
    explicit VentanaGrafica(const ModeloGrafica &modelo, QWidget *parent = nullptr);

    // Adds the window to the frame and shows it.
    void muestra(QMdiArea *marco);

public slots:
    void guarda();   // "Guardar gráfica..."
    void imprime();  // "Imprimir gráfica..."

private:
    ModeloGrafica m_modelo;
};
