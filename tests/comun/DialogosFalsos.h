#pragma once

#include "gui/Dialogos.h"

#include <QPrinter>
#include <QStringList>
#include <optional>

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
    // The reason typed at every "Motivo del cambio"; nothing: cancelled.
    std::optional<QString> motivo = QStringLiteral("Corrección de captura");
    int motivosPedidos = 0;
    // The print dialog: the user chooses landscape, 1200 dpi and `copias`,
    // then answers; `pdf` (if any) stands for the printer.
    bool aceptaImpresion = false;
    int copias = 1;
    QString pdf;
    int dialogosImpresion = 0;
    std::function<void()> duranteDialogo;
    int vistas = 0;
    QString pdfGuardar;       // the PDF save dialog; empty: cancelled
    QStringList nombresPdf;   // the names it started at
    // The signing dialog: the answer (nothing: cancelled), and the study
    // and name it was opened with.
    std::optional<DatosFirma> datosFirma;
    QStringList firmasPedidas;  // "study|name"

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
    std::optional<QString> motivoCambio(QWidget *) override
    {
        ++motivosPedidos;
        return motivo;
    }
    QString guardaGrafica(QWidget *, const QString &) override { return grafica; }
    QString guardaPdf(QWidget *, const QString &nombre) override
    {
        nombresPdf << nombre;
        return pdfGuardar;
    }
    std::optional<DatosFirma> firma(QWidget *, const QString &estudio, const QString &nombre) override
    {
        firmasPedidas << estudio + u'|' + nombre;
        return datosFirma;
    }
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
