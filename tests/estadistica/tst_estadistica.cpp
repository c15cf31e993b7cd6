// The statistics engine, its number format and its conversions.
#include "core/estudio/ReglasCaptura.h"
#include "core/motor/Anova.h"
#include "core/motor/Aritmetica.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/Formato.h"
#include "core/motor/Exacto.h"
#include "core/motor/Pares.h"
#include "core/motor/Supuestos.h"
#include "core/motor/TablaT.h"
#include "Estudios.h"

#include <QElapsedTimer>
#include <QMap>
#include <QTest>

#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/estadistica/casos/");

class TstEstadistica : public QObject
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
        QCOMPARE(errorDe([&] { QCOMPARE(EnteroDeTexto(texto), valor); }),
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
        QCOMPARE(errorDe([&] { QCOMPARE(RealDeTexto(texto, separador), valor); }),
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
        // z = 0 with d2 < 4 (d1 = d2, F = 1): the small-df correction leaves 0
        // as it is, and the two tails of F(2, 2) beyond 1 are one half each.
        QCOMPARE(ProbabilidadF(1.0, 2.0, 2.0), 0.5);
        // One of the few doubles F where z comes out exactly 0 in a design of 3
        // levels of 4 (found by trying every double near the root).
        QCOMPARE(ProbabilidadF(0.75682454877074545, 2.0, 9.0), 0.5);
    }

    void tablaT()
    {
        for (const QStringList &c : casosDe(casos + u"tabla-t.tsv"_s))
            QCOMPARE(ValorTablaT(c[0].toInt()), c[1].toDouble());
        QCOMPARE(errorDe([] { ValorTablaT(0); }), QStringLiteral("Range check error"));
        QCOMPARE(errorDe([] { ValorTablaT(325); }), QStringLiteral("Range check error"));
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
        QTEST(errorDe([&] { CalculaAnova(estudioDe(fams), u'.'); }), "texto");
    }

    // Every figure of many studies against its exact value, worked out apart
    // (genera_exactos.py): the double a figure writes is the one nearest its
    // exact value, its six shown digits are the exact value's, a conclusion
    // follows the signs of the exact limits, and a study is refused exactly
    // where a figure has no value.
    void exactos_data()
    {
        QTest::addColumn<QList<QStringList>>("niveles");
        QTest::addColumn<QStringList>("figuras");
        for (const QStringList &c : casosDe(casos + u"exactos.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << nivelesDe(c[1]) << c.mid(2);
    }

    void exactos()
    {
        QFETCH(QList<QStringList>, niveles);
        QFETCH(QStringList, figuras);
        const Estudio estudio = estudioDe(niveles);
        if (figuras.first().startsWith(u"error="_s)) {
            QCOMPARE(errorDe([&] { CalculaAnova(estudio, u'.'); }), figuras.first().mid(6));
            return;
        }
        const ResultadosAnova r = CalculaAnova(estudio, u'.');
        const Supuestos s = CalculaSupuestos(estudio, u'.');
        QMap<QString, Cifra> cifras{{u"scfam"_s, r.fam.sumaCuadrados}, {u"mcfam"_s, r.fam.mediaCuadrados},
                                    {u"scerror"_s, r.error.sumaCuadrados}, {u"mcerror"_s, r.error.mediaCuadrados},
                                    {u"fcal"_s, r.fcal}, {u"amplitud"_s, r.amplitud},
                                    {u"promedio"_s, r.total.promedio}, {u"desviacion"_s, r.total.desviacion},
                                    {u"coeficiente"_s, r.total.coeficiente}, {u"cochran"_s, s.cochran.c},
                                    {u"repetibilidad"_s, s.repetibilidad}, {u"der"_s, s.derRepetibilidad},
                                    {u"levene"_s, s.levene.w}};
        for (int i = 1; i <= r.k(); ++i) {
            const NivelAnova &nivel = r.nivel(i);
            const Grubbs &g = s.grubbs[std::size_t(i - 1)];
            const QString fam = QString::number(i);
            cifras.insert(u"promedio"_s + fam, nivel.promedio);
            cifras.insert(u"desviacion"_s + fam, nivel.desviacion);
            cifras.insert(u"coeficiente"_s + fam, nivel.coeficiente);
            cifras.insert(u"inferior"_s + fam, nivel.inferior);
            cifras.insert(u"superior"_s + fam, nivel.superior);
            cifras.insert(u"grubbs"_s + fam, g.sospechosoEsMaximo ? g.gMaximo : g.gMinimo);
        }
        QMap<QString, bool> conclusiones;
        for (const IntervaloPar &par : r.pares) {
            const QString nombre = QString::number(par.menor) + QString::number(par.mayor);
            cifras.insert(u"inferior"_s + nombre, par.inferior);
            cifras.insert(u"superior"_s + nombre, par.superior);
            conclusiones.insert(u"diferencia"_s + nombre, par.hayDiferencia);
        }
        for (const QString &figura : std::as_const(figuras)) {
            const QString nombre = figura.section(u'=', 0, 0);
            const QString valor = figura.section(u'=', 1);
            if (conclusiones.contains(nombre)) {
                QCOMPARE(conclusiones.value(nombre), valor == u"1");
                continue;
            }
            QVERIFY2(cifras.contains(nombre), qPrintable(nombre));
            const Cifra c = cifras.value(nombre);
            QVERIFY2(c.valor == valor.section(u'|', 0, 0).toDouble(),
                     qPrintable(u"%1 = %2"_s.arg(figura).arg(c.valor, 0, 'g', 17)));
            QCOMPARE(FormatoGeneral(c, u'.'), valor.section(u'|', 1));
        }
    }

    // NIST's certified values for its SiRstv study: all fifteen digits.
    void nistSiRstv()
    {
        const QList<QStringList> certificado = casosDe(casos + u"nist-sirstv.tsv"_s);
        const ResultadosAnova r = CalculaAnova(estudioDe(nivelesDe(certificado[0][1])), u'.');
        const QMap<QString, double> cifras{{u"scfam"_s, r.fam.sumaCuadrados.valor}, {u"mcfam"_s, r.fam.mediaCuadrados.valor},
                                           {u"fcal"_s, r.fcal.valor}, {u"scerror"_s, r.error.sumaCuadrados.valor},
                                           {u"mcerror"_s, r.error.mediaCuadrados.valor},
                                           {u"repetibilidad"_s, CalculaSupuestos(estudioDe(nivelesDe(certificado[0][1])), u'.').repetibilidad.valor}};
        QCOMPARE(r.fam.gradosLibertad, 4);
        QCOMPARE(r.error.gradosLibertad, 20);
        for (const QStringList &c : certificado.mid(1)) {
            const double esperado = c[1].toDouble();
            QVERIFY2(std::fabs(cifras.value(c[0]) - esperado) <= 6e-15 * esperado, qPrintable(c[0]));
        }
    }

    // Numbers hard to round, worked out apart: exact ties between two
    // doubles and values a hair off them, subnormals, the edge of overflow,
    // roots that are and are not rational, cancellations, sixth digits.
    void redondeo_data()
    {
        QTest::addColumn<QStringList>("caso");
        for (const QStringList &c : casosDe(casos + u"redondeo.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c;
    }

    void redondeo()
    {
        QFETCH(QStringList, caso);
        const auto entero = [](const QString &texto) { return Entero(texto.toStdString()); };
        const Real x({entero(caso[1]), entero(caso[2])}, caso[3].toInt(), {entero(caso[4]), entero(caso[5])});
        if (caso[6] == u"desborde") {
            QCOMPARE(errorDe([&] { CifraDe(x); }), u"Floating point overflow"_s);
            return;
        }
        const Cifra c = CifraDe(x);
        QVERIFY2(c.valor == caso[6].toDouble(), qPrintable(QString::number(c.valor, 'g', 17)));
        QCOMPARE(FormatoGeneral(c, u'.'), caso[7]);
    }

    // A typed value is exact, but no text can make the arithmetic unbounded:
    // a value whose double is 0 or subnormal, or that has more than
    // DigitosExactos significant digits, counts as its double; beyond the
    // doubles it is not a number, as ever.
    void tecleadosExtremos_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("numerador");
        QTest::addColumn<QString>("denominador");  // empty: the value is the text's double
        QTest::newRow("decimal") << u"-100.2250"_s << u"-4009"_s << u"40"_s;
        QTest::newRow("exponente") << u"1.5E6"_s << u"1500000"_s << u"1"_s;
        QTest::newRow("ceros a la izquierda") << u"0."_s + QString(5000, u'0') + u"1125e5003"_s << u"1125"_s << u"10"_s;
        QTest::newRow("cien cifras") << u"1.%1"_s.arg(QString(99, u'7')) << u"1%1"_s.arg(QString(99, u'7')) << u"1%1"_s.arg(QString(99, u'0'));
        QTest::newRow("ciento una cifras") << u"1.%1"_s.arg(QString(100, u'7')) << QString() << QString();
        QTest::newRow("un millón de cifras") << u"9.%1"_s.arg(QString(1000000, u'3')) << QString() << QString();
        QTest::newRow("subnormal") << u"4.9e-324"_s << QString() << QString();
        QTest::newRow("bajo los doubles") << u"1e-400"_s << u"0"_s << u"1"_s;
        QTest::newRow("exponente enorme negativo") << u"1E-99999999"_s << u"0"_s << u"1"_s;
        QTest::newRow("exponente de veinte cifras") << u"7e-99999999999999999999"_s << u"0"_s << u"1"_s;
    }

    void tecleadosExtremos()
    {
        QFETCH(QString, texto);
        QFETCH(QString, numerador);
        QFETCH(QString, denominador);
        double doble = 0.0;
        const Fraccion x = FraccionDe(ExactoDeTexto(texto, u'.', &doble));
        QCOMPARE(doble, RealDeTexto(texto, u'.'));
        const Fraccion esperado = denominador.isEmpty()
                                      ? FraccionDe(ExactoDeDoble(doble))
                                      : Fraccion{Entero(numerador.toStdString()), Entero(denominador.toStdString())};
        QVERIFY(x.num * esperado.den == esperado.num * x.den);
    }

    // ... and a study of such values is calculated at once, or refused as before.
    void estudiosExtremos()
    {
        QElapsedTimer reloj;
        reloj.start();
        const ResultadosAnova r = CalculaAnova(estudioDe(nivelesDe(u"1E-99999999 5 6 / 1e-400 7 9"_s)), u'.');
        QCOMPARE(FormatoGeneral(r.nivel(1).promedio, u'.'), u"3.66667"_s);
        QCOMPARE(errorDe([] { CalculaAnova(estudioDe(nivelesDe(u"1E99999999 5 / 6 7"_s)), u'.'); }),
                 u"'1E99999999' is not a valid floating point value"_s);
        QCOMPARE(errorDe([] { CalculaAnova(estudioDe(nivelesDe(u"1e155 2e155 / 3e155 4e155"_s)), u'.'); }),
                 u"Floating point overflow"_s);
        QVERIFY(reloj.elapsed() < 1000);
    }

    void conclusion()
    {
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

QTEST_APPLESS_MAIN(TstEstadistica)
#include "tst_estadistica.moc"
