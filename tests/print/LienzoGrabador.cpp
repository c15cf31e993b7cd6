#include "LienzoGrabador.h"

#include <cmath>

bool LienzoGrabador::abierto() const
{
    return !trabajos.isEmpty() && !trabajos.last().terminado && !trabajos.last().abortado;
}

void LienzoGrabador::iniciaTrabajo()
{
    if (abierto())
        ++fueraDeTrabajo;
    trabajos.append(Trabajo{});
}

void LienzoGrabador::terminaTrabajo()
{
    if (!abierto()) {
        ++fueraDeTrabajo;
        return;
    }
    trabajos.last().terminado = true;
    if (alTerminar)
        alTerminar();
}

void LienzoGrabador::abortaTrabajo()
{
    if (abierto())
        trabajos.last().abortado = true;
}

void LienzoGrabador::ponFuente(const QString &nombre, int puntos)
{
    fuente = nombre;
    m_puntos = puntos;
}

int LienzoGrabador::alturaFuente() const
{
    return int(std::lround(m_puntos * m_dpi / 72.0));
}

int LienzoGrabador::anchoTexto(const QString &texto) const
{
    if (!abierto())
        ++fueraDeTrabajo;
    return anchoDe(texto, m_puntos);
}

void LienzoGrabador::escribe(int x, int y, const QString &texto)
{
    if (!abierto()) {
        ++fueraDeTrabajo;
        return;
    }
    trabajos.last().textos.append({x, y, m_puntos, texto});
}

void LienzoGrabador::mueveA(int x, int y)
{
    m_x = x;
    m_y = y;
}

void LienzoGrabador::lineaA(int x, int y)
{
    if (!abierto()) {
        ++fueraDeTrabajo;
        return;
    }
    trabajos.last().lineas.append({m_x, m_y, x, y});
    m_x = x;
    m_y = y;
}
