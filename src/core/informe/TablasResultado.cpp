#include "TablasResultado.h"

#include "core/informe/TextoDunnett.h"
#include "core/motor/FilasAnova.h"
#include "core/motor/Formato.h"

namespace {

// The confidence-interval grid's last row carries its texts in lower case.
constexpr int filaUltimoPar = 11;

QString Conclusion(bool hay, int fila)
{
    if (fila == filaUltimoPar)
        return hay ? QStringLiteral("hay Diferencia entre FAM ")
                   : QStringLiteral("sin Diferencia entre FAM ");
    return hay ? QStringLiteral("Hay Diferencia entre FAM ")
               : QStringLiteral("Sin Diferencia entre FAM ");
}

QString FamDunnett(int i)
{
    return QStringLiteral("FAM %1").arg(i);
}

} // namespace

Rejilla TablaAnova(const ResultadosAnova &r, QChar sep)
{
    Rejilla t(6, 5);
    t.ponCelda(0, 0, QStringLiteral("         FUENTE"));
    t.ponCelda(0, 1, QStringLiteral("             DE"));
    t.ponCelda(0, 2, QStringLiteral("      VARIACIÓN"));
    t.ponCelda(1, 0, QStringLiteral("    GRADOS"));
    t.ponCelda(1, 1, QStringLiteral("        DE"));
    t.ponCelda(1, 2, QStringLiteral("  LIBERTAD"));
    t.ponCelda(2, 0, QStringLiteral("      SUMA"));
    t.ponCelda(2, 1, QStringLiteral("        DE"));
    t.ponCelda(2, 2, QStringLiteral(" CUADRADOS"));
    t.ponCelda(3, 0, QStringLiteral("     MEDIA"));
    t.ponCelda(3, 1, QStringLiteral("        DE"));
    t.ponCelda(3, 2, QStringLiteral(" CUADRADOS"));
    t.ponCelda(4, 1, QStringLiteral("      Fcal"));
    t.ponCelda(5, 1, QStringLiteral("      PFcal"));

    int fila = 3;
    for (const FilaAnova &f : FilasAnova(r)) {
        t.ponCelda(0, fila, f.fuente == FilaAnova::Fuente::fam ? QStringLiteral("FAM")
                                                               : QStringLiteral("ERROR DE MÉTODO"));
        t.ponCelda(1, fila, FormatoGeneral(f.gradosLibertad, sep));
        t.ponCelda(2, fila, FormatoGeneral(f.sumaCuadrados, sep));
        t.ponCelda(3, fila, FormatoGeneral(f.mediaCuadrados, sep));
        if (f.f)
            t.ponCelda(4, fila, FormatoGeneral(*f.f, sep));
        if (f.probabilidad)
            t.ponCelda(5, fila, FormatoGeneral(*f.probabilidad, sep));
        ++fila;
    }
    return t;
}

Rejilla TablaEquipos(const ResultadosAnova &r, QChar sep)
{
    Rejilla t(4, 8);
    const int k = r.k();
    const auto fila = [&](int y, const Estadisticas &e) {
        t.ponCelda(1, y, FormatoGeneral(e.promedio, sep));
        t.ponCelda(2, y, FormatoGeneral(e.desviacion, sep));
        t.ponCelda(3, y, FormatoGeneral(e.coeficiente, sep));
    };
    for (int i = 1; i <= k; ++i) {
        t.ponCelda(0, i + 1, QString(13, u' ') + QString::number(i));
        fila(i + 1, r.nivel(i));
    }
    t.ponCelda(0, 0, QStringLiteral("         FAM"));
    t.ponCelda(0, k + 2, QStringLiteral("          TOTAL"));
    t.ponCelda(1, 0, QStringLiteral("   PROMEDIO"));
    t.ponCelda(2, 0, QStringLiteral("  DESVIACIÓN"));
    t.ponCelda(3, 0, QStringLiteral(" COEFICIENTE"));
    t.ponCelda(1, 1, QStringLiteral("   ARITMÉTICO"));
    t.ponCelda(2, 1, QStringLiteral("    ESTÁNDAR"));
    t.ponCelda(3, 1, QStringLiteral("DE VARIACIÓN"));
    fila(k + 2, r.total);
    return t;
}

Rejilla TablaConclusiones(const ResultadosAnova &r, QChar sep)
{
    Rejilla t(5, 12);
    t.ponCelda(0, 0, QStringLiteral("FAM"));
    t.ponCelda(1, 0, QStringLiteral("FAM"));
    t.ponCelda(2, 0, QStringLiteral("     LÍMITE"));
    t.ponCelda(3, 0, QStringLiteral("     LÍMITE"));
    t.ponCelda(2, 1, QStringLiteral("   INFERIOR"));
    t.ponCelda(3, 1, QStringLiteral("   SUPERIOR"));
    t.ponCelda(4, 0, QStringLiteral(" CONCLUSIÓN"));

    int fila = 2;
    for (const IntervaloPar &par : r.pares) {
        t.ponCelda(0, fila, QStringLiteral("    ") + QString::number(par.menor));
        t.ponCelda(1, fila, QStringLiteral("    ") + QString::number(par.mayor));
        t.ponCelda(2, fila, FormatoGeneral(par.inferior, sep));
        t.ponCelda(3, fila, FormatoGeneral(par.superior, sep));
        t.ponCelda(4, fila, Conclusion(par.hayDiferencia, fila));
        ++fila;
    }
    return t;
}

Rejilla TablaPromediosDunnett(const ResultadoDunnett &r, QChar sep)
{
    Rejilla t(2, r.k + 1);
    t.ponCelda(0, 0, QStringLiteral("FAM"));
    t.ponCelda(1, 0, QStringLiteral("Promedio"));
    for (int i = 1; i <= r.k; ++i) {
        t.ponCelda(0, i, FamDunnett(i));
        t.ponCelda(1, i, FormatoGeneral(r.promedios.at(i - 1), sep));
    }
    return t;
}

Rejilla TablaDunnett(const ResultadoDunnett &r, QChar sep)
{
    const auto F = [sep](const auto &valor) { return FormatoGeneral(valor, sep); };
    const QStringList encabezados = {
        QStringLiteral("FAM"),             QStringLiteral("Diferencia"),
        QStringLiteral("d"),               QStringLiteral("Semiamplitud"),
        QStringLiteral("Límite inferior"), QStringLiteral("Límite superior"),
        QStringLiteral("Conclusión"),      QStringLiteral("p ajustado"),
    };
    Rejilla t(ColumnasDunnett, r.k);
    for (int columna = 0; columna < ColumnasDunnett; ++columna)
        t.ponCelda(columna, 0, encabezados[columna]);
    int fila = 1;
    for (const ComparacionDunnett &c : r.comparaciones) {
        const QStringList celdas = {
            QStringLiteral("%1 − %2").arg(FamDunnett(c.fam), FamDunnett(r.control)),
            F(c.diferencia), F(r.critico), F(c.amplitud), F(c.liminf), F(c.limsup),
            ConclusionDunnett(c.hayDiferencia, r.control), F(c.p),
        };
        for (int columna = 0; columna < ColumnasDunnett; ++columna)
            t.ponCelda(columna, fila, celdas[columna]);
        ++fila;
    }
    return t;
}
