#pragma once

#include "print/Lienzo.h"

#include <QList>
#include <QString>
#include <functional>

// A canvas that keeps what the pages draw, job by job. Texts measure
// 5 pixels per character and point, so every width is known in advance.
class LienzoGrabador : public Lienzo
{
public:
    struct Texto
    {
        int x;
        int y;
        int puntos;
        QString texto;
    };
    struct Linea
    {
        int x1;
        int y1;
        int x2;
        int y2;
    };
    struct Trabajo
    {
        QList<Texto> textos;
        QList<Linea> lineas;
        bool terminado = false;
        bool abortado = false;
    };

    LienzoGrabador(int dpi, int ancho) : m_dpi(dpi), m_ancho(ancho) {}

    static int anchoDe(const QString &texto, int puntos) { return int(texto.size()) * puntos * 5; }

    QList<Trabajo> trabajos;
    // Drawing or measuring with no job open, or a job begun over another.
    mutable int fueraDeTrabajo = 0;
    QString fuente;
    // Called when a job ends, as the printer takes it.
    std::function<void()> alTerminar;

    void iniciaTrabajo() override;
    void terminaTrabajo() override;
    void abortaTrabajo() override;
    void ponFuente(const QString &nombre, int puntos) override;
    int alturaFuente() const override;
    int tamanoFuente() const override { return m_puntos; }
    int anchoTexto(const QString &texto) const override;
    void escribe(int x, int y, const QString &texto) override;
    void mueveA(int x, int y) override;
    void lineaA(int x, int y) override;
    int anchoPagina() const override { return m_ancho; }
    int dpiVertical() const override { return m_dpi; }

private:
    bool abierto() const;

    int m_dpi;
    int m_ancho;
    int m_puntos = 0;
    int m_x = 0;
    int m_y = 0;
};
