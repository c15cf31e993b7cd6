#include "Ayudas.h"
#include "DialogosFalsos.h"
#include "LienzoGrabador.h"

#include "gui/VentanaPrecision.h"
#include "gui/Ayuda.h"
#include "gui/OpcionesImpresion.h"
#include "gui/VisorAyuda.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/precision/casos/");
const QString ejemplos = QStringLiteral(TOLERANCIA_FUENTES "/ejemplos/");

// The user's settings of the test run (Qt's test location, never the real one).
QSettings ajustes() { return QSettings(u"tolerancia"_s, u"tolerancia"_s); }

QString sha256sum(const QString &ruta) { return salidaDe(u"sha256sum"_s, {ruta}).section(u' ', 0, 0); }

// A document read back as words: the pages wrap long lines, pdftotext
// lays them out again, and neither may lose or reorder a word.
QString palabras(const QString &texto) { return texto.simplified(); }

QJsonObject ultimaEntrada(const QString &registro)
{
    QList<QByteArray> lineas = contenido(registro).split('\n');
    lineas.removeLast();
    return QJsonDocument::fromJson(lineas.value(lineas.size() - 1)).object();
}

// The window's job drawn on a recording canvas the test keeps.
class LienzoPrestado : public Lienzo
{
public:
    explicit LienzoPrestado(Lienzo &destino) : m_destino(destino) {}
    void iniciaTrabajo() override { m_destino.iniciaTrabajo(); }
    void terminaTrabajo() override { m_destino.terminaTrabajo(); }
    void abortaTrabajo() override { m_destino.abortaTrabajo(); }
    void nuevaPagina() override { m_destino.nuevaPagina(); }
    void ponFuente(const QString &nombre, int puntos) override { m_destino.ponFuente(nombre, puntos); }
    int alturaFuente() const override { return m_destino.alturaFuente(); }
    int tamanoFuente() const override { return m_destino.tamanoFuente(); }
    int anchoTexto(const QString &texto) const override { return m_destino.anchoTexto(texto); }
    void escribe(int x, int y, const QString &texto) override { m_destino.escribe(x, y, texto); }
    void mueveA(int x, int y) override { m_destino.mueveA(x, y); }
    void lineaA(int x, int y) override { m_destino.lineaA(x, y); }
    int anchoPagina() const override { return m_destino.anchoPagina(); }
    int altoPagina() const override { return m_destino.altoPagina(); }
    int dpiVertical() const override { return m_destino.dpiVertical(); }

private:
    Lienzo &m_destino;
};

} // namespace

// "Precisión intermedia y equivalencia" driven as a user does, on a virtual
// X server: from the "Cálculos" menu, its fields reached by their labels'
// letters, Enter to calculate, the message of a criterion that does not
// read, the criteria remembered for the next window and the plot's band,
// and its print and PDF (read back with pdftotext, the fingerprint against
// sha256sum, the register's chain with tests/registro's hashlib check).
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
        QCOMPARE(NumeroAyudaDeItem(accion(u"PrecisionEquivalencia"_s)), 16);
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
        QCOMPARE(ventana->visorAyuda()->paginaActual(), u"precision.html"_s);
        ventana->visorAyuda()->hide();

        QCOMPARE(nombreAccesible(hijo<QWidget>(v, u"btnimprimirprecision"_s)), u"Imprimir"_s);
        QCOMPARE(nombreAccesible(hijo<QWidget>(v, u"btnpdfprecision"_s)), u"Guardar PDF"_s);
    }

    // A saved study's window printed (to a PDF printer) and written as a
    // PDF: on paper the title with the file's name, the figures and the
    // criteria with the multiplicity as the window shows them, the
    // fingerprint sha256sum gives on every page and the page count; each
    // output recorded at the end of a register whose chain stays whole.
    // A cancelled dialog writes and records nothing.
    void imprimeYGuardaPdf()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString estudio = dir.filePath(u"estudio.w1e"_s);
        const QString registro = estudio + u".registro"_s;
        QVERIFY(QFile::copy(ejemplos + u"ejemplo-trabajado.w1e"_s, estudio));
        ventana->abreArchivo(estudio);
        QTest::mouseClick(hijo<QPushButton>(ventana->documento(), u"boton1"_s), Qt::LeftButton);
        // Saved by the program, so the study has a register.
        QVERIFY(ventana->documento()->guarda());
        QVERIFY(QFile::exists(registro));
        const QString huella = u"Huella del estudio (SHA-256): "_s + sha256sum(estudio);

        VentanaPrecision *v = abrePrecision();
        QVERIFY(v);
        hijo<QLineEdit>(v, u"elimite"_s)->setFocus();
        reemplaza(u"1.5"_s);
        tecla(Qt::Key_Return);
        tecla(Qt::Key_B, Qt::AltModifier);
        QTRY_VERIFY(hijo<QCheckBox>(v, u"cbbonferroni"_s)->isChecked());
        QCOMPARE(dialogos->mensajes, QStringList());

        // R's figures of the worked example (casos/componentes-r.tsv and
        // casos/pares-r.tsv), and the criteria as typed.
        const QStringList enPapel{
            u"Precisión intermedia y equivalencia de «estudio.w1e»"_s,
            u"Desviación estándar = 0.716764 (límites del 95 %: 0.467689 a 3.96825)"_s,
            u"Límite de aceptación = ±1.5"_s,
            u"Multiplicidad = Ajuste de Bonferroni para 3 pares: cada prueba unilateral al 1.66667 %"_s,
            u"Intervalo del 96.6667 % = -1.75425 a -0.345749"_s,
        };
        const auto compruebaPdf = [&](const QString &archivo) {
            const QString texto = salidaDe(u"pdftotext"_s, {u"-layout"_s, archivo, u"-"_s});
            for (const QString &linea : enPapel)
                QVERIFY2(palabras(texto).contains(linea), qPrintable(linea + u"\n"_s + texto));
            const qsizetype paginas = texto.count(u'\f');
            QVERIFY(paginas >= 1);
            QCOMPARE(texto.count(huella), paginas);
            for (qsizetype p = 1; p <= paginas; ++p)
                QVERIFY(texto.contains(u"Página %1 de %2"_s.arg(p).arg(paginas)));
        };

        // A cancelled print dialog.
        const QByteArray antes = contenido(registro);
        hijo<QPushButton>(v, u"btnimprimirprecision"_s)->click();
        QCOMPARE(dialogos->dialogosImpresion, 1);
        QCOMPARE(contenido(registro), antes);

        dialogos->aceptaImpresion = true;
        dialogos->pdf = dir.filePath(u"impreso.pdf"_s);
        hijo<QPushButton>(v, u"btnimprimirprecision"_s)->click();
        QCOMPARE(dialogos->mensajes, QStringList());
        compruebaPdf(dialogos->pdf);
        QJsonObject entrada = ultimaEntrada(registro);
        QCOMPARE(entrada.value(u"tipo"_s).toString(), u"exportado"_s);
        QCOMPARE(entrada.value(u"documento"_s).toString(), u"Precisión intermedia y equivalencia, PDF"_s);
        QCOMPARE(entrada.value(u"destino"_s).toString(), dialogos->pdf);
        QCOMPARE(entrada.value(u"sha256"_s).toString(), sha256sum(estudio));

        // "Guardar PDF...", cancelled, then written.
        const QByteArray impreso = contenido(registro);
        hijo<QPushButton>(v, u"btnpdfprecision"_s)->click();
        QCOMPARE(dialogos->nombresPdf, QStringList{dir.filePath(u"estudio-precision.pdf"_s)});
        QCOMPARE(contenido(registro), impreso);
        dialogos->pdfGuardar = dir.filePath(u"precision.pdf"_s);
        hijo<QPushButton>(v, u"btnpdfprecision"_s)->click();
        QCOMPARE(dialogos->mensajes, QStringList());
        compruebaPdf(dialogos->pdfGuardar);
        entrada = ultimaEntrada(registro);
        QCOMPARE(entrada.value(u"destino"_s).toString(), dialogos->pdfGuardar);
        QCOMPARE(entrada.value(u"documento"_s).toString(), u"Precisión intermedia y equivalencia, PDF"_s);

        const QString verificado = salidaDe(u"python3"_s, {QStringLiteral(TOLERANCIA_FUENTES)
                                                                + u"/tests/registro/casos/verifica_registro.py"_s,
                                                            registro, estudio})
                                       .trimmed();
        QVERIFY2(verificado.startsWith(u"intacto "_s) && verificado.contains(u" coincide "_s)
                     && verificado.endsWith(u" exportado exportado"_s),
                 qPrintable(verificado));
    }

    // On paper the window's text is whole and in order over as many pages
    // as it takes, each page with the margin at its top, then the title,
    // and its number at its foot below everything else. What is printed is
    // what the text shows: a criterion typed and not calculated is not.
    // The example was only read, so nothing is written beside it.
    void paginasDelTexto()
    {
        // 10 points at 300 dpi: 50 pixels a character on this canvas, so 80
        // to a line; 8 points, 100.
        constexpr int ancho = 4000, alto = 2000;
        LienzoGrabador grabador(300, ancho, alto);
        InstalaFabricaLienzo([&](QPrinter &) -> std::unique_ptr<Lienzo> {
            return std::make_unique<LienzoPrestado>(grabador);
        });
        abreTrabajado();
        VentanaPrecision *v = abrePrecision();
        QVERIFY(v);
        hijo<QLineEdit>(v, u"elimite"_s)->setFocus();
        reemplaza(u"1.5"_s);
        tecla(Qt::Key_Return);
        const QStringList mostradas = lineas(v);
        reemplaza(u"2"_s);
        dialogos->aceptaImpresion = true;
        hijo<QPushButton>(v, u"btnimprimirprecision"_s)->click();
        InstalaFabricaLienzo({});
        QCOMPARE(dialogos->mensajes, QStringList());
        QCOMPARE(grabador.trabajos.size(), 1);
        const LienzoGrabador::Trabajo &trabajo = grabador.trabajos.first();
        QVERIFY(trabajo.terminado);
        QCOMPARE(grabador.fueraDeTrabajo, 0);
        QVERIFY(trabajo.paginas > 1);

        QString cuerpo;
        for (int p = 0; p < trabajo.paginas; ++p) {
            QList<LienzoGrabador::Texto> textos;
            for (const auto &t : trabajo.textos)
                if (t.pagina == p)
                    textos << t;
            std::stable_sort(textos.begin(), textos.end(), [](const auto &a, const auto &b) { return a.y < b.y; });
            qsizetype i = 0;
            QString margen;
            while (i < textos.size() && textos[i].puntos < 10)
                margen += textos[i++].texto + u' ';
            QVERIFY2(palabras(margen).startsWith(u"Huella del estudio (SHA-256): "_s + sha256sum(ejemplos + u"ejemplo-trabajado.w1e"_s)),
                     qPrintable(margen));
            QVERIFY(i > 0 && i + 2 < textos.size());
            QVERIFY(textos[i].y > textos[i - 1].y);
            QCOMPARE(textos[i].texto, u"Precisión intermedia y equivalencia de «ejemplo-trabajado.w1e»"_s);
            QCOMPARE(textos.last().texto, u"Página %1 de %2"_s.arg(p + 1).arg(trabajo.paginas));
            const auto &pie = textos.last();
            QVERIFY(pie.y > textos[textos.size() - 2].y);
            QVERIFY(pie.y + 50 <= alto);
            for (const auto &t : textos)
                QVERIFY2(t.x + t.texto.size() * t.puntos * 5 <= ancho, qPrintable(t.texto));
            for (qsizetype j = i + 1; j + 1 < textos.size(); ++j)
                cuerpo += textos[j].texto + u' ';
        }
        QCOMPARE(palabras(cuerpo), palabras(mostradas.join(u' ')));
        QVERIFY(cuerpo.contains(u"±1.5"_s));
        QVERIFY(!cuerpo.contains(u"±2"_s));
        QVERIFY(!QFile::exists(ejemplos + u"ejemplo-trabajado.w1e.registro"_s));
    }
};

QTEST_MAIN(TstVentanaPrecision)
#include "tst_ventana_precision.moc"
