#pragma once

#include "core/paginas/Lienzo.h"

#include <QFont>
#include <QPainter>
#include <QPoint>

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

    void ponFuente(const QString &nombre, int puntos) override;
    int alturaFuente() const override;
    int tamanoFuente() const override;
    int anchoTexto(const QString &texto) const override;

    void escribe(int x, int y, const QString &texto) override;
    void mueveA(int x, int y) override;
    void lineaA(int x, int y) override;

    int anchoPagina() const override;
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
