#include "Hoja.h"

#include "core/motor/Conversiones.h"
#include "core/motor/FilasAnova.h"
#include "core/motor/Formato.h"

#include <algorithm>
#include <cstdlib>

namespace {
const QString fuentePagina = QStringLiteral("ARIAL");
// Points of the margin's lines.
constexpr int tamanoMargen = 8;
constexpr int maxLineasMargen = 4;
}

Hoja::Hoja(Lienzo &lienzo, int tamanoEncabezado, int tamanoTexto,
           const std::array<QString, 4> &encabezado, int primeraLinea)
    : m_lienzo(lienzo), m_tamanoEncabezado(tamanoEncabezado), m_tamanoTexto(tamanoTexto),
      m_primeraLinea(primeraLinea)
{
    m_lienzo.iniciaTrabajo();
    m_lienzo.ponFuente(fuentePagina, m_tamanoEncabezado);
    m_renglon = std::abs(m_lienzo.alturaFuente());
    m_columna = m_lienzo.tamanoFuente();
    for (int i = 0; i < 4; ++i)
        centrado(primeraLinea + i, encabezado[static_cast<std::size_t>(i)]);
    regla((primeraLinea + 4) * m_renglon + 20);
}

void Hoja::letraTexto()
{
    m_lienzo.ponFuente(fuentePagina, m_tamanoTexto);
}

void Hoja::escribe(int columnas, int lineas, const QString &texto)
{
    if (!texto.isEmpty())
        m_lienzo.escribe(columnas * m_columna, lineas * m_renglon, TextoVisible(texto));
}

void Hoja::centrado(int lineas, const QString &texto)
{
    const QString visible = TextoVisible(texto);
    // Integer division truncates toward zero, also for a text wider than the page.
    const int x = (m_lienzo.anchoPagina() - m_lienzo.anchoTexto(visible)) / 2;
    m_lienzo.escribe(x, lineas * m_renglon, visible);
}

void Hoja::derecha(int lineas, const QString &texto)
{
    const QString visible = TextoVisible(texto);
    m_lienzo.escribe(m_lienzo.anchoPagina() - m_lienzo.anchoTexto(visible), lineas * m_renglon,
                     visible);
}

void Hoja::numero(int columnas, int lineas, const Cifra &valor)
{
    escribe(columnas, lineas, FormatoGeneral(valor));
}

void Hoja::numero(int columnas, int lineas, double valor)
{
    escribe(columnas, lineas, FormatoGeneral(valor));
}

void Hoja::regla(int y)
{
    m_lienzo.mueveA(0, y);
    m_lienzo.lineaA(m_lienzo.anchoPagina(), y);
}

void Hoja::margen(const QStringList &lineas)
{
    EscribeMargen(m_lienzo, lineas);
}

int EscribeMargen(Lienzo &lienzo, const QStringList &lineas)
{
    if (lineas.isEmpty())
        return 0;
    lienzo.ponFuente(fuentePagina, tamanoMargen);
    // One and a quarter of the font's height apart: four lines take less
    // than the four header lines of the laser layout's top (five ink-jet).
    const int alto = std::abs(lienzo.alturaFuente());
    const int paso = alto + alto / 4;
    for (int i = 0; i < lineas.size(); ++i)
        lienzo.escribe(0, i * paso, TextoVisible(lineas[i]));
    return int(lineas.size() + 1) * paso;
}

QStringList LineasMargen(const Huella &huella, const QList<Firma> &firmas)
{
    QStringList lineas{LineaHuella(huella)};
    if (huella.sinGuardar())
        return lineas;
    QStringList validas;
    for (const Firma &firma : firmas) {
        if (!firma.valida())
            continue;
        QString utc = firma.entrada.contexto.utc;
        utc.replace(u'T', u' ').replace(u'Z', QStringLiteral(" UTC"));
        validas << QStringLiteral("Firma: %1 %2 (%3), %4")
                       .arg(TextoSignificado(firma.entrada.significado), firma.entrada.firmante,
                            firma.entrada.contexto.autor.cuenta, utc);
    }
    if (validas.size() >= maxLineasMargen) {
        const qsizetype caben = maxLineasMargen - 2;
        lineas << validas.first(caben)
               << QStringLiteral("Y %1 firmas válidas más en el registro de cambios.").arg(validas.size() - caben);
        return lineas;
    }
    return lineas << validas;
}

void UnTrabajo(Lienzo &lienzo, const std::function<void()> &pagina)
{
    try {
        pagina();
    } catch (...) {
        // A half-drawn page must not stay open: the next job would fail.
        lienzo.abortaTrabajo();
        throw;
    }
    lienzo.terminaTrabajo();
}

std::array<QString, 8> InformacionGeneral(const Estudio &estudio)
{
    return {TextoPagina::fam + estudio.factores,
            EtiquetaEstudio::metodo + estudio.metodo,
            EtiquetaEstudio::analista + estudio.analista,
            EtiquetaEstudio::fecha + estudio.fecha,
            EtiquetaEstudio::numeroFam,
            estudio.numeroFam,
            EtiquetaEstudio::numeroMuestras,
            estudio.numeroMuestras};
}

void ImprimeRejilla(Hoja &hoja, const Estudio &estudio, int x0, int dx, int y0)
{
    const int k = EnteroDeTexto(estudio.numeroFam);
    const Rejilla &rejilla = estudio.rejilla;
    // k comes from the field as typed; the grid bounds what can be printed.
    const int ultimaColumna = std::min(k, rejilla.columnas() - 1);
    for (int c = 0; c <= ultimaColumna; ++c)
        for (int r = 0; r < rejilla.filas(); ++r)
            hoja.escribe(x0 + dx * c, y0 + r, rejilla.celda(c, r));
}

void PieDePagina(Hoja &hoja, int linea, const QString &version)
{
    hoja.derecha(linea, version);
    hoja.regla((linea + 1) * hoja.renglon());
}

int FilasAnovaEnHoja(Hoja &hoja, const ResultadosAnova &resultados, int linea, const ColumnasAnova &columnas)
{
    for (const FilaAnova &fila : FilasAnova(resultados)) {
        hoja.escribe(columnas.fuente, linea, columnas.fuentes[fila.fuente == FilaAnova::Fuente::fam ? 0 : 1]);
        hoja.numero(columnas.grados, linea, fila.gradosLibertad);
        hoja.numero(columnas.suma, linea, fila.sumaCuadrados);
        hoja.numero(columnas.media, linea, fila.mediaCuadrados);
        if (fila.f)
            hoja.numero(columnas.f, linea, *fila.f);
        if (fila.probabilidad)
            hoja.numero(columnas.probabilidad, linea, *fila.probabilidad);
        ++linea;
    }
    return linea;
}

int BloqueIntervalos(Hoja &hoja, const ResultadosAnova &resultados, int pares, int linea,
                     const ColumnasIntervalos &columnas)
{
    for (std::size_t i = 0; i < 5; ++i)
        hoja.escribe(columnas.titulos[i], linea, columnas.textos[i]);
    pares = std::clamp(pares, 0, static_cast<int>(resultados.pares.size()));
    for (int p = 1; p <= pares; ++p) {
        const IntervaloPar &par = resultados.pares.at(p - 1);
        const int y = linea + p;
        hoja.escribe(columnas.valores[0], y, QString::number(par.menor));
        hoja.escribe(columnas.valores[1], y, QString::number(par.mayor));
        hoja.numero(columnas.valores[2], y, par.inferior);
        hoja.numero(columnas.valores[3], y, par.superior);
        hoja.escribe(columnas.valores[4], y,
                     par.hayDiferencia ? TextoPagina::hayDiferencia : TextoPagina::sinDiferencia);
    }
    return pares;
}
