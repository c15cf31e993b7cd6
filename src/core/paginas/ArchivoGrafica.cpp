#include "ArchivoGrafica.h"

#include "Grafica.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

constexpr double pulgadaMm = 25.4;

// The same plot title every format stores as its document title.
QString tituloDocumento(const ModeloGrafica &modelo)
{
    return QStringLiteral("Gráfica del estudio. ") + modelo.titulo;
}

QByteArray png(const ModeloGrafica &modelo, QSize tamano)
{
    QImage imagen(tamano, QImage::Format_RGB32);
    const int puntosPorMetro = qRound(ResolucionGrafica / pulgadaMm * 1000.0);
    imagen.setDotsPerMeterX(puntosPorMetro);
    imagen.setDotsPerMeterY(puntosPorMetro);
    imagen.fill(Qt::white);
    {
        QPainter pintor(&imagen);
        dibujaGrafica(pintor, QRectF(QPointF(0, 0), QSizeF(tamano)), modelo);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!imagen.save(&buffer, "PNG"))
        throw ErrorArchivo(TextoDe(Mensaje::graficaPngNoSeCompone));
    return bytes;
}

QByteArray svg(const ModeloGrafica &modelo, QSize tamano)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generador;
    generador.setOutputDevice(&buffer);
    generador.setSize(tamano);
    generador.setViewBox(QRect(QPoint(0, 0), tamano));
    generador.setResolution(ResolucionGrafica);
    generador.setTitle(tituloDocumento(modelo));
    generador.setDescription(DescripcionGrafica(modelo));
    QPainter pintor;
    if (!pintor.begin(&generador))
        throw ErrorArchivo(TextoDe(Mensaje::graficaSvgNoSeCompone));
    dibujaGrafica(pintor, QRectF(QPointF(0, 0), QSizeF(tamano)), modelo);
    pintor.end();
    return bytes;
}

QByteArray pdf(const ModeloGrafica &modelo, QSize tamano)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter escritor(&buffer);
        escritor.setResolution(ResolucionGrafica * 4);
        escritor.setPageSize(QPageSize(QSizeF(tamano) * (pulgadaMm / ResolucionGrafica),
                                       QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        escritor.setPageMargins(QMarginsF(0, 0, 0, 0));
        escritor.setTitle(tituloDocumento(modelo));
        escritor.setCreator(QStringLiteral("Tolerancia del Método"));
        QPainter pintor;
        if (!pintor.begin(&escritor))
            throw ErrorArchivo(TextoDe(Mensaje::graficaPdfNoSeCompone));
        dibujaGrafica(pintor, QRectF(0, 0, escritor.width(), escritor.height()), modelo);
        pintor.end();
    }
    return bytes;
}

// The plot as the bytes of a file of `formato`, `tamano` pixels (SVG and PDF
// take the same physical size at `ResolucionGrafica`).
QByteArray ExportaGrafica(const ModeloGrafica &modelo, FormatoGrafica formato, QSize tamano)
{
    switch (formato) {
    case FormatoGrafica::png:
        return png(modelo, tamano);
    case FormatoGrafica::svg:
        return svg(modelo, tamano);
    case FormatoGrafica::pdf:
        break;
    }
    return pdf(modelo, tamano);
}

} // namespace

std::optional<FormatoGrafica> FormatoDeRuta(const QString &ruta)
{
    const QString extension = QFileInfo(ruta).suffix().toLower();
    if (extension == u"png")
        return FormatoGrafica::png;
    if (extension == u"svg")
        return FormatoGrafica::svg;
    if (extension == u"pdf")
        return FormatoGrafica::pdf;
    return std::nullopt;
}

void GuardaGrafica(const QString &ruta, const ModeloGrafica &modelo, QSize tamano)
{
    const std::optional<FormatoGrafica> formato = FormatoDeRuta(ruta);
    if (!formato)
        throw ErrorArchivo(
            TextoDe(Mensaje::graficaSinExtension).arg(ruta));
    // Composed whole in memory first: a plot that cannot be drawn leaves the
    // file alone.
    const QByteArray bytes = ExportaGrafica(modelo, *formato, tamano);

    EscribeArchivo(ruta, bytes);
}
