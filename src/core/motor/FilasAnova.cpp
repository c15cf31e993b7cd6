#include "FilasAnova.h"

std::array<FilaAnova, 2> FilasAnova(const AnovaResults &r)
{
    return {{
        {FilaAnova::Fuente::fam, r[Ranura::glfam], r[Ranura::scfam], r[Ranura::mcfam],
         r[Ranura::fcal], r[Ranura::pfcal]},
        {FilaAnova::Fuente::errorMetodo, r[Ranura::glerror], r[Ranura::scerror],
         r[Ranura::mcerror], std::nullopt, std::nullopt},
    }};
}
