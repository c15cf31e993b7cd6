#include "DocumentoVerificacion.h"

#include "core/paginas/Hoja.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

const QString titulo = u"Verificación de Tolerancia del Método (calificación operacional)"_s;
const std::array<QString, 5> encabezados = {u"Comprobación"_s, u"Esperado"_s, u"Obtenido"_s,
                                            u"Tolerancia"_s, u"Resultado"_s};
const std::array<QString, 3> camposFirma = {u"Verificado por:"_s, u"Fecha:"_s, u"Firma:"_s};

std::array<QString, 5> Celdas(const Comprobacion &c)
{
    return {c.descripcion, c.esperado, c.obtenido, c.tolerancia, c.pasa ? u"PASA"_s : u"FALLA"_s};
}

QStringList Fuentes(const QList<Comprobacion> &comprobaciones)
{
    QStringList fuentes;
    for (const Comprobacion &c : comprobaciones)
        if (!fuentes.contains(c.fuente))
            fuentes << c.fuente;
    return fuentes;
}

QStringList LineasFuentes(const QList<Comprobacion> &comprobaciones)
{
    QStringList lineas{u"Fuentes de los valores esperados, obtenidos aparte del programa y guardados con él:"_s};
    for (const QString &fuente : Fuentes(comprobaciones))
        lineas << u"  - "_s + fuente;
    return lineas;
}

} // namespace

QString VeredictoVerificacion(const QList<Comprobacion> &comprobaciones)
{
    const auto fallan = std::count_if(comprobaciones.begin(), comprobaciones.end(),
                                      [](const Comprobacion &c) { return !c.pasa; });
    if (TodasPasan(comprobaciones))
        return u"Resultado: PASA. Las %1 comprobaciones dan el valor esperado."_s.arg(comprobaciones.size());
    return u"Resultado: FALLA. %1 de %2 comprobaciones no dan el valor esperado (se listan primero)."_s
        .arg(fallan)
        .arg(comprobaciones.size());
}

QStringList LineasVerificacion(const EntornoVerificacion &entorno, const QList<Comprobacion> &comprobaciones)
{
    std::array<qsizetype, 5> anchos{};
    for (int c = 0; c < 5; ++c)
        anchos[c] = encabezados[c].size();
    for (const Comprobacion &comprobacion : comprobaciones) {
        const auto celdas = Celdas(comprobacion);
        for (int c = 0; c < 5; ++c)
            anchos[c] = std::max(anchos[c], celdas[c].size());
    }
    const auto fila = [&anchos](const std::array<QString, 5> &celdas) {
        QString linea;
        for (int c = 0; c < 4; ++c)
            linea += celdas[c].leftJustified(anchos[c]) + u"  "_s;
        return linea + celdas[4];
    };
    QStringList lineas{titulo, {}};
    lineas << LineasEntorno(entorno) << QString() << VeredictoVerificacion(comprobaciones) << QString()
           << fila(encabezados);
    for (const Comprobacion &c : comprobaciones)
        lineas << fila(Celdas(c));
    lineas << QString() << LineasFuentes(comprobaciones);
    return lineas;
}

namespace {

const QString fuenteDocumento = u"ARIAL"_s;
constexpr int puntosTitulo = 12;
constexpr int puntosMaximos = 8;
constexpr int puntosMinimos = 5;

// One line of the document: a text, the checks' columns, a rule or a field to sign.
struct Renglon
{
    enum class Tipo { texto, titulo, columnas, regla, firma };
    Tipo tipo = Tipo::texto;
    std::array<QString, 5> celdas;
};

} // namespace

void ImprimeVerificacion(Lienzo &lienzo, const EntornoVerificacion &entorno,
                         const QList<Comprobacion> &comprobaciones)
{
    using Tipo = Renglon::Tipo;
    QList<Renglon> renglones;
    const auto texto = [&renglones](const QString &t, Tipo tipo = Tipo::texto) {
        renglones.append({tipo, {t}});
    };
    texto(titulo, Tipo::titulo);
    texto({});
    for (const QString &linea : LineasEntorno(entorno))
        texto(linea);
    texto({});
    texto(VeredictoVerificacion(comprobaciones));
    texto({});
    renglones.append({Tipo::columnas, encabezados});
    renglones.append({Tipo::regla, {}});
    for (const Comprobacion &c : comprobaciones)
        renglones.append({Tipo::columnas, Celdas(c)});
    texto({});
    for (const QString &linea : LineasFuentes(comprobaciones))
        texto(linea);
    texto({});
    for (const QString &campo : camposFirma)
        renglones.append({Tipo::firma, {campo}});

    UnTrabajo(lienzo, [&] {
        lienzo.iniciaTrabajo();
        const int ancho = lienzo.anchoPagina();
        // The body's size: the largest whose columns fit across the page.
        int puntos = puntosMaximos;
        std::array<int, 5> x{};
        for (;; --puntos) {
            lienzo.ponFuente(fuenteDocumento, puntos);
            const int hueco = lienzo.anchoTexto(u"    "_s);
            std::array<int, 5> anchos{};
            for (const Renglon &r : renglones)
                if (r.tipo == Tipo::columnas)
                    for (int c = 0; c < 5; ++c)
                        anchos[c] = std::max(anchos[c], lienzo.anchoTexto(r.celdas[c]));
            for (int c = 1; c < 5; ++c)
                x[c] = x[c - 1] + anchos[c - 1] + hueco;
            if (x[4] + anchos[4] <= ancho || puntos == puntosMinimos)
                break;
        }
        const int alto = lienzo.alturaFuente() * 3 / 2;
        // Each field to sign takes three lines, the title two; the foot of
        // every page keeps two for its number.
        const auto altura = [alto](const Renglon &r) {
            return r.tipo == Tipo::firma ? 3 * alto : r.tipo == Tipo::titulo ? 2 * alto : alto;
        };
        const int util = std::max(lienzo.altoPagina() - 2 * alto, 4 * alto);
        QList<int> primeros{0};  // the first line of each page
        for (int i = 0, y = 0; i < renglones.size(); ++i) {
            if (y + altura(renglones[i]) > util && y > 0) {
                primeros << i;
                y = 0;
            }
            y += altura(renglones[i]);
        }
        const int paginas = int(primeros.size());
        for (int p = 0; p < paginas; ++p) {
            if (p > 0)
                lienzo.nuevaPagina();
            const int hasta = p + 1 < paginas ? primeros[p + 1] : int(renglones.size());
            int y = 0;
            for (int i = primeros[p]; i < hasta; ++i) {
                const Renglon &r = renglones[i];
                switch (r.tipo) {
                case Tipo::titulo:
                    lienzo.ponFuente(fuenteDocumento, puntosTitulo);
                    lienzo.escribe(0, y, r.celdas[0]);
                    lienzo.ponFuente(fuenteDocumento, puntos);
                    break;
                case Tipo::texto:
                    lienzo.escribe(0, y, r.celdas[0]);
                    break;
                case Tipo::columnas:
                    for (int c = 0; c < 5; ++c)
                        lienzo.escribe(x[c], y, r.celdas[c]);
                    break;
                case Tipo::regla:
                    lienzo.mueveA(0, y + alto / 2);
                    lienzo.lineaA(ancho, y + alto / 2);
                    break;
                case Tipo::firma: {
                    // The field's name, and a line to write on after it.
                    lienzo.escribe(0, y + alto, r.celdas[0]);
                    const int linea = y + alto + lienzo.alturaFuente();
                    lienzo.mueveA(x[1], linea);
                    lienzo.lineaA(std::min(ancho, x[1] + ancho / 2), linea);
                    break;
                }
                }
                y += altura(r);
            }
            const QString numero = u"página %1 de %2"_s.arg(p + 1).arg(paginas);
            lienzo.escribe(ancho - lienzo.anchoTexto(numero), util + alto, numero);
        }
    });
}
