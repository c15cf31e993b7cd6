#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ReglasCaptura.h"
#include "core/motor/Errores.h"
#include "Estudios.h"

#include <QMap>
#include <QTest>

using namespace Qt::StringLiterals;

// The capture rules on their own: every message of the counts and the edges
// of each rule. The document window's tests drive one row per path.

namespace {

constexpr int ambos = 0, fam = 1, muestras = 2;  // which check a row drives
constexpr int valido = -1, lanza = -2;

} // namespace

class TstReglas : public QObject
{
    Q_OBJECT

private slots:
    void conteos_data()
    {
        QTest::addColumn<int>("regla");
        QTest::addColumn<QString>("k");
        QTest::addColumn<QString>("n");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("campo");  // of the combined check, or valido / lanza
        const QStringList reglas{u"ambos"_s, u"fam"_s, u"muestras"_s};
        const QMap<QString, int> campos{{u"FAM"_s, int(CampoConteo::numeroFam)},
                                        {u"muestras"_s, int(CampoConteo::numeroMuestras)}, {u"lanza"_s, lanza}};
        for (const QStringList &c : casosDe(QStringLiteral(TOLERANCIA_FUENTES "/tests/captura/casos/conteos.tsv")))
            QTest::newRow(qPrintable(c[0])) << int(reglas.indexOf(c[1])) << c[2] << c[3] << c[4]
                                            << campos.value(c[5], valido);
    }
    void conteos()
    {
        QFETCH(int, regla);
        QFETCH(QString, k);
        QFETCH(QString, n);
        QFETCH(QString, mensaje);
        QFETCH(int, campo);
        if (regla != ambos) {
            QCOMPARE((regla == fam ? RevisaConteoFam(k) : RevisaConteoMuestras(n)).value_or(QString()), mensaje);
        } else if (campo == lanza) {
            QCOMPARE(errorDe<ErrorConversion>([&] { RevisaConteos(k, n); }), mensaje);
        } else {
            const auto fallo = RevisaConteos(k, n);
            QCOMPARE(fallo ? fallo->mensaje : QString(), mensaje);
            QCOMPARE(fallo ? int(fallo->campo) : valido, campo);
        }
    }

    void tamanoRejilla()
    {
        QVERIFY(!RevisaTamanoRejilla(u"2"_s, u"3"_s, 3, 4));
        // The FAM count is looked at first.
        const auto primero = RevisaTamanoRejilla(u"4"_s, u"9"_s, 3, 4);
        QCOMPARE(primero->campo, CampoConteo::numeroFam);
        QCOMPARE(primero->mensaje, u" Falta aceptar el número de FAM y de Muestras"_s);
        QCOMPARE(RevisaTamanoRejilla(u"2"_s, u"4"_s, 3, 4)->campo, CampoConteo::numeroMuestras);
        // Four FAM columns against the counts 2 and 3.
        QVERIFY(RevisaTamanoRejilla(u"2"_s, u"3"_s, 5, 4));
        QVERIFY_THROWS_EXCEPTION(ErrorConversion, RevisaTamanoRejilla(u"z"_s, u"3"_s, 3, 4));
    }

    void celdas()
    {
        const QChar punto = u'.';
        const Rejilla completa = estudioDe(nivelesDe(u"1 2.5 -3e2 / 4 5 6"_s)).rejilla;
        QVERIFY(!RevisaCeldas(completa, u"2"_s, u"3"_s, punto));

        // Column by column: FAM 1 is examined whole before FAM 2.
        Rejilla dos = completa;
        dos.ponCelda(2, 1, {});
        dos.ponCelda(1, 3, u"1..2"_s);
        const auto fallo = RevisaCeldas(dos, u"2"_s, u"3"_s, punto);
        QCOMPARE(fallo->mensaje, u"Algún dato capturado no es un valor numérico."_s);
        QVERIFY(!fallo->falta);
        QCOMPARE(fallo->celda, (Celda{1, 3}));
        dos.ponCelda(1, 3, u"3"_s);
        QVERIFY(RevisaCeldas(dos, u"2"_s, u"3"_s, punto)->falta);
        QCOMPARE(RevisaCeldas(dos, u"2"_s, u"3"_s, punto)->celda, (Celda{2, 1}));

        // Only the user's separator makes a number.
        Rejilla coma = completa;
        coma.ponCelda(2, 2, u"4,5"_s);
        QVERIFY(RevisaCeldas(coma, u"2"_s, u"3"_s, punto));
        QVERIFY(!RevisaCeldas(estudioDe(nivelesDe(u"1 2,5 3 / 4 5 6"_s)).rejilla,
                              u"2"_s, u"3"_s, u','));

        // Counts larger than the grid: the cells beyond it are missing, and
        // their columns have no label.
        QCOMPARE(RevisaCeldas(completa, u"3"_s, u"3"_s, punto)->mensaje,
                 u"Falta capturar la 1 ª muestra del FAM ."_s);
        QCOMPARE(RevisaCeldas(completa, u"3"_s, u"3"_s, punto)->celda, (Celda{3, 1}));
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
        Rejilla r = EstudioAceptado(archivo).rejilla;
        QCOMPARE(r.columnas(), 6);
        QCOMPARE(r.filas(), 7);
        // Labelled as the accept button labels them.
        QCOMPARE(r.celda(5, 0), u"   5"_s);
        QCOMPARE(r.celda(0, 6), u"Muestra 6"_s);
        QCOMPARE(r.celda(5, 6), u"56"_s);

        // Fewer value lines than the counts announce: empty cells.
        archivo.valores = {{u"1"_s}};
        r = EstudioAceptado(archivo).rejilla;
        QCOMPARE(r.celda(1, 1), u"1"_s);
        QCOMPARE(r.celda(1, 2), QString());
        QCOMPARE(r.celda(2, 2), QString());
    }

    void pegaBloque()
    {
        // Windows line ends; the final line end is no empty row, even where
        // the grid goes on below the block.
        Rejilla r = estudioDe(nivelesDe(u"1 2 3 / 4 5 6"_s)).rejilla;
        QCOMPARE(PegaBloque(r, 1, 1, u"7\t8\r\n9\t10\r\n"_s).size(), 4);
        QCOMPARE(r.celda(2, 2), u"10"_s);
        QCOMPARE(r.celda(1, 3), u"3"_s);
        QCOMPARE(r.celda(0, 1), u"Muestra 1"_s);  // labels are never written

        // Clipped to the grid, in typing order, from the given cell on.
        Rejilla c = estudioDe(QList<QStringList>(2, QStringList(3))).rejilla;
        QCOMPARE(PegaBloque(c, 2, 2, u"a\tb\tc\nd\te\nf\ng\n"_s), (QList<Celda>{{2, 2}, {2, 3}}));
        QCOMPARE(c.celda(2, 3), u"d"_s);
        QCOMPARE(c.celda(1, 2), QString());

        // An empty field inside a row empties its cell; nothing pastes nothing.
        PegaBloque(r, 1, 2, u"\t8"_s);
        QCOMPARE(r.celda(1, 2), QString());
        QCOMPARE(r.celda(2, 2), u"8"_s);
        QVERIFY(PegaBloque(r, 1, 1, QString()).isEmpty());
        QCOMPARE(r.celda(1, 1), u"7"_s);
        QVERIFY(PegaBloque(r, 0, 1, u"x"_s).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TstReglas)
#include "tst_reglas.moc"
