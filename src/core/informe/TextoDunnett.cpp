#include "TextoDunnett.h"

#include "core/informe/Informe.h"
#include "core/motor/Formato.h"

namespace {

namespace Texto {
const QString titulo = QStringLiteral("t DE DUNNETT");
const QString control = QStringLiteral("FAM de control: %1");
const QString grados = QStringLiteral("Grados de libertad del error = ");
const QString media = QStringLiteral("Media de cuadrados del error = ");
const QString promedios = QStringLiteral("PROMEDIOS");
const QString promedio = QStringLiteral("FAM %1 = ");
const QString diferencia = QStringLiteral("Diferencia = ");
const QString critico = QStringLiteral("Valor crítico d = ");
const QString amplitud = QStringLiteral("Semiamplitud = ");
const QString p = QStringLiteral("p ajustado = ");
} // namespace Texto

} // namespace

QString ConclusionDunnett(bool hayDiferencia, int control)
{
    return (hayDiferencia ? QStringLiteral("Hay diferencia con el FAM %1")
                          : QStringLiteral("Sin diferencia con el FAM %1"))
        .arg(control);
}

void ComponeDunnett(const Estudio &estudio, QChar separador, int control,
                    const std::function<void(const QString &)> &agrega)
{
    ComponeEncabezado(estudio, agrega);
    const ResultadoDunnett r = CalculaDunnett(estudio, separador, control);
    const auto F = [separador](const auto &valor) { return FormatoGeneral(valor, separador); };

    agrega(TextoInforme::blanco);
    agrega(Texto::titulo);
    agrega(TextoInforme::blanco);
    agrega(Texto::control.arg(control));
    agrega(Texto::grados + F(r.glerror));
    agrega(Texto::media + F(r.mcerror));
    agrega(TextoInforme::blanco);
    agrega(Texto::promedios);
    for (int i = 1; i <= r.k; ++i)
        agrega(Texto::promedio.arg(i) + F(r.promedios.at(i - 1)));
    for (const ComparacionDunnett &c : r.comparaciones) {
        agrega(TextoInforme::blanco);
        agrega(TextoInforme::par.arg(c.fam).arg(control));
        agrega(Texto::diferencia + F(c.diferencia));
        agrega(Texto::critico + F(r.critico));
        agrega(Texto::amplitud + F(c.amplitud));
        agrega(TextoInforme::inferior + F(c.liminf));
        agrega(TextoInforme::superior + F(c.limsup));
        agrega(TextoInforme::conclusion + ConclusionDunnett(c.hayDiferencia, control));
        agrega(Texto::p + F(c.p));
    }
}
