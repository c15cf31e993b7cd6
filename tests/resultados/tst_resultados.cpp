#include "Ayudas.h"
#include "DialogosFalsos.h"

#include "core/comandos/EstadoComandos.h"
#include "core/informe/TablasResultado.h"
#include "core/motor/Pares.h"
#include "gui/Ayuda.h"
#include "gui/RejillaResultado.h"
#include "gui/VentanaDunnett.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/resultados/casos/");
// k = 2, n = 2, built so that the lower limit of pair 1-2 is exactly 0:
// mcerror is 1, so the half-width is the t value 4.3027 itself, and the
// difference of the means 5.3027 - 1 is that same double.
const Valores limiteCero = {{"5.3027", "5.3027"}, {"0", "2"}};

// The main window of the test running.
VentanaPrincipal *ventanaPrincipal = nullptr;
VentanaEstudio *documento() { return ventanaPrincipal->documento(); }

QAction *accion(const QString &nombre) { return ventanaPrincipal->findChild<QAction *>(nombre); }
void ejecuta(const char *nombre) { accion(QString::fromLatin1(nombre))->trigger(); }

bool habilitado(const QString &nombre) { return ::habilitado(ventanaPrincipal, nombre); }

// The study commands enabled at this moment, in the table's order.
QStringList habilitados()
{
    QStringList lista;
    for (const Comando comando : ComandosDeEstudio())
        if (comando != Comando::DunnettDeRejilla && habilitado(NombreComando(comando)))
            lista << NombreComando(comando);
    return lista;
}

QList<QMdiSubWindow *> ventanas() { return ventanaPrincipal->marco()->subWindowList(); }
QMdiSubWindow *marco(QWidget *ventana) { return qobject_cast<QMdiSubWindow *>(ventana->parentWidget()); }

// The result windows with `nombre` (finfoA, finfoB, frminforme), oldest first.
QList<QWidget *> resultados(const char *nombre)
{
    QList<QWidget *> lista;
    for (QMdiSubWindow *v : ventanas())
        if (v->widget() && v->widget()->objectName() == QLatin1String(nombre))
            lista << v->widget();
    return lista;
}

QWidget *resultado(const char *nombre) { return resultados(nombre).value(0); }

void tecleaEstudio(const Valores &valores) { ::tecleaEstudio(ventanaPrincipal, valores); }

// Types `texto` over cell (FAM i, sample j) of the document's grid.
void cambiaCelda(int i, int j, const QString &texto)
{
    auto *rejilla = hijo<QTableWidget>(documento(), u"stgdatos"_s);
    const QRect rect = rejilla->visualRect(rejilla->model()->index(j - 1, i - 1));
    QTest::mouseClick(rejilla->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(rejilla->currentRow(), j - 1);
    QCOMPARE(rejilla->currentColumn(), i - 1);
    auto *editor = hijo<QLineEdit>(documento(), u"editorstgdatos"_s);
    editor->selectAll();
    QTest::keyClicks(editor, texto);
}

// The lines of section [seccion] of casos/`archivo` (those before any
// section for none), fields split by '|'; notes start with '#'.
Valores filasDe(const QString &archivo, const QString &seccion = {})
{
    Valores filas;
    QString actual;
    for (const QString &linea : QString::fromUtf8(contenido(casos + archivo)).split(u'\n', Qt::SkipEmptyParts)) {
        if (linea.startsWith(u'['))
            actual = linea.mid(1, linea.size() - 2);
        else if (actual == seccion && !linea.startsWith(u'#'))
            filas << linea.split(u'|');
    }
    return filas;
}

// Every cell of a result grid against its section of casos/rejillas.txt;
// rows after those given must be empty.
void compruebaFilas(QWidget *ventana, const QString &nombre, const QString &seccion)
{
    const Valores filas = filasDe(u"rejillas.txt"_s, seccion);
    QVERIFY2(!filas.isEmpty(), qPrintable(seccion));
    auto *rejilla = hijo<RejillaResultado>(ventana, nombre);
    for (int f = 0; f < rejilla->rowCount(); ++f)
        for (int c = 0; c < rejilla->columnCount(); ++c)
            QCOMPARE(rejilla->celda(c, f), filas.value(f).value(c));
}

QString pfcalDe(QWidget *ventana) { return hijo<RejillaResultado>(ventana, u"stganova"_s)->celda(5, 3); }

} // namespace

// The "&Cálculos" commands driven through the main window's real menu on a
// study typed into, or opened in, the document window.
class TstResultados : public QObject
{
    Q_OBJECT

    DialogosFalsos *dialogos = nullptr;

private slots:
    void init()
    {
        dialogos = new DialogosFalsos;
        Dialogos::instala(dialogos);
        ventanaPrincipal = new VentanaPrincipal;
        ventanaPrincipal->show();
        ventanaPrincipal->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ventanaPrincipal));
    }

    void cleanup()
    {
        delete ventanaPrincipal;
        Dialogos::instala(nullptr);
        delete dialogos;
    }

    // The worked example's three grids, cell by cell, and Tab in them.
    void ventanasDeResultados()
    {
        tecleaEstudio(ejemploTrabajado);
        QVERIFY(!habilitado(u"mnuconclu"_s));
        ejecuta("mnuanova");
        ejecuta("mnuconclu");
        QCOMPARE(dialogos->mensajes, QStringList());

        QWidget *a = resultado("finfoA");
        QWidget *b = resultado("finfoB");
        QVERIFY(a && b);
        QCOMPARE(marco(a)->windowTitle(), u"Análisis de la varianza"_s);
        QCOMPARE(marco(b)->windowTitle(), u"Intervalo de Confianza"_s);
        for (const QString &nombre : {u"stganova"_s, u"stgeqpo"_s})
            compruebaFilas(a, nombre, u"ejemplo "_s + nombre);
        compruebaFilas(b, u"stgconclu"_s, u"ejemplo stgconclu"_s);

        // Each grid: a key in its bottom-right cell, then Tab leaves it (even
        // from the cell above) and Tab between cells is back for the next visit.
        const QList<QPair<QWidget *, QString>> rejillas = {
            {a, u"stganova"_s}, {a, u"stgeqpo"_s}, {b, u"stgconclu"_s}};
        for (const auto &[ventana, nombre] : rejillas) {
            ventanaPrincipal->marco()->setActiveSubWindow(marco(ventana));
            auto *rejilla = hijo<RejillaResultado>(ventana, nombre);
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
        auto *rejillaIntervalos = hijo<RejillaResultado>(b, u"stgconclu"_s);
        QCOMPARE(rejillaIntervalos->currentRow(), 0);
        QCOMPARE(rejillaIntervalos->currentColumn(), 4);

        // A key in the study's bottom-right cell withdraws the interval.
        cambiaCelda(3, 4, u"99.7"_s);
        QVERIFY(!habilitado(u"mnuconclu"_s));
        ejecuta("mnuconclu");
        QCOMPARE(resultados("finfoB").size(), 1);
    }

    void probabilidadAltaRetiraIntervalo()
    {
        tecleaEstudio(ejemploTrabajado);
        ejecuta("mnuanova");
        QWidget *primera = resultado("finfoA");

        // FAM 2 made equal to FAM 1; the bottom-right cell is not touched.
        for (int j = 1; j <= 4; ++j)
            cambiaCelda(2, j, ejemploTrabajado[0][j - 1]);
        QVERIFY(habilitado(u"mnuconclu"_s));
        ejecuta("mnuanova");
        QCOMPARE(dialogos->mensajes, QStringList());
        QVERIFY(!habilitado(u"mnuconclu"_s));

        // A new window for the new figures; the first keeps its own.
        const auto anova = resultados("finfoA");
        QCOMPARE(anova.size(), 2);
        QCOMPARE(anova[0], primera);
        QCOMPARE(pfcalDe(anova[1]), u"0.96863"_s);
        QCOMPARE(pfcalDe(primera), u"0.00547427"_s);
    }

    // The command, the change made to the limiteCero study and the message
    // of casos/errores.txt.
    void errores_data()
    {
        QTest::addColumn<QStringList>("caso");
        for (const QStringList &caso : filasDe(u"errores.txt"_s))
            QTest::newRow(qPrintable(caso[0])) << caso;
    }

    // An error opens no window; a calculation error leaves the commands as
    // they were.
    void errores()
    {
        QFETCH(QStringList, caso);
        const QString cambio = caso[2];
        tecleaEstudio(limiteCero);
        ejecuta("mnuanova");
        const QStringList estado = habilitados();
        const auto abiertas = ventanas().size();
        if (cambio == u"6 FAM") {
            hijo<QLineEdit>(documento(), u"econdicion"_s)->setFocus();
            reemplaza(u"6"_s);
        } else {
            cambiaCelda(2, 1, cambio);
        }
        dialogos->mensajes.clear();
        accion(caso[1])->trigger();
        QCOMPARE(dialogos->mensajes, QStringList{caso[3]});
        QCOMPARE(ventanas().size(), abiertas);
        if (cambio == u"2")
            QCOMPARE(habilitados(), estado);
    }

    // The plot window: what a screen reader is told, saving and printing.
    void grafica()
    {
        tecleaEstudio(ejemploTrabajado);
        ventanaPrincipal->findChild<QAbstractButton *>(u"spdgrafica"_s)->click();
        QWidget *ventana = resultado("VentanaGrafica");
        QVERIFY(ventana);
        QCOMPARE(marco(ventana)->windowTitle(), u"Gráfica"_s);
        auto *lienzo = hijo<QWidget>(ventana, u"lienzografica"_s);
        QAccessibleInterface *accesible = QAccessible::queryAccessibleInterface(lienzo);
        QCOMPARE(accesible->text(QAccessible::Name), u"Gráfica del estudio"_s);
        // The description's wording is the plot's own test; here, the typed study reached it.
        const QString descripcion = accesible->text(QAccessible::Description);
        QVERIFY2(descripcion.contains(u"FAM 2: valores de 100.6 a 101.3; promedio 100.95"_s), qPrintable(descripcion));

        // The plot grows with its window.
        const QSize antes = lienzo->size();
        marco(ventana)->resize(marco(ventana)->size() + QSize(200, 150));
        QTRY_COMPARE(lienzo->size(), antes + QSize(200, 150));

        QTemporaryDir dir;
        dialogos->grafica = dir.filePath(u"grafica.png"_s);
        hijo<QPushButton>(ventana, u"btnguardargrafica"_s)->click();
        QCOMPARE(dialogos->mensajes, QStringList());
        QCOMPARE(QImage(dialogos->grafica).size(), QSize(1200, 800));

        // A failed save says why, like the study's.
        dialogos->grafica = dir.filePath(u"tubo.png"_s);
        QCOMPARE(mkfifo(qPrintable(dialogos->grafica), 0600), 0);
        hijo<QPushButton>(ventana, u"btnimprimirgrafica"_s)->click();  // cancelled: nothing
        QCOMPARE(dialogos->dialogosImpresion, 1);
        hijo<QPushButton>(ventana, u"btnguardargrafica"_s)->click();
        QCOMPARE(dialogos->mensajes, QStringList{u"No se puede guardar en «%1»: no es un archivo normal."_s.arg(dialogos->grafica)});

        dialogos->pdf = dir.filePath(u"impresion.pdf"_s);
        dialogos->aceptaImpresion = true;
        hijo<QPushButton>(ventana, u"btnimprimirgrafica"_s)->click();
        QProcess pdfinfo;
        pdfinfo.start(u"pdfinfo"_s, {dialogos->pdf});
        QVERIFY(pdfinfo.waitForFinished());
        QVERIFY(QString::fromUtf8(pdfinfo.readAllStandardOutput()).contains(QRegularExpression(u"Pages:\\s+1\\n"_s)));
    }

    void informe_data()
    {
        // A study and its expected report, beside the report tests or here.
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("mensaje");
        const QString informes = QStringLiteral(TOLERANCIA_FUENTES "/tests/informe/casos/");
        QTest::newRow("con intervalos") << informes + u"k2-intervalos"_s << QString();
        QTest::newRow("sin intervalos") << informes + u"k3-sin-intervalos"_s << QString();
        // Every FAM's values equal. The report has no message of its own: the
        // error's text, and its window keeps the general information only.
        QTest::newRow("error de cálculo") << casos + u"iguales"_s << u"Floating point division by zero"_s;
    }

    // The window holds the opened study's report as the report tests expect it.
    void informe()
    {
        QFETCH(QString, caso);
        QFETCH(QString, mensaje);
        ventanaPrincipal->abreArchivo(caso + u".w1e"_s);
        hijo<QPushButton>(documento(), u"boton1"_s)->click();
        ejecuta("mnuinforme");
        QCOMPARE(dialogos->mensajes, mensaje.isEmpty() ? QStringList() : QStringList{mensaje});
        const auto informes = resultados("frminforme");
        QCOMPARE(informes.size(), 1);
        QCOMPARE(marco(informes[0])->windowTitle(), u"Informe"_s);
        auto *memo = hijo<QPlainTextEdit>(informes[0], u"mminforme"_s);
        QVERIFY(memo->isReadOnly());
        const QString texto = memo->toPlainText() + u'\n';
        QCOMPARE(texto.split(u'\n'), QString::fromUtf8(contenido(caso + u".txt"_s)).split(u'\n'));
    }

    // The report is read by keyboard: the keys that move through a text
    // scroll it, Shift or Ctrl alone do nothing, any other key closes it.
    void informePorTeclado()
    {
        ventanaPrincipal->abreArchivo(QStringLiteral(TOLERANCIA_FUENTES "/tests/informe/casos/k2-intervalos.w1e"));
        hijo<QPushButton>(documento(), u"boton1"_s)->click();
        ejecuta("mnuinforme");
        QWidget *informe = resultado("frminforme");
        auto *memo = hijo<QPlainTextEdit>(informe, u"mminforme"_s);
        QScrollBar *barra = memo->verticalScrollBar();
        QVERIFY(barra->maximum() > barra->pageStep());
        const QList<std::pair<Qt::Key, std::function<bool(int)>>> pasos{
            {Qt::Key_Down, [](int v) { return v == 1; }},
            {Qt::Key_Up, [](int v) { return v == 0; }},
            {Qt::Key_PageDown, [barra](int v) { return v == barra->pageStep(); }},
            {Qt::Key_PageUp, [](int v) { return v == 0; }},
            {Qt::Key_End, [barra](int v) { return v == barra->maximum(); }},
            {Qt::Key_Home, [](int v) { return v == 0; }},
            {Qt::Key_Right, [](int v) { return v == 0; }},
            {Qt::Key_Left, [](int v) { return v == 0; }},
            {Qt::Key_Shift, [](int v) { return v == 0; }},
            {Qt::Key_Control, [](int v) { return v == 0; }},
        };
        for (const auto &[tecla, posicion] : pasos) {
            QTest::keyClick(memo, tecla);
            QVERIFY2(resultado("frminforme"), qPrintable(QKeySequence(tecla).toString()));
            QVERIFY2(posicion(barra->value()), qPrintable(QKeySequence(tecla).toString()));
        }
        QTest::keyClick(memo, Qt::Key_Space);
        QTRY_VERIFY(!resultado("frminforme"));
    }

    void cierreDeVentanas_data()
    {
        // The order in which the document (D), the analysis (A), the
        // interval (B) and the report (I) windows close: every one.
        QTest::addColumn<QString>("orden");
        QString orden = u"ABDI"_s;
        do
            QTest::newRow(qPrintable(orden)) << orden;
        while (std::next_permutation(orden.begin(), orden.end()));
    }

    // While the document window is open no result window is the last one:
    // closing one changes nothing. Once it is closed, the commands are set
    // as with a study so that the last-window rule shows: closing the last
    // result window gives the state without a study.
    void cierreDeVentanas()
    {
        QFETCH(QString, orden);
        tecleaEstudio(ejemploTrabajado);
        ejecuta("mnuanova");
        ejecuta("mnuconclu");
        ejecuta("mnuinforme");
        QStringList esperado = habilitados();
        QVERIFY(esperado.contains(u"mnuclose"_s));
        QVERIFY(!esperado.contains(u"FileNewItem"_s));

        QStringList sinEstudio;
        int paso = 0;
        for (const QChar letra : orden) {
            QWidget *ventana = letra == u'D'   ? static_cast<QWidget *>(documento())
                               : letra == u'A' ? resultado("finfoA")
                               : letra == u'B' ? resultado("finfoB")
                                               : resultado("frminforme");
            QVERIFY(ventana);
            // Each way of closing in turn: the frame, the popup's "Cerrar"
            // (the document has none), "C&errar" on the active window. The
            // report has no popup: a right click or a key closes it.
            const int medio = paso++ % 3;
            auto *cerrar = ventana->findChild<QAction *>(u"Cerrar1"_s);
            if (letra == u'I' && medio < 2) {
                auto *memo = hijo<QPlainTextEdit>(ventana, u"mminforme"_s);
                if (medio == 0)
                    QTest::mouseClick(memo->viewport(), Qt::RightButton, {}, QPoint(20, 20));
                else
                    QTest::keyClick(memo, Qt::Key_X);
            } else if (medio == 1 && cerrar) {
                cerrar->trigger();
            } else if (medio == 2 && habilitado(u"mnuclose"_s)) {
                ventanaPrincipal->marco()->setActiveSubWindow(marco(ventana));
                ejecuta("mnuclose");
            } else {
                marco(ventana)->close();
            }
            QTRY_COMPARE(ventanas().size(), 4 - paso);
            if (letra == u'D') {
                QVERIFY(!documento());
                sinEstudio = esperado = habilitados();
                QVERIFY(sinEstudio.contains(u"FileNewItem"_s));
                QVERIFY(!sinEstudio.contains(u"mnuclose"_s));
                if (paso < 4) {
                    ventanaPrincipal->aplicaEvento(Evento::nuevo);
                    esperado = habilitados();
                    QVERIFY(esperado != sinEstudio);
                }
            } else if (paso == 4) {
                esperado = sinEstudio;
            }
            QCOMPARE(habilitados(), esperado);
        }
        QCOMPARE(dialogos->mensajes, QStringList());
    }

    // Row 11, the last pair's (4-5), has its texts in lower case.
    void ultimaFilaEnMinusculas()
    {
        ResultadosAnova r;
        for (const ParFam &par : OrdenPares)
            r.pares.append({par.menor, par.mayor, CifraDeDoble(0.5), CifraDeDoble(0.75), true});
        QCOMPARE(TablaConclusiones(r, u'.').celda(4, 11), u"hay Diferencia entre FAM "_s);
    }

    // "&t de Dunnett" and the checks of the analysis on the worked example,
    // each window kept as it was opened when the study changes: Dunnett's
    // with FAM 1 as control, then FAM 2, from its own copy of the study.
    void dunnettYSupuestos()
    {
        tecleaEstudio(ejemploTrabajado);
        ejecuta("pmnudunet");
        ejecuta("mnusupuestos");
        QCOMPARE(dialogos->mensajes, QStringList());
        QWidget *v = resultado("VentanaDunnett");
        QWidget *s = resultado("VentanaSupuestos");
        QVERIFY(v && s);
        QCOMPARE(marco(v)->windowTitle(), u"t de Dunnett"_s);
        QCOMPARE(marco(s)->windowTitle(), u"Supuestos del análisis"_s);
        auto *control = hijo<QComboBox>(v, u"cbcontrol"_s);
        QCOMPARE(control->accessibleName(), u"FAM de control"_s);
        QCOMPARE(hijo<RejillaResultado>(v, u"stgdunnett"_s)->accessibleName(), u"t de Dunnett"_s);
        compruebaFilas(v, u"stgpromedios"_s, u"ejemplo stgpromedios"_s);
        compruebaFilas(v, u"stgdunnett"_s, u"dunnett control 1"_s);
        auto *texto = hijo<QPlainTextEdit>(s, u"textoSupuestos"_s);
        QCOMPARE(texto->accessibleName(), u"Supuestos del análisis"_s);
        QVERIFY(texto->isReadOnly());
        const QString antes = texto->toPlainText();
        QVERIFY2(antes.split(u'\n').contains(u"C = 0.634921 (FAM 1)"_s), qPrintable(antes));

        cambiaCelda(1, 1, u"90"_s);
        control->setCurrentIndex(1);
        compruebaFilas(v, u"stgdunnett"_s, u"dunnett control 2"_s);
        control->setCurrentIndex(0);
        compruebaFilas(v, u"stgdunnett"_s, u"dunnett control 1"_s);
        QCOMPARE(texto->toPlainText(), antes);
        QCOMPARE(dialogos->mensajes, QStringList());
        QCOMPARE(NumeroAyudaDeItem(accion(u"pmnudunet"_s)), 13);
        QCOMPARE(NumeroAyudaDeItem(accion(u"mnusupuestos"_s)), 14);
    }

    // What a screen reader finds in each result grid, walked through the
    // accessibility interface: a table of the data cells alone, each named
    // by its text as shown (an empty one "vacía") and headed by the real
    // headings of its row and column; moving the cursor tells which cell.
    void tablasLeidas()
    {
        tecleaEstudio(ejemploTrabajado);
        ejecuta("mnuanova");
        ejecuta("mnuconclu");
        ejecuta("pmnudunet");
        QCOMPARE(dialogos->mensajes, QStringList());
        // Each grid with its fixed columns and rows.
        const QList<std::tuple<const char *, QString, int, int>> rejillas{
            {"finfoA", u"stganova"_s, 1, 3}, {"finfoA", u"stgeqpo"_s, 1, 2}, {"finfoB", u"stgconclu"_s, 2, 2},
            {"VentanaDunnett", u"stgpromedios"_s, 1, 1}, {"VentanaDunnett", u"stgdunnett"_s, 1, 1}};
        for (const auto &[ventana, nombre, columnasFijas, filasFijas] : rejillas) {
            const Valores esperado = filasDe(u"accesibles.txt"_s, nombre);
            QVERIFY2(!esperado.isEmpty(), qPrintable(nombre));
            auto *rejilla = hijo<RejillaResultado>(resultado(ventana), nombre);
            QAccessibleInterface *tabla = QAccessible::queryAccessibleInterface(rejilla);
            QCOMPARE(tabla->role(), QAccessible::Table);
            QAccessibleTableInterface *celdas = tabla->tableInterface();
            QVERIFY(celdas);
            const QStringList columnas = esperado[0].mid(1);
            QCOMPARE(celdas->columnCount(), columnas.size());
            QCOMPARE(celdas->rowCount(), esperado.size() - 1);
            QCOMPARE(tabla->childCount(), (celdas->rowCount() + 1) * (celdas->columnCount() + 1));
            QCOMPARE(tabla->child(0)->text(QAccessible::Name), esperado[0][0]);
            for (int f = 0; f < celdas->rowCount(); ++f) {
                QCOMPARE(celdas->rowDescription(f), esperado[f + 1][0]);
                for (int c = 0; c < celdas->columnCount(); ++c) {
                    QAccessibleInterface *celda = celdas->cellAt(f, c);
                    const QString texto = rejilla->celda(columnasFijas + c, filasFijas + f).simplified();
                    QCOMPARE(celda->text(QAccessible::Name), texto.isEmpty() ? u"vacía"_s : texto);
                    QCOMPARE(celda->role(), QAccessible::Cell);
                    QCOMPARE(celda->parent(), tabla);
                    QCOMPARE(tabla->indexOfChild(celda), (f + 1) * (columnas.size() + 1) + c + 1);
                    QAccessibleTableCellInterface *lugar = celda->tableCellInterface();
                    QCOMPARE(lugar->columnHeaderCells().value(0)->text(QAccessible::Name), columnas[c]);
                    QCOMPARE(lugar->rowHeaderCells().value(0)->text(QAccessible::Name), esperado[f + 1][0]);
                    QCOMPARE(lugar->rowHeaderCells().value(0)->role(), QAccessible::RowHeader);
                }
            }
        }

        // The cursor moved in the interval grid: the focused cell is the
        // reader's, with its headings.
        auto *rejillaIntervalos = hijo<RejillaResultado>(resultado("finfoB"), u"stgconclu"_s);
        ventanaPrincipal->marco()->setActiveSubWindow(marco(resultado("finfoB")));
        rejillaIntervalos->setFocus();
        rejillaIntervalos->setCurrentCell(2, 4);
        QTest::keyClick(rejillaIntervalos, Qt::Key_Down);
        QAccessibleInterface *tabla = QAccessible::queryAccessibleInterface(rejillaIntervalos);
        QStringList enfocadas;
        for (int i = 0; i < tabla->childCount(); ++i) {
            QAccessibleInterface *celda = tabla->child(i);
            if (celda->state().focused)
                enfocadas << celda->tableCellInterface()->rowHeaderCells().value(0)->text(QAccessible::Name) + u'|'
                                 + celda->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name)
                                 + u'|' + celda->text(QAccessible::Name);
        }
        QCOMPARE(enfocadas, QStringList{u"FAM 1, FAM 3|CONCLUSIÓN|Sin Diferencia entre FAM"_s});
    }

    // The grid menu's comparison with a control and the assumptions need an
    // accepted study, as "Análisis de la varianza" does: through the real
    // actions, in every state a user passes, they are usable exactly when
    // it is.
    void sigueAlAnalisis()
    {
        QStringList estados;  // "momento: anova"
        const auto compara = [&](const QString &momento) {
            const bool anova = habilitado(u"mnuanova"_s);
            QVERIFY2(habilitado(u"mnusupuestos"_s) == anova, qPrintable(momento));
            // The grid menu is the study window's: it exists while the window does.
            if (documento())
                QVERIFY2(habilitado(u"pmnudunet"_s) == anova, qPrintable(momento));
            estados << momento + (anova ? u": sí"_s : u": no"_s);
        };
        compara(u"inicio"_s);
        ejecuta("FileNewItem");
        compara(u"nuevo"_s);
        ejecuta("mnuclose");
        compara(u"cerrado"_s);
        tecleaEstudio(ejemploTrabajado);
        compara(u"aceptado"_s);
        ejecuta("mnuanova");
        compara(u"calculado"_s);
        cambiaCelda(3, 4, u"99.7"_s);
        compara(u"cambiado"_s);
        ventanaPrincipal->marco()->closeAllSubWindows();
        compara(u"sin ventanas"_s);
        QCOMPARE(estados, QStringList({u"inicio: no"_s, u"nuevo: no"_s, u"cerrado: no"_s, u"aceptado: sí"_s,
                                       u"calculado: sí"_s, u"cambiado: sí"_s, u"sin ventanas: no"_s}));
    }
};

QTEST_MAIN(TstResultados)
#include "tst_resultados.moc"
