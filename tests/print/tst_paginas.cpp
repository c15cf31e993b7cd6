// The printed pages on a recording canvas: every text and rule at its
// place, for both layouts, every FAM count and both kinds of result.
#include "LienzoGrabador.h"

#include "core/motor/Errores.h"

#include <QTest>
#include <limits>

namespace {

// An odd printable width, so that centring has a half pixel to drop.
constexpr int W = 4801;

// A text at (c C, l L).
struct Fila { int c, l; const char *texto; };

// The pair order: lower and higher FAM and the record slot of the pair's
// lower limit (the upper one follows it); the pair 1–2 gets limits of its own.
const int pares[10][3] = {{1, 2, 0}, {1, 3, 25}, {2, 3, 29}, {1, 4, 27}, {2, 4, 31},
                          {3, 4, 33}, {1, 5, 38}, {2, 5, 40}, {3, 5, 42}, {4, 5, 44}};

QString clave(int x, int y, int puntos, const QString &texto)
{
    return QStringLiteral("y=%1 x=%2 %3pt «%4»").arg(y).arg(x).arg(puntos).arg(texto);
}

// What a page should show, in the units of the page (L, C = 12 pixels) and
// the font size in force; the constructor puts the layout's header.
struct Esperado
{
    Esperado(bool laser, int renglon = 100) : L(renglon)
    {
        const QStringList titulos = laser ? QStringList{"Dorvanta", "Control de Calidad", "Tolerancia del Método",
                                                        "Factores Ajenos al Método"}
                                          : QStringList{"Velmora", "Control de Calidad", "TOLERANCIA DEL MÉTODO",
                                                        "FACTORES AJENOS AL MÉTODO"};
        for (int i = 0; i < 4; ++i)
            centrado((laser ? 4 : 5) + i, titulos[i]);
        puntos = laser ? 10 : 11;
    }
    void t(int c, int l, const QString &texto) { textos << clave(c * 12, l * L, puntos, texto); }
    void filas(std::initializer_list<Fila> filas)
    {
        for (const Fila &f : filas)
            t(f.c, f.l, QString::fromUtf8(f.texto));
    }
    void centrado(int l, const QString &s) { textos << clave((W - LienzoGrabador::anchoDe(s, puntos)) / 2, l * L, puntos, s); }
    void derecha(int l, const QString &s) { textos << clave(W - LienzoGrabador::anchoDe(s, puntos), l * L, puntos, s); }

    int L;
    int puntos = 12;
    QStringList textos;
};

// Missing and unexpected texts and wrong rules, one per line; empty when
// the canvas holds exactly one finished job as expected.
QString diferencias(const LienzoGrabador &lienzo, const Esperado &e, const QList<int> &reglas)
{
    if (lienzo.trabajos.size() != 1 || !lienzo.trabajos[0].terminado || lienzo.fueraDeTrabajo != 0)
        return QStringLiteral("no es un único trabajo terminado");
    QString informe;
    QStringList sobran;
    for (const auto &t : lienzo.trabajos[0].textos)
        sobran << clave(t.x, t.y, t.puntos, t.texto);
    for (const QString &x : e.textos)
        if (!sobran.removeOne(x))
            informe += QStringLiteral("falta   ") + x + u'\n';
    for (const QString &s : sobran)
        informe += QStringLiteral("sobra   ") + s + u'\n';
    QList<int> ys;
    for (const auto &l : lienzo.trabajos[0].lineas)
        ys << (l.x1 == 0 && l.x2 == W && l.y1 == l.y2 ? l.y1 : -1);
    if (ys != reglas)
        informe += QStringLiteral("reglas distintas\n");
    return informe;
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

QString ranura(int s)
{
    return QString::number(1000 + s) + QStringLiteral(".25");
}

// Every slot s holds 1000 + s + 0.25 and the arrays values of their own,
// so each printed number tells where it came from. The pair 1–2 straddles
// zero; every other pair lies above it.
JuegoResultados resultadosDe(double pfcal)
{
    JuegoResultados juego;
    for (int s = 0; s < 48; ++s)
        juego.resultados[s] = 1000 + s + 0.25;
    juego.resultados[Ranura::pfcal] = pfcal;
    juego.resultados[Ranura::liminf12] = -1.5;
    juego.resultados[Ranura::limsup12] = 2.5;
    for (std::size_t i = 1; i <= 10; ++i) {
        juego.promedios[i] = 200 + i + 0.5;
        juego.desviaciones[i] = 300 + i + 0.5;
        juego.coeficientes[i] = 400 + i + 0.5;
    }
    return juego;
}

} // namespace

class TstPaginas : public QObject
{
    Q_OBJECT

private slots:
    void resultados_data();
    void resultados();
    void informacion_data();
    void informacion();
    void sinIntervalos_data();
    void sinIntervalos();
    void limiteCero();
    void famNoEntero_data();
    void famNoEntero();
    void famFueraDeLimites_data();
    void famFueraDeLimites();
    void caracteresDeControl();
};

void TstPaginas::resultados_data()
{
    QTest::addColumn<bool>("laser");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("intervalos");
    QTest::addColumn<int>("totales");
    QTest::addColumn<int>("metodo");
    QTest::addColumn<QList<int>>("reglas");
    // The line of the totals, of the method and the rules' y.
    const QList<int> laser{820, 6000};
    for (bool con : {true, false}) {
        const char *s = con ? "con" : "sin";
        QTest::addRow("láser k=2 %s", s) << true << 600 << 2 << con << 27 << 50 << laser;
        QTest::addRow("láser k=3 %s", s) << true << 600 << 3 << con << 28 << 50 << laser;
        QTest::addRow("láser k=4 %s", s) << true << 600 << 4 << con << 29 << 50 << laser;
        QTest::addRow("láser k=5 %s", s) << true << 600 << 5 << con << 30 << 50 << laser;
    }
    QTest::newRow("láser k=3 300 dpi") << true << 300 << 3 << true << 28 << 50 << QList<int>{420, 3000};
    QTest::newRow("deskjet k=2 con") << false << 600 << 2 << true << 28 << 34 << QList<int>{920, 4300};
    QTest::newRow("deskjet k=3 con") << false << 600 << 3 << true << 28 << 38 << QList<int>{920, 4700};
    QTest::newRow("deskjet k=4 con") << false << 600 << 4 << true << 30 << 43 << QList<int>{920, 5200};
    QTest::newRow("deskjet k=5 con") << false << 600 << 5 << true << 30 << 47 << QList<int>{920, 5600};
    QTest::newRow("deskjet k=2 sin") << false << 600 << 2 << false << 28 << 34 << QList<int>{920, 4300};
    QTest::newRow("deskjet k=3 sin") << false << 600 << 3 << false << 28 << 34 << QList<int>{920, 4300};
    QTest::newRow("deskjet k=4 sin") << false << 600 << 4 << false << 30 << 36 << QList<int>{920, 4500};
    QTest::newRow("deskjet k=5 sin") << false << 600 << 5 << false << 30 << 36 << QList<int>{920, 4500};
}

void TstPaginas::resultados()
{
    QFETCH(bool, laser);
    QFETCH(int, dpi);
    QFETCH(int, k);
    QFETCH(bool, intervalos);
    QFETCH(int, totales);
    QFETCH(int, metodo);
    QFETCH(QList<int>, reglas);

    LienzoGrabador lienzo(dpi, W);
    ImprimePagina(laser ? 1 : 3, lienzo, estudioDe(k, 4), resultadosDe(intervalos ? 0.01 : 0.5));
    const QString pf = intervalos ? QStringLiteral("0.01") : QStringLiteral("0.5");

    Esperado e(laser, dpi / 6); // 12 points at the canvas's resolution
    // Columns of the pair lines.
    std::array<int, 5> cPares;
    if (laser) {
        e.centrado(11, QStringLiteral("Resultados"));
        e.centrado(12, QStringLiteral("Análisis de la Varianza"));
        e.filas({{45, 13, "Fuente"}, {90, 13, "Grados"}, {135, 13, "Suma"}, {190, 13, "Media"},
                 {46, 14, "de"}, {91, 14, "de"}, {136, 14, "de"}, {191, 14, "de"}, {245, 14, "Fcal"}, {280, 14, "PFcal"},
                 {45, 15, "Variación"}, {90, 15, "Libertad"}, {135, 15, "Cuadrados"}, {190, 15, "Cuadrados"},
                 {45, 17, "FAM"}, {93, 17, "1000.25"}, {138, 17, "1002.25"}, {193, 17, "1004.25"}, {245, 17, "1006.25"},
                 {45, 18, "Error de"}, {93, 18, "1001.25"}, {138, 18, "1003.25"}, {193, 18, "1005.25"}, {45, 19, "Método"},
                 {135, 22, "Desviación"}, {190, 22, "Coeficiente"}, {245, 22, "Criterio de"},
                 {45, 23, "FAM"}, {90, 23, "Promedio"}, {135, 23, "Estándar"}, {190, 23, "de"}, {245, 23, "Aceptación"},
                 {190, 24, "Variación"}, {45, totales, "Totales"},
                 {93, totales, "1012.25"}, {138, totales, "1017.25"}, {193, totales, "1022.25"},
                 {45, 49, "Factores Ajenos al Método (FAM): Equipo de disolución"},
                 {45, 50, "Nombre del método: Valoración por UV"}, {45, 51, "Nombre del Analista: Q.F.B. Núñez"},
                 {45, 53, "Número de Muestras (Replicaciones): 4"}, {45, 54, "Fecha: 06/12/2026"},
                 {45, 57, "Realizó:_______________________"}, {225, 57, "Revisó:_______________________"}});
        e.t(280, 17, pf);
        e.t(45, 52, QStringLiteral("Número de FAM: %1").arg(k));
        e.derecha(59, QStringLiteral("QUORIX v. w 3.1"));
        if (intervalos)
            e.filas({{45, totales + 4, "FAM"}, {90, totales + 4, "FAM"}, {140, totales + 4, "L.I.C."},
                     {195, totales + 4, "L.S.C."}, {245, totales + 4, "Conclusión"}});
        // The per-FAM lines come from the arrays, not from the record's slots.
        for (int i = 1; i <= k; ++i) {
            e.t(50, 24 + i, QString::number(i));
            e.t(90, 24 + i, QStringLiteral("%1.5").arg(200 + i));
            e.t(135, 24 + i, QStringLiteral("%1.5").arg(300 + i));
            e.t(190, 24 + i, QStringLiteral("%1.5").arg(400 + i));
        }
        cPares = {50, 95, 135, 190, 245};
    } else {
        e.centrado(9, QStringLiteral("TOLERANCIA"));
        e.centrado(11, QStringLiteral("ANÁLISIS DE LA VARIANZA"));
        e.filas({{2, 12, "FUENTE"}, {25, 12, "GRADOS"}, {50, 12, "SUMA"}, {80, 12, "MEDIA"},
                 {3, 13, "DE"}, {26, 13, "DE"}, {51, 13, "DE"}, {81, 13, "DE"}, {110, 13, "Fcal"}, {135, 13, "PFcal"},
                 {1, 14, "VARIACIÓN"}, {25, 14, "LIBERTAD"}, {50, 14, "CUADRADOS"}, {80, 14, "CUADRADOS"},
                 {1, 16, "FAM"}, {27, 16, "1000.25"}, {52, 16, "1002.25"}, {81, 16, "1004.25"}, {112, 16, "1006.25"},
                 {1, 17, "ERROR DE"}, {27, 17, "1001.25"}, {52, 17, "1003.25"}, {81, 17, "1005.25"}, {1, 18, "MÉTODO"},
                 {2, 22, "FAM"}, {25, 22, "PROMEDIO"}, {60, 22, "DESVIACIÓN"}, {95, 22, "COEFICIENTE"},
                 {62, 23, "ESTÁNDAR"}, {96, 23, "DE"}, {95, 24, "VARIACIÓN"}, {2, totales, "TOTALES"},
                 {27, totales, "1012.25"}, {62, totales, "1017.25"}, {96, totales, "1022.25"},
                 {2, metodo, "Nombre del método: Valoración por UV"},
                 {2, metodo + 2, "Nombre del Analista: Q.F.B. Núñez"}, {2, metodo + 4, "Fecha: 06/12/2026"}});
        e.t(137, 16, pf);
        e.derecha(reglas[1] / 100 - 1, QStringLiteral("QUORIX v. w 3.0"));
        if (intervalos)
            e.filas({{2, totales + 4, "FAM"}, {25, totales + 4, "FAM"}, {50, totales + 4, "L.I.C."},
                     {75, totales + 4, "L.S.C."}, {100, totales + 4, "CONCLUSIÓN"}});
        // The per-FAM lines come from the record: mean, deviation and
        // coefficient slots of FAM 1..4, then 35..37 for FAM 5.
        const int ranurasFam[6][3] = {{}, {8, 13, 18}, {9, 14, 19}, {10, 15, 20}, {11, 16, 21}, {35, 36, 37}};
        for (int i = 1; i <= k; ++i) {
            e.t(2, 24 + i, QStringLiteral("     ") + QString::number(i));
            e.t(27, 24 + i, ranura(ranurasFam[i][0]));
            e.t(62, 24 + i, ranura(ranurasFam[i][1]));
            e.t(96, 24 + i, ranura(ranurasFam[i][2]));
        }
        cPares = {4, 27, 50, 75, 100};
    }
    for (int p = 0; intervalos && p < k * (k - 1) / 2; ++p) {
        const int y = totales + 5 + p;
        e.t(cPares[0], y, QString::number(pares[p][0]));
        e.t(cPares[1], y, QString::number(pares[p][1]));
        e.t(cPares[2], y, p == 0 ? QStringLiteral("-1.5") : ranura(pares[p][2]));
        e.t(cPares[3], y, p == 0 ? QStringLiteral("2.5") : ranura(pares[p][2] + 1));
        e.t(cPares[4], y, p == 0 ? QStringLiteral("Sin Diferencia entre FAM ") : QStringLiteral("Hay Diferencia entre FAM"));
    }
    const QString d = diferencias(lienzo, e, reglas);
    QVERIFY2(d.isEmpty(), qPrintable(d));
    // The units come from the 12-point "ARIAL" header font; on 600 dpi L is
    // 100 pixels, C 12. "Dorvanta", 8 characters of 60 pixels, is centred at
    // (4801 - 480) / 2, the half pixel dropped.
    QCOMPARE(lienzo.fuente, QStringLiteral("ARIAL"));
    if (laser && dpi == 600) {
        QCOMPARE(lienzo.trabajos[0].textoEn(2160, 400), QStringLiteral("Dorvanta"));
        QCOMPARE(lienzo.trabajos[0].textoEn(2700, 5700), QStringLiteral("Revisó:_______________________"));
    }
}

void TstPaginas::informacion_data()
{
    QTest::addColumn<bool>("laser");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("pie");
    QTest::newRow("láser k=2 n=2") << true << 2 << 2 << 58;
    QTest::newRow("láser k=5 n=10") << true << 5 << 10 << 58;
    // Ink-jet: the footer five lines below the last grid line.
    QTest::newRow("deskjet k=3 n=4") << false << 3 << 4 << 34;
    QTest::newRow("deskjet k=2 n=10") << false << 2 << 10 << 40;
}

void TstPaginas::informacion()
{
    QFETCH(bool, laser);
    QFETCH(int, k);
    QFETCH(int, n);
    QFETCH(int, pie);
    Estudio estudio = estudioDe(k, n);
    // Typed texts are printed as they stand, trailing zero included.
    estudio.stgdatos.ponCelda(k, n, QStringLiteral("98.50"));
    LienzoGrabador lienzo(600, W);
    ImprimePagina(laser ? 0 : 2, lienzo, estudio, {});

    Esperado e(laser);
    e.centrado(laser ? 14 : 10, laser ? QStringLiteral("Información General") : QStringLiteral("INFORMACIÓN GENERAL"));
    const int x0 = laser ? 45 : 2, dx = laser ? 46 : 26, y0 = laser ? 27 : 25;
    const int lineas[8] = {16, 17, 18, 19, 21, 22, 24, 25}, lineasDeskJet[8] = {13, 14, 16, 18, 20, 21, 22, 23};
    const QStringList informacion{"Factores Ajenos al Método (FAM): Equipo de disolución",
                                  "Nombre del método: Valoración por UV", "Nombre del Analista: Q.F.B. Núñez",
                                  "Fecha: 06/12/2026", "Número de FAM:", QString::number(k),
                                  "Número de Muestras (Replicaciones):", QString::number(n)};
    for (int i = 0; i < 8; ++i)
        e.t(x0, laser ? lineas[i] : lineasDeskJet[i], informacion[i]);
    e.t(x0, y0, QStringLiteral(" FAM"));
    for (int i = 1; i <= k; ++i)
        e.t(x0 + dx * i, y0, QStringLiteral("   ") + QString::number(i));
    for (int j = 1; j <= n; ++j) {
        e.t(x0, y0 + j, QStringLiteral("Muestra ") + QString::number(j));
        for (int i = 1; i <= k; ++i)
            e.t(x0 + dx * i, y0 + j, i == k && j == n ? QStringLiteral("98.50")
                                                      : QStringLiteral("%1.%2").arg(90 + i).arg(j, 2, 10, QChar(u'0')));
    }
    if (laser)
        e.filas({{45, 56, "Realizó:_______________________"}, {225, 56, "Revisó:_______________________"}});
    e.derecha(pie, QStringLiteral("QUORIX v. w 3.1"));
    const QString d = diferencias(lienzo, e, {laser ? 820 : 920, (pie + 1) * 100});
    QVERIFY2(d.isEmpty(), qPrintable(d));
}

void TstPaginas::sinIntervalos_data()
{
    QTest::addColumn<double>("pfcal");
    QTest::addColumn<int>("conclusiones");
    QTest::newRow("0.05 exacto") << 0.05 << 0;
    QTest::newRow("mayor") << 0.0500001 << 0;
    QTest::newRow("no es un número") << std::numeric_limits<double>::quiet_NaN() << 0;
    QTest::newRow("apenas menor") << 0.0499999 << 10;
}

// The interval block is printed only for pfcal strictly below 0.05.
void TstPaginas::sinIntervalos()
{
    QFETCH(double, pfcal);
    QFETCH(int, conclusiones);
    for (int pagina : {1, 3}) {
        LienzoGrabador lienzo(600, W);
        ImprimePagina(pagina, lienzo, estudioDe(5, 3), resultadosDe(pfcal));
        QCOMPARE(lienzo.trabajos.first().veces("Diferencia entre FAM"), conclusiones);
    }
}

// A limit of exactly zero makes the product zero: the levels differ.
void TstPaginas::limiteCero()
{
    JuegoResultados juego = resultadosDe(0.01);
    juego.resultados[Ranura::liminf12] = 0.0;
    juego.resultados[Ranura::limsup12] = 3.0;
    juego.resultados[Ranura::liminf13] = -2.0;
    juego.resultados[Ranura::limsup13] = 0.0;
    juego.resultados[Ranura::liminf23] = -2.0;
    juego.resultados[Ranura::limsup23] = 0.5;
    LienzoGrabador lienzo(600, W);
    ImprimeToleranciaLaser(lienzo, estudioDe(3, 3), juego);
    QStringList lineas;
    for (const auto &t : lienzo.trabajos.first().textos)
        if (t.x >= 135 * 12 && t.y >= 3300 && t.y <= 3500)
            lineas << t.texto;
    QCOMPARE(lineas, (QStringList{"0", "3", "Hay Diferencia entre FAM", "-2", "0", "Hay Diferencia entre FAM",
                                  "-2", "0.5", "Sin Diferencia entre FAM "}));
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
    LienzoGrabador lienzo(600, W);
    QVERIFY_THROWS_EXCEPTION(ErrorConversion, ImprimePagina(pagina, lienzo, estudio, resultadosDe(0.01)));
    QCOMPARE(lienzo.trabajos.size(), 1);
    QVERIFY(lienzo.trabajos[0].abortado && !lienzo.trabajos[0].terminado);
    QCOMPARE(lienzo.trabajos[0].textos.last().texto, ultimoTexto);

    ImprimePagina(pagina, lienzo, estudioDe(2, 3), resultadosDe(0.01));
    QCOMPARE(lienzo.trabajos.size(), 2);
    QVERIFY(lienzo.trabajos[1].terminado);
    QCOMPARE(lienzo.fueraDeTrabajo, 0);
}

void TstPaginas::famFueraDeLimites_data()
{
    QTest::addColumn<QString>("condicion");
    for (const char *k : {"0", "1", "6", "-3", "2147483647"})
        QTest::newRow(k) << QString::fromLatin1(k);
}

// Counts the capture rules would refuse still give a finished page that
// prints nothing beyond five FAM nor outside the grid.
void TstPaginas::famFueraDeLimites()
{
    QFETCH(QString, condicion);
    Estudio estudio = estudioDe(5, 3);
    estudio.econdicion = condicion;
    LienzoGrabador lienzo(600, W);
    for (int pagina = 0; pagina < 4; ++pagina)
        ImprimePagina(pagina, lienzo, estudio, resultadosDe(0.01));
    QCOMPARE(lienzo.trabajos.size(), 4);
    for (const auto &trabajo : lienzo.trabajos) {
        QVERIFY(trabajo.terminado);
        // No sixth FAM line (laser 50 C, ink-jet label), no grid column 6, nothing below the page.
        for (const auto &t : trabajo.textos)
            QVERIFY(!(t.x == 50 * 12 && t.texto == u"6") && t.texto != u"     6" && t.x != (45 + 46 * 6) * 12
                    && t.x != (2 + 26 * 6) * 12 && t.y < 6100);
    }
}

// Control characters typed or read into a field or cell print as blanks on
// every page, and a text is measured as it is drawn.
void TstPaginas::caracteresDeControl()
{
    Estudio estudio = estudioDe(3, 3);
    estudio.etole = QStringLiteral("Columna\nC18");
    estudio.emetodo = QStringLiteral("a\u0081b\u008Dc");
    estudio.eanalista = QStringLiteral("d\u008Fe\u0090f\u009Dg");
    estudio.efecha = QStringLiteral("1\r2\t3");
    estudio.stgdatos.ponCelda(0, 2, QStringLiteral("Muestra\u00852"));
    LienzoGrabador lienzo(600, W);
    for (int pagina = 0; pagina < 4; ++pagina)
        ImprimePagina(pagina, lienzo, estudio, resultadosDe(0.01));
    for (const auto &trabajo : lienzo.trabajos) {
        for (const auto &t : trabajo.textos)
            for (const QChar c : t.texto)
                QVERIFY2(c.category() != QChar::Other_Control, qPrintable(t.texto));
    }
    const auto &informacion = lienzo.trabajos.first();
    for (const char *texto : {"Factores Ajenos al Método (FAM): Columna C18", "Nombre del método: a b c",
                              "Nombre del Analista: d e f g", "Fecha: 1 2 3", "Muestra 2"})
        QVERIFY2(informacion.veces(QString::fromUtf8(texto)) == 1, texto);
}

int PruebaPaginas(int argc, char **argv)
{
    TstPaginas prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "tst_paginas.moc"
