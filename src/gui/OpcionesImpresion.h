#pragma once

#include "core/paginas/Lienzo.h"

#include "core/motor/AnovaResults.h"
#include "core/estudio/Estudio.h"

#include <QDialog>
#include <QPrinter>
#include <functional>
#include <memory>

class GrupoOpciones;
class QPushButton;

// Where the print runs draw: by default the canvas of the printer the print
// dialog chose. Tests install a recording canvas; an empty function goes
// back to the printer's own.
using FabricaLienzo = std::function<std::unique_ptr<Lienzo>(QPrinter &)>;
void InstalaFabricaLienzo(FabricaLienzo fabrica);

// What the two print options windows have in common: the choice of page,
// "Aceptar" (the print run), "Cancelar" and "Vista previa". Each window
// keeps its printer, its selection and its own result set for the run.
class VentanaOpcionesImpresion : public QDialog
{
    Q_OBJECT

public:
    // The page routines of one printer kind, and the resolution its layout
    // was drawn for: positions are printer pixels, so the page only keeps
    // its proportions at that resolution.
    struct Paginas
    {
        void (*informacion)(Lienzo &, const Estudio &);
        void (*tolerancia)(Lienzo &, const Estudio &, const JuegoResultados &);
        int resolucion;
    };

    // The selected item of `opcion`: 0 general information, 1 results.
    int seleccion() const;

protected:
    VentanaOpcionesImpresion(const QString &tituloGrupo, QSize tamano, Paginas paginas,
                             QWidget *parent);

private slots:
    void BitBtn1Click();
    void BitBtn2Click();
    void botonvistaClick();

private:
    // The study may be printed: a document window exists and its counts pass
    // the capture validation (which shows its own message otherwise).
    bool estudioImprimible();
    // Portrait, at the layout's resolution, whatever the dialog chose.
    void preparaImpresora();
    void dibujaPagina(Lienzo &lienzo, const Estudio &estudio, int pagina);

    GrupoOpciones *opcion;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QPushButton *botonvista;
    Paginas m_paginas;
    QPrinter m_impresora;
    JuegoResultados m_resultados;
};
