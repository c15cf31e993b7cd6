#include "capture/Fdatos.h"
#include "results/RejillaResultado.h"
#include "results/Tablas.h"
#include "shell/Dialogos.h"
#include "shell/EstadoComandos.h"
#include "shell/Main.h"
#include "stats/Pares.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <cmath>
#include <limits>

// Answers every dialog: records the messages, says No to the close question.
class FalsosDialogos : public Dialogos
{
public:
    QStringList mensajes;

    void mensaje(const QString &texto) override { mensajes << texto; }
    bool pregunta(const QString &, const QString &) override { return false; }
    QString abreArchivo(QWidget *) override { return {}; }
    QString guardaArchivo(QWidget *, const QString &) override { return {}; }
    bool imprime(QPrinter *, QWidget *) override { return false; }
};

// The "&Cálculos" commands driven through the main window's real menu on a
// study typed into the document window, and the conclusion rule of the
// confidence-interval grid on values no study produces.
class TstResultados : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void ejemploResuelto();
    void dosFam();
    void cincoFam();
    void probabilidadAltaRetiraIntervalo();
    void teclaEnUltimaCeldaRetiraIntervalo();
    void errorDeCalculo();
    void celdaNoNumerica();
    void informeConIntervalos();
    void informeSinIntervalos();
    void cierreDeVentanas();
    void informeSeCierraConTeclaOClic();
    void tabEnRejillasDeResultados();
    void conclusionesYFormatoDeLimites();
    void umbralDeSignificancia();

private:
    TMainForm *principal = nullptr;
    FalsosDialogos *dialogos = nullptr;
};

namespace {

const QString errorCalculo =
    QStringLiteral("Existió un error de cálculo, verificar valores de captura.");

// Values of a study, FAM by FAM.
using Valores = QList<QStringList>;

// The worked example: k = 3, n = 4.
const Valores ejemplo = {{"99.2", "100.1", "99.8", "100.5"},
                         {"100.9", "101.3", "100.6", "101.0"},
                         {"99.5", "99.9", "100.2", "99.7"}};

// k = 2, n = 2, built so that the lower limit of pair 1-2 is exactly 0:
// mcerror is 1, so the half-width is the t value 4.3027 itself, and the
// difference of the means 5.3027 - 1 is that same double.
const Valores limiteCero = {{"5.3027", "5.3027"}, {"0", "2"}};

// k = 3, n = 3, all means close together: pfcal 0.967801.
const Valores sinEfecto = {{"99.8", "100.4", "100.1"},
                           {"100.2", "99.7", "100.3"},
                           {"100.0", "100.5", "99.9"}};

QAction *accion(const QString &nombre)
{
    return MainForm->findChild<QAction *>(nombre);
}

bool habilitado(const QString &nombre)
{
    if (QAction *a = accion(nombre))
        return a->isEnabled();
    return MainForm->findChild<QAbstractButton *>(nombre)->isEnabled();
}

// The study commands enabled at this moment, in the table's order.
QStringList habilitados()
{
    QStringList lista;
    const QStringList todos = ComandosDeEstudio();
    for (const QString &nombre : todos)
        if (nombre != QLatin1String("pmnudunet") && habilitado(nombre))
            lista << nombre;
    return lista;
}

template<typename T> T *hijo(QObject *padre, const QString &nombre)
{
    T *w = padre->findChild<T *>(nombre);
    if (!w)
        qFatal("no component %s", qPrintable(nombre));
    return w;
}

QList<QMdiSubWindow *> ventanas()
{
    return MainForm->mdiArea()->subWindowList();
}

// The result windows with `nombre` (finfoA, finfoB, frminforme), oldest first.
QList<QWidget *> resultados(const QString &nombre)
{
    QList<QWidget *> lista;
    const auto hijas = ventanas();
    for (QMdiSubWindow *v : hijas)
        if (v->widget() && v->widget()->objectName() == nombre)
            lista << v->widget();
    return lista;
}

QMdiSubWindow *marco(QWidget *ventana)
{
    return qobject_cast<QMdiSubWindow *>(ventana->parentWidget());
}

QStringList lineasInforme(QWidget *ventana)
{
    return hijo<QPlainTextEdit>(ventana, QStringLiteral("mminforme"))
        ->toPlainText()
        .split(u'\n');
}

void escribeCampo(const QString &nombre, const QString &texto)
{
    auto *campo = hijo<QLineEdit>(Finforma, nombre);
    campo->setFocus(Qt::TabFocusReason);
    campo->selectAll();
    QTest::keyClicks(campo, texto);
}

// "&Nuevo", then the study typed as a user would: general information,
// counts (each left by Tab), the accept button, the cells row by row with
// Tab between them, Tab out of the grid and "&OK".
void tecleaEstudio(const Valores &valores)
{
    accion(QStringLiteral("FileNewItem"))->trigger();
    QVERIFY(Finforma);
    escribeCampo(QStringLiteral("etole"), QStringLiteral("Equipo HPLC"));
    escribeCampo(QStringLiteral("emetodo"), QStringLiteral("Valoracion"));
    escribeCampo(QStringLiteral("eanalista"), QStringLiteral("Ana"));
    escribeCampo(QStringLiteral("efecha"), QStringLiteral("06/12/2026"));

    const int k = static_cast<int>(valores.size());
    const int n = static_cast<int>(valores.front().size());
    escribeCampo(QStringLiteral("econdicion"), QString::number(k));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto *ereplica = hijo<QLineEdit>(Finforma, QStringLiteral("ereplica"));
    QVERIFY(ereplica->hasFocus());
    ereplica->selectAll();
    QTest::keyClicks(ereplica, QString::number(n));
    QTest::keyClick(ereplica, Qt::Key_Tab);
    auto *botonok = hijo<QPushButton>(Finforma, QStringLiteral("botonok"));
    QVERIFY(botonok->hasFocus());
    QTest::keyClick(botonok, Qt::Key_Space);
    QTest::keyClick(botonok, Qt::Key_Tab);

    auto *editor = hijo<QLineEdit>(Finforma, QStringLiteral("editorstgdatos"));
    QVERIFY(editor->hasFocus());
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < k; ++i) {
            QTest::keyClicks(editor, valores[i][j]);
            QTest::keyClick(editor, Qt::Key_Tab);
        }
    }
    auto *boton1 = hijo<QPushButton>(Finforma, QStringLiteral("boton1"));
    QVERIFY(boton1->hasFocus());
    QTest::keyClick(boton1, Qt::Key_Space);
    QVERIFY(accion(QStringLiteral("mnucalculos"))->isEnabled());
}

// Types `texto` over cell (FAM i, sample j) of the document's grid.
void cambiaCelda(int i, int j, const QString &texto)
{
    auto *stgdatos = hijo<QTableWidget>(Finforma, QStringLiteral("stgdatos"));
    const QRect rect = stgdatos->visualRect(stgdatos->model()->index(j - 1, i - 1));
    QTest::mouseClick(stgdatos->viewport(), Qt::LeftButton, {}, rect.center());
    auto *editor = hijo<QLineEdit>(Finforma, QStringLiteral("editorstgdatos"));
    QCOMPARE(stgdatos->currentRow(), j - 1);
    QCOMPARE(stgdatos->currentColumn(), i - 1);
    editor->selectAll();
    QTest::keyClicks(editor, texto);
}

// The rows of a result grid from `desde` on, cell by cell; the rows after
// those given must be empty.
void compruebaFilas(QWidget *ventana, const QString &nombre, int desde,
                    const QList<QStringList> &filas)
{
    auto *rejilla = hijo<TRejillaResultado>(ventana, nombre);
    for (int f = desde; f < rejilla->rowCount(); ++f)
        for (int c = 0; c < rejilla->columnCount(); ++c)
            QCOMPARE(rejilla->celda(c, f), filas.value(f - desde).value(c));
}

} // namespace

void TstResultados::init()
{
    dialogos = new FalsosDialogos;
    Dialogos::instala(dialogos);
    principal = new TMainForm;
    principal->show();
    principal->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(principal));
}

void TstResultados::cleanup()
{
    delete principal;
    principal = nullptr;
    Dialogos::instala(nullptr);
    delete dialogos;
    dialogos = nullptr;
}

void TstResultados::ejemploResuelto()
{
    tecleaEstudio(ejemplo);
    QVERIFY(!habilitado(QStringLiteral("mnuconclu")));
    accion(QStringLiteral("mnuanova"))->trigger();
    QCOMPARE(dialogos->mensajes, QStringList());
    QVERIFY(habilitado(QStringLiteral("mnuconclu")));

    QWidget *a = resultados(QStringLiteral("finfoA")).value(0);
    QVERIFY(a);
    QCOMPARE(marco(a)->windowTitle(), QStringLiteral("Análisis de la varianza"));
    compruebaFilas(a, QStringLiteral("stganova"), 0,
                   {{"         FUENTE", "    GRADOS", "      SUMA", "     MEDIA", "", ""},
                    {"             DE", "        DE", "        DE", "        DE", "      Fcal",
                     "      PFcal"},
                    {"      VARIACIÓN", "  LIBERTAD", " CUADRADOS", " CUADRADOS", "", ""},
                    {"FAM", "2", "3.165", "1.5825", "10.0476", "0.00547427"},
                    {"ERROR DE MÉTODO", "9", "1.4175", "0.1575", "", ""}});
    compruebaFilas(a, QStringLiteral("stgeqpo"), 0,
                   {{"         FAM", "   PROMEDIO", "  DESVIACIÓN", " COEFICIENTE"},
                    {"", "   ARITMÉTICO", "    ESTÁNDAR", "DE VARIACIÓN"},
                    {"             1", "99.9", "0.547723", "0.548271"},
                    {"             2", "100.95", "0.288675", "0.285959"},
                    {"             3", "99.825", "0.298608", "0.299131"},
                    {"          TOTAL", "100.225", "0.645439", "0.64399"}});
    auto *stganova = hijo<TRejillaResultado>(a, QStringLiteral("stganova"));
    QCOMPARE(stganova->columnWidth(0), 175);
    QCOMPARE(stganova->columnWidth(5), 140);
    QCOMPARE(hijo<TRejillaResultado>(a, QStringLiteral("stgeqpo"))->columnWidth(0), 170);

    accion(QStringLiteral("mnuconclu"))->trigger();
    QWidget *b = resultados(QStringLiteral("finfoB")).value(0);
    QVERIFY(b);
    QCOMPARE(marco(b)->windowTitle(), QStringLiteral("Intervalo de Confianza"));
    compruebaFilas(b, QStringLiteral("stgconclu"), 0,
                   {{"FAM", "FAM", "     LÍMITE", "     LÍMITE", " CONCLUSIÓN"},
                    {"", "", "   INFERIOR", "   SUPERIOR", ""},
                    {"    1", "    2", "-1.68483", "-0.415172", "Hay Diferencia entre FAM "},
                    {"    1", "    3", "-0.559828", "0.709828", "Sin Diferencia entre FAM "},
                    {"    2", "    3", "0.490172", "1.75983", "Hay Diferencia entre FAM "}});
    auto *stgconclu = hijo<TRejillaResultado>(b, QStringLiteral("stgconclu"));
    QCOMPARE(stgconclu->columnWidth(1), 70);
    QCOMPARE(stgconclu->columnWidth(2), 100);
    QCOMPARE(stgconclu->columnWidth(4), 250);

    // Every use opens one more window with the same figures.
    accion(QStringLiteral("mnuanova"))->trigger();
    QWidget *otra = resultados(QStringLiteral("finfoA")).value(1);
    QVERIFY(otra);
    compruebaFilas(otra, QStringLiteral("stganova"), 3,
                   {{"FAM", "2", "3.165", "1.5825", "10.0476", "0.00547427"},
                    {"ERROR DE MÉTODO", "9", "1.4175", "0.1575", "", ""}});
    QCOMPARE(dialogos->mensajes, QStringList());
}

void TstResultados::dosFam()
{
    tecleaEstudio(limiteCero);
    accion(QStringLiteral("mnuanova"))->trigger();
    QCOMPARE(dialogos->mensajes, QStringList());
    QWidget *a = resultados(QStringLiteral("finfoA")).value(0);
    QVERIFY(a);
    compruebaFilas(a, QStringLiteral("stganova"), 3,
                   {{"FAM", "1", "18.5132", "18.5132", "18.5132", "0.0473623"},
                    {"ERROR DE MÉTODO", "2", "2", "1", "", ""}});
    compruebaFilas(a, QStringLiteral("stgeqpo"), 2,
                   {{"             1", "5.3027", "0", "0"},
                    {"             2", "1", "1.41421", "141.421"},
                    {"          TOTAL", "3.15135", "2.61491", "82.9774"}});
    QVERIFY(habilitado(QStringLiteral("mnuconclu")));

    accion(QStringLiteral("mnuconclu"))->trigger();
    QWidget *b = resultados(QStringLiteral("finfoB")).value(0);
    QVERIFY(b);
    // A lower limit of exactly 0 is a difference.
    compruebaFilas(b, QStringLiteral("stgconclu"), 2,
                   {{"    1", "    2", "0", "8.6054", "Hay Diferencia entre FAM "}});
}

void TstResultados::cincoFam()
{
    tecleaEstudio({{"10.1", "10.3", "10.2"},
                   {"10.9", "11.1", "11.0"},
                   {"10.0", "10.2", "10.1"},
                   {"10.2", "10.4", "10.3"},
                   {"10.3", "10.1", "10.2"}});
    accion(QStringLiteral("mnuanova"))->trigger();
    QCOMPARE(dialogos->mensajes, QStringList());
    QWidget *a = resultados(QStringLiteral("finfoA")).value(0);
    QVERIFY(a);
    compruebaFilas(a, QStringLiteral("stganova"), 3,
                   {{"FAM", "4", "1.596", "0.399", "39.9", "4.21191E-5"},
                    {"ERROR DE MÉTODO", "10", "0.1", "0.01", "", ""}});
    // The totals fill the last row.
    compruebaFilas(a, QStringLiteral("stgeqpo"), 2,
                   {{"             1", "10.2", "0.1", "0.980392"},
                    {"             2", "11", "0.1", "0.909091"},
                    {"             3", "10.1", "0.1", "0.990099"},
                    {"             4", "10.3", "0.1", "0.970874"},
                    {"             5", "10.2", "0.1", "0.980392"},
                    {"          TOTAL", "10.36", "0.348056", "3.35961"}});

    accion(QStringLiteral("mnuconclu"))->trigger();
    QWidget *b = resultados(QStringLiteral("finfoB")).value(0);
    QVERIFY(b);
    const QString hay = QStringLiteral("Hay Diferencia entre FAM ");
    const QString sin = QStringLiteral("Sin Diferencia entre FAM ");
    compruebaFilas(b, QStringLiteral("stgconclu"), 2,
                   {{"    1", "    2", "-0.981924", "-0.618076", hay},
                    {"    1", "    3", "-0.0819236", "0.281924", sin},
                    {"    2", "    3", "0.718076", "1.08192", hay},
                    {"    1", "    4", "-0.281924", "0.0819236", sin},
                    {"    2", "    4", "0.518076", "0.881924", hay},
                    {"    3", "    4", "-0.381924", "-0.0180764", hay},
                    {"    1", "    5", "-0.181924", "0.181924", sin},
                    {"    2", "    5", "0.618076", "0.981924", hay},
                    {"    3", "    5", "-0.281924", "0.0819236", sin},
                    {"    4", "    5", "-0.0819236", "0.281924", "sin Diferencia entre FAM "}});
}

void TstResultados::probabilidadAltaRetiraIntervalo()
{
    tecleaEstudio(ejemplo);
    accion(QStringLiteral("mnuanova"))->trigger();
    QVERIFY(habilitado(QStringLiteral("mnuconclu")));
    QWidget *primera = resultados(QStringLiteral("finfoA")).value(0);

    // FAM 2 made equal to FAM 1; the bottom-right cell is not touched.
    const QStringList fam1 = ejemplo[0];
    for (int j = 1; j <= 4; ++j)
        cambiaCelda(2, j, fam1[j - 1]);
    QVERIFY(habilitado(QStringLiteral("mnuconclu")));
    accion(QStringLiteral("mnuanova"))->trigger();
    QCOMPARE(dialogos->mensajes, QStringList());
    QVERIFY(!habilitado(QStringLiteral("mnuconclu")));

    const auto anova = resultados(QStringLiteral("finfoA"));
    QCOMPARE(anova.size(), 2);
    compruebaFilas(anova[1], QStringLiteral("stganova"), 3,
                   {{"FAM", "2", "0.015", "0.0075", "0.0326481", "0.96863"},
                    {"ERROR DE MÉTODO", "9", "2.0675", "0.229722", "", ""}});
    compruebaFilas(anova[1], QStringLiteral("stgeqpo"), 2,
                   {{"             1", "99.9", "0.547723", "0.548271"},
                    {"             2", "99.9", "0.547723", "0.548271"},
                    {"             3", "99.825", "0.298608", "0.299131"},
                    {"          TOTAL", "99.875", "0.435107", "0.435652"}});
    // The first window is a snapshot of the first calculation.
    QCOMPARE(anova[0], primera);
    compruebaFilas(primera, QStringLiteral("stganova"), 3,
                   {{"FAM", "2", "3.165", "1.5825", "10.0476", "0.00547427"},
                    {"ERROR DE MÉTODO", "9", "1.4175", "0.1575", "", ""}});
}

void TstResultados::teclaEnUltimaCeldaRetiraIntervalo()
{
    tecleaEstudio(ejemplo);
    accion(QStringLiteral("mnuanova"))->trigger();
    QVERIFY(habilitado(QStringLiteral("mnuconclu")));
    cambiaCelda(3, 4, QStringLiteral("99.7"));
    QVERIFY(!habilitado(QStringLiteral("mnuconclu")));
    accion(QStringLiteral("mnuconclu"))->trigger();
    QVERIFY(resultados(QStringLiteral("finfoB")).isEmpty());
}

void TstResultados::errorDeCalculo()
{
    tecleaEstudio(limiteCero);
    accion(QStringLiteral("mnuanova"))->trigger();
    QVERIFY(habilitado(QStringLiteral("mnuconclu")));
    const int abiertas = static_cast<int>(ventanas().size());

    // Every FAM's values equal: mcerror is 0 and F divides by it.
    cambiaCelda(2, 1, QStringLiteral("2"));
    accion(QStringLiteral("mnuanova"))->trigger();
    QCOMPARE(dialogos->mensajes, QStringList{errorCalculo});
    QCOMPARE(ventanas().size(), abiertas);
    QVERIFY(habilitado(QStringLiteral("mnuconclu")));

    dialogos->mensajes.clear();
    accion(QStringLiteral("mnuconclu"))->trigger();
    QCOMPARE(dialogos->mensajes, QStringList{errorCalculo});
    QCOMPARE(ventanas().size(), abiertas);

    // The report has no message of its own: the error's text, and its
    // window stays with the general information only.
    dialogos->mensajes.clear();
    accion(QStringLiteral("mnuinforme"))->trigger();
    QCOMPARE(dialogos->mensajes, QStringList{QStringLiteral("Floating point division by zero")});
    const auto informes = resultados(QStringLiteral("frminforme"));
    QCOMPARE(informes.size(), 1);
    QCOMPARE(lineasInforme(informes[0]),
             (QStringList{"TOLERANCIA DEL MÉTODO", "FAM: Equipo HPLC",
                          "Nombre del método: Valoracion",
                          "Nombre del Analista: Ana", "Fecha: 06/12/2026", "Número de FAM:", "2",
                          "Número de Muestras (Replicaciones):", "2"}));
}

void TstResultados::celdaNoNumerica()
{
    tecleaEstudio(ejemplo);
    // Typed, and the command chosen before the grid is left.
    cambiaCelda(1, 2, QStringLiteral("1x"));
    const int abiertas = static_cast<int>(ventanas().size());
    accion(QStringLiteral("mnuanova"))->trigger();
    QCOMPARE(dialogos->mensajes,
             QStringList{QStringLiteral("'1x' is not a valid floating point value")});
    QCOMPARE(ventanas().size(), abiertas);

    // A failed validation stops the command silently after its own message.
    escribeCampo(QStringLiteral("econdicion"), QStringLiteral("6"));
    dialogos->mensajes.clear();
    accion(QStringLiteral("mnuanova"))->trigger();
    accion(QStringLiteral("mnuinforme"))->trigger();
    QCOMPARE(dialogos->mensajes, (QStringList{QStringLiteral("Datos fuera de límite, 2-5 FAM."),
                                              QStringLiteral("Datos fuera de límite, 2-5 FAM.")}));
    QCOMPARE(ventanas().size(), abiertas);
}

void TstResultados::informeConIntervalos()
{
    tecleaEstudio(limiteCero);
    accion(QStringLiteral("mnuinforme"))->trigger();
    QCOMPARE(dialogos->mensajes, QStringList());
    QWidget *informe = resultados(QStringLiteral("frminforme")).value(0);
    QVERIFY(informe);
    QCOMPARE(marco(informe)->windowTitle(), QStringLiteral("Informe"));
    const QStringList lineas = lineasInforme(informe);
    QCOMPARE(lineas.size(), 49);
    QCOMPARE(lineas.mid(0, 12),
             (QStringList{"TOLERANCIA DEL MÉTODO", "FAM: Equipo HPLC",
                          "Nombre del método: Valoracion",
                          "Nombre del Analista: Ana", "Fecha: 06/12/2026", "Número de FAM:", "2",
                          "Número de Muestras (Replicaciones):", "2",
                          " FAM                1                   2",
                          "Muestra 1         5.3027           0",
                          "Muestra 2         5.3027           2"}));
    QCOMPARE(lineas.value(20), QStringLiteral("Pfcal = 0.0473623"));
    QCOMPARE(lineas.mid(41),
             (QStringList{" ", " ", "INTERVALO DE CONFIANZA", " ", "FAM 1 Vs FAM 2",
                          "Límite Inferior de Confianza = 0",
                          "Límite Superior de Confianza = 8.6054",
                          "Conclusión = Hay diferencia entre FAM 1 y 2 "}));
}

void TstResultados::informeSinIntervalos()
{
    tecleaEstudio(sinEfecto);
    accion(QStringLiteral("mnuinforme"))->trigger();
    QCOMPARE(dialogos->mensajes, QStringList());
    QWidget *informe = resultados(QStringLiteral("frminforme")).value(0);
    QVERIFY(informe);
    const QStringList lineas = lineasInforme(informe);
    QVERIFY(!lineas.contains(QStringLiteral("INTERVALO DE CONFIANZA")));
    QCOMPARE(lineas.mid(lineas.size() - 7),
             (QStringList{"Coeficiente de Variación = 0.321027", " ", "TOTAL",
                          "Promedio                        = 100.1",
                          "Desviación Estándar      = 0.273861",
                          "Coeficiente de Variación = 0.273588", " "}));
    QVERIFY(lineas.contains(QStringLiteral("Pfcal = 0.967801")));
    // Cells as typed, joined by runs of 11, 11 and 8 blanks.
    QCOMPARE(lineas.value(9),
             QStringLiteral(" FAM                  1                    2                3"));
    QCOMPARE(lineas.value(12), QStringLiteral("Muestra 3") + QString(11, u' ') + "100.1"
                                   + QString(11, u' ') + "100.3" + QString(8, u' ') + "99.9");
}

void TstResultados::cierreDeVentanas()
{
    tecleaEstudio(ejemplo);
    accion(QStringLiteral("mnuanova"))->trigger();
    accion(QStringLiteral("mnuconclu"))->trigger();
    accion(QStringLiteral("mnuinforme"))->trigger();
    accion(QStringLiteral("mnuanova"))->trigger();
    QCOMPARE(ventanas().size(), 5);
    const QStringList todo = habilitados();
    QVERIFY(todo.contains(QStringLiteral("mnuclose")));
    QVERIFY(!todo.contains(QStringLiteral("FileNewItem")));

    // While the document window is open no result window is the last one:
    // closing them changes nothing, whatever the means.
    QWidget *a1 = resultados(QStringLiteral("finfoA")).value(0);
    marco(a1)->close();
    QCOMPARE(ventanas().size(), 4);
    QCOMPARE(habilitados(), todo);

    QWidget *b = resultados(QStringLiteral("finfoB")).value(0);
    QVERIFY(b);
    hijo<QAction>(b, QStringLiteral("Cerrar1"))->trigger();
    QTRY_COMPARE(ventanas().size(), 3);
    QCOMPARE(habilitados(), todo);

    // "C&errar" on the active result window.
    QWidget *i = resultados(QStringLiteral("frminforme")).value(0);
    MainForm->mdiArea()->setActiveSubWindow(marco(i));
    accion(QStringLiteral("mnuclose"))->trigger();
    QCOMPARE(ventanas().size(), 2);
    QCOMPARE(habilitados(), todo);

    // The document window closes: the state without a study.
    MainForm->mdiArea()->setActiveSubWindow(marco(Finforma));
    accion(QStringLiteral("mnuclose"))->trigger();
    QCOMPARE(ventanas().size(), 1);
    QVERIFY(!Finforma);
    const QStringList sinEstudio = habilitados();
    QVERIFY(sinEstudio.contains(QStringLiteral("FileNewItem")));
    QVERIFY(!sinEstudio.contains(QStringLiteral("mnuclose")));

    // A new study beside the remaining result window, then more results.
    tecleaEstudio(ejemplo);
    accion(QStringLiteral("mnuinforme"))->trigger();
    QCOMPARE(ventanas().size(), 3);
    MainForm->mdiArea()->setActiveSubWindow(marco(Finforma));
    accion(QStringLiteral("mnuclose"))->trigger();
    QCOMPARE(habilitados(), sinEstudio);

    // Two result windows left. The closing commands are set as with a study
    // so that the last-window rule shows when it applies.
    MainForm->aplicaEvento(Evento::nuevo);
    const QStringList marcado = habilitados();
    QVERIFY(marcado != sinEstudio);
    QWidget *a2 = resultados(QStringLiteral("finfoA")).value(0);
    QWidget *i2 = resultados(QStringLiteral("frminforme")).value(0);
    QVERIFY(a2 && i2);
    marco(i2)->close();
    QCOMPARE(ventanas().size(), 1);
    QCOMPARE(habilitados(), marcado);
    hijo<QAction>(a2, QStringLiteral("Cerrar1"))->trigger();
    QTRY_COMPARE(ventanas().size(), 0);
    // Back to the state without a study.
    QCOMPARE(habilitados(), sinEstudio);
}

void TstResultados::informeSeCierraConTeclaOClic()
{
    tecleaEstudio(ejemplo);
    accion(QStringLiteral("mnuinforme"))->trigger();
    accion(QStringLiteral("mnuinforme"))->trigger();
    const auto informes = resultados(QStringLiteral("frminforme"));
    QCOMPARE(informes.size(), 2);

    auto *memo = hijo<QPlainTextEdit>(informes[0], QStringLiteral("mminforme"));
    QVERIFY(memo->isReadOnly());
    QTest::keyClick(memo, Qt::Key_Down);
    QTRY_COMPARE(resultados(QStringLiteral("frminforme")).size(), 1);

    memo = hijo<QPlainTextEdit>(informes[1], QStringLiteral("mminforme"));
    QTest::mouseClick(memo->viewport(), Qt::RightButton, {}, QPoint(20, 20));
    QTRY_COMPARE(resultados(QStringLiteral("frminforme")).size(), 0);
    QCOMPARE(dialogos->mensajes, QStringList());
}

void TstResultados::tabEnRejillasDeResultados()
{
    tecleaEstudio(ejemplo);
    accion(QStringLiteral("mnuanova"))->trigger();
    accion(QStringLiteral("mnuconclu"))->trigger();

    // Each grid: a key in its bottom-right cell, then Tab leaves it (even
    // from the cell above) and Tab between cells is back for the next visit.
    QWidget *a = resultados(QStringLiteral("finfoA")).value(0);
    QWidget *b = resultados(QStringLiteral("finfoB")).value(0);
    const QList<QPair<QWidget *, QString>> rejillas = {
        {a, QStringLiteral("stganova")}, {a, QStringLiteral("stgeqpo")},
        {b, QStringLiteral("stgconclu")}};
    for (const auto &[ventana, nombre] : rejillas) {
        MainForm->mdiArea()->setActiveSubWindow(marco(ventana));
        auto *rejilla = hijo<TRejillaResultado>(ventana, nombre);
        rejilla->setFocus(Qt::MouseFocusReason);
        QVERIFY(rejilla->hasFocus());
        const int ultimaFila = rejilla->rowCount() - 1;
        const int ultimaColumna = rejilla->columnCount() - 1;
        rejilla->setCurrentCell(ultimaFila - 1, ultimaColumna);
        QTest::keyClick(rejilla, Qt::Key_Tab);
        QVERIFY2(rejilla->hasFocus(), qPrintable(nombre));
        rejilla->setCurrentCell(ultimaFila, ultimaColumna);
        QTest::keyClick(rejilla, Qt::Key_Space);
        QTest::keyClick(rejilla, Qt::Key_Up);
        QCOMPARE(rejilla->currentRow(), ultimaFila - 1);
        QTest::keyClick(rejilla, Qt::Key_Tab);
        QVERIFY2(!rejilla->hasFocus(), qPrintable(nombre));
        QVERIFY(rejilla->tabKeyNavigation());
    }
    // Leaving the confidence-interval grid also takes it back to row 0.
    auto *stgconclu = hijo<TRejillaResultado>(b, QStringLiteral("stgconclu"));
    QCOMPARE(stgconclu->currentRow(), 0);
    QCOMPARE(stgconclu->currentColumn(), 4);
}

void TstResultados::conclusionesYFormatoDeLimites()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    AnovaResults r;
    r[Ranura::liminf12] = 0.0;            // exactly 0: a difference
    r[Ranura::limsup12] = 2.50;
    r[Ranura::liminf13] = -0.0123456789;  // straddles 0: none
    r[Ranura::limsup13] = 1234567.0;
    r[Ranura::liminf23] = -3.0;           // both negative: a difference
    r[Ranura::limsup23] = -0.00001;
    r[Ranura::liminf14] = nan;            // not a number: none
    r[Ranura::limsup14] = 1.0;
    r[Ranura::liminf24] = -1.0;
    r[Ranura::limsup24] = 0.0;            // upper exactly 0: a difference
    r[Ranura::liminf45] = 0.5;
    r[Ranura::limsup45] = 0.75;

    Rejilla t = TablaConclusiones(r, 5, u'.');
    const QString hay = QStringLiteral("Hay Diferencia entre FAM ");
    const QString sin = QStringLiteral("Sin Diferencia entre FAM ");
    QCOMPARE(t.celda(2, 2), QStringLiteral("0"));
    QCOMPARE(t.celda(3, 2), QStringLiteral("2.5"));
    QCOMPARE(t.celda(4, 2), hay);
    QCOMPARE(t.celda(2, 3), QStringLiteral("-0.0123457"));
    QCOMPARE(t.celda(3, 3), QStringLiteral("1.23457E6"));
    QCOMPARE(t.celda(4, 3), sin);
    QCOMPARE(t.celda(2, 4), QStringLiteral("-3"));
    QCOMPARE(t.celda(3, 4), QStringLiteral("-1E-5"));
    QCOMPARE(t.celda(4, 4), hay);
    QCOMPARE(t.celda(2, 5), QStringLiteral("NAN"));
    QCOMPARE(t.celda(4, 5), sin);
    QCOMPARE(t.celda(4, 6), hay);
    // Rows 8 to 10 hold zero limits here: a difference, in capitals.
    QCOMPARE(t.celda(4, 10), hay);
    QCOMPARE(t.celda(4, 11), QStringLiteral("hay Diferencia entre FAM "));

    r[Ranura::liminf45] = -0.5;
    t = TablaConclusiones(r, 5, u'.');
    QCOMPARE(t.celda(4, 11), QStringLiteral("sin Diferencia entre FAM "));
    r[Ranura::liminf45] = nan;
    t = TablaConclusiones(r, 5, u'.');
    QCOMPARE(t.celda(4, 11), QStringLiteral("sin Diferencia entre FAM "));
}

void TstResultados::umbralDeSignificancia()
{
    QVERIFY(EsSignificativo(0.00547427));
    QVERIFY(EsSignificativo(std::nextafter(0.05, 0.0)));
    QVERIFY(!EsSignificativo(0.05));
    QVERIFY(!EsSignificativo(0.967801));
    QVERIFY(!EsSignificativo(std::numeric_limits<double>::quiet_NaN()));
}

QTEST_MAIN(TstResultados)
#include "tst_resultados.moc"
