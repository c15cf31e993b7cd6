#include "capture/ReglasCaptura.h"
#include "shell/Ayuda.h"
#include "shell/Main.h"
#include "shell/BuscarAyuda.h"
#include "shell/TemasAyuda.h"
#include "shell/VisorAyuda.h"
#include "stats/Conversiones.h"
#include "stats/Formato.h"
#include "stats/Pares.h"
#include "stats/Uanova.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QXmlStreamReader>

namespace {

QString leeTexto(const QString &ruta)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(archivo.readAll());
}

QString paginaSinAncla(const QString &destino)
{
    return destino.section(u'#', 0, 0);
}

// True when `pagina` of the help set defines the anchor `ancla`.
bool tieneAncla(const QString &pagina, const QString &ancla)
{
    return leeTexto(CarpetaAyuda() + u'/' + pagina).contains(QStringLiteral("name=\"%1\"").arg(ancla));
}

QString fuentes(const QString &relativa)
{
    return QStringLiteral(TOLERANCIA_FUENTES) + u'/' + relativa;
}

// A ".w1e" study as the program reads it after the accept button, checking
// on the way that the bytes follow the file format to the letter.
Estudio leeEjemplo(const QString &nombre)
{
    QFile archivo(fuentes(QStringLiteral("ejemplos/") + nombre));
    if (!archivo.open(QIODevice::ReadOnly))
        qFatal("falta el ejemplo %s", qPrintable(nombre));
    const QByteArray bytes = archivo.readAll();
    if (!bytes.endsWith("\r\n"))
        qFatal("%s: la última línea no termina en CR LF", qPrintable(nombre));
    QList<QByteArray> lineas = bytes.split('\n');
    lineas.removeLast();  // after the final LF
    Estudio estudio;
    QStringList textos;
    for (const QByteArray &linea : std::as_const(lineas)) {
        if (!linea.endsWith('\r') || linea.count('\r') != 1)
            qFatal("%s: línea sin CR LF", qPrintable(nombre));
        for (const char c : linea)
            if (static_cast<unsigned char>(c) >= 0x80 && static_cast<unsigned char>(c) < 0xA0)
                qFatal("%s: byte fuera de Latin-1", qPrintable(nombre));
        // Below 0x80 and from 0xA0 on, Windows-1252 and Latin-1 agree.
        textos.append(QString::fromLatin1(linea.chopped(1)));
    }
    estudio.etole = textos.value(0);
    estudio.emetodo = textos.value(1);
    estudio.eanalista = textos.value(2);
    estudio.efecha = textos.value(3);
    estudio.econdicion = textos.value(4);
    estudio.ereplica = textos.value(5);
    const int k = estudio.econdicion.toInt();
    const int n = estudio.ereplica.toInt();
    if (textos.size() != 6 + k * n)
        qFatal("%s: %lld líneas para k = %d y n = %d", qPrintable(nombre), qlonglong(textos.size()), k, n);
    estudio.stgdatos = RejillaCreacion();
    AceptaRejilla(estudio.stgdatos, k, n);
    for (int i = 1; i <= k; ++i)
        for (int j = 1; j <= n; ++j)
            estudio.stgdatos.ponCelda(i, j, textos.at(6 + (i - 1) * n + j - 1));
    return estudio;
}

QString ejecuta(const QString &programa, const QStringList &argumentos, int *codigo)
{
    QProcess proceso;
    proceso.setProcessChannelMode(QProcess::MergedChannels);
    proceso.start(programa, argumentos);
    if (!proceso.waitForFinished(120000)) {
        *codigo = -1;
        return QStringLiteral("no terminó");
    }
    *codigo = proceso.exitStatus() == QProcess::NormalExit ? proceso.exitCode() : -1;
    return QString::fromUtf8(proceso.readAll());
}

} // namespace

class TstAyuda : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    // The help set.
    void numerosDeAyuda_data();
    void numerosDeAyuda();
    void numerosDelMenuCubiertos();
    void paginasCompletasYEnlazadas();
    void textosDelProgramaCitadosTalCual();
    void indiceYFiltro();

    // The viewer through its widgets.
    void visorContenidoYAyudaDeAyuda();
    void visorContextos();
    void visorEnlacesAtrasAdelante();
    void visorBusquedaEnVivo();
    void visorBusquedaDobleClicYTeclas();
    void visorClaveUnica();
    void visorAccesible();
    void desdeLaVentanaPrincipal();

    // Example studies and the figures the help quotes.
    void ejemplos_data();
    void ejemplos();
    void separadoresDeLaAyuda();

    // make install.
    void instalacion();
};

void TstAyuda::cleanup()
{
    if (TVisorAyuda *visor = VisorAyuda()) {
        if (visor->buscarAyuda())
            visor->buscarAyuda()->hide();
        visor->hide();
    }
}

void TstAyuda::numerosDeAyuda_data()
{
    QTest::addColumn<QString>("destino");
    QTest::newRow("contenido") << PaginaDeComando(ComandoAyuda::contenido);
    QTest::newRow("ayuda de la ayuda") << PaginaDeComando(ComandoAyuda::ayudaDeAyuda);
    for (const int numero : {1, 2, 3, 4, 5, 6, 7, 8, 10, 19, 20, 30, 31, 32, 33})
        QTest::addRow("contexto %d", numero) << PaginaDeContexto(numero);
}

void TstAyuda::numerosDeAyuda()
{
    QFETCH(QString, destino);
    QVERIFY(!destino.isEmpty());
    const QString pagina = paginaSinAncla(destino);
    const QString html = leeTexto(CarpetaAyuda() + u'/' + pagina);
    QVERIFY2(!html.isEmpty(), qPrintable(pagina));
    QVERIFY(!AnalizaPagina(pagina, html).titulo.isEmpty());
    if (destino.contains(u'#'))
        QVERIFY2(tieneAncla(pagina, destino.section(u'#', 1)), qPrintable(destino));
}

void TstAyuda::numerosDelMenuCubiertos()
{
    // The help numbers of the menu items and of the study window.
    const QList<int> esperados = {1, 2, 3, 4, 5, 6, 7, 8, 10, 19, 20, 30, 31, 32, 33};
    QList<int> numeros = NumerosDeContexto();
    std::sort(numeros.begin(), numeros.end());
    QCOMPARE(numeros, esperados);
    QVERIFY(PaginaDeContexto(9).isEmpty());
    QVERIFY(PaginaDeComando(261).isEmpty());  // the search has no page of its own
}

void TstAyuda::paginasCompletasYEnlazadas()
{
    const QVector<TemaAyuda> temas = LeeTemasAyuda();
    QVERIFY(temas.size() >= 20);
    QStringList paginas;
    for (const TemaAyuda &tema : temas)
        paginas.append(tema.pagina);

    static const QRegularExpression enlace(QStringLiteral("href=\"([^\"]*)\""));
    static const QRegularExpression encabezado(QStringLiteral("<h1>(.*?)</h1>"));
    QSet<QString> alcanzadas;
    for (const TemaAyuda &tema : temas) {
        const QString html = leeTexto(CarpetaAyuda() + u'/' + tema.pagina);
        QVERIFY2(!tema.titulo.isEmpty(), qPrintable(tema.pagina));
        QVERIFY2(!tema.claves.isEmpty(), qPrintable(tema.pagina));
        QCOMPARE(encabezado.match(html).captured(1), tema.titulo);
        QVERIFY2(html.contains(QStringLiteral("href=\"indice.html\"")) || tema.pagina == u"indice.html",
                 qPrintable(tema.pagina));
        for (auto it = enlace.globalMatch(html); it.hasNext();) {
            const QString destino = it.next().captured(1);
            if (destino == u"estilo.css")
                continue;
            const QString pagina = paginaSinAncla(destino);
            QVERIFY2(paginas.contains(pagina), qPrintable(tema.pagina + QStringLiteral(" -> ") + destino));
            if (destino.contains(u'#'))
                QVERIFY2(tieneAncla(pagina, destino.section(u'#', 1)),
                         qPrintable(tema.pagina + QStringLiteral(" -> ") + destino));
            if (tema.pagina == u"indice.html")
                alcanzadas.insert(pagina);
        }
    }
    // The contents page leads to every topic.
    for (const QString &pagina : std::as_const(paginas))
        QVERIFY2(pagina == u"indice.html" || alcanzadas.contains(pagina), qPrintable(pagina));
}

void TstAyuda::textosDelProgramaCitadosTalCual()
{
    const QString mensajes = leeTexto(CarpetaAyuda() + QStringLiteral("/mensajes.html"));
    for (const char *texto : {
             "Falta capturar el número de FAM<",
             "Falta capturar el número de FAM.<",
             "Falta capturar el número de valoraciones replicaciones<",
             "Falta capturar el número de valoraciones(replicaciones).<",
             "El valor de captura no es un valor numérico.<",
             "Datos fuera de límite, 2-5 FAM.<",
             "Datos fuera de límite, 2-10 valoraciones (Replicaciones).<",
             " Falta aceptar el número de FAM y de Muestras<",
             "El número de celdas para las replicaciones, no coincide con el número de replicas(Muestras).<",
             "Falta capturar la 2 ª muestra del FAM&nbsp;&nbsp;&nbsp;&nbsp;1.<",
             "Algún dato capturado no es un valor numérico.<",
             "Existió un error de cálculo, verificar valores de captura.<",
             "Floating point division by zero<",
             "Invalid floating point operation<",
             "is not a valid floating point value<",
             "is not a valid integer value<",
             "Guardar archivo?<",
             "Se realizaron cambios!\nQuiere guardar su información?<",
         })
        QVERIFY2(mensajes.contains(QString::fromUtf8(texto)), texto);

    // The messages the capture rules really give, quoted as they are.
    for (const auto &[condicion, replica] :
         {std::pair{"", "3"}, {"6", "3"}, {"2", ""}, {"2", "11"}}) {
        const auto fallo = RevisaConteos(QString::fromLatin1(condicion), QString::fromLatin1(replica));
        QVERIFY(fallo);
        QVERIFY2(mensajes.contains(fallo->mensaje + u'<'), qPrintable(fallo->mensaje));
    }
}

void TstAyuda::indiceYFiltro()
{
    const QVector<EntradaIndice> indice = IndiceAyuda(LeeTemasAyuda());
    QVERIFY(!indice.isEmpty());
    for (qsizetype i = 1; i < indice.size(); ++i)
        QVERIFY(ClaveNormalizada(indice.at(i - 1).clave) <= ClaveNormalizada(indice.at(i).clave));

    QCOMPARE(FiltraIndice(indice, QString()).size(), indice.size());
    QVERIFY(FiltraIndice(indice, QStringLiteral("zzqx")).isEmpty());

    // Case and accents do not matter; part of a word is enough.
    const auto paginas = [&](const QString &parcial) {
        QSet<QString> resultado;
        for (const EntradaIndice &e : FiltraIndice(indice, parcial))
            resultado.insert(e.pagina);
        return resultado;
    };
    QVERIFY(paginas(QStringLiteral("analisis de la VARIANZA")).contains(QStringLiteral("anova.html")));
    QVERIFY(paginas(QStringLiteral("pfca")).contains(QStringLiteral("anova.html")));
    QVERIFY(paginas(QStringLiteral("separ")).contains(QStringLiteral("separador.html")));
    QCOMPARE(paginas(QStringLiteral("lc_numeric")), QSet<QString>{QStringLiteral("separador.html")});
    QCOMPARE(ClaveNormalizada(QStringLiteral("  Límite   INFERIOR ")), QStringLiteral("limite inferior"));

    const TemaAyuda tema = AnalizaPagina(QStringLiteral("x.html"),
                                         QStringLiteral("<title>A &amp; B</title>"
                                                        "<meta name=\"keywords\" content=\"uno; dos ;;\">"));
    QCOMPARE(tema.titulo, QStringLiteral("A & B"));
    QCOMPARE(tema.claves, (QStringList{QStringLiteral("uno"), QStringLiteral("dos")}));
}

void TstAyuda::visorContenidoYAyudaDeAyuda()
{
    PideAyuda(ComandoAyuda::contenido);
    TVisorAyuda *visor = VisorAyuda();
    QVERIFY(visor->isVisible());
    QCOMPARE(visor->paginaActual(), QStringLiteral("indice.html"));
    auto *texto = visor->findChild<QTextBrowser *>(QStringLiteral("txtayuda"));
    QVERIFY(texto);
    QCOMPARE(texto->documentTitle(), QStringLiteral("Contenido de la ayuda"));
    QVERIFY(visor->windowTitle().startsWith(QStringLiteral("Contenido de la ayuda")));
    QVERIFY(texto->toPlainText().contains(QStringLiteral("Un estudio paso a paso")));

    PideAyuda(ComandoAyuda::ayudaDeAyuda);
    QCOMPARE(VisorAyuda(), visor);  // one viewer for every request
    QCOMPARE(visor->paginaActual(), QStringLiteral("usar-ayuda.html"));
    QCOMPARE(texto->documentTitle(), QStringLiteral("Cómo usar la ayuda"));

    int visores = 0;
    for (QWidget *ventana : QApplication::topLevelWidgets())
        visores += qobject_cast<TVisorAyuda *>(ventana) != nullptr;
    QCOMPARE(visores, 1);

    // An unknown command still opens the help, on its contents.
    PideAyuda(99);
    QCOMPARE(visor->paginaActual(), QStringLiteral("indice.html"));

    // Closing hides it; the next request brings it back.
    visor->findChild<QAction *>(QStringLiteral("actcerrar"))->trigger();
    QVERIFY(!visor->isVisible());
    PideAyuda(ComandoAyuda::contenido);
    QVERIFY(visor->isVisible());
}

void TstAyuda::visorContextos()
{
    const QList<std::pair<int, QString>> esperados = {
        {1, QStringLiteral("menu-archivo.html")}, {2, QStringLiteral("estudio.html")},
        {3, QStringLiteral("abrir.html")},        {4, QStringLiteral("cerrar.html")},
        {5, QStringLiteral("guardar.html")},      {6, QStringLiteral("guardar.html#como")},
        {7, QStringLiteral("imprimir.html")},     {8, QStringLiteral("salir.html")},
        {10, QStringLiteral("calculos.html")},    {19, QStringLiteral("informe.html")},
        {20, QStringLiteral("ventana.html")},     {30, QStringLiteral("menu-ayuda.html")},
        {31, QStringLiteral("menu-ayuda.html#contenido")},
        {32, QStringLiteral("menu-ayuda.html#buscar")},
        {33, QStringLiteral("acerca.html")},
    };
    auto *texto = VisorAyuda()->findChild<QTextBrowser *>(QStringLiteral("txtayuda"));
    for (const auto &[numero, pagina] : esperados) {
        AyudaContexto(numero);
        QCOMPARE(VisorAyuda()->paginaActual(), pagina);
        QVERIFY(VisorAyuda()->isVisible());
        QVERIFY2(!texto->documentTitle().isEmpty(), qPrintable(pagina));
    }
    AyudaContexto(2);
    QCOMPARE(texto->documentTitle(), QStringLiteral("La ventana del estudio"));
    AyudaContexto(12345);
    QCOMPARE(VisorAyuda()->paginaActual(), QStringLiteral("indice.html"));
}

void TstAyuda::visorEnlacesAtrasAdelante()
{
    PideAyuda(ComandoAyuda::contenido);
    TVisorAyuda *visor = VisorAyuda();
    auto *texto = visor->findChild<QTextBrowser *>(QStringLiteral("txtayuda"));
    QAction *atras = visor->findChild<QAction *>(QStringLiteral("actatras"));
    QAction *adelante = visor->findChild<QAction *>(QStringLiteral("actadelante"));
    QAction *contenido = visor->findChild<QAction *>(QStringLiteral("actcontenido"));

    // Tab reaches the first link of the contents; Enter follows it.
    texto->setFocus();
    texto->moveCursor(QTextCursor::Start);
    QTest::keyClick(texto, Qt::Key_Tab);
    QTest::keyClick(texto, Qt::Key_Return);
    QCOMPARE(visor->paginaActual(), QStringLiteral("introduccion.html"));
    QVERIFY(atras->isEnabled());

    atras->trigger();
    QCOMPARE(visor->paginaActual(), QStringLiteral("indice.html"));
    QVERIFY(adelante->isEnabled());
    adelante->trigger();
    QCOMPARE(visor->paginaActual(), QStringLiteral("introduccion.html"));
    QVERIFY(!adelante->isEnabled());

    contenido->trigger();
    QCOMPARE(visor->paginaActual(), QStringLiteral("indice.html"));
    QCOMPARE(atras->shortcut(), QKeySequence(QKeySequence::Back));
}

void TstAyuda::visorBusquedaEnVivo()
{
    PideAyuda(ComandoAyuda::buscar, QString());
    TVisorAyuda *visor = VisorAyuda();
    QVERIFY(visor->isVisible());
    TBuscarAyuda *buscar = visor->buscarAyuda();
    QVERIFY(buscar);
    QVERIFY(buscar->isVisible());
    auto *campo = buscar->findChild<QLineEdit *>(QStringLiteral("ebuscar"));
    auto *lista = buscar->findChild<QListWidget *>(QStringLiteral("lsttemas"));
    QVERIFY(campo && lista);
    QVERIFY(campo->text().isEmpty());
    const int todas = lista->count();
    QCOMPARE(todas, IndiceAyuda(LeeTemasAyuda()).size());

    // Each letter narrows the list to the keywords holding what was typed.
    int antes = todas;
    QString escrito;
    for (const QChar letra : QStringLiteral("varianz")) {
        QTest::keyClick(campo, letra.toLatin1());
        escrito.append(letra);
        QVERIFY(lista->count() <= antes);
        QVERIFY(lista->count() > 0);
        for (int i = 0; i < lista->count(); ++i)
            QVERIFY2(ClaveNormalizada(lista->item(i)->text()).contains(escrito),
                     qPrintable(lista->item(i)->text()));
        antes = lista->count();
    }
    QVERIFY(antes < todas);
    QCOMPARE(lista->currentRow(), 0);

    // Backspace widens it again.
    QTest::keyClick(campo, Qt::Key_Backspace);
    QVERIFY(lista->count() >= antes);

    // Enter opens the chosen topic and closes the dialog.
    const QString pagina = lista->currentItem()->data(Qt::UserRole).toString();
    QTest::keyClick(campo, Qt::Key_Return);
    QVERIFY(!buscar->isVisible());
    QCOMPARE(visor->paginaActual(), pagina);

    // Nothing found: nothing to open.
    PideAyuda(ComandoAyuda::buscar, QString());
    QVERIFY(campo->text().isEmpty());
    QTest::keyClicks(campo, QStringLiteral("qqqzz"));
    QCOMPARE(lista->count(), 0);
    QVERIFY(!buscar->findChild<QPushButton *>(QStringLiteral("botonmostrar"))->isEnabled());
    QTest::keyClick(campo, Qt::Key_Return);
    QCOMPARE(visor->paginaActual(), pagina);
}

void TstAyuda::visorBusquedaDobleClicYTeclas()
{
    PideAyuda(ComandoAyuda::buscar, QString());
    TBuscarAyuda *buscar = VisorAyuda()->buscarAyuda();
    auto *campo = buscar->findChild<QLineEdit *>(QStringLiteral("ebuscar"));
    auto *lista = buscar->findChild<QListWidget *>(QStringLiteral("lsttemas"));
    QTest::keyClicks(campo, QStringLiteral("imprim"));
    QVERIFY(lista->count() >= 2);

    // The arrows move through the list while typing goes on in the field.
    QTest::keyClick(campo, Qt::Key_Down);
    QCOMPARE(lista->currentRow(), 1);
    QTest::keyClick(campo, Qt::Key_Up);
    QCOMPARE(lista->currentRow(), 0);

    // A double click opens the topic under the pointer.
    QListWidgetItem *item = lista->item(lista->count() - 1);
    const QString pagina = item->data(Qt::UserRole).toString();
    lista->scrollToItem(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
    QVERIFY(!buscar->isVisible());
    QCOMPARE(VisorAyuda()->paginaActual(), pagina);
}

void TstAyuda::visorClaveUnica()
{
    // A key of one topic only goes straight to it.
    PideAyuda(ComandoAyuda::buscar, QStringLiteral("LC_NUMERIC"));
    QCOMPARE(VisorAyuda()->paginaActual(), QStringLiteral("separador.html"));
    QVERIFY(!VisorAyuda()->buscarAyuda() || !VisorAyuda()->buscarAyuda()->isVisible());

    // A key of several topics opens the search with it typed.
    PideAyuda(ComandoAyuda::buscar, QStringLiteral("guardar"));
    TBuscarAyuda *buscar = VisorAyuda()->buscarAyuda();
    QVERIFY(buscar && buscar->isVisible());
    QCOMPARE(buscar->findChild<QLineEdit *>(QStringLiteral("ebuscar"))->text(), QStringLiteral("guardar"));
    auto *lista = buscar->findChild<QListWidget *>(QStringLiteral("lsttemas"));
    QVERIFY(lista->count() >= 2);
    for (int i = 0; i < lista->count(); ++i)
        QVERIFY(ClaveNormalizada(lista->item(i)->text()).contains(QStringLiteral("guardar")));
}

void TstAyuda::visorAccesible()
{
    PideAyuda(ComandoAyuda::buscar, QString());
    TVisorAyuda *visor = VisorAyuda();
    QVERIFY(!visor->findChild<QTextBrowser *>(QStringLiteral("txtayuda"))->accessibleName().isEmpty());
    auto *barra = visor->findChild<QToolBar *>(QStringLiteral("barraayuda"));
    QVERIFY(barra);
    const QList<QAction *> acciones = barra->actions();
    QCOMPARE(acciones.size(), 5);
    for (QAction *accion : acciones) {
        QVERIFY2(!accion->shortcut().isEmpty(), qPrintable(accion->objectName()));
        QCOMPARE(barra->widgetForAction(accion)->accessibleName(), accion->objectName());
    }
    TBuscarAyuda *buscar = visor->buscarAyuda();
    QSet<QWidget *> conEtiqueta;
    for (QLabel *etiqueta : buscar->findChildren<QLabel *>())
        if (etiqueta->buddy())
            conEtiqueta.insert(etiqueta->buddy());
    QVERIFY(conEtiqueta.contains(buscar->findChild<QLineEdit *>(QStringLiteral("ebuscar"))));
    QVERIFY(conEtiqueta.contains(buscar->findChild<QListWidget *>(QStringLiteral("lsttemas"))));
    for (QPushButton *boton : buscar->findChildren<QPushButton *>())
        QVERIFY(!boton->accessibleName().isEmpty());
}

void TstAyuda::desdeLaVentanaPrincipal()
{
    TMainForm ventana;
    ventana.show();

    // F1 on a highlighted menu item shows that item's topic; an item of a
    // submenu without a number of its own takes its submenu's.
    const auto f1En = [&](const char *menu, const char *item) {
        auto *m = ventana.findChild<QMenu *>(QString::fromLatin1(menu));
        m->popup(QPoint(10, 10));
        m->setActiveAction(ventana.findChild<QAction *>(QString::fromLatin1(item)));
        QTest::keyClick(m, Qt::Key_F1);
        m->hide();
        return VisorAyuda()->paginaActual();
    };
    QCOMPARE(f1En("FileMenu", "FileOpenItem"), QStringLiteral("abrir.html"));
    QCOMPARE(f1En("FileMenu", "FileExitItem"), QStringLiteral("salir.html"));
    QCOMPARE(f1En("HelpMenu", "HelpSearchItem"), QStringLiteral("menu-ayuda.html#buscar"));
    QCOMPARE(f1En("HelpMenu", "HelpAboutItem"), QStringLiteral("acerca.html"));

    // The commands of the help menu.
    ventana.findChild<QAction *>(QStringLiteral("HelpHowToUseItem"))->trigger();
    QCOMPARE(VisorAyuda()->paginaActual(), QStringLiteral("usar-ayuda.html"));
    ventana.findChild<QAction *>(QStringLiteral("HelpContentsItem"))->trigger();
    QCOMPARE(VisorAyuda()->paginaActual(), QStringLiteral("indice.html"));
    ventana.findChild<QAction *>(QStringLiteral("HelpSearchItem"))->trigger();
    QVERIFY(VisorAyuda()->buscarAyuda() && VisorAyuda()->buscarAyuda()->isVisible());
}

void TstAyuda::ejemplos_data()
{
    QTest::addColumn<QString>("archivo");
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("significativo");
    QTest::newRow("trabajado") << QStringLiteral("ejemplo-trabajado.w1e") << 3 << true;
    QTest::newRow("significativo") << QStringLiteral("ejemplo-significativo.w1e") << 5 << true;
    QTest::newRow("no significativo") << QStringLiteral("ejemplo-no-significativo.w1e") << 5 << false;
}

void TstAyuda::ejemplos()
{
    QFETCH(QString, archivo);
    QFETCH(int, k);
    QFETCH(bool, significativo);

    const Estudio estudio = leeEjemplo(archivo);
    QCOMPARE(StrToInt(estudio.econdicion), k);
    JuegoResultados juego;
    CalculaAnova(estudio, u'.', juego);
    const double pfcal = juego.resultados[Ranura::pfcal];
    QCOMPARE(pfcal < 0.05, significativo);

    // The help quotes each example's figures as the program prints them.
    const QString ayuda = leeTexto(CarpetaAyuda() + QStringLiteral("/ejemplos.html"));
    const int inicio = ayuda.indexOf(QStringLiteral("<h2>") + archivo);
    QVERIFY(inicio >= 0);
    const QString seccion = ayuda.mid(inicio, ayuda.indexOf(QStringLiteral("<h2>"), inicio + 4) - inicio);
    QVERIFY2(seccion.contains(QStringLiteral("Fcal = ") + FormatoGeneral(juego.resultados[Ranura::fcal], u'.')),
             qPrintable(FormatoGeneral(juego.resultados[Ranura::fcal], u'.')));
    QVERIFY2(seccion.contains(QStringLiteral("PFcal = ") + FormatoGeneral(pfcal, u'.')),
             qPrintable(FormatoGeneral(pfcal, u'.')));

    if (archivo == u"ejemplo-trabajado.w1e") {
        // The worked figures of the pages on the analysis and the intervals.
        const QString anova = leeTexto(CarpetaAyuda() + QStringLiteral("/anova.html"));
        for (const int ranura : {Ranura::scfam, Ranura::scerror, Ranura::mcfam, Ranura::mcerror,
                                 Ranura::fcal, Ranura::pfcal}) {
            const QString cifra = FormatoGeneral(juego.resultados[ranura], u'.');
            QVERIFY2(anova.contains(QStringLiteral("<td>") + cifra + QStringLiteral("</td>")), qPrintable(cifra));
        }
        const QString intervalos = leeTexto(CarpetaAyuda() + QStringLiteral("/intervalos.html"));
        for (int p = 0; p < NumeroPares(k); ++p) {
            const ParFam &par = OrdenPares.at(std::size_t(p));
            const double inferior = juego.resultados[par.liminf];
            const double superior = juego.resultados[par.limsup];
            const QString renglon = QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5 Diferencia entre FAM</td></tr>")
                                        .arg(par.menor).arg(par.mayor)
                                        .arg(FormatoGeneral(inferior, u'.'), FormatoGeneral(superior, u'.'),
                                             HayDiferencia(inferior, superior) ? QStringLiteral("Hay") : QStringLiteral("Sin"));
            QVERIFY2(intervalos.contains(renglon), qPrintable(renglon));
        }
        const double amplitud = (juego.resultados[Ranura::limsup12] - juego.resultados[Ranura::liminf12]) / 2;
        QVERIFY(intervalos.contains(QStringLiteral("la amplitud es ") + FormatoGeneral(amplitud, u'.')));
        // The approximation the help compares with the exact tail.
        QVERIFY(anova.contains(QStringLiteral("da 0.04945")));
        QCOMPARE(FormatoGeneral(ProbabilidadF(4.26, 2, 9), u'.').left(7), QStringLiteral("0.04945"));
    }
    if (archivo == u"ejemplo-significativo.w1e") {
        // Only the pairs with level 3 differ, as the help says.
        for (int p = 0; p < NumeroPares(k); ++p) {
            const ParFam &par = OrdenPares.at(std::size_t(p));
            const bool conTres = par.menor == 3 || par.mayor == 3;
            QCOMPARE(HayDiferencia(juego.resultados[par.liminf], juego.resultados[par.limsup]), conTres);
        }
    }
}

void TstAyuda::separadoresDeLaAyuda()
{
    // The table of regional settings in the help.
    QCOMPARE(SeparadorDeLocale(QStringLiteral("es_ES.UTF-8")), QChar(u','));
    QCOMPARE(SeparadorDeLocale(QStringLiteral("es_AR.UTF-8")), QChar(u','));
    QCOMPARE(SeparadorDeLocale(QStringLiteral("de_DE.UTF-8")), QChar(u','));
    QCOMPARE(SeparadorDeLocale(QStringLiteral("es_MX.UTF-8")), QChar(u'.'));
    QCOMPARE(SeparadorDeLocale(QStringLiteral("en_US.UTF-8")), QChar(u'.'));
    QCOMPARE(SeparadorDeLocale(QStringLiteral("C")), QChar(u'.'));
    QCOMPARE(SeparadorDeLocale(QStringLiteral("POSIX")), QChar(u'.'));
    QVERIFY(StrToFloat(QStringLiteral("1.5E2"), u'.') == 150.0);
}

void TstAyuda::instalacion()
{
    const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
    if (cmake.isEmpty())
        QSKIP("cmake no está instalado");
    QTemporaryDir prefijo;
    QVERIFY(prefijo.isValid());
    int codigo = 0;
    QString salida = ejecuta(cmake, {QStringLiteral("--install"), QStringLiteral(TOLERANCIA_CONSTRUCCION),
                                     QStringLiteral("--prefix"), prefijo.path()},
                             &codigo);
    QVERIFY2(codigo == 0, qPrintable(salida));
    const QDir raiz(prefijo.path());

    const QFileInfo programa(raiz.filePath(QStringLiteral("bin/tolerancia")));
    QVERIFY(programa.isFile() && programa.isExecutable());

    // The desktop entry: valid, Spanish, opening studies with their path.
    const QString entrada = raiz.filePath(QStringLiteral("share/applications/tolerancia.desktop"));
    const QString validador = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validador.isEmpty()) {
        salida = ejecuta(validador, {entrada}, &codigo);
        QVERIFY2(codigo == 0 && !salida.contains(QStringLiteral("error")), qPrintable(salida));
    }
    const QStringList lineas = leeTexto(entrada).split(u'\n');
    QVERIFY(lineas.contains(QStringLiteral("Name=Tolerancia del Método")));
    QVERIFY(lineas.contains(QStringLiteral("Exec=tolerancia %f")));
    QVERIFY(lineas.contains(QStringLiteral("Icon=tolerancia")));
    QVERIFY(lineas.contains(QStringLiteral("Categories=Science;Education;")));
    QVERIFY(lineas.contains(QStringLiteral("MimeType=application/x-tolerancia-estudio;")));

    // The icon is an SVG document.
    QFile icono(raiz.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/tolerancia.svg")));
    QVERIFY(icono.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&icono);
    QVERIFY(svg.readNextStartElement());
    QCOMPARE(svg.name(), QStringLiteral("svg"));
    while (!svg.atEnd())
        svg.readNext();
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));

    // The study file type: *.w1e.
    QFile tipo(raiz.filePath(QStringLiteral("share/mime/packages/tolerancia.xml")));
    QVERIFY(tipo.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&tipo);
    QString tipoMime;
    QStringList patrones;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"mime-info")
            QCOMPARE(xml.namespaceUri(), QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
        else if (xml.name() == u"mime-type")
            tipoMime = xml.attributes().value(QStringLiteral("type")).toString();
        else if (xml.name() == u"glob")
            patrones.append(xml.attributes().value(QStringLiteral("pattern")).toString());
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(tipoMime, QStringLiteral("application/x-tolerancia-estudio"));
    QCOMPARE(patrones, QStringList{QStringLiteral("*.w1e")});
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (!xmllint.isEmpty()) {
        salida = ejecuta(xmllint, {QStringLiteral("--noout"), tipo.fileName(), icono.fileName()}, &codigo);
        QVERIFY2(codigo == 0, qPrintable(salida));
    }
    // The install refreshed the type database when the tool is there.
    if (!QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
        QVERIFY(leeTexto(raiz.filePath(QStringLiteral("share/mime/globs2")))
                    .contains(QStringLiteral("application/x-tolerancia-estudio:*.w1e")));

    for (const char *ejemplo : {"ejemplo-trabajado.w1e", "ejemplo-significativo.w1e", "ejemplo-no-significativo.w1e"})
        QVERIFY(QFile::exists(raiz.filePath(QStringLiteral("share/tolerancia/ejemplos/") + QLatin1String(ejemplo))));
}

QTEST_MAIN(TstAyuda)
#include "tst_ayuda.moc"
