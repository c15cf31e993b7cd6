// The verification run: it passes on the reference set the program carries,
// a planted wrong reference fails exactly its check and comes first, its
// header names every field truly, and its document is numbered and has its
// fields to sign; the command line and the window give the same run.
#include "cli/LineaVerificacion.h"
#include "core/verificacion/DocumentoVerificacion.h"
#include "gui/VentanaPrincipal.h"
#include "gui/VentanaVerificacion.h"
#include "gui/VisorAyuda.h"
#include "DialogosFalsos.h"
#include "Estudios.h"
#include "LienzoGrabador.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString referencias = QStringLiteral(TOLERANCIA_FUENTES "/src/core/verificacion/referencias/");

// The table as kept in the sources, which the program carries.
QByteArray tablaFuente()
{
    return contenido(referencias + u"referencias.tsv"_s);
}

// The studies the program carries, read back from its resources.
QByteArray estudioDelPrograma(const QString &nombre)
{
    QFile archivo(u":/verificacion/"_s + nombre);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

EntornoVerificacion entornoDePrueba()
{
    EntornoVerificacion e;
    e.version = u"9.9.9"_s;
    e.revision = u"abc1234"_s;
    e.compilacion = u"2026-12-06"_s;
    e.ejecutable = u"/usr/bin/tolerancia"_s;
    e.sha256 = QString(64, u'a');
    e.qt = u"6.4.2"_s;
    e.boost = u"1.74.0"_s;
    e.sistema = u"Debian GNU/Linux 12"_s;
    e.maquina = u"laboratorio-3"_s;
    e.usuario = u"anunez (Ana Núñez)"_s;
    e.utc = u"2026-03-04T15:20:11Z"_s;
    e.local = u"2026-03-04T09:20:11-06:00"_s;
    return e;
}

// The run on the source table with the expected value of its line `linea`
// (0-based among the checks) replaced.
QList<Comprobacion> conValorPlantado(int linea, const QString &valor)
{
    QList<Referencia> tabla = LeeReferencias(tablaFuente());
    tabla[linea].esperado = valor;
    return EjecutaReferencias(tabla, estudioDelPrograma);
}

int pasan(const QList<Comprobacion> &comprobaciones)
{
    return int(std::count_if(comprobaciones.begin(), comprobaciones.end(), [](const Comprobacion &c) { return c.pasa; }));
}

} // namespace

class TstVerificacion : public QObject
{
    Q_OBJECT

private slots:
    // Every shipped check passes, there are at least 20, and the program
    // carries the very table of the sources.
    void pasaConLosDatosDelPrograma()
    {
        const QList<Comprobacion> comprobaciones = VerificaPrograma();
        QStringList fallan;
        for (const Comprobacion &c : comprobaciones)
            if (!c.pasa)
                fallan << c.descripcion + u": esperado "_s + c.esperado + u", obtenido "_s + c.obtenido;
        QVERIFY2(fallan.isEmpty(), qPrintable(fallan.join(u'\n')));
        QVERIFY(comprobaciones.size() >= 20);
        QCOMPARE(estudioDelPrograma(u"referencias.tsv"_s), tablaFuente());
        QCOMPARE(comprobaciones.size(), LeeReferencias(tablaFuente()).size());
        QVERIFY(TodasPasan(comprobaciones));
        QVERIFY(!TodasPasan({}));
    }

    // A wrong reference value, of each kind of tolerance, fails its check
    // alone; the failure is listed first and the run's exit code is 1.
    void valorPlantado_data()
    {
        QTest::addColumn<QString>("descripcion");
        QTest::addColumn<QString>("valor");
        // A relative tolerance of 1e-12 refuses a value off by 1e-11.
        QTest::newRow("relativa") << u"Ejemplo trabajado: Fcal"_s << u"10.04761904771"_s;
        QTest::newRow("NIST") << u"NIST SiRstv: MC error"_s << u"1.08318281E-02"_s;
        // Half a unit of the table's last decimal, and a hair beyond.
        QTest::newRow("absoluta") << u"Dunnett bilateral 5 %: 3 FAM, 12 gl"_s << u"2.48"_s;
        QTest::newRow("exacta") << u"Promedios iguales: Fcal"_s << u"1E-300"_s;
        QTest::newRow("texto") << u"Valores idénticos: el análisis se rehúsa"_s << u"Floating point division by zero"_s;
        QTest::newRow("pares") << u"Ejemplo trabajado: pares con diferencia"_s << u"1-2"_s;
    }

    void valorPlantado()
    {
        QFETCH(QString, descripcion);
        QFETCH(QString, valor);
        const QList<Referencia> tabla = LeeReferencias(tablaFuente());
        const auto linea = std::find_if(tabla.begin(), tabla.end(), [&](const Referencia &r) {
            return r.descripcion == descripcion;
        }) - tabla.begin();
        QVERIFY(linea < tabla.size());
        const QList<Comprobacion> comprobaciones = conValorPlantado(int(linea), valor);
        QCOMPARE(comprobaciones.size(), tabla.size());
        QCOMPARE(pasan(comprobaciones), int(tabla.size()) - 1);
        QCOMPARE(comprobaciones.first().descripcion, descripcion);
        QVERIFY(!comprobaciones.first().pasa);
        QCOMPARE(comprobaciones.first().esperado, valor);
        QStringList lineas = LineasVerificacion(entornoDePrueba(), comprobaciones);
        const auto primera = std::find_if(lineas.begin(), lineas.end(), [](const QString &l) {
            return l.endsWith(u"PASA"_s) || l.endsWith(u"FALLA"_s);
        });
        QVERIFY(primera != lineas.end());
        QVERIFY(primera->startsWith(descripcion) && primera->endsWith(u"  FALLA"_s));
        QVERIFY(lineas.contains(u"Resultado: FALLA. 1 de %1 comprobaciones no dan el valor esperado (se listan primero)."_s
                                    .arg(tabla.size())));
        QCOMPARE(InformaVerificacion(entornoDePrueba(), comprobaciones, std::nullopt), 1);
    }

    // A study that cannot be read, a figure the runner does not know or a
    // tolerance it cannot read fails its check without stopping the run.
    void bordesYFallos()
    {
        const auto una = [](const QString &estudio, const QString &figura, const QString &esperado,
                            const QString &tolerancia) {
            return EjecutaReferencias({{u"caso"_s, estudio, figura, esperado, tolerancia, u"prueba"_s}},
                                      estudioDelPrograma).constFirst();
        };
        QVERIFY(una(u"ejemplo-trabajado.w1e"_s, u"scfam"_s, u"3.165"_s, u"igual"_s).pasa);
        const Comprobacion falta = una(u"no-existe.w1e"_s, u"scfam"_s, u"3.165"_s, u"rel 1e-12"_s);
        QVERIFY(!falta.pasa);
        QVERIFY(!falta.obtenido.isEmpty());
        QCOMPARE(una(u"ejemplo-trabajado.w1e"_s, u"nada"_s, u"1"_s, u"rel 1e-12"_s).obtenido, u"figura desconocida"_s);
        QCOMPARE(una(u"ejemplo-trabajado.w1e"_s, u"error"_s, u"x"_s, u"igual"_s).obtenido, u"sin error"_s);
        QVERIFY(!una(u"ejemplo-trabajado.w1e"_s, u"scfam"_s, u"3.165"_s, u"casi"_s).pasa);
        QVERIFY(!una(u"ejemplo-trabajado.w1e"_s, u"paresConDiferencia"_s, u"1-2 2-3"_s, u"rel 1e-3"_s).pasa);
        QCOMPARE(errorDe<ErrorArchivo>([] { LeeReferencias("a\tb\tc\n"); }),
                 u"La línea 1 de la tabla de referencias no tiene sus seis campos."_s);
    }

    // The header states each field of this run truly: the digest is
    // sha256sum's, the version the project's, the times ISO 8601.
    void encabezado()
    {
        const EntornoVerificacion e = EntornoActual(QStringLiteral(TOLERANCIA_EJECUTABLE));
        const QString sha = salidaDe(u"sha256sum"_s, {QStringLiteral(TOLERANCIA_EJECUTABLE)}).section(u' ', 0, 0);
        QCOMPARE(e.sha256, sha);
        const QRegularExpression proyecto(u"project\\(\\s*\\w+\\s+VERSION\\s+([0-9.]+)"_s);
        QCOMPARE(e.version, proyecto.match(QString::fromUtf8(contenido(TOLERANCIA_FUENTES "/CMakeLists.txt"))).captured(1));
        QVERIFY(QRegularExpression(u"^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$"_s).match(e.utc).hasMatch());
        QVERIFY(QRegularExpression(u"^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d$"_s).match(e.local).hasMatch());
        QVERIFY(e.qt.startsWith(QLatin1String(qVersion())));
        QVERIFY(QRegularExpression(u"^1\\.\\d+\\.\\d+$"_s).match(e.boost).hasMatch());
        for (const QString &campo : {e.revision, e.compilacion, e.sistema, e.maquina, e.usuario})
            QVERIFY(!campo.isEmpty());
        const QString texto = LineasEntorno(e).join(u'\n');
        for (const QString &dato : {e.version, e.revision, e.compilacion, e.sha256, e.qt, e.boost, e.sistema, e.maquina,
                                    e.usuario, e.utc, e.local})
            QVERIFY2(texto.contains(dato), qPrintable(dato));
        QVERIFY(EntornoActual(u"/no/existe"_s).sha256.startsWith(u"no se pudo leer el ejecutable"_s));
    }

    // The document on a recording canvas: one job, every page numbered
    // "página i de n", every check once, the failing one first, and the
    // fields to sign left blank on the last page.
    void documento_data()
    {
        QTest::addColumn<int>("alto");
        QTest::addColumn<int>("minimo");  // pages at least
        // A4 at 300 dpi within 15 mm margins; a short page takes several.
        QTest::newRow("A4") << 3154 << 1;
        QTest::newRow("corta") << 1200 << 3;
    }

    void documento()
    {
        QFETCH(int, alto);
        QFETCH(int, minimo);
        const QList<Comprobacion> comprobaciones = conValorPlantado(3, u"0.1"_s);
        LienzoGrabador lienzo(300, 2126, alto);
        ImprimeVerificacion(lienzo, entornoDePrueba(), comprobaciones);
        QCOMPARE(int(lienzo.trabajos.size()), 1);
        QVERIFY(lienzo.trabajos[0].terminado);
        QCOMPARE(lienzo.fueraDeTrabajo, 0);
        const LienzoGrabador::Trabajo &trabajo = lienzo.trabajos[0];
        const int paginas = int(trabajo.saltos.size()) + 1;
        QVERIFY(paginas >= minimo);
        QStringList todos;
        for (int p = 0; p < paginas; ++p) {
            const QStringList textos = trabajo.textosDePagina(p);
            QCOMPARE(textos.filter(u"página "_s), QStringList{u"página %1 de %2"_s.arg(p + 1).arg(paginas)});
            todos << textos;
        }
        for (const Comprobacion &c : comprobaciones)
            QCOMPARE(int(todos.count(c.descripcion)), 1);
        const auto encabezado = todos.indexOf(u"Comprobación"_s);
        QCOMPARE(todos.mid(encabezado + 5, 5),
                 (QStringList{comprobaciones[0].descripcion, u"0.1"_s, comprobaciones[0].obtenido,
                              comprobaciones[0].tolerancia, u"FALLA"_s}));
        const QStringList ultima = trabajo.textosDePagina(paginas - 1);
        for (const QString &campo : {u"Verificado por:"_s, u"Fecha:"_s, u"Firma:"_s})
            QVERIFY2(ultima.contains(campo), qPrintable(campo));
        // Nothing is written on the fields' lines but their names.
        const QList<LienzoGrabador::Texto> finales = trabajo.textos.mid(trabajo.saltos.value(paginas - 2, 0));
        for (const LienzoGrabador::Texto &t : finales)
            if (t.texto.endsWith(u':'))
                for (const LienzoGrabador::Texto &otro : finales)
                    QVERIFY(otro.y != t.y || otro.texto == t.texto);
        // Every text lies on its page, above the bottom edge.
        for (const LienzoGrabador::Texto &t : trabajo.textos)
            QVERIFY(t.y + t.puntos * 300 / 72 <= alto);
    }

    // The command line: the run, its PDF, its exit code; wrong usage is 2.
    void lineaDeComandos()
    {
        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(u"oq.pdf"_s);
        QCOMPARE(ejecutaPrograma({u"--verificar"_s, u"--pdf"_s, pdf}).codigo, 0);
        const QString texto = salidaDe(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        const QString paginas = QRegularExpression(u"página 1 de (\\d+)"_s).match(texto).captured(1);
        QVERIFY2(!paginas.isEmpty() && texto.contains(u"página %1 de %1"_s.arg(paginas)), qPrintable(texto));
        QVERIFY(texto.contains(u"Verificado por:"_s) && texto.contains(u"Resultado: PASA."_s));
        QCOMPARE(ejecutaPrograma({u"--verificar"_s, u"--informe"_s}).codigo, 2);
        QCOMPARE(ejecutaPrograma({u"--verificar"_s, u"--pdf"_s}).codigo, 2);
        QCOMPARE(ejecutaPrograma({u"--verificar"_s, u"--pdf"_s, carpeta.path()}).codigo, 1);
    }

    // Ayuda > "Verificación del programa…": the run read-only, with its
    // accessible name and its help topic; Imprimir and Guardar PDF write
    // the document.
    void ventana()
    {
        DialogosFalsos dialogos;
        Dialogos::instala(&dialogos);
        QTemporaryDir carpeta;
        VentanaPrincipal principal;
        principal.findChild<QAction *>(u"verificacionDelPrograma"_s)->trigger();
        auto *ventana = principal.findChild<VentanaVerificacion *>();
        QVERIFY(ventana && ventana->isVisible());
        QVERIFY(ventana->todasPasan());
        auto *texto = ventana->findChild<QPlainTextEdit *>();
        QVERIFY(texto->isReadOnly());
        QCOMPARE(texto->accessibleName(), u"Resultado de la verificación"_s);
        QVERIFY(texto->toPlainText().contains(u"Resultado: PASA."_s));
        QTest::keyClick(texto, Qt::Key_F1);
        QCOMPARE(VisorDeAyuda()->paginaActual(), u"verificacion.html"_s);

        dialogos.pdfGuardar = carpeta.filePath(u"v.pdf"_s);
        ventana->findChild<QPushButton *>(u"guardarPdf"_s)->click();
        QVERIFY(contenido(dialogos.pdfGuardar).startsWith("%PDF"));
        dialogos.pdf = carpeta.filePath(u"impreso.pdf"_s);
        dialogos.aceptaImpresion = true;
        ventana->findChild<QPushButton *>(u"imprimir"_s)->click();
        QVERIFY(salidaDe(u"pdftotext"_s, {dialogos.pdf, u"-"_s}).contains(u"Firma:"_s));
        QVERIFY(dialogos.mensajes.isEmpty());
        Dialogos::instala(nullptr);
    }
};

QTEST_MAIN(TstVerificacion)
#include "tst_verificacion.moc"
