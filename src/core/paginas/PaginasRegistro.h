#pragma once

#include "core/paginas/PaginasTexto.h"

// The register's trail on paper: its lines are their own heading, so its
// pages carry no title.
inline void DibujaRegistro(Lienzo &lienzo, const QStringList &lineas, const QStringList &margen)
{
    DibujaPaginasTexto(lienzo, QString(), lineas, margen);
}
