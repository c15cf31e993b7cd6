#include "VentanaPrecision.h"

#include "core/estudio/ArchivosSistema.h"
#include "core/informe/TextoPrecision.h"
#include "core/paginas/PaginasTexto.h"
#include "gui/Ayuda.h"
#include "gui/Dialogos.h"
#include "gui/OpcionesImpresion.h"
#include "gui/RegistroEstudio.h"
#include "impresion/LienzoImpresora.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString documentoImpreso = QStringLiteral("Precisión intermedia y equivalencia");
const QString documentoPdf = QStringLiteral("Precisión intermedia y equivalencia, PDF");

// A laser printer's unprintable edge, as the other documents' PDFs.
constexpr qreal margenPdfMm = 6.35;
constexpr int resolucionPdf = 300;

QLineEdit *creaCampo(const QString &nombre, const QString &nombreAccesible, const QString &descripcion,
                     const QString &texto, QWidget *padre)
{
    auto *campo = new QLineEdit(texto, padre);
    campo->setObjectName(nombre);
    campo->setAccessibleName(nombreAccesible);
    campo->setAccessibleDescription(descripcion);
    campo->setMaxLength(40);
    return campo;
}

} // namespace

VentanaPrecision::VentanaPrecision(const Estudio &estudio, const QString &rutaEstudio, const Huella &huella,
                                   QChar separador, const ResultadoPrecision &componentes,
                                   const TextosCriterios &textos, QWidget *parent)
    : VentanaResultado(QStringLiteral("Precisión intermedia y equivalencia"), {660, 600}, true, parent),
      m_estudio(estudio), m_rutaEstudio(rutaEstudio), m_huella(huella), m_separador(separador)
{
    setObjectName(QStringLiteral("VentanaPrecision"));
    setProperty(PropiedadAyuda, 16);

    elimite = creaCampo(QStringLiteral("elimite"), QStringLiteral("Límite de aceptación"),
                        QStringLiteral("Diferencia máxima admitida entre los promedios de dos FAM, en las "
                                       "unidades de los datos o en % del promedio general; vacío, sin "
                                       "prueba de equivalencia"),
                        textos.limite, this);
    edermaxima = creaCampo(QStringLiteral("edermaxima"), QStringLiteral("DER máxima de precisión intermedia"),
                           QStringLiteral("En por ciento; vacío, sin este criterio"), textos.derMaxima, this);
    cbbonferroni = new QCheckBox(QStringLiteral("Ajuste de &Bonferroni para todos los pares"), this);
    cbbonferroni->setObjectName(QStringLiteral("cbbonferroni"));
    cbbonferroni->setAccessibleName(QStringLiteral("Ajuste de Bonferroni para todos los pares"));
    cbbonferroni->setChecked(textos.bonferroni);
    auto *calcular = new QPushButton(QStringLiteral("&Recalcular"), this);
    calcular->setObjectName(QStringLiteral("btnrecalcular"));
    calcular->setAccessibleName(QStringLiteral("Recalcular"));

    auto *etiquetaLimite = new QLabel(QStringLiteral("&Límite de aceptación (δ, o % del promedio):"), this);
    etiquetaLimite->setBuddy(elimite);
    auto *etiquetaDer = new QLabel(QStringLiteral("&DER máxima de precisión intermedia (%):"), this);
    etiquetaDer->setBuddy(edermaxima);

    m_texto = new QPlainTextEdit(this);
    m_texto->setObjectName(QStringLiteral("textoPrecision"));
    m_texto->setAccessibleName(QStringLiteral("Precisión intermedia y equivalencia"));
    m_texto->setAccessibleDescription(
        QStringLiteral("Componentes de la varianza con sus límites de confianza y equivalencia entre niveles"));
    m_texto->setReadOnly(true);
    // Keyboard users move through the text line by line with a caret.
    m_texto->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_texto->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    ponLineas(LineasPrecision(componentes, separador));
    auto *imprimir = new QPushButton(QStringLiteral("&Imprimir..."), this);
    imprimir->setObjectName(QStringLiteral("btnimprimirprecision"));
    imprimir->setAccessibleName(QStringLiteral("Imprimir"));
    connect(imprimir, &QPushButton::clicked, this, &VentanaPrecision::imprime);
    auto *pdf = new QPushButton(QStringLiteral("Guardar &PDF..."), this);
    pdf->setObjectName(QStringLiteral("btnpdfprecision"));
    pdf->setAccessibleName(QStringLiteral("Guardar PDF"));
    connect(pdf, &QPushButton::clicked, this, &VentanaPrecision::guardaPdf);

    auto *campos = new QFormLayout;
    campos->addRow(etiquetaLimite, elimite);
    campos->addRow(etiquetaDer, edermaxima);
    auto *opciones = new QHBoxLayout;
    opciones->addWidget(cbbonferroni);
    opciones->addStretch();
    opciones->addWidget(calcular);
    auto *relleno = new QVBoxLayout(this);
    relleno->addLayout(campos);
    relleno->addLayout(opciones);
    relleno->addWidget(m_texto, 1);
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(pdf);
    botones->addWidget(imprimir);
    relleno->addLayout(botones);
    setFocusProxy(elimite);

    // What the user asks for is remembered once it reads.
    const auto recalcula = [this] {
        EjecutaComando([this] {
            calcula();
            RecuerdaCriterios({elimite->text().trimmed(), edermaxima->text().trimmed(), cbbonferroni->isChecked()});
        });
    };
    connect(calcular, &QPushButton::clicked, this, recalcula);
    connect(elimite, &QLineEdit::returnPressed, this, recalcula);
    connect(edermaxima, &QLineEdit::returnPressed, this, recalcula);
    connect(cbbonferroni, &QCheckBox::toggled, this, recalcula);
}

std::optional<CriteriosEquivalencia> VentanaPrecision::criterios() const
{
    const bool sinLimite = elimite->text().trimmed().isEmpty();
    const bool sinDer = edermaxima->text().trimmed().isEmpty();
    if (sinLimite && sinDer)
        return std::nullopt;
    // Reading the empty limit gives its own message: a maximum RSD is
    // judged as part of the criteria, which need δ.
    CriteriosEquivalencia c{LeeLimiteAceptacion(elimite->text(), m_separador), std::nullopt,
                            cbbonferroni->isChecked()};
    if (!sinDer)
        c.derMaxima = LeeDerMaxima(edermaxima->text(), m_separador);
    return c;
}

void VentanaPrecision::calcula()
{
    const std::optional<CriteriosEquivalencia> c = criterios();
    ponLineas(LineasPrecision(CalculaPrecision(m_estudio, m_separador, c), m_separador));
}

void VentanaPrecision::ponLineas(const QStringList &lineas)
{
    m_lineas = lineas;
    m_texto->setPlainText(lineas.join(u'\n'));
}

QString VentanaPrecision::titulo() const
{
    if (m_rutaEstudio.isEmpty())
        return documentoImpreso;
    return QStringLiteral("%1 de «%2»").arg(documentoImpreso, QFileInfo(m_rutaEstudio).fileName());
}

// What the text shows, which names the criteria it was calculated with: a
// criterion typed since and not yet calculated is not on paper.
void VentanaPrecision::imprime()
{
    EjecutaComando([this] {
        QPrinter impresora(QPrinter::HighResolution);
        impresora.setPageOrientation(QPageLayout::Portrait);
        impresora.setDocName(documentoImpreso);
        if (!Dialogos::actual().imprime(&impresora, this))
            return;
        const std::unique_ptr<Lienzo> lienzo = CreaLienzo(impresora);
        DibujaPaginasTexto(*lienzo, titulo(), m_lineas, MargenDe(m_rutaEstudio, m_huella));
        if (!impresora.outputFileName().isEmpty())
            AnotaExportacion(m_rutaEstudio, m_huella, documentoPdf, impresora.outputFileName());
        else
            AnotaImpresion(m_rutaEstudio, m_huella, documentoImpreso, impresora.printerName());
    });
}

void VentanaPrecision::guardaPdf()
{
    EjecutaComando([this] {
        const QFileInfo estudio(m_rutaEstudio);
        const QString nombre = m_rutaEstudio.isEmpty()
                                   ? QStringLiteral("precision.pdf")
                                   : estudio.dir().filePath(estudio.completeBaseName() + QStringLiteral("-precision.pdf"));
        const QString ruta = Dialogos::actual().guardaPdf(this, nombre);
        if (ruta.isEmpty())
            return;
        const QStringList margen = MargenDe(m_rutaEstudio, m_huella);
        const QMarginsF margenes(margenPdfMm, margenPdfMm, margenPdfMm, margenPdfMm);
        EscribeArchivo(ruta, DocumentoPdf(resolucionPdf, margenes, titulo(), [&](Lienzo &lienzo) {
                           DibujaPaginasTexto(lienzo, titulo(), m_lineas, margen);
                       }));
        AnotaExportacion(m_rutaEstudio, m_huella, documentoPdf, ruta);
    });
}
