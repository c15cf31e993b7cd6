#include "results/RejillaResultado.h"
#include "results/Tablas.h"
#include "stats/Pares.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

class TstResults : public QObject
{
    Q_OBJECT

private slots:
    void encabezadosAnova();
    void encabezadosEquiposYTotalesSegunK_data();
    void encabezadosEquiposYTotalesSegunK();
    void paresSegunK_data();
    void paresSegunK();
    void conclusionesYFormatoDeLimites();
    void umbralDeSignificancia();
    void tabSaleTrasTeclaEnUltimaCelda();
    void tabSigueDentroFueraDeLaUltimaCelda();
};

void TstResults::encabezadosAnova()
{
    AnovaResults r;
    r[Ranura::glfam] = 2;
    r[Ranura::glerror] = 9;
    r[Ranura::scfam] = 3.165;
    r[Ranura::scerror] = 1.4175;
    r[Ranura::mcfam] = 1.5825;
    r[Ranura::mcerror] = 0.1575;
    r[Ranura::fcal] = 1234567.0;
    r[Ranura::pfcal] = 0.00001;
    const Rejilla t = TablaAnova(r, u',');
    QCOMPARE(t.columnas(), 6);
    QCOMPARE(t.filas(), 5);
    const QStringList fila0 = {"         FUENTE", "    GRADOS", "      SUMA", "     MEDIA", "", ""};
    const QStringList fila1 = {"             DE", "        DE", "        DE",
                               "        DE",      "      Fcal", "      PFcal"};
    const QStringList fila2 = {"      VARIACIÓN", "  LIBERTAD", " CUADRADOS", " CUADRADOS", "", ""};
    const QStringList fila3 = {"FAM", "2", "3,165", "1,5825", "1,23457E6", "1E-5"};
    const QStringList fila4 = {"ERROR DE MÉTODO", "9", "1,4175", "0,1575", "", ""};
    const QList<QStringList> filas = {fila0, fila1, fila2, fila3, fila4};
    for (int fila = 0; fila < 5; ++fila)
        for (int col = 0; col < 6; ++col)
            QCOMPARE(t.celda(col, fila), filas[fila][col]);
}

void TstResults::encabezadosEquiposYTotalesSegunK_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("k = 2") << 2;
    QTest::newRow("k = 3") << 3;
    QTest::newRow("k = 5") << 5;
}

void TstResults::encabezadosEquiposYTotalesSegunK()
{
    QFETCH(int, k);
    JuegoResultados j;
    // Values of the FAM above k stay in the arrays and must not show.
    for (int i = 1; i <= 10; ++i) {
        j.promedios[static_cast<std::size_t>(i)] = 100 + i;
        j.desviaciones[static_cast<std::size_t>(i)] = 0.5 * i;
        j.coeficientes[static_cast<std::size_t>(i)] = 0.25 * i;
    }
    j.resultados[Ranura::promediototal] = 100.225;
    j.resultados[Ranura::desvesttotal] = 0.645439;
    j.resultados[Ranura::coefvartotal] = 0.64399;
    const Rejilla t = TablaEquipos(j, k, u'.');
    QCOMPARE(t.columnas(), 4);
    QCOMPARE(t.filas(), 8);

    QCOMPARE(t.celda(0, 0), QStringLiteral("         FAM"));
    QCOMPARE(t.celda(1, 0), QStringLiteral("   PROMEDIO"));
    QCOMPARE(t.celda(2, 0), QStringLiteral("  DESVIACIÓN"));
    QCOMPARE(t.celda(3, 0), QStringLiteral(" COEFICIENTE"));
    QCOMPARE(t.celda(0, 1), QString());
    QCOMPARE(t.celda(1, 1), QStringLiteral("   ARITMÉTICO"));
    QCOMPARE(t.celda(2, 1), QStringLiteral("    ESTÁNDAR"));
    QCOMPARE(t.celda(3, 1), QStringLiteral("DE VARIACIÓN"));

    const QStringList nombres = {"             1", "             2", "             3",
                                 "             4", "             5"};
    const QStringList promedios = {"101", "102", "103", "104", "105"};
    const QStringList desviaciones = {"0.5", "1", "1.5", "2", "2.5"};
    const QStringList coeficientes = {"0.25", "0.5", "0.75", "1", "1.25"};
    for (int i = 1; i <= k; ++i) {
        QCOMPARE(t.celda(0, i + 1), nombres[i - 1]);
        QCOMPARE(t.celda(1, i + 1), promedios[i - 1]);
        QCOMPARE(t.celda(2, i + 1), desviaciones[i - 1]);
        QCOMPARE(t.celda(3, i + 1), coeficientes[i - 1]);
    }
    QCOMPARE(t.celda(0, k + 2), QStringLiteral("          TOTAL"));
    QCOMPARE(t.celda(1, k + 2), QStringLiteral("100.225"));
    QCOMPARE(t.celda(2, k + 2), QStringLiteral("0.645439"));
    QCOMPARE(t.celda(3, k + 2), QStringLiteral("0.64399"));
    for (int fila = k + 3; fila < 8; ++fila)
        for (int col = 0; col < 4; ++col)
            QVERIFY2(t.celda(col, fila).isEmpty(), qPrintable(QString::number(fila)));
}

void TstResults::paresSegunK_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("primeros");
    QTest::addColumn<QStringList>("segundos");
    QTest::newRow("k = 2") << 2 << QStringList{"    1"} << QStringList{"    2"};
    QTest::newRow("k = 3") << 3 << QStringList{"    1", "    1", "    2"}
                           << QStringList{"    2", "    3", "    3"};
    QTest::newRow("k = 4") << 4 << QStringList{"    1", "    1", "    2", "    1", "    2", "    3"}
                           << QStringList{"    2", "    3", "    3", "    4", "    4", "    4"};
    QTest::newRow("k = 5") << 5
                           << QStringList{"    1", "    1", "    2", "    1", "    2",
                                          "    3", "    1", "    2", "    3", "    4"}
                           << QStringList{"    2", "    3", "    3", "    4", "    4",
                                          "    4", "    5", "    5", "    5", "    5"};
}

void TstResults::paresSegunK()
{
    QFETCH(int, k);
    QFETCH(QStringList, primeros);
    QFETCH(QStringList, segundos);
    AnovaResults r;
    // Each pair's limits carry its own digits, so a pair in the wrong row
    // shows: the slot number as lower limit, its negative as upper limit.
    for (int s = Ranura::liminf12; s <= Ranura::limsup45; ++s)
        r[s] = s;
    const Rejilla t = TablaConclusiones(r, k, u'.');
    QCOMPARE(t.columnas(), 5);
    QCOMPARE(t.filas(), 12);
    QCOMPARE(t.celda(0, 0), QStringLiteral("FAM"));
    QCOMPARE(t.celda(1, 0), QStringLiteral("FAM"));
    QCOMPARE(t.celda(2, 0), QStringLiteral("     LÍMITE"));
    QCOMPARE(t.celda(3, 0), QStringLiteral("     LÍMITE"));
    QCOMPARE(t.celda(4, 0), QStringLiteral(" CONCLUSIÓN"));
    QCOMPARE(t.celda(0, 1), QString());
    QCOMPARE(t.celda(1, 1), QString());
    QCOMPARE(t.celda(2, 1), QStringLiteral("   INFERIOR"));
    QCOMPARE(t.celda(3, 1), QStringLiteral("   SUPERIOR"));
    QCOMPARE(t.celda(4, 1), QString());

    // Lower and upper slots of the pairs in the order 1-2, 1-3, 2-3, 1-4,
    // 2-4, 3-4, 1-5, 2-5, 3-5, 4-5.
    const QStringList inferiores = {"23", "25", "29", "27", "31", "33", "38", "40", "42", "44"};
    const QStringList superiores = {"24", "26", "30", "28", "32", "34", "39", "41", "43", "45"};
    for (int p = 0; p < primeros.size(); ++p) {
        QCOMPARE(t.celda(0, 2 + p), primeros[p]);
        QCOMPARE(t.celda(1, 2 + p), segundos[p]);
        QCOMPARE(t.celda(2, 2 + p), inferiores[p]);
        QCOMPARE(t.celda(3, 2 + p), superiores[p]);
    }
    for (int fila = 2 + primeros.size(); fila < 12; ++fila)
        for (int col = 0; col < 5; ++col)
            QVERIFY2(t.celda(col, fila).isEmpty(), qPrintable(QString::number(fila)));
}

void TstResults::conclusionesYFormatoDeLimites()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    AnovaResults r;
    r[Ranura::liminf12] = 0.0;            // exactly 0: a difference
    r[Ranura::limsup12] = 2.50;
    r[Ranura::liminf13] = -0.0123456789;  // straddles 0: none
    r[Ranura::limsup13] = 1234567.0;
    r[Ranura::liminf23] = -3.0;           // both negative: a difference
    r[Ranura::limsup23] = -0.00001;
    r[Ranura::liminf14] = nan;            // not a number: none
    r[Ranura::limsup14] = 1.0;
    r[Ranura::liminf24] = -1.0;
    r[Ranura::limsup24] = 0.0;            // upper exactly 0: a difference
    r[Ranura::liminf45] = 0.5;
    r[Ranura::limsup45] = 0.75;

    Rejilla t = TablaConclusiones(r, 5, u'.');
    const QString hay = QStringLiteral("Hay Diferencia entre FAM ");
    const QString sin = QStringLiteral("Sin Diferencia entre FAM ");
    QCOMPARE(t.celda(2, 2), QStringLiteral("0"));
    QCOMPARE(t.celda(3, 2), QStringLiteral("2.5"));
    QCOMPARE(t.celda(4, 2), hay);
    QCOMPARE(t.celda(2, 3), QStringLiteral("-0.0123457"));
    QCOMPARE(t.celda(3, 3), QStringLiteral("1.23457E6"));
    QCOMPARE(t.celda(4, 3), sin);
    QCOMPARE(t.celda(2, 4), QStringLiteral("-3"));
    QCOMPARE(t.celda(3, 4), QStringLiteral("-1E-5"));
    QCOMPARE(t.celda(4, 4), hay);
    QCOMPARE(t.celda(2, 5), QStringLiteral("NAN"));
    QCOMPARE(t.celda(4, 5), sin);
    QCOMPARE(t.celda(4, 6), hay);
    // Rows 8 to 10 hold zero limits here: a difference, in capitals.
    QCOMPARE(t.celda(4, 10), hay);
    QCOMPARE(t.celda(4, 11), QStringLiteral("hay Diferencia entre FAM "));

    r[Ranura::liminf45] = -0.5;
    t = TablaConclusiones(r, 5, u'.');
    QCOMPARE(t.celda(4, 11), QStringLiteral("sin Diferencia entre FAM "));
    r[Ranura::liminf45] = nan;
    t = TablaConclusiones(r, 5, u'.');
    QCOMPARE(t.celda(4, 11), QStringLiteral("sin Diferencia entre FAM "));
}

void TstResults::umbralDeSignificancia()
{
    QVERIFY(EsSignificativo(0.00547427));
    QVERIFY(EsSignificativo(std::nextafter(0.05, 0.0)));
    QVERIFY(!EsSignificativo(0.05));
    QVERIFY(!EsSignificativo(0.967801));
    QVERIFY(!EsSignificativo(std::numeric_limits<double>::quiet_NaN()));
}

namespace {

// A result grid between two other controls, shown and focused.
struct Anfitrion
{
    QWidget ventana;
    QLineEdit *antes = new QLineEdit(&ventana);
    TRejillaResultado *rejilla = new TRejillaResultado(QStringLiteral("rejilla"), 3, 4, 1, 2, 60,
                                                       &ventana);
    QLineEdit *despues = new QLineEdit(&ventana);

    Anfitrion()
    {
        auto *columna = new QVBoxLayout(&ventana);
        columna->addWidget(antes);
        columna->addWidget(rejilla);
        columna->addWidget(despues);
        QObject::connect(rejilla, &TRejillaResultado::teclaPulsada, rejilla,
                         &TRejillaResultado::aplicaTeclaTab);
        QObject::connect(rejilla, &TRejillaResultado::salida, rejilla,
                         &TRejillaResultado::restableceTab);
        ventana.show();
        ventana.activateWindow();
        rejilla->setFocus();
    }
};

} // namespace

void TstResults::tabSaleTrasTeclaEnUltimaCelda()
{
    Anfitrion a;
    QVERIFY(QTest::qWaitForWindowActive(&a.ventana));
    QVERIFY(a.rejilla->hasFocus());
    // The cursor starts in the first cell that is not fixed.
    QCOMPARE(a.rejilla->currentRow(), 2);
    QCOMPARE(a.rejilla->currentColumn(), 1);

    // Tab walks the normal cells only: (2,1) -> (2,2) -> (3,1) -> (3,2).
    QTest::keyClick(a.rejilla, Qt::Key_Tab);
    QCOMPARE(a.rejilla->currentColumn(), 2);
    QTest::keyClick(a.rejilla, Qt::Key_Tab);
    QCOMPARE(a.rejilla->currentRow(), 3);
    QCOMPARE(a.rejilla->currentColumn(), 1);
    QTest::keyClick(a.rejilla, Qt::Key_Tab);
    QCOMPARE(a.rejilla->currentRow(), 3);
    QCOMPARE(a.rejilla->currentColumn(), 2);
    QVERIFY(a.rejilla->hasFocus());

    // A key in the bottom-right cell: the next Tab leaves the grid.
    QTest::keyClick(a.rejilla, Qt::Key_A);
    QVERIFY(!a.rejilla->tabKeyNavigation());
    QTest::keyClick(a.rejilla, Qt::Key_Tab);
    QVERIFY(a.despues->hasFocus());
    // Leaving restores Tab between cells for the next visit.
    QVERIFY(a.rejilla->tabKeyNavigation());
}

void TstResults::tabSigueDentroFueraDeLaUltimaCelda()
{
    Anfitrion a;
    QVERIFY(QTest::qWaitForWindowActive(&a.ventana));
    // A key in the last column above the last row keeps Tab inside.
    a.rejilla->setCurrentCell(2, 2);
    a.rejilla->setTabKeyNavigation(false);
    QTest::keyClick(a.rejilla, Qt::Key_A);
    QVERIFY(a.rejilla->tabKeyNavigation());
    QTest::keyClick(a.rejilla, Qt::Key_Tab);
    QVERIFY(a.rejilla->hasFocus());
    QCOMPARE(a.rejilla->currentRow(), 3);
    QCOMPARE(a.rejilla->currentColumn(), 1);
    // A key elsewhere changes nothing.
    a.rejilla->setTabKeyNavigation(false);
    QTest::keyClick(a.rejilla, Qt::Key_A);
    QVERIFY(!a.rejilla->tabKeyNavigation());
}

QTEST_MAIN(TstResults)
#include "tst_results.moc"
