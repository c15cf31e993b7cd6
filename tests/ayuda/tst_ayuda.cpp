#include "core/ayuda/TemasAyuda.h"
#include "core/estudio/ArchivoEstudio.h"
#include "core/motor/Anova.h"
#include "core/motor/Formato.h"
#include "core/motor/Mensajes.h"
#include "core/motor/Pares.h"
#include "core/motor/Supuestos.h"
#include "core/motor/TablaT.h"
#include "gui/AcercaDe.h"
#include "gui/Ayuda.h"
#include "gui/BuscarAyuda.h"
#include "gui/VentanaEstudio.h"
#include "gui/VentanaPrincipal.h"
#include "gui/VisorAyuda.h"

#include "Estudios.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/non_central_f.hpp>
#include <boost/math/distributions/non_central_t.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/tools/roots.hpp>

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/ayuda/casos/");
const QString carpetaEjemplos = QStringLiteral(TOLERANCIA_FUENTES "/ejemplos/");

QString leeTexto(const QString &ruta)
{
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? QString::fromUtf8(archivo.readAll()) : QString();
}

QString paginaDeAyuda(const QString &pagina) { return leeTexto(CarpetaAyuda() + u'/' + pagina); }

// True when the page of `destino` exists and defines its anchor, if any.
bool destinoExiste(const QString &destino)
{
    const QString html = paginaDeAyuda(destino.section(u'#', 0, 0));
    return !html.isEmpty()
           && (!destino.contains(u'#') || html.contains(u"name=\"%1\""_s.arg(destino.section(u'#', 1))));
}

// A row of the help's tables by design: its heading, then the figure of each
// sample count n = 2..10 with two decimals.
QString renglonDeDiseno(const QString &cabecera, const std::function<double(int)> &cifra)
{
    QString renglon = u"<tr><th>"_s + cabecera + u"</th>"_s;
    for (int n = 2; n <= 10; ++n)
        renglon += u"<td>%1</td>"_s.arg(cifra(n), 0, 'f', 2);
    return renglon + u"</tr>"_s;
}

// The x in [bajo, alto] where an increasing f crosses 0.
double raiz(const std::function<double(double)> &f, double bajo, double alto)
{
    std::uintmax_t iteraciones = 200;
    const auto [a, b] = boost::math::tools::toms748_solve(f, bajo, alto, boost::math::tools::eps_tolerance<double>(50),
                                                          iteraciones);
    return (a + b) / 2;
}

QString ejecuta(const QString &programa, const QStringList &argumentos, int *codigo)
{
    QProcess proceso;
    proceso.setProcessChannelMode(QProcess::MergedChannels);
    proceso.start(programa, argumentos);
    const bool termino = proceso.waitForFinished(120000);
    *codigo = termino && proceso.exitStatus() == QProcess::NormalExit ? proceso.exitCode() : -1;
    return QString::fromUtf8(proceso.readAll());
}

// The root element with its namespace, then every "type" and "pattern"
// attribute (sub-classes included) of a well-formed XML file; the parser's
// error otherwise.
QStringList xmlDe(const QString &ruta)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return {u"falta "_s + ruta};
    QXmlStreamReader xml(&archivo);
    QStringList hallado;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (hallado.isEmpty())
            hallado << xml.namespaceUri().toString() + u' ' + xml.name().toString();
        for (const QString &atributo : {u"type"_s, u"pattern"_s})
            if (xml.attributes().hasAttribute(atributo))
                hallado << xml.attributes().value(atributo).toString();
    }
    return xml.hasError() ? QStringList{xml.errorString()} : hallado;
}

// The frame of the test on hand, whose help viewer answers its requests.
VentanaPrincipal *principal = nullptr;

VisorAyuda *visor() { return principal->visorAyuda(); }
QTextBrowser *texto() { return visor()->findChild<QTextBrowser *>(u"txtayuda"_s); }
QAction *accionVisor(const char *nombre) { return visor()->findChild<QAction *>(QLatin1String(nombre)); }
QLineEdit *campoBuscar() { return visor()->buscarAyuda()->findChild<QLineEdit *>(u"ebuscar"_s); }
QListWidget *listaTemas() { return visor()->buscarAyuda()->findChild<QListWidget *>(u"lsttemas"_s); }

} // namespace

class TstAyuda : public QObject
{
    Q_OBJECT

private slots:
    void init() { principal = new VentanaPrincipal; }

    void cleanup()
    {
        delete principal;
        principal = nullptr;
    }

    // Every context number the program hands over opens its topic, with a
    // title; an unknown one, the contents.
    void contextos()
    {
        QList<int> numeros = NumerosDeContexto();
        std::sort(numeros.begin(), numeros.end());
        QList<int> esperados;
        for (const QStringList &caso : casosDe(casos + u"contextos.tsv"_s)) {
            esperados << caso[0].toInt();
            QVERIFY2(destinoExiste(caso[1]), qPrintable(caso[1]));
            visor()->muestraContexto(caso[0].toInt());
            QVERIFY(visor()->isVisible());
            QCOMPARE(visor()->paginaActual(), caso[1]);
            QVERIFY(!texto()->documentTitle().isEmpty());
        }
        QCOMPARE(numeros, esperados);
        visor()->muestraContexto(12345);
        QCOMPARE(visor()->paginaActual(), u"indice.html"_s);
    }

    void paginasCompletasYEnlazadas()
    {
        const QVector<TemaAyuda> temas = LeeTemasAyuda();
        QVERIFY(temas.size() >= 20);
        QStringList paginas;
        for (const TemaAyuda &tema : temas)
            paginas.append(tema.pagina);

        static const QRegularExpression enlace(u"href=\"([^\"]*)\""_s);
        static const QRegularExpression encabezado(u"<h1>(.*?)</h1>"_s);
        QSet<QString> alcanzadas;
        for (const TemaAyuda &tema : temas) {
            const QString html = paginaDeAyuda(tema.pagina);
            QVERIFY2(!tema.titulo.isEmpty() && !tema.claves.isEmpty(), qPrintable(tema.pagina));
            QCOMPARE(encabezado.match(html).captured(1), tema.titulo);
            QVERIFY2(html.contains(u"href=\"indice.html\""_s) || tema.pagina == u"indice.html",
                     qPrintable(tema.pagina));
            for (auto it = enlace.globalMatch(html); it.hasNext();) {
                const QString destino = it.next().captured(1);
                if (destino == u"estilo.css")
                    continue;
                QVERIFY2(paginas.contains(destino.section(u'#', 0, 0)) && destinoExiste(destino),
                         qPrintable(tema.pagina + u" -> "_s + destino));
                if (tema.pagina == u"indice.html")
                    alcanzadas.insert(destino.section(u'#', 0, 0));
            }
        }
        // The contents page leads to every topic.
        for (const QString &pagina : std::as_const(paginas))
            QVERIFY2(pagina == u"indice.html" || alcanzadas.contains(pagina), qPrintable(pagina));
    }

    void indiceYFiltro()
    {
        const QVector<EntradaIndice> indice = IndiceAyuda(LeeTemasAyuda());
        for (qsizetype i = 1; i < indice.size(); ++i)
            QVERIFY(ClaveNormalizada(indice.at(i - 1).clave) <= ClaveNormalizada(indice.at(i).clave));
        // Case, accents and extra blanks do not matter.
        QCOMPARE(ClaveNormalizada(u"  Límite   INFERIOR "_s), u"limite inferior"_s);
        QCOMPARE(FiltraIndice(indice, u"lc_numeric"_s).size(), 1);

        const TemaAyuda tema = AnalizaPagina(
            u"x.html"_s, u"<title>A &amp; B</title><meta name=\"keywords\" content=\"uno; dos ;;\">"_s);
        QCOMPARE(tema.titulo, u"A & B"_s);
        QCOMPARE(tema.claves, (QStringList{u"uno"_s, u"dos"_s}));
    }

    // The help menu's commands; one viewer answers every request. Its links,
    // back and forward.
    void contenidoYEnlaces()
    {
        const auto elige = [&](const char *nombre) {
            principal->findChild<QAction *>(QLatin1String(nombre))->trigger();
            return visor()->paginaActual();
        };
        QCOMPARE(elige("HelpContentsItem"), u"indice.html"_s);
        VisorAyuda *primero = visor();
        QVERIFY(primero->isVisible());
        QCOMPARE(texto()->documentTitle(), u"Contenido de la ayuda"_s);
        QVERIFY(primero->windowTitle().startsWith(u"Contenido de la ayuda"_s));
        QCOMPARE(elige("HelpHowToUseItem"), u"usar-ayuda.html"_s);
        QCOMPARE(visor(), primero);
        QCOMPARE(texto()->documentTitle(), u"Cómo usar la ayuda"_s);
        elige("HelpSearchItem");
        QVERIFY(visor()->buscarAyuda() && visor()->buscarAyuda()->isVisible());

        // An unknown command still opens the help, on its contents.
        visor()->muestraComando(99);
        QCOMPARE(primero->paginaActual(), u"indice.html"_s);
        // Closing hides it; the next request brings it back.
        accionVisor("actcerrar")->trigger();
        QVERIFY(!primero->isVisible());
        visor()->muestraComando(ComandoAyuda::contenido);
        QVERIFY(primero->isVisible());

        QAction *atras = accionVisor("actatras");
        QAction *adelante = accionVisor("actadelante");

        // Tab reaches the first link of the contents; Enter follows it.
        texto()->setFocus();
        texto()->moveCursor(QTextCursor::Start);
        QTest::keyClick(texto(), Qt::Key_Tab);
        QTest::keyClick(texto(), Qt::Key_Return);
        QCOMPARE(visor()->paginaActual(), u"introduccion.html"_s);
        QVERIFY(atras->isEnabled());

        atras->trigger();
        QCOMPARE(visor()->paginaActual(), u"indice.html"_s);
        QVERIFY(adelante->isEnabled());
        adelante->trigger();
        QCOMPARE(visor()->paginaActual(), u"introduccion.html"_s);
        QVERIFY(!adelante->isEnabled());

        accionVisor("actcontenido")->trigger();
        QCOMPARE(visor()->paginaActual(), u"indice.html"_s);
    }

    // Each main window has a viewer of its own, which goes with it: no help
    // window outlives its frame or answers another frame's requests.
    void visorDelMarco()
    {
        auto *otra = new VentanaPrincipal;
        otra->findChild<QAction *>(u"HelpSearchItem"_s)->trigger();
        const QPointer<VisorAyuda> suyo = otra->visorAyuda();
        const QPointer<BuscarAyuda> busqueda = suyo->buscarAyuda();
        QVERIFY(suyo->isVisible() && busqueda && busqueda->isVisible());
        QVERIFY(suyo != visor());
        QCOMPARE(visor()->paginaActual(), QString());
        delete otra;
        QVERIFY(!suyo);
        QVERIFY(!busqueda);
    }

    // The search list narrows with every letter typed; the arrows move in it
    // while typing goes on; Enter or a double click opens the topic. The
    // viewer and the search are named for a screen reader and by keys.
    void busqueda()
    {
        visor()->muestraComando(ComandoAyuda::buscar, QString());
        QVERIFY(!texto()->accessibleName().isEmpty());
        auto *barra = visor()->findChild<QToolBar *>(u"barraayuda"_s);
        QCOMPARE(barra->actions().size(), 5);
        for (QAction *accion : barra->actions()) {
            QVERIFY2(!accion->shortcut().isEmpty(), qPrintable(accion->objectName()));
            // Read out as shown, not by the program's name for it.
            QCOMPARE(barra->widgetForAction(accion)->accessibleName(), accion->text());
        }
        QSet<QWidget *> conEtiqueta;
        for (QLabel *etiqueta : visor()->buscarAyuda()->findChildren<QLabel *>())
            conEtiqueta.insert(etiqueta->buddy());
        QVERIFY(conEtiqueta.contains(campoBuscar()) && conEtiqueta.contains(listaTemas()));
        for (QPushButton *boton : visor()->buscarAyuda()->findChildren<QPushButton *>())
            QVERIFY(!boton->accessibleName().isEmpty());
        QLineEdit *campo = campoBuscar();
        QListWidget *lista = listaTemas();
        QVERIFY(visor()->buscarAyuda()->isVisible() && campo->text().isEmpty());
        int antes = lista->count();
        QCOMPARE(antes, IndiceAyuda(LeeTemasAyuda()).size());
        for (const QChar letra : u"imprim"_s) {
            QTest::keyClick(campo, letra.toLatin1());
            QVERIFY(lista->count() > 0 && lista->count() <= antes);
            for (int i = 0; i < lista->count(); ++i)
                QVERIFY(ClaveNormalizada(lista->item(i)->text()).contains(campo->text()));
            antes = lista->count();
        }
        QVERIFY(lista->count() >= 2);
        QTest::keyClick(campo, Qt::Key_Down);
        QCOMPARE(lista->currentRow(), 1);
        QTest::keyClick(campo, Qt::Key_Up);
        QCOMPARE(lista->currentRow(), 0);
        QString pagina = lista->currentItem()->data(Qt::UserRole).toString();
        QTest::keyClick(campo, Qt::Key_Return);
        QVERIFY(!visor()->buscarAyuda()->isVisible());
        QCOMPARE(visor()->paginaActual(), pagina);

        visor()->muestraComando(ComandoAyuda::buscar, QString());
        QListWidgetItem *item = lista->item(lista->count() - 1);
        pagina = item->data(Qt::UserRole).toString();
        lista->scrollToItem(item);
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
        QCOMPARE(visor()->paginaActual(), pagina);

        // Nothing found: nothing to open.
        visor()->muestraComando(ComandoAyuda::buscar, QString());
        QTest::keyClicks(campo, u"qqqzz"_s);
        QCOMPARE(lista->count(), 0);
        QVERIFY(!visor()->buscarAyuda()->findChild<QPushButton *>(u"botonmostrar"_s)->isEnabled());

        // A key of one topic goes straight to it; of several, opens the search.
        visor()->muestraComando(ComandoAyuda::buscar, u"LC_NUMERIC"_s);
        QCOMPARE(visor()->paginaActual(), u"separador.html"_s);
        visor()->muestraComando(ComandoAyuda::buscar, u"guardar"_s);
        QVERIFY(visor()->buscarAyuda()->isVisible());
        QCOMPARE(campo->text(), u"guardar"_s);
    }

    // The words people type find the page that explains them.
    void palabrasBuscadas()
    {
        const QVector<EntradaIndice> indice = IndiceAyuda(LeeTemasAyuda());
        for (const QStringList &caso : casosDe(casos + u"palabras.tsv"_s)) {
            QStringList paginas;
            for (const EntradaIndice &entrada : FiltraIndice(indice, caso[0]))
                paginas << entrada.pagina;
            QVERIFY2(paginas.contains(caso[1]), qPrintable(caso[0] + u" → "_s + paginas.join(u' ')));
        }
    }

    // Every message the program can show is quoted in the help: the fixed
    // parts of each text of the catalogue ("%1" stands for a name or a
    // cause).
    void mensajesExplicados()
    {
        QString ayuda;
        for (const TemaAyuda &tema : LeeTemasAyuda())
            ayuda += u' ' + paginaDeAyuda(tema.pagina);
        ayuda.remove(QRegularExpression(u"<[^>]*>"_s));
        ayuda.replace(u"&lt;"_s, u"<"_s).replace(u"&gt;"_s, u">"_s).replace(u"&nbsp;"_s, u" "_s).replace(u"&amp;"_s, u"&"_s);
        ayuda = ayuda.simplified();

        const QList<Mensaje> mensajes = TodosLosMensajes();
        for (const Mensaje mensaje : mensajes)
            for (const QString &parte : TextoDe(mensaje).split(QRegularExpression(u"%\\d"_s)))
                if (parte.trimmed().size() >= 3)
                    QVERIFY2(ayuda.contains(parte.simplified()), qPrintable(parte.simplified()));
        QVERIFY(mensajes.size() > 60);
    }

    // An error is thrown with a text of the catalogue, never with a literal
    // of its own that the help test above would not see. `throw` cannot be
    // renamed, so this cannot be blinded as a search for a function can.
    // Plain string literals: moc does not read raw ones, and one inside the
    // class hides every slot after it.
    void erroresDelCatalogo()
    {
        const QRegularExpression propio(u"\\bthrow\\s+\\w+\\s*\\(\\s*(QStringLiteral\\s*\\(|u?\"|QString\\s*\\()"_s);
        int errores = 0;
        for (const QString &carpeta : {u"core"_s, u"cli"_s, u"impresion"_s}) {
            QDirIterator fuentes(QStringLiteral(TOLERANCIA_FUENTES "/src/") + carpeta, {u"*.cpp"_s, u"*.h"_s}, QDir::Files,
                                 QDirIterator::Subdirectories);
            while (fuentes.hasNext()) {
                const QString codigo = leeTexto(fuentes.next());
                errores += int(codigo.count(QRegularExpression(u"\\bthrow\\s+Error"_s)));
                const QRegularExpressionMatch m = propio.match(codigo);
                QVERIFY2(!m.hasMatch(), qPrintable(fuentes.fileName() + u": "_s + codigo.mid(m.capturedStart(), 80)));
            }
        }
        QVERIFY(errores > 40);
    }

    // F1 in a window with a topic of its own opens that topic.
    void f1EnCadaVentana()
    {
        VentanaPrincipal &ventana = *principal;
        ventana.show();
        ventana.abreArchivo(carpetaEjemplos + u"ejemplo-trabajado.w1e"_s);
        QTest::mouseClick(ventana.documento()->findChild<QPushButton *>(u"boton1"_s), Qt::LeftButton);
        for (const char *orden : {"mnuanova", "mnuconclu", "mnuinforme", "mnusupuestos", "mnugrafica", "pmnudunet", "PrecisionEquivalencia"})
            ventana.findChild<QAction *>(QLatin1String(orden))->trigger();
        ventana.findChild<QAction *>(u"HelpAboutItem"_s)->trigger();
        QMap<QString, QString> paginas;  // window → page
        for (const QStringList &caso : casosDe(casos + u"contextos.tsv"_s))
            if (caso.size() > 2)
                paginas.insert(caso[2], caso[1]);
        QStringList vistas;
        for (QMdiSubWindow *hija : ventana.marco()->subWindowList()) {
            ventana.marco()->setActiveSubWindow(hija);
            QWidget *foco = hija->widget()->focusWidget() ? hija->widget()->focusWidget() : hija->widget();
            QTest::keyClick(foco, Qt::Key_F1);
            QCOMPARE(visor()->paginaActual(), paginas.value(hija->widget()->objectName()));
            vistas << hija->widget()->objectName();
            // The report is closed by any key but F1.
            QVERIFY(hija->isVisible());
        }
        vistas.sort();
        QCOMPARE(vistas, paginas.keys());
        QTest::keyClick(ventana.findChild<AcercaDe *>(), Qt::Key_F1);
        QCOMPARE(visor()->paginaActual(), u"acerca.html"_s);
    }


    // The shipped studies land on the side of 0.05 the help says, their
    // pairs differ as it says, and it quotes their figures as the program
    // prints them.
    void ejemplos()
    {
        const QList<QStringList> citas = casosDe(casos + u"citas.tsv"_s);
        for (const QStringList &caso : casosDe(casos + u"ejemplos.tsv"_s)) {
            const Estudio estudio = EstudioAceptado(LeeArchivoEstudio(carpetaEjemplos + caso[0]));
            const ResultadosAnova r = CalculaAnova(estudio, u'.');
            QCOMPARE(EsSignificativo(r.pfcal), caso[1] == u"sí");
            QStringList difieren;
            QMap<QString, QString> cifras{
                {u"glfam"_s, QString::number(r.fam.gradosLibertad)},
                {u"glerror"_s, QString::number(r.error.gradosLibertad)},
                {u"scfam"_s, FormatoGeneral(r.fam.sumaCuadrados, u'.')},
                {u"scerror"_s, FormatoGeneral(r.error.sumaCuadrados, u'.')},
                {u"mcfam"_s, FormatoGeneral(r.fam.mediaCuadrados, u'.')},
                {u"mcerror"_s, FormatoGeneral(r.error.mediaCuadrados, u'.')},
                {u"fcal"_s, FormatoGeneral(r.fcal, u'.')},
                {u"pfcal"_s, FormatoGeneral(r.pfcal, u'.')},
                {u"amplitud"_s, FormatoGeneral(r.amplitud, u'.')},
            };
            for (const IntervaloPar &par : r.pares) {
                if (par.hayDiferencia)
                    difieren << u"%1-%2"_s.arg(par.menor).arg(par.mayor);
                cifras.insert(u"inferior%1%2"_s.arg(par.menor).arg(par.mayor), FormatoGeneral(par.inferior, u'.'));
                cifras.insert(u"superior%1%2"_s.arg(par.menor).arg(par.mayor), FormatoGeneral(par.superior, u'.'));
            }
            QCOMPARE(difieren.join(u' '), caso.value(2));

            for (const QStringList &cita : citas) {
                if (cita[0] != caso[0])
                    continue;
                QString texto = cita[2];
                for (auto c = cifras.cbegin(); c != cifras.cend(); ++c)
                    texto.replace(u'{' + c.key() + u'}', c.value());
                QVERIFY2(paginaDeAyuda(cita[1]).simplified().contains(texto), qPrintable(cita[1] + u": "_s + texto));
            }
        }
    }

    // Every exact figure the help quotes, recomputed from the F distribution.
    void cifrasExactas()
    {
        for (const QStringList &caso : casosDe(casos + u"cifras-exactas.tsv"_s)) {
            const boost::math::fisher_f f(caso[4].toInt(), caso[5].toInt());
            const double p = boost::math::cdf(boost::math::complement(f, caso[3].toDouble()));
            const QString cita = caso[2].arg(QString::number(p, 'g', 3));
            QVERIFY2(paginaDeAyuda(caso[1]).simplified().contains(cita), qPrintable(caso[0] + u": "_s + cita));
        }
    }

    // The tables by design, k = 2..5 levels: the exact critical F at 5 %,
    // and the smallest difference the intervals can declare, in
    // repeatability SDs.
    void tablasPorDiseno()
    {
        const QString anova = paginaDeAyuda(u"anova.html"_s);
        const QString decision = paginaDeAyuda(u"decision.html"_s);
        for (int k = 2; k <= 5; ++k) {
            const QString critica = renglonDeDiseno(u"%1 (%2)"_s.arg(k).arg(k - 1), [k](int n) {
                const boost::math::fisher_f f(k - 1, k * (n - 1));
                return boost::math::quantile(boost::math::complement(f, 0.05));
            });
            QVERIFY2(anova.contains(critica), qPrintable(critica));
            const QString amplitud = renglonDeDiseno(QString::number(k), [k](int n) {
                const boost::math::students_t t(k * (n - 1));
                return boost::math::quantile(boost::math::complement(t, 0.025)) * std::sqrt(2.0 / n);
            });
            QVERIFY2(decision.contains(amplitud), qPrintable(amplitud));
        }
    }

    // The power of the study: the true difference between the two levels
    // furthest apart (the others between them) that the F test finds at 5 %
    // with a probability of 80 % and 90 %, in repeatability SDs, from the
    // noncentral F; and how often the pair's own interval finds a true
    // difference as large as its half-width, from the noncentral t.
    void potencia()
    {
        namespace bm = boost::math;
        const QString decision = paginaDeAyuda(u"decision.html"_s);
        const auto detectable = [](int k, int n, double potencia) {
            const double critica = bm::quantile(bm::complement(bm::fisher_f(k - 1, k * (n - 1)), 0.05));
            return raiz([&](double d) {
                return bm::cdf(bm::complement(bm::non_central_f(k - 1, k * (n - 1), n * d * d / 2), critica)) - potencia;
            }, 0.1, 20.0);
        };
        for (int k = 2; k <= 5; ++k)
            for (double p : {0.8, 0.9}) {
                const QString renglon = renglonDeDiseno(QString::number(k), [&](int n) { return detectable(k, n, p); });
                QVERIFY2(decision.contains(renglon), qPrintable(renglon));
            }
        QVERIFY(paginaDeAyuda(u"ejemplos.html"_s).contains(u"de %1 desviaciones"_s.arg(detectable(5, 4, 0.8), 0, 'f', 2)));

        double menor = 1, mayor = 0, menorVeces = 100, mayorVeces = 0;
        for (int k = 2; k <= 5; ++k)
            for (int n = 2; n <= 10; ++n) {
                const int gl = k * (n - 1);
                const double t = ValorTablaT(gl);
                const auto declara = [&](double delta) {
                    const bm::non_central_t nt(gl, delta);
                    return bm::cdf(bm::complement(nt, t)) + bm::cdf(nt, -t);
                };
                menor = std::min(menor, declara(t));
                mayor = std::max(mayor, declara(t));
                const double veces = raiz([&](double delta) { return declara(delta) - 0.8; }, t, 3 * t) / t;
                menorVeces = std::min(menorVeces, veces);
                mayorVeces = std::max(mayorVeces, veces);
            }
        const QString frase = u"entre el %1 % y el %2 % de las veces"_s.arg(std::lround(100 * menor)).arg(std::lround(100 * mayor));
        QVERIFY2(decision.simplified().contains(frase), qPrintable(frase));
        const QString veces = u"de %1 a %2 veces"_s.arg(menorVeces, 0, 'f', 2).arg(mayorVeces, 0, 'f', 2);
        QVERIFY2(decision.simplified().contains(veces), qPrintable(veces));
    }

    // What a design can show: the smallest acceptance limit, in
    // repeatability SDs, at which a study of truly equal levels declares
    // every pair equivalent (two one-sided tests at 5 %) 8 times in 10. It
    // does when the range of the k means stays below δ − t·s·√(2/n): the
    // distribution of the range of k normals, averaged over that of s.
    void equivalenciaPorDiseno()
    {
        namespace bm = boost::math;
        using Cuadratura = bm::quadrature::gauss_kronrod<double, 61>;
        const bm::normal z;
        const QString precision = paginaDeAyuda(u"precision.html"_s);
        for (int k = 2; k <= 5; ++k) {
            const auto rango = [&](double w) {
                return Cuadratura::integrate(
                    [&](double x) { return k * bm::pdf(z, x) * std::pow(bm::cdf(z, x + w) - bm::cdf(z, x), k - 1); },
                    -9.0, 9.0, 8, 1e-12);
            };
            const QString renglon = renglonDeDiseno(QString::number(k), [&](int n) {
                const int gl = k * (n - 1);
                const double t = bm::quantile(bm::complement(bm::students_t(gl), 0.05));
                const bm::chi_squared chi(gl);
                // u = s/σ has the density 2·gl·u·f(gl·u²), f that of χ²(gl).
                const auto potencia = [&](double delta) {
                    return Cuadratura::integrate(
                        [&](double u) {
                            return rango(std::sqrt(double(n)) * delta - std::sqrt(2.0) * t * u) * 2 * gl * u
                                   * bm::pdf(chi, gl * u * u);
                        },
                        0.0, std::sqrt(n / 2.0) * delta / t, 8, 1e-10);
                };
                return raiz([&](double delta) { return potencia(delta) - 0.8; }, 0.5, 20.0);
            });
            QVERIFY2(precision.contains(renglon), qPrintable(renglon));
        }
    }

    // The t table against the exact quantiles: to its digits up to 29
    // degrees of freedom except where the help says it is not.
    void tablaT()
    {
        const QString intervalos = paginaDeAyuda(u"intervalos.html"_s).simplified();
        QList<int> distintos;
        for (int gl = 1; gl < 30; ++gl) {
            const double exacto = boost::math::quantile(boost::math::complement(boost::math::students_t(gl), 0.025));
            const QString tabla = QString::number(ValorTablaT(gl), 'g', QLocale::FloatingPointShortest);
            const int cifras = int(tabla.size() - tabla.indexOf(u'.') - 1);
            if (QString::number(exacto, 'f', cifras) == tabla)
                continue;
            distintos << gl;
            const QString frase = u"%1 donde el valor exacto es %2 (%3 redondeado)"_s.arg(tabla, QString::number(exacto, 'f', cifras + 1),
                                                                                    QString::number(exacto, 'f', cifras));
            const QString otra = u"%1 donde es %2 (%3)"_s.arg(tabla, QString::number(exacto, 'f', cifras + 1),
                                                             QString::number(exacto, 'f', cifras));
            QVERIFY2(intervalos.contains(frase) || intervalos.contains(otra), qPrintable(frase));
        }
        QCOMPARE(distintos, (QList<int>{3, 15}));
        QVERIFY(intervalos.contains(u"salvo con 3 y 15 grados de libertad"_s));
    }

    // Two 95 % intervals of level means that just miss each other: the
    // probability of the pair's difference, over every design.
    void solapamiento()
    {
        double menor = 1, mayor = 0;
        for (int k = 2; k <= 5; ++k)
            for (int n = 2; n <= 10; ++n) {
                const int gl = k * (n - 1);
                const double p = 2 * boost::math::cdf(boost::math::complement(boost::math::students_t(gl),
                                                                               std::sqrt(2.0) * ValorTablaT(gl)));
                menor = std::min(menor, p);
                mayor = std::max(mayor, p);
            }
        const QString frase = u"entre %1 y %2 según el diseño"_s.arg(menor, 0, 'f', 3).arg(mayor, 0, 'f', 3);
        QVERIFY2(paginaDeAyuda(u"grafica.html"_s).simplified().contains(frase), qPrintable(frase));
    }

    // PFcal in the tail: how many times the exact probability it gives for
    // the significant example, and at most between 1E-6 and 1E-3.
    void colaDePFcal()
    {
        const Supuestos s = CalculaSupuestos(
            EstudioAceptado(LeeArchivoEstudio(carpetaEjemplos + u"ejemplo-significativo.w1e"_s)), u'.');
        const QString exacta = FormatoGeneral(s.probabilidadExacta, u'.');
        const QString veces = QString::number(std::lround(s.anova.pfcal / s.probabilidadExacta));
        for (const QString &pagina : {u"anova.html"_s, u"ejemplos.html"_s}) {
            const QString texto = paginaDeAyuda(pagina).simplified();
            QVERIFY2(texto.contains(exacta) && texto.contains(veces + u" veces menor"_s), qPrintable(pagina));
        }
        double mayor = 0;
        for (int k = 2; k <= 5; ++k)
            for (int n = 2; n <= 10; ++n) {
                const boost::math::fisher_f f(k - 1, k * (n - 1));
                const double desde = boost::math::quantile(boost::math::complement(f, 1e-3));
                const double hasta = boost::math::quantile(boost::math::complement(f, 1e-6));
                for (int i = 0; i <= 2000; ++i) {
                    const double x = desde * std::pow(hasta / desde, i / 2000.0);
                    mayor = std::max(mayor, ProbabilidadF(x, k - 1, k * (n - 1)) / boost::math::cdf(boost::math::complement(f, x)));
                }
            }
        const QString frase = u"llega a ser %1 veces mayor"_s.arg(std::lround(mayor));
        QVERIFY2(paginaDeAyuda(u"anova.html"_s).simplified().contains(frase), qPrintable(frase));
    }

    // Grubbs: G's bound with three values against the 1 % critical value,
    // and the chance that some level of k is called atypical by chance.
    void grubbsEnLaAyuda()
    {
        const QString supuestos = paginaDeAyuda(u"supuestos.html"_s).simplified();
        const QString cota = u"G = %1 = 2/√3, y el valor crítico al 1 % es %2"_s.arg(
            FormatoGeneral(2 / std::sqrt(3.0), u'.'), FormatoGeneral(CriticoGrubbs(3, 0.01), u'.'));
        QVERIFY2(supuestos.contains(cota), qPrintable(cota));
        const auto porCiento = [](double p) { return QString::number(100 * p, 'f', 1); };
        QStringList k;
        for (int niveles = 2; niveles <= 5; ++niveles)
            k << porCiento(1 - std::pow(0.99, niveles));
        QVERIFY(supuestos.contains(u"%1 % con 2 niveles, %2 % con 3, %3 % con 4 y %4 % con 5"_s.arg(k[0], k[1], k[2], k[3])));
        QVERIFY(supuestos.contains(u"hasta %1 % con 5 niveles"_s.arg(porCiento(1 - std::pow(0.95, 5)))));
    }

    // What the help says of PFcal's approximation: where it crosses 0.05 for
    // three designs, and what it gives for F = 4.26 with 2 and 9.
    void aproximacion()
    {
        const QString anova = paginaDeAyuda(u"anova.html"_s);
        for (const auto &[gl1, gl2, texto] : {std::tuple{1, 18, u"4.32"_s}, std::tuple{1, 2, u"17.56"_s},
                                              std::tuple{3, 4, u"6.74"_s}}) {
            double bajo = 1.0, alto = 100.0;
            for (int i = 0; i < 100; ++i) {
                const double medio = (bajo + alto) / 2;
                (ProbabilidadF(medio, gl1, gl2) > 0.05 ? bajo : alto) = medio;
            }
            QCOMPARE(QString::number(bajo, 'f', 2), texto);
            QVERIFY(anova.contains(texto));
        }
        QVERIFY(anova.contains(u"da 0.04945"_s));
        QCOMPARE(FormatoGeneral(ProbabilidadF(4.26, 2, 9), u'.').left(7), u"0.04945"_s);
    }

    // `cmake --install` into a temporary prefix.
    void instalacion()
    {
        const QString cmake = QStandardPaths::findExecutable(u"cmake"_s);
        if (cmake.isEmpty())
            QSKIP("cmake no está instalado");
        QTemporaryDir prefijo;
        QVERIFY(prefijo.isValid());
        int codigo = 0;
        QString salida = ejecuta(cmake, {u"--install"_s, QStringLiteral(TOLERANCIA_CONSTRUCCION), u"--prefix"_s,
                                         prefijo.path()}, &codigo);
        QVERIFY2(codigo == 0, qPrintable(salida));
        const QDir raiz(prefijo.path());
        const QFileInfo programa(raiz.filePath(u"bin/tolerancia"_s));
        QVERIFY(programa.isFile() && programa.isExecutable());
        for (const QString &ejemplo : QDir(carpetaEjemplos).entryList({u"*.w1e"_s}))
            QVERIFY2(QFile::exists(raiz.filePath(u"share/tolerancia/ejemplos/"_s + ejemplo)), qPrintable(ejemplo));

        // The desktop entry: valid, Spanish, opening studies with their path.
        const QString entrada = raiz.filePath(u"share/applications/tolerancia.desktop"_s);
        const QString validador = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
        if (!validador.isEmpty()) {
            salida = ejecuta(validador, {entrada}, &codigo);
            QVERIFY2(codigo == 0 && !salida.contains(u"error"_s), qPrintable(salida));
        }
        const QStringList lineas = leeTexto(entrada).split(u'\n');
        for (const char *linea : {"Name=Tolerancia del Método", "Exec=tolerancia %f", "Icon=tolerancia",
                                  "Categories=Science;Education;", "MimeType=application/x-tolerancia-estudio;"})
            QVERIFY2(lineas.contains(QString::fromUtf8(linea)), linea);

        // The icon, an SVG document; the study file type, *.w1e.
        QCOMPARE(xmlDe(raiz.filePath(u"share/icons/hicolor/scalable/apps/tolerancia.svg"_s)).value(0),
                 u"http://www.w3.org/2000/svg svg"_s);
        QCOMPARE(xmlDe(raiz.filePath(u"share/mime/packages/tolerancia.xml"_s)),
                 (QStringList{u"http://www.freedesktop.org/standards/shared-mime-info mime-info"_s,
                              u"application/x-tolerancia-estudio"_s, u"text/plain"_s, u"*.w1e"_s}));
        // The install refreshed the type database when the tool is there.
        if (!QStandardPaths::findExecutable(u"update-mime-database"_s).isEmpty())
            QVERIFY(leeTexto(raiz.filePath(u"share/mime/globs2"_s)).contains(u"application/x-tolerancia-estudio:*.w1e"_s));
    }
};

QTEST_MAIN(TstAyuda)
#include "tst_ayuda.moc"
