#include "Ayudas.h"
#include "DialogosFalsos.h"

#include "gui/VentanaPrecision.h"
#include "gui/VisorAyuda.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/precision/casos/");
const QString ejemplos = QStringLiteral(TOLERANCIA_FUENTES "/ejemplos/");

// The user's settings of the test run (Qt's test location, never the real one).
QSettings ajustes() { return QSettings(u"tolerancia"_s, u"tolerancia"_s); }

} // namespace

// "Precisión intermedia y equivalencia" driven as a user does, on a virtual
// X server: from the "Cálculos" menu, its fields reached by their labels'
// letters, Enter to calculate, the message of a criterion that does not
// read, the criteria remembered for the next window and the plot's band.
class TstVentanaPrecision : public QObject
{
    Q_OBJECT

    VentanaPrincipal *ventana = nullptr;
    DialogosFalsos *dialogos = nullptr;

    QAction *accion(const QString &nombre) { return hijo<QAction>(ventana, nombre); }

    // The worked example opened and accepted, as "&Abrir..." and "&OK" leave it.
    void abreTrabajado()
    {
        ventana->abreArchivo(ejemplos + u"ejemplo-trabajado.w1e"_s);
        QTest::mouseClick(hijo<QPushButton>(ventana->documento(), u"boton1"_s), Qt::LeftButton);
    }

    QWidget *resultado(const QString &nombre)
    {
        for (QMdiSubWindow *hija : ventana->marco()->subWindowList())
            if (hija->widget() && hija->widget()->objectName() == nombre)
                return hija->widget();
        return nullptr;
    }

    VentanaPrecision *abrePrecision()
    {
        accion(u"PrecisionEquivalencia"_s)->trigger();
        auto *v = qobject_cast<VentanaPrecision *>(resultado(u"VentanaPrecision"_s));
        if (v) {
            ventana->marco()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(v->parentWidget()));
            v->setFocus();
        }
        return v;
    }

    // Closed, and gone from the frame.
    static void cierra(VentanaResultado *v)
    {
        v->cierra();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static QStringList lineas(QWidget *v) { return hijo<QPlainTextEdit>(v, u"textoPrecision"_s)->toPlainText().split(u'\n'); }

    static QString nombreAccesible(QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        ajustes().clear();
        dialogos = new DialogosFalsos;
        Dialogos::instala(dialogos);
        ventana = new VentanaPrincipal;
        ventana->show();
        ventana->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ventana));
    }

    void cleanup()
    {
        delete ventana;
        Dialogos::instala(nullptr);
        delete dialogos;
    }

    // The item is usable with a study accepted, as the analysis is, and
    // not without one; it carries its help topic.
    void estadoDelComando()
    {
        QVERIFY(!habilitado(ventana, u"PrecisionEquivalencia"_s));
        abreTrabajado();
        QVERIFY(habilitado(ventana, u"PrecisionEquivalencia"_s));
        QVERIFY(ventana->alcanzable(accion(u"PrecisionEquivalencia"_s)));
        QCOMPARE(accion(u"PrecisionEquivalencia"_s)->text(), u"&Precisión intermedia y equivalencia..."_s);
        QCOMPARE(ventana->numeroAyuda(accion(u"PrecisionEquivalencia"_s)), 16);
        ventana->documento()->close();
        QVERIFY(!habilitado(ventana, u"PrecisionEquivalencia"_s));
        QCOMPARE(dialogos->mensajes, QStringList());
    }

    // Without a limit the window shows the components; typed criteria give
    // the whole text the R figures were written into; a criterion that
    // does not read is the program's message and leaves the text as it was.
    void criteriosTecleados()
    {
        abreTrabajado();
        VentanaPrecision *v = abrePrecision();
        QVERIFY(v);
        QCOMPARE(qobject_cast<QMdiSubWindow *>(v->parentWidget())->windowTitle(),
                 u"Precisión intermedia y equivalencia"_s);
        QStringList texto = lineas(v);
        // R's figures of the worked example (casos/componentes-r.tsv), to six digits.
        QVERIFY(texto.contains(u"Desviación estándar = 0.716764 (límites del 95 %: 0.467689 a 3.96825)"_s));
        QVERIFY(texto.contains(u"Cota superior unilateral del 95 % de la DER (%) = 2.79263"_s));
        QVERIFY(!texto.contains(u"EQUIVALENCIA ENTRE NIVELES (dos pruebas unilaterales)"_s));

        // Alt and the label's letter reach each field.
        hijo<QPlainTextEdit>(v, u"textoPrecision"_s)->setFocus();
        tecla(Qt::Key_L, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(v, u"elimite"_s));
        teclea(u"1.5"_s);
        tecla(Qt::Key_D, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), hijo<QLineEdit>(v, u"edermaxima"_s));
        teclea(u"3"_s);
        tecla(Qt::Key_Return);
        QCOMPARE(dialogos->mensajes, QStringList());
        const QStringList esperado = QString::fromUtf8(contenido(casos + u"texto-trabajado.txt"_s)).split(u'\n');
        texto = lineas(v);
        for (qsizetype i = 0; i < std::max(texto.size(), esperado.size() - 1); ++i)
            QCOMPARE(texto.value(i), esperado.value(i));

        // Each refusal in the field's own words.
        const QList<std::pair<QString, QString>> rechazos{
            {u"0"_s, u"El límite de aceptación debe ser mayor que 0."_s},
            {u"uno"_s, u"El límite de aceptación «uno» no es un número: escríbalo en las unidades de los datos "
                       "(por ejemplo, 0.5) o como porcentaje del promedio general (por ejemplo, 1.5 %)."_s},
            {QString(), u"Falta capturar el límite de aceptación."_s},
        };
        for (const auto &[limite, mensaje] : rechazos) {
            dialogos->mensajes.clear();
            hijo<QLineEdit>(v, u"elimite"_s)->setFocus();
            reemplaza(limite);
            tecla(Qt::Key_Return);
            QCOMPARE(dialogos->mensajes, QStringList{mensaje});
            QCOMPARE(lineas(v), texto);
        }
        // The last criteria that read are the ones remembered.
        QCOMPARE(ajustes().value(u"precision/limite"_s).toString(), u"1.5"_s);
        QCOMPARE(ajustes().value(u"precision/derMaxima"_s).toString(), u"3"_s);
    }

    // The criteria come back in the next window, and in the next session;
    // Bonferroni's adjustment widens each interval to 1 − 2·0.05/3; the plot
    // draws the band of the grand mean 100.225 ± δ.
    void criteriosRecordados()
    {
        abreTrabajado();
        VentanaPrecision *v = abrePrecision();
        hijo<QLineEdit>(v, u"elimite"_s)->setFocus();
        reemplaza(u"1.5"_s);
        tecla(Qt::Key_Return);
        tecla(Qt::Key_B, Qt::AltModifier);
        QTRY_VERIFY(hijo<QCheckBox>(v, u"cbbonferroni"_s)->isChecked());
        QTRY_VERIFY(ajustes().value(u"precision/bonferroni"_s).toBool());
        QCOMPARE(dialogos->mensajes, QStringList());
        cierra(v);

        delete ventana;
        ventana = new VentanaPrincipal;
        ventana->show();
        abreTrabajado();
        v = abrePrecision();
        QCOMPARE(hijo<QLineEdit>(v, u"elimite"_s)->text(), u"1.5"_s);
        QCOMPARE(hijo<QLineEdit>(v, u"edermaxima"_s)->text(), QString());
        QVERIFY(hijo<QCheckBox>(v, u"cbbonferroni"_s)->isChecked());
        const QStringList texto = lineas(v);
        // R's Bonferroni figures (casos/pares-r.tsv), to six digits.
        QVERIFY(texto.contains(u"Multiplicidad = Ajuste de Bonferroni para 3 pares: cada prueba unilateral al 1.66667 %"_s));
        QVERIFY(texto.contains(u"Intervalo del 96.6667 % = -1.75425 a -0.345749"_s));

        accion(u"mnugrafica"_s)->trigger();
        QWidget *grafica = resultado(u"VentanaGrafica"_s);
        QVERIFY(grafica);
        QVERIFY2(hijo<QWidget>(grafica, u"lienzografica"_s)->accessibleDescription().contains(
                     u"Banda de aceptación, promedio general ± 1.5: de 98.725 a 101.725."_s),
                 qPrintable(hijo<QWidget>(grafica, u"lienzografica"_s)->accessibleDescription()));
        QCOMPARE(dialogos->mensajes, QStringList());

        // A remembered limit that no longer reads (another decimal
        // separator) opens the window with its components and the message.
        ajustes().setValue(u"precision/limite"_s, u"1;5"_s);
        dialogos->mensajes.clear();
        cierra(v);
        v = abrePrecision();
        QVERIFY(v);
        QCOMPARE(dialogos->mensajes, QStringList{u"El límite de aceptación «1;5» no es un número: escríbalo en las "
                                                 "unidades de los datos (por ejemplo, 0.5) o como porcentaje del "
                                                 "promedio general (por ejemplo, 1.5 %)."_s});
        QVERIFY(lineas(v).contains(u"Desviación estándar = 0.716764 (límites del 95 %: 0.467689 a 3.96825)"_s));
        // … and the plot goes without a band.
        cierra(qobject_cast<VentanaResultado *>(grafica));
        accion(u"mnugrafica"_s)->trigger();
        grafica = resultado(u"VentanaGrafica"_s);
        QVERIFY(grafica);
        QVERIFY(!hijo<QWidget>(grafica, u"lienzografica"_s)->accessibleDescription().contains(u"Banda"_s));
    }

    // What a screen reader says of every control, each label tied to its
    // field, and F1 opening the window's own page.
    void accesibleYAyuda()
    {
        abreTrabajado();
        VentanaPrecision *v = abrePrecision();
        const QList<std::pair<QString, QString>> nombres{
            {u"elimite"_s, u"Límite de aceptación"_s},
            {u"edermaxima"_s, u"DER máxima de precisión intermedia"_s},
            {u"cbbonferroni"_s, u"Ajuste de Bonferroni para todos los pares"_s},
            {u"btnrecalcular"_s, u"Recalcular"_s},
            {u"textoPrecision"_s, u"Precisión intermedia y equivalencia"_s},
        };
        for (const auto &[objeto, nombre] : nombres)
            QCOMPARE(nombreAccesible(hijo<QWidget>(v, objeto)), nombre);
        QStringList amigos;
        for (QLabel *etiqueta : v->findChildren<QLabel *>())
            if (etiqueta->buddy())
                amigos << etiqueta->buddy()->objectName();
        amigos.sort();
        QCOMPARE(amigos, QStringList({u"edermaxima"_s, u"elimite"_s}));
        QVERIFY(hijo<QPlainTextEdit>(v, u"textoPrecision"_s)->isReadOnly());

        hijo<QLineEdit>(v, u"edermaxima"_s)->setFocus();
        tecla(Qt::Key_F1);
        QCOMPARE(VisorDeAyuda()->paginaActual(), u"precision.html"_s);
        VisorDeAyuda()->hide();
    }
};

QTEST_MAIN(TstVentanaPrecision)
#include "tst_ventana_precision.moc"
