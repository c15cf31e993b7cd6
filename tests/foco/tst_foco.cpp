// The document window's checks with real message boxes and focus on an X server.

#include "Ayudas.h"
#include "TablaDePrueba.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;

static const QString carpetaCasos = u"" TOLERANCIA_FUENTES "/tests/foco/casos"_s;

#define CALMA(cajas) do { calma(cajas); if (QTest::currentTestFailed()) return; } while (false)

class TstFoco : public QObject
{
    Q_OBJECT

    VentanaPrincipal *ventana = nullptr;
    QStringList cajas;  // the text of every message box shown, in order
    QMessageBox::StandardButton respuesta = QMessageBox::No;
    QString gesto;  // "Escape" or "cierre" (the box's close button) instead of a button
    QMessageBox::StandardButtons botones;  // those of the last question
    QTimer responde;
    QTemporaryDir preferencias;

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
        // The preferences of the run (the reason is asked), not the user's.
        QVERIFY(preferencias.isValid());
        qputenv("XDG_CONFIG_HOME", preferencias.path().toLocal8Bit());
        // Answers whatever box is open, as the user would, after a moment.
        connect(&responde, &QTimer::timeout, this, [this] {
            auto *caja = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!caja || !caja->isVisible() || caja->property("respondida").toBool())
                return;
            caja->setProperty("respondida", true);
            cajas << caja->text();
            const bool ok = caja->button(QMessageBox::Ok);
            if (!ok)
                botones = caja->standardButtons();
            if (!ok && gesto == u"Escape"_s)
                QTest::keyClick(caja->focusWidget() ? caja->focusWidget() : caja, Qt::Key_Escape);
            else if (!ok && gesto == u"cierre"_s)
                caja->close();
            else
                QTest::mouseClick(caja->button(ok ? QMessageBox::Ok : respuesta), Qt::LeftButton);
        });
        responde.start(50);
    }

    void init()
    {
        cajas.clear();
        respuesta = QMessageBox::No;
        gesto.clear();
        botones = {};
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

    // The field by its label's accelerator (Alt+letter), a bad count, Tab.
    void conteoFallido_data() { tablaDePrueba(carpetaCasos + u"/conteoFallido.tsv"_s); }

    // One message per failed leave; the keyboard stays with the field at
    // fault until its value passes.
    void conteoFallido()
    {
        QFETCH(QString, acelerador);
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        QFETCH(QString, siguiente);
        nuevo();
        enCaptura(Qt::Key(acelerador.at(0).unicode()));
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

    // k = 2, n = 3 typed row by row; the cell at fault (FAM, sample) that
    // the check finds first, FAM by FAM.
    void celdaFallida_data() { tablaDePrueba(carpetaCasos + u"/celdaFallida.tsv"_s); }

    void celdaFallida()
    {
        QFETCH(QString, valores);
        QFETCH(QString, celda);
        QFETCH(QString, mensaje);
        const int fam = celda.section(u',', 0, 0).toInt();
        const int muestra = celda.section(u',', 1, 1).toInt();
        nuevo();
        enCaptura(Qt::Key_N);
        tecla(Qt::Key_Tab);
        tecla(Qt::Key_Tab);
        QTRY_COMPARE(foco(), u"botonok"_s);
        tecla(Qt::Key_Return);  // accepts 2 × 3
        tecla(Qt::Key_Tab);
        QTRY_COMPARE(foco(), u"stgdatos"_s);
        const QStringList tecleados = valores.split(u',');
        for (const QString &valor : tecleados) {  // the last Tab leaves the grid
            teclea(valor);
            tecla(Qt::Key_Tab);
        }
        CALMA({mensaje});
        QTRY_COMPARE(foco(), u"stgdatos"_s);
        // The cursor waits on the cell at fault, its text selected: typing
        // replaces it. Then the bottom-right cell retyped, and out.
        QCOMPARE(QPoint(rejilla()->currentColumn() + 1, rejilla()->currentRow() + 1), QPoint(fam, muestra));
        QCOMPARE(campo(u"editorstgdatos"_s)->selectedText(), tecleados.at((muestra - 1) * 2 + fam - 1));
        teclea(u"7"_s);
        QCOMPARE(ventana->documento()->estudio().rejilla.celda(fam, muestra), u"7"_s);
        for (int paso = (muestra - 1) * 2 + fam; paso < 6; ++paso)
            tecla(Qt::Key_Tab);
        teclea(u"8"_s);
        tecla(Qt::Key_Tab);
        QTRY_COMPARE(foco(), u"boton1"_s);
        calma({mensaje});
    }

    // A command, or the main window's close box ("cierre"); the answer.
    void cierreConFallo_data() { tablaDePrueba(carpetaCasos + u"/cierreConFallo.tsv"_s); }

    // With a count at fault the close question still guards the study; Yes
    // keeps it (the count stops the save), No lets it go.
    void cierreConFallo()
    {
        QFETCH(QString, como);
        QFETCH(QString, respuesta);
        const bool programa = como != u"mnuclose"_s;
        const QString fuera = u"Datos fuera de límite, 2-5 FAM."_s;
        const QString pregunta = u"Se realizaron cambios!\nQuiere guardar su información?"_s;
        nuevo();
        enCaptura(Qt::Key_N);
        reemplaza(u"1"_s);
        tecla(Qt::Key_Tab);
        CALMA({fuera});
        this->respuesta = respuesta == u"Sí"_s ? QMessageBox::Yes : QMessageBox::No;
        if (como == u"cierre"_s)
            ventana->close();
        else
            ventana->findChild<QAction *>(como)->trigger();
        if (this->respuesta == QMessageBox::No) {
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

    // How the close is asked for; how the question is left unanswered.
    void preguntaSinDecidir_data() { tablaDePrueba(carpetaCasos + u"/preguntaSinDecidir.tsv"_s); }

    // Escape, or the question's own close button, decides nothing: the study
    // stays open and modified, the program goes on, the box kept its two
    // buttons. A No afterwards still closes.
    void preguntaSinDecidir()
    {
        QFETCH(QString, como);
        QFETCH(QString, sinDecidir);
        const QString pregunta = u"Se realizaron cambios!\nQuiere guardar su información?"_s;
        const auto pide = [&] {
            if (como == u"cierre"_s)
                ventana->close();
            else if (como == u"Ctrl+F4"_s)
                tecla(Qt::Key_F4, Qt::ControlModifier);
            else
                ventana->findChild<QAction *>(como)->trigger();
        };
        nuevo();
        teclea(u"x"_s);
        gesto = sinDecidir;
        pide();
        CALMA({pregunta});
        QCOMPARE(botones, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(ventana->documento());
        QVERIFY(ventana->isVisible());
        QCOMPARE(ventana->estado(), u"Modificado"_s);
        QCOMPARE(campo(u"etole"_s)->text(), u"x"_s);
        QTRY_COMPARE(foco(), u"etole"_s);

        gesto.clear();
        pide();
        QTRY_VERIFY(!ventana->documento());
        QCOMPARE(cajas, QStringList({pregunta, pregunta}));
        QCOMPARE(ventana->isVisible(), como == u"mnuclose"_s || como == u"Ctrl+F4"_s);
    }

    // A bad count left for another child window by a click: its message,
    // once, and the keyboard back in the field; a good one lets the click be.
    void conteoDejadoConClic()
    {
        const QString fuera = u"Datos fuera de límite, 2-5 FAM."_s;
        ventana->abreArchivo(archivoEjemploTrabajado);
        QTRY_VERIFY(ventana->documento() && foco() == u"etole"_s);
        auto *estudio = qobject_cast<QMdiSubWindow *>(ventana->documento()->parentWidget());
        hijo<QAbstractButton>(ventana, u"spdgrafica"_s)->click();
        auto *grafica = hijo<QWidget>(ventana, u"lienzografica"_s);
        QTRY_VERIFY(grafica->isVisible() && ventana->marco()->activeSubWindow() != estudio);
        ventana->marco()->setActiveSubWindow(estudio);
        enCaptura(Qt::Key_N);
        QTRY_COMPARE(foco(), u"econdicion"_s);
        reemplaza(u"9"_s);
        QTest::mouseClick(grafica, Qt::LeftButton, {}, grafica->rect().center());
        CALMA({fuera});
        QTRY_COMPARE(foco(), u"econdicion"_s);
        QCOMPARE(ventana->marco()->activeSubWindow(), estudio);
        reemplaza(u"3"_s);
        QTest::mouseClick(grafica, Qt::LeftButton, {}, grafica->rect().center());
        QTRY_COMPARE(QApplication::focusWidget(), grafica);
        calma({fuera});
    }

    void entraRejilla_data() { tablaDePrueba(carpetaCasos + u"/entraRejilla.tsv"_s); }

    // However the grid gets the focus after a study is opened, saving and
    // printing become usable.
    void entraRejilla()
    {
        QFETCH(QString, via);
        const bool raton = via == u"ratón"_s;
        ventana->abreArchivo(archivoEjemploTrabajado);
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

    // The real "Motivo del cambio": it cannot be accepted blank, Escape
    // cancels the save (nothing written, the study still modified), and the
    // reason accepted is what the register holds.
    void motivoDelCambio()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ruta = dir.filePath(u"estudio.w1e"_s);
        QVERIFY(QFile::copy(archivoEjemploTrabajado, ruta));
        QVERIFY(QFile::setPermissions(ruta, QFile::ReadOwner | QFile::WriteOwner));
        ventana->abreArchivo(ruta);
        QTRY_VERIFY(ventana->documento() && foco() == u"etole"_s);
        const QByteArray original = contenido(ruta);

        // What the dialog offered, then the user's answer: Escape, or the
        // reason typed after trying to accept blanks.
        QString accion = u"Escape"_s;
        QStringList vistos;
        QTimer motivo;
        connect(&motivo, &QTimer::timeout, this, [&] {
            auto *dialogo = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialogo || dialogo->windowTitle() != u"Motivo del cambio"_s || dialogo->property("respondido").toBool())
                return;
            dialogo->setProperty("respondido", true);
            auto *campo = hijo<QLineEdit>(dialogo, u"motivo"_s);
            QPushButton *aceptar = dialogo->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
            vistos << campo->accessibleName() << (aceptar->isEnabled() ? u"aceptable"_s : u"en blanco"_s);
            if (accion == u"Escape"_s) {
                QTest::keyClick(campo, Qt::Key_Escape);
                return;
            }
            QTest::keyClicks(campo, u"   "_s);
            QTest::keyClick(campo, Qt::Key_Return);
            vistos << (dialogo->isVisible() ? u"sigue"_s : u"aceptado"_s);
            QTest::keyClicks(campo, accion);
            QTest::keyClick(campo, Qt::Key_Return);
        });
        motivo.start(50);

        campo(u"etole"_s)->setFocus();
        teclea(u"x"_s);
        QVERIFY(!ventana->documento()->guarda());
        QCOMPARE(vistos, QStringList({u"Motivo del cambio"_s, u"en blanco"_s}));
        QCOMPARE(ventana->estado(), u"Modificado"_s);
        QCOMPARE(contenido(ruta), original);
        QVERIFY(!QFile::exists(ruta + u".registro"_s));

        vistos.clear();
        accion = u"Cambio de equipo"_s;
        QVERIFY(ventana->documento()->guarda());
        QCOMPARE(vistos, QStringList({u"Motivo del cambio"_s, u"en blanco"_s, u"sigue"_s}));
        QCOMPARE(ventana->estado(), QString());
        QVERIFY(contenido(ruta) != original);
        QFile registro(ruta + u".registro"_s);
        QVERIFY(registro.open(QIODevice::ReadOnly));
        const QJsonObject ultima = QJsonDocument::fromJson(registro.readAll().trimmed().split('\n').constLast()).object();
        QCOMPARE(ultima.value(u"tipo"_s).toString(), u"motivo"_s);
        QCOMPARE(ultima.value(u"motivo"_s).toString(), u"Cambio de equipo"_s);
        calma({});
    }
};

QTEST_MAIN(TstFoco)
#include "tst_foco.moc"
