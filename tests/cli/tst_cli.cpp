#include "cli/LineaComandos.h"
#include "Estudios.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString fuentes = QStringLiteral(TOLERANCIA_FUENTES);
const QString casos = fuentes + u"/tests/informe/casos/"_s;

} // namespace

class TstCli : public QObject
{
    Q_OBJECT

private slots:
    void ejecucion_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("salidaEn");  // a file to take the standard output instead of the pipe
        QTest::addColumn<QByteArray>("salida");
        QTest::addColumn<QByteArray>("error");
        QTest::addColumn<int>("codigo");
        const QString c = u"C.UTF-8"_s, es = u"es_ES.UTF-8"_s;
        const auto informe = [](const QString &ruta) { return QStringList{u"--informe"_s, ruta}; };

        QTest::newRow("ejemplo, punto") << informe(archivoEjemploTrabajado) << c << QString()
                                        << contenido(casos + u"ejemplo-trabajado.txt"_s) << QByteArray() << 0;
        QTest::newRow("coma decimal") << informe(casos + u"coma.w1e"_s) << es << QString()
                                      << contenido(casos + u"coma.txt"_s) << QByteArray() << 0;

        // An error in the figures comes after the first block of the report.
        QTest::newRow("punto bajo coma decimal")
            << informe(archivoEjemploTrabajado) << es << QString()
            << contenido(casos + u"ejemplo-trabajado.txt"_s).split('\n').mid(0, 9).join('\n') + '\n'
            << (archivoEjemploTrabajado + u": '99.2' is not a valid floating point value\n"_s).toUtf8() << 1;

        QVERIFY(m_dir.isValid());
        const QByteArray cabecera = "Equipo\r\nM\xE9todo\r\nAna\r\nhoy\r\n";
        const auto estudio = [&](const char *nombre, const QByteArray &bytes) {
            const QString ruta = m_dir.filePath(QLatin1String(nombre) + u".w1e"_s);
            QFile f(ruta);
            if (f.open(QIODevice::WriteOnly))
                f.write(cabecera + bytes);
            return ruta;
        };
        // Every error line begins with the study's name.
        const auto fallo = [&](const QString &archivo, const QString &texto) {
            return (archivo + u": "_s + texto + u'\n').toUtf8();
        };
        const QString calculo = estudio("calculo", "2\r\n2\r\n5\r\n5\r\n7\r\n7\r\n");
        QTest::newRow("cálculo") << informe(calculo) << c << QString()
            << "TOLERANCIA DEL MÉTODO\nFAM: Equipo\nNombre del método: Método\nNombre del Analista: Ana\n"
               "Fecha: hoy\nNúmero de FAM:\n2\nNúmero de Muestras (Replicaciones):\n2\n"_ba
            << fallo(calculo, u"Floating point division by zero"_s) << 1;
        const auto dunnett = [](const QString &ruta, const QString &control) {
            return QStringList{u"--dunnett"_s, ruta, u"--control"_s, control};
        };
        QTest::newRow("dunnett") << dunnett(archivoEjemploTrabajado, u"2"_s) << c << QString()
                                 << contenido(casos + u"dunnett-ejemplo-control-2.txt"_s) << QByteArray() << 0;
        QTest::newRow("dunnett, control antes") << QStringList{u"--dunnett"_s, u"--control"_s, u"2"_s, archivoEjemploTrabajado} << c
            << QString() << contenido(casos + u"dunnett-ejemplo-control-2.txt"_s) << QByteArray() << 0;
        QTest::newRow("dunnett, control 4 de 3") << dunnett(archivoEjemploTrabajado, u"4"_s) << c << QString() << QByteArray()
            << fallo(archivoEjemploTrabajado, u"El FAM de control debe estar entre 1 y 3: el estudio tiene 3 FAM."_s) << 2;
        QTest::newRow("dunnett, control 6") << dunnett(archivoEjemploTrabajado, u"6"_s) << c << QString() << QByteArray()
            << "El FAM de control «6» no es válido: debe ser un número entero de 1 a 5.\n"_ba << 2;
        const QString k6 = estudio("k6", "6\r\n2\r\n");
        QTest::newRow("6 FAM") << informe(k6) << c << QString() << QByteArray()
                               << fallo(k6, u"Datos fuera de límite, 2-5 FAM."_s) << 1;
        // System texts in Spanish; a pipe is refused before it is opened.
        const QString falta = m_dir.filePath(u"no-existe.w1e"_s);
        QTest::newRow("archivo inexistente") << informe(falta) << c << QString() << QByteArray()
            << fallo(falta, u"No se puede abrir el archivo «%1»: No existe el archivo o el directorio"_s.arg(falta)) << 1;
        const QString tubo = m_dir.filePath(u"tubo.w1e"_s);
        QVERIFY(mkfifo(QFile::encodeName(tubo).constData(), 0600) == 0);
        QTest::newRow("tubería") << informe(tubo) << c << QString() << QByteArray()
            << fallo(tubo, u"No se puede abrir el archivo «%1»: no es un archivo normal."_s.arg(tubo)) << 1;
        // A report that could not be written is no success.
        QTest::newRow("salida llena") << informe(archivoEjemploTrabajado) << c << u"/dev/full"_s << QByteArray()
            << fallo(archivoEjemploTrabajado, u"No se pudo escribir el informe en la salida estándar: No queda espacio en el dispositivo"_s)
            << 1;

        // The assumptions and the JSON document: their output and a failed write.
        const auto supuestos = [](const QString &ruta) { return QStringList{u"--supuestos"_s, ruta}; };
        const auto json = [](const QString &ruta) { return QStringList{u"--json"_s, ruta}; };
        QTest::newRow("supuestos, ejemplo") << supuestos(archivoEjemploTrabajado) << c << QString()
            << contenido(fuentes + u"/tests/supuestos/ejemplo-trabajado.txt"_s) << QByteArray() << 0;
        QTest::newRow("supuestos, salida llena") << supuestos(archivoEjemploTrabajado) << c << u"/dev/full"_s << QByteArray()
            << fallo(archivoEjemploTrabajado, u"No se pudieron escribir los supuestos en la salida estándar: "
                              "No queda espacio en el dispositivo"_s) << 1;
        // The document's own "error" is the message alone.
        QTest::newRow("json, cálculo") << json(calculo) << c << QString()
            << "{\n    \"error\": \"Floating point division by zero\",\n    \"formato\": \"tolerancia-resultados/1\"\n}\n"_ba
            << fallo(calculo, u"Floating point division by zero"_s) << 1;
        QTest::newRow("json, salida llena") << json(archivoEjemploTrabajado) << c << u"/dev/full"_s << QByteArray()
            << fallo(archivoEjemploTrabajado, u"No se pudo escribir el documento JSON en la salida estándar: "
                              "No queda espacio en el dispositivo"_s) << 1;

        // The whole usage, on the standard output when asked for, on the
        // error output for a command that does not exist; a known command
        // used wrongly gets its own line.
        const QByteArray uso = contenido(fuentes + u"/tests/cli/casos/uso.txt"_s);
        QTest::newRow("--help") << QStringList{u"--help"_s} << c << QString() << uso << QByteArray() << 0;
        QTest::newRow("--help, salida llena") << QStringList{u"--help"_s} << c << u"/dev/full"_s << QByteArray()
                                              << QByteArray() << 1;
        QTest::newRow("uso: --ayuda") << QStringList{u"--ayuda"_s} << c << QString() << QByteArray() << uso << 2;
        QTest::newRow("uso: --") << QStringList{u"--"_s} << c << QString() << QByteArray() << uso << 2;
        const QList<std::pair<QStringList, QByteArray>> malUsadas{
            {{u"--help"_s, u"a.w1e"_s}, "Uso: tolerancia --help\n"_ba},
            {{u"--version"_s, u"--help"_s}, "Uso: tolerancia --version\n"_ba},
            {{u"--informe"_s}, "Uso: tolerancia --informe ARCHIVO.w1e\n"_ba},
            // An argument that begins with "--" is never the study.
            {{u"--informe"_s, u"--ayuda"_s}, "Uso: tolerancia --informe ARCHIVO.w1e\n"_ba},
            {{u"--informe"_s, u"a.w1e"_s, u"--control"_s, u"2"_s}, "Uso: tolerancia --informe ARCHIVO.w1e\n"_ba},
            {{u"--supuestos"_s, u"a.w1e"_s, u"b.w1e"_s}, "Uso: tolerancia --supuestos ARCHIVO.w1e\n"_ba},
            {{u"--json"_s, u"a.w1e"_s, u"b.w1e"_s},
             "Uso: tolerancia --json ARCHIVO.w1e [--limite X|X%] [--der-maxima Y] [--bonferroni]\n"_ba},
            {{u"--dunnett"_s, u"a.w1e"_s, u"--control"_s}, "Uso: tolerancia --dunnett ARCHIVO.w1e [--control N]\n"_ba},
            {{u"--dunnett"_s, u"--control"_s, u"2"_s, u"a.w1e"_s, u"--control"_s, u"3"_s},
             "Uso: tolerancia --dunnett ARCHIVO.w1e [--control N]\n"_ba},
            {{u"--control"_s, u"2"_s, u"--dunnett"_s, u"a.w1e"_s}, uso},
        };
        for (const auto &[mal, error] : malUsadas)
            QTest::addRow("uso: %s", qPrintable(mal.join(u' '))) << mal << c << QString() << QByteArray() << error << 2;
    }

    // The version the build was given, the sources' revision and the day
    // of the build, on the standard output.
    void version()
    {
        QProcess proceso;
        proceso.start(QStringLiteral(TOLERANCIA_EJECUTABLE), {u"--version"_s});
        QVERIFY(proceso.waitForFinished(60000));
        QCOMPARE(proceso.exitCode(), 0);
        QCOMPARE(proceso.readAllStandardError(), QByteArray());
        const QStringList lineas = QString::fromUtf8(proceso.readAllStandardOutput()).split(u'\n');
        QCOMPARE(lineas.size(), 4);
        QCOMPARE(lineas[0], u"Tolerancia del Método "_s + QStringLiteral(TOLERANCIA_VERSION));
        QVERIFY2(QRegularExpression(u"^Revisión de las fuentes: ([0-9a-f]{12}(-modificada)?|sin revisión)$"_s)
                     .match(lineas[1]).hasMatch(), qPrintable(lineas[1]));
        QVERIFY2(QRegularExpression(u"^Compilado el 20\\d\\d-\\d\\d-\\d\\d$"_s).match(lineas[2]).hasMatch(),
                 qPrintable(lineas[2]));
        QCOMPARE(lineas[3], QString());
    }

    // Runs the real program with nothing of the environment but the locale:
    // no display, no platform plugin.
    void ejecucion()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(QString, locale);
        QFETCH(QString, salidaEn);
        QProcess proceso;
        QProcessEnvironment entorno;
        entorno.insert(u"LC_ALL"_s, locale);
        entorno.insert(u"PATH"_s, u"/usr/bin:/bin"_s);
        proceso.setProcessEnvironment(entorno);
        if (!salidaEn.isEmpty())
            proceso.setStandardOutputFile(salidaEn);
        proceso.start(QStringLiteral(TOLERANCIA_EJECUTABLE), argumentos);
        QVERIFY(proceso.waitForFinished(60000));
        QCOMPARE(proceso.exitStatus(), QProcess::NormalExit);
        QTEST(proceso.readAllStandardError(), "error");
        QTEST(proceso.readAllStandardOutput(), "salida");
        QTEST(proceso.exitCode(), "codigo");
    }

    void reconoceLaLineaDeComandos()
    {
        // An argument beginning with "--" asks for the command line; a study
        // name alone opens the windows.
        char programa[] = "tolerancia", informe[] = "--informe", x[] = "--x", estudio[] = "a.w1e", guion[] = "-informe";
        const QList<QList<char *>> lineas{{programa, informe, estudio}, {programa, x}, {programa}, {programa, estudio},
                                          {programa, guion}};
        for (int i = 0; i < lineas.size(); ++i)
            QCOMPARE(EsLineaComandos(int(lineas[i].size()), const_cast<char **>(lineas[i].data())), i < 2);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
