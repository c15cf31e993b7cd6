// The print options windows driven as the user drives them: the print run
// through the real buttons, with the print dialog answered by the test and
// the jobs drawn on a recording canvas.
#include "LienzoGrabador.h"

#include "capture/Fdatos.h"
#include "print/Impresion.h"
#include "print/OpcionesImpresion.h"
#include "print/Uoppr.h"
#include "print/Uoppr1.h"
#include "print/Uoprt.h"
#include "shell/Dialogos.h"
#include "shell/Main.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

const QString ejemplo = QStringLiteral(TOLERANCIA_FUENTES "/ejemplos/ejemplo-trabajado.w1e");

class DialogosFalsos : public Dialogos
{
public:
    QStringList mensajes;
    int dialogosImpresion = 0;
    bool aceptaImpresion = true;
    int copias = 1;
    int vistas = 0;
    std::function<void()> duranteDialogo;

    void mensaje(const QString &texto) override { mensajes << texto; }
    bool pregunta(const QString &, const QString &) override { return false; }
    QString abreArchivo(QWidget *) override { return {}; }
    QString guardaArchivo(QWidget *, const QString &) override { return {}; }
    // The user chooses landscape and a number of copies, then answers.
    bool imprime(QPrinter *impresora, QWidget *) override
    {
        ++dialogosImpresion;
        if (duranteDialogo)
            duranteDialogo();
        impresora->setPageOrientation(QPageLayout::Landscape);
        impresora->setCopyCount(copias);
        return aceptaImpresion;
    }
    void vistaPrevia(QPrinter *impresora, QWidget *,
                     const std::function<void(QPrinter *)> &dibuja) override
    {
        ++vistas;
        dibuja(impresora);
    }
};

// Lends the test's recording canvas to one print run, and notes the
// printer's settings as each job begins.
class LienzoPrestado : public Lienzo
{
public:
    LienzoPrestado(LienzoGrabador &lienzo, QPrinter &impresora, QStringList &ajustes)
        : m_lienzo(lienzo), m_impresora(impresora), m_ajustes(ajustes) {}

    void iniciaTrabajo() override
    {
        m_ajustes << QStringLiteral("%1 %2").arg(
            m_impresora.pageLayout().orientation() == QPageLayout::Portrait ? "vertical" : "horizontal")
                         .arg(m_impresora.copyCount());
        m_lienzo.iniciaTrabajo();
    }
    void terminaTrabajo() override { m_lienzo.terminaTrabajo(); }
    void abortaTrabajo() override { m_lienzo.abortaTrabajo(); }
    void ponFuente(const QString &nombre, int puntos) override { m_lienzo.ponFuente(nombre, puntos); }
    int alturaFuente() const override { return m_lienzo.alturaFuente(); }
    int tamanoFuente() const override { return m_lienzo.tamanoFuente(); }
    int anchoTexto(const QString &texto) const override { return m_lienzo.anchoTexto(texto); }
    void escribe(int x, int y, const QString &texto) override { m_lienzo.escribe(x, y, texto); }
    void mueveA(int x, int y) override { m_lienzo.mueveA(x, y); }
    void lineaA(int x, int y) override { m_lienzo.lineaA(x, y); }
    int anchoPagina() const override { return m_lienzo.anchoPagina(); }
    int dpiVertical() const override { return m_lienzo.dpiVertical(); }

private:
    LienzoGrabador &m_lienzo;
    QPrinter &m_impresora;
    QStringList &m_ajustes;
};

QString textoEn(const LienzoGrabador::Trabajo &trabajo, int x, int y)
{
    for (const auto &t : trabajo.textos)
        if (t.x == x && t.y == y)
            return t.texto;
    return {};
}

bool contiene(const LienzoGrabador::Trabajo &trabajo, const QString &texto)
{
    for (const auto &t : trabajo.textos)
        if (t.texto == texto)
            return true;
    return false;
}

} // namespace

class TstOpciones : public QObject
{
    Q_OBJECT

    DialogosFalsos dialogos;
    LienzoGrabador *lienzo = nullptr;
    QStringList ajustes;

    template<typename T>
    T *hijo(QWidget *ventana, const QString &nombre)
    {
        T *w = ventana->findChild<T *>(nombre);
        if (!w)
            qFatal("no existe %s", qPrintable(nombre));
        return w;
    }
    void elige(QWidget *ventana, const QString &radio)
    {
        // On the button's circle: the rest of its row is not its own.
        auto *boton = hijo<QRadioButton>(ventana, radio);
        QTest::mouseClick(boton, Qt::LeftButton, {}, QPoint(8, boton->height() / 2));
    }
    void acepta(QWidget *ventana) { QTest::mouseClick(hijo<QPushButton>(ventana, "BitBtn1"), Qt::LeftButton); }
    QTableWidget *rejilla() { return hijo<QTableWidget>(Finforma, "stgdatos"); }
    QLineEdit *campo(const QString &nombre) { return hijo<QLineEdit>(Finforma, nombre); }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void copiasDeResultados();
    void copiasDeInformacion();
    void dialogoCancelado();
    void conteosRechazados_data();
    void conteosRechazados();
    void celdaVaciaDetieneLasCopias();
    void sinEstudio();
    void estudioCerradoDuranteElDialogo();
    void cancelarOculta();
    void vistaPrevia();
    void tipoDeImpresora_data();
    void tipoDeImpresora();
    void vistaPreviaSinImprimir();
};

void TstOpciones::initTestCase()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Tolerancia del Método"));
    Dialogos::instala(&dialogos);
    InstalaFabricaLienzo([this](QPrinter &impresora) -> std::unique_ptr<Lienzo> {
        return std::make_unique<LienzoPrestado>(*lienzo, impresora, ajustes);
    });
}

void TstOpciones::init()
{
    dialogos = DialogosFalsos();
    lienzo = new LienzoGrabador(600, 4800);
    ajustes.clear();
    auto *principal = new TMainForm;
    principal->show();
    CreaVentanasImpresion();
    principal->abreArchivo(ejemplo);
    QVERIFY(Finforma);
}

void TstOpciones::cleanup()
{
    delete MainForm;
    QVERIFY(!Foppr1 && !Foppr && !FOPRT);
    delete lienzo;
    lienzo = nullptr;
}

void TstOpciones::cleanupTestCase()
{
    InstalaFabricaLienzo({});
    Dialogos::instala(nullptr);
}

// Three copies of the results: three jobs, each in portrait with a printer
// copy count of 1, each on a calculation of the study as it stands.
void TstOpciones::copiasDeResultados()
{
    dialogos.copias = 3;
    MuestraFoppr1();
    elige(Foppr1, "opcion1");
    // Between jobs the first value of FAM 1 goes up by 10, so its mean by 2.5.
    int trabajo = 0;
    lienzo->alTerminar = [&] {
        ++trabajo;
        rejilla()->item(0, 0)->setText(QString::number(99.2 + 10 * trabajo));
    };
    acepta(Foppr1);

    QVERIFY2(dialogos.mensajes.isEmpty(), qPrintable(dialogos.mensajes.join(u'\n')));
    QCOMPARE(dialogos.dialogosImpresion, 1);
    QCOMPARE(lienzo->trabajos.size(), 3);
    QCOMPARE(ajustes, (QStringList{"vertical 1", "vertical 1", "vertical 1"}));
    const QStringList medias{"99.9", "102.4", "104.9"};
    for (int i = 0; i < 3; ++i) {
        QVERIFY(lienzo->trabajos[i].terminado);
        QVERIFY(contiene(lienzo->trabajos[i], QStringLiteral("Resultados")));
        // FAM 1's mean at (90 C, 25 L).
        QCOMPARE(textoEn(lienzo->trabajos[i], 90 * 12, 2500), medias[i]);
    }
    // The window stays, with its choice; "Aceptar" prints again.
    QVERIFY(Foppr1->isVisible());
    QCOMPARE(Foppr1->seleccion(), 1);
    lienzo->alTerminar = {};
    dialogos.copias = 1;
    acepta(Foppr1);
    QCOMPARE(lienzo->trabajos.size(), 4);
}

void TstOpciones::copiasDeInformacion()
{
    dialogos.copias = 2;
    rejilla()->item(0, 0)->setText(QStringLiteral("98.50"));
    MuestraFoppr1();
    acepta(Foppr1);
    QCOMPARE(lienzo->trabajos.size(), 2);
    for (const auto &trabajo : lienzo->trabajos) {
        QVERIFY(contiene(trabajo, QStringLiteral("Información General")));
        QCOMPARE(textoEn(trabajo, (45 + 46) * 12, 2800), QStringLiteral("98.50"));
    }
}

void TstOpciones::dialogoCancelado()
{
    dialogos.aceptaImpresion = false;
    dialogos.copias = 2;
    MuestraFoppr1();
    elige(Foppr1, "opcion1");
    acepta(Foppr1);
    QCOMPARE(dialogos.dialogosImpresion, 1);
    QVERIFY(lienzo->trabajos.isEmpty());
    QVERIFY(dialogos.mensajes.isEmpty());
}

void TstOpciones::conteosRechazados_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("mensaje");
    QTest::newRow("seis FAM") << "econdicion" << "6" << "Datos fuera de límite, 2-5 FAM.";
    QTest::newRow("once muestras") << "ereplica" << "11"
                                   << "Datos fuera de límite, 2-10 valoraciones (Replicaciones).";
    QTest::newRow("FAM no entero") << "econdicion" << "3.0" << "'3.0' is not a valid integer value";
}

// Counts out of range or not integers: refused before the print dialog,
// with the capture message; nothing calculated or printed.
void TstOpciones::conteosRechazados()
{
    QFETCH(QString, nombre);
    QFETCH(QString, texto);
    QFETCH(QString, mensaje);
    campo(nombre)->setText(texto);
    for (auto *ventana : std::initializer_list<VentanaOpcionesImpresion *>{Foppr1, Foppr}) {
        dialogos.mensajes.clear();
        ventana->show();
        elige(ventana, "opcion1");
        acepta(ventana);
        QCOMPARE(dialogos.mensajes, QStringList{mensaje});
        QCOMPARE(dialogos.dialogosImpresion, 0);
        QVERIFY(lienzo->trabajos.isEmpty());
    }
}

// An empty cell fails the first calculation: the error is shown, nothing
// is printed and the other copies are not tried.
void TstOpciones::celdaVaciaDetieneLasCopias()
{
    rejilla()->item(1, 2)->setText(QString());
    dialogos.copias = 3;
    MuestraFoppr1();
    elige(Foppr1, "opcion1");
    acepta(Foppr1);
    QCOMPARE(dialogos.mensajes, QStringList{"'' is not a valid floating point value"});
    QVERIFY(lienzo->trabajos.isEmpty());
    QVERIFY(Foppr1->isVisible());
}

// The study closes while the options window is open: the window goes, and
// if it is reached again it refuses to print.
void TstOpciones::sinEstudio()
{
    MuestraFoppr1();
    MainForm->mdiArea()->closeAllSubWindows();
    QVERIFY(!Finforma);
    QVERIFY(Foppr1->isHidden());

    for (auto *ventana : std::initializer_list<VentanaOpcionesImpresion *>{Foppr1, Foppr}) {
        dialogos.mensajes.clear();
        ventana->show();
        acepta(ventana);
        QTest::mouseClick(hijo<QPushButton>(ventana, "botonvista"), Qt::LeftButton);
        QCOMPARE(dialogos.mensajes, QStringList(2, "No hay ningún estudio abierto para imprimir."));
        QVERIFY(ventana->isHidden());
    }
    QCOMPARE(dialogos.dialogosImpresion, 0);
    QCOMPARE(dialogos.vistas, 0);
    QVERIFY(lienzo->trabajos.isEmpty());
}

// The study goes while the print dialog is open: nothing is printed.
void TstOpciones::estudioCerradoDuranteElDialogo()
{
    dialogos.duranteDialogo = [] { MainForm->mdiArea()->closeAllSubWindows(); };
    MuestraFoppr1();
    elige(Foppr1, "opcion1");
    acepta(Foppr1);
    QCOMPARE(dialogos.dialogosImpresion, 1);
    QVERIFY(!Finforma);
    QVERIFY(lienzo->trabajos.isEmpty());
    QVERIFY(dialogos.mensajes.isEmpty());
}

void TstOpciones::cancelarOculta()
{
    MuestraFoppr1();
    elige(Foppr1, "opcion1");
    QTest::mouseClick(hijo<QPushButton>(Foppr1, "BitBtn2"), Qt::LeftButton);
    QVERIFY(Foppr1->isHidden());
    // The choice outlives the window's hiding; Esc hides it too.
    MuestraFoppr1();
    QCOMPARE(Foppr1->seleccion(), 1);
    QTest::keyClick(Foppr1, Qt::Key_Escape);
    QVERIFY(Foppr1->isHidden());
    QVERIFY(lienzo->trabajos.isEmpty());
}

void TstOpciones::vistaPrevia()
{
    MuestraFoppr();
    elige(Foppr, "opcion1");
    QTest::mouseClick(hijo<QPushButton>(Foppr, "botonvista"), Qt::LeftButton);
    QCOMPARE(dialogos.vistas, 1);
    QCOMPARE(dialogos.dialogosImpresion, 0);
    QCOMPARE(lienzo->trabajos.size(), 1);
    QCOMPARE(ajustes.first().section(u' ', 0, 0), QStringLiteral("vertical"));
    // The ink-jet results page, with the study's figures.
    QVERIFY(contiene(lienzo->trabajos[0], QStringLiteral("QUORIX v. w 3.0")));
    QCOMPARE(textoEn(lienzo->trabajos[0], 27 * 12, 2500), QStringLiteral("99.9"));
    QVERIFY(Foppr->isVisible());
}

void TstOpciones::tipoDeImpresora_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<bool>("deskjet");
    QTest::newRow("DeskJet") << "SELECPRT0" << true;
    QTest::newRow("Laser Jet") << "SELECPRT1" << false;
}

// The printer kind window opens the options window of its choice and
// closes; the margin choice changes nothing on paper.
void TstOpciones::tipoDeImpresora()
{
    QFETCH(QString, radio);
    QFETCH(bool, deskjet);
    QTimer::singleShot(0, this, [&] {
        elige(FOPRT, "SELECMAR0");
        elige(FOPRT, radio);
        acepta(FOPRT);
    });
    MuestraFOPRT();
    QVERIFY(FOPRT->isHidden());
    VentanaOpcionesImpresion *abierta = deskjet ? static_cast<VentanaOpcionesImpresion *>(Foppr) : Foppr1;
    VentanaOpcionesImpresion *cerrada = deskjet ? static_cast<VentanaOpcionesImpresion *>(Foppr1) : Foppr;
    QVERIFY(abierta->isVisible());
    QVERIFY(cerrada->isHidden());

    acepta(abierta);
    QCOMPARE(lienzo->trabajos.size(), 1);
    const auto &trabajo = lienzo->trabajos[0];
    QVERIFY(contiene(trabajo, deskjet ? QStringLiteral("INFORMACIÓN GENERAL") : QStringLiteral("Información General")));
    // No margin: the body starts at its column and the rules at the edge.
    QCOMPARE(textoEn(trabajo, (deskjet ? 2 : 45) * 12, (deskjet ? 13 : 16) * 100).left(9),
             QStringLiteral("Factores "));
    QCOMPARE(trabajo.lineas.first().x1, 0);
}

// The real preview draws the page and offers no printing of its own, which
// would bypass the copies and calculations of the print run, nor landscape.
void TstOpciones::vistaPreviaSinImprimir()
{
    Dialogos::instala(nullptr);
    QPrinter impresora;
    impresora.setOutputFormat(QPrinter::PdfFormat);
    QStringList visibles;
    bool visto = false;
    QTimer::singleShot(0, this, [&] {
        auto *vista = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!vista)
            return;
        visto = true;
        for (QAction *accion : vista->findChildren<QAction *>())
            if (accion->isVisible())
                visibles << accion->text();
        vista->reject();
    });
    int dibujos = 0;
    Dialogos::actual().vistaPrevia(&impresora, nullptr, [&](QPrinter *p) {
        ++dibujos;
        QPainter pintor(p);
        pintor.drawText(100, 100, QStringLiteral("prueba"));
    });
    Dialogos::instala(&dialogos);
    QVERIFY(visto);
    QVERIFY(dibujos >= 1);
    QVERIFY(!visibles.isEmpty());
    for (const char *oculta : {"Print", "Page setup", "Portrait", "Landscape"})
        QVERIFY2(!visibles.contains(QCoreApplication::translate("QPrintPreviewDialog", oculta)),
                 qPrintable(visibles.join(u'|')));
    // Zooming and paging stay.
    QVERIFY(visibles.contains(QCoreApplication::translate("QPrintPreviewDialog", "Zoom in")));
}

int PruebaOpciones(int argc, char **argv)
{
    TstOpciones prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "tst_opciones.moc"
