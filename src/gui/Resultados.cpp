#include "Resultados.h"

#include "core/motor/Mensajes.h"
#include "core/informe/Informe.h"
#include "core/informe/TextoSupuestos.h"
#include "core/motor/Anova.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/Pares.h"
#include "gui/CriteriosRecordados.h"
#include "gui/Dialogos.h"
#include "gui/VentanaAnova.h"
#include "gui/VentanaDunnett.h"
#include "gui/VentanaEstudio.h"
#include "gui/VentanaGrafica.h"
#include "gui/VentanaInforme.h"
#include "gui/VentanaIntervalos.h"
#include "gui/VentanaPrecision.h"
#include "gui/VentanaSupuestos.h"

#include <functional>
#include <optional>

namespace {

// The study to calculate, or nothing when the capture validation failed
// (it has shown its message; it also fails without a document window).
std::optional<Estudio> EstudioValidado(VentanaEstudio *documento)
{
    if (!ValidaCaptura(documento))
        return std::nullopt;
    return documento->estudio();
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
            TextoDe(Mensaje::errorDeCalculo));
        return false;
    }
}

// A fresh calculation into the destination's result set.
bool Calcula(const Estudio &estudio, ResultadosAnova &resultados)
{
    return SinErrorDeCalculo([&] { resultados = CalculaAnova(estudio, SeparadorDecimal()); });
}

// The band of the acceptance limit last typed in the precision window, if
// it still reads and the study calculates it; the plot goes without one
// otherwise, as it does without a limit.
std::optional<BandaAceptacion> BandaRecordada(const Estudio &estudio, QChar separador)
{
    const QString limite = CriteriosRecordados().limite;
    if (limite.isEmpty())
        return std::nullopt;
    try {
        const ResultadoPrecision r =
            CalculaPrecision(estudio, separador, CriteriosEquivalencia{LeeLimiteAceptacion(limite, separador)});
        return BandaDe(*r.equivalencia);
    } catch (const ErrorTolerancia &) {
        return std::nullopt;
    }
}

// Result windows report the last child window closing.
template<typename Ventana, typename... Datos>
Ventana *creaVentana(const DestinoResultados &destino, const Datos &...datos)
{
    auto *ventana = new Ventana(datos...);
    QObject::connect(ventana, &VentanaResultado::evento, ventana, destino.aplica);
    return ventana;
}

} // namespace

void ComandoAnalisisVarianza(VentanaEstudio *documento, const DestinoResultados &destino)
{
    const auto estudio = EstudioValidado(documento);
    if (!estudio || !Calcula(*estudio, destino.resultados))
        return;
    auto *ventana = creaVentana<VentanaAnova>(destino);
    ventana->llena(destino.resultados);
    ventana->muestra(destino.marco);
    destino.aplica(EsSignificativo(destino.resultados.pfcal) ? Evento::anovaSignificativo
                                                             : Evento::anovaNoSignificativo);
}

void ComandoIntervaloConfianza(VentanaEstudio *documento, const DestinoResultados &destino)
{
    const auto estudio = EstudioValidado(documento);
    if (!estudio || !Calcula(*estudio, destino.resultados))
        return;
    auto *ventana = creaVentana<VentanaIntervalos>(destino);
    ventana->llena(destino.resultados);
    ventana->muestra(destino.marco);
}

void ComandoGrafica(VentanaEstudio *documento, const DestinoResultados &destino)
{
    const auto estudio = EstudioValidado(documento);
    if (!estudio || !Calcula(*estudio, destino.resultados))
        return;
    const QChar separador = SeparadorDecimal();
    auto *ventana = creaVentana<VentanaGrafica>(
        destino, ModeloDeGrafica(*estudio, destino.resultados, separador, BandaRecordada(*estudio, separador)),
        documento->ruta(), documento->huella());
    ventana->muestra(destino.marco);
}

void ComandoInforme(VentanaEstudio *documento, const DestinoResultados &destino)
{
    const auto estudio = EstudioValidado(documento);
    if (!estudio)
        return;
    auto *ventana = creaVentana<VentanaInforme>(destino);
    ventana->muestra(destino.marco);
    // Block 1 arrives before the calculation; an error after it leaves the
    // window open with what it already holds.
    destino.resultados = ComponeInforme(*estudio, SeparadorDecimal(),
                                        [ventana](const QString &linea) { ventana->agrega(linea); });
}

void ComandoSupuestos(VentanaEstudio *documento, const DestinoResultados &destino)
{
    const auto estudio = EstudioValidado(documento);
    if (!estudio)
        return;
    const QChar separador = SeparadorDecimal();
    QStringList lineas;
    const bool calculado = SinErrorDeCalculo([&] {
        lineas = LineasSupuestos(CalculaSupuestos(*estudio, separador), separador);
    });
    if (!calculado)
        return;
    auto *ventana = creaVentana<VentanaSupuestos>(destino, lineas);
    ventana->muestra(destino.marco);
}

void ComandoDunnett(VentanaEstudio *documento, const DestinoResultados &destino)
{
    const auto estudio = EstudioValidado(documento);
    if (!estudio)
        return;
    const QChar separador = SeparadorDecimal();
    ResultadoDunnett resultado;
    if (!SinErrorDeCalculo([&] { resultado = CalculaDunnett(*estudio, separador, 1); }))
        return;
    auto *ventana = creaVentana<VentanaDunnett>(destino, *estudio, separador, resultado);
    ventana->muestra(destino.marco);
}

void ComandoPrecision(VentanaEstudio *documento, const DestinoResultados &destino)
{
    const auto estudio = EstudioValidado(documento);
    if (!estudio)
        return;
    const QChar separador = SeparadorDecimal();
    ResultadoPrecision componentes;
    if (!SinErrorDeCalculo([&] { componentes = CalculaPrecision(*estudio, separador); }))
        return;
    auto *ventana = creaVentana<VentanaPrecision>(destino, *estudio, documento->ruta(), documento->huella(),
                                                 separador, componentes, CriteriosRecordados());
    ventana->muestra(destino.marco);
    // Criteria remembered from another session may no longer read (another
    // decimal separator): the window is open with the components to correct them.
    ventana->calcula();
}
