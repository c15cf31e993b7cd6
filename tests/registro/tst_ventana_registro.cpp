// The register's window and signing, driven as a user drives them on an X
// server: the trail the window lists and what a screen reader is told of
// it, its print and PDF (with the study's fingerprint, recorded in the
// register), and signing, refused for a study that is not the one saved.
// Registers and studies come from genera_registro.py; what is written is
// checked with hashlib (verifica_registro.py), sha256sum and pdftotext.
#include "Ayudas.h"
#include "DialogosFalsos.h"

#include "LienzoGrabador.h"
#include "core/paginas/PaginasRegistro.h"
#include "gui/DialogoFirma.h"
#include "gui/VentanaRegistro.h"

#include <QAccessible>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/registro/casos/");
const QByteArray cadena = contenido(casos + u"cadena.registro"_s);
const QByteArray v1 = contenido(casos + u"v1.w1e"_s), v2 = contenido(casos + u"v2.w1e"_s);

void escribe(const QString &ruta, const QByteArray &bytes)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
}

QString sha256sum(const QString &ruta)
{
    return salidaDe(u"sha256sum"_s, {ruta}).section(u' ', 0, 0);
}

QString nombreAccesible(QWidget *widget)
{
    QAccessibleInterface *interfaz = QAccessible::queryAccessibleInterface(widget);
    return interfaz ? interfaz->text(QAccessible::Name) : QString();
}

QByteArray ultimaLinea(const QByteArray &registro)
{
    QList<QByteArray> lineas = registro.split('\n');
    lineas.removeLast();
    return lineas.value(lineas.size() - 1);
}

// The full name the system keeps for this account: the first field of its
// GECOS entry, as getent gives it.
QString nombreDelSistema()
{
    const QString uid = salidaDe(u"id"_s, {u"-u"_s}).trimmed();
    return salidaDe(u"getent"_s, {u"passwd"_s, uid}).section(u':', 4, 4).section(u',', 0, 0).trimmed();
}

} // namespace

class TstVentanaRegistro : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> dir;
    std::optional<VentanaPrincipal> ventana;
    DialogosFalsos dialogos;

    QString estudio() const { return dir->filePath(u"estudio.w1e"_s); }
    QString registro() const { return estudio() + u".registro"_s; }
    QAction *accion(const QString &nombre) const { return hijo<QAction>(&*ventana, nombre); }

    VentanaRegistro *ventanaRegistro() const
    {
        for (QMdiSubWindow *hija : ventana->marco()->subWindowList())
            if (auto *v = qobject_cast<VentanaRegistro *>(hija->widget()))
                return v;
        return nullptr;
    }
    QStringList lineasMostradas() const
    {
        return hijo<QPlainTextEdit>(ventanaRegistro(), u"textoRegistro"_s)->toPlainText().split(u'\n');
    }

private slots:
    void init()
    {
        dir.emplace();
        QVERIFY(dir->isValid());
        escribe(estudio(), v2);
        escribe(registro(), cadena);
        dialogos = DialogosFalsos();
        Dialogos::instala(&dialogos);
        ventana.emplace();
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(&*ventana));
    }
    void cleanup()
    {
        ventana.reset();
        Dialogos::instala(nullptr);
    }

    // Both commands need a study window, saved or not.
    void estadoDeLasOrdenes()
    {
        for (const QString &nombre : {u"RegistroCambios"_s, u"FirmarEstudio"_s})
            QVERIFY(!accion(nombre)->isEnabled());
        ventana->abreArchivo(estudio());
        for (const QString &nombre : {u"RegistroCambios"_s, u"FirmarEstudio"_s})
            QVERIFY(accion(nombre)->isEnabled());
        ventana->marco()->closeAllSubWindows();
        QTRY_VERIFY(!ventana->documento());
        for (const QString &nombre : {u"RegistroCambios"_s, u"FirmarEstudio"_s})
            QVERIFY(!accion(nombre)->isEnabled());
    }

    // The window lists every entry as the checked trail has it, says what
    // the check found above it, and names both for a screen reader.
    void ventanaListaElRegistro()
    {
        ventana->abreArchivo(estudio());
        accion(u"RegistroCambios"_s)->trigger();
        QVERIFY(dialogos.mensajes.isEmpty());
        VentanaRegistro *v = ventanaRegistro();
        QVERIFY(v);
        QStringList esperado = QString::fromUtf8(contenido(casos + u"registro.txt"_s)).split(u'\n');
        esperado.removeLast();
        const QStringList mostrado = lineasMostradas();
        QCOMPARE(mostrado.first(), u"Registro de cambios de «%1»"_s.arg(estudio()));
        // Every entry in order (opening may have added its own at the end).
        const QStringList entradas = esperado.mid(1, esperado.size() - 3);
        QCOMPARE(mostrado.mid(1, entradas.size()), entradas);
        auto *comprobacion = hijo<QLabel>(v, u"comprobacionRegistro"_s);
        QVERIFY2(comprobacion->text().startsWith(u"Comprobación: la cadena de "_s), qPrintable(comprobacion->text()));
        QVERIFY(comprobacion->text().contains(u"está íntegra y el estudio es el que anota su último guardado (línea 3)"_s));
        QCOMPARE(nombreAccesible(v), u"Registro de cambios del estudio"_s);
        QCOMPARE(nombreAccesible(hijo<QPlainTextEdit>(v, u"textoRegistro"_s)), u"Registro de cambios"_s);
        QCOMPARE(nombreAccesible(comprobacion), u"Comprobación del registro"_s);

        // Chosen again, the same window comes up to date: the study was
        // replaced behind the program's back.
        escribe(estudio(), v1);
        accion(u"RegistroCambios"_s)->trigger();
        QCOMPARE(ventanaRegistro(), v);
        int registros = 0;
        for (QMdiSubWindow *hija : ventana->marco()->subWindowList())
            registros += qobject_cast<VentanaRegistro *>(hija->widget()) != nullptr;
        QCOMPARE(registros, 1);
        QVERIFY2(comprobacion->text().contains(u"fue modificado fuera del programa: no es el que anota su último "
                                               "guardado (línea 3 del registro de cambios)."_s),
                 qPrintable(comprobacion->text()));
    }

    // A study never saved has no register to show.
    void estudioNuevoSinRegistro()
    {
        accion(u"FileNewItem"_s)->trigger();
        accion(u"RegistroCambios"_s)->trigger();
        QCOMPARE(dialogos.mensajes, QStringList{u"Este estudio todavía no se ha guardado: su registro de cambios "
                                                "empieza con su primer guardado."_s});
        QVERIFY(!ventanaRegistro());
    }

    // Printed (to a PDF printer) and written as a PDF: the fingerprint
    // sha256sum gives, the trail and the page count on paper, and each
    // output recorded at the end of a chain that stays whole.
    void imprimeYGuardaPdf()
    {
        ventana->abreArchivo(estudio());
        accion(u"RegistroCambios"_s)->trigger();
        VentanaRegistro *v = ventanaRegistro();
        QVERIFY(v);
        const QString huella = u"Huella del estudio (SHA-256): "_s + sha256sum(estudio());

        dialogos.aceptaImpresion = true;
        dialogos.pdf = dir->filePath(u"impreso.pdf"_s);
        hijo<QPushButton>(v, u"btnimprimirregistro"_s)->click();
        QCOMPARE(dialogos.mensajes, QStringList());
        QCOMPARE(dialogos.dialogosImpresion, 1);
        const QString impreso = salidaDe(u"pdftotext"_s, {u"-layout"_s, dialogos.pdf, u"-"_s});
        QVERIFY2(impreso.contains(huella), qPrintable(impreso));
        QVERIFY(impreso.contains(u"Firma: Revisado por Luis Ríos (lrios), 2026-03-06 08:30:00 UTC"_s));
        QVERIFY(impreso.contains(u"Motivo del cambio del guardado anterior"_s));
        QVERIFY(impreso.contains(u"Página 1 de "_s));
        const QJsonObject impresion = QJsonDocument::fromJson(ultimaLinea(contenido(registro()))).object();
        QCOMPARE(impresion.value(u"tipo"_s).toString(), u"impreso"_s);
        QCOMPARE(impresion.value(u"destino"_s).toString(), dialogos.pdf);
        QCOMPARE(impresion.value(u"sha256"_s).toString(), sha256sum(estudio()));
        QVERIFY(lineasMostradas().join(u'\n').contains(u"Imprimió «Registro de cambios» en «%1»"_s.arg(dialogos.pdf)));

        // A cancelled dialog writes and records nothing.
        const QByteArray antes = contenido(registro());
        hijo<QPushButton>(v, u"btnpdfregistro"_s)->click();
        QCOMPARE(dialogos.nombresPdf, QStringList{dir->filePath(u"estudio-registro.pdf"_s)});
        QCOMPARE(contenido(registro()), antes);

        dialogos.pdfGuardar = dir->filePath(u"registro.pdf"_s);
        hijo<QPushButton>(v, u"btnpdfregistro"_s)->click();
        QCOMPARE(dialogos.mensajes, QStringList());
        const QString pdf = salidaDe(u"pdftotext"_s, {u"-layout"_s, dialogos.pdfGuardar, u"-"_s});
        QVERIFY2(pdf.contains(huella), qPrintable(pdf));
        // The print is part of the trail the PDF holds.
        QVERIFY(pdf.contains(u"Imprimió «Registro de cambios»"_s));
        const int paginas = int(pdf.count(u'\f'));
        QVERIFY(paginas >= 1);
        QVERIFY(pdf.contains(u"Página %1 de %1"_s.arg(paginas)));
        const QString verificado =
            salidaDe(u"python3"_s, {casos + u"verifica_registro.py"_s, registro(), estudio()}).trimmed();
        QVERIFY2(verificado.startsWith(u"intacto "_s)
                     && verificado.endsWith(u" impreso exportado"_s),
                 qPrintable(verificado));
        const QJsonObject exportado = QJsonDocument::fromJson(ultimaLinea(contenido(registro()))).object();
        QCOMPARE(exportado.value(u"destino"_s).toString(), dialogos.pdfGuardar);
        QCOMPARE(exportado.value(u"documento"_s).toString(), u"Registro de cambios, PDF"_s);
    }

    // Signing a study with unsaved changes, or one never saved, is refused
    // before any question, with nothing written.
    void firmaRechazadaSinGuardar()
    {
        ventana->abreArchivo(estudio());
        QTest::keyClicks(hijo<QLineEdit>(ventana->documento(), u"etole"_s), u" x"_s);
        QCOMPARE(ventana->estado(), u"Modificado"_s);
        dialogos.datosFirma = DatosFirma{u"Ana Núñez"_s, Significado::aprobado};
        dialogos.respuesta = Dialogos::Respuesta::si;
        accion(u"FirmarEstudio"_s)->trigger();
        QCOMPARE(dialogos.mensajes, QStringList{u"No se puede firmar un estudio con cambios sin guardar: guárdelo "
                                                "antes de firmar."_s});
        QCOMPARE(dialogos.firmasPedidas, QStringList());
        QCOMPARE(contenido(registro()), cadena);
        QCOMPARE(contenido(estudio()), v2);

        dialogos.respuesta = Dialogos::Respuesta::no;  // to the close question: not saved
        ventana->marco()->closeAllSubWindows();
        QTRY_VERIFY(!ventana->documento());
        dialogos.mensajes.clear();
        accion(u"FileNewItem"_s)->trigger();
        accion(u"FirmarEstudio"_s)->trigger();
        QCOMPARE(dialogos.mensajes, QStringList{u"No se puede firmar un estudio que nunca se ha guardado: guárdelo "
                                                "antes de firmar."_s});
        QCOMPARE(dialogos.firmasPedidas, QStringList());
    }

    // The file was saved again from elsewhere after the window read it: the
    // window no longer shows what would be signed.
    void firmaRechazadaArchivoCambiado()
    {
        ventana->abreArchivo(estudio());
        escribe(estudio(), v1);
        dialogos.datosFirma = DatosFirma{u"Ana Núñez"_s, Significado::aprobado};
        dialogos.respuesta = Dialogos::Respuesta::si;
        accion(u"FirmarEstudio"_s)->trigger();
        QCOMPARE(dialogos.mensajes, QStringList{u"No se puede firmar el estudio: su archivo «%1» cambió después de "
                                                "abrirlo en esta ventana. Ábralo de nuevo para ver lo que firmaría."_s
                                                    .arg(estudio())});
        QCOMPARE(contenido(registro()), cadena);
    }

    // A saved study: the dialog starts at the account's full name, a "No"
    // to the confirmation signs nothing, a "Yes" adds one signature of the
    // study's bytes, which stay as they were, and the open register window
    // shows it.
    void firmaUnEstudioGuardado()
    {
        ventana->abreArchivo(estudio());
        accion(u"RegistroCambios"_s)->trigger();
        const QString huella = sha256sum(estudio());
        dialogos.datosFirma = DatosFirma{u"  Luis Ríos "_s, Significado::revisado};
        dialogos.respuesta = Dialogos::Respuesta::no;
        accion(u"FirmarEstudio"_s)->trigger();
        QCOMPARE(dialogos.firmasPedidas, QStringList{estudio() + u'|' + nombreDelSistema()});
        QCOMPARE(dialogos.preguntas, QStringList{u"Firmar el estudio|¿Firmar el estudio «%1» como «Revisado por Luis "
                                                 "Ríos»? La firma no se puede quitar de su registro de cambios."_s
                                                     .arg(estudio())});
        QCOMPARE(contenido(registro()), cadena);

        dialogos.respuesta = Dialogos::Respuesta::si;
        accion(u"FirmarEstudio"_s)->trigger();
        QCOMPARE(dialogos.mensajes, QStringList{u"Firma anotada en el registro de cambios «%1»: Revisado por Luis Ríos."_s
                                                    .arg(registro())});
        QCOMPARE(contenido(estudio()), v2);
        const QByteArray escrito = contenido(registro());
        QVERIFY(escrito.startsWith(cadena));
        const QString verificado =
            salidaDe(u"python3"_s, {casos + u"verifica_registro.py"_s, registro(), estudio()}).trimmed();
        QVERIFY2(verificado.startsWith(u"intacto "_s) && verificado.endsWith(u" firmado"_s), qPrintable(verificado));
        const QJsonObject firma = QJsonDocument::fromJson(ultimaLinea(escrito)).object();
        QCOMPARE(firma.value(u"firmante"_s).toString(), u"Luis Ríos"_s);
        QCOMPARE(firma.value(u"significado"_s).toString(), u"revisado"_s);
        QCOMPARE(firma.value(u"sha256"_s).toString(), huella);
        QCOMPARE(firma.value(u"cuenta"_s).toString(), salidaDe(u"id"_s, {u"-un"_s}).trimmed());
        QVERIFY(lineasMostradas().join(u'\n').contains(
            u"  Qué: Firmó: Revisado por Luis Ríos (SHA-256 %1).\n    Firma válida."_s.arg(huella)));
    }

    // On paper nothing of the trail is lost or runs off the page: every
    // piece fits the width, the words come back in order, and each page has
    // the margin at its top and its number at its foot, clear of the text.
    void paginasDelRegistro()
    {
        // 10 points at 300 dpi: 50 pixels a character on this canvas, so 20 to a line.
        LienzoGrabador lienzo(300, 1000, 1200);
        const QStringList margen{u"Huella del estudio (SHA-256): 0123"_s, u"Firma: Revisado por Luis"_s};
        QStringList lineas{u"Registro de cambios de «/una/carpeta/muy/larga/estudio.w1e»"_s, QString()};
        for (int i = 1; i <= 12; ++i)
            lineas << u"Línea %1 · una entrada"_s.arg(i) << u"  Qué: Guardó el estudio (SHA-256 %1)"_s.arg(QString(64, u'a'));
        DibujaRegistro(lienzo, lineas, margen);
        QCOMPARE(lienzo.trabajos.size(), 1);
        const LienzoGrabador::Trabajo &trabajo = lienzo.trabajos.first();
        QVERIFY(trabajo.terminado);
        QCOMPARE(lienzo.fueraDeTrabajo, 0);
        QVERIFY(trabajo.paginas > 1);

        QStringList cuerpo;
        for (int p = 0; p < trabajo.paginas; ++p) {
            QList<LienzoGrabador::Texto> textos;
            for (const auto &t : trabajo.textos)
                if (t.pagina == p)
                    textos << t;
            std::stable_sort(textos.begin(), textos.end(), [](const auto &a, const auto &b) { return a.y < b.y; });
            // The margin, in its smaller font, comes first, from the top.
            qsizetype enMargen = 0;
            while (enMargen < textos.size() && textos[enMargen].puntos < 10)
                ++enMargen;
            QVERIFY(enMargen >= 2 && textos.size() > enMargen + 1);
            QCOMPARE(textos[0].y, 0);
            QString margenPagina;
            for (qsizetype i = 0; i < enMargen; ++i)
                margenPagina += textos[i].texto;
            QCOMPARE(margenPagina.remove(u' '), margen.join(QString()).remove(u' '));
            QCOMPARE(textos.last().texto, u"Página %1 de %2"_s.arg(p + 1).arg(trabajo.paginas));
            const int pie = textos.last().y;
            QVERIFY(pie + textos.last().puntos * 300 / 72 <= 1200);
            for (qsizetype i = 0; i < textos.size(); ++i) {
                QVERIFY2(textos[i].x >= 0 && textos[i].x + textos[i].texto.size() * textos[i].puntos * 5 <= 1000,
                         qPrintable(textos[i].texto));
                if (i > 0)
                    QVERIFY(textos[i].y > textos[i - 1].y);
                if (i >= enMargen && i < textos.size() - 1) {
                    QVERIFY(textos[i].y > textos[enMargen - 1].y + textos[enMargen - 1].puntos * 300 / 72);
                    QVERIFY(textos[i].y + textos[i].puntos * 300 / 72 < pie);
                    cuerpo << textos[i].texto;
                }
            }
        }
        // The pieces put together again, without the blanks the breaking
        // added, are the lines as given.
        const auto sinBlancos = [](QString texto) { return texto.remove(u' '); };
        QCOMPARE(sinBlancos(cuerpo.join(QString())), sinBlancos(lineas.join(QString())));
        // A continuation keeps the indent of its line and two blanks more.
        QVERIFY(cuerpo.contains(u"    aaaaaaaaaaaaaaaa"_s));
    }

    // The real dialog: its fields are reached by their labels, "Firmar"
    // waits for a name, and it answers what was chosen.
    void dialogoDeFirma()
    {
        DialogoFirma dialogo(estudio(), u"Ana Núñez"_s);
        dialogo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialogo));
        auto *nombre = hijo<QLineEdit>(&dialogo, u"nombreFirmante"_s);
        auto *significado = hijo<QComboBox>(&dialogo, u"significadoFirma"_s);
        auto *firmar = hijo<QPushButton>(&dialogo, u"btnfirmar"_s);
        QCOMPARE(nombre->text(), u"Ana Núñez"_s);
        QStringList opciones;
        for (int i = 0; i < significado->count(); ++i)
            opciones << significado->itemText(i);
        QCOMPARE(opciones, (QStringList{u"Realizado por"_s, u"Revisado por"_s, u"Aprobado por"_s}));
        QStringList etiquetas;
        for (QLabel *etiqueta : dialogo.findChildren<QLabel *>())
            if (etiqueta->buddy())
                etiquetas << etiqueta->text() + u'→' + etiqueta->buddy()->objectName();
        etiquetas.sort();
        QCOMPARE(etiquetas, (QStringList{u"&Nombre completo:→nombreFirmante"_s, u"&Significado:→significadoFirma"_s}));
        QVERIFY(firmar->isEnabled());
        nombre->setFocus();
        nombre->selectAll();
        QTest::keyClick(nombre, Qt::Key_Backspace);
        QTest::keyClicks(nombre, u"   "_s);
        QVERIFY(!firmar->isEnabled());
        QTest::keyClicks(nombre, u"Luis"_s);
        QVERIFY(firmar->isEnabled());
        significado->setCurrentIndex(2);
        firmar->click();
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        QCOMPARE(dialogo.datos().nombre, u"   Luis"_s);
        QVERIFY(dialogo.datos().significado == Significado::aprobado);
    }
};

QTEST_MAIN(TstVentanaRegistro)
#include "tst_ventana_registro.moc"
