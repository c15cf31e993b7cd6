// The register from the command line: --registro's trail and exit code for
// a sound register and for each fault a lab meets, and --firmar, whose
// signature must reach the register without touching the study. Registers
// and studies come from genera_registro.py; what is written is checked with
// hashlib (verifica_registro.py) and sha256sum, apart from the program.
#include "Estudios.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/registro/casos/");

struct Salida
{
    int codigo;
    QString salida;
    QString error;
};

// The program run in `carpeta`, as a user would, in the C locale.
Salida corre(const QString &carpeta, const QStringList &argumentos)
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        entorno.remove(QString::fromLatin1(variable));
    entorno.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    QProcess proceso;
    proceso.setProcessEnvironment(entorno);
    proceso.setWorkingDirectory(carpeta);
    proceso.start(QStringLiteral(TOLERANCIA_EJECUTABLE), argumentos);
    if (!proceso.waitForFinished(60000))
        return {-1, {}, u"sin terminar"_s};
    return {proceso.exitCode(), QString::fromUtf8(proceso.readAllStandardOutput()),
            QString::fromUtf8(proceso.readAllStandardError())};
}

QString sha256sum(const QString &ruta)
{
    return salidaDe(u"sha256sum"_s, {ruta}).section(u' ', 0, 0);
}

// "intacto N coincide|difiere tipos…" or "roto L", by hashlib and json alone.
QString independiente(const QString &carpeta)
{
    return salidaDe(u"python3"_s, {casos + u"verifica_registro.py"_s, carpeta + u"/estudio.w1e.registro"_s,
                                   carpeta + u"/estudio.w1e"_s}).trimmed();
}

void escribe(const QString &ruta, const QByteArray &bytes)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
}

// genera_registro.py's register, and the study its last save recorded.
const QByteArray cadena = contenido(casos + u"cadena.registro"_s);
const QByteArray v1 = contenido(casos + u"v1.w1e"_s), v2 = contenido(casos + u"v2.w1e"_s);

const QString uso = u"Uso: tolerancia --registro ARCHIVO.w1e\n"_s;
const QString usoFirma =
    u"Uso: tolerancia --firmar ARCHIVO.w1e --nombre \"NOMBRE\" --significado realizado|revisado|aprobado\n"_s;

// The register's lines, LF removed.
QList<QByteArray> lineasDe(const QByteArray &registro)
{
    QList<QByteArray> lineas = registro.split('\n');
    lineas.removeLast();
    return lineas;
}

} // namespace

class TstLineaRegistro : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        escribe(ruta(u"estudio.w1e"_s), v2);
        escribe(ruta(u"estudio.w1e.registro"_s), cadena);
    }

    // A sound register: the whole trail, exit 0, nothing on the error output.
    void registroIntacto()
    {
        const Salida s = corre(m_dir->path(), {u"--registro"_s, u"estudio.w1e"_s});
        QCOMPARE(s.error, QString());
        QCOMPARE(s.salida, QString::fromUtf8(contenido(casos + u"registro.txt"_s)));
        QCOMPARE(s.codigo, 0);
    }

    // Each fault exits 1 and names itself on the error output, after the
    // study's name; the trail is still written. The line numbers follow
    // from the register's layout: an edited line breaks the chain at the
    // line after it.
    void registroConFallos_data()
    {
        QTest::addColumn<QByteArray>("estudio");
        QTest::addColumn<QByteArray>("registro");  // empty: no register at all
        QTest::addColumn<QString>("error");
        QList<QByteArray> lineas = lineasDe(cadena);
        const auto une = [](const QList<QByteArray> &l) { return l.join('\n') + '\n'; };
        const QString prefijo = u"estudio.w1e: "_s;
        const QString editado = prefijo + u"El registro de cambios «estudio.w1e.registro» fue modificado: la entrada "
                                          "de su línea %1 no sigue a la anterior (se editó, quitó o reordenó una entrada).\n"_s;

        QTest::newRow("estudio cambiado fuera") << v1 << cadena
            << prefijo + u"El estudio «estudio.w1e» fue modificado fuera del programa: no es el que anota su último "
                          "guardado (línea 3 del registro de cambios).\n"_s;
        QList<QByteArray> motivo = lineas;
        motivo[3].replace("101.3", "101.4");
        QTest::newRow("motivo editado") << v2 << une(motivo) << editado.arg(5);
        QList<QByteArray> sinFirma = lineas;
        sinFirma.removeAt(4);
        QTest::newRow("firma quitada") << v2 << une(sinFirma) << editado.arg(5);
        QList<QByteArray> reordenado = lineas;
        reordenado.swapItemsAt(5, 6);
        QTest::newRow("entradas reordenadas") << v2 << une(reordenado) << editado.arg(6);
        QTest::newRow("última línea cortada") << v2 << cadena.chopped(1)
            << prefijo + u"El registro de cambios «estudio.w1e.registro» fue modificado: su última línea (9) está incompleta.\n"_s;
        QTest::newRow("sin registro") << v2 << QByteArray()
            << prefijo + u"El estudio «estudio.w1e» no tiene registro de cambios: no se puede comprobar su historia.\n"_s;
    }
    void registroConFallos()
    {
        QFETCH(QByteArray, estudio);
        QFETCH(QByteArray, registro);
        escribe(ruta(u"estudio.w1e"_s), estudio);
        if (registro.isEmpty())
            QVERIFY(QFile::remove(ruta(u"estudio.w1e.registro"_s)));
        else
            escribe(ruta(u"estudio.w1e.registro"_s), registro);
        const Salida s = corre(m_dir->path(), {u"--registro"_s, u"estudio.w1e"_s});
        QTEST(s.error, "error");
        QCOMPARE(s.codigo, 1);
        QVERIFY(s.salida.startsWith(u"Registro de cambios de «estudio.w1e»\n"_s));
        // The trail ends with what was found.
        QVERIFY(s.salida.endsWith(s.error.mid(int(qstrlen("estudio.w1e: ")))));
        // Checking writes nothing.
        QCOMPARE(contenido(ruta(u"estudio.w1e.registro"_s)), registro.isEmpty() ? QByteArray("<no se puede leer>") : registro);
    }

    void registroSinEstudio()
    {
        const Salida s = corre(m_dir->path(), {u"--registro"_s, u"falta.w1e"_s});
        QCOMPARE(s.codigo, 1);
        QCOMPARE(s.error, u"falta.w1e: No se puede abrir el archivo «falta.w1e»: No existe el archivo o el directorio\n"_s);
        QCOMPARE(s.salida, QString());
    }

    // Signed from the command line: the study's bytes stay what they were,
    // the register gains one signature of those bytes, by this account, and
    // --registro then shows it as valid.
    void firmaYRegistro()
    {
        const QString antes = sha256sum(ruta(u"estudio.w1e"_s));
        const Salida s = corre(m_dir->path(), {u"--firmar"_s, u"estudio.w1e"_s, u"--significado"_s, u"aprobado"_s,
                                               u"--nombre"_s, u"Ana Núñez"_s});
        QCOMPARE(s.error, QString());
        QCOMPARE(s.codigo, 0);
        QCOMPARE(sha256sum(ruta(u"estudio.w1e"_s)), antes);
        QCOMPARE(contenido(ruta(u"estudio.w1e"_s)), v2);
        QCOMPARE(independiente(m_dir->path()),
                 u"intacto 10 coincide creado guardado guardado motivo firmado impreso exportado verificado aviso firmado"_s);
        const QByteArray registro = contenido(ruta(u"estudio.w1e.registro"_s));
        QVERIFY(registro.startsWith(cadena));
        const QJsonObject firma = QJsonDocument::fromJson(lineasDe(registro).constLast()).object();
        QCOMPARE(firma.value(u"firmante"_s).toString(), u"Ana Núñez"_s);
        QCOMPARE(firma.value(u"significado"_s).toString(), u"aprobado"_s);
        QCOMPARE(firma.value(u"sha256"_s).toString(), antes);
        QCOMPARE(firma.value(u"cuenta"_s).toString(), salidaDe(u"id"_s, {u"-un"_s}).trimmed());
        QVERIFY(s.salida.contains(u"Aprobado por Ana Núñez"_s) && s.salida.contains(antes));

        const Salida r = corre(m_dir->path(), {u"--registro"_s, u"estudio.w1e"_s});
        QCOMPARE(r.codigo, 0);
        QVERIFY2(r.salida.contains(u"  Qué: Firmó: Aprobado por Ana Núñez (SHA-256 %1).\n    Firma válida.\n"_s.arg(antes)),
                 qPrintable(r.salida));
        QVERIFY(r.salida.contains(u"Comprobación: la cadena de 10 entradas está íntegra"_s));
    }

    // A study without a register gets one, over the study as it is, with
    // the signature.
    void firmaSinRegistro()
    {
        QVERIFY(QFile::remove(ruta(u"estudio.w1e.registro"_s)));
        const Salida s = corre(m_dir->path(), {u"--firmar"_s, u"estudio.w1e"_s, u"--nombre"_s, u"Luis Ríos"_s,
                                               u"--significado"_s, u"realizado"_s});
        QCOMPARE(s.codigo, 0);
        QCOMPARE(contenido(ruta(u"estudio.w1e"_s)), v2);
        QCOMPARE(independiente(m_dir->path()), u"intacto 2 coincide creado firmado"_s);
        QCOMPARE(corre(m_dir->path(), {u"--registro"_s, u"estudio.w1e"_s}).codigo, 0);
    }

    // A signature is refused, and nothing written, where it could not be
    // bound to the study the lab saved.
    void firmaRechazada_data()
    {
        QTest::addColumn<QByteArray>("estudio");
        QTest::addColumn<QByteArray>("registro");
        QTest::addColumn<QString>("error");
        QList<QByteArray> lineas = lineasDe(cadena);
        lineas[1].replace("99.2", "99.3");
        QTest::newRow("estudio cambiado fuera") << v1 << cadena
            << u"estudio.w1e: No se puede firmar el estudio: fue modificado fuera del programa después de su último guardado.\n"_s;
        QTest::newRow("registro editado") << v2 << lineas.join('\n') + '\n'
            << u"estudio.w1e: No se puede firmar el estudio: su registro de cambios fue modificado.\n"_s;
    }
    void firmaRechazada()
    {
        QFETCH(QByteArray, estudio);
        QFETCH(QByteArray, registro);
        escribe(ruta(u"estudio.w1e"_s), estudio);
        escribe(ruta(u"estudio.w1e.registro"_s), registro);
        const Salida s = corre(m_dir->path(), {u"--firmar"_s, u"estudio.w1e"_s, u"--nombre"_s, u"Ana Núñez"_s,
                                               u"--significado"_s, u"revisado"_s});
        QTEST(s.error, "error");
        QCOMPARE(s.codigo, 1);
        QCOMPARE(contenido(ruta(u"estudio.w1e"_s)), estudio);
        QCOMPARE(contenido(ruta(u"estudio.w1e.registro"_s)), registro);
    }

    // Wrong usage exits 2, says why, and writes nothing.
    void usoIncorrecto_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QString>("error");
        const QString e = u"estudio.w1e"_s;
        QTest::newRow("registro sin archivo") << QStringList{u"--registro"_s} << uso;
        QTest::newRow("registro con dos") << QStringList{u"--registro"_s, e, e} << uso;
        QTest::newRow("registro con opción") << QStringList{u"--registro"_s, u"--nombre"_s} << uso;
        QTest::newRow("firmar sin nombre") << QStringList{u"--firmar"_s, e, u"--significado"_s, u"revisado"_s} << usoFirma;
        QTest::newRow("firmar sin significado") << QStringList{u"--firmar"_s, e, u"--nombre"_s, u"Ana"_s} << usoFirma;
        QTest::newRow("firmar sin archivo")
            << QStringList{u"--firmar"_s, u"--nombre"_s, u"Ana"_s, u"--significado"_s, u"revisado"_s} << usoFirma;
        QTest::newRow("firmar con dos archivos")
            << QStringList{u"--firmar"_s, e, e, u"--nombre"_s, u"Ana"_s, u"--significado"_s, u"revisado"_s} << usoFirma;
        QTest::newRow("nombre repetido")
            << QStringList{u"--firmar"_s, e, u"--nombre"_s, u"Ana"_s, u"--nombre"_s, u"Luis"_s, u"--significado"_s,
                           u"revisado"_s} << usoFirma;
        QTest::newRow("opción desconocida")
            << QStringList{u"--firmar"_s, e, u"--nombre"_s, u"Ana"_s, u"--significado"_s, u"revisado"_s,
                           u"--motivo"_s, u"x"_s} << usoFirma;
        QTest::newRow("significado desconocido")
            << QStringList{u"--firmar"_s, e, u"--nombre"_s, u"Ana"_s, u"--significado"_s, u"Aprobado por"_s}
            << u"El significado «Aprobado por» no es válido: debe ser realizado, revisado o aprobado.\n"_s;
        QTest::newRow("nombre en blanco")
            << QStringList{u"--firmar"_s, e, u"--nombre"_s, u"  "_s, u"--significado"_s, u"revisado"_s}
            << u"Falta el nombre completo de quien firma.\n"_s;
        QTest::newRow("nombre de dos líneas")
            << QStringList{u"--firmar"_s, e, u"--nombre"_s, u"Ana\nNúñez"_s, u"--significado"_s, u"revisado"_s}
            << u"El nombre de quien firma debe escribirse en una sola línea.\n"_s;
    }
    void usoIncorrecto()
    {
        QFETCH(QStringList, argumentos);
        const Salida s = corre(m_dir->path(), argumentos);
        QTEST(s.error, "error");
        QCOMPARE(s.codigo, 2);
        QCOMPARE(contenido(ruta(u"estudio.w1e"_s)), v2);
        QCOMPARE(contenido(ruta(u"estudio.w1e.registro"_s)), cadena);
    }

private:
    QString ruta(const QString &nombre) const { return m_dir->filePath(nombre); }

    std::optional<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TstLineaRegistro)
#include "tst_linea_registro.moc"
