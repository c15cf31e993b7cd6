// The document window's checks with real message boxes and focus on an X server.

#include "Ayudas.h"

#include <QMessageBox>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;

#define CALMA(cajas) do { calma(cajas); if (QTest::currentTestFailed()) return; } while (false)

class TstFoco : public QObject
{
    Q_OBJECT

    VentanaPrincipal *ventana = nullptr;
    QStringList cajas;  // the text of every message box shown, in order
    QMessageBox::StandardButton respuesta = QMessageBox::No;
    QTimer responde;

    QLineEdit *campo(const QString &n) const { return hijo<QLineEdit>(ventana->documento(), n); }
    QTableWidget *rejilla() const { return hijo<QTableWidget>(ventana->documento(), u"stgdatos"_s); }
    bool habilitado(const QString &nombre) const { return ::habilitado(ventana, nombre); }
    QString foco() const { return componenteConFoco(ventana); }

    // Keys go to the window the X server gives the keyboard to, as a user's do.
    void tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(QGuiApplication::focusWindow(), k, m);
    }
    void teclea(const QString &texto)
    {
        for (const QChar c : texto)
            QTest::keyClick(QGuiApplication::focusWindow(), c.toLatin1());
    }
    void reemplaza(const QString &texto)
    {
        tecla(Qt::Key_A, Qt::ControlModifier);
        tecla(Qt::Key_Backspace);
        teclea(texto);
    }
    // After every late focus event: exactly these boxes, the keyboard with the main window.
    void calma(const QStringList &esperadas)
    {
        QTRY_COMPARE_WITH_TIMEOUT(cajas.size(), esperadas.size(), 10000);
        QTest::qWait(500);
        QCOMPARE(cajas, esperadas);
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::focusWindow(), ventana->windowHandle(), 10000);
    }
    void nuevo()
    {
        ventana->findChild<QAction *>(u"FileNewItem"_s)->trigger();
        QTRY_VERIFY(ventana->documento() && foco() == u"etole"_s);
    }
    // The capture page by a click on its tab, the field by its label's accelerator.
    void enCaptura(Qt::Key acelerador = Qt::Key_unknown)
    {
        QTabBar *pestanas = hijo<QTabWidget>(ventana->documento(), u"Thojas"_s)->tabBar();
        QTest::mouseClick(pestanas, Qt::LeftButton, {}, pestanas->tabRect(1).center());
        if (acelerador != Qt::Key_unknown)
            tecla(acelerador, Qt::AltModifier);
    }

private slots:
    void initTestCase()
    {
        QApplication::setApplicationDisplayName(u"Tolerancia del Método"_s);
        // Answers whatever box is open, as the user would, after a moment.
        connect(&responde, &QTimer::timeout, this, [this] {
            auto *caja = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!caja || !caja->isVisible() || caja->property("respondida").toBool())
                return;
            caja->setProperty("respondida", true);
            cajas << caja->text();
            const bool ok = caja->button(QMessageBox::Ok);
            QTest::mouseClick(caja->button(ok ? QMessageBox::Ok : respuesta), Qt::LeftButton);
        });
        responde.start(50);
    }

    void init()
    {
        cajas.clear();
        respuesta = QMessageBox::No;
        ventana = new VentanaPrincipal;
        ventana->resize(1000, 750);
        ventana->show();
        ventana->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ventana, 10000));
    }

    void cleanup()
    {
        const QPointer<VentanaEstudio> documento = ventana->documento();
        delete ventana;
        QVERIFY(!documento);
    }

    void conteoFallido_data()
    {
        QTest::addColumn<Qt::Key>("acelerador");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("siguiente");
        const QString fueraFam = u"Datos fuera de límite, 2-5 FAM."_s;
        const QString fueraMuestras =
            u"Datos fuera de límite, 2-10 valoraciones (Replicaciones)."_s;
        const QString letra = u"El valor de captura no es un valor numérico."_s;
        for (const auto &[texto, mensaje] :
             {std::pair{u"1"_s, fueraFam}, {u"6"_s, fueraFam}, {u"x"_s, letra}, {u"  "_s, letra},
              {QString(), u"Falta capturar el número de FAM"_s}})
            QTest::addRow("FAM '%s'", qPrintable(texto))
                << Qt::Key_N << u"econdicion"_s << texto << mensaje << u"ereplica"_s;
        for (const auto &[texto, mensaje] :
             {std::pair{u"1"_s, fueraMuestras}, {u"11"_s, fueraMuestras}, {u"x"_s, letra},
              {QString(), u"Falta capturar el número de valoraciones replicaciones"_s}})
            QTest::addRow("muestras '%s'", qPrintable(texto))
                << Qt::Key_M << u"ereplica"_s << texto << mensaje << u"botonok"_s;
    }

    // One message per failed leave; the keyboard stays with the field at
    // fault until its value passes.
    void conteoFallido()
    {
        QFETCH(Qt::Key, acelerador);
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        QFETCH(QString, siguiente);
        nuevo();
        enCaptura(acelerador);
        QTRY_COMPARE(foco(), campo);
        reemplaza(texto);
        tecla(Qt::Key_Tab);
        CALMA({mensaje});
        QTRY_COMPARE(foco(), campo);
        reemplaza(u"3"_s);
        QCOMPARE(this->campo(campo)->text(), u"3"_s);
        tecla(Qt::Key_Tab);
        QTRY_COMPARE(foco(), siguiente);
        calma({mensaje});
    }

    void celdaFallida_data()
    {
        QTest::addColumn<QStringList>("valores");  // k = 2, n = 3, row by row
        QTest::addColumn<int>("fila");              // of the bad cell, in column 1
        QTest::addColumn<QString>("mensaje");
        const QString noNumero = u"Algún dato capturado no es un valor numérico."_s;
        QTest::newRow("vacía") << QStringList{u"1"_s, u"2"_s, {}, u"4"_s, u"5"_s, u"6"_s} << 2
                               << u"Falta capturar la 2 ª muestra del FAM    1."_s;
        QTest::newRow("1.2.3") << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"1.2.3"_s, u"6"_s}
                               << 3 << noNumero;
        QTest::newRow("abc") << QStringList{u"abc"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s} << 1
                             << noNumero;
    }

    void celdaFallida()
    {
        QFETCH(QStringList, valores);
        QFETCH(int, fila);
        QFETCH(QString, mensaje);
        nuevo();
        enCaptura(Qt::Key_N);
        tecla(Qt::Key_Tab);
        tecla(Qt::Key_Tab);
        QTRY_COMPARE(foco(), u"botonok"_s);
        tecla(Qt::Key_Return);  // accepts 2 × 3
        tecla(Qt::Key_Tab);
        QTRY_COMPARE(foco(), u"stgdatos"_s);
        for (qsizetype i = 0; i < valores.size(); ++i) {
            if (i > 0)
                tecla(Qt::Key_Tab);
            teclea(valores.at(i));
        }
        tecla(Qt::Key_Tab);  // typed the bottom-right cell: Tab leaves the grid
        CALMA({mensaje});
        QTRY_COMPARE(foco(), u"stgdatos"_s);
        // The check left the first cell current: down to the bad one, mend it,
        // retype the bottom-right cell and leave again.
        for (int f = 1; f < fila; ++f)
            tecla(Qt::Key_Down);
        reemplaza(u"7"_s);
        QCOMPARE(ventana->documento()->estudio().stgdatos.celda(1, fila), u"7"_s);
        for (int f = fila; f < 3; ++f)
            tecla(Qt::Key_Down);
        tecla(Qt::Key_Tab);
        teclea(u"8"_s);
        tecla(Qt::Key_Tab);
        QTRY_COMPARE(foco(), u"boton1"_s);
        calma({mensaje});
    }

    void cierreConFallo_data()
    {
        QTest::addColumn<QString>("como");  // a command, or the main window's close box
        QTest::addColumn<QMessageBox::StandardButton>("respuesta");
        for (const QString &como : {u"mnuclose"_s, u"FileExitItem"_s, u"cierre"_s}) {
            QTest::addRow("%s, No", qPrintable(como)) << como << QMessageBox::No;
            QTest::addRow("%s, Sí", qPrintable(como)) << como << QMessageBox::Yes;
        }
    }

    // With a count at fault the close question still guards the study; Yes
    // keeps it (the count stops the save), No lets it go.
    void cierreConFallo()
    {
        QFETCH(QString, como);
        QFETCH(QMessageBox::StandardButton, respuesta);
        const bool programa = como != u"mnuclose"_s;
        const QString fuera = u"Datos fuera de límite, 2-5 FAM."_s;
        const QString pregunta = u"Se realizaron cambios!\nQuiere guardar su información?"_s;
        nuevo();
        enCaptura(Qt::Key_N);
        reemplaza(u"1"_s);
        tecla(Qt::Key_Tab);
        CALMA({fuera});
        this->respuesta = respuesta;
        if (como == u"cierre"_s)
            ventana->close();
        else
            ventana->findChild<QAction *>(como)->trigger();
        if (respuesta == QMessageBox::No) {
            QTRY_COMPARE_WITH_TIMEOUT(cajas, QStringList({fuera, pregunta}), 10000);
            QTRY_VERIFY(!ventana->documento());
            QCOMPARE(ventana->isVisible(), !programa);
            QTest::qWait(500);
            QCOMPARE(cajas, QStringList({fuera, pregunta}));
            return;
        }
        calma({fuera, pregunta, fuera});
        QVERIFY(ventana->documento());
        QVERIFY(ventana->isVisible());
        QCOMPARE(campo(u"econdicion"_s)->text(), u"1"_s);
        QCOMPARE(ventana->estado(), u"Modificado"_s);
        QTRY_COMPARE(foco(), u"econdicion"_s);
    }

    void entraRejilla_data()
    {
        QTest::addColumn<bool>("raton");
        QTest::newRow("ratón") << true;
        QTest::newRow("Tab") << false;
    }

    // However the grid gets the focus after a study is opened, saving and
    // printing become usable.
    void entraRejilla()
    {
        QFETCH(bool, raton);
        ventana->abreArchivo(ejemploTrabajado);
        QTRY_VERIFY(ventana->documento() && foco() == u"etole"_s);
        const QStringList comandos{u"FileSaveItem"_s, u"spdguardar"_s, u"FileSaveAsItem"_s,
                                   u"FilePrintItem"_s, u"PrintLasser"_s, u"spdprint"_s};
        for (const QString &nombre : comandos)
            QVERIFY2(!habilitado(nombre), qPrintable(nombre));
        // The tab click leaves the focus in the FAM count: a passed check
        // must not take it out of the grid again.
        enCaptura(raton ? Qt::Key_unknown : Qt::Key_N);
        if (raton) {
            QTableWidget *r = rejilla();
            QTest::mouseClick(r->viewport(), Qt::LeftButton, {},
                              r->visualRect(r->model()->index(1, 2)).center());
        } else {
            for (int i = 0; i < 3; ++i)
                tecla(Qt::Key_Tab);
        }
        QTRY_COMPARE(foco(), u"stgdatos"_s);
        if (raton)
            QCOMPARE(rejilla()->currentIndex(), rejilla()->model()->index(1, 2));
        for (const QString &nombre : comandos)
            QTRY_VERIFY2(habilitado(nombre), qPrintable(nombre));
        calma({});
    }
};

QTEST_MAIN(TstFoco)
#include "tst_foco.moc"
