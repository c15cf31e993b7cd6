#include "ReglasCaptura.h"

#include "stats/Conversiones.h"

std::optional<FalloCaptura> RevisaConteos(const QString &condicion, const QString &replica)
{
    if (condicion.isEmpty())
        return FalloCaptura{QStringLiteral("Falta capturar el número de FAM."), CampoConteo::econdicion};
    const int k = StrToInt(condicion);
    if (k < 2 || k > 5)
        return FalloCaptura{QStringLiteral("Datos fuera de límite, 2-5 FAM."), CampoConteo::econdicion};
    if (replica.isEmpty())
        return FalloCaptura{QStringLiteral("Falta capturar el número de valoraciones(replicaciones)."),
                            CampoConteo::ereplica};
    const int n = StrToInt(replica);
    if (n < 2 || n > 10)
        return FalloCaptura{QStringLiteral("Datos fuera de límite, 2-10 valoraciones (Replicaciones)."),
                            CampoConteo::ereplica};
    return std::nullopt;
}
