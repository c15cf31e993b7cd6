#include "cli/LineaComandos.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString fuentes = QStringLiteral(TOLERANCIA_FUENTES);

const QByteArray uso =
    "Uso: tolerancia --informe ARCHIVO.w1e\n"
    "     tolerancia --pdf SALIDA.pdf --pagina informacion|resultados"
    " [--impresora laser|deskjet] ARCHIVO.w1e\n";

struct Salida
{
    int codigo = -1;
    QByteArray stdout_;
    QByteArray stderr_;
};

// Runs the real program with nothing of the environment but the locale:
// no display, no platform plugin.
Salida ejecuta(const QStringList &argumentos, const QString &locale,
               const QString &archivoSalida = QString())
{
    QProcess proceso;
    QProcessEnvironment entorno;
    entorno.insert(u"LC_ALL"_s, locale);
    entorno.insert(u"PATH"_s, u"/usr/bin:/bin"_s);
    proceso.setProcessEnvironment(entorno);
    if (!archivoSalida.isEmpty())
        proceso.setStandardOutputFile(archivoSalida);
    proceso.start(QStringLiteral(TOLERANCIA_EJECUTABLE), argumentos);
    Salida salida;
    if (!proceso.waitForFinished(60000) || proceso.exitStatus() != QProcess::NormalExit)
        return salida;
    salida.codigo = proceso.exitCode();
    salida.stdout_ = proceso.readAllStandardOutput();
    salida.stderr_ = proceso.readAllStandardError();
    return salida;
}

QByteArray contenido(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no se puede leer>");
}

QByteArray primerasLineas(const QByteArray &texto, int cuantas)
{
    qsizetype fin = 0;
    for (int i = 0; i < cuantas; ++i)
        fin = texto.indexOf('\n', fin) + 1;
    return texto.left(fin);
}

} // namespace

class TstCli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void informeCompleto_data();
    void informeCompleto();
    void errorTrasElPrimerBloque_data();
    void errorTrasElPrimerBloque();
    void rechazos_data();
    void rechazos();
    void usoIncorrecto_data();
    void usoIncorrecto();
    void salidaLlena();
    void reconoceLaLineaDeComandos();

private:
    QTemporaryDir m_dir;
    QString archivo(const QString &nombre, const QByteArray &bytes);
};

QString TstCli::archivo(const QString &nombre, const QByteArray &bytes)
{
    const QString ruta = m_dir.filePath(nombre);
    QFile f(ruta);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return ruta;
}

void TstCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::exists(QStringLiteral(TOLERANCIA_EJECUTABLE)));
}

void TstCli::informeCompleto_data()
{
    QTest::addColumn<QString>("estudio");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("informe");
    const QString casos = fuentes + u"/tests/informe/casos/"_s;
    QTest::newRow("ejemplo, punto") << fuentes + u"/ejemplos/ejemplo-trabajado.w1e"_s << u"C.UTF-8"_s
                                    << casos + u"ejemplo-trabajado.txt"_s;
    QTest::newRow("k = 5, punto") << casos + u"k5-intervalos.w1e"_s << u"C.UTF-8"_s
                                  << casos + u"k5-intervalos.txt"_s;
    QTest::newRow("coma decimal") << casos + u"coma.w1e"_s << u"es_ES.UTF-8"_s << casos + u"coma.txt"_s;
}

void TstCli::informeCompleto()
{
    QFETCH(QString, estudio);
    QFETCH(QString, locale);
    QFETCH(QString, informe);
    const Salida s = ejecuta({u"--informe"_s, estudio}, locale);
    QCOMPARE(s.stderr_, QByteArray());
    QCOMPARE(s.stdout_, contenido(informe));
    QCOMPARE(s.codigo, 0);
}

void TstCli::errorTrasElPrimerBloque_data()
{
    QTest::addColumn<QString>("estudio");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("error");
    const QString casos = fuentes + u"/tests/informe/casos/"_s;
    QTest::newRow("punto bajo coma decimal") << fuentes + u"/ejemplos/ejemplo-trabajado.w1e"_s
                                             << u"es_ES.UTF-8"_s
                                             << "'99.2' is not a valid floating point value\n"_ba;
    QTest::newRow("coma bajo punto decimal") << casos + u"coma.w1e"_s << u"C.UTF-8"_s
                                             << "'98,50' is not a valid floating point value\n"_ba;
}

void TstCli::errorTrasElPrimerBloque()
{
    QFETCH(QString, estudio);
    QFETCH(QString, locale);
    QFETCH(QByteArray, error);
    const Salida s = ejecuta({u"--informe"_s, estudio}, locale);
    QCOMPARE(s.stderr_, error);
    QCOMPARE(s.stdout_, primerasLineas(contenido(estudio.replace(u".w1e"_s, u".txt"_s)
                                                      .replace(u"/ejemplos/"_s, u"/tests/informe/casos/"_s)),
                                       9));
    QCOMPARE(s.stdout_.count('\n'), 9);
    QCOMPARE(s.codigo, 1);
}

void TstCli::rechazos_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("salida");
    QTest::addColumn<QByteArray>("error");
    const QByteArray cabecera = "Equipo\r\nM\xE9todo\r\nAna\r\nhoy\r\n";
    const QByteArray bloque1 = "TOLERANCIA DEL MÉTODO\nFAM: Equipo\nNombre del método: Método\n"
                               "Nombre del Analista: Ana\nFecha: hoy\nNúmero de FAM:\n2\n"
                               "Número de Muestras (Replicaciones):\n2\n";
    QTest::newRow("cálculo") << cabecera + "2\r\n2\r\n5\r\n5\r\n7\r\n7\r\n" << bloque1
                             << "Floating point division by zero\n"_ba;
    QTest::newRow("6 FAM") << cabecera + "6\r\n2\r\n" << QByteArray() << "Datos fuera de límite, 2-5 FAM.\n"_ba;
    QTest::newRow("1 muestra") << cabecera + "2\r\n1\r\n" << QByteArray()
                               << "Datos fuera de límite, 2-10 valoraciones (Replicaciones).\n"_ba;
    QTest::newRow("12 muestras") << cabecera + "2\r\n12\r\n" << QByteArray()
                                 << "Datos fuera de límite, 2-10 valoraciones (Replicaciones).\n"_ba;
    QTest::newRow("conteo no entero") << cabecera + "2\r\ntres\r\n" << QByteArray()
                                      << "'tres' is not a valid integer value\n"_ba;
    QTest::newRow("fin de línea LF") << "Equipo\nM\n2\n2\n1\n2\n3\n4\n"_ba << QByteArray()
                                     << "'' is not a valid integer value\n"_ba;
    QTest::newRow("fuera de la tabla") << cabecera + "11\r\n2\r\n" << QByteArray()
        << "El archivo indica 11 FAM: un archivo de estudio admite de 0 a 10.\n"_ba;
    QTest::newRow("archivo inexistente") << QByteArray() << QByteArray()
        << "No se puede abrir el archivo «%1»: No such file or directory\n"_ba;
}

void TstCli::rechazos()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, salida);
    QFETCH(QByteArray, error);
    const QString ruta = bytes.isNull() ? m_dir.filePath(u"no-existe.w1e"_s) : archivo(u"rechazo.w1e"_s, bytes);
    const Salida s = ejecuta({u"--informe"_s, ruta}, u"C.UTF-8"_s);
    QCOMPARE(s.stderr_, bytes.isNull() ? QString::fromUtf8(error).arg(ruta).toUtf8() : error);
    QCOMPARE(s.stdout_, salida);
    QCOMPARE(s.codigo, 1);
}

void TstCli::usoIncorrecto_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::newRow("sin archivo") << QStringList{u"--informe"_s};
    QTest::newRow("dos archivos") << QStringList{u"--informe"_s, u"a.w1e"_s, u"b.w1e"_s};
    QTest::newRow("opción desconocida") << QStringList{u"--ayuda"_s};
    QTest::newRow("solo guiones") << QStringList{u"--"_s, u"a.w1e"_s};
}

void TstCli::usoIncorrecto()
{
    QFETCH(QStringList, argumentos);
    const Salida s = ejecuta(argumentos, u"C.UTF-8"_s);
    QCOMPARE(s.stderr_, uso);
    QCOMPARE(s.stdout_, QByteArray());
    QCOMPARE(s.codigo, 2);
}

void TstCli::salidaLlena()
{
    // A report that could not be written is no success.
    const Salida s = ejecuta({u"--informe"_s, fuentes + u"/ejemplos/ejemplo-trabajado.w1e"_s},
                             u"C.UTF-8"_s, u"/dev/full"_s);
    QCOMPARE(s.stderr_,
             "No se pudo escribir el informe en la salida estándar: No space left on device\n"_ba);
    QCOMPARE(s.codigo, 1);
}

void TstCli::reconoceLaLineaDeComandos()
{
    const auto es = [](std::initializer_list<const char *> lista) {
        QList<QByteArray> copia(lista.begin(), lista.end());
        QList<char *> argv;
        for (QByteArray &a : copia)
            argv += a.data();
        return EsLineaComandos(static_cast<int>(argv.size()), argv.data());
    };
    QVERIFY(es({"tolerancia", "--informe", "a.w1e"}));
    QVERIFY(es({"tolerancia", "--pdf"}));
    QVERIFY(es({"tolerancia", "--x"}));
    QVERIFY(!es({"tolerancia"}));
    QVERIFY(!es({"tolerancia", "estudio.w1e"}));
    QVERIFY(!es({"tolerancia", "-informe"}));
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
