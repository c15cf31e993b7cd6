#include "core/ayuda/TemasAyuda.h"
#include "core/estudio/ArchivoEstudio.h"
#include "core/motor/Anova.h"
#include "core/motor/Formato.h"
#include "core/motor/Pares.h"
#include "core/motor/TablaT.h"
#include "gui/AcercaDe.h"
#include "gui/Ayuda.h"
#include "gui/BuscarAyuda.h"
#include "gui/VentanaEstudio.h"
#include "gui/VentanaPrincipal.h"
#include "gui/VisorAyuda.h"

#include <boost/math/distributions/fisher_f.hpp>

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
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

VisorAyuda *visor() { return VisorDeAyuda(); }
QTextBrowser *texto() { return visor()->findChild<QTextBrowser *>(u"txtayuda"_s); }
QAction *accionVisor(const char *nombre) { return visor()->findChild<QAction *>(QLatin1String(nombre)); }
QLineEdit *campoBuscar() { return visor()->buscarAyuda()->findChild<QLineEdit *>(u"ebuscar"_s); }
QListWidget *listaTemas() { return visor()->buscarAyuda()->findChild<QListWidget *>(u"lsttemas"_s); }

} // namespace

class TstAyuda : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        if (VisorAyuda *v = VisorDeAyuda()) {
            if (v->buscarAyuda())
                v->buscarAyuda()->hide();
            v->hide();
        }
    }

    // Every context number the program hands over opens its topic, with a
    // title; an unknown one, the contents.
    void contextos()
    {
        const QMap<int, QString> esperados = {
            {1, u"menu-archivo.html"_s}, {2, u"estudio.html"_s},          {3, u"abrir.html"_s},
            {4, u"cerrar.html"_s},       {5, u"guardar.html"_s},          {6, u"guardar.html#como"_s},
            {7, u"imprimir.html"_s},     {8, u"salir.html"_s},            {10, u"calculos.html"_s},
            {11, u"anova.html"_s},       {12, u"intervalos.html"_s},      {13, u"dunnett.html"_s},
            {14, u"supuestos.html"_s},   {15, u"grafica.html"_s},         {19, u"informe.html"_s},
            {20, u"ventana.html"_s},     {30, u"menu-ayuda.html"_s},      {31, u"menu-ayuda.html#contenido"_s},
            {32, u"menu-ayuda.html#buscar"_s}, {33, u"acerca.html"_s}};
        QList<int> numeros = NumerosDeContexto();
        std::sort(numeros.begin(), numeros.end());
        QCOMPARE(numeros, esperados.keys());
        for (auto it = esperados.cbegin(); it != esperados.cend(); ++it) {
            QVERIFY2(destinoExiste(it.value()), qPrintable(it.value()));
            AyudaContexto(it.key());
            QVERIFY(visor()->isVisible());
            QCOMPARE(visor()->paginaActual(), it.value());
            QVERIFY(!texto()->documentTitle().isEmpty());
        }
        AyudaContexto(12345);
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

    // The help menu's commands; one viewer answers every request.
    void contenidoYAyudaDeAyuda()
    {
        VentanaPrincipal ventana;
        const auto elige = [&](const char *nombre) {
            ventana.findChild<QAction *>(QLatin1String(nombre))->trigger();
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
        PideAyuda(99);
        QCOMPARE(primero->paginaActual(), u"indice.html"_s);
        // Closing hides it; the next request brings it back.
        accionVisor("actcerrar")->trigger();
        QVERIFY(!primero->isVisible());
        PideAyuda(ComandoAyuda::contenido);
        QVERIFY(primero->isVisible());
    }

    void enlacesAtrasAdelante()
    {
        PideAyuda(ComandoAyuda::contenido);
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

    // The search list narrows with every letter typed; the arrows move in it
    // while typing goes on; Enter or a double click opens the topic.
    void busqueda()
    {
        PideAyuda(ComandoAyuda::buscar, QString());
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

        PideAyuda(ComandoAyuda::buscar, QString());
        QListWidgetItem *item = lista->item(lista->count() - 1);
        pagina = item->data(Qt::UserRole).toString();
        lista->scrollToItem(item);
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
        QCOMPARE(visor()->paginaActual(), pagina);

        // Nothing found: nothing to open.
        PideAyuda(ComandoAyuda::buscar, QString());
        QTest::keyClicks(campo, u"qqqzz"_s);
        QCOMPARE(lista->count(), 0);
        QVERIFY(!visor()->buscarAyuda()->findChild<QPushButton *>(u"botonmostrar"_s)->isEnabled());

        // A key of one topic goes straight to it; of several, opens the search.
        PideAyuda(ComandoAyuda::buscar, u"LC_NUMERIC"_s);
        QCOMPARE(visor()->paginaActual(), u"separador.html"_s);
        PideAyuda(ComandoAyuda::buscar, u"guardar"_s);
        QVERIFY(visor()->buscarAyuda()->isVisible());
        QCOMPARE(campo->text(), u"guardar"_s);
    }

    void accesible()
    {
        PideAyuda(ComandoAyuda::buscar, QString());
        QVERIFY(!texto()->accessibleName().isEmpty());
        auto *barra = visor()->findChild<QToolBar *>(u"barraayuda"_s);
        QCOMPARE(barra->actions().size(), 5);
        for (QAction *accion : barra->actions()) {
            QVERIFY2(!accion->shortcut().isEmpty(), qPrintable(accion->objectName()));
            QCOMPARE(barra->widgetForAction(accion)->accessibleName(), accion->objectName());
        }
        QSet<QWidget *> conEtiqueta;
        for (QLabel *etiqueta : visor()->buscarAyuda()->findChildren<QLabel *>())
            conEtiqueta.insert(etiqueta->buddy());
        QVERIFY(conEtiqueta.contains(campoBuscar()) && conEtiqueta.contains(listaTemas()));
        for (QPushButton *boton : visor()->buscarAyuda()->findChildren<QPushButton *>())
            QVERIFY(!boton->accessibleName().isEmpty());
    }

    // The words people type find the page that explains them.
    void palabrasBuscadas()
    {
        const QVector<EntradaIndice> indice = IndiceAyuda(LeeTemasAyuda());
        const QList<std::pair<QString, QString>> esperadas = {
            {u"Fisher"_s, u"anova.html"_s},          {u"LSD"_s, u"intervalos.html"_s},
            {u"DMS"_s, u"intervalos.html"_s},        {u"aproximación"_s, u"anova.html"_s},
            {u"valor crítico"_s, u"anova.html"_s},   {u"decisión"_s, u"decision.html"_s},
            {u"supuestos"_s, u"supuestos.html"_s},   {u"normalidad"_s, u"supuestos.html"_s},
            {u"atípico"_s, u"supuestos.html"_s},     {u"comparaciones"_s, u"intervalos.html"_s},
            {u"celda"_s, u"estudio.html"_s},         {u"tolera"_s, u"decision.html"_s}};
        for (const auto &[palabra, pagina] : esperadas) {
            QStringList paginas;
            for (const EntradaIndice &entrada : FiltraIndice(indice, palabra))
                paginas << entrada.pagina;
            QVERIFY2(paginas.contains(pagina), qPrintable(palabra + u" → "_s + paginas.join(u' ')));
        }
    }

    // Every message the program can show is quoted in the help: the fixed
    // parts of each literal handed to a message box, an error or an error
    // line of the command line ("%1" stands for a name or a cause).
    void mensajesExplicados()
    {
        QString ayuda;
        for (const TemaAyuda &tema : LeeTemasAyuda())
            ayuda += u' ' + paginaDeAyuda(tema.pagina);
        ayuda.remove(QRegularExpression(u"<[^>]*>"_s));
        ayuda.replace(u"&lt;"_s, u"<"_s).replace(u"&gt;"_s, u">"_s).replace(u"&nbsp;"_s, u" "_s).replace(u"&amp;"_s, u"&"_s);
        ayuda = ayuda.simplified();

        const QRegularExpression orden(QStringLiteral(
            "(\\bError(?:Archivo|Calculo|Conversion|Impresion|Tolerancia)\\s*\\("
            "|compruebaSalida\\s*\\([^,;]*,|\\bmensaje\\s*\\(|Fallo\\w*\\s*\\{"
            "|escribeError\\s*\\([^,;]*,|escribe\\s*\\(\\s*stderr\\s*,|revisaConteo\\s*\\(|pregunta\\s*\\()"));
        const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\"(\\s*\"((?:[^\"\\\\]|\\\\.)*)\")*"));
        int mensajes = 0;
        QDirIterator fuentes(QStringLiteral(TOLERANCIA_FUENTES "/src"), {u"*.cpp"_s}, QDir::Files,
                             QDirIterator::Subdirectories);
        while (fuentes.hasNext()) {
            const QString codigo = leeTexto(fuentes.next());
            for (const QRegularExpressionMatch &m : orden.globalMatch(codigo)) {
                const QString sentencia = codigo.mid(m.capturedEnd(), codigo.indexOf(u';', m.capturedEnd()) - m.capturedEnd());
                for (const QRegularExpressionMatch &l : literal.globalMatch(sentencia)) {
                    // Adjacent literals are one text.
                    QString texto = l.captured(0);
                    texto.remove(QRegularExpression(QStringLiteral("\"\\s*\"")));
                    texto = texto.mid(1, texto.size() - 2).replace(u"\\n"_s, u" "_s);
                    for (const QString &parte : texto.split(QRegularExpression(u"%\\d"_s))) {
                        if (parte.trimmed().size() < 3)
                            continue;
                        ++mensajes;
                        QVERIFY2(ayuda.contains(parte.simplified()),
                                 qPrintable(fuentes.fileName() + u": "_s + parte.simplified()));
                    }
                }
            }
        }
        QVERIFY(mensajes > 40);
    }

    // F1 in a window with a topic of its own opens that topic.
    void f1EnCadaVentana()
    {
        VentanaPrincipal ventana;
        ventana.show();
        ventana.abreArchivo(QStringLiteral(TOLERANCIA_FUENTES "/ejemplos/ejemplo-trabajado.w1e"));
        QTest::mouseClick(ventana.documento()->findChild<QPushButton *>(u"boton1"_s), Qt::LeftButton);
        for (const char *orden : {"mnuanova", "mnuconclu", "mnuinforme", "mnusupuestos", "mnugrafica", "pmnudunet"})
            ventana.findChild<QAction *>(QLatin1String(orden))->trigger();
        ventana.findChild<QAction *>(u"HelpAboutItem"_s)->trigger();
        const QMap<QString, QString> paginas = {
            {u"Finforma"_s, u"estudio.html"_s},      {u"finfoA"_s, u"anova.html"_s},
            {u"finfoB"_s, u"intervalos.html"_s},     {u"frminforme"_s, u"informe.html"_s},
            {u"VentanaSupuestos"_s, u"supuestos.html"_s}, {u"VentanaGrafica"_s, u"grafica.html"_s},
            {u"VentanaDunnett"_s, u"dunnett.html"_s}};
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
        QStringList todas = paginas.keys();
        todas.sort();
        QCOMPARE(vistas, todas);
        QTest::keyClick(ventana.findChild<AcercaDe *>(), Qt::Key_F1);
        QCOMPARE(visor()->paginaActual(), u"acerca.html"_s);
    }


    void ejemplos_data()
    {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<bool>("significativo");
        QTest::newRow("trabajado") << u"ejemplo-trabajado.w1e"_s << true;
        QTest::newRow("significativo") << u"ejemplo-significativo.w1e"_s << true;
        QTest::newRow("no significativo") << u"ejemplo-no-significativo.w1e"_s << false;
        QTest::newRow("varianza aberrante") << u"ejemplo-varianza-aberrante.w1e"_s << false;
        QTest::newRow("valor atípico") << u"ejemplo-valor-atipico.w1e"_s << false;
        QTest::newRow("marginal") << u"ejemplo-marginal.w1e"_s << true;
    }

    // The shipped studies land on the side of 0.05 the help says, and the
    // help quotes their figures as the program prints them.
    void ejemplos()
    {
        QFETCH(QString, archivo);
        QFETCH(bool, significativo);
        const Estudio estudio =
            EstudioAceptado(LeeArchivoEstudio(QStringLiteral(TOLERANCIA_FUENTES "/ejemplos/") + archivo));
        const int k = estudio.econdicion.toInt();
        JuegoResultados juego;
        CalculaAnova(estudio, u'.', juego);
        const auto &r = juego.resultados;
        QCOMPARE(EsSignificativo(r[Ranura::pfcal]), significativo);
        const auto cifra = [&](double valor) { return FormatoGeneral(valor, u'.'); };

        const QString ayuda = paginaDeAyuda(u"ejemplos.html"_s);
        const auto inicio = ayuda.indexOf(u"<h2>"_s + archivo);
        QVERIFY(inicio >= 0);
        const QString seccion = ayuda.mid(inicio, ayuda.indexOf(u"<h2>"_s, inicio + 4) - inicio);
        QVERIFY2(seccion.contains(u"Fcal = "_s + cifra(r[Ranura::fcal])), qPrintable(cifra(r[Ranura::fcal])));
        QVERIFY2(seccion.contains(u"PFcal = "_s + cifra(r[Ranura::pfcal])), qPrintable(cifra(r[Ranura::pfcal])));

        if (archivo == u"ejemplo-trabajado.w1e") {
            // The worked figures of the pages on the analysis and the intervals.
            const QString anova = paginaDeAyuda(u"anova.html"_s);
            for (const int ranura : {Ranura::scfam, Ranura::scerror, Ranura::mcfam, Ranura::mcerror,
                                     Ranura::fcal, Ranura::pfcal})
                QVERIFY2(anova.contains(u"<td>"_s + cifra(r[ranura]) + u"</td>"_s), qPrintable(cifra(r[ranura])));
            const QString intervalos = paginaDeAyuda(u"intervalos.html"_s);
            for (int p = 0; p < NumeroPares(k); ++p) {
                const ParFam &par = OrdenPares.at(std::size_t(p));
                const QString renglon =
                    u"<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5 Diferencia entre FAM</td></tr>"_s
                        .arg(par.menor).arg(par.mayor)
                        .arg(cifra(r[par.liminf]), cifra(r[par.limsup]),
                             HayDiferencia(r[par.liminf], r[par.limsup]) ? u"Hay"_s : u"Sin"_s);
                QVERIFY2(intervalos.contains(renglon), qPrintable(renglon));
            }
            QVERIFY(intervalos.contains(u"la amplitud es "_s + cifra((r[Ranura::limsup12] - r[Ranura::liminf12]) / 2)));
            // The approximation the help compares with the exact tail.
            QVERIFY(anova.contains(u"da 0.04945"_s));
            QCOMPARE(cifra(ProbabilidadF(4.26, 2, 9)).left(7), u"0.04945"_s);
        }
        if (archivo == u"ejemplo-marginal.w1e") {
            // The marginal decision the page on the approximation tells about.
            const QString anova = paginaDeAyuda(u"anova.html"_s);
            for (const double valor : {r[Ranura::fcal], r[Ranura::pfcal], r[Ranura::liminf12], r[Ranura::limsup12]})
                QVERIFY2(anova.contains(cifra(valor)), qPrintable(cifra(valor)));
            QVERIFY(!HayDiferencia(r[Ranura::liminf12], r[Ranura::limsup12]));
        }
        if (archivo == u"ejemplo-significativo.w1e") {
            // Only the pairs with level 3 differ, as the help says.
            for (int p = 0; p < NumeroPares(k); ++p) {
                const ParFam &par = OrdenPares.at(std::size_t(p));
                QCOMPARE(HayDiferencia(r[par.liminf], r[par.limsup]), par.menor == 3 || par.mayor == 3);
            }
        }
    }

    // Every exact figure the help quotes, recomputed from the F distribution.
    void cifrasExactas_data()
    {
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("f");
        QTest::addColumn<int>("gl1");
        QTest::addColumn<int>("gl2");
        QTest::newRow("F 4.26") << u"anova.html"_s << u"el valor exacto es %1"_s << 4.26 << 2 << 9;
        QTest::newRow("trabajado") << u"anova.html"_s << u"(exacto %1)"_s << 10.0476 << 2 << 9;
        QTest::newRow("marginal") << u"anova.html"_s << u"probabilidad exacta es %1"_s << 4.37545 << 1 << 18;
        QTest::newRow("salto bajo 1") << u"anova.html"_s << u"probabilidad exacta es %1"_s << 0.99 << 1 << 18;
        QTest::newRow("no significativo") << u"ejemplos.html"_s << u"probabilidad exacta es %1"_s << 0.777202 << 4 << 15;
    }

    void cifrasExactas()
    {
        QFETCH(QString, pagina);
        QFETCH(QString, texto);
        QFETCH(double, f);
        QFETCH(int, gl1);
        QFETCH(int, gl2);
        const double p = boost::math::cdf(boost::math::complement(boost::math::fisher_f(gl1, gl2), f));
        const QString cita = texto.arg(QString::number(p, 'g', 3));
        QVERIFY2(paginaDeAyuda(pagina).simplified().contains(cita), qPrintable(cita));
    }

    // The table of critical values of F covers every design of the program.
    void valoresCriticosDeF()
    {
        const QString anova = paginaDeAyuda(u"anova.html"_s);
        const qsizetype inicio = anova.indexOf(u"id=\"tabla-f-critica\""_s);
        QVERIFY(inicio >= 0);
        const QString tabla = anova.mid(inicio, anova.indexOf(u"</table>"_s, inicio) - inicio);
        for (int k = 2; k <= 5; ++k) {
            QString renglon = u"<tr><th>%1 (%2)</th>"_s.arg(k).arg(k - 1);
            for (int n = 2; n <= 10; ++n) {
                const boost::math::fisher_f f(k - 1, k * (n - 1));
                renglon += u"<td>%1</td>"_s.arg(boost::math::quantile(boost::math::complement(f, 0.05)), 0, 'f', 2);
            }
            QVERIFY2(tabla.contains(renglon + u"</tr>"_s), qPrintable(renglon));
        }
        // The limits PFcal implies, as the page quotes them: where it crosses 0.05.
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
    }

    // The smallest difference a design can declare, in repeatability SDs.
    void amplitudesPorDiseno()
    {
        const QString decision = paginaDeAyuda(u"decision.html"_s);
        for (int k = 2; k <= 5; ++k) {
            QString renglon = u"<tr><th>%1</th>"_s.arg(k);
            for (int n = 2; n <= 10; ++n)
                renglon += u"<td>%1</td>"_s.arg(ValorTablaT(k * (n - 1)) * std::sqrt(2.0 / n), 0, 'f', 2);
            QVERIFY2(decision.contains(renglon + u"</tr>"_s), qPrintable(renglon));
        }
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
        for (const char *ejemplo : {"ejemplo-trabajado.w1e", "ejemplo-significativo.w1e", "ejemplo-no-significativo.w1e",
                                    "ejemplo-varianza-aberrante.w1e", "ejemplo-valor-atipico.w1e"})
            QVERIFY(QFile::exists(raiz.filePath(u"share/tolerancia/ejemplos/"_s + QLatin1String(ejemplo))));

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
