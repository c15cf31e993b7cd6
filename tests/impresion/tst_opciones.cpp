// The print options windows driven as the user drives them: the print run
// through the real buttons, with the print dialog answered by the test and
// the jobs drawn on a recording canvas.
#include "Ayudas.h"
#include "DialogosFalsos.h"
#include "LienzoGrabador.h"

#include "gui/OpcionesImpresion.h"
#include "gui/VentanaTipoImpresora.h"
#include "impresion/LienzoImpresora.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QPaintEngine>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace {

// The canvas of one print run: notes the printer's settings as each job
// begins and hands its jobs to the test's canvas when the run is over.
struct LienzoPrestado : LienzoGrabador
{
    LienzoPrestado(LienzoGrabador &d, QPrinter &i, QStringList &a)
        : LienzoGrabador(600, 4800), destino(d), impresora(i), ajustes(a)
    {
        alTerminar = destino.alTerminar;
    }
    ~LienzoPrestado() override
    {
        destino.trabajos += trabajos;
        destino.fueraDeTrabajo += fueraDeTrabajo;
    }
    void iniciaTrabajo() override
    {
        const bool vertical = impresora.pageLayout().orientation() == QPageLayout::Portrait;
        ajustes << QStringLiteral("%1 %2 %3 dpi")
                       .arg(vertical ? "vertical" : "horizontal")
                       .arg(impresora.copyCount())
                       .arg(impresora.resolution());
        LienzoGrabador::iniciaTrabajo();
    }

    LienzoGrabador &destino;
    QPrinter &impresora;
    QStringList &ajustes;
};

// A printer whose engine ends each job in a given state (a queue that
// rejects jobs ends in Error) or cannot begin one.
class ImpresoraFalsa : public QPrinter
{
    struct Motor : QPaintEngine, QPrintEngine
    {
        bool comienza = true;
        QPrinter::PrinterState final = QPrinter::Idle;
        QPrinter::PrinterState estado = QPrinter::Idle;
        QString nombre;
        int trabajos = 0;

        bool begin(QPaintDevice *) override { ++trabajos; estado = QPrinter::Active; return comienza; }
        bool end() override { estado = final; return true; }
        void updateState(const QPaintEngineState &) override {}
        // Nothing is drawn; the defaults of the base would call each other.
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPath(const QPainterPath &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawPolygon(const QPoint *, int, PolygonDrawMode) override {}
        void drawLines(const QLineF *, int) override {}
        void drawLines(const QLine *, int) override {}
        void drawTextItem(const QPointF &, const QTextItem &) override {}
        Type type() const override { return QPaintEngine::User; }
        void setProperty(PrintEnginePropertyKey clave, const QVariant &valor) override
        {
            if (clave == PPK_PrinterName)
                nombre = valor.toString();
        }
        QVariant property(PrintEnginePropertyKey clave) const override
        {
            return clave == PPK_PrinterName ? QVariant(nombre) : QVariant();
        }
        bool newPage() override { return true; }
        bool abort() override { estado = QPrinter::Aborted; return true; }
        int metric(QPaintDevice::PaintDeviceMetric m) const override
        {
            switch (m) {
            case QPaintDevice::PdmWidth: return 4800;
            case QPaintDevice::PdmHeight: return 6600;
            case QPaintDevice::PdmDpiX: case QPaintDevice::PdmDpiY:
            case QPaintDevice::PdmPhysicalDpiX: case QPaintDevice::PdmPhysicalDpiY: return 600;
            case QPaintDevice::PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
            case QPaintDevice::PdmDepth: return 32;
            default: return 1;
            }
        }
        QPrinter::PrinterState printerState() const override { return estado; }
    } motor;

public:
    ImpresoraFalsa(bool comienza, QPrinter::PrinterState final)
    {
        // Not a CUPS queue: the job's fate is the engine's state alone.
        setOutputFormat(QPrinter::PdfFormat);
        setEngines(&motor, &motor);
        motor.comienza = comienza;
        motor.final = final;
        motor.nombre = QStringLiteral("falsa");
    }
    int trabajos() const { return motor.trabajos; }
};

} // namespace

class TstOpciones : public QObject
{
    Q_OBJECT

    DialogosFalsos dialogos;
    VentanaPrincipal *principal = nullptr;
    LienzoGrabador lienzo{600, 4800};
    QStringList ajustes;

    void elige(QWidget *ventana, const QString &radio)
    {
        // On the button's circle: the rest of its row is not its own.
        auto *boton = hijo<QRadioButton>(ventana, radio);
        QTest::mouseClick(boton, Qt::LeftButton, {}, QPoint(8, boton->height() / 2));
    }
    void pulsa(QWidget *ventana, const QString &boton = QStringLiteral("BitBtn1"))
    {
        QTest::mouseClick(hijo<QPushButton>(ventana, boton), Qt::LeftButton);
    }
    void imprimeLaser(const QString &radio)
    {
        principal->imprimeLaser();
        elige(laser(), radio);
        pulsa(laser());
    }
    QTableWidget *rejilla() { return hijo<QTableWidget>(principal->documento(), "stgdatos"); }
    OpcionesImpresion *laser() { return principal->opcionesLaser(); }
    OpcionesImpresion *tinta() { return principal->opcionesTinta(); }
    VentanaTipoImpresora *tipo() { return principal->tipoImpresora(); }
    void instalaGrabador()
    {
        InstalaFabricaLienzo([this](QPrinter &impresora) -> std::unique_ptr<Lienzo> {
            return std::make_unique<LienzoPrestado>(lienzo, impresora, ajustes);
        });
    }

private slots:
    void initTestCase()
    {
        Dialogos::instala(&dialogos);
        instalaGrabador();
    }

    void init()
    {
        dialogos = DialogosFalsos();
        dialogos.aceptaImpresion = true;
        lienzo = LienzoGrabador(600, 4800);
        ajustes.clear();
        principal = new VentanaPrincipal;
        principal->show();
        principal->creaVentanasImpresion();
        principal->abreArchivo(archivoEjemploTrabajado);
        QVERIFY(principal->documento());
    }

    void cleanup()
    {
        // The options windows go with the main window.
        const QPointer<QWidget> ventanas[] = {laser(), tinta(), tipo()};
        delete principal;
        for (const QPointer<QWidget> &ventana : ventanas)
            QVERIFY(!ventana);
    }

    void cleanupTestCase()
    {
        InstalaFabricaLienzo({});
        Dialogos::instala(nullptr);
    }

    void impresion_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<QString>("celda");
        QTest::addColumn<QPoint>("lugar");
        QTest::addColumn<QStringList>("textos");
        QTest::addColumn<QStringList>("mensajes");
        // The results page shows FAM 1's mean at (90 C, 25 L), the information
        // page the cell as typed at (91 C, 28 L).
        QTest::newRow("resultados") << "opcion1" << "Resultados" << true << "99.2" << QPoint(90 * 12, 2500)
                                    << QStringList{"99.9", "102.4", "104.9"} << QStringList();
        QTest::newRow("información") << "opcion0" << "Información General" << true << "98.50" << QPoint(91 * 12, 2800)
                                     << QStringList{"98.50", "109.2", "119.2"} << QStringList();
        QTest::newRow("cancelado") << "opcion0" << "" << false << "98.50" << QPoint() << QStringList() << QStringList();
        // The first calculation fails: its error is shown, no copy is tried.
        QTest::newRow("celda vacía") << "opcion1" << "" << true << "" << QPoint() << QStringList()
                                     << QStringList{"'' is not a valid floating point value"};
    }

    // Three copies: three jobs, each in portrait at 600 dpi with a printer copy
    // count of 1, each on the study as it stands; a cancelled print dialog
    // prints nothing.
    void impresion()
    {
        QFETCH(QString, titulo);
        QFETCH(QString, celda);
        QFETCH(QPoint, lugar);
        QFETCH(QStringList, textos);
        QFETCH(bool, acepta);
        dialogos.aceptaImpresion = acepta;
        dialogos.copias = 3;
        rejilla()->item(0, 0)->setText(celda);
        // Between jobs the first value of FAM 1 goes up by 10, so its mean by 2.5.
        int trabajo = 0;
        lienzo.alTerminar = [&] { rejilla()->item(0, 0)->setText(QString::number(99.2 + 10 * ++trabajo)); };
        QFETCH(QString, radio);
        imprimeLaser(radio);
        QCOMPARE(dialogos.dialogosImpresion, 1);
        QTEST(dialogos.mensajes, "mensajes");
        QCOMPARE(ajustes, QStringList(textos.size(), "vertical 1 600 dpi"));
        QCOMPARE(lienzo.trabajos.size(), textos.size());
        for (int i = 0; i < textos.size(); ++i) {
            QVERIFY(lienzo.trabajos[i].terminado);
            QCOMPARE(lienzo.trabajos[i].textoEn(lugar.x(), lugar.y()), textos[i]);
        }
        // The window stays, with its choice: "Aceptar" prints the same page again.
        QVERIFY(laser()->isVisible());
        pulsa(laser());
        QCOMPARE(lienzo.trabajos.size(), 2 * textos.size());
        for (const auto &trabajo : lienzo.trabajos)
            QVERIFY(trabajo.volcado().join(u'\n').contains(u'«' + titulo + u'»'));
        // "Cancelar" only hides the window.
        pulsa(laser(), "BitBtn2");
        QVERIFY(laser()->isHidden());
        QCOMPARE(lienzo.trabajos.size(), 2 * textos.size());
    }

    void rechazos_data()
    {
        QTest::addColumn<bool>("sinEstudio");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("seis FAM") << false << "Datos fuera de límite, 2-5 FAM.";
        QTest::newRow("sin estudio") << true << "No hay ningún estudio abierto para imprimir.";
    }

    // Counts out of range, or no study: both windows refuse to print or
    // preview before any dialog, with their message; nothing is calculated or
    // printed. A window without a study goes.
    void rechazos()
    {
        QFETCH(bool, sinEstudio);
        QFETCH(QString, mensaje);
        if (sinEstudio) {
            // The study goes while the print dialog is open: nothing is printed.
            dialogos.duranteDialogo = [this] { principal->marco()->closeAllSubWindows(); };
            imprimeLaser("opcion1");
            QVERIFY(dialogos.mensajes.isEmpty());
            QVERIFY(!principal->documento());
            QVERIFY(laser()->isHidden());
            dialogos.dialogosImpresion = 0;
        } else {
            hijo<QLineEdit>(principal->documento(), "econdicion")->setText("6");
        }
        for (auto *ventana : std::initializer_list<OpcionesImpresion *>{laser(), tinta()}) {
            dialogos.mensajes.clear();
            ventana->show();
            elige(ventana, "opcion1");
            pulsa(ventana);
            pulsa(ventana, "botonvista");
            QCOMPARE(dialogos.mensajes, QStringList(2, mensaje));
            QCOMPARE(ventana->isHidden(), sinEstudio);
        }
        QCOMPARE(dialogos.dialogosImpresion + dialogos.vistas, 0);
        QVERIFY(lienzo.trabajos.isEmpty());
    }

    void tipoDeImpresora_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<bool>("deskjet");
        QTest::addColumn<int>("columna");  // of FAM 1's mean on the results page
        QTest::addColumn<QStringList>("ajustes");
        QTest::newRow("DeskJet") << "SELECPRT0" << true << 27 << QStringList{"vertical 1 300 dpi"};
        QTest::newRow("Laser Jet") << "SELECPRT1" << false << 90 << QStringList{"vertical 1 600 dpi"};
    }

    // The printer kind window opens the options window of its choice and
    // closes; the margin choice changes nothing on paper. Its preview draws
    // the results page with the study's figures, in portrait at the
    // resolution its layout was drawn for, without a print dialog.
    void tipoDeImpresora()
    {
        QFETCH(QString, radio);
        QFETCH(bool, deskjet);
        QFETCH(int, columna);
        QTimer::singleShot(0, this, [&] {
            elige(tipo(), "SELECMAR0");
            elige(tipo(), radio);
            pulsa(tipo());
        });
        principal->eligeImpresora();
        QVERIFY(tipo()->isHidden());
        QCOMPARE(tinta()->isVisible(), deskjet);
        QCOMPARE(laser()->isVisible(), !deskjet);
        OpcionesImpresion *ventana = deskjet ? tinta() : laser();
        elige(ventana, "opcion1");
        pulsa(ventana, "botonvista");
        QCOMPARE(dialogos.vistas, 1);
        QCOMPARE(dialogos.dialogosImpresion, 0);
        QTEST(ajustes, "ajustes");
        QCOMPARE(lienzo.trabajos.size(), 1);
        // No margin: the body starts at its column and the rules at the edge.
        QCOMPARE(lienzo.trabajos[0].textoEn(columna * 12, 2500), QStringLiteral("99.9"));
        QCOMPARE(lienzo.trabajos[0].lineas.first().x1, 0);
    }

    // A study saved by the program: each page printed carries in its top
    // margin the fingerprint sha256sum gives of its file, and its register
    // records the page and where it went; with unsaved changes the margin
    // says so and the entry holds no fingerprint. The plot's print and file
    // alike. A study only read (the example init() opened) gets no register.
    void registroDeLasSalidas()
    {
        imprimeLaser("opcion0");
        QCOMPARE(lienzo.trabajos.size(), 1);
        QVERIFY(!QFile::exists(archivoEjemploTrabajado + ".registro"));

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ruta = dir.filePath("estudio.w1e");
        QVERIFY(QFile::copy(archivoEjemploTrabajado, ruta));
        QVERIFY(QFile::setPermissions(ruta, QFile::ReadOwner | QFile::WriteOwner));
        principal->marco()->closeAllSubWindows();
        principal->abreArchivo(ruta);
        QVERIFY(principal->documento()->guarda());
        const QString sha256 = salidaDe("sha256sum", {ruta}).section(u' ', 0, 0);
        QCOMPARE(sha256.size(), 64);
        const QString version = QStringLiteral(" · Tolerancia del Método " TOLERANCIA_VERSION);
        const auto ultima = [&] {
            QFile registro(ruta + ".registro");
            if (!registro.open(QIODevice::ReadOnly))
                return QStringList();
            const QJsonObject e = QJsonDocument::fromJson(registro.readAll().trimmed().split('\n').constLast()).object();
            return QStringList{e["tipo"].toString(), e["documento"].toString(), e["destino"].toString(),
                               e["sha256"].isNull() ? "null" : e["sha256"].toString()};
        };
        const auto margen = [&](const QString &linea) {
            return lienzo.trabajos.constLast().volcado().join(u'\n').contains(u'«' + linea + u'»');
        };

        dialogos.pdf.clear();
        imprimeLaser("opcion1");
        QCOMPARE(lienzo.trabajos.size(), 2);
        QVERIFY(margen("Huella del estudio (SHA-256): " + sha256 + version));
        QPrinter predeterminada;
        QCOMPARE(ultima(), (QStringList{"impreso", "Tolerancia, láser", predeterminada.printerName(), sha256}));

        principal->documento()->ponModificado(true);
        dialogos.pdf = dir.filePath("paginas.pdf");
        principal->imprimeTinta();
        elige(tinta(), "opcion0");
        pulsa(tinta());
        QCOMPARE(lienzo.trabajos.size(), 3);
        QVERIFY(margen("Huella del estudio: estudio sin guardar" + version));
        QCOMPARE(ultima(), (QStringList{"exportado", "Información General, inyección de tinta, PDF",
                                        dir.filePath("paginas.pdf"), "null"}));
        principal->documento()->ponModificado(false);

        dialogos.pdf.clear();
        hijo<QAbstractButton>(principal, "spdgrafica")->click();
        QWidget *grafica = principal->findChild<QWidget *>("VentanaGrafica");
        QVERIFY(grafica);
        QTest::mouseClick(hijo<QPushButton>(grafica, "btnimprimirgrafica"), Qt::LeftButton);
        QCOMPARE(lienzo.trabajos.size(), 4);
        QVERIFY(margen("Huella del estudio (SHA-256): " + sha256 + version));
        QCOMPARE(ultima(), (QStringList{"impreso", "Gráfica", predeterminada.printerName(), sha256}));
        dialogos.grafica = dir.filePath("grafica.svg");
        QTest::mouseClick(hijo<QPushButton>(grafica, "btnguardargrafica"), Qt::LeftButton);
        QVERIFY(QFile::exists(dir.filePath("grafica.svg")));
        QCOMPARE(ultima(), (QStringList{"exportado", "Gráfica, SVG", dir.filePath("grafica.svg"), sha256}));
        QVERIFY(dialogos.mensajes.isEmpty());
    }

    // The real preview draws the page and offers no printing of its own, which
    // would bypass the copies and calculations of the print run, nor landscape;
    // zooming stays.
    void vistaPreviaSinImprimir()
    {
        Dialogos::instala(nullptr);
        QStringList visibles;
        QTimer::singleShot(0, this, [&] {
            if (auto *vista = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
                for (QAction *accion : vista->findChildren<QAction *>())
                    if (accion->isVisible())
                        visibles << accion->text();
                vista->reject();
            }
        });
        principal->imprimeTinta();
        pulsa(tinta(), "botonvista");
        Dialogos::instala(&dialogos);
        QVERIFY(!lienzo.trabajos.isEmpty());
        const auto traduce = [](const char *texto) { return QCoreApplication::translate("QPrintPreviewDialog", texto); };
        QVERIFY2(visibles.contains(traduce("Zoom in")), qPrintable(visibles.join(u'|')));
        for (const char *oculta : {"Print", "Page setup", "Portrait", "Landscape"})
            QVERIFY(!visibles.contains(traduce(oculta)));
    }

    void impresoraQueFalla_data()
    {
        QTest::addColumn<bool>("comienza");
        QTest::addColumn<int>("estado");
        QTest::addColumn<QStringList>("mensajes");
        QTest::addColumn<int>("trabajos");
        const QString rechazo = QStringLiteral("La impresora «falsa» no aceptó el trabajo: la página no se imprimió.");
        QTest::newRow("aceptado") << true << int(QPrinter::Idle) << QStringList() << 2;
        QTest::newRow("rechazado") << true << int(QPrinter::Error) << QStringList{rechazo} << 1;
        QTest::newRow("cancelado") << true << int(QPrinter::Aborted) << QStringList{rechazo} << 1;
        QTest::newRow("no comienza") << false << int(QPrinter::Idle)
                                     << QStringList{"No se pudo iniciar la impresión en «falsa»."} << 1;
    }

    // A job the printer did not take is an error shown by the general handler,
    // once for the whole run: no further copy is tried after it.
    void impresoraQueFalla()
    {
        QFETCH(bool, comienza);
        QFETCH(int, estado);
        QFETCH(QStringList, mensajes);
        ImpresoraFalsa impresora(comienza, QPrinter::PrinterState(estado));
        InstalaFabricaLienzo([&](QPrinter &) -> std::unique_ptr<Lienzo> {
            return std::make_unique<LienzoImpresora>(impresora);
        });
        dialogos.copias = 2;
        imprimeLaser("opcion1");
        instalaGrabador();
        QCOMPARE(dialogos.mensajes, mensajes);
        QTEST(impresora.trabajos(), "trabajos");
    }

    // "Imprimir gráfica..." is one job on the same printer canvas as the
    // pages: a printer that did not take it is reported, with the help's text.
    void graficaQueFalla_data() { impresoraQueFalla_data(); }
    void graficaQueFalla()
    {
        QFETCH(bool, comienza);
        QFETCH(int, estado);
        QFETCH(QStringList, mensajes);
        ImpresoraFalsa impresora(comienza, QPrinter::PrinterState(estado));
        InstalaFabricaLienzo([&](QPrinter &) -> std::unique_ptr<Lienzo> {
            return std::make_unique<LienzoImpresora>(impresora);
        });
        hijo<QAbstractButton>(principal, "spdgrafica")->click();
        QWidget *grafica = principal->findChild<QWidget *>("VentanaGrafica");
        QVERIFY(grafica);
        QTest::mouseClick(hijo<QPushButton>(grafica, "btnimprimirgrafica"), Qt::LeftButton);
        instalaGrabador();
        QCOMPARE(dialogos.mensajes.size(), mensajes.size());
        if (!mensajes.isEmpty())
            QCOMPARE(dialogos.mensajes, QStringList{"No se pudo imprimir la gráfica."});
        QCOMPARE(impresora.trabajos(), 1);
    }

    // A refusal belongs to the job refused: the preview that follows, and
    // the next print on a printer that takes it, report nothing.
    void rechazoDeSuTrabajo()
    {
        ImpresoraFalsa rechaza(true, QPrinter::Error);
        ImpresoraFalsa acepta(true, QPrinter::Idle);
        ImpresoraFalsa *actual = &rechaza;
        InstalaFabricaLienzo([&](QPrinter &impresora) -> std::unique_ptr<Lienzo> {
            // The preview draws on the printer it is given.
            if (impresora.paintEngine() && impresora.paintEngine()->type() == QPaintEngine::Picture)
                return std::make_unique<LienzoImpresora>(impresora);
            return std::make_unique<LienzoImpresora>(*actual);
        });
        imprimeLaser("opcion1");
        QCOMPARE(dialogos.mensajes,
                 QStringList{"La impresora «falsa» no aceptó el trabajo: la página no se imprimió."});
        dialogos.mensajes.clear();
        // The real preview, closed as soon as it shows.
        Dialogos::instala(nullptr);
        bool vista = false;
        QTimer::singleShot(0, this, [&] {
            if (auto *dialogo = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
                vista = true;
                dialogo->reject();
            }
        });
        pulsa(laser(), "botonvista");
        Dialogos::instala(&dialogos);
        QVERIFY(vista);
        QCOMPARE(dialogos.mensajes, QStringList());
        actual = &acepta;
        pulsa(laser());
        QCOMPARE(dialogos.mensajes, QStringList());
        QCOMPARE(acepta.trabajos(), 1);
        instalaGrabador();
    }

    // The print run prints one page, all of it: the real print dialog offers no
    // page range, current page or selection, and leaves none chosen before.
    void dialogoSinIntervaloDePaginas()
    {
        Dialogos::instala(nullptr);
        QPrinter impresora;
        impresora.setPrintRange(QPrinter::PageRange);
        impresora.setFromTo(2, 2);
        QAbstractPrintDialog::PrintDialogOptions opciones;
        bool visto = false;
        QTimer::singleShot(0, this, [&] {
            if (auto *dialogo = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                visto = true;
                opciones = dialogo->options();
                dialogo->reject();
            }
        });
        Dialogos::actual().imprime(&impresora, laser());
        Dialogos::instala(&dialogos);
        QVERIFY(visto);
        for (auto opcion : {QAbstractPrintDialog::PrintPageRange, QAbstractPrintDialog::PrintCurrentPage,
                            QAbstractPrintDialog::PrintSelection})
            QVERIFY(!opciones.testFlag(opcion));
        QCOMPARE(impresora.printRange(), QPrinter::AllPages);
    }
};

int PruebaOpciones(int argc, char **argv)
{
    TstOpciones prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "tst_opciones.moc"
