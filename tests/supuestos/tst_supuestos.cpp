#include "core/estudio/ArchivoEstudio.h"
#include "core/informe/TextoSupuestos.h"
#include "core/motor/Errores.h"
#include "core/motor/Formato.h"
#include "Estudios.h"

#include <QFile>

#include <QTest>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/supuestos/casos/");

bool cerca(double calculado, double esperado, double relativo = 1e-9)
{
    return std::fabs(calculado - esperado) <= relativo * std::fabs(esperado);
}

} // namespace

class TstSupuestos : public QObject
{
    Q_OBJECT

private slots:
    void criticos_data()
    {
        QTest::addColumn<bool>("cochran");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("alfa");
        QTest::addColumn<double>("tabla");
        QTest::addColumn<double>("tolerancia");  // half the last printed decimal
        for (const QStringList &c : casosDe(casos + u"criticos.tsv"_s)) {
            const bool cochran = c[0] == u"Cochran";
            QTest::addRow("%s n=%s %s", qPrintable(c[0] + u" k="_s + c[1]), qPrintable(c[2]), qPrintable(c[3]))
                << cochran << c[1].toInt() << c[2].toInt() << c[3].toDouble() << c[4].toDouble() << (cochran ? 0.5e-4 : 0.5e-3);
        }
    }

    void criticos()
    {
        QFETCH(bool, cochran);
        QFETCH(int, k);
        QFETCH(int, n);
        QFETCH(double, alfa);
        QFETCH(double, tabla);
        QFETCH(double, tolerancia);
        const double valor = cochran ? CriticoCochran(k, n, alfa) : CriticoGrubbs(n, alfa);
        QVERIFY2(std::fabs(valor - tabla) <= tolerancia * (1 + 1e-9), qPrintable(QString::number(valor, 'g', 10)));
    }

    void estadisticos_data()
    {
        QTest::addColumn<QList<QStringList>>("niveles");
        QTest::addColumn<int>("famC");
        QTest::addColumn<QList<double>>("cifras");
        for (const QStringList &c : casosDe(casos + u"estadisticos.tsv"_s)) {
            QList<double> cifras;
            for (const QString &cifra : c.mid(3))
                cifras += cifra.toDouble();
            QTest::newRow(qPrintable(c[0])) << nivelesDe(c[1]) << c[2].toInt() << cifras;
        }
    }

    void estadisticos()
    {
        QFETCH(QList<QStringList>, niveles);
        QFETCH(QList<double>, cifras);
        const Supuestos s = CalculaSupuestos(estudioDe(niveles), u'.');
        QVERIFY(s.cochran.calculable);
        QTEST(s.cochran.nivel, "famC");
        QCOMPARE(s.levene.estado, Levene::Estado::calculada);
        double g = 0;
        for (const Grubbs &nivel : s.grubbs)
            g = std::max({g, nivel.gMaximo, nivel.gMinimo});
        const double calculadas[] = {s.cochran.c, g, s.levene.w, s.levene.probabilidad, s.probabilidadExacta,
                                     s.repetibilidad, s.derRepetibilidad};
        for (int i = 0; i < 7; ++i)
            QVERIFY2(cerca(calculadas[i], cifras[i]), qPrintable(QString::number(calculadas[i], 'g', 17)));
    }

    // Verdicts and what a test cannot say, in words; never an infinity or a
    // "not a number" in any line.
    void textos_data()
    {
        QTest::addColumn<QList<QStringList>>("niveles");
        QTest::addColumn<QStringList>("lineas");
        for (const QStringList &c : casosDe(casos + u"textos.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << nivelesDe(c[1]) << c.mid(2);
    }

    void textos()
    {
        QFETCH(QList<QStringList>, niveles);
        QFETCH(QStringList, lineas);
        const QStringList texto = LineasSupuestos(CalculaSupuestos(estudioDe(niveles), u'.'), u'.');
        for (const QString &linea : lineas)
            QVERIFY2(texto.contains(linea), qPrintable(linea + u"\n---\n"_s + texto.join(u'\n')));
        QVERIFY(!texto.join(u'\n').contains(u"INF"_s));
        QVERIFY(!texto.join(u'\n').contains(u"NAN"_s));
        QCOMPARE(texto.join(u'\n').contains(u"Decisión marginal"_s),
                 std::strcmp(QTest::currentDataTag(), "decisión marginal") == 0);
    }

    // The checks run on what the analysis accepts and fail as it fails.
    void errorDelAnalisis()
    {
        const auto mensaje = [](const QList<QStringList> &niveles, QChar separador) {
            return errorDe([&] { CalculaSupuestos(estudioDe(niveles), separador); });
        };
        QCOMPARE(mensaje({{u"5"_s, u"5"_s}, {u"7"_s, u"7"_s}}, u'.'), u"Floating point division by zero"_s);
        QCOMPARE(mensaje(ejemploTrabajado, u','), u"'99.2' is not a valid floating point value"_s);
    }

    // The help page's worked examples are the program's own output for the
    // shipped studies, and its repeatability figure the worked example's.
    void ayudaCitaLosEjemplos()
    {
        QFile archivo(QStringLiteral(TOLERANCIA_FUENTES "/ayuda/supuestos.html"));
        QVERIFY(archivo.open(QIODevice::ReadOnly));
        const QString pagina = QString::fromUtf8(archivo.readAll());
        const auto calcula = [](const QString &nombre) {
            return CalculaSupuestos(
                EstudioAceptado(LeeArchivoEstudio(QStringLiteral(TOLERANCIA_FUENTES "/ejemplos/") + nombre + u".w1e"_s)),
                u'.');
        };
        for (const QString &nombre : {u"ejemplo-varianza-aberrante"_s, u"ejemplo-valor-atipico"_s}) {
            const QString bloque = u"<pre id=\"%1\">\n%2\n</pre>"_s.arg(nombre, LineasSupuestos(calcula(nombre), u'.').join(u'\n'));
            QVERIFY2(pagina.contains(bloque), qPrintable(nombre));
        }
        const Supuestos trabajado = calcula(u"ejemplo-trabajado"_s);
        QVERIFY(pagina.contains(u"√0.1575 = %1, una DER de %2 %"_s.arg(FormatoGeneral(trabajado.repetibilidad, u'.'),
                                                                       FormatoGeneral(trabajado.derRepetibilidad, u'.'))));
    }
};

QTEST_MAIN(TstSupuestos)
#include "tst_supuestos.moc"
