#include "Cifra.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace {

// Enough digits after the point to write any double exactly.
constexpr int digitosExactos = 767;

} // namespace

Cifra CifraDeDoble(double valor)
{
    Cifra cifra;
    cifra.valor = valor;
    if (!std::isfinite(valor) || valor == 0.0)
        return cifra;
    cifra.signo = valor < 0.0 ? -1 : 1;

    // The exact decimal value, d.ddd…e±x, then half-up on its seventh digit.
    std::array<char, 1024> texto{};
    const auto fin = std::to_chars(texto.data(), texto.data() + texto.size(), std::fabs(valor),
                                   std::chars_format::scientific, digitosExactos)
                         .ptr;
    const std::string_view exacto(texto.data(), static_cast<std::size_t>(fin - texto.data()));
    int digitos = exacto[0] - '0';
    for (std::size_t i = 2; i < 7; ++i)
        digitos = digitos * 10 + (exacto[i] - '0');
    // magnitude = 0.d1d2… × 10^e
    int exponente = std::atoi(exacto.data() + exacto.find('e') + 1) + 1;
    if (exacto[7] >= '5' && ++digitos == 1000000) {
        digitos = 100000;
        ++exponente;
    }
    cifra.digitos = digitos;
    cifra.exponente = exponente;
    return cifra;
}
