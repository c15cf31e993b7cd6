#include "ReglasCaptura.h"

#include "core/motor/Conversiones.h"
#include "core/motor/Mensajes.h"

#include <QStringList>

namespace {

// The limits of the two counts and their messages, the same on leaving a
// count field and on validating the capture.
constexpr int minimoFam = 2;
constexpr int maximoFam = 5;
constexpr int minimoMuestras = 2;
constexpr int maximoMuestras = 10;
const QString famFuera = TextoDe(Mensaje::famFueraDeLimite);
const QString muestrasFuera = TextoDe(Mensaje::muestrasFueraDeLimite);

std::optional<QString> revisaConteo(const QString &texto, const QString &falta, int minimo,
                                    int maximo, const QString &fuera)
{
    if (texto.isEmpty())
        return falta;
    if (!EsEntero(texto))
        return QStringLiteral("El valor de captura no es un valor numérico.");
    const int valor = EnteroDeTexto(texto);
    if (valor < minimo || valor > maximo)
        return fuera;
    return std::nullopt;
}

} // namespace

std::optional<FalloCaptura> RevisaConteos(const QString &condicion, const QString &replica)
{
    if (condicion.isEmpty())
        return FalloCaptura{TextoDe(Mensaje::faltaNumeroFam), CampoConteo::numeroFam};
    const int k = EnteroDeTexto(condicion);
    if (k < minimoFam || k > maximoFam)
        return FalloCaptura{famFuera, CampoConteo::numeroFam};
    if (replica.isEmpty())
        return FalloCaptura{TextoDe(Mensaje::faltaNumeroMuestras),
                            CampoConteo::numeroMuestras};
    const int n = EnteroDeTexto(replica);
    if (n < minimoMuestras || n > maximoMuestras)
        return FalloCaptura{muestrasFuera, CampoConteo::numeroMuestras};
    return std::nullopt;
}

std::optional<QString> RevisaConteoFam(const QString &texto)
{
    return revisaConteo(texto, TextoDe(Mensaje::faltaNumeroFamAlSalir), minimoFam, maximoFam,
                        famFuera);
}

std::optional<QString> RevisaConteoMuestras(const QString &texto)
{
    return revisaConteo(texto, TextoDe(Mensaje::faltaNumeroMuestrasAlSalir),
                        minimoMuestras, maximoMuestras, muestrasFuera);
}

std::optional<FalloCaptura> RevisaTamanoRejilla(const QString &condicion, const QString &replica,
                                                int columnas, int filas)
{
    if (EnteroDeTexto(condicion) != columnas - 1)
        return FalloCaptura{TextoDe(Mensaje::faltaAceptarConteos),
                            CampoConteo::numeroFam};
    if (EnteroDeTexto(replica) != filas - 1)
        return FalloCaptura{TextoDe(Mensaje::celdasNoCoinciden),
                            CampoConteo::numeroMuestras};
    return std::nullopt;
}

std::optional<FalloCelda> RevisaCeldas(const Rejilla &rejilla, const QString &condicion,
                                       const QString &replica, QChar separador)
{
    const int k = EnteroDeTexto(condicion);
    const int n = EnteroDeTexto(replica);
    for (int i = 1; i <= k; ++i) {
        for (int j = 1; j <= n; ++j) {
            const QString texto = rejilla.celda(i, j);
            if (texto.isEmpty())
                return FalloCelda{TextoDe(Mensaje::faltaMuestra).arg(QString::number(j), rejilla.celda(i, 0)),
                                  true, {i, j}};
            if (!EsReal(texto, separador))
                return FalloCelda{TextoDe(Mensaje::datoNoNumerico),
                                  false, {i, j}};
        }
    }
    return std::nullopt;
}

QList<Celda> PegaBloque(Rejilla &rejilla, int columna, int fila, const QString &bloque)
{
    QString texto = bloque;
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texto.replace(u'\r', u'\n');
    // A block copied from a spreadsheet ends with a line end, not an empty row.
    if (texto.endsWith(u'\n'))
        texto.chop(1);

    QList<Celda> escritas;
    if (bloque.isEmpty() || columna < 1 || fila < 1)
        return escritas;
    const QStringList lineas = texto.split(u'\n');
    for (qsizetype r = 0; r < lineas.size(); ++r) {
        const int j = fila + static_cast<int>(r);
        if (j >= rejilla.filas())
            break;
        const QStringList campos = lineas.at(r).split(u'\t');
        for (qsizetype c = 0; c < campos.size(); ++c) {
            const int i = columna + static_cast<int>(c);
            if (i >= rejilla.columnas())
                break;
            rejilla.ponCelda(i, j, campos.at(c));
            escritas.append({i, j});
        }
    }
    return escritas;
}
