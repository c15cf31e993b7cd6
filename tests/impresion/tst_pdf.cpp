// The printer canvas on a real (PDF) printer and the "--pdf" command line.
#include "Estudios.h"
#include "LienzoGrabador.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/motor/Anova.h"
#include "core/motor/Errores.h"
#include "core/paginas/Hoja.h"
#include "core/paginas/PaginasLaser.h"
#include "impresion/LienzoImpresora.h"

#include <QFile>
#include <QFontInfo>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/impresion/casos/");

// The options of the four pages, numbered as ImprimePagina numbers them.
const QStringList opciones[] = {{"--pagina", "informacion"},
                                {"--pagina", "resultados", "--impresora", "laser"},
                                {"--impresora", "deskjet", "--pagina", "informacion"},
                                {"--pagina", "resultados", "--impresora", "deskjet"}};

int paginasDe(const QString &pdf)
{
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(salidaDe("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

std::unique_ptr<QPrinter> impresoraPdf(const QString &ruta, int dpi)
{
    auto impresora = std::make_unique<QPrinter>(QPrinter::HighResolution);
    impresora->setOutputFormat(QPrinter::PdfFormat);
    impresora->setResolution(dpi);
    impresora->setOutputFileName(ruta);
    return impresora;
}

} // namespace

class TstPdf : public QObject
{
    Q_OBJECT

private slots:
    void medidasDeLaImpresora_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("renglon");
        for (int dpi : {600, 300})  // a 12-point line is 1/6 inch
            QTest::addRow("%d dpi", dpi) << dpi << dpi / 6;
    }

    // The units and widths are those of the printer's resolution, and "ARIAL"
    // is drawn with its metric twin.
    void medidasDeLaImpresora()
    {
        QFETCH(int, dpi);
        const auto impresora = impresoraPdf(m_dir.filePath(QStringLiteral("medidas.pdf")), dpi);
        LienzoImpresora lienzo(*impresora);
        lienzo.iniciaTrabajo();
        lienzo.ponFuente(QStringLiteral("ARIAL"), 12);
        QTEST(lienzo.alturaFuente(), "renglon");
        QCOMPARE(lienzo.tamanoFuente(), 12);
        QCOMPARE(lienzo.dpiVertical(), dpi);
        QCOMPARE(lienzo.anchoPagina(), impresora->width());
        // "Control de Calidad" in 12-point Liberation Sans is 1.38 inches wide
        // at any resolution (measured at a screen's 96 dpi it would be 0.22 in).
        const double pulgadas = lienzo.anchoTexto(QStringLiteral("Control de Calidad")) / double(dpi);
        QVERIFY2(pulgadas > 1.33 && pulgadas < 1.43, qPrintable(QString::number(pulgadas)));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("ARIAL"))).family(), QStringLiteral("Liberation Sans"));
        lienzo.terminaTrabajo();
    }

    // A page that fails half-way leaves no job open: the same printer takes the
    // next page.
    void trabajoFallidoLiberaLaImpresora()
    {
        const QString ruta = m_dir.filePath(QStringLiteral("abortado.pdf"));
        const auto impresora = impresoraPdf(ruta, 600);
        LienzoImpresora lienzo(*impresora);
        Estudio estudio = EstudioAceptado(LeeArchivoEstudio(archivoEjemploTrabajado));
        Estudio roto = estudio;
        roto.numeroFam = QStringLiteral("tres");
        QVERIFY_THROWS_EXCEPTION(ErrorConversion, ImprimeInformacionLaser(lienzo, roto, {}));
        QVERIFY_THROWS_NO_EXCEPTION(ImprimeInformacionLaser(lienzo, estudio, {}));
        QCOMPARE(paginasDe(ruta), 1);
        QVERIFY(salidaDe("pdftotext", {ruta, "-"}).contains(QStringLiteral("Muestra 4")));
    }

    void pagina_data()
    {
        QTest::addColumn<QString>("estudio");
        QTest::addColumn<int>("pagina");
        // Besides the worked example, every count of FAM with the most samples
        // and clearly different means (the interval block is printed), and
        // with few samples and alike means.
        QStringList estudios{archivoEjemploTrabajado};
        for (const QString &nombre : QDir(casos + QStringLiteral("estudios")).entryList({QStringLiteral("*.w1e")}))
            estudios << casos + QStringLiteral("estudios/") + nombre;
        for (const QString &estudio : estudios)
            for (int pagina = 0; pagina < 4; ++pagina)
                QTest::addRow("%s, %s", qPrintable(QFileInfo(estudio).baseName()), qPrintable(opciones[pagina].join(u' ')))
                    << estudio << pagina;
    }

    // One page whose words are exactly the page's words, from the study as read
    // and freshly calculated: two texts drawn over each other (or touching)
    // would come out as one word.
    void pagina()
    {
        QFETCH(QString, estudio);
        QFETCH(int, pagina);
        const QString pdf = m_dir.filePath(QStringLiteral("pagina.pdf"));
        const auto [codigo, error] = ejecutaPrograma(QStringList{"--pdf", pdf} + opciones[pagina] + QStringList{estudio});
        QVERIFY2(codigo == 0, qPrintable(error));
        QCOMPARE(paginasDe(pdf), 1);

        const Estudio leido = EstudioAceptado(LeeArchivoEstudio(estudio));
        LienzoGrabador grabador(pagina < 2 ? 600 : 300, 4800);
        ImprimePagina(pagina, grabador, leido, CalculaAnova(leido, u'.'), LineasMargen(HuellaDe(contenido(estudio)), {}));
        QString esperado;
        for (const auto &t : grabador.trabajos.first().textos)
            esperado += t.texto + u' ';
        const auto palabras = [](const QString &t) {
            QStringList lista = t.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            lista.sort();
            return lista;
        };
        const QString texto = salidaDe("pdftotext", {pdf, "-"});
        QCOMPARE(palabras(texto), palabras(esperado));
        // Its margin carries the study's SHA-256, as sha256sum gives it.
        QVERIFY(texto.contains(salidaDe("sha256sum", {estudio}).section(u' ', 0, 0)));
    }

    void uso_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        for (const QStringList &c : casosDe(casos + QStringLiteral("uso.tsv")))
            QTest::newRow(qPrintable(c[0])) << c.mid(1).replaceInStrings(QStringLiteral("EJEMPLO"), archivoEjemploTrabajado);
    }

    void uso()
    {
        QFETCH(QStringList, argumentos);
        QDir::setCurrent(m_dir.path());
        const auto [codigo, error] = ejecutaPrograma(argumentos);
        QCOMPARE(codigo, 2);
        QVERIFY(error.contains(QStringLiteral("Uso: tolerancia --pdf SALIDA.pdf")));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("x.pdf"))));
    }

    void salidas_data()
    {
        QTest::addColumn<QString>("salida");
        QTest::addColumn<QString>("previo");      // what is there before: "", "archivo", "tubo", "carpeta"
        QTest::addColumn<QString>("envoltura");   // shell commands run before the program
        QTest::addColumn<QString>("mensaje");     // %1 the output's path; empty: success
        QTest::addColumn<QString>("estudio");
        // A refused study, or none, writes nothing either.
        for (const QStringList &c : casosDe(casos + QStringLiteral("salidas.tsv")))
            QTest::newRow(qPrintable(c[0])) << c[1] << c[2] << c[3] << c[4] << (c[5] == u"EJEMPLO" ? archivoEjemploTrabajado : casos + c[5]);
    }

    // A PDF that cannot be written is a failure that names the file, and it
    // leaves the folder exactly as it was: no empty file, no scratch file, the
    // previous file byte for byte, a pipe or folder untouched.
    void salidas()
    {
        QFETCH(QString, salida);
        QFETCH(QString, previo);
        QFETCH(QString, envoltura);
        QFETCH(QString, mensaje);
        QFETCH(QString, estudio);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ruta = dir.filePath(salida);
        const QByteArray anterior = "PDF anterior";
        if (previo == u"archivo") {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(anterior) == anterior.size());
        } else if (previo == u"tubo") {
            QCOMPARE(mkfifo(QFile::encodeName(ruta).constData(), 0600), 0);
        } else if (previo == u"carpeta") {
            QVERIFY(QDir(dir.path()).mkdir(salida));
        }
        const QStringList antes = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);

        const auto [codigo, error] = ejecutaPrograma({"-c", envoltura + QStringLiteral("\nexec \"$0\" \"$@\""), TOLERANCIA_EJECUTABLE,
                                              "--pdf", ruta, "--pagina", "resultados", estudio},
                                             QStringLiteral("/bin/sh"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), antes);
        const QFileInfo despues(ruta);
        if (mensaje.isEmpty()) {
            QVERIFY2(codigo == 0, qPrintable(error));
            QVERIFY(contenido(ruta).startsWith("%PDF-"));
            return;
        }
        QCOMPARE(codigo, 1);
        QVERIFY2(error.contains(estudio + QStringLiteral(": ") + QString(mensaje).replace(QStringLiteral("%1"), ruta)), qPrintable(error));
        if (previo == u"archivo")
            QCOMPARE(contenido(ruta), anterior);
        QCOMPARE(despues.isDir(), previo == u"carpeta");
        QCOMPARE(despues.isFile(), previo == u"archivo");
    }
private:
    QTemporaryDir m_dir;
};

int PruebaPdf(int argc, char **argv)
{
    TstPdf prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "tst_pdf.moc"
