#pragma once

#include "core/motor/ResultadosAnova.h"

#include <array>
#include <optional>

// One row of the analysis-of-variance table, as the result grid, the report
// and both page layouts present it; each of them gives the source its own
// heading.
struct FilaAnova
{
    enum class Fuente { fam, errorMetodo };

    Fuente fuente;
    int gradosLibertad;
    Cifra sumaCuadrados;
    Cifra mediaCuadrados;
    std::optional<Cifra> f;              // the FAM row only
    std::optional<double> probabilidad;  // P(F > f), the FAM row only
};

// The rows in the order they are shown: FAM, then the method's error.
std::array<FilaAnova, 2> FilasAnova(const ResultadosAnova &resultados);
