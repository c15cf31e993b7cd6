#include "capture/ReglasCaptura.h"
#include "shell/EstudioArchivo.h"
#include "stats/Errores.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString mensajeDe(const std::optional<QString> &mensaje)
{
    return mensaje.value_or(u"<válido>"_s);
}

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
    void conteoFam_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("vacío") << u""_s << u"Falta capturar el número de FAM"_s;
        QTest::newRow("letra") << u"a"_s << u"El valor de captura no es un valor numérico."_s;
        QTest::newRow("decimal") << u"2.5"_s << u"El valor de captura no es un valor numérico."_s;
        QTest::newRow("blanco") << u" "_s << u"El valor de captura no es un valor numérico."_s;
        QTest::newRow("1") << u"1"_s << u"Datos fuera de límite, 2-5 FAM."_s;
        QTest::newRow("6") << u"6"_s << u"Datos fuera de límite, 2-5 FAM."_s;
        QTest::newRow("-3") << u"-3"_s << u"Datos fuera de límite, 2-5 FAM."_s;
        QTest::newRow("2") << u"2"_s << u"<válido>"_s;
        QTest::newRow("5") << u"5"_s << u"<válido>"_s;
        QTest::newRow("+5") << u"+5"_s << u"<válido>"_s;
    }
    void conteoFam()
    {
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        QCOMPARE(mensajeDe(RevisaConteoFam(texto)), mensaje);
    }

    void conteoMuestras_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("vacío") << u""_s << u"Falta capturar el número de valoraciones replicaciones"_s;
        QTest::newRow("letra") << u"x"_s << u"El valor de captura no es un valor numérico."_s;
        QTest::newRow("1") << u"1"_s << u"Datos fuera de límite, 2-10 valoraciones (Replicaciones)."_s;
        QTest::newRow("11") << u"11"_s << u"Datos fuera de límite, 2-10 valoraciones (Replicaciones)."_s;
        QTest::newRow("2") << u"2"_s << u"<válido>"_s;
        QTest::newRow("10") << u"10"_s << u"<válido>"_s;
    }
    void conteoMuestras()
    {
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        QCOMPARE(mensajeDe(RevisaConteoMuestras(texto)), mensaje);
    }

    void tamanoRejilla()
    {
        QVERIFY(!RevisaTamanoRejilla(u"2"_s, u"3"_s, 3, 4));
        const auto fam = RevisaTamanoRejilla(u"3"_s, u"3"_s, 3, 4);
        QVERIFY(fam);
        QCOMPARE(fam->mensaje, u" Falta aceptar el número de FAM y de Muestras"_s);
        QCOMPARE(fam->campo, CampoConteo::econdicion);
        // The FAM count is looked at first.
        QCOMPARE(RevisaTamanoRejilla(u"4"_s, u"9"_s, 3, 4)->campo, CampoConteo::econdicion);
        const auto muestras = RevisaTamanoRejilla(u"2"_s, u"4"_s, 3, 4);
        QVERIFY(muestras);
        QCOMPARE(muestras->mensaje, u"El número de celdas para las replicaciones, no coincide con el "
                                    "número de replicas(Muestras)."_s);
        QCOMPARE(muestras->campo, CampoConteo::ereplica);
        // The grid at creation (5 × 4) against the default counts 2 and 3.
        QVERIFY(RevisaTamanoRejilla(u"2"_s, u"3"_s, 5, 4));
        QVERIFY_THROWS_EXCEPTION(ErrorConversion, RevisaTamanoRejilla(u"z"_s, u"3"_s, 3, 4));
    }

    void celdas()
    {
        const QChar punto = u'.';
        Rejilla completa = aceptada(2, 3, {u"1"_s, u"2.5"_s, u"-3e2"_s, u"4"_s, u"5"_s, u"6"_s});
        QVERIFY(!RevisaCeldas(completa, u"2"_s, u"3"_s, punto));

        // Sample 2 of FAM 1 missing: the label of the column is quoted.
        Rejilla falta = completa;
        falta.ponCelda(1, 2, {});
        auto fallo = RevisaCeldas(falta, u"2"_s, u"3"_s, punto);
        QVERIFY(fallo);
        QCOMPARE(fallo->mensaje, u"Falta capturar la 2 ª muestra del FAM    1."_s);
        QVERIFY(fallo->falta);

        // Column by column: FAM 1 is examined whole before FAM 2.
        Rejilla dos = completa;
        dos.ponCelda(2, 1, {});
        dos.ponCelda(1, 3, u"1..2"_s);
        fallo = RevisaCeldas(dos, u"2"_s, u"3"_s, punto);
        QCOMPARE(fallo->mensaje, u"Algún dato capturado no es un valor numérico."_s);
        QVERIFY(!fallo->falta);

        // Only the user's separator makes a number.
        Rejilla coma = completa;
        coma.ponCelda(2, 2, u"4,5"_s);
        QVERIFY(RevisaCeldas(coma, u"2"_s, u"3"_s, punto));
        QVERIFY(!RevisaCeldas(aceptada(2, 3, {u"1"_s, u"2,5"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s}),
                              u"2"_s, u"3"_s, u','));

        // Counts larger than the grid: the cells beyond it are missing, and
        // their columns have no label.
        fallo = RevisaCeldas(completa, u"3"_s, u"3"_s, punto);
        QCOMPARE(fallo->mensaje, u"Falta capturar la 1 ª muestra del FAM ."_s);

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
        const Rejilla r = RejillaDeArchivo(archivo);
        QCOMPARE(r.columnas(), 6);
        QCOMPARE(r.filas(), 7);
        // The creation labels stay; what creation did not label stays empty.
        QCOMPARE(r.celda(0, 0), u"  FAM"_s);
        QCOMPARE(r.celda(1, 0), u" 1"_s);
        QCOMPARE(r.celda(4, 0), u" 4"_s);
        QCOMPARE(r.celda(5, 0), QString());
        QCOMPARE(r.celda(0, 3), u"Muestra 3"_s);
        QCOMPARE(r.celda(0, 4), QString());
        QCOMPARE(r.celda(1, 1), u"11"_s);
        QCOMPARE(r.celda(5, 6), u"56"_s);

        ArchivoEstudio pequeno;
        pequeno.k = 1;
        pequeno.n = 1;
        pequeno.valores = {{u"7"_s}};
        const Rejilla p = RejillaDeArchivo(pequeno);
        QCOMPARE(p.columnas(), 2);
        QCOMPARE(p.filas(), 2);
        QCOMPARE(p.celda(1, 1), u"7"_s);

        // Fewer value lines than the counts announce: empty cells.
        ArchivoEstudio corto;
        corto.k = 2;
        corto.n = 2;
        corto.valores = {{u"1"_s}};
        const Rejilla c = RejillaDeArchivo(corto);
        QCOMPARE(c.celda(1, 1), u"1"_s);
        QCOMPARE(c.celda(2, 2), QString());
    }

    void pegaBloque()
    {
        Rejilla r = aceptada(2, 3, {});
        auto escritas = PegaBloque(r, 1, 1, u"1\t2\r\n3\t4\r\n5\t6\r\n"_s);
        QCOMPARE(escritas.size(), 6);
        QCOMPARE(escritas.first(), (Celda{1, 1}));
        QCOMPARE(escritas.last(), (Celda{2, 3}));
        QCOMPARE(r.celda(1, 1), u"1"_s);
        QCOMPARE(r.celda(2, 1), u"2"_s);
        QCOMPARE(r.celda(1, 3), u"5"_s);
        QCOMPARE(r.celda(2, 3), u"6"_s);
        // Labels are never written.
        QCOMPARE(r.celda(0, 1), u"Muestra 1"_s);

        // Clipped to the grid, from the current cell on.
        Rejilla c = aceptada(2, 3, {});
        escritas = PegaBloque(c, 2, 2, u"a\tb\tc\nd\te\nf\ng\n"_s);
        QCOMPARE(escritas, (QList<Celda>{{2, 2}, {2, 3}}));
        QCOMPARE(c.celda(2, 2), u"a"_s);
        QCOMPARE(c.celda(2, 3), u"d"_s);
        QCOMPARE(c.celda(1, 2), QString());

        // A single value, an empty field inside a row.
        Rejilla u = aceptada(2, 3, {u"9"_s, u"9"_s, u"9"_s, u"9"_s, u"9"_s, u"9"_s});
        QCOMPARE(PegaBloque(u, 1, 1, u"7"_s).size(), 1);
        QCOMPARE(u.celda(1, 1), u"7"_s);
        PegaBloque(u, 1, 2, u"\t8"_s);
        QCOMPARE(u.celda(1, 2), QString());
        QCOMPARE(u.celda(2, 2), u"8"_s);

        // Nothing to paste.
        QVERIFY(PegaBloque(u, 1, 1, QString()).isEmpty());
        QCOMPARE(u.celda(1, 1), u"7"_s);
    }
};

QTEST_APPLESS_MAIN(TstReglas)
#include "tst_reglas.moc"
