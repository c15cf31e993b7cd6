// The printed pages on a recording canvas: every text and rule at its
// place, for both layouts, every FAM count and both kinds of result.
#include "Ayudas.h"
#include "LienzoGrabador.h"

#include "core/motor/Errores.h"

#include <QTest>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// An odd printable width, so that centring has a half pixel to drop.
constexpr int W = 4801;

const QString carpetaCasos = QStringLiteral(TOLERANCIA_FUENTES "/tests/print/casos/");

// Every slot s holds 1000 + s + 0.25 and the arrays values of their own,
// so each printed number tells where it came from. The pair 1–2 straddles
// zero; every other pair lies above it.
JuegoResultados resultadosDe(double pfcal)
{
    JuegoResultados juego;
    for (int s = 0; s < 48; ++s)
        juego.resultados[s] = 1000 + s + 0.25;
    juego.resultados[Ranura::pfcal] = pfcal;
    juego.resultados[Ranura::liminf12] = -1.5;
    juego.resultados[Ranura::limsup12] = 2.5;
    for (std::size_t i = 1; i <= 10; ++i) {
        juego.promedios[i] = 200 + i + 0.5;
        juego.desviaciones[i] = 300 + i + 0.5;
        juego.coeficientes[i] = 400 + i + 0.5;
    }
    return juego;
}

} // namespace

class TstPaginas : public QObject
{
    Q_OBJECT

private slots:
    // Each page against its expected drawing, written once from pages checked
    // by eye. The interval block is printed only for pfcal strictly below
    // 0.05: "con" is just below, "sin" exactly 0.05 or, for k = 2, no number.
    // The information pages show a typed "98.50" as it stands; in
    // "limite-cero" a limit of exactly 0 makes the product zero: a difference;
    // in "control" the control characters typed or read into the fields and a
    // cell print as blanks.
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
        QTest::newRow("resultados-laser-k3-limite-cero") << 1 << 600 << 3 << 3 << 0.01;
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
        estudio.stgdatos.ponCelda(k, n, u"98.50"_s);
        JuegoResultados juego = resultadosDe(pfcal);
        if (QByteArray(QTest::currentDataTag()).endsWith("control")) {
            estudio.etole = u"Columna\nC18"_s;
            estudio.emetodo = u"a\u0081b\u008Dc"_s;
            estudio.eanalista = u"d\u008Fe\u0090f\u009Dg"_s;
            estudio.efecha = u"1\r2\t3"_s;
            estudio.stgdatos.ponCelda(0, 2, u"Muestra\u00852"_s);
        }
        if (QByteArray(QTest::currentDataTag()).endsWith("limite-cero")) {
            juego.resultados[Ranura::liminf12] = 0.0;
            juego.resultados[Ranura::limsup12] = 3.0;
            juego.resultados[Ranura::liminf13] = -2.0;
            juego.resultados[Ranura::limsup13] = 0.0;
            juego.resultados[Ranura::liminf23] = -2.0;
            juego.resultados[Ranura::limsup23] = 0.5;
        }
        LienzoGrabador lienzo(dpi, W);
        ImprimePagina(pagina, lienzo, estudio, juego);
        QCOMPARE(lienzo.trabajos.size(), 1);
        QVERIFY(lienzo.trabajos[0].terminado);
        QCOMPARE(lienzo.fueraDeTrabajo, 0);
        QCOMPARE(lienzo.fuente, u"ARIAL"_s);
        QFile f(carpetaCasos + QString::fromLatin1(QTest::currentDataTag()) + u".txt"_s);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
        QStringList esperado = QString::fromUtf8(f.readAll()).split(u'\n');
        esperado.removeLast();
        QCOMPARE(lienzo.trabajos[0].volcado(), esperado);
    }

    void famNoEntero_data()
    {
        QTest::addColumn<int>("pagina");
        QTest::addColumn<QString>("ultimoTexto");
        QTest::newRow("información láser") << 0 << QStringLiteral("3");
        QTest::newRow("resultados láser") << 1 << QStringLiteral("Variación");
        QTest::newRow("información deskjet") << 2 << QStringLiteral("3");
        QTest::newRow("resultados deskjet") << 3 << QStringLiteral("1019.25");
    }

    // A FAM count that is not an integer stops the page where it is first
    // needed; the job is dropped, not sent, and the canvas takes the next one.
    void famNoEntero()
    {
        QFETCH(int, pagina);
        QFETCH(QString, ultimoTexto);
        Estudio estudio = estudioDe(2, 3);
        estudio.econdicion = QStringLiteral("2,5");
        LienzoGrabador lienzo(600, W);
        QVERIFY_THROWS_EXCEPTION(ErrorConversion, ImprimePagina(pagina, lienzo, estudio, resultadosDe(0.01)));
        QCOMPARE(lienzo.trabajos.size(), 1);
        QVERIFY(lienzo.trabajos[0].abortado && !lienzo.trabajos[0].terminado);
        QCOMPARE(lienzo.trabajos[0].textos.last().texto, ultimoTexto);

        ImprimePagina(pagina, lienzo, estudioDe(2, 3), resultadosDe(0.01));
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
        estudio.econdicion = condicion;
        LienzoGrabador lienzo(600, W);
        for (int pagina = 0; pagina < 4; ++pagina)
            ImprimePagina(pagina, lienzo, estudio, resultadosDe(0.01));
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
