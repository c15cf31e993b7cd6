// Comparisons with a control: the multivariate t tail, its critical value
// and the comparison of a study.
#include "core/motor/Dunnett.h"
#include "core/motor/Errores.h"
#include "Estudios.h"

#include <QTest>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>

#include <cmath>

namespace {

// An independent evaluation of P(max |T_i| ≤ d) for k − 1 comparisons
// with one control: the trapezoidal rule (spectrally accurate for smooth,
// fast-decaying integrands on the whole line) over ln χ² and over the
// control's standardised mean z on the whole line.
double probabilidadTrapecios(double d, int k, int nu)
{
    const boost::math::normal normal;
    const boost::math::chi_squared chi(nu);
    constexpr double hw = 0.04, hz = 0.25;
    double total = 0.0;
    for (double w = -30.0; w < 7.0; w += hw) {
        const double x = std::exp(w);
        const double a = d * std::sqrt(2.0 * x / nu);
        double interior = 0.0;
        for (double z = -10.0; z <= 10.0; z += hz)
            interior += boost::math::pdf(normal, z)
                        * std::pow(boost::math::cdf(normal, z + a) - boost::math::cdf(normal, z - a), k - 1);
        total += x * boost::math::pdf(chi, x) * interior * hz;
    }
    return total * hw;
}

} // namespace

class TstDunnett : public QObject
{
    Q_OBJECT

private slots:
    // Dunnett's published table (the case file) and Student's quantiles.
    void valorCritico_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("nu");
        QTest::addColumn<double>("publicado");
        for (const QStringList &fila : casosDe(QStringLiteral(TOLERANCIA_FUENTES "/tests/dunnett/casos/criticos-1964.tsv")))
            for (int k = 3; k <= 5; ++k)
                QTest::addRow("k=%d nu=%s", k, qPrintable(fila[0])) << k << fila[0].toInt() << fila[k - 2].toDouble();
        // One comparison: Student's two-sided quantiles.
        QTest::newRow("k=2 nu=2") << 2 << 2 << 4.303;
        QTest::newRow("k=2 nu=10") << 2 << 10 << 2.228;
    }

    void valorCritico()
    {
        QFETCH(int, k);
        QFETCH(int, nu);
        QFETCH(double, publicado);
        const double d = DistribucionDunnett(k, nu).critico();
        QVERIFY2(std::fabs(d - publicado) <= 0.005 + 1e-9, qPrintable(QString::number(d, 'f', 6)));
    }

    // Over the whole range of the program the critical value leaves 5 % in the
    // tail, by the independent evaluation and by the adjusted p-value.
    void colaEnElValorCritico_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("nu");
        for (int k = 3; k <= 5; ++k)
            for (int nu : {2, 3, 7, 16, 45})
                QTest::addRow("k=%d nu=%d", k, nu) << k << nu;
    }

    void colaEnElValorCritico()
    {
        QFETCH(int, k);
        QFETCH(int, nu);
        const DistribucionDunnett distribucion(k, nu);
        const double d = distribucion.critico();
        // dP/dd is above 0.01 here, so 1e-9 in probability is 1e-7 in d.
        QVERIFY2(std::fabs(probabilidadTrapecios(d, k, nu) - 0.95) < 1e-9, qPrintable(QString::number(d, 'g', 12)));
        QVERIFY2(std::fabs(distribucion.cola(d) - 0.05) < 1e-10, qPrintable(QString::number(d, 'g', 12)));
    }

    // Small |t| are integrated, larger ones summed from a table: both against
    // the independent evaluation, relative to the tail.
    void cola_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("nu");
        QTest::addColumn<double>("t");
        for (int nu : {2, 9, 45})
            for (double t : {0.05, 0.6, 0.9, 1.5, 4.0, 7.0})
                QTest::addRow("k=4 nu=%d t=%g", nu, t) << 4 << nu << t;
    }

    void cola()
    {
        QFETCH(int, k);
        QFETCH(int, nu);
        QFETCH(double, t);
        const double esperado = 1.0 - probabilidadTrapecios(t, k, nu);
        const double cola = DistribucionDunnett(k, nu).cola(t);
        QVERIFY2(std::fabs(cola - esperado) <= 1e-7 * esperado, qPrintable(QString::number(cola, 'g', 12)));
    }

    // The printed comparison is pinned by its report case; here, by hand, the
    // half-width d·√(2·MSE/n) and the adjusted p against the independent tail.
    void ejemploTrabajado()
    {
        const Estudio e = estudioDe(::ejemploTrabajado);
        const ResultadoDunnett r = CalculaDunnett(e, u'.', 2);
        const double error = std::sqrt(2.0 * 0.1575 / 4.0);
        QCOMPARE(r.comparaciones.size(), 2);
        for (const ComparacionDunnett &c : r.comparaciones) {
            QVERIFY(std::fabs(c.amplitud.valor - r.critico * error) < 1e-9);
            QVERIFY(std::fabs(c.limsup.valor - (c.diferencia.valor + c.amplitud.valor)) < 1e-9);
            QVERIFY(std::fabs(c.p - (1.0 - probabilidadTrapecios(std::fabs(c.diferencia.valor) / error, 3, 9))) < 1e-9);
        }
    }

    // No variation within the levels: the analysis' own error, and no endless
    // integration.
    void variacionNula()
    {
        const Estudio e = estudioDe({{"5", "5"}, {"7", "7"}, {"6", "6"}});
        QCOMPARE(errorDe<ErrorCalculo>([&] { CalculaDunnett(e, u'.', 1); }), QStringLiteral("Floating point division by zero"));
    }
};

QTEST_GUILESS_MAIN(TstDunnett)
#include "tst_dunnett.moc"
