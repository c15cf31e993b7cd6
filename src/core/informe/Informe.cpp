#include "Informe.h"

#include "core/estudio/Etiquetas.h"
#include "core/motor/Anova.h"
#include "core/motor/FilasAnova.h"
#include "core/motor/Formato.h"
#include "core/motor/Pares.h"

#include <array>

namespace {

// The report's fixed texts. Their blanks are counted and must not change:
// the columns of the report rely on them.
namespace Texto {
const QString titulo = QStringLiteral("TOLERANCIA DEL MÉTODO");
const QString fam = QStringLiteral("FAM: ");
const QString anova = QStringLiteral("ANÁLISIS DE LA VARIANZA");
const QString fuenteFam = QStringLiteral("FUENTE DE VARIACIÓN : FAM");
const QString fuenteError = QStringLiteral("FUENTE DE VARIACIÓN : Error de Método");
const QString grados = QStringLiteral("GRADOS DE LIBERTAD = ");
const QString suma = QStringLiteral("SUMA DE CUADRADOS = ");
const QString media = QStringLiteral("MEDIA DE CUADRADOS = ");
const QString fcal = QStringLiteral("fcal = ");
const QString pfcal = QStringLiteral("Pfcal = ");
const QString grupoFam = QStringLiteral("FAM : %1");
const QString total = QStringLiteral("TOTAL");
const QString promedio = QStringLiteral("Promedio                        = ");
const QString desviacion = QStringLiteral("Desviación Estándar      = ");
const QString coeficiente = QStringLiteral("Coeficiente de Variación = ");
const QString intervalo = QStringLiteral("INTERVALO DE CONFIANZA");
const QString hayDiferencia = QStringLiteral("Hay diferencia entre FAM %1 y %2 ");
const QString sinDiferencia = QStringLiteral("Sin diferencia entre FAM %1 y %2 ");
} // namespace Texto

// The data table of k FAM levels: blanks before " FAM" and each FAM number
// of the header, and blanks between the cells of a data line.
struct Tabla
{
    std::array<int, 5> blancosCabecera;
    std::array<int, 5> blancosDatos;
};

const std::array<Tabla, 4> tablas{{
    {{16, 19}, {9, 11}},                       // k = 2
    {{18, 20, 16}, {11, 11, 8}},               // k = 3
    {{16, 16, 13, 14}, {9, 11, 8, 8}},         // k = 4
    {{15, 18, 13, 15, 15}, {9, 11, 8, 8, 9}},  // k = 5
}};

QString cabecera(const Tabla &tabla, int k)
{
    QString linea = QStringLiteral(" FAM");
    for (int i = 1; i <= k; ++i)
        linea += QString(tabla.blancosCabecera[i - 1], u' ') + QString::number(i);
    return linea;
}

QString lineaDatos(const Tabla &tabla, const Rejilla &rejilla, int k, int fila)
{
    QString linea = rejilla.celda(0, fila);
    for (int i = 1; i <= k; ++i)
        linea += QString(tabla.blancosDatos[i - 1], u' ') + rejilla.celda(i, fila);
    return linea;
}

} // namespace

void ComponeEncabezado(const Estudio &estudio, const std::function<void(const QString &)> &entrega)
{
    // One line stays one line, in the window and on the command line alike.
    const auto agrega = [&entrega](const QString &linea) { entrega(TextoVisible(linea)); };

    agrega(Texto::titulo);
    agrega(Texto::fam + estudio.factores);
    agrega(EtiquetaEstudio::metodo + estudio.metodo);
    agrega(EtiquetaEstudio::analista + estudio.analista);
    agrega(EtiquetaEstudio::fecha + estudio.fecha);
    agrega(EtiquetaEstudio::numeroFam);
    agrega(estudio.numeroFam);
    agrega(EtiquetaEstudio::numeroMuestras);
    agrega(estudio.numeroMuestras);
}

ResultadosAnova ComponeInforme(const Estudio &estudio, QChar separador,
                               const std::function<void(const QString &)> &entrega)
{
    const auto agrega = [&entrega](const QString &linea) { entrega(TextoVisible(linea)); };

    ComponeEncabezado(estudio, entrega);
    const ResultadosAnova r = CalculaAnova(estudio, separador);
    const auto F = [separador](const auto &valor) { return FormatoGeneral(valor, separador); };

    // The engine has refused any k outside 2..5.
    const int k = r.k();
    const Tabla &tabla = tablas.at(static_cast<std::size_t>(k - 2));
    agrega(cabecera(tabla, k));
    for (int fila = 1; fila < estudio.rejilla.filas(); ++fila)
        agrega(lineaDatos(tabla, estudio.rejilla, k, fila));

    agrega(TextoInforme::blanco);
    agrega(Texto::anova);
    agrega(TextoInforme::blanco);
    for (const FilaAnova &fila : FilasAnova(r)) {
        agrega(fila.fuente == FilaAnova::Fuente::fam ? Texto::fuenteFam : Texto::fuenteError);
        agrega(Texto::grados + F(fila.gradosLibertad));
        agrega(Texto::suma + F(fila.sumaCuadrados));
        agrega(Texto::media + F(fila.mediaCuadrados));
        if (fila.f)
            agrega(Texto::fcal + F(*fila.f));
        if (fila.probabilidad)
            agrega(Texto::pfcal + F(*fila.probabilidad));
        agrega(TextoInforme::blanco);
    }

    const auto grupo = [&](const QString &titulo, const Estadisticas &e) {
        agrega(titulo);
        agrega(Texto::promedio + F(e.promedio));
        agrega(Texto::desviacion + F(e.desviacion));
        agrega(Texto::coeficiente + F(e.coeficiente));
        agrega(TextoInforme::blanco);
    };
    for (int i = 1; i <= k; ++i)
        grupo(Texto::grupoFam.arg(i), r.nivel(i));
    grupo(Texto::total, r.total);

    if (!EsSignificativo(r.pfcal))
        return r;
    agrega(TextoInforme::blanco);
    agrega(Texto::intervalo);
    agrega(TextoInforme::blanco);
    for (const IntervaloPar &par : r.pares) {
        if (&par != &r.pares.front())
            agrega(TextoInforme::blanco);
        agrega(TextoInforme::par.arg(par.menor).arg(par.mayor));
        agrega(TextoInforme::inferior + F(par.inferior));
        agrega(TextoInforme::superior + F(par.superior));
        agrega(TextoInforme::conclusion
               + (par.hayDiferencia ? Texto::hayDiferencia : Texto::sinDiferencia).arg(par.menor).arg(par.mayor));
    }
    if (k >= 3)
        agrega(TextoInforme::blanco);
    return r;
}
