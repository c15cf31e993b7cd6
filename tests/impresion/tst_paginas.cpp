// The printed pages on a recording canvas: every text and rule at its
// place, for both layouts, every FAM count and both kinds of result.
#include "Ayudas.h"
#include "LienzoGrabador.h"

#include "core/motor/Errores.h"
#include "core/paginas/Hoja.h"
#include "core/motor/Pares.h"

#include <QTest>
#include <climits>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// An odd printable width, so that centring has a half pixel to drop.
constexpr int W = 4801;

const QString carpetaCasos = QStringLiteral(TOLERANCIA_FUENTES "/tests/impresion/casos/");

// A margin as full as LineasMargen makes it: the fingerprint, two
// signatures and the count of those left out.
const QStringList margen{
    u"Huella del estudio (SHA-256): 9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08 · Tolerancia del Método 3.1"_s,
    u"Firma: Realizado por Ana Núñez (anunez), 2026-03-04 15:20:11 UTC"_s,
    u"Firma: Revisado por Luis Ríos (lrios), 2026-03-06 08:30:00 UTC"_s,
    u"Y 2 firmas válidas más en el registro de cambios."_s};

// Every figure holds a number of its own, so each printed one tells where
// it came from: the table and the totals 1000 and up, the means of FAM i
// 200 + i + 0.5, their deviations 300 + …, their coefficients 400 + …, the
// limits 1025.25 and up. The pair 1–2 straddles zero; every other pair lies
// above it.
ResultadosAnova resultadosDe(double pfcal)
{
    const auto c = [](double valor) { return CifraDeDoble(valor); };
    ResultadosAnova r;
    r.fam = {1000, c(1002.25), c(1004.25)};
    r.error = {1001, c(1003.25), c(1005.25)};
    r.fcal = c(1006.25);
    r.pfcal = pfcal;
    for (int i = 1; i <= 5; ++i) {
        NivelAnova nivel;
        nivel.promedio = c(200 + i + 0.5);
        nivel.desviacion = c(300 + i + 0.5);
        nivel.coeficiente = c(400 + i + 0.5);
        r.niveles.append(nivel);
    }
    r.total = {c(1012.25), c(1017.25), c(1022.25)};
    // Each pair's lower limit; the upper one is 1 above it.
    constexpr double inferiores[] = {-1.5, 1025.25, 1029.25, 1027.25, 1031.25,
                                     1033.25, 1038.25, 1040.25, 1042.25, 1044.25};
    for (std::size_t p = 0; p < OrdenPares.size(); ++p)
        r.pares.append({OrdenPares[p].menor, OrdenPares[p].mayor, c(inferiores[p]),
                        c(p == 0 ? 2.5 : inferiores[p] + 1), p != 0});
    return r;
}

} // namespace

class TstPaginas : public QObject
{
    Q_OBJECT

private slots:
    // Each page against its expected drawing, written once from pages checked
    // by eye. The interval block is printed only for pfcal strictly below
    // 0.05: "con" is just below, "sin" exactly 0.05 or, for k = 2, no number.
    // The information pages show a typed "98.50" as it stands; in "control"
    // the control characters typed or read into the fields and a cell print
    // as blanks.
    void casos_data()
    {
        QTest::addColumn<int>("pagina");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("pfcal");
        for (int pagina : {1, 3})
            for (int k = 2; k <= 5; ++k)
                for (bool con : {true, false})
                    QTest::addRow("resultados-%s-k%d-%s", pagina == 1 ? "laser" : "tinta", k, con ? "con" : "sin")
                        << pagina << 600 << k << 4
                        << (con ? 0.0499999 : k == 2 ? std::numeric_limits<double>::quiet_NaN() : 0.05);
        QTest::newRow("resultados-laser-k3-300dpi") << 1 << 300 << 3 << 4 << 0.01;
        QTest::newRow("resultados-laser-k3-control") << 1 << 600 << 3 << 4 << 0.01;
        QTest::newRow("informacion-laser-k2-n2") << 0 << 600 << 2 << 2 << 0.0;
        QTest::newRow("informacion-laser-k5-n10") << 0 << 600 << 5 << 10 << 0.0;
        QTest::newRow("informacion-tinta-k3-n4") << 2 << 600 << 3 << 4 << 0.0;
        QTest::newRow("informacion-tinta-k3-control") << 2 << 600 << 3 << 4 << 0.0;
        QTest::newRow("informacion-tinta-k2-n10") << 2 << 600 << 2 << 10 << 0.0;
    }

    void casos()
    {
        QFETCH(int, pagina);
        QFETCH(int, dpi);
        QFETCH(int, k);
        QFETCH(int, n);
        QFETCH(double, pfcal);
        Estudio estudio = estudioDe(k, n);
        estudio.rejilla.ponCelda(k, n, u"98.50"_s);
        const ResultadosAnova resultados = resultadosDe(pfcal);
        if (QByteArray(QTest::currentDataTag()).endsWith("control")) {
            estudio.factores = u"Columna\nC18"_s;
            estudio.metodo = u"a\u0081b\u008Dc"_s;
            estudio.analista = u"d\u008Fe\u0090f\u009Dg"_s;
            estudio.fecha = u"1\r2\t3"_s;
            estudio.rejilla.ponCelda(0, 2, u"Muestra\u00852"_s);
        }
        LienzoGrabador lienzo(dpi, W);
        ImprimePagina(pagina, lienzo, estudio, resultados, margen);
        QCOMPARE(lienzo.trabajos.size(), 1);
        QVERIFY(lienzo.trabajos[0].terminado);
        QCOMPARE(lienzo.fueraDeTrabajo, 0);
        QCOMPARE(lienzo.fuente, u"ARIAL"_s);
        QFile f(carpetaCasos + QString::fromLatin1(QTest::currentDataTag()) + u".txt"_s);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
        QStringList esperado = QString::fromUtf8(f.readAll()).split(u'\n');
        esperado.removeLast();
        QCOMPARE(lienzo.trabajos[0].volcado(), esperado);
        // The margin's lines end above the header, with room to spare for
        // a real font's descent.
        int finMargen = 0, encabezado = INT_MAX;
        for (const auto &t : lienzo.trabajos[0].textos)
            if (t.puntos == 8)
                finMargen = std::max(finMargen, t.y + 8 * dpi / 72 * 5 / 4);
            else
                encabezado = std::min(encabezado, t.y);
        QVERIFY(finMargen < encabezado);
    }

    // The margin: the fingerprint line first, then the valid signatures
    // (none while the study has unsaved changes), no more than four lines.
    void lineasMargen()
    {
        const auto firma = [](Significado significado, const QString &nombre, EstadoFirma estado) {
            EntradaRegistro e;
            e.significado = significado;
            e.firmante = nombre;
            e.contexto = {u"2026-03-04T15:20:11Z"_s, u"2026-03-04T09:20:11-06:00"_s, {u"anunez"_s, u"Ana Núñez"_s}, u"3.1"_s};
            return Firma{e, estado};
        };
        const Huella huella{u"9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08"_s};
        const QList<Firma> firmas{firma(Significado::realizado, u"Ana Núñez"_s, EstadoFirma::valida),
                                  firma(Significado::revisado, u"Luis Ríos"_s, EstadoFirma::estudioCambiado),
                                  firma(Significado::aprobado, u"Eva Sol"_s, EstadoFirma::valida)};
        QCOMPARE(LineasMargen(huella, firmas),
                 (QStringList{LineaHuella(huella), u"Firma: Realizado por Ana Núñez (anunez), 2026-03-04 15:20:11 UTC"_s,
                              u"Firma: Aprobado por Eva Sol (anunez), 2026-03-04 15:20:11 UTC"_s}));
        QCOMPARE(LineasMargen(Huella{}, firmas), QStringList{LineaHuella(Huella{})});
        const QList<Firma> cinco(5, firmas[0]);
        const QStringList lineas = LineasMargen(huella, cinco);
        QCOMPARE(lineas.size(), 4);
        QCOMPARE(lineas[2], lineas[1]);
        QCOMPARE(lineas[3], u"Y 3 firmas válidas más en el registro de cambios."_s);
        QCOMPARE(LineasMargen(huella, cinco.first(3)).size(), 4);
    }

    void famNoEntero_data()
    {
        QTest::addColumn<int>("pagina");
        QTest::addColumn<QString>("ultimoTexto");
        QTest::newRow("información láser") << 0 << QStringLiteral("3");
        QTest::newRow("resultados láser") << 1 << QStringLiteral("Variación");
        QTest::newRow("información deskjet") << 2 << QStringLiteral("3");
        QTest::newRow("resultados deskjet") << 3 << QStringLiteral("402.5");
    }

    // A FAM count that is not an integer stops the page where it is first
    // needed; the job is dropped, not sent, and the canvas takes the next one.
    void famNoEntero()
    {
        QFETCH(int, pagina);
        QFETCH(QString, ultimoTexto);
        Estudio estudio = estudioDe(2, 3);
        estudio.numeroFam = QStringLiteral("2,5");
        LienzoGrabador lienzo(600, W);
        QVERIFY_THROWS_EXCEPTION(ErrorConversion, ImprimePagina(pagina, lienzo, estudio, resultadosDe(0.01), margen));
        QCOMPARE(lienzo.trabajos.size(), 1);
        QVERIFY(lienzo.trabajos[0].abortado && !lienzo.trabajos[0].terminado);
        QCOMPARE(lienzo.trabajos[0].textos.last().texto, ultimoTexto);

        ImprimePagina(pagina, lienzo, estudioDe(2, 3), resultadosDe(0.01), margen);
        QCOMPARE(lienzo.trabajos.size(), 2);
        QVERIFY(lienzo.trabajos[1].terminado);
        QCOMPARE(lienzo.fueraDeTrabajo, 0);
    }

    void famFueraDeLimites_data()
    {
        QTest::addColumn<QString>("condicion");
        for (const char *k : {"0", "1", "6", "-3", "2147483647"})
            QTest::newRow(k) << QString::fromLatin1(k);
    }

    // Counts the capture rules would refuse still give a finished page that
    // prints nothing beyond five FAM nor outside the grid.
    void famFueraDeLimites()
    {
        QFETCH(QString, condicion);
        Estudio estudio = estudioDe(5, 3);
        estudio.numeroFam = condicion;
        LienzoGrabador lienzo(600, W);
        for (int pagina = 0; pagina < 4; ++pagina)
            ImprimePagina(pagina, lienzo, estudio, resultadosDe(0.01), margen);
        QCOMPARE(lienzo.trabajos.size(), 4);
        for (const auto &trabajo : lienzo.trabajos) {
            QVERIFY(trabajo.terminado);
            // No sixth FAM line (laser 50 C, ink-jet label), no grid column 6, nothing below the page.
            for (const auto &t : trabajo.textos)
                QVERIFY(!(t.x == 50 * 12 && t.texto == u"6") && t.texto != u"     6" && t.x != (45 + 46 * 6) * 12
                        && t.x != (2 + 26 * 6) * 12 && t.y < 6100);
        }
    }
};

int PruebaPaginas(int argc, char **argv)
{
    TstPaginas prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "tst_paginas.moc"
