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
    "spdgrafica", "mnusupuestos", "mnuconclu", "mnuinforme", "PrecisionEquivalencia", "WindowTileItem", "spdmosaico",
    "WindowCascadeItem", "spdcascada", "pmnudunet",
};
static_assert(nombres.size() == static_cast<std::size_t>(Comando::pmnudunet) + 1);

// The groups the table sets together.
const QList<Comando> sinEstudio = {C::FileNewItem, C::spdnuevo, C::FileOpenItem, C::spdabrir};
const QList<Comando> ventanas = {C::mnuclose,   C::spdclose,          C::WindowTileItem,
                                 C::spdmosaico, C::WindowCascadeItem, C::spdcascada};
const QList<Comando> guardar = {C::FileSaveItem, C::spdguardar, C::FileSaveAsItem};
const QList<Comando> imprimir = {C::FilePrintItem, C::PrintLasser, C::PrintDeskjet, C::spdprint,
                                 C::spdprint1};
// The print menu itself and the visible print button, without the printers.
const QList<Comando> accesoImprimir = {C::FilePrintItem, C::spdprint};
// Usable exactly when the analysis is.
const QList<Comando> analisis = {C::mnuanova, C::pmnudunet, C::mnugrafica, C::spdgrafica,
                                 C::mnusupuestos, C::PrecisionEquivalencia};

const QHash<Evento, CambioComandos> &tabla()
{
    static const QHash<Evento, CambioComandos> t = {
        {Evento::inicio,
         {sinEstudio,
          ventanas + guardar + imprimir + analisis
              + QList{C::mnucalculos, C::mnuconclu, C::mnuinforme}}},
        {Evento::nuevo, {ventanas, sinEstudio + guardar + accesoImprimir}},
        {Evento::abrir,
         {ventanas + analisis + QList{C::mnuinforme},
          sinEstudio + guardar + imprimir + QList{C::mnuconclu}}},
        {Evento::documentoCierra,
         {sinEstudio,
          ventanas + guardar + accesoImprimir + analisis
              + QList{C::mnucalculos, C::mnuconclu, C::mnuinforme}}},
        {Evento::resultadoCierraUltima, {sinEstudio, ventanas + guardar + accesoImprimir}},
        {Evento::focoEntraDocumento, {{}, analisis + QList{C::mnucalculos}}},
        {Evento::focoEntraRejilla, {guardar + imprimir + analisis + QList{C::mnucalculos}, {}}},
        {Evento::teclaEnRejilla, {guardar, {}}},
        {Evento::teclaEnUltimaCelda,
         {guardar + imprimir + analisis + QList{C::mnucalculos, C::mnuinforme}, {C::mnuconclu}}},
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
