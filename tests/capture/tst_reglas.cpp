#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ReglasCaptura.h"
#include "core/motor/Errores.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The capture rules on their own. The document window's tests drive the
// common messages through the widgets; here are the edges of each rule.

namespace {

// A grid as the accept button leaves it, with the given values FAM by FAM.
Rejilla aceptada(int k, int n, const QStringList &valores)
{
    Rejilla r = RejillaCreacion();
    AceptaRejilla(r, k, n);
    for (int i = 1; i <= k; ++i)
        for (int j = 1; j <= n; ++j)
            r.ponCelda(i, j, valores.value((i - 1) * n + j - 1));
    return r;
}

} // namespace

class TstReglas : public QObject
{
    Q_OBJECT

private slots:
    void conteos_data()
    {
        QTest::addColumn<bool>("fam");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");  // empty: valid
        const QString noNumerico = u"El valor de captura no es un valor numérico."_s;
        const QString fueraFam = u"Datos fuera de límite, 2-5 FAM."_s;
        const QString fueraMuestras = u"Datos fuera de límite, 2-10 valoraciones (Replicaciones)."_s;
        QTest::newRow("FAM decimal") << true << u"2.5"_s << noNumerico;
        QTest::newRow("FAM blanco") << true << u" "_s << noNumerico;
        QTest::newRow("FAM -3") << true << u"-3"_s << fueraFam;
        QTest::newRow("FAM 2") << true << u"2"_s << QString();
        QTest::newRow("FAM +5") << true << u"+5"_s << QString();
        QTest::newRow("muestras 2") << false << u"2"_s << QString();
        QTest::newRow("muestras 10") << false << u"10"_s << QString();
        QTest::newRow("muestras 11") << false << u"11"_s << fueraMuestras;
    }
    void conteos()
    {
        QFETCH(bool, fam);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        QCOMPARE((fam ? RevisaConteoFam(texto) : RevisaConteoMuestras(texto)).value_or(QString()),
                 mensaje);
    }

    void tamanoRejilla()
    {
        QVERIFY(!RevisaTamanoRejilla(u"2"_s, u"3"_s, 3, 4));
        // The FAM count is looked at first.
        QCOMPARE(RevisaTamanoRejilla(u"4"_s, u"9"_s, 3, 4)->campo, CampoConteo::econdicion);
        QCOMPARE(RevisaTamanoRejilla(u"2"_s, u"4"_s, 3, 4)->campo, CampoConteo::ereplica);
        // The grid at creation (5 × 4) against the default counts 2 and 3.
        QVERIFY(RevisaTamanoRejilla(u"2"_s, u"3"_s, 5, 4));
        QVERIFY_THROWS_EXCEPTION(ErrorConversion, RevisaTamanoRejilla(u"z"_s, u"3"_s, 3, 4));
    }

    void celdas()
    {
        const QChar punto = u'.';
        const Rejilla completa = aceptada(2, 3, {u"1"_s, u"2.5"_s, u"-3e2"_s, u"4"_s, u"5"_s, u"6"_s});
        QVERIFY(!RevisaCeldas(completa, u"2"_s, u"3"_s, punto));

        // Column by column: FAM 1 is examined whole before FAM 2.
        Rejilla dos = completa;
        dos.ponCelda(2, 1, {});
        dos.ponCelda(1, 3, u"1..2"_s);
        const auto fallo = RevisaCeldas(dos, u"2"_s, u"3"_s, punto);
        QCOMPARE(fallo->mensaje, u"Algún dato capturado no es un valor numérico."_s);
        QVERIFY(!fallo->falta);
        dos.ponCelda(1, 3, u"3"_s);
        QVERIFY(RevisaCeldas(dos, u"2"_s, u"3"_s, punto)->falta);

        // Only the user's separator makes a number.
        Rejilla coma = completa;
        coma.ponCelda(2, 2, u"4,5"_s);
        QVERIFY(RevisaCeldas(coma, u"2"_s, u"3"_s, punto));
        QVERIFY(!RevisaCeldas(aceptada(2, 3, {u"1"_s, u"2,5"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}),
                              u"2"_s, u"3"_s, u','));

        // Counts larger than the grid: the cells beyond it are missing, and
        // their columns have no label.
        QCOMPARE(RevisaCeldas(completa, u"3"_s, u"3"_s, punto)->mensaje,
                 u"Falta capturar la 1 ª muestra del FAM ."_s);
        QVERIFY_THROWS_EXCEPTION(ErrorConversion, RevisaCeldas(completa, u"2"_s, u""_s, punto));
    }

    void rejillaDeArchivo()
    {
        ArchivoEstudio archivo;
        archivo.k = 5;
        archivo.n = 6;
        for (int i = 1; i <= 5; ++i) {
            QVector<QString> muestras;
            for (int j = 1; j <= 6; ++j)
                muestras.append(QString::number(i * 10 + j));
            archivo.valores.append(muestras);
        }
        Rejilla r = RejillaDeArchivo(archivo);
        QCOMPARE(r.columnas(), 6);
        QCOMPARE(r.filas(), 7);
        // Every row and column labelled as the accept button labels them.
        QCOMPARE(r.celda(0, 0), u" FAM"_s);
        QCOMPARE(r.celda(5, 0), u"   5"_s);
        QCOMPARE(r.celda(0, 6), u"Muestra 6"_s);
        QCOMPARE(r.celda(5, 6), u"56"_s);

        // Fewer value lines than the counts announce: empty cells.
        archivo.valores = {{u"1"_s}};
        r = RejillaDeArchivo(archivo);
        QCOMPARE(r.celda(1, 1), u"1"_s);
        QCOMPARE(r.celda(1, 2), QString());
        QCOMPARE(r.celda(2, 2), QString());
    }

    void pegaBloque()
    {
        Rejilla r = aceptada(2, 3, {});
        // Windows line ends, a final line end that is no empty row.
        QCOMPARE(PegaBloque(r, 1, 1, u"1\t2\r\n3\t4\r\n5\t6\r\n"_s).size(), 6);
        QCOMPARE(r.celda(2, 3), u"6"_s);
        QCOMPARE(r.celda(0, 1), u"Muestra 1"_s);  // labels are never written

        // Clipped to the grid, in typing order, from the given cell on.
        Rejilla c = aceptada(2, 3, {});
        QCOMPARE(PegaBloque(c, 2, 2, u"a\tb\tc\nd\te\nf\ng\n"_s), (QList<Celda>{{2, 2}, {2, 3}}));
        QCOMPARE(c.celda(2, 3), u"d"_s);
        QCOMPARE(c.celda(1, 2), QString());

        // An empty field inside a row empties its cell; nothing pastes nothing.
        PegaBloque(r, 1, 2, u"\t8"_s);
        QCOMPARE(r.celda(1, 2), QString());
        QCOMPARE(r.celda(2, 2), u"8"_s);
        QVERIFY(PegaBloque(r, 1, 1, QString()).isEmpty());
        QCOMPARE(r.celda(1, 1), u"1"_s);
        QVERIFY(PegaBloque(r, 0, 1, u"x"_s).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TstReglas)
#include "tst_reglas.moc"