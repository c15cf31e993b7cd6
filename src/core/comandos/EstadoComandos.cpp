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
    "WindowCascadeItem", "spdcascada", "pmnudunet", "RegistroCambios", "FirmarEstudio",
    "PrecisionEquivalencia",
};
static_assert(nombres.size() == static_cast<std::size_t>(Comando::PrecisionEquivalencia) + 1);

// The groups the table sets together.
const QList<Comando> sinEstudio = {C::NuevoEstudio, C::BotonNuevo, C::AbrirEstudio, C::BotonAbrir};
const QList<Comando> ventanas = {C::CerrarVentana,   C::BotonCerrar,          C::Mosaico,
                                 C::BotonMosaico, C::Cascada, C::BotonCascada};
const QList<Comando> guardar = {C::GuardarEstudio, C::BotonGuardar, C::GuardarComo};
const QList<Comando> imprimir = {C::MenuImprimir, C::ImprimirLaser, C::ImprimirTinta, C::BotonImprimirLaser,
                                 C::BotonImprimirTinta};
// The print menu itself and the visible print button, without the printers.
const QList<Comando> accesoImprimir = {C::MenuImprimir, C::BotonImprimirLaser};
// Usable exactly when the analysis is.
const QList<Comando> analisis = {C::AnalisisVarianza, C::DunnettDeRejilla, C::Grafica, C::BotonGrafica,
                                 C::Supuestos, C::PrecisionEquivalencia};
// Usable while a study window is open, saved or not: each says itself why a
// study never saved, or with unsaved changes, has no trail or cannot be signed.
const QList<Comando> registro = {C::RegistroCambios, C::FirmarEstudio};

const QHash<Evento, CambioComandos> &tabla()
{
    static const QHash<Evento, CambioComandos> t = {
        {Evento::inicio,
         {sinEstudio,
          ventanas + guardar + imprimir + analisis + registro
              + QList{C::MenuCalculos, C::IntervalosConfianza, C::Informe}}},
        {Evento::nuevo, {ventanas + registro, sinEstudio + guardar + accesoImprimir}},
        {Evento::abrir,
         {ventanas + analisis + registro + QList{C::Informe},
          sinEstudio + guardar + imprimir + QList{C::IntervalosConfianza}}},
        {Evento::documentoCierra,
         {sinEstudio,
          ventanas + guardar + accesoImprimir + analisis + registro
              + QList{C::MenuCalculos, C::IntervalosConfianza, C::Informe}}},
        {Evento::resultadoCierraUltima, {sinEstudio, ventanas + guardar + accesoImprimir + registro}},
        {Evento::focoEntraDocumento, {{}, analisis + QList{C::MenuCalculos}}},
        {Evento::focoEntraRejilla, {guardar + imprimir + analisis + QList{C::MenuCalculos}, {}}},
        {Evento::teclaEnRejilla, {guardar, {}}},
        {Evento::teclaEnUltimaCelda,
         {guardar + imprimir + analisis + QList{C::MenuCalculos, C::Informe}, {C::IntervalosConfianza}}},
        {Evento::botonOk, {{C::MenuCalculos}, {}}},
        {Evento::anovaSignificativo, {{C::IntervalosConfianza}, {}}},
        {Evento::anovaNoSignificativo, {{}, {C::IntervalosConfianza}}},
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
