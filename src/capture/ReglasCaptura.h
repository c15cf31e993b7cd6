#pragma once

#include <QString>
#include <optional>

// The count fields of the document window.
enum class CampoConteo { econdicion, ereplica };

struct FalloCaptura
{
    QString mensaje;
    CampoConteo campo;
};

// The checks of ValidaCaptura on the two count texts, in their order: the
// first failure, or nothing when both counts are within their limits.
// A non-empty count that is not an integer throws ErrorConversion.
std::optional<FalloCaptura> RevisaConteos(const QString &condicion, const QString &replica);
