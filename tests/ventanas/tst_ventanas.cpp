#include "Ayudas.h"
#include "DialogosFalsos.h"
#include "TablaDePrueba.h"

#include "core/ayuda/TemasAyuda.h"
#include "core/comandos/EstadoComandos.h"
#include "gui/AcercaDe.h"
#include "gui/Ayuda.h"
#include "gui/BuscarAyuda.h"
#include "gui/OpcionesImpresion.h"
#include "gui/Presentacion.h"
#include "gui/Programa.h"
#include "gui/RegistroEstudio.h"
#include "gui/RejillaCaptura.h"
#include "gui/VisorAyuda.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString carpetaCasos = u"" TOLERANCIA_FUENTES "/tests/ventanas/casos"_s;

// Checks a study's register with Python's hashlib and json alone: "intacto
// N coincide|difiere" and the kinds of its entries, or "roto L".
QString registroVerificado(const QString &estudio)
{
    return salidaDe(u"python3"_s, {u"" TOLERANCIA_FUENTES "/tests/registro/casos/verifica_registro.py"_s,
                                   estudio + u".registro"_s, estudio})
        .trimmed();
}

// The last entry of a study's register, read as the JSON line it is.
QJsonObject ultimaEntrada(const QString &estudio)
{
    QFile f(estudio + u".registro"_s);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lineas = f.readAll().trimmed().split('\n');
    return QJsonDocument::fromJson(lineas.constLast()).object();
}

bool si(const QString &texto) { return texto == u"sí"_s; }

// "c,f": a column and a row.
QPoint posicion(const QString &texto)
{
    const QStringList partes = texto.split(u',');
    return {partes.value(0).toInt(), partes.value(1).toInt()};
}

// A key with its modifiers, as "Ctrl+Z" or "Tab".
QKeyCombination combinacion(const QString &texto)
{
    const QKeySequence secuencia = QKeySequence::fromString(texto, QKeySequence::PortableText);
    if (secuencia.count() != 1)
        qFatal("tecla desconocida: %s", qPrintable(texto));
    return secuencia[0];
}

}  // namespace

using Pasos = QList<QStringList>;

class TstVentanas : public QObject
{
    Q_OBJECT

    DialogosFalsos dialogos;
    VentanaPrincipal *ventana = nullptr;
    QTemporaryDir dir;

    QAction *accion(const QString &nombre) const { return hijo<QAction>(ventana, nombre); }
    VentanaEstudio *documento() const { return ventana->documento(); }
    QLineEdit *campo(const QString &nombre) const { return hijo<QLineEdit>(documento(), nombre); }
    RejillaCaptura *rejilla() const { return hijo<RejillaCaptura>(documento(), u"stgdatos"_s); }
    QString foco() const { return componenteConFoco(ventana); }
    QLabel *panel(const QString &nombre) const { return hijo<QLabel>(ventana, nombre); }

    // The counts typed on the capture page, each left by Tab, accepted, and
    // the focus into the grid.
    void aceptaConteos(const QString &k, const QString &n)
    {
        hijo<QTabWidget>(documento(), u"Thojas"_s)->setCurrentIndex(1);
        campo(u"econdicion"_s)->setFocus();
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

    // The 5 × 6 example opened, then its analysis of variance, its intervals
    // and its report.
    void abreConResultados()
    {
        dialogos.archivoAbrir = u"" TOLERANCIA_FUENTES "/ejemplos/ejemplo-significativo.w1e"_s;
        accion(u"FileOpenItem"_s)->trigger();
        ventana->aplicaEvento(Evento::focoEntraRejilla);  // as the user goes to the values
        for (const QString &orden : {u"mnuanova"_s, u"mnuconclu"_s, u"mnuinforme"_s})
            accion(orden)->trigger();
        QVERIFY(dialogos.mensajes.isEmpty());
    }

    // An argument of a step: "quoted" to keep its blanks, with the line
    // breaks and tabs of a clipboard, and the places of the files.
    QString argumento(QString texto) const
    {
        if (texto.size() >= 2 && texto.startsWith(u'"') && texto.endsWith(u'"'))
            texto = texto.mid(1, texto.size() - 2);
        return texto.replace(u"\\n"_s, u"\n"_s)
            .replace(u"\\t"_s, u"\t"_s)
            .replace(u"$DIR"_s, dir.path())
            .replace(u"$CASOS"_s, carpetaCasos)
            .replace(u"$EJEMPLOS"_s, u"" TOLERANCIA_FUENTES "/ejemplos"_s);
    }

    // The boxes shown since the last look, one argument each; now seen.
    static void comparaLista(QStringList &vistos, const QStringList &esperados)
    {
        const QStringList antes = std::exchange(vistos, {});
        QCOMPARE(antes.join(u" ¦ "_s), esperados.join(u" ¦ "_s));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // The preferences of the run, not the user's.
        qputenv("XDG_CONFIG_HOME", dir.filePath(u"config"_s).toLocal8Bit());
        Dialogos::instala(&dialogos);
    }

    void init()
    {
        dialogos = DialogosFalsos();
        PonPreguntaMotivo(true);
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

    // The flows of tests/ventanas/casos/flujos/*.txt: "== name" starts one,
    // then a step a line, its order and arguments separated by tabs; "#"
    // starts a comment.
    void flujos_data()
    {
        QTest::addColumn<Pasos>("pasos");
        const QDir carpeta(carpetaCasos + u"/flujos"_s);
        for (const QString &archivo : carpeta.entryList({u"*.txt"_s})) {
            QFile f(carpeta.filePath(archivo));
            QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
            const QStringList lineas = QString::fromUtf8(f.readAll()).split(u'\n');
            QString flujo;
            Pasos pasos;
            for (qsizetype i = 0; i <= lineas.size(); ++i) {
                const QString linea = lineas.value(i, u"== "_s);
                if (linea.startsWith(u"== "_s)) {
                    if (!pasos.isEmpty())
                        QTest::newRow(qPrintable(flujo)) << pasos;
                    flujo = linea.mid(3);
                    pasos.clear();
                } else if (!linea.isEmpty() && !linea.startsWith(u'#')) {
                    pasos << QStringList{u"%1:%2"_s.arg(archivo).arg(i + 1)} + linea.split(u'\t');
                }
            }
        }
    }

    // Each step acts as the user or the program would, or checks what the
    // windows show; every message shown must be checked by a step.
    void flujos()
    {
        QFETCH(Pasos, pasos);
        QSignalSpy cerradas(ventana, &VentanaPrincipal::cerrada);
        const QHash<QString, Evento> eventos{{u"nuevo"_s, Evento::nuevo},
                                            {u"focoEntraDocumento"_s, Evento::focoEntraDocumento},
                                            {u"focoEntraRejilla"_s, Evento::focoEntraRejilla}};
        using Opciones = RejillaCaptura::Opciones;
        const QHash<QString, Opciones> opciones{
            {u"inicial"_s, Opciones::inicial}, {u"conTab"_s, Opciones::conTab}, {u"sinTab"_s, Opciones::sinTab}};
        using A = const QStringList &;
        const QHash<QString, std::function<void(A)>> ordenes{
            // What the user or the program does.
            {u"orden"_s, [&](A a) { accion(a[0])->trigger(); }},
            {u"pulsa"_s, [&](A a) { hijo<QAbstractButton>(documento(), a[0])->click(); }},
            {u"abre"_s,
             [&](A a) {
                 dialogos.archivoAbrir = a.value(0);
                 accion(u"FileOpenItem"_s)->trigger();
             }},
            {u"guardarEn"_s, [&](A a) { dialogos.archivoGuardar = a.value(0); }},
            // The reason typed when one is asked; none: the dialog is cancelled.
            {u"motivo"_s,
             [&](A a) { dialogos.motivo = a.isEmpty() ? std::nullopt : std::optional<QString>(a[0]); }},
            // A command ("FileSaveItem", …) on a disk where no file may
            // grow beyond a[1] bytes.
            {u"ordenConDiscoLleno"_s,
             [&](A a) {
                 struct rlimit anterior;
                 QCOMPARE(getrlimit(RLIMIT_FSIZE, &anterior), 0);
                 struct rlimit limite = anterior;
                 limite.rlim_cur = rlim_t(a[1].toInt());
                 const auto senal = std::signal(SIGXFSZ, SIG_IGN);
                 QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
                 accion(a[0])->trigger();
                 setrlimit(RLIMIT_FSIZE, &anterior);
                 std::signal(SIGXFSZ, senal);
             }},
            // Files changed behind the program's back.
            {u"copia"_s,
             [&](A a) {
                 QFile::remove(a[1]);
                 QVERIFY(QFile::copy(a[0], a[1]));
                 QVERIFY(QFile::setPermissions(a[1], QFile::ReadOwner | QFile::WriteOwner));
             }},
            {u"carpeta"_s, [&](A a) { QVERIFY(QDir().mkpath(a[0])); }},
            // Line `a[1]` of a text file has `a[2]` replaced by `a[3]`.
            {u"edita"_s,
             [&](A a) {
                 QFile f(a[0]);
                 QVERIFY(f.open(QIODevice::ReadOnly));
                 QList<QByteArray> lineas = f.readAll().split('\n');
                 f.close();
                 QByteArray &linea = lineas[a[1].toInt() - 1];
                 QVERIFY(linea.contains(a[2].toUtf8()));
                 linea.replace(a[2].toUtf8(), a[3].toUtf8());
                 QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
                 f.write(lineas.join('\n'));
             }},
            // "sí", "no", or "escape" (the box's close button alike).
            {u"respuesta"_s,
             [&](A a) {
                 using R = Dialogos::Respuesta;
                 const QHash<QString, R> respuestas{{u"sí"_s, R::si}, {u"no"_s, R::no}, {u"escape"_s, R::ninguna}};
                 QVERIFY2(respuestas.contains(a[0]), qPrintable(a[0]));
                 dialogos.respuesta = respuestas.value(a[0]);
             }},
            {u"teclea"_s, [&](A a) { teclea(a[0]); }},
            // A key to the focused widget, as many times as the second
            // argument says; or to the main window.
            {u"tecla"_s,
             [&](A a) {
                 const QKeyCombination c = combinacion(a[0]);
                 for (int i = a.value(1, u"1"_s).toInt(); i > 0; --i)
                     tecla(c.key(), c.keyboardModifiers());
             }},
            {u"teclaPrincipal"_s,
             [&](A a) {
                 const QKeyCombination c = combinacion(a[0]);
                 QTest::keyClick(ventana, c.key(), c.keyboardModifiers());
             }},
            {u"reemplaza"_s, [&](A a) { reemplaza(a.value(0)); }},
            // The values from the current cell on, Tab between them.
            {u"llena"_s,
             [&](A a) {
                 const QStringList valores = a[0].split(u',');
                 for (qsizetype i = 0; i < valores.size(); ++i) {
                     if (i > 0)
                         tecla(Qt::Key_Tab);
                     teclea(valores[i]);
                 }
             }},
            {u"captura"_s,
             [&](A a) {
                 hijo<QTabWidget>(documento(), u"Thojas"_s)->setCurrentIndex(1);
                 campo(a[0])->setFocus();
             }},
            {u"enfoca"_s, [&](A a) { hijo<QWidget>(documento(), a[0])->setFocus(); }},
            // The focus to a control of another window of the frame, or to
            // the help viewer and back to the main window.
            {u"enfocaFuera"_s,
             [&](A a) {
                 hijo<QWidget>(ventana, a[0])->setFocus();
                 QCoreApplication::processEvents();
             }},
            {u"enfocaAyuda"_s,
             [&](A) {
                 PideAyuda(ComandoAyuda::contenido);
                 QVERIFY(QTest::qWaitForWindowActive(VisorDeAyuda()));
                 QCoreApplication::processEvents();
             }},
            {u"cierraAyuda"_s,
             [&](A) {
                 VisorDeAyuda()->close();
                 ventana->activateWindow();
                 QVERIFY(QTest::qWaitForWindowActive(ventana));
             }},
            {u"pon"_s, [&](A a) { campo(a[0])->setText(a.value(1)); }},
            {u"acepta"_s, [&](A a) { aceptaConteos(a[0], a[1]); }},
            {u"evento"_s,
             [&](A a) {
                 QVERIFY2(eventos.contains(a[0]), qPrintable(a[0]));
                 ventana->aplicaEvento(eventos.value(a[0]));
             }},
            {u"cierraMarco"_s, [&](A) { ventana->close(); }},
            {u"sinModificar"_s, [&](A) { documento()->ponModificado(false); }},
            {u"habilita"_s, [&](A a) { accion(a[0])->setEnabled(true); }},
            {u"muestra"_s, [&](A a) { accion(a[0])->setVisible(true); }},
            {u"va"_s, [&](A a) { rejilla()->setCurrentCell(posicion(a[0]).y(), posicion(a[0]).x()); }},
            {u"portapapeles"_s, [&](A a) { QApplication::clipboard()->setText(a[0]); }},
            {u"valida"_s, [&](A) { QVERIFY(ValidaCaptura(documento())); }},
            // What the windows show.
            {u"foco"_s, [&](A a) { QCOMPARE(foco(), a[0]); }},
            {u"pagina"_s,
             [&](A a) { QCOMPARE(hijo<QTabWidget>(documento(), u"Thojas"_s)->currentIndex(), a[0].toInt()); }},
            {u"estado"_s, [&](A a) { QCOMPARE(ventana->estado(), a.value(0)); }},
            {u"titulo"_s, [&](A a) { QCOMPARE(documento()->windowTitle(), a[0]); }},
            {u"texto"_s, [&](A a) { QCOMPARE(campo(a[0])->text(), a.value(1)); }},
            {u"largo"_s, [&](A a) { QCOMPARE(campo(a[0])->text().size(), a[1].toInt()); }},
            {u"celda"_s,
             [&](A a) {
                 const QPoint p = posicion(a[0]);
                 QCOMPARE(documento()->estudio().rejilla.celda(p.x(), p.y()), a.value(1));
             }},
            {u"rejilla"_s,
             [&](A a) {
                 QCOMPARE(rejilla()->columnCount(), a[0].toInt());
                 QCOMPARE(rejilla()->rowCount(), a[1].toInt());
             }},
            {u"seleccion"_s, [&](A a) { QCOMPARE(campo(u"editorstgdatos"_s)->selectedText(), a.value(0)); }},
            {u"posicion"_s,
             [&](A a) { QCOMPARE(QPoint(rejilla()->currentColumn(), rejilla()->currentRow()), posicion(a[0])); }},
            {u"opciones"_s,
             [&](A a) {
                 QVERIFY2(opciones.contains(a[0]), qPrintable(a[0]));
                 QCOMPARE(rejilla()->opciones(), opciones.value(a[0]));
             }},
            {u"mensajes"_s, [&](A a) { comparaLista(dialogos.mensajes, a); }},
            {u"preguntas"_s, [&](A a) { comparaLista(dialogos.preguntas, a); }},
            {u"nombresGuardar"_s, [&](A a) { QCOMPARE(dialogos.nombresGuardar, a); }},
            {u"motivosPedidos"_s, [&](A a) { QCOMPARE(dialogos.motivosPedidos, a[0].toInt()); }},
            {u"registro"_s, [&](A a) { QCOMPARE(registroVerificado(a[0]), a.value(1)); }},
            {u"ultimaEntrada"_s,
             [&](A a) { QCOMPARE(ultimaEntrada(a[0]).value(a[1]).toString(), a.value(2)); }},
            {u"marcado"_s, [&](A a) { QCOMPARE(accion(a[0])->isChecked(), si(a[1])); }},
            {u"usables"_s,
             [&](A a) {
                 for (const QString &nombre : a[0].split(u' '))
                     QVERIFY2(habilitado(ventana, nombre), qPrintable(nombre));
             }},
            {u"inusables"_s,
             [&](A a) {
                 for (const QString &nombre : a[0].split(u' '))
                     QVERIFY2(!habilitado(ventana, nombre), qPrintable(nombre));
             }},
            {u"alcanzable"_s, [&](A a) { QCOMPARE(ventana->alcanzable(accion(a[0])), si(a[1])); }},
            {u"documento"_s, [&](A a) { QCOMPARE(bool(documento()), si(a[0])); }},
            {u"ventanas"_s, [&](A a) { QCOMPARE(ventana->marco()->subWindowList().size(), a[0].toInt()); }},
            {u"existe"_s, [&](A a) { QCOMPARE(QFile::exists(a[0]), si(a[1])); }},
            {u"cerradas"_s, [&](A a) { QCOMPARE(cerradas.size(), a[0].toInt()); }},
            {u"visible"_s, [&](A a) { QCOMPARE(ventana->isVisible(), si(a[0])); }},
            {u"rotulo"_s, [&](A a) { QCOMPARE(panel(a[0])->text(), a[1]); }},
            {u"atajo"_s, [&](A a) { QCOMPARE(accion(a[0])->shortcut(), QKeySequence(a[1])); }},
            {u"consejo"_s,
             [&](A a) { QCOMPARE(hijo<QObject>(ventana, a[0])->property("toolTip").toString(), a[1]); }},
            // The status line's hint for a menu item, and for a button or
            // the grid under the mouse.
            {u"aviso"_s,
             [&](A a) {
                 accion(a[0])->showStatusText(ventana);
                 QCOMPARE(panel(u"StatusLine"_s)->text(), a[1]);
             }},
            {u"entra"_s,
             [&](A a) {
                 QEvent entra(QEvent::Enter);
                 QApplication::sendEvent(hijo<QWidget>(ventana, a[0]), &entra);
                 QCOMPARE(panel(u"StatusLine"_s)->text(), a[1]);
             }},
            // What a screen reader announces: a widget's name or description.
            {u"accesible"_s,
             [&](A a) {
                 QAccessibleInterface *interfaz = QAccessible::queryAccessibleInterface(hijo<QWidget>(ventana, a[0]));
                 QVERIFY(interfaz);
                 QVERIFY(a[1] == u"nombre"_s || a[1] == u"descripcion"_s);
                 QCOMPARE(interfaz->text(a[1] == u"nombre"_s ? QAccessible::Name : QAccessible::Description),
                          a.value(2));
             }},
            // ... and of the study's grid: a FAM's column heading, a cell
            // ("c,f" as for "celda").
            {u"encabezadoLeido"_s,
             [&](A a) {
                 QAccessibleTableInterface *tabla = QAccessible::queryAccessibleInterface(rejilla())->tableInterface();
                 QAccessibleInterface *celda = tabla->cellAt(0, a[0].toInt() - 1);
                 const QList<QAccessibleInterface *> encabezados = celda->tableCellInterface()->columnHeaderCells();
                 QCOMPARE(encabezados.size(), 1);
                 // The toolkit makes the heading for the asker, who keeps it.
                 const QAccessible::Id encabezado = QAccessible::uniqueId(encabezados[0]);
                 const QString texto = encabezados[0]->text(QAccessible::Name);
                 QAccessible::deleteAccessibleInterface(encabezado);
                 QCOMPARE(texto, a[1]);
             }},
            {u"celdaLeida"_s,
             [&](A a) {
                 QAccessibleTableInterface *tabla = QAccessible::queryAccessibleInterface(rejilla())->tableInterface();
                 const QPoint p = posicion(a[0]);
                 QCOMPARE(tabla->cellAt(p.y() - 1, p.x() - 1)->text(QAccessible::Name), a[1]);
             }},
        };
        for (const QStringList &paso : pasos) {
            const auto orden = ordenes.constFind(paso[1]);
            QVERIFY2(orden != ordenes.cend(), qPrintable(paso[0] + u": orden desconocida "_s + paso[1]));
            QStringList argumentos = paso.mid(2);
            for (QString &a : argumentos)
                a = argumento(a);
            (*orden)(argumentos);
            if (QTest::currentTestFailed()) {
                qWarning("en el paso de %s", qPrintable(paso[0]));
                return;
            }
        }
        comparaLista(dialogos.mensajes, {});  // every box was looked at by a step
    }

    // Every control that takes the focus, in every window of the program
    // (the study, each result window, the help and its search, the print
    // windows, the about box), has a name a screen reader can say: its own,
    // not the object name the program uses.
    void nombresAccesibles()
    {
        abreConResultados();
        for (const QString &orden : {u"mnugrafica"_s, u"mnusupuestos"_s, u"pmnudunet"_s, u"PrecisionEquivalencia"_s})
            accion(orden)->trigger();
        accion(u"HelpAboutItem"_s)->trigger();
        ventana->creaVentanasImpresion();
        PideAyuda(ComandoAyuda::buscar, QString());
        // A list's choices show in a list of their own.
        for (auto *lista : ventana->findChildren<QComboBox *>())
            lista->view();
        // The help's search dialog is the help viewer's child.
        const QList<QWidget *> ventanas{ventana, VisorDeAyuda()};
        QSet<QString> nombresDePrograma;
        for (QWidget *v : ventanas)
            for (QObject *o : v->findChildren<QObject *>())
                nombresDePrograma << o->objectName();
        // Shown, or on a page of a notebook not shown now.
        const auto mostrable = [](QWidget *w) {
            for (QWidget *p = w; p && !p->isWindow(); p = p->parentWidget())
                if (p->isHidden() && !qobject_cast<QStackedWidget *>(p->parentWidget()))
                    return false;
            return true;
        };
        QStringList sinNombre;
        int controles = 0;
        for (QWidget *v : ventanas) {
            QList<QWidget *> widgets = v->findChildren<QWidget *>();
            widgets.prepend(v);
            for (QWidget *w : std::as_const(widgets)) {
                const bool boton = qobject_cast<QAbstractButton *>(w) && w->isEnabled();
                if (!mostrable(w) || (w->focusPolicy() == Qt::NoFocus && !boton))
                    continue;
                ++controles;
                const QString nombre = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
                if (nombre.trimmed().isEmpty() || nombresDePrograma.contains(nombre))
                    sinNombre << QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName() + u" «"_s + nombre + u'»';
            }
        }
        VisorDeAyuda()->buscarAyuda()->hide();
        VisorDeAyuda()->hide();
        QVERIFY2(sinNombre.isEmpty(), qPrintable(sinNombre.join(u'\n')));
        QVERIFY2(controles > 60, qPrintable(QString::number(controles)));
    }

    // Alt and a letter: no label or button of a child window takes a
    // letter of the menu bar's, and within a window (a page of the study's
    // notebook), a menu or a window of its own no letter is taken twice.
    // So Alt+A on "Captura de Datos" opens "&Archivo".
    void aceleradores()
    {
        abreConResultados();
        for (const QString &orden : {u"mnugrafica"_s, u"mnusupuestos"_s, u"pmnudunet"_s, u"PrecisionEquivalencia"_s, u"HelpAboutItem"_s})
            accion(orden)->trigger();
        ventana->creaVentanasImpresion();
        PideAyuda(ComandoAyuda::buscar, QString());
        const auto letra = [](const QString &texto) { return QKeySequence::mnemonic(texto).toString(); };
        QStringList deMenus;
        for (QAction *menu : ventana->menuBar()->actions())
            deMenus << letra(menu->text());
        QCOMPARE(deMenus, QStringList({u"Alt+A"_s, u"Alt+C"_s, u"Alt+V"_s, u"Alt+Y"_s}));
        // The letters of the labels and buttons of one zone, each with its text.
        const auto letras = [&](QWidget *zona) {
            QStringList lista;
            for (QWidget *w : zona->findChildren<QWidget *>()) {
                if (w->window() != zona->window())
                    continue;  // a window of its own
                QString texto;
                if (auto *etiqueta = qobject_cast<QLabel *>(w); etiqueta && etiqueta->buddy())
                    texto = etiqueta->text();
                else if (auto *boton = qobject_cast<QAbstractButton *>(w))
                    texto = boton->text();
                if (!letra(texto).isEmpty())
                    lista << letra(texto) + u' ' + texto;
            }
            return lista;
        };
        const auto sinRepetir = [&](const QStringList &lista, const QStringList &ajenas, const QString &zona) {
            QStringList vistas;
            for (const QString &l : lista) {
                const QString tecla = l.section(u' ', 0, 0);
                QVERIFY2(!vistas.contains(tecla) && !ajenas.contains(tecla), qPrintable(zona + u": "_s + l));
                vistas << tecla;
            }
        };
        int zonas = 0;
        for (QMdiSubWindow *hija : ventana->marco()->subWindowList()) {
            QList<QWidget *> paginas{hija->widget()};
            if (auto *cuaderno = hija->widget()->findChild<QTabWidget *>()) {
                paginas.clear();
                for (int i = 0; i < cuaderno->count(); ++i)
                    paginas << cuaderno->widget(i);
            }
            for (QWidget *pagina : std::as_const(paginas)) {
                sinRepetir(letras(pagina), deMenus, hija->windowTitle() + u' ' + pagina->objectName());
                ++zonas;
            }
        }
        QList<QWidget *> propias{VisorDeAyuda(), VisorDeAyuda()->buscarAyuda()};
        for (QWidget *w : ventana->findChildren<QWidget *>())
            if (w->isWindow() && !qobject_cast<QMenu *>(w) && w->parentWidget() == ventana)
                propias << w;
        for (QWidget *propia : std::as_const(propias)) {
            sinRepetir(letras(propia), {}, propia->objectName());
            ++zonas;
        }
        for (QMenu *menu : ventana->findChildren<QMenu *>()) {
            QStringList lista;
            for (QAction *a : menu->actions())
                if (a->isVisible() && !letra(a->text()).isEmpty())
                    lista << letra(a->text()) + u' ' + a->text();
            sinRepetir(lista, {}, menu->objectName());
        }
        QVERIFY2(zonas >= 14, qPrintable(QString::number(zonas)));
        VisorDeAyuda()->buscarAyuda()->hide();
        VisorDeAyuda()->hide();
        ventana->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ventana));

        // The keys themselves, on the capture page: the menu opens, and the
        // accept button has a letter of its own.
        ventana->marco()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(documento()->parentWidget()));
        hijo<QTabWidget>(documento(), u"Thojas"_s)->setCurrentIndex(1);
        campo(u"econdicion"_s)->setFocus();
        tecla(Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(hijo<QMenu>(ventana, u"FileMenu"_s)->isVisible());
        hijo<QMenu>(ventana, u"FileMenu"_s)->close();
        campo(u"econdicion"_s)->setFocus();
        QSignalSpy aceptado(hijo<QPushButton>(documento(), u"botonok"_s), &QPushButton::clicked);
        tecla(Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(aceptado.size(), 1);
    }

    // Hidden ones, the ink-jet button keeping its place.
    void ordenesOcultas()
    {
        QVERIFY(!hijo<QMenu>(ventana, u"FilePrintItem"_s)->actions().contains(accion(u"PrintDeskjet"_s)));
        QVERIFY(!accion(u"HelpHowToUseItem"_s)->isVisible());
        QVERIFY(hijo<QAbstractButton>(ventana, u"spdprint1"_s)->isHidden());

        // Usable as the table says, the hidden button still cannot be
        // pressed, not even by a screen reader's action.
        accion(u"FileNewItem"_s)->trigger();
        ventana->aplicaEvento(Evento::focoEntraRejilla);
        auto *boton = hijo<QAbstractButton>(ventana, u"spdprint1"_s);
        QVERIFY(boton->isEnabled());
        QAccessibleInterface *interfaz = QAccessible::queryAccessibleInterface(boton);
        QVERIFY(interfaz->state().invisible);
        interfaz->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTest::qWait(400);
        QVERIFY(!ventana->opcionesTinta()->isVisible());
        QVERIFY(dialogos.mensajes.isEmpty());
    }

    // Beyond a line edit's own default limit, in the fields and in the
    // grid's editor: nothing is cut on the way back to the file.
    void textosEnormes()
    {
        const QByteArray enorme(40000, 'E');
        QFile f(dir.filePath(u"enorme.w1e"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(enorme + "\r\n\r\n\r\n\r\n2\r\n2\r\n" + enorme + "\r\n2\r\n3\r\n4\r\n");
        f.close();
        dialogos.archivoAbrir = f.fileName();
        accion(u"FileOpenItem"_s)->trigger();
        QCOMPARE(campo(u"etole"_s)->text().size(), 40000);
        rejilla()->setFocus();
        QCOMPARE(campo(u"editorstgdatos"_s)->text().size(), 40000);
        tecla(Qt::Key_End);
        teclea(u"5"_s);
        QCOMPARE(documento()->estudio().rejilla.celda(1, 1).size(), 40001);
    }

    // A pipe is refused before it is opened. Should the window wait on it,
    // a writer comes after ten seconds and the test fails instead of hanging.
    void tuberia()
    {
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
        const QString rehusado = u"No se puede abrir el archivo «%1»: no es un archivo normal."_s;
        QCOMPARE(dialogos.mensajes, QStringList{rehusado.arg(dialogos.archivoAbrir)});
        QVERIFY(!documento());
    }

    void menuDeRejilla()
    {
        accion(u"FileNewItem"_s)->trigger();
        aceptaConteos(u"2"_s, u"3"_s);
        auto *editor = campo(u"editorstgdatos"_s);
        QContextMenuEvent derecho(QContextMenuEvent::Mouse, QPoint(5, 5), editor->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(editor, &derecho);
        QVERIFY(hijo<QMenu>(documento(), u"pmenu"_s)->isVisible());
        hijo<QMenu>(documento(), u"pmenu"_s)->close();
    }

    void ayudaDeMenu()
    {
        QCOMPARE(ventana->numeroAyuda(accion(u"FileSaveItem"_s)), 5);
        // Items without a number of their own take their menu's.
        QCOMPARE(ventana->numeroAyuda(accion(u"PrintLasser"_s)), 7);
        QCOMPARE(ventana->numeroAyuda(accion(u"mnuinforme"_s)), 19);

        // F1 in an open menu stays with the menu: it asks for the item's
        // topic, not for the contents nor the menu's own. The calculations
        // open the pages of their windows.
        const QList<QStringList> casos{{u"FileMenu"_s, u"FileNewItem"_s, u"estudio.html"_s},
                                       {u"mnucalculos"_s, u"mnuanova"_s, u"anova.html"_s},
                                       {u"mnucalculos"_s, u"mnuconclu"_s, u"intervalos.html"_s}};
        for (const QStringList &caso : casos) {
            auto *menu = hijo<QMenu>(ventana, caso[0]);
            menu->popup(ventana->mapToGlobal(QPoint(10, 10)));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            menu->menuAction()->setEnabled(true);
            accion(caso[1])->setEnabled(true);
            menu->setActiveAction(accion(caso[1]));
            QCOMPARE(menu->activeAction(), accion(caso[1]));
            QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
            QApplication::sendEvent(menu, &f1);
            QVERIFY(f1.isAccepted());
            QCOMPARE(VisorDeAyuda()->paginaActual(), caso[2]);
            VisorDeAyuda()->close();
            menu->close();
        }
    }

    void acercaDe()
    {
        accion(u"HelpAboutItem"_s)->trigger();
        auto *caja = ventana->findChild<AcercaDe *>();
        QVERIFY(caja && caja->isVisible() && !caja->isModal());  // its caption: nombresDeVentana
        QTest::mouseClick(hijo<QPushButton>(caja, u"OKButton"_s), Qt::LeftButton);
        QTRY_VERIFY(!ventana->findChild<AcercaDe *>());
    }

    // Every child window keeps at least what its content needs, the grids
    // all their columns, and lies within reach: inside the visible workspace
    // or, where that is too small, within what its scroll bars reach. The
    // frame keeps its size.
    void compruebaHijas(QSize marcoAntes, bool todasALaVista)
    {
        QCOMPARE(ventana->size(), marcoAntes);
        QMdiArea *marco = ventana->marco();
        const QScrollBar *h = marco->horizontalScrollBar();
        const QScrollBar *v = marco->verticalScrollBar();
        const QRect aLaVista = marco->viewport()->rect();
        const QRect alcance(h->minimum() - h->value(), v->minimum() - v->value(),
                            aLaVista.width() + h->maximum() - h->minimum(),
                            aLaVista.height() + v->maximum() - v->minimum());
        for (QMdiSubWindow *hija : marco->subWindowList()) {
            const QString nombre = hija->windowTitle() + u' ' + QString::number(hija->width()) + u'x'
                                   + QString::number(hija->height()) + u" en "_s
                                   + QString::number(aLaVista.width()) + u'x' + QString::number(aLaVista.height());
            QVERIFY2(alcance.contains(hija->geometry()), qPrintable(nombre));
            QVERIFY2(!todasALaVista || aLaVista.contains(hija->geometry()), qPrintable(nombre));
            const QSize necesario = hija->minimumSizeHint();
            QVERIFY2(hija->width() >= necesario.width() && hija->height() >= necesario.height(), qPrintable(nombre));
            for (auto *rejilla : hija->findChildren<QTableWidget *>()) {
                if (rejilla->objectName() == u"stgdatos"_s)
                    continue;  // the study's grid has scroll bars of its own
                int columnas = 0;
                for (int c = 0; c < rejilla->columnCount(); ++c)
                    columnas += rejilla->columnWidth(c);
                QVERIFY2(rejilla->viewport()->width() >= columnas, qPrintable(nombre + u' ' + rejilla->objectName()));
            }
        }
    }

    // The study opened again while result windows are open, on a large and
    // a small main window: where they fit, every child window lies wholly
    // inside the workspace; the report starts at its first line.
    void ventanasDentroDelMarco_data() { tablaDePrueba(carpetaCasos + u"/ventanasDentroDelMarco.tsv"_s); }
    void ventanasDentroDelMarco()
    {
        QFETCH(QString, ancho);
        QFETCH(QString, alto);
        QFETCH(QString, caben);
        ventana->resize(ancho.toInt(), alto.toInt());
        const QSize marco = ventana->size();
        abreConResultados();
        accion(u"mnuinforme"_s)->trigger();
        documento()->parentWidget()->close();
        QVERIFY(!documento());
        accion(u"FileOpenItem"_s)->trigger();
        QVERIFY(documento());
        QCOMPARE(ventana->marco()->subWindowList().size(), 5);
        compruebaHijas(marco, si(caben));
        for (auto *informe : ventana->findChildren<QPlainTextEdit *>(u"mminforme"_s)) {
            QCOMPARE(informe->verticalScrollBar()->value(), 0);
            QVERIFY(informe->verticalScrollBar()->maximum() > 0);
        }
    }

    // "Mosaico" and "Cascada" with the study and one result window, or five
    // windows, on a large and a small main window.
    void mosaicoYCascada_data() { tablaDePrueba(carpetaCasos + u"/mosaicoYCascada.tsv"_s); }
    void mosaicoYCascada()
    {
        QFETCH(QString, ancho);
        QFETCH(QString, alto);
        QFETCH(QString, ventanas);
        QFETCH(QString, orden);
        QFETCH(QString, caben);
        ventana->resize(ancho.toInt(), alto.toInt());
        const QSize marco = ventana->size();
        dialogos.archivoAbrir = u"" TOLERANCIA_FUENTES "/ejemplos/ejemplo-significativo.w1e"_s;
        accion(u"FileOpenItem"_s)->trigger();
        ventana->aplicaEvento(Evento::focoEntraRejilla);
        const QStringList ordenes{u"mnuanova"_s, u"mnuconclu"_s, u"mnuinforme"_s, u"mnugrafica"_s};
        for (const QString &o : ordenes.mid(0, ventanas.toInt() - 1))
            accion(o)->trigger();
        QVERIFY(dialogos.mensajes.isEmpty());
        QMdiArea *area = ventana->marco();
        QCOMPARE(area->subWindowList().size(), ventanas.toInt());
        QMdiSubWindow *activa = area->activeSubWindow();
        accion(orden)->trigger();
        QCoreApplication::processEvents();
        compruebaHijas(marco, si(caben));
        QCOMPARE(area->activeSubWindow(), activa);
        const auto hijas = area->subWindowList(QMdiArea::StackingOrder);
        for (qsizetype i = 0; i < hijas.size(); ++i) {
            for (qsizetype j = i + 1; j < hijas.size(); ++j) {
                const QString par = hijas[i]->windowTitle() + u" / "_s + hijas[j]->windowTitle();
                if (orden == u"WindowTileItem"_s) {
                    // Side by side: none covers another.
                    QVERIFY2(!hijas[i]->geometry().intersects(hijas[j]->geometry()), qPrintable(par));
                } else {
                    // Each one step further, every title bar in view.
                    const int paso = hijas[i]->widget()->y();
                    QCOMPARE(hijas[j]->pos() - hijas[i]->pos(), QPoint(paso, paso) * int(j - i));
                    const QRect titulo(hijas[i]->pos(), QSize(hijas[i]->width(), paso));
                    QVERIFY2(!hijas[j]->geometry().intersects(titulo), qPrintable(par));
                }
            }
        }
        if (orden == u"WindowCascadeItem"_s)
            QCOMPARE(hijas.last(), activa);
    }

    // The name each top-level window gets is exactly the program's caption,
    // with nothing of the toolkit's appended.
    void nombresDeVentana_data() { tablaDePrueba(carpetaCasos + u"/nombresDeVentana.tsv"_s); }
    void nombresDeVentana()
    {
        QFETCH(QString, clase);
        QFETCH(QString, titulo);
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