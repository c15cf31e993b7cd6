#pragma once

#include "core/paginas/Lienzo.h"

#include <QFont>
#include <QPainter>
#include <QPoint>

class QPrinter;

// The canvas of a real printer (or of a PDF file, or of the print preview):
// one QPainter per job. Fonts are measured at the printer's resolution.
class LienzoImpresora : public Lienzo
{
public:
    explicit LienzoImpresora(QPrinter &impresora);
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

private:
    QPrinter &m_impresora;
    QPainter m_pintor;
    QFont m_fuente;
    QPoint m_pluma;
};
