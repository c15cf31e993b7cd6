#include "FilasAnova.h"

std::array<FilaAnova, 2> FilasAnova(const ResultadosAnova &r)
{
    return {{
        {FilaAnova::Fuente::fam, r.fam.gradosLibertad, r.fam.sumaCuadrados, r.fam.mediaCuadrados,
         r.fcal, r.pfcal},
        {FilaAnova::Fuente::errorMetodo, r.error.gradosLibertad, r.error.sumaCuadrados,
         r.error.mediaCuadrados, std::nullopt, std::nullopt},
    }};
}
