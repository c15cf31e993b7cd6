#include "EstadoComandos.h"

#include <QHash>

#include <array>

namespace {

using C = Comando;

// The object names, in the enumeration's order.
constexpr std::array nombres = {
    "FileNewItem", "spdnuevo", "FileOpenItem", "spdabrir", "mnuclose", "spdclose",
    "FileSaveItem", "spdguardar", "FileSaveAsItem", "FilePrintItem", "PrintLasser",
    "PrintDeskjet", "spdprint", "spdprint1", "mnucalculos", "mnuanova", "mnugrafica",
    "spdgrafica", "mnusupuestos", "mnuconclu", "mnuinforme", "WindowTileItem", "spdmosaico",
    "WindowCascadeItem", "spdcascada", "pmnudunet",
};
static_assert(nombres.size() == static_cast<std::size_t>(Comando::pmnudunet) + 1);

const QList<Comando> sinEstudio = {C::FileNewItem, C::spdnuevo, C::FileOpenItem, C::spdabrir};

const QHash<Evento, CambioComandos> &tabla()
{
    static const QHash<Evento, CambioComandos> t = {
        {Evento::inicio,
         {sinEstudio,
          {C::mnuclose, C::spdclose, C::FileSaveItem, C::spdguardar, C::FileSaveAsItem,
           C::FilePrintItem, C::PrintLasser, C::PrintDeskjet, C::spdprint, C::spdprint1,
           C::mnucalculos, C::mnuanova, C::mnugrafica, C::spdgrafica, C::mnusupuestos,
           C::mnuconclu, C::mnuinforme, C::WindowTileItem, C::spdmosaico, C::WindowCascadeItem,
           C::spdcascada}}},
        {Evento::nuevo,
         {{C::mnuclose, C::spdclose, C::WindowTileItem, C::spdmosaico, C::WindowCascadeItem,
           C::spdcascada},
          {C::FileNewItem, C::spdnuevo, C::FileOpenItem, C::spdabrir, C::FileSaveItem, C::spdguardar,
           C::FileSaveAsItem, C::FilePrintItem, C::spdprint}}},
        {Evento::abrir,
         {{C::mnuclose, C::spdclose, C::WindowTileItem, C::spdmosaico, C::WindowCascadeItem,
           C::spdcascada, C::mnuanova, C::mnugrafica, C::spdgrafica, C::mnusupuestos,
           C::mnuinforme, C::pmnudunet},
          {C::FileNewItem, C::spdnuevo, C::FileOpenItem, C::spdabrir, C::FileSaveItem, C::spdguardar,
           C::FileSaveAsItem, C::FilePrintItem, C::PrintLasser, C::PrintDeskjet, C::spdprint,
           C::spdprint1, C::mnuconclu}}},
        {Evento::documentoCierra,
         {sinEstudio,
          {C::mnuclose, C::spdclose, C::FileSaveItem, C::spdguardar, C::FileSaveAsItem,
           C::FilePrintItem, C::spdprint, C::WindowTileItem, C::spdmosaico, C::WindowCascadeItem,
           C::spdcascada, C::mnuanova, C::mnugrafica, C::spdgrafica, C::mnusupuestos,
           C::mnuconclu, C::mnuinforme, C::pmnudunet}}},
        {Evento::resultadoCierraUltima,
         {sinEstudio,
          {C::mnuclose, C::spdclose, C::FileSaveItem, C::spdguardar, C::FileSaveAsItem,
           C::FilePrintItem, C::spdprint, C::WindowTileItem, C::spdmosaico, C::WindowCascadeItem,
           C::spdcascada}}},
        {Evento::focoEntraDocumento,
         {{}, {C::mnucalculos, C::mnuanova, C::mnugrafica, C::spdgrafica, C::mnusupuestos}}},
        {Evento::focoEntraRejilla,
         {{C::FileSaveItem, C::spdguardar, C::FileSaveAsItem, C::mnucalculos, C::mnuanova,
           C::mnugrafica, C::spdgrafica, C::mnusupuestos, C::FilePrintItem, C::PrintLasser,
           C::spdprint, C::PrintDeskjet, C::spdprint1},
          {}}},
        {Evento::teclaEnRejilla, {{C::FileSaveItem, C::spdguardar, C::FileSaveAsItem}, {}}},
        {Evento::teclaEnUltimaCelda,
         {{C::mnucalculos, C::mnuanova, C::mnugrafica, C::spdgrafica, C::mnusupuestos,
           C::mnuinforme, C::FileSaveItem, C::spdguardar,
           C::FileSaveAsItem, C::FilePrintItem, C::PrintLasser, C::spdprint, C::PrintDeskjet,
           C::spdprint1},
          {C::mnuconclu}}},
        {Evento::botonOk, {{C::mnucalculos}, {}}},
        {Evento::anovaSignificativo, {{C::mnuconclu}, {}}},
        {Evento::anovaNoSignificativo, {{}, {C::mnuconclu}}},
    };
    return t;
}

} // namespace

const CambioComandos &CambiosDe(Evento evento)
{
    return tabla().find(evento).value();
}

QList<Comando> ComandosDeEstudio()
{
    QList<Comando> todos;
    for (std::size_t i = 0; i < nombres.size(); ++i)
        todos << static_cast<Comando>(i);
    return todos;
}

QString NombreComando(Comando comando)
{
    return QString::fromLatin1(nombres.at(static_cast<std::size_t>(comando)));
}
