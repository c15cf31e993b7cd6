#include "Ayudas.h"
#include "Casos.h"
#include "DialogosFalsos.h"
#include "LienzoGrabador.h"

#include "core/ayuda/TemasAyuda.h"
#include "core/comandos/EstadoComandos.h"
#include "gui/AcercaDe.h"
#include "gui/Presentacion.h"
#include "gui/Programa.h"
#include "gui/VisorAyuda.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QClipboard>
#include <QWindow>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TstVentanas : public QObject
{
    Q_OBJECT

    DialogosFalsos dialogos;
    VentanaPrincipal *ventana = nullptr;
    QTemporaryDir dir;

    QAction *accion(const QString &nombre) const { return hijo<QAction>(ventana, nombre); }
    bool habilitado(const QString &nombre) const { return ::habilitado(ventana, nombre); }
    // The commands in `si` usable, those in `no` not.
    void usables(const QStringList &si, const QStringList &no = {}) const
    {
        for (const QString &nombre : si + no)
            QVERIFY2(habilitado(nombre) == si.contains(nombre), qPrintable(nombre));
    }
    VentanaEstudio *documento() const { return ventana->documento(); }
    QLineEdit *campo(const QString &nombre) const { return hijo<QLineEdit>(documento(), nombre); }
    QTableWidget *rejilla() const { return hijo<QTableWidget>(documento(), u"stgdatos"_s); }
    int pagina() const { return hijo<QTabWidget>(documento(), u"Thojas"_s)->currentIndex(); }
    QString estado() const { return ventana->estado(); }
    QString celda(int columna, int fila) const { return documento()->estudio().stgdatos.celda(columna, fila); }
    VentanaEstudio::OpcionesRejilla opciones() const { return documento()->opciones(); }

    QString foco() const { return componenteConFoco(ventana); }
    QPoint celdaActual() const { return {rejilla()->currentColumn(), rejilla()->currentRow()}; }
    // The current row's field of a table read with casos().
    static QString dato(const char *columna)
    {
        return *static_cast<QString *>(QTest::qData(columna, QMetaType::QString));
    }
    void enCaptura(const QString &nombre)
    {
        hijo<QTabWidget>(documento(), u"Thojas"_s)->setCurrentIndex(1);
        campo(nombre)->setFocus();
    }

    void nuevo() { accion(u"FileNewItem"_s)->trigger(); }

    // The counts typed on the capture page, each left by Tab, accepted, and
    // the focus into the grid.
    void aceptaConteos(const QString &k, const QString &n)
    {
        enCaptura(u"econdicion"_s);
        reemplaza(k);
        tecla(Qt::Key_Tab);
        QCOMPARE(foco(), u"ereplica"_s);
        reemplaza(n);
        tecla(Qt::Key_Tab);
        QCOMPARE(foco(), u"botonok"_s);
        tecla(Qt::Key_Return);  // Enter presses the accept button
        tecla(Qt::Key_Tab);
        QCOMPARE(foco(), u"stgdatos"_s);
    }
    void nuevoAceptado(const QString &k, const QString &n)
    {
        nuevo();
        aceptaConteos(k, n);
    }

    // Types the values into the grid from the current cell on, Tab between.
    void llenaRejilla(const QStringList &valores)
    {
        for (qsizetype i = 0; i < valores.size(); ++i) {
            if (i > 0)
                tecla(Qt::Key_Tab);
            teclea(valores.at(i));
        }
    }

    // The 5 × 6 example opened, then its analysis of variance, its intervals
    // and its report.
    void abreConResultados()
    {
        dialogos.archivoAbrir = ejemploSignificativo;
        accion(u"FileOpenItem"_s)->trigger();
        ventana->aplicaEvento(Evento::focoEntraRejilla);  // as the user goes to the values
        for (const QString &orden : {u"mnuanova"_s, u"mnuconclu"_s, u"mnuinforme"_s})
            accion(orden)->trigger();
        QVERIFY(dialogos.mensajes.isEmpty());
    }

    QString escribeArchivo(const QString &nombre, const QByteArray &bytes)
    {
        const QString ruta = dir.filePath(nombre);
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("no se puede escribir %s", qPrintable(ruta));
        return ruta;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        Dialogos::instala(&dialogos);
    }

    void init()
    {
        dialogos = DialogosFalsos();
        ventana = new VentanaPrincipal;
        ventana->resize(1000, 750);
        ventana->show();
        ventana->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ventana));
    }

    void cleanup()
    {
        const QPointer<VentanaEstudio> estudio = documento();
        delete ventana;
        QVERIFY(!estudio);
        QVERIFY(!QApplication::overrideCursor());
    }

    void cleanupTestCase() { Dialogos::instala(nullptr); }

    void arranque()
    {
        QCOMPARE(ventana->windowTitle(), u"Tolerancia del Método, Factores Ajenos  al Método"_s);
        QCOMPARE(hijo<QLabel>(ventana, u"Paneld"_s)->text(), u"F1 <Ayuda>"_s);
        QVERIFY(hijo<QLabel>(ventana, u"estado"_s)->alignment() & Qt::AlignRight);
        QCOMPARE(estado(), QString());

        // Every study command but the grid menu's item, which comes with a
        // document window; the window and help commands always usable.
        QStringList si, no;
        for (const QStringList &f : filas("usablesAlArrancar"))
            (f[1] == u"sí"_s ? si : no) << f[0];
        usables(si, no);
        // Hidden ones, the ink-jet button keeping its place.
        QVERIFY(!hijo<QMenu>(ventana, u"FilePrintItem"_s)->actions().contains(accion(u"PrintDeskjet"_s)));
        QVERIFY(!accion(u"HelpHowToUseItem"_s)->isVisible());
        QVERIFY(hijo<QAbstractButton>(ventana, u"spdprint1"_s)->isHidden());

        for (const QStringList &f : filas("atajos"))
            QCOMPARE(accion(f[0])->shortcut(), QKeySequence(f[1]));
        QCOMPARE(accion(u"FileNewItem"_s)->toolTip(), u"Archivo"_s);
        QCOMPARE(accion(u"HelpHowToUseItem"_s)->text(), u"Como &usar  la ayuda"_s);

        // The hints in the status line.
        auto *linea = hijo<QLabel>(ventana, u"StatusLine"_s);
        QEvent entra(QEvent::Enter);
        QApplication::sendEvent(hijo<QAbstractButton>(ventana, u"spdguardar"_s), &entra);
        QCOMPARE(linea->text(), u"Guarda un archivo de Tolerancia a equipos"_s);
        QCOMPARE(hijo<QAbstractButton>(ventana, u"spdexit"_s)->toolTip(), u"Salir"_s);
        for (const QStringList &f : filas("avisosDeOrden")) {
            accion(f[0])->showStatusText(ventana);
            QCOMPARE(linea->text(), f[1]);
        }
        nuevo();
        QApplication::sendEvent(rejilla(), &entra);
        QCOMPARE(linea->text(), u"opciones botón derecho"_s);
    }

    void caminoTipico()
    {
        nuevo();
        QCOMPARE(documento()->windowTitle(), u"Nuevo"_s);
        QCOMPARE(pagina(), 0);
        QCOMPARE(foco(), u"etole"_s);
        QCOMPARE(campo(u"econdicion"_s)->text(), u"2"_s);
        QCOMPARE(campo(u"ereplica"_s)->text(), u"3"_s);
        usables({u"mnuclose"_s, u"spdclose"_s, u"spdmosaico"_s, u"spdcascada"_s},
                {u"FileNewItem"_s, u"spdnuevo"_s, u"FileOpenItem"_s, u"spdabrir"_s, u"FileSaveItem"_s,
                 u"spdguardar"_s, u"mnucalculos"_s, u"mnuanova"_s});
        QCOMPARE(estado(), QString());

        teclea(u"Equipo de disolución"_s);
        QCOMPARE(estado(), u"Modificado"_s);
        tecla(Qt::Key_Tab);
        QCOMPARE(foco(), u"emetodo"_s);
        teclea(u"Valoración por HPLC"_s);

        aceptaConteos(u"2"_s, u"3"_s);
        QCOMPARE(QSize(rejilla()->columnCount(), rejilla()->rowCount()), QSize(2, 3));
        QCOMPARE(QStringList({celda(0, 0), celda(2, 0), celda(0, 3)}), QStringList({u" FAM"_s, u"   2"_s, u"Muestra 3"_s}));
        usables({u"FileSaveItem"_s, u"spdguardar"_s, u"FileSaveAsItem"_s, u"mnucalculos"_s,
                 u"mnuanova"_s, u"PrintLasser"_s, u"spdprint"_s});
        QCOMPARE(opciones(), VentanaEstudio::OpcionesRejilla::inicial);

        llenaRejilla({u"98.5"_s, u"99.1"_s, u"100.2"_s, u"98.7"_s, u"99.9"_s});
        QCOMPARE(opciones(), VentanaEstudio::OpcionesRejilla::conTab);
        QVERIFY(!habilitado(u"mnuinforme"_s));
        tecla(Qt::Key_Tab);
        accion(u"mnuconclu"_s)->setEnabled(true);
        teclea(u"100.4"_s);
        QCOMPARE(opciones(), VentanaEstudio::OpcionesRejilla::sinTab);
        QVERIFY(habilitado(u"mnuinforme"_s));
        QVERIFY(!habilitado(u"mnuconclu"_s));

        // Tab now leaves the grid; every cell is a number, so on to "&OK".
        tecla(Qt::Key_Tab);
        QCOMPARE(foco(), u"boton1"_s);
        QVERIFY(dialogos.mensajes.isEmpty());
        QCOMPARE(opciones(), VentanaEstudio::OpcionesRejilla::conTab);
        const Estudio e = documento()->estudio();
        QCOMPARE(QStringList({e.etole, e.emetodo, e.stgdatos.celda(1, 2)}),
                 QStringList({u"Equipo de disolución"_s, u"Valoración por HPLC"_s, u"100.2"_s}));

        ventana->aplicaEvento(Evento::focoEntraDocumento);
        QVERIFY(!habilitado(u"mnucalculos"_s));
        tecla(Qt::Key_Space);
        QVERIFY(habilitado(u"mnucalculos"_s));
        QVERIFY(ventana->alcanzable(accion(u"mnuanova"_s)));
    }

    // Tab, Enter and leaving by the mouse run the same check; the messages
    // themselves are the capture rules'. Enter stays on an empty count.
    void conteos_data() { casos("conteos"); }
    void conteos()
    {
        QString campo = dato("campo"), texto = dato("texto"), mensaje = dato("mensaje"), foco = dato("foco"),
                salida = dato("salida");
        nuevo();
        enCaptura(campo);
        reemplaza(texto);
        tecla(salida == u"Intro"_s ? Qt::Key_Return : Qt::Key_Tab);
        QCOMPARE(dialogos.mensajes.join(u'|'), mensaje);  // one message, or none
        QCOMPARE(this->foco(), foco);
        QCOMPARE(pagina(), 1);
        // Leaving by the mouse for the other page runs the same check and
        // brings the user back to the field at fault.
        if (!mensaje.isEmpty()) {
            this->campo(u"etole"_s)->setFocus();
            QCOMPARE(this->foco(), campo);
            QCOMPARE(pagina(), 1);
            QCOMPARE(dialogos.mensajes, QStringList({mensaje, mensaje}));
        }
    }

    // Edits made without a typed character mark the study modified too, so
    // that closing it asks.
    void modificadoSinCaracter()
    {
        nuevo();
        teclea(u"abc"_s);
        documento()->ponModificado(false);
        tecla(Qt::Key_Home);
        QCOMPARE(estado(), QString());
        tecla(Qt::Key_Delete);
        QCOMPARE(estado(), u"Modificado"_s);
        documento()->ponModificado(false);
        tecla(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(campo(u"etole"_s)->text(), u"abc"_s);
        QCOMPARE(estado(), u"Modificado"_s);
        // A Backspace that changes nothing is still a character typed.
        documento()->ponModificado(false);
        tecla(Qt::Key_Home);
        tecla(Qt::Key_Backspace);
        QCOMPARE(estado(), u"Modificado"_s);
        // Typing inside the text keeps the caret where it is.
        teclea(u"xy"_s);
        QCOMPARE(campo(u"etole"_s)->text(), u"xyabc"_s);
    }

    void limitesDeTexto()
    {
        // A longer text from a file stays whole; typing cannot make it
        // longer, deleting makes room down to the limit.
        const QByteArray largo(75, 'L');
        dialogos.archivoAbrir = escribeArchivo(u"largo.w1e"_s,
                                               largo + "\r\nm\r\na\r\nf\r\n2\r\n2\r\n1\r\n2\r\n3\r\n4\r\n");
        accion(u"FileOpenItem"_s)->trigger();
        QCOMPARE(campo(u"etole"_s)->text(), QString::fromLatin1(largo));
        campo(u"etole"_s)->setFocus();
        campo(u"etole"_s)->end(false);
        teclea(u"x"_s);
        QCOMPARE(campo(u"etole"_s)->text().size(), 75);
        for (int i = 0; i < 20; ++i)
            tecla(Qt::Key_Backspace);
        teclea(QString(10, u'x'));
        QCOMPARE(campo(u"etole"_s)->text().size(), 60);
        campo(u"efecha"_s)->setFocus();
        teclea(QString(25, u'1'));
        QCOMPARE(campo(u"efecha"_s)->text().size(), 20);
        enCaptura(u"econdicion"_s);
        teclea(u"345"_s);
        QCOMPARE(campo(u"econdicion"_s)->text(), u"23"_s);

        // Beyond a line edit's own default limit too, in the fields and in
        // the grid's editor: nothing is cut on the way back to the file.
        accion(u"mnuclose"_s)->trigger();
        const QByteArray enorme(40000, 'E');
        dialogos.archivoAbrir = escribeArchivo(u"enorme.w1e"_s, enorme + "\r\n\r\n\r\n\r\n2\r\n2\r\n"
                                                                   + enorme + "\r\n2\r\n3\r\n4\r\n");
        accion(u"FileOpenItem"_s)->trigger();
        QCOMPARE(campo(u"etole"_s)->text().size(), 40000);
        rejilla()->setFocus();
        QCOMPARE(hijo<QLineEdit>(documento(), u"editorstgdatos"_s)->text().size(), 40000);
        tecla(Qt::Key_End);
        teclea(u"5"_s);
        QCOMPARE(celda(1, 1).size(), 40001);
    }

    // A count changed after the grid was filled: the grid's size is checked
    // on entering it, and cells outside a smaller grid are kept.
    void cambioDeConteos()
    {
        nuevoAceptado(u"3"_s, u"2"_s);
        llenaRejilla({u"11"_s, u"21"_s, u"31"_s, u"12"_s, u"22"_s, u"32"_s});
        tecla(Qt::Key_Tab);
        QCOMPARE(foco(), u"boton1"_s);
        const auto cambia = [this](const QString &nombre, const QString &conteo) {
            campo(nombre)->setFocus();
            reemplaza(conteo);
            for (int i = nombre == u"econdicion"_s ? 3 : 2; i > 0; --i)
                tecla(Qt::Key_Tab);  // over the accept button, into the grid
        };
        for (const QString &k : {u"2"_s, u"3"_s}) {
            dialogos.mensajes.clear();
            cambia(u"econdicion"_s, k);
            QCOMPARE(dialogos.mensajes, QStringList{u" Falta aceptar el número de FAM y de Muestras"_s});
            QCOMPARE(foco(), u"econdicion"_s);
            QCOMPARE(pagina(), 1);
            tecla(Qt::Key_Tab);
            tecla(Qt::Key_Tab);
            tecla(Qt::Key_Return);
            // Leaving the accept button goes into the grid, and leaving the
            // grid with every cell valid on to "&OK".
            campo(u"econdicion"_s)->setFocus();
            QCOMPARE(foco(), u"stgdatos"_s);
            campo(u"econdicion"_s)->setFocus();
            QCOMPARE(foco(), u"boton1"_s);
            QCOMPARE(documento()->estudio().stgdatos.columnas(), k.toInt() + 1);
        }
        QCOMPARE(QStringList({celda(3, 1), celda(3, 2), celda(3, 0)}), QStringList({u"31"_s, u"32"_s, u"   3"_s}));

        dialogos.mensajes.clear();
        cambia(u"ereplica"_s, u"3"_s);
        QCOMPARE(dialogos.mensajes,
                 QStringList{u"El número de celdas para las replicaciones, no coincide con el "
                             "número de replicas(Muestras)."_s});
        QCOMPARE(foco(), u"ereplica"_s);
    }

    // Leaving the grid by the mouse runs the cells' check too (the Tab path
    // is the focus test's): the check starts over at the first cell, and
    // mended, the grid is left for "&OK" whatever was clicked.
    void celdaFaltante()
    {
        nuevoAceptado(u"2"_s, u"3"_s);
        llenaRejilla({u"1"_s, u"2"_s, u"1.2.3"_s, u"4"_s, u"5"_s, u"6"_s});
        campo(u"ereplica"_s)->setFocus();
        QCOMPARE(dialogos.mensajes, QStringList{u"Algún dato capturado no es un valor numérico."_s});
        QCOMPARE(foco(), u"stgdatos"_s);
        QCOMPARE(pagina(), 1);
        QCOMPARE(celdaActual(), QPoint(0, 0));
        QCOMPARE(opciones(), VentanaEstudio::OpcionesRejilla::conTab);

        rejilla()->setCurrentCell(1, 0);
        reemplaza(u"3"_s);
        dialogos.mensajes.clear();
        campo(u"econdicion"_s)->setFocus();
        QVERIFY(dialogos.mensajes.isEmpty());
        QCOMPARE(foco(), u"boton1"_s);
    }

    void tabEnRejilla()
    {
        nuevoAceptado(u"2"_s, u"3"_s);
        // Without typing, Tab walks the cells and wraps round: never leaves.
        for (int i = 0; i < 7; ++i)
            tecla(Qt::Key_Tab);
        QCOMPARE(foco(), u"stgdatos"_s);
        QCOMPARE(celdaActual(), QPoint(1, 0));
        // Typing in the last column above the last row keeps Tab inside.
        teclea(u"7"_s);
        tecla(Qt::Key_Tab);
        QCOMPARE(foco(), u"stgdatos"_s);
        QCOMPARE(celdaActual(), QPoint(0, 1));
        // A key in the bottom-right cell lets the next Tab out.
        rejilla()->setCurrentCell(2, 1);
        tecla(Qt::Key_Backspace);
        QCOMPARE(opciones(), VentanaEstudio::OpcionesRejilla::sinTab);
        tecla(Qt::Key_Tab);
        QCOMPARE(dialogos.mensajes.size(), 1);  // the empty cells, see celdaFaltante
        // Shift+Tab inside the grid goes back and wraps too.
        tecla(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(foco(), u"stgdatos"_s);
        QCOMPARE(celdaActual(), QPoint(1, 2));
    }

    void pegar()
    {
        nuevoAceptado(u"2"_s, u"3"_s);
        documento()->ponModificado(false);
        QApplication::clipboard()->setText(u"98.1\t99.2\n97.3\t98.4\n99.5\t100.6\n"_s);
        tecla(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(celda(2, 1), u"99.2"_s);
        QCOMPARE(celda(2, 3), u"100.6"_s);
        QCOMPARE(hijo<QLineEdit>(documento(), u"editorstgdatos"_s)->text(), u"98.1"_s);
        QCOMPARE(estado(), u"Modificado"_s);
        QVERIFY(habilitado(u"mnuinforme"_s));
        tecla(Qt::Key_Tab);
        QVERIFY(dialogos.mensajes.isEmpty());
        QCOMPARE(foco(), u"boton1"_s);

        // Clipped to the grid.
        rejilla()->setFocus();
        rejilla()->setCurrentCell(1, 1);
        QApplication::clipboard()->setText(u"1\t2\t3\n4\t5\t6\n7\t8\t9\n"_s);
        tecla(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(QStringList({celda(2, 2), celda(2, 3), celda(1, 2)}), QStringList({u"1"_s, u"4"_s, u"97.3"_s}));
        QCOMPARE(documento()->estudio().stgdatos.columnas(), 3);
        QCOMPARE(opciones(), VentanaEstudio::OpcionesRejilla::sinTab);
    }

    // The messages are the capture rules'; here, where each one leaves the
    // focus (an empty one: not looked at) and that it stops the command.
    void validaCaptura_data() { casos("validaCaptura"); }
    void validaCaptura()
    {
        QString k = dato("k"), n = dato("n"), mensaje = dato("mensaje"), foco = dato("foco");
        nuevo();
        // Texts set behind the checks' back, as a file may bring them.
        campo(u"econdicion"_s)->setText(k);
        campo(u"ereplica"_s)->setText(n);
        ventana->aplicaEvento(Evento::focoEntraRejilla);
        dialogos.archivoGuardar = dir.filePath(u"valida.w1e"_s);
        accion(u"FileSaveAsItem"_s)->trigger();
        QCOMPARE(dialogos.mensajes.join(u'|'), mensaje);  // one message, or none
        if (!foco.isEmpty()) {
            QCOMPARE(this->foco(), foco);
            QCOMPARE(pagina(), mensaje.isEmpty() ? 0 : 1);
        }
        // A failed validation stops the command before its dialog.
        QCOMPARE(dialogos.nombresGuardar.size(), mensaje.isEmpty() ? 1 : 0);
        QFile::remove(dialogos.archivoGuardar);
    }

    void guardarYAbrir()
    {
        nuevoAceptado(u"2"_s, u"5"_s);
        campo(u"etole"_s)->setText(u"Columna de cromatografía"_s);
        llenaRejilla({u"1.5"_s, u"2"_s, u"3"_s, u"4"_s, QString(), u"6"_s, u"7"_s, u"8"_s, u"9"_s,
                      u"10"_s});

        const QString ruta = dir.filePath(u"estudio.w1e"_s);
        dialogos.archivoGuardar = ruta;
        accion(u"FileSaveItem"_s)->trigger();
        QCOMPARE(dialogos.nombresGuardar, QStringList{u"Nuevo"_s});
        QCOMPARE(documento()->windowTitle(), ruta);
        QCOMPARE(estado(), QString());
        // The file's bytes are the study file's tests: here, what was typed reached it.
        QVERIFY(contenido(ruta).startsWith("Columna de cromatograf\xed" "a\r\n"));

        // A second save writes to the same file without a dialog.
        teclea(u"1"_s);
        accion(u"FileSaveItem"_s)->trigger();
        QCOMPARE(dialogos.nombresGuardar.size(), 1);
        QVERIFY(contenido(ruta).endsWith("\r\n101\r\n"));
        QCOMPARE(estado(), QString());

        // Closing a saved study asks nothing.
        accion(u"mnuclose"_s)->trigger();
        QVERIFY(!documento() && dialogos.preguntas.isEmpty());

        dialogos.archivoAbrir = ruta;
        accion(u"FileOpenItem"_s)->trigger();
        QCOMPARE(documento()->windowTitle(), ruta);
        QCOMPARE(estado(), u" "_s);
        // The last labelled for the file's counts, as the accept button does.
        QCOMPARE(QStringList({celda(1, 1), celda(1, 3), celda(2, 5), celda(0, 5)}),
                 QStringList({u"1.5"_s, QString(), u"101"_s, u"Muestra 5"_s}));

        // "&Abrir..." leaves the calculations behind the document's "&OK".
        usables({u"mnuanova"_s, u"pmnudunet"_s}, {u"mnucalculos"_s, u"FileSaveItem"_s});
        QVERIFY(!ventana->alcanzable(accion(u"mnuanova"_s)));

        // The save dialog remembers the opened file.
        ventana->aplicaEvento(Evento::focoEntraRejilla);
        dialogos.archivoGuardar.clear();
        accion(u"FileSaveAsItem"_s)->trigger();
        QCOMPARE(dialogos.nombresGuardar.last(), ruta);
    }

    void archivoIlegible()
    {
        dialogos.archivoAbrir = escribeArchivo(u"malo.w1e"_s, "a\r\nb\r\nc\r\nd\r\nx\r\n3\r\n");
        accion(u"FileOpenItem"_s)->trigger();
        QCOMPARE(dialogos.mensajes, QStringList{u"'x' is not a valid integer value"_s});
        QVERIFY(ventana->marco()->subWindowList().isEmpty());
        usables({u"FileNewItem"_s, u"FileOpenItem"_s}, {u"mnuclose"_s});

        dialogos.archivoAbrir = dir.filePath(u"no-existe.w1e"_s);
        accion(u"FileOpenItem"_s)->trigger();
        QCOMPARE(dialogos.mensajes.size(), 2);
        QVERIFY(dialogos.mensajes.last().startsWith(u"No se puede abrir el archivo «%1»: "_s
                                                        .arg(dialogos.archivoAbrir)));
        // A pipe is refused before it is opened. Should the window wait on
        // it, a writer comes after ten seconds and the test fails instead
        // of hanging.
        dialogos.archivoAbrir = dir.filePath(u"tubo.w1e"_s);
        const QByteArray tubo = QFile::encodeName(dialogos.archivoAbrir);
        QCOMPARE(mkfifo(tubo.constData(), 0600), 0);
        std::promise<void> abierto;
        std::thread liberador([espera = abierto.get_future(), tubo] {
            if (espera.wait_for(std::chrono::seconds(10)) == std::future_status::timeout)
                ::close(::open(tubo.constData(), O_WRONLY | O_NONBLOCK));
        });
        accion(u"FileOpenItem"_s)->trigger();
        abierto.set_value();
        liberador.join();
        QCOMPARE(dialogos.mensajes.size(), 3);
        QCOMPARE(dialogos.mensajes.last(),
                 u"No se puede abrir el archivo «%1»: no es un archivo normal."_s.arg(dialogos.archivoAbrir));
        QVERIFY(!documento());

        // Cancelling the dialog does nothing.
        dialogos.archivoAbrir.clear();
        accion(u"FileOpenItem"_s)->trigger();
        QCOMPARE(dialogos.mensajes.size(), 3);
        QVERIFY(!documento());
    }

    // A modified study is never closed unsaved without the user's No.
    // A count at fault under a Yes is the focus test's, with real boxes.
    void preguntaAlCerrar_data() { casos("preguntaAlCerrar"); }
    void preguntaAlCerrar()
    {
        // archivo: the save dialog's answer; mensaje: the start of the only message.
        QString comando = dato("comando"), archivo = dato("archivo"), k = dato("k"),
                mensaje = dato("mensaje"), respuesta = dato("respuesta"), sigueAbierta = dato("sigueAbierta");
        const bool si = respuesta == u"sí"_s, abierta = sigueAbierta == u"sí"_s;
        nuevo();
        teclea(u"x"_s);
        campo(u"econdicion"_s)->setText(k);
        dialogos.respuesta = si;
        dialogos.archivoGuardar = archivo.isEmpty() ? QString() : dir.filePath(archivo);
        if (mensaje.contains(u"%1"_s))
            mensaje = mensaje.arg(dialogos.archivoGuardar);
        QSignalSpy cerrada(ventana, &VentanaPrincipal::cerrada);
        accion(comando)->trigger();
        QCOMPARE(dialogos.preguntas,
                 QStringList{u"Guardar archivo?|Se realizaron cambios!\nQuiere guardar su información?"_s});
        QCOMPARE(bool(documento()), abierta);
        QCOMPARE(cerrada.size(), comando == u"FileExitItem"_s && !abierta ? 1 : 0);
        QCOMPARE(dialogos.mensajes.size(), mensaje.isEmpty() ? 0 : 1);
        if (!mensaje.isEmpty())
            QVERIFY2(dialogos.mensajes.first().startsWith(mensaje), qPrintable(dialogos.mensajes.first()));
        if (abierta) {
            QCOMPARE(estado(), u"Modificado"_s);
            QCOMPARE(documento()->windowTitle(), u"Nuevo"_s);
            QVERIFY(ventana->isVisible());
            QVERIFY(!QFile::exists(dialogos.archivoGuardar));
        } else {
            QCOMPARE(estado(), u" "_s);
            QVERIFY(habilitado(u"FileNewItem"_s));
            if (si)
                QVERIFY(contenido(dialogos.archivoGuardar).startsWith("x\r\n"));
        }
    }

    void menuDeshabilitado()
    {
        // The shortcut of a usable item works...
        QTest::keyClick(ventana, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(documento());
        campo(u"econdicion"_s)->setText(QString());
        // "Deskjet" usable while "&Imprimir..." is not: unreachable. (Shown
        // here, since a hidden action never triggers at all.)
        QAction *deskjet = accion(u"PrintDeskjet"_s);
        deskjet->setVisible(true);
        ventana->aplicaEvento(Evento::focoEntraRejilla);
        ventana->aplicaEvento(Evento::nuevo);
        QVERIFY(deskjet->isEnabled());
        QVERIFY(!accion(u"FilePrintItem"_s)->isEnabled());
        deskjet->trigger();
        QVERIFY(dialogos.mensajes.isEmpty());
        ventana->aplicaEvento(Evento::focoEntraRejilla);
        deskjet->trigger();
        QCOMPARE(dialogos.mensajes, QStringList{u"Falta capturar el número de FAM."_s});

        // A disabled item's own shortcut does nothing either.
        ventana->aplicaEvento(Evento::nuevo);
        QVERIFY(!accion(u"FileNewItem"_s)->isEnabled());
        QTest::keyClick(ventana, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(ventana->marco()->subWindowList().size(), 1);
    }

    void menuDeRejilla()
    {
        nuevoAceptado(u"2"_s, u"3"_s);
        auto *editor = hijo<QLineEdit>(documento(), u"editorstgdatos"_s);
        QContextMenuEvent derecho(QContextMenuEvent::Mouse, QPoint(5, 5), editor->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(editor, &derecho);
        QVERIFY(hijo<QMenu>(documento(), u"pmenu"_s)->isVisible());
        hijo<QMenu>(documento(), u"pmenu"_s)->close();
    }

    // Counts the field checks would refuse still reach the accept button
    // (through its shortcut, or from a file): the grid follows without harm.
    void conteosExtremosAceptados_data() { casos("conteosExtremosAceptados"); }
    void conteosExtremosAceptados()
    {
        QString k = dato("k"), lado = dato("lado");
        nuevo();
        campo(u"econdicion"_s)->setText(k);
        campo(u"ereplica"_s)->setText(k);
        hijo<QPushButton>(documento(), u"botonok"_s)->click();
        QCOMPARE(QSize(rejilla()->columnCount(), rejilla()->rowCount()), QSize(lado.toInt(), lado.toInt()));
        rejilla()->setFocus();
        teclea(u"1"_s);
        tecla(Qt::Key_Tab);
        campo(u"etole"_s)->setFocus();
        // The study can still be written when it is valid again.
        campo(u"econdicion"_s)->setText(u"2"_s);
        campo(u"ereplica"_s)->setText(u"2"_s);
        QVERIFY(ValidaCaptura(documento()));
    }

    void ayudaDeMenu()
    {
        QCOMPARE(ventana->numeroAyuda(accion(u"FileSaveItem"_s)), 5);
        // Items without a number of their own take their menu's.
        QCOMPARE(ventana->numeroAyuda(accion(u"PrintLasser"_s)), 7);
        QCOMPARE(ventana->numeroAyuda(accion(u"mnuanova"_s)), 10);

        // F1 in an open menu stays with the menu: it asks for the item's
        // topic, not for the contents.
        auto *menu = hijo<QMenu>(ventana, u"FileMenu"_s);
        menu->popup(ventana->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(accion(u"FileNewItem"_s));
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(menu, &f1);
        QVERIFY(f1.isAccepted());
        QCOMPARE(VisorDeAyuda()->paginaActual(), PaginaDeContexto(2));
        VisorDeAyuda()->close();
        menu->close();
    }

    void acercaDe()
    {
        accion(u"HelpAboutItem"_s)->trigger();
        auto *caja = ventana->findChild<AcercaDe *>();
        QVERIFY(caja && caja->isVisible() && !caja->isModal());  // its caption: nombresDeVentana
        QTest::mouseClick(hijo<QPushButton>(caja, u"OKButton"_s), Qt::LeftButton);
        QTRY_VERIFY(!ventana->findChild<AcercaDe *>());
    }

    // A study read from a file is labelled for its own counts: the report
    // window, the printed page and the command line show the same record.
    void estudioLeidoEtiquetado()
    {
        abreConResultados();
        QProcess cli;
        cli.start(QStringLiteral(TOLERANCIA_EJECUTABLE), {u"--informe"_s, ejemploSignificativo});
        QVERIFY(cli.waitForFinished());
        QCOMPARE(cli.exitCode(), 0);
        const QString informe = hijo<QPlainTextEdit>(ventana, u"mminforme"_s)->toPlainText();
        QCOMPARE(informe + u'\n', QString::fromUtf8(cli.readAllStandardOutput()));
        QVERIFY(informe.contains(u"\nMuestra 6 "_s));

        LienzoGrabador lienzo(600, 4800);
        ImprimeInformacionLaser(lienzo, documento()->estudio());
        const auto &pagina = lienzo.trabajos.first();
        for (const QString &etiqueta : {u" FAM"_s, u"   5"_s, u"Muestra 4"_s, u"Muestra 5"_s, u"Muestra 6"_s})
            QVERIFY2(std::count_if(pagina.textos.begin(), pagina.textos.end(),
                                   [&etiqueta](const auto &t) { return t.texto == etiqueta; }) == 1,
                     qPrintable(etiqueta));
    }

    // Every child window lies wholly inside the workspace, also the study
    // opened again while result windows are open, on a large and a small
    // main window; the report starts at its first line.
    void ventanasDentroDelMarco_data() { casos("ventanasDentroDelMarco"); }
    void ventanasDentroDelMarco()
    {
        QString ancho = dato("ancho"), alto = dato("alto");
        ventana->setFixedSize(ancho.toInt(), alto.toInt());
        abreConResultados();
        accion(u"mnuinforme"_s)->trigger();
        documento()->parentWidget()->close();
        QVERIFY(!documento());
        accion(u"FileOpenItem"_s)->trigger();
        QVERIFY(documento());
        QMdiArea *marco = ventana->marco();
        const QRect libre = marco->viewport()->rect();
        const auto hijas = marco->subWindowList();
        QCOMPARE(hijas.size(), 5);
        for (QMdiSubWindow *hija : hijas)
            QVERIFY2(libre.contains(hija->geometry()), qPrintable(hija->windowTitle()));
        for (auto *informe : ventana->findChildren<QPlainTextEdit *>(u"mminforme"_s)) {
            QCOMPARE(informe->verticalScrollBar()->value(), 0);
            QVERIFY(informe->verticalScrollBar()->maximum() > 0);
        }
    }

    // What a screen reader announces: Spanish names that say what each grid,
    // memo and panel is; the object names stay for the program's own use.
    void nombresAccesibles_data() { casos("nombresAccesibles"); }
    void nombresAccesibles()
    {
        QString objeto = dato("objeto"), nombre = dato("nombre");
        abreConResultados();
        QAccessibleInterface *interfaz =
            QAccessible::queryAccessibleInterface(hijo<QWidget>(ventana, objeto));
        QVERIFY(interfaz);
        QCOMPARE(interfaz->text(QAccessible::Name), nombre);
    }

    // Each status panel tells a screen reader its current text.
    void panelesLegibles()
    {
        const auto texto = [this](const QString &panel) {
            return QAccessible::queryAccessibleInterface(hijo<QLabel>(ventana, panel))
                ->text(QAccessible::Description);
        };
        QCOMPARE(texto(u"Paneld"_s), u"F1 <Ayuda>"_s);
        nuevo();
        teclea(u"a"_s);
        accion(u"FileSaveAsItem"_s)->showStatusText(ventana);
        QCOMPARE(estado(), u"Modificado"_s);
        QCOMPARE(texto(u"estado"_s), u"Modificado"_s);
        QCOMPARE(texto(u"StatusLine"_s), u"Guarda el archivo con un nuevo nombre y/o trayectoria"_s);
        documento()->ponModificado(false);
        QCOMPARE(texto(u"estado"_s), QString());
    }

    // The name each top-level window gets is exactly the program's caption,
    // with nothing of the toolkit's appended.
    void nombresDeVentana_data() { casos("nombresDeVentana"); }
    void nombresDeVentana()
    {
        QString clase = dato("clase"), titulo = dato("titulo");
        PreparaAplicacion();
        // Qt appends a display name of the program's own to every window name.
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
        Presentacion splash;
        ventana->creaVentanasImpresion();
        accion(u"HelpAboutItem"_s)->trigger();
        // Every window of the class: the options windows are two.
        QList<QWidget *> ventanas{&splash, ventana};
        ventanas += ventana->findChildren<QWidget *>();
        ventanas.removeIf([&clase](QWidget *w) {
            return !w->isWindow() || w->metaObject()->className() != clase;
        });
        QVERIFY(!ventanas.isEmpty());
        for (QWidget *w : std::as_const(ventanas)) {
            w->show();
            QCOMPARE(w->windowTitle(), titulo);
            QCOMPARE(w->windowHandle()->title(), titulo);
            w->hide();
        }
    }

    void splash()
    {
        Presentacion splash;
        connect(ventana, &VentanaPrincipal::activada, splash.reloj, qOverload<>(&QTimer::start));
        splash.show();
        QVERIFY(!splash.reloj->isActive());
        QEvent activa(QEvent::WindowActivate);
        QApplication::sendEvent(ventana, &activa);
        QTest::qWait(2500);
        QVERIFY(splash.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 2000);
    }
};

QTEST_MAIN(TstVentanas)
#include "tst_ventanas.moc"