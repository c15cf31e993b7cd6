#include "VentanaRegistro.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ArchivoRegistro.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/estudio/FlujoRegistro.h"
#include "core/informe/TextoRegistro.h"
#include "core/motor/Errores.h"
#include "core/paginas/Hoja.h"
#include "core/paginas/PaginasRegistro.h"
#include "gui/Ayuda.h"
#include "gui/Dialogos.h"
#include "impresion/LienzoImpresora.h"
#include "gui/OpcionesImpresion.h"
#include "gui/VentanaEstudio.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString documentoImpreso = QStringLiteral("Registro de cambios");
const QString documentoPdf = QStringLiteral("Registro de cambios, PDF");

// What a laser printer leaves unprinted at each edge, as the pages' PDFs.
constexpr qreal margenPdfMm = 6.35;
constexpr int resolucionPdf = 300;

QList<VentanaRegistro *> abiertas(QMdiArea *marco)
{
    QList<VentanaRegistro *> ventanas;
    for (QMdiSubWindow *hija : marco->subWindowList())
        if (auto *ventana = qobject_cast<VentanaRegistro *>(hija->widget()))
            ventanas << ventana;
    return ventanas;
}

} // namespace

VentanaRegistro::VentanaRegistro(const QString &rutaEstudio, QWidget *parent)
    : VentanaResultado(QStringLiteral("Registro de cambios"), {760, 560}, true, parent), m_ruta(rutaEstudio)
{
    setObjectName(QStringLiteral("VentanaRegistro"));
    setAccessibleName(QStringLiteral("Registro de cambios del estudio"));
    setProperty(PropiedadAyuda, 21);

    m_comprobacion = new QLabel(this);
    m_comprobacion->setObjectName(QStringLiteral("comprobacionRegistro"));
    m_comprobacion->setAccessibleName(QStringLiteral("Comprobación del registro"));
    m_comprobacion->setWordWrap(true);
    m_comprobacion->setTextFormat(Qt::PlainText);
    m_comprobacion->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    m_texto = new QPlainTextEdit(this);
    m_texto->setObjectName(QStringLiteral("textoRegistro"));
    m_texto->setAccessibleName(QStringLiteral("Registro de cambios"));
    m_texto->setAccessibleDescription(
        QStringLiteral("Cada entrada: cuándo, quién, qué y por qué; al final, lo que encontró su comprobación"));
    m_texto->setReadOnly(true);
    m_texto->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_texto->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    auto *imprimir = new QPushButton(QStringLiteral("&Imprimir..."), this);
    imprimir->setObjectName(QStringLiteral("btnimprimirregistro"));
    connect(imprimir, &QPushButton::clicked, this, &VentanaRegistro::imprime);
    auto *pdf = new QPushButton(QStringLiteral("Guardar &PDF..."), this);
    pdf->setObjectName(QStringLiteral("btnpdfregistro"));
    connect(pdf, &QPushButton::clicked, this, &VentanaRegistro::guardaPdf);

    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(pdf);
    botones->addWidget(imprimir);
    auto *capas = new QVBoxLayout(this);
    capas->addWidget(m_comprobacion);
    capas->addWidget(m_texto, 1);
    capas->addLayout(botones);
    setFocusProxy(m_texto);
    creaMenuCerrar();
}

void VentanaRegistro::recarga()
{
    m_huella = HuellaDe(LeeBytesEstudio(m_ruta));
    m_veredicto = VerificaRegistroDe(m_ruta, m_huella);
    m_lineas = LineasRegistro(m_veredicto, m_ruta);
    const QList<AvisoRegistro> avisos = AvisosRegistro(m_veredicto, m_ruta);
    QStringList comprobacion;
    for (const AvisoRegistro &aviso : avisos)
        comprobacion << aviso.texto;
    if (comprobacion.isEmpty())
        comprobacion << m_lineas.constLast();
    m_comprobacion->setText(comprobacion.join(u'\n'));
    m_comprobacion->setAccessibleDescription(m_comprobacion->text());
    m_texto->setPlainText(m_lineas.join(u'\n'));
}

QStringList VentanaRegistro::margen() const
{
    return LineasMargen(m_huella, m_veredicto.firmas);
}

void VentanaRegistro::imprime()
{
    EjecutaComando([this] {
        // What is printed is the register as it is now.
        recarga();
        QPrinter impresora(QPrinter::HighResolution);
        impresora.setPageOrientation(QPageLayout::Portrait);
        impresora.setDocName(documentoImpreso);
        if (!Dialogos::actual().imprime(&impresora, this))
            return;
        const std::unique_ptr<Lienzo> lienzo = CreaLienzo(impresora);
        DibujaRegistro(*lienzo, m_lineas, margen());
        const QString destino =
            impresora.outputFileName().isEmpty() ? impresora.printerName() : impresora.outputFileName();
        const ContextoEntrada contexto = ContextoActual();
        AnotaEnRegistro(m_ruta, contexto, {EntradaImpresion(contexto, m_huella, documentoImpreso, destino)});
        recarga();
    });
}

void VentanaRegistro::guardaPdf()
{
    EjecutaComando([this] {
        recarga();
        const QFileInfo estudio(m_ruta);
        const QString ruta = Dialogos::actual().guardaPdf(
            this, estudio.dir().filePath(estudio.completeBaseName() + QStringLiteral("-registro.pdf")));
        if (ruta.isEmpty())
            return;
        // Drawn in memory, so that the file is written whole or not at all.
        QBuffer documento;
        documento.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&documento);
            pdf.setResolution(resolucionPdf);
            pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(margenPdfMm, margenPdfMm, margenPdfMm, margenPdfMm),
                                          QPageLayout::Millimeter));
            pdf.setCreator(QStringLiteral("Tolerancia del Método"));
            pdf.setTitle(QStringLiteral("Registro de cambios de %1").arg(estudio.fileName()));
            LienzoImpresora lienzo(pdf);
            DibujaRegistro(lienzo, m_lineas, margen());
        }
        EscribeArchivo(ruta, documento.data());
        const ContextoEntrada contexto = ContextoActual();
        AnotaEnRegistro(m_ruta, contexto, {EntradaExportacion(contexto, m_huella, documentoPdf, ruta)});
        recarga();
    });
}

void ComandoRegistro(VentanaEstudio *documento, const DestinoResultados &destino)
{
    if (!documento)
        return;
    if (documento->sinTitulo())
        throw ErrorRegistro(QStringLiteral("Este estudio todavía no se ha guardado: su registro de cambios "
                                           "empieza con su primer guardado."));
    for (VentanaRegistro *abierta : abiertas(destino.marco))
        if (abierta->rutaEstudio() == documento->ruta()) {
            abierta->recarga();
            destino.marco->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(abierta->parentWidget()));
            return;
        }
    auto ventana = std::make_unique<VentanaRegistro>(documento->ruta());
    ventana->recarga();
    QObject::connect(ventana.get(), &VentanaResultado::evento, ventana.get(), destino.aplica);
    ventana.release()->muestra(destino.marco);
}

void RecargaRegistros(QMdiArea *marco)
{
    for (VentanaRegistro *ventana : abiertas(marco))
        ventana->recarga();
}

bool FirmaDocumento(VentanaEstudio *documento, QWidget *padre)
{
    if (!documento)
        return false;
    if (documento->sinTitulo())
        throw ErrorRegistro(QStringLiteral("No se puede firmar un estudio que nunca se ha guardado: guárdelo "
                                           "antes de firmar."));
    const QString ruta = documento->ruta();
    const bool modificado = documento->modificado();
    const Huella mostrado =
        HuellaMostrada(documento->estudio(), modificado, modificado ? QByteArray() : LeeBytesEstudio(ruta), ruta);
    CompruebaFirmable(mostrado.sinGuardar() ? VeredictoRegistro{} : VerificaRegistroDe(ruta, mostrado), mostrado);

    const std::optional<DatosFirma> datos = Dialogos::actual().firma(padre, ruta, AutorDelSistema().nombreCompleto);
    if (!datos)
        return false;
    RevisaFirmante(datos->nombre);
    const QString como = TextoSignificado(datos->significado) + u' ' + datos->nombre.trimmed();
    if (Dialogos::actual().pregunta(QStringLiteral("Firmar el estudio"),
                                    QStringLiteral("¿Firmar el estudio «%1» como «%2»? La firma no se puede quitar "
                                                   "de su registro de cambios.").arg(ruta, como))
        != Dialogos::Respuesta::si)
        return false;
    // The register is checked again under its lock: the study signed is the
    // one shown, or nothing is signed.
    FirmaEstudio(ruta, ContextoActual(), datos->nombre, datos->significado, mostrado);
    Dialogos::actual().mensaje(
        QStringLiteral("Firma anotada en el registro de cambios «%1»: %2.").arg(RutaRegistro(ruta), como));
    return true;
}
