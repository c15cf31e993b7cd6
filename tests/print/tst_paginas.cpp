// The printed pages on a recording canvas: every text and rule at its
// place, for both layouts, every FAM count and both kinds of result.
#include "LienzoGrabador.h"

#include "print/Uprint.h"
#include "print/Uprint1.h"
#include "stats/Errores.h"

#include <QTest>
#include <cmath>
#include <limits>

namespace {

// An odd printable width, so that centring has a half pixel to drop.
constexpr int W = 4801;

// The pair order, written out: by the higher FAM, then the lower.
const int ordenPares[10][2] = {{1, 2}, {1, 3}, {2, 3}, {1, 4}, {2, 4},
                              {3, 4}, {1, 5}, {2, 5}, {3, 5}, {4, 5}};

QString clave(int x, int y, int puntos, const QString &texto)
{
    return QStringLiteral("y=%1 x=%2 %3pt «%4»").arg(y).arg(x).arg(puntos).arg(texto);
}

// What a page should show, in the units of the page (L, C) and the font
// size in force.
class Esperado
{
public:
    explicit Esperado(int renglon) : L(renglon) {}

    int L;
    int puntos = 12;

    void t(int c, int l, const QString &texto) { m_textos << clave(c * 12, l * L, puntos, texto); }
    void centrado(int l, const QString &texto)
    {
        m_textos << clave((W - LienzoGrabador::anchoDe(texto, puntos)) / 2, l * L, puntos, texto);
    }
    void derecha(int l, const QString &texto)
    {
        m_textos << clave(W - LienzoGrabador::anchoDe(texto, puntos), l * L, puntos, texto);
    }
    QStringList textos() const
    {
        QStringList lista = m_textos;
        lista.sort();
        return lista;
    }

private:
    QStringList m_textos;
};

QStringList textosDe(const LienzoGrabador::Trabajo &trabajo)
{
    QStringList lista;
    for (const auto &t : trabajo.textos)
        lista << clave(t.x, t.y, t.puntos, t.texto);
    lista.sort();
    return lista;
}

QList<int> reglasDe(const LienzoGrabador::Trabajo &trabajo)
{
    QList<int> ys;
    for (const auto &l : trabajo.lineas) {
        if (l.x1 != 0 || l.x2 != W || l.y1 != l.y2)
            return {-1};
        ys << l.y1;
    }
    return ys;
}

// Missing and unexpected texts, one per line; empty when both agree.
QString diferencias(const QStringList &reales, const QStringList &esperados)
{
    QString informe;
    QStringList sobran = reales;
    for (const QString &e : esperados)
        if (!sobran.removeOne(e))
            informe += QStringLiteral("falta   ") + e + u'\n';
    for (const QString &s : sobran)
        informe += QStringLiteral("sobra   ") + s + u'\n';
    return informe;
}

// The one job a page routine makes, checked complete.
const LienzoGrabador::Trabajo &unTrabajo(const LienzoGrabador &lienzo)
{
    if (lienzo.trabajos.size() != 1 || !lienzo.trabajos.first().terminado
        || lienzo.trabajos.first().abortado || lienzo.fueraDeTrabajo != 0)
        qFatal("the page is not one finished job");
    return lienzo.trabajos.first();
}

Estudio estudioDe(int k, int n)
{
    Estudio e;
    e.etole = QStringLiteral("Equipo de disolución");
    e.emetodo = QStringLiteral("Valoración por UV");
    e.eanalista = QStringLiteral("Q.F.B. Núñez");
    e.efecha = QStringLiteral("06/12/2026");
    e.econdicion = QString::number(k);
    e.ereplica = QString::number(n);
    AceptaRejilla(e.stgdatos, k, n);
    for (int i = 1; i <= k; ++i)
        for (int j = 1; j <= n; ++j)
            e.stgdatos.ponCelda(i, j, QStringLiteral("%1.%2").arg(90 + i).arg(j, 2, 10, QChar(u'0')));
    return e;
}

// Every slot s holds 1000 + s + 0.25 and the arrays values of their own,
// so each printed number tells where it came from.
JuegoResultados resultadosDe(bool significativo)
{
    JuegoResultados juego;
    for (int s = 0; s < 48; ++s)
        juego.resultados[s] = 1000 + s + 0.25;
    juego.resultados[Ranura::pfcal] = significativo ? 0.01 : 0.5;
    // The pair 1–2 straddles zero; every other pair lies above it.
    juego.resultados[Ranura::liminf12] = -1.5;
    juego.resultados[Ranura::limsup12] = 2.5;
    for (int i = 1; i <= 10; ++i) {
        juego.promedios[std::size_t(i)] = 200 + i + 0.5;
        juego.desviaciones[std::size_t(i)] = 300 + i + 0.5;
        juego.coeficientes[std::size_t(i)] = 400 + i + 0.5;
    }
    juego.ttabla = 2.262;
    return juego;
}

QString ranura(int s)
{
    return QString::number(1000 + s) + QStringLiteral(".25");
}

QString conclusion(int menor, int mayor)
{
    return menor == 1 && mayor == 2 ? QStringLiteral("Sin Diferencia entre FAM ")
                                    : QStringLiteral("Hay Diferencia entre FAM");
}

// Limits as the test record holds them, in the general format.
QString limite(int menor, int mayor, bool inferior)
{
    if (menor == 1 && mayor == 2)
        return inferior ? QStringLiteral("-1.5") : QStringLiteral("2.5");
    static const QMap<QString, int> ranuras{
        {"13", 25}, {"14", 27}, {"23", 29}, {"24", 31}, {"34", 33},
        {"15", 38}, {"25", 40}, {"35", 42}, {"45", 44}};
    return ranura(ranuras.value(QString::number(menor) + QString::number(mayor)) + (inferior ? 0 : 1));
}

void encabezadoLaser(Esperado &e)
{
    e.puntos = 12;
    e.centrado(4, QStringLiteral("Dorvanta"));
    e.centrado(5, QStringLiteral("Control de Calidad"));
    e.centrado(6, QStringLiteral("Tolerancia del Método"));
    e.centrado(7, QStringLiteral("Factores Ajenos al Método"));
    e.puntos = 10;
}

void encabezadoDeskJet(Esperado &e)
{
    e.puntos = 12;
    e.centrado(5, QStringLiteral("Velmora"));
    e.centrado(6, QStringLiteral("Control de Calidad"));
    e.centrado(7, QStringLiteral("TOLERANCIA DEL MÉTODO"));
    e.centrado(8, QStringLiteral("FACTORES AJENOS AL MÉTODO"));
    e.puntos = 11;
}

} // namespace

class TstPaginas : public QObject
{
    Q_OBJECT

private slots:
    void encabezadoMedido_data();
    void encabezadoMedido();
    void resultadosLaser_data();
    void resultadosLaser();
    void informacionLaser_data();
    void informacionLaser();
    void resultadosDeskJet_data();
    void resultadosDeskJet();
    void informacionDeskJet();
    void sinIntervalos_data();
    void sinIntervalos();
    void limiteCero();
    void famNoEntero_data();
    void famNoEntero();
    void famFueraDeLimites_data();
    void famFueraDeLimites();
    void camposVacios();
};

void TstPaginas::encabezadoMedido_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("renglon");
    QTest::addColumn<int>("reglaEncabezado");
    QTest::addColumn<int>("reglaPie");
    QTest::addColumn<int>("yRevisado");
    QTest::newRow("600 dpi") << 600 << 100 << 820 << 6000 << 5700;
    QTest::newRow("300 dpi") << 300 << 50 << 420 << 3000 << 2850;
}

// The units come from the 12-point header font: renglon follows the
// resolution, columna stays 12 pixels.
void TstPaginas::encabezadoMedido()
{
    QFETCH(int, dpi);
    QFETCH(int, renglon);
    QFETCH(int, reglaEncabezado);
    QFETCH(int, reglaPie);
    QFETCH(int, yRevisado);

    LienzoGrabador lienzo(dpi, W);
    ImprimeToleranciaLaser(lienzo, estudioDe(3, 4), resultadosDe(true));
    const auto &trabajo = unTrabajo(lienzo);
    QCOMPARE(lienzo.fuente, QStringLiteral("ARIAL"));
    QCOMPARE(reglasDe(trabajo), (QList<int>{reglaEncabezado, reglaPie}));

    const auto primero = trabajo.textos.first();
    // "Dorvanta", 8 characters of 60 pixels: (4801 - 480) / 2 drops the half.
    QCOMPARE(primero.texto, QStringLiteral("Dorvanta"));
    QCOMPARE(primero.x, 2160);
    QCOMPARE(primero.y, 4 * renglon);
    QCOMPARE(primero.puntos, 12);

    bool visto = false;
    for (const auto &t : trabajo.textos) {
        if (t.texto.startsWith(QStringLiteral("Revisó:"))) {
            QCOMPARE(t.x, 2700);
            QCOMPARE(t.y, yRevisado);
            visto = true;
        }
        if (t.texto == QStringLiteral("QUORIX v. w 3.1"))
            QCOMPARE(t.x, W - 15 * 50);
    }
    QVERIFY(visto);
}

void TstPaginas::resultadosLaser_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("significativo");
    QTest::addColumn<int>("totales");
    for (int k = 2; k <= 5; ++k) {
        QTest::addRow("k=%d con intervalos", k) << k << true << 24 + k + 1;
        QTest::addRow("k=%d sin intervalos", k) << k << false << 24 + k + 1;
    }
}

void TstPaginas::resultadosLaser()
{
    QFETCH(int, k);
    QFETCH(bool, significativo);
    QFETCH(int, totales);

    LienzoGrabador lienzo(600, W);
    ImprimeToleranciaLaser(lienzo, estudioDe(k, 4), resultadosDe(significativo));
    const auto &trabajo = unTrabajo(lienzo);

    Esperado e(100);
    encabezadoLaser(e);
    e.centrado(11, QStringLiteral("Resultados"));
    e.centrado(12, QStringLiteral("Análisis de la Varianza"));
    e.t(45, 13, QStringLiteral("Fuente"));
    e.t(90, 13, QStringLiteral("Grados"));
    e.t(135, 13, QStringLiteral("Suma"));
    e.t(190, 13, QStringLiteral("Media"));
    e.t(46, 14, QStringLiteral("de"));
    e.t(91, 14, QStringLiteral("de"));
    e.t(136, 14, QStringLiteral("de"));
    e.t(191, 14, QStringLiteral("de"));
    e.t(245, 14, QStringLiteral("Fcal"));
    e.t(280, 14, QStringLiteral("PFcal"));
    e.t(45, 15, QStringLiteral("Variación"));
    e.t(90, 15, QStringLiteral("Libertad"));
    e.t(135, 15, QStringLiteral("Cuadrados"));
    e.t(190, 15, QStringLiteral("Cuadrados"));
    e.t(45, 17, QStringLiteral("FAM"));
    e.t(93, 17, QStringLiteral("1000.25"));
    e.t(138, 17, QStringLiteral("1002.25"));
    e.t(193, 17, QStringLiteral("1004.25"));
    e.t(245, 17, QStringLiteral("1006.25"));
    e.t(280, 17, significativo ? QStringLiteral("0.01") : QStringLiteral("0.5"));
    e.t(45, 18, QStringLiteral("Error de"));
    e.t(93, 18, QStringLiteral("1001.25"));
    e.t(138, 18, QStringLiteral("1003.25"));
    e.t(193, 18, QStringLiteral("1005.25"));
    e.t(45, 19, QStringLiteral("Método"));
    e.t(135, 22, QStringLiteral("Desviación"));
    e.t(190, 22, QStringLiteral("Coeficiente"));
    e.t(245, 22, QStringLiteral("Criterio de"));
    e.t(45, 23, QStringLiteral("FAM"));
    e.t(90, 23, QStringLiteral("Promedio"));
    e.t(135, 23, QStringLiteral("Estándar"));
    e.t(190, 23, QStringLiteral("de"));
    e.t(245, 23, QStringLiteral("Aceptación"));
    e.t(190, 24, QStringLiteral("Variación"));
    // The per-FAM lines come from the arrays, not from the record's slots.
    for (int i = 1; i <= k; ++i) {
        e.t(50, 24 + i, QString::number(i));
        e.t(90, 24 + i, QStringLiteral("%1.5").arg(200 + i));
        e.t(135, 24 + i, QStringLiteral("%1.5").arg(300 + i));
        e.t(190, 24 + i, QStringLiteral("%1.5").arg(400 + i));
    }
    e.t(45, totales, QStringLiteral("Totales"));
    e.t(93, totales, QStringLiteral("1012.25"));
    e.t(138, totales, QStringLiteral("1017.25"));
    e.t(193, totales, QStringLiteral("1022.25"));
    if (significativo) {
        e.t(45, totales + 4, QStringLiteral("FAM"));
        e.t(90, totales + 4, QStringLiteral("FAM"));
        e.t(140, totales + 4, QStringLiteral("L.I.C."));
        e.t(195, totales + 4, QStringLiteral("L.S.C."));
        e.t(245, totales + 4, QStringLiteral("Conclusión"));
        const int pares = k * (k - 1) / 2;
        for (int p = 1; p <= pares; ++p) {
            const int a = ordenPares[p - 1][0];
            const int b = ordenPares[p - 1][1];
            e.t(50, totales + 4 + p, QString::number(a));
            e.t(95, totales + 4 + p, QString::number(b));
            e.t(135, totales + 4 + p, limite(a, b, true));
            e.t(190, totales + 4 + p, limite(a, b, false));
            e.t(245, totales + 4 + p, conclusion(a, b));
        }
    }
    e.t(45, 49, QStringLiteral("Factores Ajenos al Método (FAM): Equipo de disolución"));
    e.t(45, 50, QStringLiteral("Nombre del método: Valoración por UV"));
    e.t(45, 51, QStringLiteral("Nombre del Analista: Q.F.B. Núñez"));
    e.t(45, 52, QStringLiteral("Número de FAM: ") + QString::number(k));
    e.t(45, 53, QStringLiteral("Número de Muestras (Replicaciones): 4"));
    e.t(45, 54, QStringLiteral("Fecha: 06/12/2026"));
    e.t(45, 57, QStringLiteral("Realizó:_______________________"));
    e.t(225, 57, QStringLiteral("Revisó:_______________________"));
    e.derecha(59, QStringLiteral("QUORIX v. w 3.1"));

    const QString d = diferencias(textosDe(trabajo), e.textos());
    QVERIFY2(d.isEmpty(), qPrintable(d));
    QCOMPARE(reglasDe(trabajo), (QList<int>{820, 6000}));
}

void TstPaginas::informacionLaser_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("ultimaLinea");
    QTest::newRow("k=2 n=2") << 2 << 2 << 29;
    QTest::newRow("k=3 n=4") << 3 << 4 << 31;
    QTest::newRow("k=5 n=10") << 5 << 10 << 37;
}

void TstPaginas::informacionLaser()
{
    QFETCH(int, k);
    QFETCH(int, n);
    QFETCH(int, ultimaLinea);

    Estudio estudio = estudioDe(k, n);
    // Typed texts are printed as they stand, trailing zero included.
    estudio.stgdatos.ponCelda(1, 1, QStringLiteral("98.50"));
    LienzoGrabador lienzo(600, W);
    ImprimeInformacionLaser(lienzo, estudio);
    const auto &trabajo = unTrabajo(lienzo);

    Esperado e(100);
    encabezadoLaser(e);
    e.centrado(14, QStringLiteral("Información General"));
    e.t(45, 16, QStringLiteral("Factores Ajenos al Método (FAM): Equipo de disolución"));
    e.t(45, 17, QStringLiteral("Nombre del método: Valoración por UV"));
    e.t(45, 18, QStringLiteral("Nombre del Analista: Q.F.B. Núñez"));
    e.t(45, 19, QStringLiteral("Fecha: 06/12/2026"));
    e.t(45, 21, QStringLiteral("Número de FAM:"));
    e.t(45, 22, QString::number(k));
    e.t(45, 24, QStringLiteral("Número de Muestras (Replicaciones):"));
    e.t(45, 25, QString::number(n));
    e.t(45, 27, QStringLiteral(" FAM"));
    for (int i = 1; i <= k; ++i)
        e.t(45 + 46 * i, 27, QStringLiteral("   ") + QString::number(i));
    for (int j = 1; j <= n; ++j) {
        e.t(45, 27 + j, QStringLiteral("Muestra ") + QString::number(j));
        for (int i = 1; i <= k; ++i)
            e.t(45 + 46 * i, 27 + j,
                i == 1 && j == 1 ? QStringLiteral("98.50")
                                 : QStringLiteral("%1.%2").arg(90 + i).arg(j, 2, 10, QChar(u'0')));
    }
    e.t(45, 56, QStringLiteral("Realizó:_______________________"));
    e.t(225, 56, QStringLiteral("Revisó:_______________________"));
    e.derecha(58, QStringLiteral("QUORIX v. w 3.1"));

    const QString d = diferencias(textosDe(trabajo), e.textos());
    QVERIFY2(d.isEmpty(), qPrintable(d));
    QCOMPARE(reglasDe(trabajo), (QList<int>{820, 5900}));
    int ultima = 0;
    for (const auto &t : trabajo.textos)
        if (t.x == 45 * 12 && t.texto.startsWith(QStringLiteral("Muestra")))
            ultima = std::max(ultima, t.y);
    QCOMPARE(ultima, ultimaLinea * 100);
}

void TstPaginas::resultadosDeskJet_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("significativo");
    QTest::addColumn<int>("totales");
    QTest::addColumn<int>("encabezadoIntervalos");
    QTest::addColumn<int>("metodo");
    QTest::addColumn<int>("regla");
    QTest::newRow("k=2 con intervalos") << 2 << true << 28 << 32 << 34 << 43;
    QTest::newRow("k=3 con intervalos") << 3 << true << 28 << 32 << 38 << 47;
    QTest::newRow("k=4 con intervalos") << 4 << true << 30 << 34 << 43 << 52;
    QTest::newRow("k=5 con intervalos") << 5 << true << 30 << 34 << 47 << 56;
    QTest::newRow("k=2 sin intervalos") << 2 << false << 28 << 0 << 34 << 43;
    QTest::newRow("k=3 sin intervalos") << 3 << false << 28 << 0 << 34 << 43;
    QTest::newRow("k=4 sin intervalos") << 4 << false << 30 << 0 << 36 << 45;
    QTest::newRow("k=5 sin intervalos") << 5 << false << 30 << 0 << 36 << 45;
}

void TstPaginas::resultadosDeskJet()
{
    QFETCH(int, k);
    QFETCH(bool, significativo);
    QFETCH(int, totales);
    QFETCH(int, encabezadoIntervalos);
    QFETCH(int, metodo);
    QFETCH(int, regla);

    LienzoGrabador lienzo(600, W);
    ImprimeToleranciaDeskJet(lienzo, estudioDe(k, 4), resultadosDe(significativo).resultados);
    const auto &trabajo = unTrabajo(lienzo);

    Esperado e(100);
    encabezadoDeskJet(e);
    e.centrado(9, QStringLiteral("TOLERANCIA"));
    e.centrado(11, QStringLiteral("ANÁLISIS DE LA VARIANZA"));
    e.t(2, 12, QStringLiteral("FUENTE"));
    e.t(25, 12, QStringLiteral("GRADOS"));
    e.t(50, 12, QStringLiteral("SUMA"));
    e.t(80, 12, QStringLiteral("MEDIA"));
    e.t(3, 13, QStringLiteral("DE"));
    e.t(26, 13, QStringLiteral("DE"));
    e.t(51, 13, QStringLiteral("DE"));
    e.t(81, 13, QStringLiteral("DE"));
    e.t(110, 13, QStringLiteral("Fcal"));
    e.t(135, 13, QStringLiteral("PFcal"));
    e.t(1, 14, QStringLiteral("VARIACIÓN"));
    e.t(25, 14, QStringLiteral("LIBERTAD"));
    e.t(50, 14, QStringLiteral("CUADRADOS"));
    e.t(80, 14, QStringLiteral("CUADRADOS"));
    e.t(1, 16, QStringLiteral("FAM"));
    e.t(27, 16, QStringLiteral("1000.25"));
    e.t(52, 16, QStringLiteral("1002.25"));
    e.t(81, 16, QStringLiteral("1004.25"));
    e.t(112, 16, QStringLiteral("1006.25"));
    e.t(137, 16, significativo ? QStringLiteral("0.01") : QStringLiteral("0.5"));
    e.t(1, 17, QStringLiteral("ERROR DE"));
    e.t(27, 17, QStringLiteral("1001.25"));
    e.t(52, 17, QStringLiteral("1003.25"));
    e.t(81, 17, QStringLiteral("1005.25"));
    e.t(1, 18, QStringLiteral("MÉTODO"));
    e.t(2, 22, QStringLiteral("FAM"));
    e.t(25, 22, QStringLiteral("PROMEDIO"));
    e.t(60, 22, QStringLiteral("DESVIACIÓN"));
    e.t(95, 22, QStringLiteral("COEFICIENTE"));
    e.t(62, 23, QStringLiteral("ESTÁNDAR"));
    e.t(96, 23, QStringLiteral("DE"));
    e.t(95, 24, QStringLiteral("VARIACIÓN"));
    // The per-FAM lines come from the record: mean, deviation and
    // coefficient slots of FAM 1..4, then 35..37 for FAM 5.
    const int ranurasFam[6][3] = {{}, {8, 13, 18}, {9, 14, 19}, {10, 15, 20}, {11, 16, 21}, {35, 36, 37}};
    for (int i = 1; i <= k; ++i) {
        e.t(2, 24 + i, QStringLiteral("     ") + QString::number(i));
        e.t(27, 24 + i, ranura(ranurasFam[i][0]));
        e.t(62, 24 + i, ranura(ranurasFam[i][1]));
        e.t(96, 24 + i, ranura(ranurasFam[i][2]));
    }
    e.t(2, totales, QStringLiteral("TOTALES"));
    e.t(27, totales, QStringLiteral("1012.25"));
    e.t(62, totales, QStringLiteral("1017.25"));
    e.t(96, totales, QStringLiteral("1022.25"));
    if (significativo) {
        const int h = encabezadoIntervalos;
        e.t(2, h, QStringLiteral("FAM"));
        e.t(25, h, QStringLiteral("FAM"));
        e.t(50, h, QStringLiteral("L.I.C."));
        e.t(75, h, QStringLiteral("L.S.C."));
        e.t(100, h, QStringLiteral("CONCLUSIÓN"));
        const int pares = k * (k - 1) / 2;
        for (int p = 1; p <= pares; ++p) {
            const int a = ordenPares[p - 1][0];
            const int b = ordenPares[p - 1][1];
            e.t(4, h + p, QString::number(a));
            e.t(27, h + p, QString::number(b));
            e.t(50, h + p, limite(a, b, true));
            e.t(75, h + p, limite(a, b, false));
            e.t(100, h + p, conclusion(a, b));
        }
    }
    e.t(2, metodo, QStringLiteral("Nombre del método: Valoración por UV"));
    e.t(2, metodo + 2, QStringLiteral("Nombre del Analista: Q.F.B. Núñez"));
    e.t(2, metodo + 4, QStringLiteral("Fecha: 06/12/2026"));
    e.derecha(regla - 1, QStringLiteral("QUORIX v. w 3.0"));

    const QString d = diferencias(textosDe(trabajo), e.textos());
    QVERIFY2(d.isEmpty(), qPrintable(d));
    QCOMPARE(reglasDe(trabajo), (QList<int>{920, regla * 100}));
}

void TstPaginas::informacionDeskJet()
{
    Estudio estudio = estudioDe(2, 10);
    estudio.stgdatos.ponCelda(2, 10, QStringLiteral("98.50"));
    LienzoGrabador lienzo(600, W);
    ImprimeInformacionDeskJet(lienzo, estudio);
    const auto &trabajo = unTrabajo(lienzo);

    Esperado e(100);
    encabezadoDeskJet(e);
    e.centrado(10, QStringLiteral("INFORMACIÓN GENERAL"));
    e.t(2, 13, QStringLiteral("Factores Ajenos al Método (FAM): Equipo de disolución"));
    e.t(2, 14, QStringLiteral("Nombre del método: Valoración por UV"));
    e.t(2, 16, QStringLiteral("Nombre del Analista: Q.F.B. Núñez"));
    e.t(2, 18, QStringLiteral("Fecha: 06/12/2026"));
    e.t(2, 20, QStringLiteral("Número de FAM:"));
    e.t(2, 21, QStringLiteral("2"));
    e.t(2, 22, QStringLiteral("Número de Muestras (Replicaciones):"));
    e.t(2, 23, QStringLiteral("10"));
    e.t(2, 25, QStringLiteral(" FAM"));
    e.t(28, 25, QStringLiteral("   1"));
    e.t(54, 25, QStringLiteral("   2"));
    for (int j = 1; j <= 10; ++j) {
        e.t(2, 25 + j, QStringLiteral("Muestra ") + QString::number(j));
        e.t(28, 25 + j, QStringLiteral("91.") + QStringLiteral("%1").arg(j, 2, 10, QChar(u'0')));
        e.t(54, 25 + j, j == 10 ? QStringLiteral("98.50") : QStringLiteral("92.%1").arg(j, 2, 10, QChar(u'0')));
    }
    // Eleven grid rows, 25 L to 35 L: the footer five lines below.
    e.derecha(40, QStringLiteral("QUORIX v. w 3.1"));

    const QString d = diferencias(textosDe(trabajo), e.textos());
    QVERIFY2(d.isEmpty(), qPrintable(d));
    QCOMPARE(reglasDe(trabajo), (QList<int>{920, 4100}));
}

void TstPaginas::sinIntervalos_data()
{
    QTest::addColumn<double>("pfcal");
    QTest::addColumn<bool>("bloque");
    QTest::newRow("0.05 exacto") << 0.05 << false;
    QTest::newRow("mayor") << 0.0500001 << false;
    QTest::newRow("no es un número") << std::numeric_limits<double>::quiet_NaN() << false;
    QTest::newRow("apenas menor") << 0.0499999 << true;
}

// The block is printed only for pfcal strictly below 0.05; the study block
// stays at 49 L either way.
void TstPaginas::sinIntervalos()
{
    QFETCH(double, pfcal);
    QFETCH(bool, bloque);
    JuegoResultados juego = resultadosDe(true);
    juego.resultados[Ranura::pfcal] = pfcal;

    LienzoGrabador laser(600, W);
    ImprimeToleranciaLaser(laser, estudioDe(5, 3), juego);
    LienzoGrabador deskjet(600, W);
    ImprimeToleranciaDeskJet(deskjet, estudioDe(5, 3), juego.resultados);

    for (const LienzoGrabador *lienzo : {&laser, &deskjet}) {
        int conclusiones = 0;
        for (const auto &t : unTrabajo(*lienzo).textos)
            if (t.texto.contains(QStringLiteral("Diferencia entre FAM")))
                ++conclusiones;
        QCOMPARE(conclusiones, bloque ? 10 : 0);
    }
    for (const auto &t : unTrabajo(laser).textos)
        if (t.texto.startsWith(QStringLiteral("Factores Ajenos al Método (FAM)")))
            QCOMPARE(t.y, 4900);
    for (const auto &t : unTrabajo(deskjet).textos)
        if (t.texto.startsWith(QStringLiteral("Nombre del método")))
            QCOMPARE(t.y, bloque ? 4700 : 3600);
}

// A limit of exactly zero makes the product zero: the levels differ.
void TstPaginas::limiteCero()
{
    JuegoResultados juego = resultadosDe(true);
    juego.resultados[Ranura::liminf12] = 0.0;
    juego.resultados[Ranura::limsup12] = 3.0;
    juego.resultados[Ranura::liminf13] = -2.0;
    juego.resultados[Ranura::limsup13] = 0.0;
    juego.resultados[Ranura::liminf23] = -2.0;
    juego.resultados[Ranura::limsup23] = 0.5;

    LienzoGrabador lienzo(600, W);
    ImprimeToleranciaLaser(lienzo, estudioDe(3, 3), juego);
    QStringList conclusiones;
    QStringList limites;
    for (const auto &t : unTrabajo(lienzo).textos) {
        if (t.x == 245 * 12 && t.y >= 3300 && t.y <= 3500)
            conclusiones << t.texto;
        if ((t.x == 135 * 12 || t.x == 190 * 12) && t.y >= 3300 && t.y <= 3500)
            limites << t.texto;
    }
    QCOMPARE(conclusiones, (QStringList{"Hay Diferencia entre FAM", "Hay Diferencia entre FAM",
                                        "Sin Diferencia entre FAM "}));
    QCOMPARE(limites, (QStringList{"0", "3", "-2", "0", "-2", "0.5"}));
}

void TstPaginas::famNoEntero_data()
{
    QTest::addColumn<int>("pagina");
    QTest::addColumn<QString>("ultimoTexto");
    QTest::newRow("información láser") << 0 << QStringLiteral("3");
    QTest::newRow("resultados láser") << 1 << QStringLiteral("Variación");
    QTest::newRow("información deskjet") << 2 << QStringLiteral("3");
    QTest::newRow("resultados deskjet") << 3 << QStringLiteral("1019.25");
}

// A FAM count that is not an integer stops the page where it is first
// needed; the job is dropped, not sent, and the canvas takes the next one.
void TstPaginas::famNoEntero()
{
    QFETCH(int, pagina);
    QFETCH(QString, ultimoTexto);

    Estudio estudio = estudioDe(2, 3);
    estudio.econdicion = QStringLiteral("2,5");
    estudio.ereplica = QStringLiteral("3");
    const JuegoResultados juego = resultadosDe(true);
    LienzoGrabador lienzo(600, W);
    const auto imprime = [&](const Estudio &e) {
        switch (pagina) {
        case 0: ImprimeInformacionLaser(lienzo, e); break;
        case 1: ImprimeToleranciaLaser(lienzo, e, juego); break;
        case 2: ImprimeInformacionDeskJet(lienzo, e); break;
        default: ImprimeToleranciaDeskJet(lienzo, e, juego.resultados); break;
        }
    };
    QVERIFY_THROWS_EXCEPTION(ErrorConversion, imprime(estudio));
    QCOMPARE(lienzo.trabajos.size(), 1);
    QVERIFY(lienzo.trabajos[0].abortado);
    QVERIFY(!lienzo.trabajos[0].terminado);
    QCOMPARE(lienzo.trabajos[0].lineas.size(), 1);
    QCOMPARE(lienzo.trabajos[0].textos.last().texto, ultimoTexto);

    imprime(estudioDe(2, 3));
    QCOMPARE(lienzo.trabajos.size(), 2);
    QVERIFY(lienzo.trabajos[1].terminado);
    QCOMPARE(lienzo.fueraDeTrabajo, 0);
}

void TstPaginas::famFueraDeLimites_data()
{
    QTest::addColumn<QString>("condicion");
    QTest::newRow("cero") << QStringLiteral("0");
    QTest::newRow("uno") << QStringLiteral("1");
    QTest::newRow("seis") << QStringLiteral("6");
    QTest::newRow("negativo") << QStringLiteral("-3");
    QTest::newRow("enorme") << QStringLiteral("2147483647");
}

// Counts the capture rules would refuse still give a finished page that
// prints nothing beyond five FAM nor outside the grid.
void TstPaginas::famFueraDeLimites()
{
    QFETCH(QString, condicion);
    Estudio estudio = estudioDe(5, 3);
    estudio.econdicion = condicion;
    JuegoResultados juego = resultadosDe(true);

    LienzoGrabador lienzo(600, W);
    ImprimeInformacionLaser(lienzo, estudio);
    ImprimeToleranciaLaser(lienzo, estudio, juego);
    ImprimeInformacionDeskJet(lienzo, estudio);
    ImprimeToleranciaDeskJet(lienzo, estudio, juego.resultados);
    QCOMPARE(lienzo.trabajos.size(), 4);
    for (const auto &trabajo : lienzo.trabajos) {
        QVERIFY(trabajo.terminado);
        for (const auto &t : trabajo.textos) {
            // No sixth FAM line (laser 50 C, ink-jet label) and no grid column 6.
            QVERIFY(!(t.x == 50 * 12 && t.texto == u"6"));
            QVERIFY(t.texto != u"     6");
            QVERIFY(t.x != (45 + 46 * 6) * 12 && t.x != (2 + 26 * 6) * 12);
            QVERIFY(t.y < 6100);
        }
    }
}

// Empty fields print their label alone; empty cells print nothing.
void TstPaginas::camposVacios()
{
    Estudio estudio = estudioDe(2, 2);
    estudio.etole.clear();
    estudio.efecha.clear();
    estudio.stgdatos.ponCelda(1, 2, QString());
    LienzoGrabador lienzo(600, W);
    ImprimeInformacionLaser(lienzo, estudio);
    const auto &trabajo = unTrabajo(lienzo);
    QStringList enColumna1;
    for (const auto &t : trabajo.textos) {
        QVERIFY(!t.texto.isEmpty());
        if (t.x == (45 + 46) * 12)
            enColumna1 << t.texto;
    }
    QCOMPARE(enColumna1, (QStringList{"   1", "91.01"}));
    QVERIFY(textosDe(trabajo).contains(clave(540, 1600, 10, "Factores Ajenos al Método (FAM): ")));
    QVERIFY(textosDe(trabajo).contains(clave(540, 1900, 10, "Fecha: ")));
}

int PruebaPaginas(int argc, char **argv)
{
    TstPaginas prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "tst_paginas.moc"
