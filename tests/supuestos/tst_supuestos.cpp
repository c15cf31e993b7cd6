#include "core/estudio/ArchivoEstudio.h"
#include "core/motor/Errores.h"
#include "core/motor/Formato.h"
#include "core/motor/Supuestos.h"

#include <QFile>

#include <QTest>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// A study typed level by level: `niveles[i]` holds the n cells of FAM i + 1.
Estudio estudio(const QList<QStringList> &niveles)
{
    Estudio e;
    const int k = int(niveles.size()), n = int(niveles.front().size());
    e.econdicion = QString::number(k);
    e.ereplica = QString::number(n);
    AceptaRejilla(e.stgdatos, k, n);
    for (int i = 0; i < k; ++i)
        for (int j = 0; j < n; ++j)
            e.stgdatos.ponCelda(i + 1, j + 1, niveles[i][j]);
    return e;
}

QStringList repite(const QStringList &valores, int veces)
{
    QStringList r;
    for (int i = 0; i < veces; ++i)
        r += valores;
    return r;
}

const QList<QStringList> trabajado{{u"99.2"_s, u"100.1"_s, u"99.8"_s, u"100.5"_s},
                                   {u"100.9"_s, u"101.3"_s, u"100.6"_s, u"101.0"_s},
                                   {u"99.5"_s, u"99.9"_s, u"100.2"_s, u"99.7"_s}};
const QList<QStringList> varianzaAberrante{{u"100.1"_s, u"99.9"_s, u"100.0"_s, u"100.2"_s, u"99.8"_s},
                                           {u"99.8"_s, u"100.0"_s, u"99.9"_s, u"100.1"_s, u"100.2"_s},
                                           {u"98.9"_s, u"101.2"_s, u"99.4"_s, u"100.8"_s, u"99.6"_s},
                                           {u"100.0"_s, u"100.3"_s, u"99.9"_s, u"100.1"_s, u"100.2"_s}};
const QList<QStringList> valorAtipico{{u"100.1"_s, u"99.9"_s, u"100.2"_s, u"100.0"_s, u"99.8"_s, u"100.1"_s},
                                      {u"99.9"_s, u"100.2"_s, u"100.0"_s, u"99.8"_s, u"100.1"_s, u"101.6"_s},
                                      {u"100.3"_s, u"100.0"_s, u"100.2"_s, u"99.9"_s, u"100.1"_s, u"100.2"_s}};
// F = 4.36 at (1, 18): the exact tail is 0.0513, the program's approximation below 0.05.
const QList<QStringList> marginal{repite({u"100.948683"_s, u"99.051317"_s}, 5),
                                  repite({u"101.882483"_s, u"99.985117"_s}, 5)};

bool cerca(double calculado, double esperado, double relativo = 1e-9)
{
    return std::fabs(calculado - esperado) <= relativo * std::fabs(esperado);
}

} // namespace

class TstSupuestos : public QObject
{
    Q_OBJECT

private slots:
    // Published tables: Cochran's C for k variances of n − 1 degrees of freedom
    // (Eisenhart, Hastay and Wallis, four decimals) and the two-sided Grubbs G
    // (ISO 5725-2, three decimals).
    void criticos_data()
    {
        QTest::addColumn<bool>("cochran");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("alfa");
        QTest::addColumn<double>("tabla");
        QTest::addColumn<double>("tolerancia");
        // k = 0 marks a Grubbs row.
        const struct { int k, n; double alfa, tabla; } filas[] = {
            {3, 2, 0.05, 0.9669}, {4, 3, 0.05, 0.7679}, {5, 4, 0.05, 0.5981}, {3, 10, 0.05, 0.6167},
            {2, 6, 0.05, 0.8772}, {4, 2, 0.01, 0.9676}, {3, 3, 0.01, 0.9423}, {4, 5, 0.01, 0.7212},
            {0, 4, 0.05, 1.481},  {0, 6, 0.05, 1.887},  {0, 10, 0.05, 2.290}, {0, 4, 0.01, 1.496},
            {0, 7, 0.01, 2.139},  {0, 10, 0.01, 2.482}};
        for (const auto &f : filas)
            QTest::addRow("%s k=%d n=%d %g", f.k ? "Cochran" : "Grubbs", f.k, f.n, f.alfa)
                << (f.k != 0) << f.k << f.n << f.alfa << f.tabla << (f.k ? 0.5e-4 : 0.5e-3);
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

    // Expected figures computed apart with 40-digit arithmetic (two-pass
    // variances, medians, the regularised incomplete beta for the F tails).
    void estadisticos_data()
    {
        QTest::addColumn<QList<QStringList>>("niveles");
        QTest::addColumn<int>("famC");
        // C, the largest G of any level, Levene's W and its probability, the
        // exact probability of F, the repeatability and its RSD.
        QTest::addColumn<QList<double>>("cifras");
        QTest::newRow("trabajado") << trabajado << 1
            << QList<double>{0.634920634920632, 1.27801930084538, 0.999999999999984, 0.405344429705908,
                             0.00509205015534303, 0.396862696659688, 0.39597176019924};
        QTest::newRow("varianza aberrante") << varianzaAberrante << 3
            << QList<double>{0.926971762414801, 1.26491106406737, 4.09808102345407, 0.0245811535808149,
                             0.981421146057827, 0.506705042406328, 0.506603721661996};
        QTest::newRow("valor atípico") << valorAtipico << 2
            << QList<double>{0.911564625850341, 1.99501867221527, 1.05633802816901, 0.372220230565386,
                             0.571105287724815, 0.404145188432737, 0.40360704570513};
    }

    void estadisticos()
    {
        QFETCH(QList<QStringList>, niveles);
        QFETCH(QList<double>, cifras);
        const Supuestos s = CalculaSupuestos(estudio(niveles), u'.');
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
        QTest::newRow("varianza aberrante") << varianzaAberrante << QStringList{
            u"Conclusión = Varianza aberrante al 1 %: FAM 3"_s, u"Conclusión = Varianzas distintas al 5 %"_s};
        QTest::newRow("valor atípico") << valorAtipico << QStringList{
            u"Conclusión = Valor atípico al 1 %: 101.6 (muestra 6)"_s};
        // C = 12 / (4/3 + 4/3 + 12) lies between the two critical values; every
        // level's distances to its median are equal.
        QTest::newRow("varianza dudosa") << QList<QStringList>{{u"10"_s, u"10"_s, u"12"_s, u"12"_s},
                                                               {u"20"_s, u"20"_s, u"22"_s, u"22"_s},
                                                               {u"30"_s, u"30"_s, u"36"_s, u"36"_s}}
            << QStringList{u"Conclusión = Varianza dudosa al 5 %: FAM 3"_s,
                           u"Las distancias a la mediana son iguales dentro de cada FAM: la prueba de Levene no puede calcularse."_s};
        // The same with decimals, whose distances differ in the last bits only.
        QTest::newRow("distancias iguales con decimales")
            << QList<QStringList>{{u"99.1"_s, u"99.1"_s, u"99.3"_s, u"99.3"_s}, {u"98.7"_s, u"98.7"_s, u"99.9"_s, u"99.9"_s}}
            << QStringList{u"Las distancias a la mediana son iguales dentro de cada FAM: la prueba de Levene no puede calcularse."_s};
        // Every level's mean distance to its median is 0.3 in the typed values,
        // but not in their doubles: W is 0, not a rounding residue.
        QTest::newRow("distancias medias iguales entre FAM")
            << QList<QStringList>{{u"99.6"_s, u"100.4"_s, u"100.1"_s, u"99.7"_s},
                                  {u"100.5"_s, u"99.9"_s, u"100.4"_s, u"99.8"_s},
                                  {u"99.4"_s, u"100.1"_s, u"99.7"_s, u"100.2"_s},
                                  {u"100.3"_s, u"99.7"_s, u"100.4"_s, u"99.8"_s},
                                  {u"100.6"_s, u"99.9"_s, u"100.5"_s, u"100.0"_s}}
            << QStringList{u"W = 0"_s, u"Probabilidad = 1"_s};
        QTest::newRow("empate en el mayor") << QList<QStringList>{{u"5"_s, u"7"_s, u"7"_s, u"6"_s}, {u"4"_s, u"5"_s, u"6"_s, u"5"_s}}
            << QStringList{u"Valor mayor = 7 (muestra 2), G = 0.783349"_s};
        QTest::newRow("dos muestras") << QList<QStringList>{{u"1.5"_s, u"1.7"_s}, {u"1.6"_s, u"1.9"_s}, {u"1.4"_s, u"1.5"_s}}
            << QStringList{u"Con 2 muestras por FAM la prueba de Grubbs no puede señalar un valor atípico: necesita al menos 3."_s,
                           u"Con 2 muestras por FAM los dos valores distan lo mismo de su mediana: la prueba de Levene no puede calcularse."_s};
        QTest::newRow("valores iguales") << QList<QStringList>{{u"0.7"_s, u"0.70"_s, u"0.7"_s}, {u"0.8"_s, u"0.9"_s, u"0.6"_s}}
            << QStringList{u"Todos los valores son iguales: no hay valor atípico que señalar."_s};
        // The engine calculates on the rounding residue of 0.1 + 0.1 + 0.1.
        QTest::newRow("sin variación") << QList<QStringList>{{u"0.1"_s, u"0.1"_s, u"0.1"_s}, {u"0.7"_s, u"0.7"_s, u"0.7"_s}}
            << QStringList{u"Todas las varianzas son cero: la prueba de Cochran no tiene varianza mayor que señalar."_s,
                           u"Todos los valores son iguales: no hay valor atípico que señalar."_s,
                           u"Las distancias a la mediana son iguales dentro de cada FAM: la prueba de Levene no puede calcularse."_s,
                           u"Los valores son iguales dentro de cada FAM: sin variación del método no hay probabilidad "
                           "exacta de F que calcular."_s,
                           u"Desviación estándar de repetibilidad = 0"_s};
        QTest::newRow("decisión marginal") << marginal << QStringList{
            u"Probabilidad exacta = 0.0512765"_s,
            u"Decisión marginal: según Pfcal el método no tolera el FAM, y según la probabilidad exacta el método "
            "tolera el FAM. Conviene confirmarla con más muestras."_s};
    }

    void textos()
    {
        QFETCH(QList<QStringList>, niveles);
        QFETCH(QStringList, lineas);
        const QStringList texto = LineasSupuestos(CalculaSupuestos(estudio(niveles), u'.'), u'.');
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
            try {
                CalculaSupuestos(estudio(niveles), separador);
            } catch (const ErrorTolerancia &error) {
                return error.texto();
            }
            return QString();
        };
        QCOMPARE(mensaje({{u"5"_s, u"5"_s}, {u"7"_s, u"7"_s}}, u'.'), u"Floating point division by zero"_s);
        QCOMPARE(mensaje(trabajado, u','), u"'99.2' is not a valid floating point value"_s);
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
