// The printer canvas on a real (PDF) printer and the "--pdf" command line.
#include "LienzoGrabador.h"

#include "print/LienzoImpresora.h"
#include "shell/EstudioArchivo.h"
#include "stats/Errores.h"
#include "stats/Uanova.h"

#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString ejemplo = QStringLiteral(TOLERANCIA_FUENTES "/ejemplos/ejemplo-trabajado.w1e");

// Runs the program as a user would: no platform or display named.
QPair<int, QString> ejecuta(const QStringList &argumentos)
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        entorno.remove(QString::fromLatin1(variable));
    QProcess proceso;
    proceso.setProcessEnvironment(entorno);
    proceso.start(QStringLiteral(TOLERANCIA_EJECUTABLE), argumentos);
    if (!proceso.waitForFinished(60000))
        return {-1, QStringLiteral("sin terminar")};
    return {proceso.exitCode(), QString::fromUtf8(proceso.readAllStandardError())};
}

QString herramienta(const QString &programa, const QString &pdf)
{
    QProcess proceso;
    proceso.start(programa, programa == u"pdfinfo" ? QStringList{pdf} : QStringList{pdf, "-"});
    proceso.waitForFinished(60000);
    return QString::fromUtf8(proceso.readAllStandardOutput());
}

int paginasDe(const QString &pdf)
{
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(herramienta("pdfinfo", pdf));
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
    void medidasDeLaImpresora_data();
    void medidasDeLaImpresora();
    void trabajoFallidoLiberaLaImpresora();
    void pagina_data();
    void pagina();
    void uso_data();
    void uso();
    void rechazos_data();
    void rechazos();
    void destinoImposible();
    void tuberiaRechazada();

private:
    QTemporaryDir m_dir;
};

void TstPdf::medidasDeLaImpresora_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("renglon");
    QTest::newRow("600 dpi") << 600 << 100;
    QTest::newRow("300 dpi") << 300 << 50;
}

// The units and widths are those of the printer's resolution, and "ARIAL"
// is drawn with its metric twin.
void TstPdf::medidasDeLaImpresora()
{
    QFETCH(int, dpi);
    QFETCH(int, renglon);
    const auto impresora = impresoraPdf(m_dir.filePath(QStringLiteral("medidas.pdf")), dpi);
    LienzoImpresora lienzo(*impresora);
    lienzo.iniciaTrabajo();
    lienzo.ponFuente(QStringLiteral("ARIAL"), 12);
    QCOMPARE(lienzo.alturaFuente(), renglon);
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
void TstPdf::trabajoFallidoLiberaLaImpresora()
{
    const QString ruta = m_dir.filePath(QStringLiteral("abortado.pdf"));
    const auto impresora = impresoraPdf(ruta, 600);
    LienzoImpresora lienzo(*impresora);
    Estudio estudio = EstudioAceptado(LeeArchivoEstudio(ejemplo));
    Estudio roto = estudio;
    roto.econdicion = QStringLiteral("tres");
    QVERIFY_THROWS_EXCEPTION(ErrorConversion, ImprimeInformacionLaser(lienzo, roto));
    QVERIFY_THROWS_NO_EXCEPTION(ImprimeInformacionLaser(lienzo, estudio));
    QCOMPARE(paginasDe(ruta), 1);
    QVERIFY(herramienta("pdftotext", ruta).contains(QStringLiteral("Muestra 4")));
}

void TstPdf::pagina_data()
{
    QTest::addColumn<QStringList>("opciones");
    QTest::addColumn<int>("pagina");
    QTest::newRow("información") << QStringList{"--pagina", "informacion"} << 0;
    QTest::newRow("resultados láser") << QStringList{"--pagina", "resultados", "--impresora", "laser"} << 1;
    QTest::newRow("información deskjet") << QStringList{"--impresora", "deskjet", "--pagina", "informacion"} << 2;
    QTest::newRow("resultados deskjet") << QStringList{"--pagina", "resultados", "--impresora", "deskjet"} << 3;
}

// One page whose text is exactly the page's texts, from the study as read
// and freshly calculated.
void TstPdf::pagina()
{
    QFETCH(QStringList, opciones);
    QFETCH(int, pagina);
    const QString pdf = m_dir.filePath(QStringLiteral("pagina%1.pdf").arg(pagina));
    const auto [codigo, error] = ejecuta(QStringList{"--pdf", pdf} + opciones + QStringList{ejemplo});
    QVERIFY2(codigo == 0, qPrintable(error));
    QCOMPARE(paginasDe(pdf), 1);

    const Estudio estudio = EstudioAceptado(LeeArchivoEstudio(ejemplo));
    JuegoResultados juego;
    CalculaAnova(estudio, u'.', juego);
    LienzoGrabador grabador(600, 4800);
    ImprimePagina(pagina, grabador, estudio, juego);
    QString esperado;
    for (const auto &t : grabador.trabajos.first().textos)
        esperado += t.texto + u' ';
    QString texto = herramienta("pdftotext", pdf);
    if (pagina == 1)
        QVERIFY(texto.contains(QStringLiteral("Hay Diferencia entre FAM")));
    // The ink-jet columns are 26 × 12 pixels apart, narrower at 600 dpi than
    // "Muestra 1": the text extractor then runs neighbours together, so the
    // characters are compared; the laser pages word by word.
    const auto partes = [pagina](QString t) {
        if (pagina >= 2) {
            t.remove(QRegularExpression(QStringLiteral("\\s")));
            QStringList letras(t.begin(), t.end());
            letras.sort();
            return letras;
        }
        QStringList palabras = t.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        palabras.sort();
        return palabras;
    };
    QCOMPARE(partes(texto), partes(esperado));
}

void TstPdf::uso_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::newRow("solo --pdf") << QStringList{"--pdf"};
    QTest::newRow("sin página") << QStringList{"--pdf", "x.pdf", ejemplo};
    QTest::newRow("página desconocida") << QStringList{"--pdf", "x.pdf", "--pagina", "portada", ejemplo};
    QTest::newRow("dos archivos") << QStringList{"--pdf", "x.pdf", "--pagina", "informacion", ejemplo, ejemplo};
    QTest::newRow("página repetida")
        << QStringList{"--pdf", "x.pdf", "--pagina", "informacion", "--pagina", "resultados", ejemplo};
    QTest::newRow("opción desconocida") << QStringList{"--pdf", "x.pdf", "--pagina", "informacion", "--copias", ejemplo};
    QTest::newRow("valor que falta") << QStringList{"--pdf", "x.pdf", ejemplo, "--pagina"};
}

void TstPdf::uso()
{
    QFETCH(QStringList, argumentos);
    QDir::setCurrent(m_dir.path());
    const auto [codigo, error] = ejecuta(argumentos);
    QCOMPARE(codigo, 2);
    QVERIFY(error.contains(QStringLiteral("Uso: tolerancia --pdf SALIDA.pdf")));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("x.pdf"))));
}

void TstPdf::rechazos_data()
{
    QTest::addColumn<QStringList>("estudio");
    QTest::addColumn<QString>("pagina");
    QTest::addColumn<QString>("mensaje");
    QTest::newRow("seis FAM") << QStringList{"B", "M", "A", "F", "6", "2"} + QStringList(12, "10")
                              << "informacion" << "Datos fuera de límite, 2-5 FAM.";
    QTest::newRow("una muestra") << QStringList{"B", "M", "A", "F", "2", "1", "10", "11"}
                                 << "informacion" << "Datos fuera de límite, 2-10 valoraciones (Replicaciones).";
    QTest::newRow("celda no numérica")
        << QStringList{"Balanza", "Método", "Ana", "01/01/2026", "2", "2", "10.1", "10,3", "10.4", "10.6"}
        << "resultados" << "'10,3' is not a valid floating point value";
    QTest::newRow("archivo inexistente") << QStringList() << "informacion" << "No se puede abrir el archivo";
}

// A refused study writes nothing and leaves an existing file as it was.
void TstPdf::rechazos()
{
    QFETCH(QStringList, estudio);
    QFETCH(QString, pagina);
    QFETCH(QString, mensaje);
    const QString w1e = m_dir.filePath(QStringLiteral("rechazo.w1e"));
    const QString pdf = m_dir.filePath(QStringLiteral("previo.pdf"));
    QFile::remove(w1e);
    // A study file as the program writes it: Windows-1252, CR LF.
    QFile archivo(w1e);
    if (!estudio.isEmpty())
        QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(estudio.join("\r\n").toLatin1() + "\r\n") > 0);
    archivo.close();
    QFile previo(pdf);
    QVERIFY(previo.open(QIODevice::WriteOnly) && previo.write("contenido anterior") > 0);
    previo.close();

    const auto [codigo, error] = ejecuta({"--pdf", pdf, "--pagina", pagina, w1e});
    QCOMPARE(codigo, 1);
    QVERIFY2(error.contains(mensaje), qPrintable(error));
    QVERIFY(previo.open(QIODevice::ReadOnly));
    QCOMPARE(previo.readAll(), QByteArray("contenido anterior"));
}

void TstPdf::destinoImposible()
{
    const QString pdf = m_dir.filePath(QStringLiteral("no/existe/salida.pdf"));
    const auto [codigo, error] = ejecuta({"--pdf", pdf, "--pagina", "informacion", ejemplo});
    QCOMPARE(codigo, 1);
    QVERIFY2(error.contains(QStringLiteral("No se pudo escribir")), qPrintable(error));
    QVERIFY(!QFile::exists(pdf));
}

// A named pipe keeps its reader: it is neither written through nor
// replaced by a regular file.
void TstPdf::tuberiaRechazada()
{
    const QString tubo = m_dir.filePath(QStringLiteral("tubo.pdf"));
    QFile::remove(tubo);
    QCOMPARE(mkfifo(QFile::encodeName(tubo).constData(), 0600), 0);
    const auto [codigo, error] = ejecuta({"--pdf", tubo, "--pagina", "informacion", ejemplo});
    QCOMPARE(codigo, 1);
    QVERIFY2(error.contains(QStringLiteral("No se puede guardar en «%1»: no es un archivo normal.").arg(tubo)),
             qPrintable(error));
    QVERIFY(QFileInfo(tubo).exists() && !QFileInfo(tubo).isFile());
}

int PruebaPdf(int argc, char **argv)
{
    TstPdf prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "tst_pdf.moc"
