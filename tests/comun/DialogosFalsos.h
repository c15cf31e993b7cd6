#pragma once

#include "gui/Dialogos.h"

#include <QPrinter>
#include <QStringList>

// Answers every box and dialog the way the test says, and remembers them.
class DialogosFalsos : public Dialogos
{
public:
    QStringList mensajes;
    QStringList preguntas;    // "title|text"
    Respuesta respuesta = Respuesta::no;  // to every question
    QString archivoAbrir;     // empty: cancelled
    QString archivoGuardar;
    QStringList nombresGuardar;  // the names the save dialog started at
    QString grafica;          // the plot's save dialog
    QString documentoPdf;     // the PDF documents' save dialog
    // The print dialog: the user chooses landscape, 1200 dpi and `copias`,
    // then answers; `pdf` (if any) stands for the printer.
    bool aceptaImpresion = false;
    int copias = 1;
    QString pdf;
    int dialogosImpresion = 0;
    std::function<void()> duranteDialogo;
    int vistas = 0;

    void mensaje(const QString &texto) override { mensajes << texto; }
    Respuesta pregunta(const QString &titulo, const QString &texto) override
    {
        preguntas << titulo + u'|' + texto;
        return respuesta;
    }
    QString abreArchivo(QWidget *) override { return archivoAbrir; }
    QString guardaArchivo(QWidget *, const QString &nombre) override
    {
        nombresGuardar << nombre;
        return archivoGuardar;
    }
    QString guardaGrafica(QWidget *, const QString &) override { return grafica; }
    QString guardaPdf(QWidget *, const QString &) override { return documentoPdf; }
    bool imprime(QPrinter *impresora, QWidget *) override
    {
        ++dialogosImpresion;
        if (duranteDialogo)
            duranteDialogo();
        if (!pdf.isEmpty()) {
            impresora->setOutputFormat(QPrinter::PdfFormat);
            impresora->setOutputFileName(pdf);
        }
        impresora->setPageOrientation(QPageLayout::Landscape);
        impresora->setResolution(1200);
        impresora->setCopyCount(copias);
        return aceptaImpresion;
    }
    void vistaPrevia(QPrinter *impresora, QWidget *,
                     const std::function<void(QPrinter *)> &dibuja) override
    {
        ++vistas;
        dibuja(impresora);
    }
};
