#pragma once

#include "core/paginas/Lienzo.h"
#include "core/paginas/PaginasImpresora.h"

#include "core/estudio/Estudio.h"
#include "core/motor/ResultadosAnova.h"

#include <QDialog>
#include <QPrinter>
#include <functional>
#include <memory>

class GrupoOpciones;
class QPushButton;
class VentanaEstudio;

// Where the print runs draw: by default the canvas of the printer the print
// dialog chose. Tests install a recording canvas; an empty function goes
// back to the printer's own.
using FabricaLienzo = std::function<std::unique_ptr<Lienzo>(QPrinter &)>;
void InstalaFabricaLienzo(FabricaLienzo fabrica);
// The canvas of a print job on `impresora`: the installed one, or the
// printer's own.
std::unique_ptr<Lienzo> CreaLienzo(QPrinter &impresora);

// A print options window: the choice of page, "Aceptar" (the print run),
// "Cancelar" and "Vista previa". The program has two, one per printer kind.
// Each keeps its printer, its selection and its own result set for the run,
// and reads the study from the study window it is handed at each command.
class OpcionesImpresion : public QDialog
{
    Q_OBJECT

public:
    // The study window of the moment; nullptr when none is open.
    using FuenteDocumento = std::function<VentanaEstudio *()>;

    // The laser window, "Imprimir en Lasser:", and the ink-jet one, "Imprimir:".
    static OpcionesImpresion *laser(FuenteDocumento documento, QWidget *parent);
    static OpcionesImpresion *tinta(FuenteDocumento documento, QWidget *parent);

    // The selected item of `opcion`: 0 general information, 1 results.
    int seleccion() const;

private:
    OpcionesImpresion(const QString &tituloGrupo, QSize tamano, const PaginasImpresora &paginas,
                      const QString &clase, FuenteDocumento documento, QWidget *parent);

    void imprime();
    void vistaPrevia();

    // The study may be printed: a document window exists and its counts pass
    // the capture validation (which shows its own message otherwise).
    bool estudioImprimible();
    // The page chosen as the study's register names it: "Tolerancia, láser".
    QString nombrePagina() const;
    // Portrait, at the layout's resolution, whatever the dialog chose.
    void preparaImpresora();

    GrupoOpciones *opcion;
    QPushButton *botonAceptar;
    QPushButton *botonCancelar;
    QPushButton *botonVista;
    const PaginasImpresora &m_paginas;
    const QString m_clase;  // the printer kind, "láser" or "inyección de tinta"
    FuenteDocumento m_documento;
    QPrinter m_impresora;
    ResultadosAnova m_resultados;
};
