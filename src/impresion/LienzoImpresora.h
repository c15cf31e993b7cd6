#pragma once

#include "core/paginas/Lienzo.h"

#include <QByteArray>
#include <QFont>
#include <QMarginsF>
#include <QPainter>
#include <QPoint>

#include <functional>

class QPagedPaintDevice;
class QPrinter;

// The canvas of a real printer (or of the print preview, or of a PDF
// writer): one QPainter per job. Fonts are measured at the device's
// resolution. A job the printer did not take throws ErrorImpresion.
class LienzoImpresora : public Lienzo
{
public:
    explicit LienzoImpresora(QPagedPaintDevice &dispositivo);
    ~LienzoImpresora() override;

    void iniciaTrabajo() override;
    void terminaTrabajo() override;
    void abortaTrabajo() override;
    void nuevaPagina() override;

    void ponFuente(const QString &nombre, int puntos) override;
    int alturaFuente() const override;
    int tamanoFuente() const override;
    int anchoTexto(const QString &texto) const override;

    void escribe(int x, int y, const QString &texto) override;
    void mueveA(int x, int y) override;
    void lineaA(int x, int y) override;

    int anchoPagina() const override;
    int altoPagina() const override;
    int dpiVertical() const override;

    QPainter *pintor() override;

private:
    QString nombreDestino() const;

    QPagedPaintDevice &m_dispositivo;
    // The device as a printer; null for a PDF writer.
    QPrinter *const m_impresora;
    QPainter m_pintor;
    QFont m_fuente;
    QPoint m_pluma;
};

// A PDF document of A4 portrait pages at `resolucion` dots per inch, with
// margins in millimetres, drawn by `dibuja` on its canvas, as bytes: drawn in
// memory, so that nothing is written until the document is whole.
QByteArray DocumentoPdf(int resolucion, const QMarginsF &margenesMm, const QString &titulo,
                        const std::function<void(Lienzo &)> &dibuja);
