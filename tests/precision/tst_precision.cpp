// Intermediate precision and equivalence: the figures against R and the
// published limits, the exact square roots, the degenerate studies, the
// limits as typed, the text and the results document.
#include "core/estudio/ArchivoEstudio.h"
#include "core/informe/TextoPrecision.h"
#include "core/motor/Anova.h"
#include "core/motor/AnovaExacta.h"
#include "core/motor/Equivalencia.h"
#include "core/motor/ExactoAlto.h"
#include "core/motor/Formato.h"
#include "core/motor/ResultadosJson.h"
#include "Estudios.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/precision/casos/");

// The largest relative difference from R met so far, for the log.
double peorDiferencia = 0.0;

// R's doubles carry the rounding of their own arithmetic: agreement to 1e-9
// of the figure, or of `escala` for a figure near 0 by cancellation.
bool comoR(double calculado, double r, double escala = 0.0)
{
    const double diferencia = std::fabs(calculado - r) / std::max(std::fabs(r), escala);
    if (r != 0.0 || calculado != 0.0)
        peorDiferencia = std::max(peorDiferencia, diferencia);
    return r == 0.0 ? calculado == 0.0 : diferencia <= 1e-9;
}

Fraccion fraccionDe(const QString &texto)
{
    return {Entero(texto.section(u'/', 0, 0).toStdString()), Entero(texto.section(u'/', 1, 1).toStdString())};
}

CriteriosEquivalencia criteriosDe(const QString &limite, const QString &derMaxima, bool bonferroni)
{
    CriteriosEquivalencia c;
    c.limite = LeeLimiteAceptacion(limite, u'.');
    if (!derMaxima.isEmpty())
        c.derMaxima = LeeDerMaxima(derMaxima, u'.');
    c.bonferroni = bonferroni;
    return c;
}

ResultadoPrecision calculaDe(const QString &niveles, const std::optional<CriteriosEquivalencia> &criterios = {})
{
    return CalculaPrecision(estudioDe(nivelesDe(niveles)), u'.', criterios);
}

} // namespace

class TstPrecision : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase() { qInfo("Mayor diferencia relativa con R: %.3g", peorDiferencia); }

    void componentesContraR_data()
    {
        QTest::addColumn<QStringList>("r");
        for (const QStringList &c : casosDe(casos + u"componentes-r.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c;
    }

    // Every figure of the three components, their limits and the upper
    // bound, against R's computation from the formulas.
    void componentesContraR()
    {
        QFETCH(QStringList, r);
        const Precision p = calculaDe(r[1]).precision;
        QCOMPARE(p.k, r[2].toInt());
        QCOMPARE(p.n, r[3].toInt());
        QVERIFY(comoR(p.mcFam.valor, r[4].toDouble()));
        QVERIFY(comoR(p.mcError.valor, r[5].toDouble()));
        QVERIFY(comoR(p.promedio.valor, r[6].toDouble()));
        const ComponenteVarianza *componentes[] = {&p.repetibilidad, &p.entreNiveles, &p.intermedia};
        const char *nombres[] = {"repetibilidad", "entre niveles", "intermedia"};
        const Cifra &total = p.intermedia.varianza;
        for (int c = 0; c < 3; ++c) {
            const ComponenteVarianza &x = *componentes[c];
            const double escalas[] = {total.valor, std::sqrt(total.valor), p.intermedia.der.valor, 100.0};
            const Cifra cifras[] = {x.varianza, x.desviacion, x.der, x.parte,
                                    x.limitesVarianza.inferior, x.limitesVarianza.superior,
                                    x.limitesDesviacion.inferior, x.limitesDesviacion.superior,
                                    x.limitesDer.inferior, x.limitesDer.superior};
            const int escalaDe[] = {0, 1, 2, 3, 0, 0, 1, 1, 2, 2};
            for (int i = 0; i < 10; ++i)
                QVERIFY2(comoR(cifras[i].valor, r[7 + 10 * c + i].toDouble(), escalas[escalaDe[i]] * 1e-6),
                         qPrintable(u"%1, figura %2: %3 frente a %4"_s.arg(QLatin1String(nombres[c])).arg(i)
                                        .arg(cifras[i].valor, 0, 'g', 17).arg(r[7 + 10 * c + i])));
        }
        QVERIFY(comoR(p.cotaVarianza.valor, r[37].toDouble()));
        QVERIFY(comoR(p.cotaDesviacion.valor, r[38].toDouble()));
        QVERIFY(comoR(p.cotaDer.valor, r[39].toDouble()));
        QCOMPARE(p.sinVarianzaEntre, r[17].toDouble() == 0.0);
    }

    // The worked case of the modified large-sample limits, to the digits
    // published.
    void publicados()
    {
        const Precision p = calculaDe(casosDe(casos + u"componentes-r.tsv"_s).first()[1]).precision;
        QCOMPARE(FormatoGeneral(p.mcFam, u'.'), u"32"_s);
        QCOMPARE(FormatoGeneral(p.mcError, u'.'), u"1.6"_s);
        const QMap<QString, Cifra> cifras{{u"rInf"_s, p.repetibilidad.limitesVarianza.inferior},
                                          {u"rSup"_s, p.repetibilidad.limitesVarianza.superior},
                                          {u"LInf"_s, p.entreNiveles.limitesVarianza.inferior},
                                          {u"IPInf"_s, p.intermedia.limitesVarianza.inferior},
                                          {u"IPSup"_s, p.intermedia.limitesVarianza.superior}};
        for (const QStringList &c : casosDe(casos + u"publicados.tsv"_s)) {
            // Half a unit of the last published digit.
            const int decimales = int(c[1].size() - c[1].indexOf(u'.') - 1);
            const double valor = cifras.value(c[0]).valor;
            QVERIFY2(std::fabs(valor - c[1].toDouble()) <= 0.5 * std::pow(10.0, -decimales),
                     qPrintable(c[0] + u": "_s + FormatoGeneral(valor, u'.')));
        }
    }

    void equivalenciaContraR_data()
    {
        QTest::addColumn<QStringList>("estudio");
        QTest::addColumn<QStringList>("r");
        QTest::addColumn<QList<QStringList>>("pares");
        const QList<QStringList> componentes = casosDe(casos + u"componentes-r.tsv"_s);
        const QList<QStringList> pares = casosDe(casos + u"pares-r.tsv"_s);
        for (const QStringList &c : casosDe(casos + u"equivalencia-r.tsv"_s)) {
            QList<QStringList> suyos;
            for (const QStringList &par : pares)
                if (par[0] == c[0] && par[1] == c[3])
                    suyos << par;
            const auto estudio = std::find_if(componentes.begin(), componentes.end(),
                                              [&](const QStringList &e) { return e[0] == c[0]; });
            QTest::addRow("%s %s", qPrintable(c[0]), qPrintable(c[3])) << *estudio << c << suyos;
        }
    }

    // δ, t, the half-width, every pair's interval, verdict and p-values,
    // the RSD criterion and the study's result, with and without Bonferroni.
    void equivalenciaContraR()
    {
        QFETCH(QStringList, estudio);
        QFETCH(QStringList, r);
        QFETCH(QList<QStringList>, pares);
        const bool bonferroni = r[3] == u"bonferroni";
        const Equivalencia e = *calculaDe(estudio[1], criteriosDe(r[1], r[2], bonferroni)).equivalencia;
        QVERIFY(e.calculable);
        QVERIFY(comoR(e.delta.valor, r[4].toDouble()));
        QVERIFY(comoR(e.t.valor, r[5].toDouble()));
        QVERIFY(comoR(e.semiamplitud.valor, r[6].toDouble()));
        QCOMPARE(e.pares.size(), pares.size());
        for (qsizetype i = 0; i < pares.size(); ++i) {
            const ParEquivalencia &par = e.pares[i];
            const QStringList &esperado = pares[i];
            const QString nombre = esperado[2] + u'-' + esperado[3];
            QCOMPARE(par.menor, esperado[2].toInt());
            QCOMPARE(par.mayor, esperado[3].toInt());
            QVERIFY2(comoR(par.diferencia.valor, esperado[4].toDouble(), e.semiamplitud.valor * 1e-6), qPrintable(nombre));
            QVERIFY2(comoR(par.inferior.valor, esperado[5].toDouble(), e.semiamplitud.valor * 1e-6), qPrintable(nombre));
            QVERIFY2(comoR(par.superior.valor, esperado[6].toDouble(), e.semiamplitud.valor * 1e-6), qPrintable(nombre));
            QVERIFY2(par.equivalentes == (esperado[7] == u"sí"), qPrintable(nombre));
            QVERIFY2(comoR(par.pInferior, esperado[8].toDouble()), qPrintable(nombre + u" pInferior"_s));
            QVERIFY2(comoR(par.pSuperior, esperado[9].toDouble()), qPrintable(nombre + u" pSuperior"_s));
        }
        QCOMPARE(e.todosEquivalentes, r[7] == u"sí");
        QCOMPARE(e.hayDerMaxima, !r[8].isEmpty());
        if (e.hayDerMaxima)
            QCOMPARE(e.derCumple, r[8] == u"sí");
        QCOMPARE(e.cumple, r[9] == u"sí");
        QCOMPARE(e.pruebas, e.pares.size());
        QCOMPARE(e.confianza, 1 - 2 * e.alfa);
    }

    void raicesExactas_data()
    {
        QTest::addColumn<QStringList>("caso");
        for (const QStringList &c : casosDe(casos + u"raices.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c;
    }

    // √(r ± √q) by its nearest double and six digits, even a hair from a
    // rounding boundary or from the midpoint of two doubles.
    void raicesExactas()
    {
        QFETCH(QStringList, caso);
        const Cifra cifra = CifraDeRaiz({fraccionDe(caso[1]), caso[2].toInt(), fraccionDe(caso[3])});
        QCOMPARE(cifra.valor, caso[4].toDouble());
        QCOMPARE(cifra.digitos, caso[5].toInt());
        QCOMPARE(cifra.exponente, caso[6].toInt());
        QCOMPARE(cifra.signo, 1);
    }

    // Studies at the edges: no variation within the levels (components
    // without limits, no test), nothing that varies, a grand mean of 0,
    // a root beyond the doubles.
    void casosLimite()
    {
        const ResultadoPrecision sinDentro = calculaDe(u"5 5 / 7 7"_s, criteriosDe(u"3"_s, u"10"_s, false));
        // MC FAM = 2·(1² + 1²) = 4: s_L² = 4/2, all of s_IP².
        const Precision &p = sinDentro.precision;
        QVERIFY(p.sinVariacionDentro && !p.sinVarianzaEntre);
        QCOMPARE(p.repetibilidad.varianza.signo, 0);
        QCOMPARE(p.entreNiveles.varianza.valor, 2.0);
        QCOMPARE(p.entreNiveles.parte.valor, 100.0);
        const Equivalencia &e = *sinDentro.equivalencia;
        QVERIFY(!e.calculable && !e.todosEquivalentes && !e.derCumple && !e.cumple);
        QCOMPARE(e.pares.first().diferencia.valor, -2.0);
        const QStringList texto = LineasPrecision(sinDentro, u'.');
        QVERIFY(!texto.join(u'\n').contains(u"límites del 95 %"_s));
        for (const char *linea : {"Sin variación dentro de los FAM: los valores de cada FAM son iguales entre sí, la "
                                  "repetibilidad es 0 a la resolución de los datos y no hay límites de confianza.",
                                  "Varianza = 2", "Conclusión = No puede juzgarse",
                                  "Resultado = El estudio no puede juzgarse: no hay variación dentro de los FAM."})
            QVERIFY2(texto.contains(QString::fromUtf8(linea)), linea);
        // The analysis of variance refuses the same study.
        QCOMPARE(errorDe([] { CalculaAnova(estudioDe(nivelesDe(u"5 5 / 7 7"_s)), u'.'); }),
                 u"Floating point division by zero"_s);

        QCOMPARE(errorDe<ErrorCalculo>([] { calculaDe(u"4 4 4 / 4 4 4"_s); }), u"Invalid floating point operation"_s);
        QCOMPARE(errorDe<ErrorCalculo>([] { calculaDe(u"-1 1 / -2 2"_s); }), u"Floating point division by zero"_s);
        QCOMPARE(errorDe<ErrorCalculo>([] { CifraDeRaiz({{Entero(1) << 2100, 1}, 1, {3, 1}}); }),
                 u"Floating point overflow"_s);
        QCOMPARE(errorDe<ErrorCalculo>([] { CuantilT(0, {1, 20}, Cola::superior); }),
                 u"Existió un error de cálculo, verificar valores de captura."_s);
    }

    void lecturaDeLimites_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QChar>("separador");
        QTest::addColumn<bool>("der");
        QTest::addColumn<QString>("esperado");  // num/den, "%" after a per cent; or the message
        for (const QStringList &c : casosDe(casos + u"limites.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c[1] << c[2].at(0) << (c[3] == u"der") << c[4];
    }

    void lecturaDeLimites()
    {
        QFETCH(QString, texto);
        QFETCH(QChar, separador);
        QFETCH(bool, der);
        QFETCH(QString, esperado);
        QString leido;
        try {
            if (der) {
                const Fraccion f = LeeDerMaxima(texto, separador) / Fraccion{1, 1};  // reduced
                leido = u"%1/%2"_s.arg(QString::fromStdString(f.num.str()), QString::fromStdString(f.den.str()));
            } else {
                const LimiteAceptacion l = LeeLimiteAceptacion(texto, separador);
                const Fraccion f = l.valor / Fraccion{1, 1};  // reduced
                leido = u"%1/%2%3"_s.arg(QString::fromStdString(f.num.str()), QString::fromStdString(f.den.str()),
                                         l.porcentaje ? u"%"_s : QString());
            }
        } catch (const ErrorConversion &error) {
            leido = error.texto();
        }
        QCOMPARE(leido, esperado);
    }

    void texto_data()
    {
        QTest::addColumn<QString>("niveles");
        QTest::addColumn<QString>("limite");
        QTest::addColumn<QString>("derMaxima");
        QTest::addColumn<bool>("bonferroni");
        QTest::addColumn<QChar>("separador");
        QTest::addColumn<QString>("archivo");
        for (const QStringList &c : casosDe(casos + u"textos.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c[1] << c[2] << c[3] << (c[4] == u"sí") << c[5].at(0) << c[6];
    }

    // The whole text against files written from R's figures.
    void texto()
    {
        QFETCH(QString, niveles);
        QFETCH(QString, limite);
        QFETCH(QString, derMaxima);
        QFETCH(bool, bonferroni);
        QFETCH(QChar, separador);
        QFETCH(QString, archivo);
        QList<QStringList> valores = nivelesDe(niveles);
        for (QStringList &nivel : valores)
            nivel.replaceInStrings(u"."_s, QString(separador));
        std::optional<CriteriosEquivalencia> criterios;
        if (!limite.isEmpty()) {
            criterios = CriteriosEquivalencia{LeeLimiteAceptacion(limite, separador), std::nullopt, bonferroni};
            if (!derMaxima.isEmpty())
                criterios->derMaxima = LeeDerMaxima(derMaxima, separador);
        }
        const QStringList lineas = LineasPrecision(CalculaPrecision(estudioDe(valores), separador, criterios), separador);
        const QStringList esperadas = QString::fromUtf8(contenido(casos + archivo)).split(u'\n');
        for (qsizetype i = 0; i < std::max(lineas.size(), esperadas.size() - 1); ++i)
            QCOMPARE(lineas.value(i), esperadas.value(i));
    }

    // The help quotes the worked example's text and figures as the program
    // gives them.
    void ayudaCitaLosEjemplos()
    {
        const QString pagina = QString::fromUtf8(contenido(QStringLiteral(TOLERANCIA_FUENTES "/ayuda/precision.html")));
        const auto calcula = [](const QString &nombre, const QString &limite, const QString &der) {
            const Estudio estudio = EstudioAceptado(
                LeeArchivoEstudio(QStringLiteral(TOLERANCIA_FUENTES "/ejemplos/") + nombre + u".w1e"_s));
            return CalculaPrecision(estudio, u'.', criteriosDe(limite, der, false));
        };
        const ResultadoPrecision trabajado = calcula(u"ejemplo-trabajado"_s, u"1.5"_s, u"3"_s);
        QVERIFY(pagina.contains(u"<pre id=\"ejemplo-precision\">\n%1\n</pre>"_s.arg(LineasPrecision(trabajado, u'.').join(u'\n'))));
        const Precision &p = trabajado.precision;
        const double veces = p.intermedia.limitesDesviacion.superior.valor / p.intermedia.desviacion.valor;
        QVERIFY(veces > 5 && veces < 6 && pagina.contains(u"más de cinco veces mayor"_s));
        const QString texto = pagina.simplified();
        QVERIFY(texto.contains(u"es 0.716764, pero su límite superior del 95 % es 3.96825"_s));
        const Equivalencia &e = *trabajado.equivalencia;
        QVERIFY(texto.contains(u"sus intervalos llegan a %1 y %2"_s.arg(FormatoGeneral(e.pares[0].inferior, u'.'),
                                                                        FormatoGeneral(e.pares[2].superior, u'.'))));

        const Equivalencia ochoDecimas = *calcula(u"ejemplo-no-significativo"_s, u"0.8"_s, QString()).equivalencia;
        const ParEquivalencia &par35 = ochoDecimas.pares[8];
        QVERIFY(par35.menor == 3 && par35.mayor == 5 && !par35.equivalentes);
        for (const ParEquivalencia &par : ochoDecimas.pares)
            QCOMPARE(par.equivalentes, par.menor != 3 || par.mayor != 5);
        QVERIFY(texto.contains(u"llega a %1. Con δ = 1 todos los pares lo son"_s.arg(FormatoGeneral(par35.inferior, u'.'))));
        QVERIFY(calcula(u"ejemplo-no-significativo"_s, u"1"_s, QString()).equivalencia->todosEquivalentes);
    }

    // The document with both members, against its schema; the limits are
    // those of the text.
    void documentoJson()
    {
        const Estudio estudio = estudioDe(ejemploTrabajado);
        const QJsonObject documento = ResultadosJson(estudio, u'.', Huella{}, {}, criteriosDe(u"1.5%"_s, u"3"_s, true));
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(u"documento.json"_s);
        QFile archivo(ruta);
        QVERIFY(archivo.open(QIODevice::WriteOnly));
        archivo.write(TextoJson(documento));
        archivo.close();
        QProcess python;
        python.start(u"/usr/bin/python3"_s,
                     {u"-c"_s,
                      u"import json, sys, jsonschema; "
                      "jsonschema.Draft202012Validator(json.load(open(sys.argv[1]))).validate(json.load(open(sys.argv[2])))"_s,
                      QStringLiteral(TOLERANCIA_FUENTES "/docs/resultados.schema.json"), ruta});
        QVERIFY(python.waitForFinished(60000));
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());

        const QJsonObject e = documento[u"equivalencia"_s].toObject();
        QCOMPARE(e[u"ajuste"_s].toString(), u"bonferroni"_s);
        QCOMPARE(e[u"pruebas"_s].toInt(), 3);
        QCOMPARE(e[u"limite"_s][u"porcentaje"_s].toDouble(), 1.5);
        // 1.5 % of 100.225 and the band about it.
        QCOMPARE(e[u"limite"_s][u"valor"_s].toDouble(), 1.503375);
        QCOMPARE(e[u"banda"_s][u"inferior"_s].toDouble(), 98.721625);
        QCOMPARE(e[u"pares"_s].toArray().size(), 3);
        QVERIFY(e[u"derMaxima"_s][u"cumple"_s].toBool());
        QVERIFY(documento[u"precision"_s][u"intermedia"_s][u"cotaSuperior"_s].isObject());
        // Without criteria, no equivalence.
        QVERIFY(!ResultadosJson(estudio, u'.', Huella{}, {}).contains(u"equivalencia"_s));
    }
};

QTEST_MAIN(TstPrecision)
#include "tst_precision.moc"
