#pragma once

#include "core/estudio/Huella.h"
#include "core/paginas/Grafica.h"
#include "gui/VentanaResultado.h"

// "Gráfica": the plot of one calculation, scaled to the window, with
// commands to save it as a file and to print it on one page. It knows the
// study it was drawn from (its file and its fingerprint then), which the
// print carries and whose register records the print and the file.
class VentanaGrafica : public VentanaResultado
{
    Q_OBJECT

public:
    VentanaGrafica(const ModeloGrafica &modelo, const QString &rutaEstudio, const Huella &huella,
                   QWidget *parent = nullptr);

public slots:
    void guarda();   // "Guardar gráfica..."
    void imprime();  // "Imprimir gráfica..."

private:
    ModeloGrafica m_modelo;
    QString m_rutaEstudio;
    Huella m_huella;
};
