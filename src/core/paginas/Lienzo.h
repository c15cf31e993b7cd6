#pragma once

#include "core/motor/Errores.h"

#include <QString>

class QPainter;

// A printer's drawing surface, reduced to what the printed pages use. All
// positions are printer pixels from the top-left corner of the printable area.
class Lienzo
{
public:
    virtual ~Lienzo() = default;

    // Opens a print job and its first page. Throws ErrorImpresion when the
    // printer refuses it.
    virtual void iniciaTrabajo() = 0;
    // Closes the page and sends the job. Throws ErrorImpresion when the
    // printer did not take it.
    virtual void terminaTrabajo() = 0;
    // Drops the open job, if any, so that the printer is free for the next one.
    virtual void abortaTrabajo() = 0;
    // Ends the page of the open job and begins the next one. Throws
    // ErrorImpresion when the printer cannot.
    virtual void nuevaPagina() = 0;

    // Font by name and size in points; default pitch, regular style.
    virtual void ponFuente(const QString &nombre, int puntos) = 0;
    // Height of the current font's characters in pixels (its point size at
    // the vertical resolution, without leading).
    virtual int alturaFuente() const = 0;
    // Size of the current font in points, as the font reports it.
    virtual int tamanoFuente() const = 0;
    virtual int anchoTexto(const QString &texto) const = 0;

    // Text with its top-left corner at (x, y) on a white opaque background,
    // which hides whatever lies behind it.
    virtual void escribe(int x, int y, const QString &texto) = 0;
    virtual void mueveA(int x, int y) = 0;
    // A line from the pen's position to (x, y) with the default pen.
    virtual void lineaA(int x, int y) = 0;

    // Printable width and height in pixels.
    virtual int anchoPagina() const = 0;
    virtual int altoPagina() const = 0;
    virtual int dpiVertical() const = 0;

    // The painter of the open job, for drawings beyond texts and lines (the
    // plot); null where the canvas has none (a recording one).
    virtual QPainter *pintor() { return nullptr; }
};

// A printer or print job that failed.
class ErrorImpresion : public ErrorTolerancia
{
public:
    using ErrorTolerancia::ErrorTolerancia;
};
