#include "Resultados.h"

#include "core/informe/Informe.h"
#include "gui/VentanaAnova.h"
#include "gui/VentanaIntervalos.h"
#include "gui/VentanaInforme.h"
#include "gui/VentanaEstudio.h"
#include "gui/Dialogos.h"
#include "gui/VentanaPrincipal.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/Pares.h"
#include "core/motor/Anova.h"

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

// A fresh calculation into the main window's result set. A calculation
// error gets the result windows' own message and false; a conversion error
// goes on to the general handler.
bool Calcula(const Estudio &estudio)
{
    try {
        CalculaAnova(estudio, SeparadorDecimal(), MainForm->resultados());
        return true;
    } catch (const ErrorCalculo &) {
        Dialogos::actual().mensaje(
            QStringLiteral("Existió un error de cálculo, verificar valores de captura."));
        return false;
    }
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
