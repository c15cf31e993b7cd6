#include "PaginasTexto.h"

#include "core/motor/Formato.h"
#include "core/paginas/Hoja.h"

#include <QList>

#include <algorithm>
#include <cstdlib>

namespace {

const QString fuenteTexto = QStringLiteral("ARIAL");
constexpr int puntosTexto = 10;
constexpr int puntosMargen = 8;

// A line's step: the font's height and a quarter more, so that accents and
// descenders of neighbouring lines never touch.
int paso(const Lienzo &lienzo)
{
    const int alto = std::abs(lienzo.alturaFuente());
    return alto + alto / 4;
}

qsizetype sangria(const QString &linea)
{
    qsizetype n = 0;
    while (n < linea.size() && linea[n] == u' ')
        ++n;
    return n;
}

// `linea` in pieces no wider than `ancho`, in the canvas's current font.
QStringList parte(const Lienzo &lienzo, const QString &linea, int ancho)
{
    const QString visible = TextoVisible(linea);
    if (visible.trimmed().isEmpty() || lienzo.anchoTexto(visible) <= ancho)
        return {visible};
    const QString continuacion(sangria(visible) + 2, u' ');
    QStringList piezas;
    QString actual = visible.left(sangria(visible));
    // Whether `actual` holds a word yet: a piece is never its indent alone.
    bool conPalabra = false;
    const auto cierra = [&] {
        piezas << actual;
        actual = continuacion;
        conPalabra = false;
    };
    for (const QString &palabra : visible.mid(sangria(visible)).split(u' ', Qt::SkipEmptyParts)) {
        const QString junto = conPalabra ? actual + u' ' + palabra : actual + palabra;
        if (lienzo.anchoTexto(junto) <= ancho) {
            actual = junto;
            conPalabra = true;
            continue;
        }
        if (conPalabra)
            cierra();
        // A word wider than what is left of the line goes character by character.
        for (const QChar c : palabra) {
            if (conPalabra && lienzo.anchoTexto(actual + c) > ancho)
                cierra();
            actual += c;
            conPalabra = true;
        }
    }
    if (conPalabra)
        piezas << actual;
    return piezas;
}

} // namespace

QString PiePagina(int pagina, int paginas)
{
    return QStringLiteral("Página %1 de %2").arg(pagina).arg(paginas);
}

void DibujaPaginasTexto(Lienzo &lienzo, const QString &titulo, const QStringList &lineas,
                        const QStringList &margen)
{
    UnTrabajo(lienzo, [&] {
        lienzo.iniciaTrabajo();
        const int ancho = lienzo.anchoPagina();

        lienzo.ponFuente(fuenteTexto, puntosMargen);
        const int pasoMargen = paso(lienzo);
        QStringList lineasMargen;
        for (const QString &linea : margen)
            lineasMargen << parte(lienzo, linea, ancho);
        lienzo.ponFuente(fuenteTexto, puntosTexto);
        const int pasoTexto = paso(lienzo);
        QStringList cabecera;
        if (!titulo.trimmed().isEmpty())
            cabecera << parte(lienzo, titulo, ancho) << QString();
        // The body starts a line below the margin (and below the title) and
        // ends a line above the foot.
        const int arriba = int(lineasMargen.size()) * pasoMargen + pasoTexto;
        const int pie = lienzo.altoPagina() - pasoTexto;
        const int porPagina = std::max(1, (pie - pasoTexto - arriba) / pasoTexto - int(cabecera.size()));

        QList<QStringList> paginas(1);
        for (const QString &linea : lineas)
            for (const QString &pieza : parte(lienzo, linea, ancho)) {
                if (paginas.last().size() == porPagina)
                    paginas.append(QStringList());
                // A page never begins with a blank line.
                if (!paginas.last().isEmpty() || !pieza.trimmed().isEmpty())
                    paginas.last() << pieza;
            }

        for (qsizetype p = 0; p < paginas.size(); ++p) {
            if (p > 0)
                lienzo.nuevaPagina();
            lienzo.ponFuente(fuenteTexto, puntosMargen);
            for (qsizetype i = 0; i < lineasMargen.size(); ++i)
                lienzo.escribe(0, int(i) * pasoMargen, lineasMargen[i]);
            lienzo.ponFuente(fuenteTexto, puntosTexto);
            const QStringList pagina = cabecera + paginas[p];
            for (qsizetype i = 0; i < pagina.size(); ++i)
                if (!pagina[i].trimmed().isEmpty())
                    lienzo.escribe(0, arriba + int(i) * pasoTexto, pagina[i]);
            const QString textoPie = PiePagina(int(p) + 1, int(paginas.size()));
            lienzo.escribe(ancho - lienzo.anchoTexto(textoPie), pie, textoPie);
        }
    });
}
