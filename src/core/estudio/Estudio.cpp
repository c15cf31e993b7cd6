#include "Estudio.h"

#include <algorithm>

Rejilla::Rejilla(int columnas, int filas)
    : m_columnas(std::max(columnas, 0)), m_filas(std::max(filas, 0)),
      m_celdas(static_cast<qsizetype>(m_columnas) * m_filas)
{
}

QString Rejilla::celda(int columna, int fila) const
{
    if (columna < 0 || fila < 0 || columna >= m_columnas || fila >= m_filas)
        return {};
    return m_celdas.at(static_cast<qsizetype>(fila) * m_columnas + columna);
}

void Rejilla::ponCelda(int columna, int fila, const QString &texto)
{
    if (columna < 0 || fila < 0 || columna >= m_columnas || fila >= m_filas)
        return;
    m_celdas[static_cast<qsizetype>(fila) * m_columnas + columna] = texto;
}

void Rejilla::redimensiona(int columnas, int filas)
{
    Rejilla nueva(columnas, filas);
    for (int r = 0; r < std::min(m_filas, nueva.m_filas); ++r)
        for (int c = 0; c < std::min(m_columnas, nueva.m_columnas); ++c)
            nueva.ponCelda(c, r, celda(c, r));
    *this = std::move(nueva);
}

namespace Etiquetas {
QString esquinaCreacion() { return QStringLiteral("  FAM"); }
QString famCreacion(int i) { return QStringLiteral(" ") + QString::number(i); }
QString esquinaAceptada() { return QStringLiteral(" FAM"); }
QString famAceptada(int i) { return QStringLiteral("   ") + QString::number(i); }
QString muestra(int j) { return QStringLiteral("Muestra ") + QString::number(j); }
} // namespace Etiquetas

Rejilla RejillaCreacion()
{
    Rejilla rejilla(FamInicial + 1, MuestrasInicial + 1);
    rejilla.ponCelda(0, 0, Etiquetas::esquinaCreacion());
    for (int i = 1; i < rejilla.columnas(); ++i)
        rejilla.ponCelda(i, 0, Etiquetas::famCreacion(i));
    for (int j = 1; j < rejilla.filas(); ++j)
        rejilla.ponCelda(0, j, Etiquetas::muestra(j));
    return rejilla;
}

void AceptaRejilla(Rejilla &rejilla, int k, int n)
{
    rejilla.redimensiona(k + 1, n + 1);
    for (int j = 1; j <= n; ++j)
        rejilla.ponCelda(0, j, Etiquetas::muestra(j));
    rejilla.ponCelda(0, 0, Etiquetas::esquinaAceptada());
    for (int i = 1; i <= k; ++i)
        rejilla.ponCelda(i, 0, Etiquetas::famAceptada(i));
}

void RecuerdaCeldas(Rejilla &memoria, const Rejilla &mostrada)
{
    memoria.redimensiona(std::max(memoria.columnas(), mostrada.columnas()),
                         std::max(memoria.filas(), mostrada.filas()));
    for (int c = 1; c < mostrada.columnas(); ++c)
        for (int f = 1; f < mostrada.filas(); ++f)
            memoria.ponCelda(c, f, mostrada.celda(c, f));
}
