#include "Resultados.h"

#include "Informe.h"
#include "Ufanova.h"
#include "Ufconclu.h"
#include "Uinforme.h"
#include "capture/Fdatos.h"
#include "core/motor/Supuestos.h"
#include "gui/VentanaSupuestos.h"
#include "shell/Dialogos.h"
#include "shell/Main.h"
#include "stats/Conversiones.h"
#include "stats/Errores.h"
#include "stats/Pares.h"
#include "stats/Uanova.h"

#include <functional>
#include <optional>

namespace {

// The study to calculate, or nothing when the capture validation failed
// (it has shown its message; it also fails without a document window).
std::optional<Estudio> EstudioValidado()
{
    if (!ValidaCaptura())
        return std::nullopt;
    return Finforma->estudio();
}

// A calculation error gets the result windows' own message and false; a
// conversion error goes on to the general handler.
bool SinErrorDeCalculo(const std::function<void()> &calculo)
{
    try {
        calculo();
        return true;
    } catch (const ErrorCalculo &) {
        Dialogos::actual().mensaje(
            QStringLiteral("Existió un error de cálculo, verificar valores de captura."));
        return false;
    }
}

// A fresh calculation into the main window's result set.
bool Calcula(const Estudio &estudio)
{
    return SinErrorDeCalculo(
        [&estudio] { CalculaAnova(estudio, SeparadorDecimal(), MainForm->resultados()); });
}

} // namespace

void ComandoAnalisisVarianza()
{
    const auto estudio = EstudioValidado();
    if (!estudio || !Calcula(*estudio))
        return;
    const JuegoResultados &juego = MainForm->resultados();
    auto *ventana = new TfinfoA;
    ventana->llena(juego, StrToInt(estudio->econdicion));
    ventana->muestra();
    MainForm->aplicaEvento(EsSignificativo(juego.resultados[Ranura::pfcal])
                               ? Evento::anovaSignificativo
                               : Evento::anovaNoSignificativo);
}

void ComandoIntervaloConfianza()
{
    const auto estudio = EstudioValidado();
    if (!estudio || !Calcula(*estudio))
        return;
    auto *ventana = new TfinfoB;
    ventana->llena(MainForm->resultados().resultados, StrToInt(estudio->econdicion));
    ventana->muestra();
}

void ComandoInforme()
{
    const auto estudio = EstudioValidado();
    if (!estudio)
        return;
    auto *ventana = new Tfrminforme;
    ventana->muestra();
    // Block 1 arrives before the calculation; an error after it leaves the
    // window open with what it already holds.
    ComponeInforme(*estudio, SeparadorDecimal(), MainForm->resultados(),
                   [ventana](const QString &linea) { ventana->agrega(linea); });
}

void ComandoSupuestos()
{
    const auto estudio = EstudioValidado();
    if (!estudio)
        return;
    const QChar separador = SeparadorDecimal();
    QStringList lineas;
    const bool calculado = SinErrorDeCalculo([&] {
        lineas = LineasSupuestos(CalculaSupuestos(*estudio, separador), separador);
    });
    if (!calculado)
        return;
    (new VentanaSupuestos(lineas))->muestra();
}
