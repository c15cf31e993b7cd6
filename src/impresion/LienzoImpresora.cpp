#include "LienzoImpresora.h"

#include "core/motor/Mensajes.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrinter>

#include <cups/cups.h>

LienzoImpresora::LienzoImpresora(QPagedPaintDevice &dispositivo)
    : m_dispositivo(dispositivo), m_impresora(dynamic_cast<QPrinter *>(&dispositivo))
{
}

LienzoImpresora::~LienzoImpresora()
{
    abortaTrabajo();
}

QString LienzoImpresora::nombreDestino() const
{
    if (!m_impresora)
        return QStringLiteral("documento PDF");
    return m_impresora->outputFileName().isEmpty() ? m_impresora->printerName()
                                                   : m_impresora->outputFileName();
}

void LienzoImpresora::iniciaTrabajo()
{
    if (!m_pintor.begin(&m_dispositivo))
        throw ErrorImpresion(TextoDe(Mensaje::impresionNoInicia).arg(nombreDestino()));
    // The canvas's defaults: black pen one pixel wide, texts on white.
    m_pintor.setBackgroundMode(Qt::OpaqueMode);
    m_pintor.setBackground(Qt::white);
    m_pintor.setPen(QPen(Qt::black, 1));
    m_pluma = {};
}

void LienzoImpresora::terminaTrabajo()
{
    // A print preview draws pictures of the page: nothing goes to a printer.
    const bool vistaPrevia = m_pintor.paintEngine() && m_pintor.paintEngine()->type() == QPaintEngine::Picture;
    if (!m_pintor.end())
        throw ErrorImpresion(TextoDe(Mensaje::impresionNoTermina));
    if (!m_impresora || vistaPrevia)
        return;
    // Qt's print engine hands the job to CUPS at the end and drops its
    // answer: a queue that rejects jobs leaves the printer "idle". The
    // answer is still CUPS's last error on this thread; only a job that went
    // to CUPS has one, and an error an earlier job left is not its own.
    const bool rechazado = m_impresora->printerState() == QPrinter::Error
                           || m_impresora->printerState() == QPrinter::Aborted
                           || (m_impresora->outputFormat() == QPrinter::NativeFormat
                               && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE);
    if (rechazado)
        throw ErrorImpresion(TextoDe(Mensaje::impresoraNoAcepta).arg(nombreDestino()));
}

void LienzoImpresora::abortaTrabajo()
{
    if (!m_pintor.isActive())
        return;
    // Printers that cannot cancel a job (a PDF file) still get their painter
    // ended, so the next job can begin.
    if (m_impresora)
        m_impresora->abort();
    m_pintor.end();
}

void LienzoImpresora::nuevaPagina()
{
    if (!m_pintor.isActive() || !m_dispositivo.newPage())
        throw ErrorImpresion(TextoDe(Mensaje::paginaNuevaNoEmpieza).arg(nombreDestino()));
}

void LienzoImpresora::ponFuente(const QString &nombre, int puntos)
{
    m_fuente = QFont(nombre);
    m_fuente.setPointSize(puntos);
    m_fuente.setStyleHint(QFont::SansSerif);
    m_pintor.setFont(m_fuente);
}

int LienzoImpresora::alturaFuente() const
{
    return qRound(m_fuente.pointSizeF() * dpiVertical() / 72.0);
}

int LienzoImpresora::tamanoFuente() const
{
    return m_fuente.pointSize();
}

int LienzoImpresora::anchoTexto(const QString &texto) const
{
    // The painter's metrics are those of the device's resolution.
    return QFontMetrics(m_fuente, &m_dispositivo).horizontalAdvance(texto);
}

void LienzoImpresora::escribe(int x, int y, const QString &texto)
{
    const QFontMetrics metricas(m_fuente, &m_dispositivo);
    m_pintor.drawText(QPoint(x, y + metricas.ascent()), texto);
}

void LienzoImpresora::mueveA(int x, int y)
{
    m_pluma = QPoint(x, y);
}

void LienzoImpresora::lineaA(int x, int y)
{
    const QPoint hasta(x, y);
    m_pintor.drawLine(m_pluma, hasta);
    m_pluma = hasta;
}

int LienzoImpresora::anchoPagina() const
{
    return m_dispositivo.width();
}

int LienzoImpresora::altoPagina() const
{
    return m_dispositivo.height();
}

int LienzoImpresora::dpiVertical() const
{
    return m_dispositivo.logicalDpiY();
}

QPainter *LienzoImpresora::pintor()
{
    return m_pintor.isActive() ? &m_pintor : nullptr;
}

QByteArray DocumentoPdf(int resolucion, const QMarginsF &margenesMm, const QString &titulo,
                        const std::function<void(Lienzo &)> &dibuja)
{
    QBuffer documento;
    documento.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&documento);
        pdf.setResolution(resolucion);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margenesMm,
                                      QPageLayout::Millimeter));
        pdf.setCreator(QStringLiteral("Tolerancia del Método"));
        pdf.setTitle(titulo);
        LienzoImpresora lienzo(pdf);
        dibuja(lienzo);
    }
    return documento.data();
}
