#pragma once

#include "core/paginas/Lienzo.h"
#include "core/paginas/PaginasImpresora.h"

#include <QList>
#include <QString>
#include <algorithm>
#include <cmath>
#include <functional>

// A canvas that keeps what the pages draw, job by job. Texts measure
// 5 pixels per character and point, so every width is known in advance.
class LienzoGrabador : public Lienzo
{
public:
    // `pagina` counts the pages of the job from 0.
    struct Texto { int x, y, puntos; QString texto; int pagina = 0; };
    struct Linea { int x1, y1, x2, y2; };
    struct Trabajo
    {
        QList<Texto> textos;
        QList<Linea> lineas;
        bool terminado = false;
        bool abortado = false;
        // Where each page after the first begins: the number of texts drawn before it.
        QList<qsizetype> saltos;

        // The texts of page p (0-based), in the order drawn.
        QStringList textosDePagina(int p) const
        {
            const qsizetype desde = p == 0 ? 0 : saltos.value(p - 1, textos.size());
            const qsizetype hasta = saltos.value(p, textos.size());
            QStringList salida;
            for (qsizetype i = desde; i < hasta; ++i)
                salida << textos.at(i).texto;
            return salida;
        }
        int paginas = 1;

        // The text drawn at (x, y), empty when there is none.
        QString textoEn(int x, int y) const
        {
            for (const auto &t : textos)
                if (t.x == x && t.y == y)
                    return t.texto;
            return {};
        }
        // The page as text: "y x pt «texto»" for each text, top to bottom
        // and left to right, then "regla x1,y1 x2,y2" for each rule.
        QStringList volcado() const
        {
            QList<Texto> orden = textos;
            std::stable_sort(orden.begin(), orden.end(), [](const Texto &a, const Texto &b) {
                return std::pair(a.y, a.x) < std::pair(b.y, b.x);
            });
            QStringList salida;
            for (const auto &t : orden)
                salida << QStringLiteral("%1 %2 %3pt «%4»").arg(t.y).arg(t.x).arg(t.puntos).arg(t.texto);
            for (const auto &l : lineas)
                salida << QStringLiteral("regla %1,%2 %3,%4").arg(l.x1).arg(l.y1).arg(l.x2).arg(l.y2);
            return salida;
        }
    };

    LienzoGrabador(int dpi, int ancho, int alto = 0) : m_dpi(dpi), m_ancho(ancho), m_alto(alto) {}

    QList<Trabajo> trabajos;
    // Drawing or measuring with no job open, or a job begun over another.
    mutable int fueraDeTrabajo = 0;
    QString fuente;
    // Called when a job ends, as the printer takes it.
    std::function<void()> alTerminar;

    void iniciaTrabajo() override
    {
        fueraDeTrabajo += abierto();
        trabajos.append(Trabajo{});
    }
    void terminaTrabajo() override
    {
        if (!abierto()) {
            ++fueraDeTrabajo;
            return;
        }
        trabajos.last().terminado = true;
        if (alTerminar)
            alTerminar();
    }
    void abortaTrabajo() override
    {
        if (abierto())
            trabajos.last().abortado = true;
    }
    void nuevaPagina() override
    {
        if (abierto()) {
            trabajos.last().saltos.append(trabajos.last().textos.size());
            ++trabajos.last().paginas;
        } else
            ++fueraDeTrabajo;
    }
    void ponFuente(const QString &nombre, int puntos) override { fuente = nombre; m_puntos = puntos; }
    int alturaFuente() const override { return int(std::lround(m_puntos * m_dpi / 72.0)); }
    int tamanoFuente() const override { return m_puntos; }
    int anchoTexto(const QString &texto) const override
    {
        fueraDeTrabajo += !abierto();
        return int(texto.size()) * m_puntos * 5;
    }
    void escribe(int x, int y, const QString &texto) override
    {
        if (abierto())
            trabajos.last().textos.append({x, y, m_puntos, texto, trabajos.last().paginas - 1});
        else
            ++fueraDeTrabajo;
    }
    void mueveA(int x, int y) override { m_x = x; m_y = y; }
    void lineaA(int x, int y) override
    {
        if (abierto())
            trabajos.last().lineas.append({m_x, m_y, x, y});
        else
            ++fueraDeTrabajo;
        mueveA(x, y);
    }
    int anchoPagina() const override { return m_ancho; }
    int altoPagina() const override { return m_alto; }
    int dpiVertical() const override { return m_dpi; }

private:
    bool abierto() const { return !trabajos.isEmpty() && !trabajos.last().terminado && !trabajos.last().abortado; }

    int m_dpi;
    int m_ancho;
    int m_alto;
    int m_puntos = 0;
    int m_x = 0;
    int m_y = 0;
};

// The four pages by number: laser information and results, then ink-jet.
inline void ImprimePagina(int pagina, Lienzo &lienzo, const Estudio &estudio, const ResultadosAnova &resultados,
                          const QStringList &margen)
{
    DibujaPagina(pagina < 2 ? PaginasDeLaser : PaginasDeTinta, lienzo, estudio, pagina % 2 == 1, resultados, margen);
}
