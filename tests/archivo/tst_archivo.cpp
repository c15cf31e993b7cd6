#include "../../fuzz/Sonda.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/Windows1252.h"
#include "core/motor/Errores.h"
#include "Estudios.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/archivo/casos/");
const QStringList cabecera{u"Equipo de disolución"_s, u"Método"_s, u"Ana"_s, u"06/12/2026"_s};
const QList<QStringList> seis{{u"1"_s, u"2"_s, u"3"_s}, {u"4"_s, u"5"_s, u"6"_s}};

} // namespace

class TstArchivo : public QObject
{
    Q_OBJECT

private slots:
    void windows1252()
    {
        // Every byte survives, the five undefined ones too.
        QByteArray todos;
        for (int b = 0; b < 256; ++b)
            todos += static_cast<char>(b);
        QCOMPARE(AWindows1252(DesdeWindows1252(todos)), std::optional<QByteArray>(todos));
        // 0x80 to 0x9F, the only bytes that are not their own code point.
        QCOMPARE(DesdeWindows1252(todos.mid(0x80, 32)),
                 u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"_s);
        QCOMPARE(AWindows1252(u"Análisis – “Ñ” €"_s),
                 std::optional<QByteArray>("An\xE1lisis \x96 \x93\xD1\x94 \x80"));
        // No byte: outside the code page, a C1 control, a lone surrogate.
        for (const QString &texto : {u"Ж"_s, u"x😀"_s, QString(QChar(0x80)), QString(QChar(0xD800))})
            QVERIFY2(!AWindows1252(texto).has_value(), qPrintable(texto));
    }

    void escrituraExacta()
    {
        Estudio e = estudioDe({{u"99.2"_s, u""_s, u"99,8"_s}, {u"100.9"_s, u"101.3"_s, u"100.6"_s}}, cabecera);
        QCOMPARE(EscribeEstudio(e),
                 QByteArray("Equipo de disoluci\xF3n\r\nM\xE9todo\r\nAna\r\n06/12/2026\r\n2\r\n3\r\n"
                            "99.2\r\n\r\n99,8\r\n100.9\r\n101.3\r\n100.6\r\n"));

        // Counts are written as typed; a cell outside the grid is an empty line.
        e.econdicion = u" 2"_s;
        e.stgdatos.redimensiona(3, 3);
        QCOMPARE(EscribeEstudio(e),
                 QByteArray("Equipo de disoluci\xF3n\r\nM\xE9todo\r\nAna\r\n06/12/2026\r\n 2\r\n3\r\n"
                            "99.2\r\n\r\n\r\n100.9\r\n101.3\r\n\r\n"));
    }

    void escrituraRechaza_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("retorno de carro") << 1 << u"a\rb"_s
            << u"El campo «Nombre del método» contiene un salto de línea (retorno de carro) y no se puede guardar."_s;
        QTest::newRow("Ctrl+Z") << 3 << u"06/12\x1a"_s
            << u"El campo «Fecha» contiene el carácter de control Ctrl+Z y no se puede guardar."_s;
        for (const QStringList &c : casosDe(casos + u"escritura-rechaza.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c[1].toInt() << c[2] << c[3];
    }

    void escrituraRechaza()
    {
        QFETCH(int, campo);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        Estudio e = estudioDe(seis, cabecera);
        QString *campos[] = {&e.etole, &e.emetodo, &e.eanalista, &e.efecha, &e.econdicion, &e.ereplica};
        if (campo < 6)
            *campos[campo] = texto;
        else
            e.stgdatos.ponCelda(2, 3, texto);
        QCOMPARE(errorDe<ErrorArchivo>([&] { EscribeEstudio(e); }), mensaje);
    }

    void lectura_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("textos");  // the six fields, then the cells FAM by FAM
        const QStringList seis{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"2"_s, u"2"_s};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\nc\r\nd\r\n2\r\n2\r\n1\r\n2\r\n3\r\n4\r\n")
                               << seis + QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s};
        QTest::newRow("CR solo") << QByteArray("a\rb\rc\rd\r2\r2\r1\r2\r3\r4")
                                 << seis + QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s};
        QTest::newRow("LF suelto es texto") << QByteArray("a\nx\r\nb\r\nc\r\nd\r\n2\r\n2\r\n\n1\r\n2\r\n3\r\n4\r\n")
            << QStringList{u"a\nx"_s, u"b"_s, u"c"_s, u"d"_s, u"2"_s, u"2"_s, u"\n1"_s, u"2"_s, u"3"_s, u"4"_s};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb\r\nc\r\n2\r\n2\r\n1\r\n2\r\n3\r\n4\r\n")
            << QStringList{u"a"_s, u""_s, u"b"_s, u"c"_s, u"2"_s, u"2"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s};
        QTest::newRow("Ctrl+Z termina") << QByteArray("a\r\nb\r\nc\r\nd\r\n2\r\n2\r\n1\r\n2\x1a\r\n3\r\n4\r\n")
                                        << seis + QStringList{u"1"_s, u"2"_s, u""_s, u""_s};
        QTest::newRow("archivo corto") << QByteArray("a\r\nb\r\nc\r\nd\r\n2\r\n2\r\n1")
                                       << seis + QStringList{u"1"_s, u""_s, u""_s, u""_s};
        QTest::newRow("líneas de más") << QByteArray("a\r\nb\r\nc\r\nd\r\n2\r\n2\r\n1\r\n2\r\n3\r\n4\r\n5\r\nfin\r\n")
                                       << seis + QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s};
        QTest::newRow("cero FAM") << QByteArray("a\r\nb\r\nc\r\nd\r\n0\r\n2\r\n1\r\n")
                                  << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"0"_s, u"2"_s};
        const QString largo = u"Descripción de un factor ajeno al método que ocupa más de sesenta caracteres"_s;
        QTest::newRow("descripción larga") << ("Descripci\xF3n de un factor ajeno al m\xE9todo que ocupa m\xE1s de sesenta "
                                               "caracteres\r\nb\r\nc\r\nd\r\n2\r\n2\r\n1\r\n2\r\n3\r\n4\r\n"_ba)
            << QStringList{largo, u"b"_s, u"c"_s, u"d"_s, u"2"_s, u"2"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s};
    }

    void lectura()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, textos);
        const ArchivoEstudio a = LeeEstudio(bytes);
        QStringList leidos{a.etole, a.emetodo, a.eanalista, a.efecha, a.econdicion, a.ereplica};
        for (const QVector<QString> &fam : a.valores)
            leidos += QStringList(fam.begin(), fam.end());
        QCOMPARE(leidos, textos);
    }

    void conteosRechazados_data()
    {
        QTest::addColumn<QByteArray>("conteos");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("11 FAM") << "11\r\n3\r\n"_ba << u"El archivo indica 11 FAM: un archivo de estudio admite de 0 a 10."_s;
        QTest::newRow("21 muestras") << "2\r\n21\r\n"_ba
            << u"El archivo indica 21 muestras por FAM: un archivo de estudio admite de 0 a 20."_s;
        QTest::newRow("enorme") << "2\r\n2147483647\r\n"_ba
            << u"El archivo indica 2147483647 muestras por FAM: un archivo de estudio admite de 0 a 20."_s;
        QTest::newRow("no entero") << "dos\r\n3\r\n"_ba << u"'dos' is not a valid integer value"_s;
        QTest::newRow("vacío") << "2\r\n\r\n"_ba << u"'' is not a valid integer value"_s;
    }

    void conteosRechazados()
    {
        QFETCH(QByteArray, conteos);
        QFETCH(QString, mensaje);
        const QByteArray bytes = "a\r\nb\r\nc\r\nd\r\n"_ba + conteos + "1\r\n2\r\n"_ba;
        QCOMPARE(errorDe<ErrorTolerancia>([&] { LeeEstudio(bytes); }), mensaje);
    }

    void idaYVuelta()
    {
        // Every byte but CR and Ctrl+Z in a field, k = 5 and n = 10 (more than
        // the grid has at creation), some cells empty.
        QString todos;
        for (int b = 1; b < 256; ++b) {
            if (b != 13 && b != 26)
                todos += DesdeWindows1252(QByteArray(1, static_cast<char>(b)));
        }
        Estudio e = estudioDe(QList<QStringList>(5, QStringList(10)), cabecera);
        e.etole = todos;
        for (int i = 1; i <= 5; ++i)
            for (int j = 1; j <= 10; ++j)
                e.stgdatos.ponCelda(i, j, (i + j) % 7 ? QString::number(i * 100 + j) : QString());
        const QByteArray bytes = EscribeEstudio(e);
        QCOMPARE(bytes.count("\r\n"), 56);

        const Estudio leido = EstudioAceptado(LeeEstudio(bytes));
        QCOMPARE(leido.etole, todos);
        QCOMPARE(leido.stgdatos.celda(0, 0), u" FAM"_s);
        QCOMPARE(leido.stgdatos.celda(5, 10), u"510"_s);
        QCOMPARE(EscribeEstudio(leido), bytes);
    }

    void archivos()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ruta = dir.filePath(u"estudio.w1e"_s);
        const Estudio e = estudioDe(seis, cabecera);
        GuardaArchivoEstudio(ruta, e);
        QCOMPARE(contenido(ruta), EscribeEstudio(e));
        QCOMPARE(LeeArchivoEstudio(ruta).valores, (QVector<QVector<QString>>{{u"1"_s, u"2"_s, u"3"_s},
                                                                           {u"4"_s, u"5"_s, u"6"_s}}));
        // Saving again replaces the file whole.
        const Estudio otro = estudioDe({{u"7"_s, u"8"_s}, {u"9"_s, u"10"_s}}, cabecera);
        GuardaArchivoEstudio(ruta, otro);
        QCOMPARE(contenido(ruta), EscribeEstudio(otro));

        // A missing file, a pipe: the command-line test. A huge file is refused instead of exhausting the memory.
        const QString enorme = dir.filePath(u"enorme.w1e"_s);
        {
            QFile f(enorme);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(17 * 1024 * 1024));
        }
        QCOMPARE(errorDe<ErrorArchivo>([&] { LeeArchivoEstudio(enorme); }),
                 u"El archivo «%1» es demasiado grande para ser un estudio (más de 16 MiB)."_s.arg(enorme));
    }

    void guardadoFallidoConservaElArchivo()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ruta = dir.filePath(u"estudio.w1e"_s);
        const QByteArray viejo = "contenido anterior\r\n";
        {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(viejo) == viejo.size());
        }
        const Estudio e = estudioDe(seis, cabecera);

        // A text the file cannot hold: nothing is written.
        Estudio malo = e;
        malo.eanalista = u"Ж"_s;
        QVERIFY(errorDe<ErrorArchivo>([&] { GuardaArchivoEstudio(ruta, malo); }).contains(u"Nombre del Analista"_s));
        QCOMPARE(contenido(ruta), viejo);

        // The disk refuses the data part-way (file size limit of the process).
        struct rlimit anterior;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &anterior), 0);
        struct rlimit limite = anterior;
        limite.rlim_cur = 10;
        const auto senal = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
        const QString error = errorDe<ErrorArchivo>([&] { GuardaArchivoEstudio(ruta, e); });
        setrlimit(RLIMIT_FSIZE, &anterior);
        std::signal(SIGXFSZ, senal);
        QCOMPARE(contenido(ruta), viejo);
        QCOMPARE(error, u"No se puede escribir el archivo «%1»: Archivo demasiado grande"_s.arg(ruta));
        // No temporary file left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"estudio.w1e"_s});
        // A pipe in place of the file: the plot test, on the same writer.
    }

    void corpus()
    {
        const QDir dir(QStringLiteral(TOLERANCIA_FUENTES "/fuzz/corpus"));
        const QStringList nombres = dir.entryList(QDir::Files);
        QVERIFY(nombres.size() >= 10);
        for (const QString &nombre : nombres) {
            const QString fallo = RevisaEntrada(contenido(dir.filePath(nombre)));
            QVERIFY2(fallo.isEmpty(), qPrintable(nombre + u": "_s + fallo));
        }
    }

    void textoSistema_data()
    {
        QTest::addColumn<QString>("sistema");
        QTest::addColumn<QString>("espanol");
        for (const QStringList &c : casosDe(casos + u"texto-sistema.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c[1] << c[2];
    }

    void textoSistema()
    {
        QFETCH(QString, sistema);
        QTEST(TextoSistema(sistema), "espanol");
    }
};

QTEST_APPLESS_MAIN(TstArchivo)
#include "tst_archivo.moc"
