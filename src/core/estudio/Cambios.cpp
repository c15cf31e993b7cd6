#include "Cambios.h"

#include <algorithm>
#include <array>

namespace {

struct Campo
{
    const char *clave;
    const char16_t *nombre;
    QString ArchivoEstudio::*texto;
};

// The six fields in the file's order, under the labels of the study window.
const std::array<Campo, 6> campos{{
    {"fam", u"Factores Ajenos al Método (FAM)", &ArchivoEstudio::factores},
    {"metodo", u"Nombre del método", &ArchivoEstudio::metodo},
    {"analista", u"Nombre del Analista", &ArchivoEstudio::analista},
    {"fecha", u"Fecha", &ArchivoEstudio::fecha},
    {"numeroFam", u"Número de FAM", &ArchivoEstudio::numeroFam},
    {"numeroMuestras", u"Número de Muestras", &ArchivoEstudio::numeroMuestras},
}};

const QString celda = QStringLiteral("celda");

std::optional<QString> valor(const std::optional<ArchivoEstudio> &archivo, int i, int j)
{
    if (!archivo || i > archivo->k || j > archivo->n)
        return std::nullopt;
    return archivo->valores.value(i - 1).value(j - 1);
}

} // namespace

QList<Cambio> CambiosEntre(const std::optional<ArchivoEstudio> &antes, const ArchivoEstudio &despues)
{
    QList<Cambio> cambios;
    for (const Campo &c : campos) {
        const std::optional<QString> viejo = antes ? std::optional((*antes).*c.texto) : std::nullopt;
        if (viejo != despues.*c.texto)
            cambios.append({QLatin1String(c.clave), 0, 0, viejo, despues.*c.texto});
    }
    const int k = std::max(antes ? antes->k : 0, despues.k);
    const int n = std::max(antes ? antes->n : 0, despues.n);
    for (int i = 1; i <= k; ++i)
        for (int j = 1; j <= n; ++j) {
            const std::optional<QString> viejo = valor(antes, i, j);
            const std::optional<QString> nuevo = valor(despues, i, j);
            if (viejo != nuevo)
                cambios.append({celda, i, j, viejo, nuevo});
        }
    return cambios;
}

QString NombreCambio(const Cambio &cambio)
{
    if (cambio.campo == celda)
        return QStringLiteral("FAM %1, muestra %2").arg(cambio.fam).arg(cambio.muestra);
    for (const Campo &c : campos)
        if (cambio.campo == QLatin1String(c.clave))
            return QString::fromUtf16(c.nombre);
    return cambio.campo;
}
