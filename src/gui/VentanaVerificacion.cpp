#include "VentanaVerificacion.h"

#include "core/estudio/ArchivosSistema.h"
#include "core/verificacion/DocumentoVerificacion.h"
#include "gui/Ayuda.h"
#include "gui/Dialogos.h"
#include "impresion/LienzoImpresora.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

VentanaVerificacion::VentanaVerificacion(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"VentanaVerificacion"_s);
    setProperty(PropiedadAyuda, 17);
    setWindowTitle(u"Verificación del programa"_s);
    setAttribute(Qt::WA_DeleteOnClose);

    m_entorno = EntornoActual(QCoreApplication::applicationFilePath());
    QStringList lineas;
    try {
        m_comprobaciones = VerificaPrograma();
        lineas = LineasVerificacion(m_entorno, m_comprobaciones);
    } catch (const ErrorTolerancia &error) {
        lineas << error.texto();
    }

    m_texto = new QPlainTextEdit(this);
    m_texto->setObjectName(u"texto"_s);
    m_texto->setAccessibleName(u"Resultado de la verificación"_s);
    m_texto->setReadOnly(true);
    m_texto->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_texto->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_texto->setPlainText(lineas.join(u'\n'));

    auto *botones = new QDialogButtonBox(this);
    auto *imprimir = botones->addButton(u"&Imprimir..."_s, QDialogButtonBox::ActionRole);
    imprimir->setObjectName(u"imprimir"_s);
    auto *pdf = botones->addButton(u"&Guardar PDF..."_s, QDialogButtonBox::ActionRole);
    pdf->setObjectName(u"guardarPdf"_s);
    auto *cerrar = botones->addButton(u"&Cerrar"_s, QDialogButtonBox::RejectRole);
    cerrar->setObjectName(u"cerrar"_s);
    imprimir->setEnabled(!m_comprobaciones.isEmpty());
    pdf->setEnabled(!m_comprobaciones.isEmpty());
    connect(imprimir, &QPushButton::clicked, this, [this] { EjecutaComando([this] { imprime(); }); });
    connect(pdf, &QPushButton::clicked, this, [this] { EjecutaComando([this] { guardaPdf(); }); });
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto *columna = new QVBoxLayout(this);
    columna->addWidget(m_texto, 1);
    columna->addWidget(botones);
    resize(900, 600);
}

bool VentanaVerificacion::todasPasan() const
{
    return TodasPasan(m_comprobaciones);
}

void VentanaVerificacion::imprime()
{
    QPrinter impresora(QPrinter::HighResolution);
    if (!Dialogos::actual().imprime(&impresora, this))
        return;
    LienzoImpresora lienzo(impresora);
    ImprimeVerificacion(lienzo, m_entorno, m_comprobaciones);
}

void VentanaVerificacion::guardaPdf()
{
    const QString ruta = Dialogos::actual().guardaPdf(this, u"verificacion.pdf"_s);
    if (ruta.isEmpty())
        return;
    const QMarginsF margenes(MargenVerificacionMm, MargenVerificacionMm, MargenVerificacionMm, MargenVerificacionMm);
    EscribeArchivo(ruta, DocumentoPdf(ResolucionVerificacion, margenes, TituloVerificacion, [this](Lienzo &lienzo) {
        ImprimeVerificacion(lienzo, m_entorno, m_comprobaciones);
    }));
}
