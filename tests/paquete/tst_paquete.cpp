// The Debian package as a lab receives it: built by CPack from this build
// tree into a temporary folder, then read with Debian's own tools and its
// program run from the unpacked files.
#include "Estudios.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString fuentes = QStringLiteral(TOLERANCIA_FUENTES);

struct Salida
{
    int codigo = -1;
    QString salida;
    QString error;
};

Salida corre(const QString &programa, const QStringList &argumentos,
             const QProcessEnvironment &entorno = QProcessEnvironment::systemEnvironment())
{
    QProcess proceso;
    proceso.setProcessEnvironment(entorno);
    proceso.start(programa, argumentos);
    if (!proceso.waitForFinished(240000) || proceso.exitStatus() != QProcess::NormalExit)
        return {-1, {}, programa + u": no terminó"_s};
    return {proceso.exitCode(), QString::fromUtf8(proceso.readAllStandardOutput()),
            QString::fromUtf8(proceso.readAllStandardError())};
}

QProcessEnvironment entornoC()
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "MANROFFSEQ", "MANPAGER", "PAGER"})
        entorno.remove(QString::fromLatin1(variable));
    entorno.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    return entorno;
}

// The control fields, continuation lines joined to their field.
QHash<QString, QString> camposDe(const QString &control)
{
    QHash<QString, QString> campos;
    QString ultimo;
    for (const QString &linea : control.split(u'\n', Qt::SkipEmptyParts)) {
        if (linea.startsWith(u' ')) {
            campos[ultimo] += u'\n' + linea;
        } else {
            ultimo = linea.section(u':', 0, 0);
            campos[ultimo] = linea.section(u':', 1).trimmed();
        }
    }
    return campos;
}

// The texts of the elements named `nombre` in an XML file.
QStringList elementos(const QString &ruta, const QString &nombre)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&archivo);
    QStringList textos;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == nombre)
            textos += xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    return textos;
}

} // namespace

class TstPaquete : public QObject
{
    Q_OBJECT

    QTemporaryDir carpeta;
    QString paquete;
    QString raiz;

    QString instalado(const QString &ruta) const { return raiz + ruta; }

private slots:
    void initTestCase()
    {
#ifdef TOLERANCIA_SANITIZADO
        QSKIP("Un programa compilado con los sanitizadores no se empaqueta");
#endif
        QVERIFY(carpeta.isValid());
        const Salida cpack = corre(QStringLiteral(TOLERANCIA_CPACK),
            {u"-G"_s, u"DEB"_s, u"--config"_s, QStringLiteral(TOLERANCIA_CONSTRUCCION "/CPackConfig.cmake"),
             u"-B"_s, carpeta.path()});
        QVERIFY2(cpack.codigo == 0, qPrintable(cpack.salida + cpack.error));
        const QStringList paquetes = QDir(carpeta.path()).entryList({u"*.deb"_s}, QDir::Files);
        QCOMPARE(paquetes.size(), 1);
        paquete = carpeta.filePath(paquetes.constFirst());
        raiz = carpeta.filePath(u"raiz"_s);
        const Salida desempaca = corre(u"dpkg-deb"_s, {u"-x"_s, paquete, raiz});
        QVERIFY2(desempaca.codigo == 0, qPrintable(desempaca.error));
    }

    // Exactly the files a lab must get, root's, with Debian's modes: a file
    // left out, a cache of the desktop's databases or a staging path taken
    // in, a writable or non-executable entry all fail here.
    void archivos()
    {
        QHash<QString, QString> esperados;
        for (const QStringList &caso : casosDe(fuentes + u"/tests/paquete/casos/archivos.txt"_s))
            esperados.insert(caso.value(1), caso.value(0));
        const QStringList ejemplos = QDir(fuentes + u"/ejemplos"_s).entryList({u"*.w1e"_s}, QDir::Files);
        QVERIFY(!ejemplos.isEmpty());
        for (const QString &ejemplo : ejemplos)
            esperados.insert(u"/usr/share/tolerancia/ejemplos/"_s + ejemplo, u"-rw-r--r--"_s);

        const Salida lista = corre(u"dpkg-deb"_s, {u"-c"_s, paquete});
        QVERIFY2(lista.codigo == 0, qPrintable(lista.error));
        QHash<QString, QString> hallados;
        for (const QString &linea : lista.salida.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList campos = linea.split(u' ', Qt::SkipEmptyParts);
            QCOMPARE(campos.size(), 6);
            const QString modo = campos.at(0), ruta = campos.at(5).mid(1);
            QVERIFY2(campos.at(1) == u"root/root", qPrintable(linea));
            if (modo.startsWith(u'd'))
                QVERIFY2(modo == u"drwxr-xr-x" && ruta.startsWith(u"/usr/"), qPrintable(linea));
            else
                hallados.insert(ruta, modo);
        }
        for (auto e = esperados.cbegin(); e != esperados.cend(); ++e)
            QVERIFY2(hallados.value(e.key()) == e.value(),
                     qPrintable(e.key() + u": "_s + hallados.value(e.key(), u"falta"_s)));
        for (auto h = hallados.cbegin(); h != hallados.cend(); ++h)
            QVERIFY2(esperados.contains(h.key()), qPrintable(u"sobra "_s + h.key()));

        // dpkg -V checks the installed files against these sums.
        const Salida informacion = corre(u"dpkg-deb"_s, {u"-I"_s, paquete});
        QVERIFY(informacion.salida.contains(u" md5sums"_s));
    }

    // The version is the project's, the name Debian's, the dependencies
    // worked out from the program's libraries (hence their versions) plus
    // what it loads by name.
    void control()
    {
        const QString arquitectura = corre(u"dpkg"_s, {u"--print-architecture"_s}).salida.trimmed();
        QCOMPARE(QFileInfo(paquete).fileName(),
                 u"tolerancia_%1_%2.deb"_s.arg(QStringLiteral(TOLERANCIA_VERSION), arquitectura));
        const Salida control = corre(u"dpkg-deb"_s, {u"-f"_s, paquete});
        QVERIFY2(control.codigo == 0, qPrintable(control.error));
        const QHash<QString, QString> campos = camposDe(control.salida);
        QCOMPARE(campos.value(u"Package"_s), u"tolerancia"_s);
        QCOMPARE(campos.value(u"Version"_s), QStringLiteral(TOLERANCIA_VERSION));
        QCOMPARE(campos.value(u"Architecture"_s), arquitectura);
        QCOMPARE(campos.value(u"Section"_s), u"science"_s);
        QVERIFY(QRegularExpression(u"^\\S.* <[^@\\s<>]+@[^@\\s<>]+>$"_s).match(campos.value(u"Maintainer"_s)).hasMatch());
        QVERIFY(campos.value(u"Homepage"_s).startsWith(u"https://"_s));

        QHash<QString, QString> dependencias;
        for (const QString &dependencia : campos.value(u"Depends"_s).split(u',', Qt::SkipEmptyParts)) {
            const QString d = dependencia.trimmed();
            dependencias.insert(d.section(u' ', 0, 0), d.section(u' ', 1));
        }
        for (const QString &biblioteca : {u"libc6"_s, u"libstdc++6"_s, u"libqt6core6"_s, u"libqt6gui6"_s,
                                          u"libqt6widgets6"_s, u"libqt6printsupport6"_s, u"libqt6svg6"_s,
                                          u"libcups2"_s})
            QVERIFY2(dependencias.value(biblioteca).startsWith(u"(>= "_s), qPrintable(biblioteca));
        for (const QString &porNombre : {u"fonts-liberation2"_s, u"qt6-translations-l10n"_s})
            QVERIFY2(dependencias.contains(porNombre), qPrintable(porNombre));

        // A version without its changelog entry is not ready to ship.
        const Salida changelog = corre(u"gzip"_s, {u"-dc"_s, instalado(u"/usr/share/doc/tolerancia/changelog.gz"_s)});
        QCOMPARE(changelog.salida.section(u'\n', 0, 0).section(u' ', 0, 1),
                 u"tolerancia (%1)"_s.arg(QStringLiteral(TOLERANCIA_VERSION)));

        // An English synopsis, then the English and the Spanish paragraphs.
        const QStringList descripcion = campos.value(u"Description"_s).split(u'\n');
        QVERIFY(descripcion.size() > 4);
        QVERIFY(descripcion.contains(u" ."_s));
    }

    // No error; a warning only if it is one the project has weighed and
    // written down with its reason.
    void lintian()
    {
        QSet<QString> aceptadas;
        for (const QStringList &caso : casosDe(fuentes + u"/tests/paquete/casos/lintian-aceptadas.txt"_s))
            aceptadas.insert(caso.value(0));
        const Salida lintian = corre(u"lintian"_s, {u"--no-cfg"_s, paquete}, entornoC());
        for (const QString &linea : lintian.salida.split(u'\n', Qt::SkipEmptyParts)) {
            QVERIFY2(!linea.startsWith(u"E: "_s), qPrintable(linea));
            if (linea.startsWith(u"W: "_s))
                QVERIFY2(aceptadas.contains(linea.section(u' ', 2, 2)), qPrintable(linea));
        }
        QVERIFY2(lintian.codigo == 0, qPrintable(lintian.error));
    }

    // Valid for software centres, and naming what the package really holds.
    void metainfo()
    {
        const QStringList archivos = QDir(instalado(u"/usr/share/metainfo"_s)).entryList({u"*.metainfo.xml"_s});
        QCOMPARE(archivos.size(), 1);
        const QString metainfo = instalado(u"/usr/share/metainfo/"_s + archivos.constFirst());
        const Salida validacion = corre(u"appstreamcli"_s, {u"validate"_s, u"--no-net"_s, metainfo}, entornoC());
        QVERIFY2(validacion.codigo == 0, qPrintable(validacion.salida + validacion.error));

        QCOMPARE(elementos(metainfo, u"id"_s).value(0) + u".metainfo.xml"_s, archivos.constFirst());
        QVERIFY(QFile::exists(instalado(u"/usr/share/applications/"_s + elementos(metainfo, u"launchable"_s).value(0))));
        QVERIFY(QFile::exists(instalado(u"/usr/bin/"_s + elementos(metainfo, u"binary"_s).value(0))));
        const QString tipo = elementos(metainfo, u"mediatype"_s).value(0);
        QVERIFY(contenido(instalado(u"/usr/share/mime/packages/tolerancia.xml"_s))
                    .contains(u"<mime-type type=\"%1\">"_s.arg(tipo).toUtf8()));
        QVERIFY(elementos(metainfo, u"image"_s).value(0).endsWith(u"/docs/ventana-principal.png"_s));
        QVERIFY(QFile::exists(fuentes + u"/docs/ventana-principal.png"_s));
    }

    // The manual page renders without a warning, carries the version, and
    // has a paragraph for every option the program's usage names and for
    // no other.
    void manual()
    {
        const QString pagina = instalado(u"/usr/share/man/man1/tolerancia.1.gz"_s);
        QProcessEnvironment entorno = entornoC();
        entorno.insert(u"MANWIDTH"_s, u"80"_s);
        const Salida avisos = corre(u"man"_s, {u"--warnings"_s, u"-E"_s, u"UTF-8"_s, u"-l"_s, u"-Tutf8"_s, u"-Z"_s,
                                               pagina}, entorno);
        QVERIFY2(avisos.codigo == 0 && avisos.error.isEmpty(), qPrintable(avisos.error));
        const Salida texto = corre(u"man"_s, {u"-l"_s, u"-P"_s, u"cat"_s, pagina}, entorno);
        QVERIFY(texto.salida.trimmed().split(u'\n').constLast().startsWith(u"Tolerancia "_s + QStringLiteral(TOLERANCIA_VERSION) + u' '));

        // The options as the program lists them in its usage.
        const Salida uso = corre(instalado(u"/usr/bin/tolerancia"_s), {u"--help"_s}, entornoC());
        QSet<QString> opciones;
        for (const auto &opcion : QRegularExpression(u"(?<![\\w-])--[a-z][a-z-]*"_s).globalMatch(uso.salida + uso.error))
            opciones.insert(opcion.captured());
        QVERIFY2(opciones.size() >= 10, qPrintable(uso.salida + uso.error));

        // The options of the page's paragraph tags.
        const QStringList lineas = corre(u"gzip"_s, {u"-dc"_s, pagina}).salida.split(u'\n');
        QSet<QString> documentadas;
        for (qsizetype i = 0; i + 1 < lineas.size(); ++i)
            if (lineas[i] == u".TP" || lineas[i] == u".TQ")
                // "\-" is the page's hyphen, inside a name too ("\-\-der\-maxima").
                for (const auto &opcion : QRegularExpression(u"\\\\-\\\\-([a-z](?:[a-z]|\\\\-)*)"_s).globalMatch(lineas[i + 1]))
                    documentadas.insert(u"--"_s + opcion.captured(1).replace(u"\\-"_s, u"-"_s));
        QCOMPARE(documentadas, opciones);
    }

    // The packaged program, stripped as it ships and run from where it was
    // unpacked, reads the packaged example and writes its whole report.
    void programa()
    {
        const Salida informe = corre(instalado(u"/usr/bin/tolerancia"_s),
            {u"--informe"_s, instalado(u"/usr/share/tolerancia/ejemplos/ejemplo-trabajado.w1e"_s)}, entornoC());
        QVERIFY2(informe.codigo == 0, qPrintable(informe.error));
        QCOMPARE(informe.salida.toUtf8(), contenido(fuentes + u"/tests/informe/casos/ejemplo-trabajado.txt"_s));
    }
};

QTEST_GUILESS_MAIN(TstPaquete)
#include "tst_paquete.moc"
