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

// Case files write CR, LF and Ctrl+Z as \r, \n and \z.
QString sinEscapes(QString t)
{
    return t.replace(u"\\r"_s, u"\r"_s).replace(u"\\n"_s, u"\n"_s).replace(u"\\z"_s, u"\x1a"_s);
}

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
        QCOMPARE(EscribeEstudio(e), contenido(casos + u"escritura-exacta.w1e"_s));

        // Counts are written as typed; a cell outside the grid is an empty line.
        e.numeroFam = u" 2"_s;
        e.rejilla.redimensiona(3, 3);
        QCOMPARE(EscribeEstudio(e), contenido(casos + u"escritura-fuera-de-rejilla.w1e"_s));
    }

    void escrituraRechaza_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        for (const QStringList &c : casosDe(casos + u"escritura-rechaza.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c[1].toInt() << sinEscapes(c[2]) << c[3];
    }

    void escrituraRechaza()
    {
        QFETCH(int, campo);
        QFETCH(QString, texto);
        Estudio e = estudioDe(seis, cabecera);
        QString *campos[] = {&e.factores, &e.metodo, &e.analista, &e.fecha, &e.numeroFam, &e.numeroMuestras};
        if (campo < 6)
            *campos[campo] = texto;
        else
            e.rejilla.ponCelda(2, 3, texto);
        QTEST(errorDe<ErrorArchivo>([&] { EscribeEstudio(e); }), "mensaje");
    }

    void lectura_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("textos");  // the six fields, then the cells FAM by FAM
        for (const QStringList &c : casosDe(casos + u"lectura.tsv"_s))
            QTest::newRow(qPrintable(c[0]))
                << sinEscapes(c[1]).toLatin1() << QStringList(c.mid(2)).replaceInStrings(u"\\n"_s, u"\n"_s);
    }

    void lectura()
    {
        QFETCH(QByteArray, bytes);
        const ArchivoEstudio a = LeeEstudio(bytes);
        QStringList leidos{a.factores, a.metodo, a.analista, a.fecha, a.numeroFam, a.numeroMuestras};
        for (const QVector<QString> &fam : a.valores)
            leidos += QStringList(fam.begin(), fam.end());
        QTEST(leidos, "textos");
    }

    void conteosRechazados_data()
    {
        QTest::addColumn<QByteArray>("conteos");
        QTest::addColumn<QString>("mensaje");
        for (const QStringList &c : casosDe(casos + u"conteos-rechazados.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << (c[1] + u"\r\n"_s + c[2] + u"\r\n"_s).toLatin1() << c[3];
    }

    void conteosRechazados()
    {
        QFETCH(QByteArray, conteos);
        const QByteArray bytes = "a\r\nb\r\nc\r\nd\r\n"_ba + conteos + "1\r\n2\r\n"_ba;
        QTEST(errorDe<ErrorTolerancia>([&] { LeeEstudio(bytes); }), "mensaje");
    }

    void idaYVuelta()
    {
        // Every byte but CR and Ctrl+Z in a field, k = 5 and n = 10 (more than
        // the grid has at creation), some cells empty.
        QString todos;
        for (int b = 1; b < 256; ++b)
            if (b != 13 && b != 26)
                todos += DesdeWindows1252(QByteArray(1, static_cast<char>(b)));
        Estudio e = estudioDe(QList<QStringList>(5, QStringList(10)), cabecera);
        e.factores = todos;
        for (int i = 1; i <= 5; ++i)
            for (int j = 1; j <= 10; ++j)
                e.rejilla.ponCelda(i, j, (i + j) % 7 ? QString::number(i * 100 + j) : QString());
        const QByteArray bytes = EscribeEstudio(e);
        QCOMPARE(bytes.count("\r\n"), 56);

        const Estudio leido = EstudioAceptado(LeeEstudio(bytes));
        QCOMPARE(leido.factores, todos);
        QCOMPARE(leido.rejilla.celda(0, 0), u" FAM"_s);
        QCOMPARE(leido.rejilla.celda(5, 10), u"510"_s);
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
        QCOMPARE(LeeArchivoEstudio(ruta).valores, seis);
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
        malo.analista = u"Ж"_s;
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
