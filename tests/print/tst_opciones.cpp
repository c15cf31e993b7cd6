// The print options windows driven as the user drives them: the print run
// through the real buttons, with the print dialog answered by the test and
// the jobs drawn on a recording canvas.
#include "Ayudas.h"
#include "DialogosFalsos.h"
#include "LienzoGrabador.h"

#include "gui/OpcionesImpresion.h"
#include "gui/VentanaTipoImpresora.h"
#include "gui/LienzoImpresora.h"

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
#include <QTest>
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
        principal->abreArchivo(ejemploTrabajado);
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

    // Three copies of the results: three jobs, each in portrait at 600 dpi with
    // a printer copy count of 1, each on a calculation of the study as it stands.
    void copiasDeResultados()
    {
        dialogos.copias = 3;
        principal->imprimeLaser();
        elige(laser(), "opcion1");
        // Between jobs the first value of FAM 1 goes up by 10, so its mean by 2.5.
        int trabajo = 0;
        lienzo.alTerminar = [&] {
            ++trabajo;
            rejilla()->item(0, 0)->setText(QString::number(99.2 + 10 * trabajo));
        };
        pulsa(laser());
        QVERIFY2(dialogos.mensajes.isEmpty(), qPrintable(dialogos.mensajes.join(u'\n')));
        QCOMPARE(dialogos.dialogosImpresion, 1);
        QCOMPARE(ajustes, QStringList(3, "vertical 1 600 dpi"));
        QCOMPARE(lienzo.trabajos.size(), 3);
        const QStringList medias{"99.9", "102.4", "104.9"};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(lienzo.trabajos[i].terminado && lienzo.trabajos[i].veces(QStringLiteral("Resultados")));
            // FAM 1's mean at (90 C, 25 L).
            QCOMPARE(lienzo.trabajos[i].textoEn(90 * 12, 2500), medias[i]);
        }
        // The window stays, with its choice; "Aceptar" prints again.
        QVERIFY(laser()->isVisible());
        lienzo.alTerminar = {};
        dialogos.copias = 1;
        pulsa(laser());
        QCOMPARE(lienzo.trabajos.size(), 4);
        QVERIFY(lienzo.trabajos[3].veces(QStringLiteral("Resultados")));
    }

    void dialogo_data()
    {
        QTest::addColumn<bool>("acepta");
        QTest::addColumn<QString>("celda");
        QTest::addColumn<int>("trabajos");
        QTest::addColumn<QStringList>("mensajes");
        QTest::newRow("aceptado") << true << "98.50" << 2 << QStringList();
        QTest::newRow("cancelado") << false << "98.50" << 0 << QStringList();
        // The first calculation fails: its error is shown, no copy is tried.
        QTest::newRow("celda vacía") << true << "" << 0 << QStringList{"'' is not a valid floating point value"};
    }

    // Two copies of the information page, whose cell reads as typed; a
    // cancelled print dialog prints nothing.
    void dialogo()
    {
        QFETCH(bool, acepta);
        QFETCH(QString, celda);
        QFETCH(int, trabajos);
        QFETCH(QStringList, mensajes);
        dialogos.aceptaImpresion = acepta;
        dialogos.copias = 2;
        rejilla()->item(0, 0)->setText(celda);
        principal->imprimeLaser();
        elige(laser(), celda.isEmpty() ? "opcion1" : "opcion0");
        pulsa(laser());
        QCOMPARE(dialogos.dialogosImpresion, 1);
        QCOMPARE(dialogos.mensajes, mensajes);
        QCOMPARE(lienzo.trabajos.size(), trabajos);
        for (const auto &trabajo : lienzo.trabajos)
            QCOMPARE(trabajo.textoEn((45 + 46) * 12, 2800), celda);
        QVERIFY(laser()->isVisible());
        // "Cancelar" only hides the window.
        pulsa(laser(), "BitBtn2");
        QVERIFY(laser()->isHidden());
        QCOMPARE(lienzo.trabajos.size(), trabajos);
    }

    void conteosRechazados_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("seis FAM") << "econdicion" << "6" << "Datos fuera de límite, 2-5 FAM.";
        QTest::newRow("FAM no entero") << "econdicion" << "3.0" << "'3.0' is not a valid integer value";
    }

    // Counts out of range or not integers: refused before the print dialog,
    // with the capture message; nothing calculated or printed.
    void conteosRechazados()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        hijo<QLineEdit>(principal->documento(), nombre)->setText(texto);
        for (auto *ventana : std::initializer_list<OpcionesImpresion *>{laser(), tinta()}) {
            dialogos.mensajes.clear();
            ventana->show();
            elige(ventana, "opcion1");
            pulsa(ventana);
            QCOMPARE(dialogos.mensajes, QStringList{mensaje});
        }
        QCOMPARE(dialogos.dialogosImpresion, 0);
        QVERIFY(lienzo.trabajos.isEmpty());
    }

    // The study goes while the print dialog is open: nothing is printed, the
    // window goes, and if it is reached again it refuses to print or preview.
    void sinEstudio()
    {
        dialogos.duranteDialogo = [this] { principal->marco()->closeAllSubWindows(); };
        principal->imprimeLaser();
        elige(laser(), "opcion1");
        pulsa(laser());
        QVERIFY(dialogos.mensajes.isEmpty());
        QVERIFY(!principal->documento());
        QVERIFY(laser()->isHidden());
        for (auto *ventana : std::initializer_list<OpcionesImpresion *>{laser(), tinta()}) {
            dialogos.mensajes.clear();
            ventana->show();
            pulsa(ventana);
            pulsa(ventana, "botonvista");
            QCOMPARE(dialogos.mensajes, QStringList(2, "No hay ningún estudio abierto para imprimir."));
            QVERIFY(ventana->isHidden());
        }
        QCOMPARE(dialogos.dialogosImpresion + dialogos.vistas, 1);
        QVERIFY(lienzo.trabajos.isEmpty());
    }

    void tipoDeImpresora_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<bool>("deskjet");
        QTest::newRow("DeskJet") << "SELECPRT0" << true;
        QTest::newRow("Laser Jet") << "SELECPRT1" << false;
    }

    // The printer kind window opens the options window of its choice and
    // closes; the margin choice changes nothing on paper. The ink-jet window
    // previews its results page (portrait, the study's figures, no print
    // dialog), the laser one prints its information page.
    void tipoDeImpresora()
    {
        QFETCH(QString, radio);
        QFETCH(bool, deskjet);
        QTimer::singleShot(0, this, [&] {
            elige(tipo(), "SELECMAR0");
            elige(tipo(), radio);
            pulsa(tipo());
        });
        principal->eligeImpresora();
        QVERIFY(tipo()->isHidden());
        QCOMPARE(tinta()->isVisible(), deskjet);
        QCOMPARE(laser()->isVisible(), !deskjet);
        if (deskjet) {
            elige(tinta(), "opcion1");
            pulsa(tinta(), "botonvista");
        } else {
            pulsa(laser());
        }
        QCOMPARE(dialogos.vistas, deskjet ? 1 : 0);
        QCOMPARE(dialogos.dialogosImpresion, deskjet ? 0 : 1);
        // Each layout at the resolution it was drawn for.
        QCOMPARE(ajustes, QStringList{deskjet ? "vertical 1 300 dpi" : "vertical 1 600 dpi"});
        QCOMPARE(lienzo.trabajos.size(), 1);
        const auto &trabajo = lienzo.trabajos[0];
        // No margin: the body starts at its column and the rules at the edge.
        if (deskjet)
            QCOMPARE(trabajo.textoEn(27 * 12, 2500), QStringLiteral("99.9"));
        else
            QCOMPARE(trabajo.textoEn(45 * 12, 1600).left(9), QStringLiteral("Factores "));
        QVERIFY(trabajo.veces(deskjet ? QStringLiteral("QUORIX v. w 3.0") : QStringLiteral("Información General")));
        QCOMPARE(trabajo.lineas.first().x1, 0);
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
        principal->imprimeLaser();
        elige(laser(), "opcion1");
        pulsa(laser());
        instalaGrabador();
        QCOMPARE(dialogos.mensajes, mensajes);
        QTEST(impresora.trabajos(), "trabajos");
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
