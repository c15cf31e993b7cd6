// The study's data grid on its own, and the text fields' typing rules: what
// a user meets typing, moving and pasting in the grid, whatever form holds it.

#include "TablaDePrueba.h"

#include "gui/CamposTexto.h"
#include "gui/RejillaCaptura.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString carpetaCasos = u"" TOLERANCIA_FUENTES "/tests/rejilla/casos"_s;

// "c,f": a FAM and a sample, counted from 1.
QPoint lugar(const QString &texto)
{
    const QStringList partes = texto.split(u',');
    return {partes.value(0).toInt(), partes.value(1).toInt()};
}

// A k × n grid with the labels the accept button writes, every cell holding `texto`.
Rejilla rejillaDe(int k, int n, const QString &texto = {})
{
    Rejilla r(k + 1, n + 1);
    r.ponCelda(0, 0, u" FAM"_s);
    for (int c = 1; c <= k; ++c)
        r.ponCelda(c, 0, u"   %1"_s.arg(c));
    for (int f = 1; f <= n; ++f) {
        r.ponCelda(0, f, u"Muestra %1"_s.arg(f));
        for (int c = 1; c <= k; ++c)
            r.ponCelda(c, f, texto);
    }
    return r;
}

RejillaCaptura::Opciones porNombre(const QString &nombre)
{
    using O = RejillaCaptura::Opciones;
    const QHash<QString, O> opciones{{u"inicial"_s, O::inicial}, {u"conTab"_s, O::conTab}, {u"sinTab"_s, O::sinTab}};
    if (!opciones.contains(nombre))
        qFatal("opciones desconocidas: %s", qPrintable(nombre));
    return opciones.value(nombre);
}

}  // namespace

class TstRejilla : public QObject
{
    Q_OBJECT

    QWidget *ventana = nullptr;
    RejillaCaptura *rejilla = nullptr;
    QStringList senales;  // what the grid said, in order

    QLineEdit *editor() const { return rejilla->findChild<QLineEdit *>(u"editorstgdatos"_s); }
    QPoint actual() const { return {rejilla->columnaActual(), rejilla->filaActual()}; }
    QString celda(int c, int f) const { return rejilla->rejilla().celda(c, f); }

    void pulsa(const QString &secuencia)
    {
        for (const QString &nombre : secuencia.split(u' ', Qt::SkipEmptyParts)) {
            const QKeyCombination c = QKeySequence::fromString(nombre, QKeySequence::PortableText)[0];
            QTest::keyClick(editor(), c.key(), c.keyboardModifiers());
        }
    }

    void prepara(int k, int n, RejillaCaptura::Opciones opciones, const QString &texto = {})
    {
        rejilla->muestra(rejillaDe(k, n, texto));
        rejilla->ponOpciones(opciones);
        senales.clear();
    }

private slots:
    void init()
    {
        ventana = new QWidget;
        rejilla = new RejillaCaptura(ventana);
        connect(rejilla, &RejillaCaptura::celdaTecleada, this,
                [this](int c, int f) { senales << u"tecleada %1,%2"_s.arg(c).arg(f); });
        connect(rejilla, &RejillaCaptura::ultimaCeldaTecleada, this, [this] { senales << u"última"_s; });
        connect(rejilla, &RejillaCaptura::celdaEditada, this, [this] { senales << u"editada"_s; });
        connect(rejilla, &RejillaCaptura::dejada, this,
                [this](bool adelante) { senales << (adelante ? u"deja adelante"_s : u"deja atrás"_s); });
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(ventana));
    }

    void cleanup() { delete ventana; }

    // What is shown is read back whole: headings, the top-left label and
    // every cell; a smaller grid shown after a larger one keeps nothing of it.
    void muestraYLee()
    {
        Rejilla r = rejillaDe(5, 10);
        for (int c = 1; c <= 5; ++c)
            for (int f = 1; f <= 10; ++f)
                r.ponCelda(c, f, u"%1.%2"_s.arg(c).arg(f));
        rejilla->muestra(r);
        QCOMPARE(rejilla->columnCount(), 5);
        QCOMPARE(rejilla->rowCount(), 10);
        QCOMPARE(rejilla->findChild<QLabel *>(u"esquina"_s)->text(), u" FAM"_s);
        QCOMPARE(rejilla->horizontalHeaderItem(4)->text(), u"   5"_s);
        QCOMPARE(rejilla->verticalHeaderItem(9)->text(), u"Muestra 10"_s);
        const Rejilla leida = rejilla->rejilla();
        QCOMPARE(leida.columnas(), 6);
        QCOMPARE(leida.filas(), 11);
        for (int c = 0; c <= 5; ++c)
            for (int f = 0; f <= 10; ++f)
                QCOMPARE(leida.celda(c, f), r.celda(c, f));
        // The editor shows the current cell, the first one at first.
        QCOMPARE(actual(), QPoint(1, 1));
        QCOMPARE(editor()->text(), u"1.1"_s);

        rejilla->ponCeldaActual(2, 2);
        rejilla->muestra(rejillaDe(2, 2, u"x"_s));
        QCOMPARE(rejilla->columnCount(), 2);
        QCOMPARE(rejilla->rowCount(), 2);
        QCOMPARE(celda(2, 2), u"x"_s);
        QCOMPARE(editor()->text(), u"x"_s);  // a cell shown anew under the editor
        QCOMPARE(celda(3, 3), QString());
        QVERIFY(senales.isEmpty());  // showing is not typing
    }

    void movimientos_data() { tablaDePrueba(carpetaCasos + u"/movimientos.tsv"_s); }
    void movimientos()
    {
        QFETCH(QString, k);
        QFETCH(QString, n);
        QFETCH(QString, opciones);
        QFETCH(QString, texto);
        QFETCH(QString, desde);
        QFETCH(QString, teclas);
        QFETCH(QString, hasta);
        QFETCH(QString, deja);
        prepara(k.toInt(), n.toInt(), porNombre(opciones), texto);
        rejilla->ponCeldaActual(lugar(desde).x(), lugar(desde).y());
        pulsa(teclas);
        QCOMPARE(actual(), lugar(hasta));
        QCOMPARE(senales, deja.isEmpty() ? QStringList() : QStringList{u"deja "_s + deja});
        // Moving types nothing.
        QCOMPARE(celda(lugar(hasta).x(), lugar(hasta).y()), texto);
        // The editor stands over the current cell, the grid scrolled or not.
        QCOMPARE(editor()->geometry(), rejilla->visualRect(rejilla->currentIndex()));
        QVERIFY(editor()->isVisible());
    }

    // Typing writes into the current cell and says so for every character,
    // before the key rule: a character in the last column lets Tab move
    // between cells, in the last cell lets it leave the grid (and says so).
    void reglaDeTecla_data()
    {
        QTest::addColumn<QString>("antes");
        QTest::addColumn<QPoint>("celda");
        QTest::addColumn<QString>("despues");
        QTest::addColumn<bool>("ultima");
        QTest::newRow("primera celda") << "inicial" << QPoint(1, 1) << "inicial" << false;
        QTest::newRow("primera columna, última fila") << "inicial" << QPoint(1, 3) << "inicial" << false;
        QTest::newRow("última columna") << "inicial" << QPoint(2, 1) << "conTab" << false;
        QTest::newRow("última celda") << "inicial" << QPoint(2, 3) << "sinTab" << true;
        QTest::newRow("última celda con Tab") << "conTab" << QPoint(2, 3) << "sinTab" << true;
        QTest::newRow("sin Tab, primera columna") << "sinTab" << QPoint(1, 2) << "sinTab" << false;
        QTest::newRow("sin Tab, última columna") << "sinTab" << QPoint(2, 2) << "conTab" << false;
    }
    void reglaDeTecla()
    {
        QFETCH(QString, antes);
        QFETCH(QPoint, celda);
        QFETCH(QString, despues);
        QFETCH(bool, ultima);
        using O = RejillaCaptura::Opciones;
        prepara(2, 3, porNombre(antes));
        rejilla->ponCeldaActual(celda.x(), celda.y());
        // The options as the typed signal arrives: not yet changed.
        QList<O> alTeclear;
        connect(rejilla, &RejillaCaptura::celdaTecleada, this, [&] { alTeclear << rejilla->opciones(); });
        QTest::keyClicks(editor(), u"7,5"_s);
        QCOMPARE(this->celda(celda.x(), celda.y()), u"7,5"_s);
        QStringList esperadas;
        for (int i = 0; i < 3; ++i) {
            esperadas << u"tecleada %1,%2"_s.arg(celda.x()).arg(celda.y());
            if (ultima)
                esperadas << u"última"_s;
            esperadas << u"editada"_s;
        }
        QCOMPARE(senales, esperadas);
        QCOMPARE(rejilla->opciones(), porNombre(despues));
        QCOMPARE(alTeclear.first(), porNombre(antes));
    }

    // Which keys type: a character, Backspace, Enter and Escape do; Delete,
    // Tab, editing commands and keys without text do not. Delete still
    // changes the cell.
    void teclasQueTeclean_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<Qt::KeyboardModifiers>("modificadores");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("teclea");
        QTest::addColumn<QString>("queda");
        QTest::newRow("cifra") << int(Qt::Key_5) << Qt::KeyboardModifiers() << "5" << true << "152";
        QTest::newRow("espacio") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << " " << true << "1 2";
        QTest::newRow("letra acentuada") << int(Qt::Key_unknown) << Qt::KeyboardModifiers() << "é" << true << "1é2";
        QTest::newRow("AltGr") << int(Qt::Key_At) << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)
                               << "@" << true << "1@2";
        QTest::newRow("retroceso") << int(Qt::Key_Backspace) << Qt::KeyboardModifiers() << "\b" << true << "2";
        QTest::newRow("Intro") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << "\r" << true << "12";
        QTest::newRow("Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << "\x1b" << true << "12";
        QTest::newRow("Supr") << int(Qt::Key_Delete) << Qt::KeyboardModifiers() << "\x7f" << false << "1";
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ControlModifier) << "a" << false << "12";
        QTest::newRow("F2") << int(Qt::Key_F2) << Qt::KeyboardModifiers() << "" << false << "12";
    }
    void teclasQueTeclean()
    {
        QFETCH(int, tecla);
        QFETCH(Qt::KeyboardModifiers, modificadores);
        QFETCH(QString, texto);
        QFETCH(bool, teclea);
        QFETCH(QString, queda);
        QKeyEvent evento(QEvent::KeyPress, tecla, modificadores, texto);
        QCOMPARE(EsCaracter(&evento), teclea);

        // In the grid: the cell holds "12", the cursor between its digits.
        prepara(2, 3, RejillaCaptura::Opciones::conTab, u"12"_s);
        editor()->setCursorPosition(1);
        QTest::sendKeyEvent(QTest::Press, editor(), Qt::Key(tecla), texto, modificadores);
        QCOMPARE(celda(1, 1), queda);
        QCOMPARE(senales.contains(u"tecleada 1,1"_s), teclea);
        QCOMPARE(senales.contains(u"editada"_s), queda != u"12"_s);
    }

    // Arriving in a cell selects its text: typing replaces it.
    void teclearReemplaza()
    {
        prepara(2, 3, RejillaCaptura::Opciones::conTab, u"7"_s);
        pulsa(u"Tab"_s);
        QTest::keyClicks(editor(), u"8"_s);
        QCOMPARE(celda(2, 1), u"8"_s);
        QCOMPARE(celda(1, 1), u"7"_s);
    }

    // A block pasted from the current cell on, clipped to the grid; each
    // cell written counts as typed, in the order a user would have typed it,
    // and the paste keys put nothing into the editor itself.
    void pega_data()
    {
        QTest::addColumn<QString>("bloque");
        QTest::addColumn<QPoint>("desde");
        QTest::addColumn<QStringList>("celdas");  // FAM by FAM, sample by sample, of the 2 × 3 grid
        QTest::addColumn<QStringList>("dichas");
        QTest::addColumn<QString>("opciones");
        QTest::newRow("recortado") << "1\t2\t3\n4\t5\n6\t7\n8" << QPoint(1, 2)
                                   << QStringList{"", "1", "4", "", "2", "5"}
                                   << QStringList{"tecleada 1,2", "tecleada 2,2", "tecleada 1,3", "tecleada 2,3", "última"}
                                   << "sinTab";
        QTest::newRow("una columna") << "9\n8" << QPoint(2, 1) << QStringList{"", "", "", "9", "8", ""}
                                     << QStringList{"tecleada 2,1", "tecleada 2,2"} << "conTab";
        QTest::newRow("un valor") << "3,25" << QPoint(1, 3) << QStringList{"", "", "3,25", "", "", ""}
                                  << QStringList{"tecleada 1,3"} << "inicial";
    }
    void pega()
    {
        QFETCH(QString, bloque);
        QFETCH(QPoint, desde);
        QFETCH(QStringList, celdas);
        QFETCH(QStringList, dichas);
        QFETCH(QString, opciones);
        prepara(2, 3, RejillaCaptura::Opciones::inicial);
        rejilla->ponCeldaActual(desde.x(), desde.y());
        QApplication::clipboard()->setText(bloque);
        pulsa(u"Ctrl+V"_s);
        QStringList leidas;
        for (int c = 1; c <= 2; ++c)
            for (int f = 1; f <= 3; ++f)
                leidas << celda(c, f);
        QCOMPARE(leidas, celdas);
        QCOMPARE(senales, dichas);
        QCOMPARE(editor()->text(), celdas.at((desde.x() - 1) * 3 + desde.y() - 1));
        QCOMPARE(rejilla->opciones(), porNombre(opciones));
    }

    // What a screen reader is told: where the editor stands and whether the
    // cell is empty, an empty cell as "vacía", a FAM's heading by its number.
    void accesible()
    {
        prepara(3, 4, RejillaCaptura::Opciones::conTab);
        rejilla->ponCeldaActual(2, 3);
        QCOMPARE(editor()->accessibleDescription(), u"FAM 2, Muestra 3, vacía"_s);
        QTest::keyClicks(editor(), u"5"_s);
        QCOMPARE(editor()->accessibleDescription(), u"FAM 2, Muestra 3"_s);
        QAccessibleTableInterface *tabla = QAccessible::queryAccessibleInterface(rejilla)->tableInterface();
        QCOMPARE(tabla->cellAt(2, 1)->text(QAccessible::Name), u"5"_s);
        QCOMPARE(tabla->cellAt(0, 0)->text(QAccessible::Name), u"vacía"_s);
        QCOMPARE(rejilla->horizontalHeaderItem(2)->data(Qt::AccessibleTextRole).toString(), u"FAM 3"_s);
        QCOMPARE(rejilla->horizontalHeaderItem(2)->text(), u"   3"_s);
    }

    // A typing limit binds typing only: a longer text loaded whole stays
    // whole and counts as valid, typing cannot lengthen it, deleting makes
    // room only down to the limit. No field cuts a long text.
    void limiteDeTecleo()
    {
        QLineEdit campo;
        PonLimiteDeTecleo(&campo, 2);
        QTest::keyClicks(&campo, u"123"_s);
        QCOMPARE(campo.text(), u"12"_s);

        PonTextoEntero(&campo, u"12345"_s);
        QCOMPARE(campo.text(), u"12345"_s);
        QVERIFY(campo.hasAcceptableInput());
        campo.end(false);
        QTest::keyClicks(&campo, u"6"_s);
        QCOMPARE(campo.text(), u"12345"_s);
        QTest::keyClick(&campo, Qt::Key_Backspace);
        QTest::keyClicks(&campo, u"x"_s);
        QCOMPARE(campo.text(), u"1234"_s);
        campo.selectAll();
        QTest::keyClick(&campo, Qt::Key_Backspace);
        QTest::keyClicks(&campo, u"abc"_s);
        QCOMPARE(campo.text(), u"ab"_s);

        const QString largo(40000, u'9');
        PonTextoEntero(&campo, largo);
        QCOMPARE(campo.text().size(), 40000);
        prepara(2, 3, RejillaCaptura::Opciones::conTab);
        editor()->setText(largo);
        QCOMPARE(celda(1, 1).size(), 40000);
    }
};

QTEST_MAIN(TstRejilla)
#include "tst_rejilla.moc"
