#include "Grafica.h"

#include "core/motor/Conversiones.h"
#include "core/motor/Formato.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// A marker's height as a share of the vertical axis at about half a page:
// values closer than this would overlap.
constexpr double empate = 0.032;
// Where the points and the mean sit in a level's column, in column widths
// from its centre, and how far the points may spread to either side.
constexpr double columnaPuntos = -0.12;
constexpr double columnaPromedio = 0.26;
constexpr double anchoEnjambre = 0.26;

// 1, 2, 5 or 10 times a power of ten, nearest to `x`.
double numeroNitido(double x)
{
    const double potencia = std::pow(10.0, std::floor(std::log10(x)));
    const double f = x / potencia;
    const double nitido = f < 1.5 ? 1.0 : f < 3.0 ? 2.0 : f < 7.0 ? 5.0 : 10.0;
    return nitido * potencia;
}

QString etiquetaNivel(const QString &cabecera, int i)
{
    const QString texto = cabecera.trimmed();
    if (texto.isEmpty() || texto == QString::number(i))
        return QStringLiteral("FAM %1").arg(i);
    return texto;
}

// Puts each value, in the order of value and then of sample, in the
// nearest free place to the column (0, +1, −1, +2, …) that no closer value
// already holds; then centres each run of overlapping values on the column.
void separaEmpates(QList<PuntoGrafica> &puntos, double tolerancia)
{
    QList<int> orden(puntos.size());
    std::iota(orden.begin(), orden.end(), 0);
    std::stable_sort(orden.begin(), orden.end(),
                     [&](int a, int b) { return puntos[a].valor < puntos[b].valor; });
    for (qsizetype q = 0; q < orden.size(); ++q) {
        PuntoGrafica &punto = puntos[orden[q]];
        for (int intento = 0;; ++intento) {
            const double lugar = intento % 2 ? (intento + 1) / 2 : -(intento / 2);
            const bool ocupado = std::any_of(orden.begin(), orden.begin() + q, [&](int otro) {
                return puntos[otro].desplazamiento == lugar && punto.valor - puntos[otro].valor < tolerancia;
            });
            if (!ocupado) {
                punto.desplazamiento = lugar;
                break;
            }
        }
    }
    qsizetype inicio = 0;
    while (inicio < orden.size()) {
        qsizetype fin = inicio + 1;
        while (fin < orden.size() && puntos[orden[fin]].valor - puntos[orden[fin - 1]].valor < tolerancia)
            ++fin;
        double menor = 0.0, mayor = 0.0;
        for (qsizetype q = inicio; q < fin; ++q) {
            menor = std::min(menor, puntos[orden[q]].desplazamiento);
            mayor = std::max(mayor, puntos[orden[q]].desplazamiento);
        }
        for (qsizetype q = inicio; q < fin; ++q)
            puntos[orden[q]].desplazamiento -= (menor + mayor) / 2.0;
        inicio = fin;
    }
}

} // namespace

QList<MarcaEje> MarcasNitidas(double minimo, double maximo, int cuantas, QChar separador)
{
    double amplitud = maximo - minimo;
    if (!(amplitud > 0.0))
        amplitud = minimo != 0.0 ? std::fabs(minimo) * 0.1 : 1.0;
    const double paso = numeroNitido(amplitud / std::max(1, cuantas - 1));
    const double primero = std::floor(minimo / paso);
    double ultimo = std::ceil(maximo / paso);
    if (ultimo <= primero)
        ultimo = primero + 1.0;
    const int decimales = std::max(0, int(-std::floor(std::log10(paso) + 1e-9)));
    QList<MarcaEje> marcas;
    for (double m = primero; m <= ultimo; m += 1.0) {
        // Whole multiples of the step: no drift, and an exact zero.
        const double valor = m == 0.0 ? 0.0 : m * paso;
        QString texto = QString::number(valor, 'f', decimales);
        texto.replace(u'.', separador);
        marcas.append({valor, texto});
    }
    return marcas;
}

BandaAceptacion BandaDe(const Equivalencia &e)
{
    return {e.delta, e.bandaInferior, e.bandaSuperior};
}

ModeloGrafica ModeloDeGrafica(const Estudio &estudio, const ResultadosAnova &resultados, QChar separador,
                              const std::optional<BandaAceptacion> &banda)
{
    const int k = resultados.k();
    const int n = EnteroDeTexto(estudio.numeroMuestras);

    ModeloGrafica modelo;
    modelo.separador = separador;
    modelo.titulo = QStringLiteral("FAM: ") + estudio.factores.trimmed();
    modelo.subtitulo = QStringLiteral("Método: ") + estudio.metodo.trimmed();
    QStringList detalle;
    if (!estudio.fecha.trimmed().isEmpty())
        detalle << QStringLiteral("Fecha: ") + estudio.fecha.trimmed();
    if (!estudio.analista.trimmed().isEmpty())
        detalle << QStringLiteral("Analista: ") + estudio.analista.trimmed();
    modelo.detalle = detalle.join(QStringLiteral("   ·   "));

    modelo.promedioGeneral = resultados.total.promedio;

    double minimo = modelo.promedioGeneral.valor;
    double maximo = modelo.promedioGeneral.valor;
    modelo.banda = banda;
    if (banda) {
        minimo = banda->inferior.valor;
        maximo = banda->superior.valor;
    }
    for (int i = 1; i <= k; ++i) {
        NivelGrafica nivel;
        nivel.etiqueta = etiquetaNivel(estudio.rejilla.celda(i, 0), i);
        for (int j = 1; j <= n; ++j) {
            const double valor = RealDeTexto(estudio.rejilla.celda(i, j), separador);
            nivel.puntos.append({valor, 0.0});
            minimo = std::min(minimo, valor);
            maximo = std::max(maximo, valor);
        }
        nivel.promedio = resultados.nivel(i).promedio;
        nivel.inferior = resultados.nivel(i).inferior;
        nivel.superior = resultados.nivel(i).superior;
        minimo = std::min(minimo, nivel.inferior.valor);
        maximo = std::max(maximo, nivel.superior.valor);
        modelo.niveles.append(nivel);
    }

    // A little room so no marker sits on the frame.
    const double holgura = (maximo - minimo) * 0.04;
    modelo.marcas = MarcasNitidas(minimo - holgura, maximo + holgura, 6, separador);
    modelo.ejeMinimo = modelo.marcas.first().valor;
    modelo.ejeMaximo = modelo.marcas.last().valor;

    const double tolerancia = (modelo.ejeMaximo - modelo.ejeMinimo) * empate;
    for (NivelGrafica &nivel : modelo.niveles)
        separaEmpates(nivel.puntos, tolerancia);
    return modelo;
}

QString DescripcionGrafica(const ModeloGrafica &modelo)
{
    const QChar s = modelo.separador;
    const qsizetype n = modelo.niveles.isEmpty() ? 0 : modelo.niveles.first().puntos.size();
    QStringList frases;
    frases << QStringLiteral("Gráfica de los %1 valores de cada uno de los %2 FAM, con el promedio "
                             "de cada FAM, su intervalo del 95 % y el promedio general.")
                  .arg(n)
                  .arg(modelo.niveles.size());
    for (const NivelGrafica &nivel : modelo.niveles) {
        const auto [menor, mayor] = std::minmax_element(
            nivel.puntos.begin(), nivel.puntos.end(),
            [](const PuntoGrafica &a, const PuntoGrafica &b) { return a.valor < b.valor; });
        frases << QStringLiteral("%1: valores de %2 a %3; promedio %4, intervalo del 95 % de %5 a %6.")
                      .arg(nivel.etiqueta, FormatoGeneral(menor->valor, s),
                           FormatoGeneral(mayor->valor, s), FormatoGeneral(nivel.promedio, s),
                           FormatoGeneral(nivel.inferior, s), FormatoGeneral(nivel.superior, s));
    }
    frases << QStringLiteral("Promedio general: %1.").arg(FormatoGeneral(modelo.promedioGeneral, s));
    if (modelo.banda)
        frases << QStringLiteral("Banda de aceptación, promedio general ± %1: de %2 a %3.")
                      .arg(FormatoGeneral(modelo.banda->delta, s), FormatoGeneral(modelo.banda->inferior, s),
                           FormatoGeneral(modelo.banda->superior, s));
    return frases.join(u' ');
}

namespace {

// Colours that stay apart for colour-blind readers; the marker shapes
// carry the same difference on a black-and-white page.
const QColor coloresNivel[] = {QColor(0x00, 0x72, 0xB2), QColor(0xD5, 0x5E, 0x00), QColor(0x00, 0x9E, 0x73),
                               QColor(0xCC, 0x79, 0xA7), QColor(0xE6, 0x9F, 0x00)};

QPainterPath marcador(int nivel, QPointF centro, double r)
{
    QPainterPath camino;
    switch (nivel % 5) {
    case 0:
        camino.addEllipse(centro, r, r);
        break;
    case 1:
        camino.addRect(QRectF(centro.x() - r * 0.88, centro.y() - r * 0.88, r * 1.76, r * 1.76));
        break;
    case 2:
        camino.moveTo(centro.x(), centro.y() - r * 1.15);
        camino.lineTo(centro.x() + r * 1.05, centro.y() + r * 0.75);
        camino.lineTo(centro.x() - r * 1.05, centro.y() + r * 0.75);
        camino.closeSubpath();
        break;
    case 3:
        camino.moveTo(centro.x(), centro.y() - r * 1.2);
        camino.lineTo(centro.x() + r * 1.2, centro.y());
        camino.lineTo(centro.x(), centro.y() + r * 1.2);
        camino.lineTo(centro.x() - r * 1.2, centro.y());
        camino.closeSubpath();
        break;
    default:
        camino.moveTo(centro.x(), centro.y() + r * 1.15);
        camino.lineTo(centro.x() + r * 1.05, centro.y() - r * 0.75);
        camino.lineTo(centro.x() - r * 1.05, centro.y() - r * 0.75);
        camino.closeSubpath();
        break;
    }
    return camino;
}

QFont fuente(double pixeles, bool negrita = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, int(std::lround(pixeles))));
    f.setBold(negrita);
    return f;
}

// Draws `texto` in `caja` with `alineacion`, smaller (down to two thirds)
// or elided when it does not fit the box's width.
void textoAjustado(QPainter &pintor, const QRectF &caja, int alineacion, const QString &texto, QFont f)
{
    const int original = f.pixelSize();
    while (QFontMetricsF(f).horizontalAdvance(texto) > caja.width() && f.pixelSize() * 3 > original * 2)
        f.setPixelSize(f.pixelSize() - 1);
    pintor.setFont(f);
    const QString visible = QFontMetricsF(f).elidedText(texto, Qt::ElideRight, caja.width());
    pintor.drawText(caja, alineacion | Qt::TextSingleLine, visible);
}

QPen pluma(const QColor &color, double ancho, Qt::PenStyle estilo = Qt::SolidLine)
{
    return QPen(color, ancho, estilo, Qt::FlatCap, Qt::MiterJoin);
}

// The points of a level: light fill and dark outline, so overlapping ones show.
void estiloPunto(QPainter &pintor, const QColor &color, double u)
{
    pintor.setPen(pluma(color.darker(170), u * 0.08));
    QColor relleno = color;
    relleno.setAlphaF(0.75);
    pintor.setBrush(relleno);
}

} // namespace

void dibujaGrafica(QPainter &pintor, const QRectF &marco, const ModeloGrafica &modelo)
{
    pintor.save();
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setRenderHint(QPainter::TextAntialiasing);
    pintor.fillRect(marco, Qt::white);

    // One unit, the body text's height, sets every size: about 9 points on
    // a half page.
    const double u = std::min(marco.width() / 52.0, marco.height() / 32.0);
    const QColor tinta(0x20, 0x20, 0x20);
    // The marks the legend explains.
    const QPen plumaPromedioGeneral = pluma(QColor(0x55, 0x55, 0x55), u * 0.1, Qt::DashLine);
    const QPen plumaIntervalo = pluma(tinta, u * 0.12);
    const QPen plumaPromedio = pluma(Qt::black, u * 0.3);
    const QPen plumaBanda = pluma(QColor(0x00, 0x6B, 0x4F), u * 0.1, Qt::DotLine);
    const QColor rellenoBanda(0x00, 0x9E, 0x73, 0x2A);
    const double margen = u * 0.8;
    QRectF libre = marco.adjusted(margen, margen * 0.6, -margen, -margen * 0.6);

    // Title block.
    pintor.setPen(tinta);
    const double alto1 = u * 1.45, alto2 = u * 1.3, alto3 = u * 1.15;
    textoAjustado(pintor, QRectF(libre.left(), libre.top(), libre.width(), alto1),
                  Qt::AlignHCenter | Qt::AlignVCenter, modelo.titulo, fuente(u * 1.15, true));
    textoAjustado(pintor, QRectF(libre.left(), libre.top() + alto1, libre.width(), alto2),
                  Qt::AlignHCenter | Qt::AlignVCenter, modelo.subtitulo, fuente(u));
    textoAjustado(pintor, QRectF(libre.left(), libre.top() + alto1 + alto2, libre.width(), alto3),
                  Qt::AlignHCenter | Qt::AlignVCenter, modelo.detalle, fuente(u * 0.8));
    libre.setTop(libre.top() + alto1 + alto2 + alto3 + u * 0.6);

    // Legend and level labels below, tick labels and axis title to the left.
    const double altoLeyenda = u * 1.4;
    const double altoEtiquetas = u * 2.6;
    const QFont fuenteMarcas = fuente(u * 0.9);
    double anchoMarcas = 0.0;
    for (const MarcaEje &m : modelo.marcas)
        anchoMarcas = std::max(anchoMarcas, QFontMetricsF(fuenteMarcas).horizontalAdvance(m.texto));
    const double izquierda = libre.left() + u * 1.6 + anchoMarcas + u * 0.5;
    const QRectF area(izquierda, libre.top(), libre.right() - izquierda - u * 0.3,
                      libre.height() - altoEtiquetas - altoLeyenda - u * 0.4);
    if (area.width() <= 0 || area.height() <= 0 || modelo.niveles.isEmpty()) {
        pintor.restore();
        return;
    }

    const double escala = area.height() / (modelo.ejeMaximo - modelo.ejeMinimo);
    const auto y = [&](double valor) { return area.bottom() - (valor - modelo.ejeMinimo) * escala; };

    // Grid and ticks.
    pintor.setFont(fuenteMarcas);
    for (const MarcaEje &m : modelo.marcas) {
        const double yy = y(m.valor);
        pintor.setPen(pluma(QColor(0xD8, 0xD8, 0xD8), u * 0.06));
        pintor.drawLine(QPointF(area.left(), yy), QPointF(area.right(), yy));
        pintor.setPen(pluma(tinta, u * 0.08));
        pintor.drawLine(QPointF(area.left() - u * 0.35, yy), QPointF(area.left(), yy));
        pintor.drawText(QRectF(area.left() - u * 0.5 - anchoMarcas, yy - u, anchoMarcas, 2 * u),
                        Qt::AlignRight | Qt::AlignVCenter, m.texto);
    }
    // The axis title, turned to read upwards.
    pintor.save();
    pintor.translate(libre.left() + u * 0.7, area.center().y());
    pintor.rotate(-90);
    pintor.setPen(tinta);
    pintor.setFont(fuente(u * 0.95));
    pintor.drawText(QRectF(-area.height() / 2, -u * 0.75, area.height(), u * 1.5), Qt::AlignCenter,
                    QStringLiteral("Valores"));
    pintor.restore();

    const int k = int(modelo.niveles.size());
    const double columna = area.width() / k;
    const double radio = u * 0.36;
    // One spacing of spread points for all levels: a marker and a gap, less
    // when the widest spread would not fit its side of the column.
    double mayorDesplazamiento = 0.0;
    for (const NivelGrafica &nivel : modelo.niveles)
        for (const PuntoGrafica &p : nivel.puntos)
            mayorDesplazamiento = std::max(mayorDesplazamiento, std::fabs(p.desplazamiento));
    const double paso = mayorDesplazamiento > 0.0
                            ? std::min(radio * 2.3, anchoEnjambre * columna / mayorDesplazamiento)
                            : 0.0;

    // The band and the grand mean first, so points and bars stay on top of them.
    if (modelo.banda) {
        const double arriba = std::max(area.top(), y(modelo.banda->superior.valor));
        const double abajo = std::min(area.bottom(), y(modelo.banda->inferior.valor));
        pintor.fillRect(QRectF(area.left(), arriba, area.width(), abajo - arriba), rellenoBanda);
        pintor.setPen(plumaBanda);
        pintor.drawLine(QPointF(area.left(), arriba), QPointF(area.right(), arriba));
        pintor.drawLine(QPointF(area.left(), abajo), QPointF(area.right(), abajo));
    }
    pintor.setPen(plumaPromedioGeneral);
    pintor.drawLine(QPointF(area.left(), y(modelo.promedioGeneral.valor)),
                    QPointF(area.right(), y(modelo.promedioGeneral.valor)));

    for (int i = 0; i < k; ++i) {
        const NivelGrafica &nivel = modelo.niveles[i];
        const double centro = area.left() + columna * (i + 0.5);
        if (i > 0) {
            pintor.setPen(pluma(QColor(0xEE, 0xEE, 0xEE), u * 0.06));
            pintor.drawLine(QPointF(area.left() + columna * i, area.top()),
                            QPointF(area.left() + columna * i, area.bottom()));
        }

        // Interval and mean.
        const double xm = centro + columnaPromedio * columna;
        const double tapa = std::min(columna * 0.06, u * 0.6);
        pintor.setPen(plumaIntervalo);
        pintor.drawLine(QPointF(xm, y(nivel.inferior.valor)), QPointF(xm, y(nivel.superior.valor)));
        pintor.drawLine(QPointF(xm - tapa, y(nivel.inferior.valor)), QPointF(xm + tapa, y(nivel.inferior.valor)));
        pintor.drawLine(QPointF(xm - tapa, y(nivel.superior.valor)), QPointF(xm + tapa, y(nivel.superior.valor)));
        const double barra = std::min(columna * 0.1, u * 1.3);
        pintor.setPen(plumaPromedio);
        pintor.drawLine(QPointF(xm - barra, y(nivel.promedio.valor)), QPointF(xm + barra, y(nivel.promedio.valor)));

        // Points.
        estiloPunto(pintor, coloresNivel[i % 5], u);
        for (const PuntoGrafica &p : nivel.puntos) {
            const QPointF c(centro + columnaPuntos * columna + p.desplazamiento * paso, y(p.valor));
            pintor.drawPath(marcador(i, c, radio));
        }
        pintor.setBrush(Qt::NoBrush);

        // Level label and its mean below the axis.
        pintor.setPen(tinta);
        textoAjustado(pintor, QRectF(centro - columna / 2, area.bottom() + u * 0.3, columna, u * 1.2),
                      Qt::AlignCenter, nivel.etiqueta, fuente(u, true));
        textoAjustado(pintor, QRectF(centro - columna / 2, area.bottom() + u * 1.45, columna, u * 1.1),
                      Qt::AlignCenter,
                      QStringLiteral("promedio ") + FormatoGeneral(nivel.promedio, modelo.separador),
                      fuente(u * 0.85));
    }

    pintor.setPen(pluma(tinta, u * 0.1));
    pintor.drawRect(area);

    // Legend: what each mark means, drawn with the mark itself.
    const double yl = area.bottom() + altoEtiquetas + altoLeyenda / 2;
    const QFont fuenteLeyenda = fuente(u * 0.85);
    QStringList textos = {
        QStringLiteral("Valor de una muestra"), QStringLiteral("Promedio e intervalo del 95 %"),
        QStringLiteral("Promedio general ") + FormatoGeneral(modelo.promedioGeneral, modelo.separador)};
    if (modelo.banda)
        textos << QStringLiteral("Límite de aceptación ±") + FormatoGeneral(modelo.banda->delta, modelo.separador);
    const double muestra = u * 1.6, hueco = u * 0.4, separacion = u * 1.5;
    double total = 0.0;
    for (const QString &t : textos)
        total += muestra + hueco + QFontMetricsF(fuenteLeyenda).horizontalAdvance(t);
    total += (textos.size() - 1) * separacion;
    const double factor = std::min(1.0, area.width() / total);
    QFont ajustada = fuenteLeyenda;
    ajustada.setPixelSize(std::max(1, int(fuenteLeyenda.pixelSize() * factor)));
    pintor.setFont(ajustada);
    double x = area.center().x() - std::min(total, area.width()) / 2;
    for (int e = 0; e < textos.size(); ++e) {
        const double centroMuestra = x + muestra * factor / 2;
        if (e == 0) {
            estiloPunto(pintor, coloresNivel[0], u);
            pintor.drawPath(marcador(0, QPointF(centroMuestra, yl), radio));
            pintor.setBrush(Qt::NoBrush);
        } else if (e == 1) {
            pintor.setPen(plumaIntervalo);
            pintor.drawLine(QPointF(centroMuestra, yl - u * 0.55), QPointF(centroMuestra, yl + u * 0.55));
            pintor.setPen(plumaPromedio);
            pintor.drawLine(QPointF(centroMuestra - u * 0.5, yl), QPointF(centroMuestra + u * 0.5, yl));
        } else if (e == 2) {
            pintor.setPen(plumaPromedioGeneral);
            pintor.drawLine(QPointF(x, yl), QPointF(x + muestra * factor, yl));
        } else {
            const QRectF caja(x, yl - u * 0.45, muestra * factor, u * 0.9);
            pintor.fillRect(caja, rellenoBanda);
            pintor.setPen(plumaBanda);
            pintor.drawLine(caja.topLeft(), caja.topRight());
            pintor.drawLine(caja.bottomLeft(), caja.bottomRight());
        }
        x += (muestra + hueco) * factor;
        const double ancho = QFontMetricsF(ajustada).horizontalAdvance(textos[e]);
        pintor.setPen(tinta);
        pintor.drawText(QRectF(x, yl - u, ancho + 1, 2 * u), Qt::AlignLeft | Qt::AlignVCenter, textos[e]);
        x += ancho + separacion * factor;
    }
    pintor.restore();
}
