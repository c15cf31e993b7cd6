#include "EstadoComandos.h"

#include <QHash>

namespace {

const QStringList todos = {
    "FileNewItem", "spdnuevo", "FileOpenItem", "spdabrir", "mnuclose", "spdclose",
    "FileSaveItem", "spdguardar", "FileSaveAsItem", "FilePrintItem", "PrintLasser",
    "PrintDeskjet", "spdprint", "spdprint1", "mnucalculos", "mnuanova", "mnusupuestos",
    "mnuconclu", "mnuinforme", "WindowTileItem", "spdmosaico", "WindowCascadeItem",
    "spdcascada", "pmnudunet",
};

const QStringList sinEstudio = {"FileNewItem", "spdnuevo", "FileOpenItem", "spdabrir"};

const QHash<Evento, CambioComandos> &tabla()
{
    static const QHash<Evento, CambioComandos> t = {
        {Evento::inicio,
         {sinEstudio,
          {"mnuclose", "spdclose", "FileSaveItem", "spdguardar", "FileSaveAsItem",
           "FilePrintItem", "PrintLasser", "PrintDeskjet", "spdprint", "spdprint1",
           "mnucalculos", "mnuanova", "mnusupuestos", "mnuconclu", "mnuinforme",
           "WindowTileItem", "spdmosaico", "WindowCascadeItem", "spdcascada"}}},
        {Evento::nuevo,
         {{"mnuclose", "spdclose", "WindowTileItem", "spdmosaico", "WindowCascadeItem",
           "spdcascada"},
          {"FileNewItem", "spdnuevo", "FileOpenItem", "spdabrir", "FileSaveItem", "spdguardar",
           "FileSaveAsItem", "FilePrintItem", "spdprint"}}},
        {Evento::abrir,
         {{"mnuclose", "spdclose", "WindowTileItem", "spdmosaico", "WindowCascadeItem",
           "spdcascada", "mnuanova", "mnusupuestos", "mnuinforme", "pmnudunet"},
          {"FileNewItem", "spdnuevo", "FileOpenItem", "spdabrir", "FileSaveItem", "spdguardar",
           "FileSaveAsItem", "FilePrintItem", "PrintLasser", "PrintDeskjet", "spdprint",
           "spdprint1", "mnuconclu"}}},
        {Evento::documentoCierra,
         {sinEstudio,
          {"mnuclose", "spdclose", "FileSaveItem", "spdguardar", "FileSaveAsItem",
           "FilePrintItem", "spdprint", "WindowTileItem", "spdmosaico", "WindowCascadeItem",
           "spdcascada", "mnuanova", "mnusupuestos", "mnuconclu", "mnuinforme", "pmnudunet"}}},
        {Evento::resultadoCierraUltima,
         {sinEstudio,
          {"mnuclose", "spdclose", "FileSaveItem", "spdguardar", "FileSaveAsItem",
           "FilePrintItem", "spdprint", "WindowTileItem", "spdmosaico", "WindowCascadeItem",
           "spdcascada"}}},
        {Evento::focoEntraDocumento, {{}, {"mnucalculos", "mnuanova", "mnusupuestos"}}},
        {Evento::focoEntraRejilla,
         {{"FileSaveItem", "spdguardar", "FileSaveAsItem", "mnucalculos", "mnuanova",
           "mnusupuestos", "FilePrintItem", "PrintLasser", "spdprint", "PrintDeskjet",
           "spdprint1"},
          {}}},
        {Evento::teclaEnRejilla, {{"FileSaveItem", "spdguardar", "FileSaveAsItem"}, {}}},
        {Evento::teclaEnUltimaCelda,
         {{"mnucalculos", "mnuanova", "mnusupuestos", "mnuinforme", "FileSaveItem", "spdguardar",
           "FileSaveAsItem", "FilePrintItem", "PrintLasser", "spdprint", "PrintDeskjet",
           "spdprint1"},
          {"mnuconclu"}}},
        {Evento::botonOk, {{"mnucalculos"}, {}}},
        {Evento::anovaSignificativo, {{"mnuconclu"}, {}}},
        {Evento::anovaNoSignificativo, {{}, {"mnuconclu"}}},
    };
    return t;
}

} // namespace

const CambioComandos &CambiosDe(Evento evento)
{
    return tabla().find(evento).value();
}

QStringList ComandosDeEstudio()
{
    return todos;
}
