// The statistics engine, its number format and its conversions.
#include "core/estudio/ReglasCaptura.h"
#include "core/motor/Anova.h"
#include "core/motor/Aritmetica.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/Formato.h"
#include "core/motor/Pares.h"
#include "core/motor/TablaT.h"
#include "Estudios.h"

#include <QTest>

#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/stats/casos/");

class TstStats : public QObject
{
    Q_OBJECT

private slots:
    void formatoGeneral_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("texto");
        for (const QStringList &c : casosDe(casos + u"formato-general.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << std::strtod(qPrintable(c[0]), nullptr) << c[1];
    }

    void formatoGeneral()
    {
        QFETCH(double, valor);
        QFETCH(QString, texto);
        QCOMPARE(FormatoGeneral(valor, u'.'), texto);
        QCOMPARE(FormatoGeneral(valor, u','), texto.replace(u'.', u','));
    }

    void textoVisible_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("visible");
        // A line feed and the undefined Windows-1252 bytes: the "control" pages
        // of the print tests.
        QTest::newRow("sin control") << u"Cromatógrafo «A» €"_s << u"Cromatógrafo «A» €"_s;
        QTest::newRow("CR LF y tabulador") << u"a\r\n\tb"_s << u"a   b"_s;
        QTest::newRow("C0, DEL y C1") << QString(u"\u0001\u001F\u007F\u0080\u009F"_s) << u"     "_s;
        QTest::newRow("nulo") << QString(QChar(0)) << u" "_s;
    }

    void textoVisible()
    {
        QFETCH(QString, texto);
        QTEST(TextoVisible(texto), "visible");
    }

    void enteros_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<int>("valor");
        for (const QStringList &c : casosDe(casos + u"enteros.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c[1] << (c[2] == u"1") << c[3].toInt();
        QTest::newRow("tabulador") << "\t3" << false << 0;
    }

    void enteros()
    {
        QFETCH(QString, texto);
        QFETCH(bool, valido);
        QFETCH(int, valor);
        QCOMPARE(EsEntero(texto), valido);
        QCOMPARE(errorDe([&] { QCOMPARE(StrToInt(texto), valor); }),
                 valido ? u"<sin error>"_s : u"'%1' is not a valid integer value"_s.arg(texto));
    }

    void reales_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QChar>("separador");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<double>("valor");
        for (const QStringList &c : casosDe(casos + u"reales.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c[1] << c[2].at(0) << (c[3] == u"1") << c[4].toDouble();
    }

    void reales()
    {
        QFETCH(QString, texto);
        QFETCH(QChar, separador);
        QFETCH(bool, valido);
        QFETCH(double, valor);
        QCOMPARE(EsReal(texto, separador), valido);
        QCOMPARE(errorDe([&] { QCOMPARE(StrToFloat(texto, separador), valor); }),
                 valido ? u"<sin error>"_s : u"'%1' is not a valid floating point value"_s.arg(texto));
    }

    void separadorDelEntorno()
    {
        const QByteArray antes[] = {qgetenv("LC_ALL"), qgetenv("LC_NUMERIC"), qgetenv("LANG")};
        const auto pon = [](const char *variable, const QByteArray &valor) {
            valor.isEmpty() ? qunsetenv(variable) : qputenv(variable, valor);
        };
        for (const QStringList &c : casosDe(casos + u"separador-entorno.tsv"_s)) {
            pon("LC_ALL", c[1].toLatin1()), pon("LC_NUMERIC", c[2].toLatin1()), pon("LANG", c[3].toLatin1());
            QCOMPARE(SeparadorDecimal(), c[4].at(0));
        }
        pon("LC_ALL", antes[0]), pon("LC_NUMERIC", antes[1]), pon("LANG", antes[2]);

        for (const QStringList &c : casosDe(casos + u"separador-locale.tsv"_s))
            QCOMPARE(SeparadorDeLocale(c[0].toLatin1()), c[1].at(0));
    }

    void probabilidadF_data()
    {
        QTest::addColumn<double>("f");
        QTest::addColumn<double>("df1");
        QTest::addColumn<double>("df2");
        QTest::addColumn<double>("p");
        for (const QStringList &c : casosDe(casos + u"probabilidad-f.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c[1].toDouble() << c[2].toDouble() << c[3].toDouble() << c[4].toDouble();
    }

    void probabilidadF()
    {
        QFETCH(double, f);
        QFETCH(double, df1);
        QFETCH(double, df2);
        QFETCH(double, p);
        QVERIFY2(std::fabs(ProbabilidadF(f, df1, df2) - p) < 1e-9,
                 qPrintable(QString::number(ProbabilidadF(f, df1, df2), 'g', 12)));
    }

    void potenciaFuera()
    {
        QCOMPARE(Aritmetica::potencia(2.0, 10.0), 1024.0000000000002);
        for (const QStringList &c : casosDe(casos + u"potencia-fuera.tsv"_s))
            QCOMPARE(errorDe([&] { Aritmetica::potencia(c[1].toDouble(), c[2].toDouble()); }), c[3]);
        // z = 0 with d2 < 4 (d1 = d2, F = 1): the small-df correction takes ln 0.
        QCOMPARE(errorDe([] { ProbabilidadF(1.0, 2.0, 2.0); }), QStringLiteral("Floating point division by zero"));
    }

    void tablaT()
    {
        for (const QStringList &c : casosDe(casos + u"tabla-t.tsv"_s))
            QCOMPARE(ValorTablaT(c[0].toInt()), c[1].toDouble());
        QCOMPARE(errorDe([] { ValorTablaT(0); }), QStringLiteral("Range check error"));
        QCOMPARE(errorDe([] { ValorTablaT(325); }), QStringLiteral("Range check error"));
    }

    // The worked example's figures are pinned by its report; here is what the
    // report cannot show: the slots beyond k, the arrays beside the slots, and
    // that the holder keeps no state between calls.
    void ranurasYArreglos()
    {
        JuegoResultados juego;
        juego.desviaciones.fill(42.0);
        juego.coeficientes.fill(42.0);
        juego.promedios.fill(42.0);
        CalculaAnova(estudioDe(ejemploTrabajado), u'.', juego);
        const AnovaResults &r = juego.resultados;
        for (int ranura : {int(Ranura::promedio4), int(Ranura::promedio5), 46, 47})
            QVERIFY2(r[ranura] == 0.0, qPrintable(QString::number(ranura)));
        QCOMPARE(juego.ttabla, 2.2622);
        // Elements beyond k keep what the holder's arrays held.
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(juego.desviaciones[i], r[Ranura::desvest(i)]);
            QCOMPARE(juego.coeficientes[i], r[Ranura::coefvar(i)]);
            QCOMPARE(juego.promedios[i], r[Ranura::promedio(i)]);
        }
        for (int i : {0, 4, 10})
            QVERIFY(juego.desviaciones[i] == 42.0 && juego.coeficientes[i] == 42.0 && juego.promedios[i] == 42.0);

        // Three FAM after five give the fresh figures in every slot three FAM
        // fill (the others are zero in a fresh holder).
        JuegoResultados otro;
        CalculaAnova(estudioDe(nivelesDe(u"1 2 4 / 3 5 4 / 9 8 7 / 2 2 3 / 6 6.5 7"_s)), u'.', otro);
        CalculaAnova(estudioDe(ejemploTrabajado), u'.', otro);
        for (int s = 0; s < 48; ++s)
            if (r[s] != 0.0)
                QCOMPARE(otro.resultados[s], r[s]);
        QCOMPARE(otro.ttabla, juego.ttabla);
    }

    void errores_data()
    {
        QTest::addColumn<QList<QStringList>>("fams");
        QTest::addColumn<QString>("texto");
        for (const QStringList &c : casosDe(casos + u"errores.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << nivelesDe(c[1]) << c[2];
    }

    void errores()
    {
        QFETCH(QList<QStringList>, fams);
        JuegoResultados juego;
        QTEST(errorDe([&] { CalculaAnova(estudioDe(fams), u'.', juego); }), "texto");
    }

    void valoresIdenticosNoEnteros()
    {
        // 99.9 three times leaves Q − T²/n a tiny negative number in doubles;
        // it is a standard deviation of 0, not an invalid operation.
        JuegoResultados juego;
        CalculaAnova(estudioDe({{"99.9", "99.9", "99.9"}, {"100.1", "100.4", "100.2"}}), u'.', juego);
        const AnovaResults &r = juego.resultados;
        QCOMPARE(r[Ranura::desvest1], 0.0);
        QCOMPARE(FormatoGeneral(r[Ranura::fcal], u'.'), QStringLiteral("14.2857"));

        // Six times 0.7: each FAM keeps a tiny positive residue, but N·Q − G²
        // comes out a tiny negative number in doubles; it is a total standard
        // deviation of 0, not an invalid operation.
        CalculaAnova(estudioDe({{"0.7", "0.7", "0.7"}, {"0.7", "0.7", "0.7"}}), u'.', juego);
        QCOMPARE(r[Ranura::desvesttotal], 0.0);
        QCOMPARE(r[Ranura::coefvartotal], 0.0);
    }

    void conclusion()
    {
        for (const QStringList &c : casosDe(casos + u"diferencia.tsv"_s))
            QVERIFY2(HayDiferencia(std::strtod(qPrintable(c[1]), nullptr), std::strtod(qPrintable(c[2]), nullptr))
                         == (c[3] == u"1"), qPrintable(c[0]));
        QVERIFY(!EsSignificativo(0.05));
        QVERIFY(EsSignificativo(0.0499999));
    }

    void rejilla()
    {
        Rejilla r = RejillaCreacion();
        // As many FAM and samples as a new study's counts say: 2 and 3.
        QCOMPARE(QSize(r.columnas(), r.filas()), QSize(3, 4));
        QCOMPARE(QStringList({r.celda(0, 0), r.celda(2, 0), r.celda(0, 3)}), QStringList({"  FAM", " 2", "Muestra 3"}));
        r.ponCelda(2, 2, "7.5");

        AceptaRejilla(r, 2, 6);
        QCOMPARE(QSize(r.columnas(), r.filas()), QSize(3, 7));
        QCOMPARE(QStringList({r.celda(0, 0), r.celda(1, 0), r.celda(2, 2), r.celda(3, 0)}),
                 QStringList({" FAM", "   1", "7.5", ""}));
    }
};

QTEST_APPLESS_MAIN(TstStats)
#include "tst_stats.moc"
