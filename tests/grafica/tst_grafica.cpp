// The study's plot: its model, its description and "--grafica".
#include "core/motor/Anova.h"
#include "core/motor/Equivalencia.h"
#include "core/paginas/ArchivoGrafica.h"
#include "core/paginas/Grafica.h"
#include "Estudios.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/grafica/casos/");

// Two FAM of three: 10 10 12 and 13 14 15. By hand: MSE = (8/3 + 2) / 4,
// t(4 df) = 2.7764, half-width 2.7764·sqrt(MSE/3) = 1.73139.
Estudio pequeno(QChar separador)
{
    return estudioDe({{u"10"_s, u"10"_s, u"12"_s}, {u"13"_s, u"14"_s + separador + u"0"_s, u"15"_s}},
                     {u"Columna"_s, u"HPLC"_s, u"Ana"_s, u"01/02/2026"_s});
}

} // namespace

class TstGrafica : public QObject
{
    Q_OBJECT

private slots:
    void modelo()
    {
        Estudio estudio = pequeno(u'.');
        estudio.rejilla.ponCelda(2, 0, u" Equipo B "_s);
        const ModeloGrafica m = ModeloDeGrafica(estudio, CalculaAnova(estudio, u'.'), u'.');

        QCOMPARE(m.niveles.size(), 2);
        QCOMPARE(m.niveles[0].etiqueta, u"FAM 1"_s);
        QCOMPARE(m.niveles[1].etiqueta, u"Equipo B"_s);
        // Means and intervals: the description below gives them in words.

        // The tied tens side by side about the column, in sample order; the
        // rest in it.
        const QList<double> desplazamientos[2] = {{-0.5, 0.5, 0.0}, {0.0, 0.0, 0.0}};
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 3; ++j)
                QVERIFY2(qAbs(m.niveles[i].puntos[j].desplazamiento - desplazamientos[i][j]) < 1e-12,
                         qPrintable(u"FAM %1, muestra %2"_s.arg(i + 1).arg(j + 1)));
        QCOMPARE(m.niveles[1].puntos[1].valor, 14.0);

        // Intervals from 8.935 to 15.731: whole numbers from 8 to 17.
        QStringList textos;
        for (const MarcaEje &marca : m.marcas)
            textos << marca.texto;
        QCOMPARE(textos, QStringList({"8", "9", "10", "11", "12", "13", "14", "15", "16", "17"}));
        QCOMPARE(m.ejeMinimo, 8.0);
        QCOMPARE(m.ejeMaximo, 17.0);
    }

    void marcas_data()
    {
        QTest::addColumn<double>("minimo");
        QTest::addColumn<double>("maximo");
        QTest::addColumn<QChar>("separador");
        QTest::addColumn<QStringList>("textos");
        for (const QStringList &c : casosDe(casos + u"marcas.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c[1].toDouble() << c[2].toDouble() << c[3].at(0) << c.mid(4);
    }

    void marcas()
    {
        QFETCH(double, minimo);
        QFETCH(double, maximo);
        QFETCH(QChar, separador);
        QStringList textos;
        for (const MarcaEje &marca : MarcasNitidas(minimo, maximo, 6, separador))
            textos << marca.texto;
        QTEST(textos, "textos");
    }

    void descripcion()
    {
        const Estudio estudio = pequeno(u',');
        QCOMPARE(DescripcionGrafica(ModeloDeGrafica(estudio, CalculaAnova(estudio, u','), u',')),
                 QString::fromUtf8(contenido(casos + u"descripcion-pequeno.txt"_s)).trimmed());
    }

    void archivos_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QStringList>("medidas");
        QTest::addColumn<QSize>("tamano");
        for (const QStringList &c : casosDe(casos + u"archivos.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c[1] << c.mid(4) << QSize(c[2].toInt(), c[3].toInt());
    }

    // The files hold the plot's texts as the study gives them by hand.
    void archivos()
    {
        QFETCH(QString, nombre);
        QFETCH(QStringList, medidas);
        QFETCH(QSize, tamano);
        const QString ruta = m_dir.filePath(nombre);
        const Ejecucion e = ejecutaPrograma(QStringList{"--grafica", ruta, archivoEjemploTrabajado} + medidas);
        QVERIFY2(e.codigo == 0, qPrintable(e.error));

        const QString tipo = QFileInfo(ruta).suffix().toLower();
        if (tipo == u"png") {
            QVERIFY(contenido(ruta).startsWith("\x89PNG\r\n\x1a\n"));
            QImage imagen;
            QVERIFY(imagen.load(ruta, "PNG"));
            QCOMPARE(imagen.size(), tamano);
            // Something is drawn in colour, on white.
            QCOMPARE(imagen.pixelColor(0, 0), QColor(Qt::white));
            return;
        }
        QStringList textos;
        if (tipo == u"svg") {
            QXmlStreamReader xml(contenido(ruta));
            while (!xml.atEnd())
                if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text")
                    textos << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
            // 1200 pixels at 150 to the inch.
            QVERIFY(contenido(ruta).contains("width=\"203.2mm\""));
        } else {
            const QString info = salidaDe(u"pdfinfo"_s, {ruta});
            QVERIFY2(info.contains(QRegularExpression(u"Pages:\\s+1\\n"_s)), qPrintable(info));
            // 150 pixels to the inch.
            const QRegularExpression pagina(
                u"Page size:\\s+%1 x %2 pts"_s.arg(tamano.width() * 72 / 150).arg(tamano.height() * 72 / 150));
            QVERIFY2(info.contains(pagina), qPrintable(info));
            textos = salidaDe(u"pdftotext"_s, {u"-layout"_s, ruta, u"-"_s}).split(u'\n');
            for (QString &t : textos)
                t = t.simplified();
        }
        const QString todo = textos.join(u'\n');
        for (const QStringList &esperado : casosDe(casos + u"textos-ejemplo.txt"_s))
            QVERIFY2(todo.contains(esperado[0]), qPrintable(esperado[0] + u" no está en:\n"_s + todo));
    }

    void fallos_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("mensaje"); // %1: the output file
        for (const QStringList &c : casosDe(casos + u"fallos.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c.mid(3).replaceInStrings(u"EJEMPLO"_s, archivoEjemploTrabajado).replaceInStrings(u"CASOS/"_s, casos) << c[1].toInt() << c[2];
    }

    // A refusal or failure writes nothing and leaves an earlier file whole.
    void fallos()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(int, codigo);
        QFETCH(QString, mensaje);
        QDir::setCurrent(m_dir.path());
        QFile previo(u"previo.svg"_s);
        QVERIFY(previo.open(QIODevice::WriteOnly) && previo.write("contenido anterior") > 0);
        previo.close();
        QFile::remove(u"tubo.svg"_s);
        QCOMPARE(mkfifo("tubo.svg", 0600), 0);
        const QStringList antes = QDir(m_dir.path()).entryList(QDir::Files | QDir::System);

        const Ejecucion e = ejecutaPrograma(argumentos);
        QCOMPARE(e.codigo, codigo);
        // A failure's line names the study first.
        const QString estudio = codigo == 1 ? argumentos.value(2) + u": "_s : QString();
        QVERIFY2(e.error.contains(estudio + mensaje.replace(u"%1"_s, argumentos.value(1))), qPrintable(e.error));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::System), antes);
        QCOMPARE(contenido(u"previo.svg"_s), QByteArray("contenido anterior"));
    }

    // The band of an acceptance limit δ = 6 about the grand mean 74/6: the
    // axis (8 to 17 without it) takes in 6.33333 to 18.3333, the
    // description and the legend name it, and it is drawn between them.
    void banda()
    {
        const Estudio estudio = pequeno(u'.');
        const ResultadosAnova resultados = CalculaAnova(estudio, u'.');
        const CriteriosEquivalencia criterios{LeeLimiteAceptacion(u"6"_s, u'.'), std::nullopt, false};
        const ModeloGrafica sin = ModeloDeGrafica(estudio, resultados, u'.');
        const ModeloGrafica con = ModeloDeGrafica(
            estudio, resultados, u'.', BandaDe(*CalculaPrecision(estudio, u'.', criterios).equivalencia));
        QVERIFY(con.ejeMinimo <= 6.33333 && con.ejeMaximo >= 18.3334);
        QVERIFY(DescripcionGrafica(con).endsWith(
            u"Promedio general: 12.3333. Banda de aceptación, promedio general ± 6: de 6.33333 a 18.3333."_s));
        QVERIFY(!DescripcionGrafica(sin).contains(u"Banda"_s));

        // The band's tint, white under its colour at 42/255.
        const auto tintes = [](const ModeloGrafica &modelo) {
            QImage imagen(1200, 800, QImage::Format_RGB32);
            QPainter pintor(&imagen);
            dibujaGrafica(pintor, QRectF(0, 0, 1200, 800), modelo);
            pintor.end();
            int cuenta = 0;
            for (int y = 0; y < imagen.height(); ++y)
                for (int x = 0; x < imagen.width(); ++x) {
                    const QColor c = imagen.pixelColor(x, y);
                    cuenta += std::abs(c.red() - 213) <= 2 && std::abs(c.green() - 240) <= 2 && std::abs(c.blue() - 232) <= 2;
                }
            return cuenta;
        };
        QCOMPARE(tintes(sin), 0);
        QVERIFY(tintes(con) > 100000);

        const QString ruta = m_dir.filePath(u"banda.svg"_s);
        GuardaGrafica(ruta, con, TamanoGrafica);
        QVERIFY(contenido(ruta).contains("Límite de aceptación ±6"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TstGrafica)
#include "tst_grafica.moc"
