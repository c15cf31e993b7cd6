#pragma once

#include <array>

// The 48-slot results record the engine fills and every presenter reads.
struct AnovaResults
{
    std::array<double, 48> ranura{};

    double &operator[](int i) { return ranura[static_cast<std::size_t>(i)]; }
    double operator[](int i) const { return ranura[static_cast<std::size_t>(i)]; }
};

// Per-FAM values, indexed 1..10 (element 0 is never used).
using ArregloFam = std::array<double, 11>;

// Everything one holder keeps of a calculation: the record, the three
// per-FAM arrays and the critical t value, in the engine's parameter order.
struct JuegoResultados
{
    AnovaResults resultados;
    ArregloFam desviaciones{};
    ArregloFam coeficientes{};
    ArregloFam promedios{};
    double ttabla = 0.0;
};

namespace Ranura {
constexpr int glfam = 0;
constexpr int glerror = 1;
constexpr int scfam = 2;
constexpr int scerror = 3;
constexpr int mcfam = 4;
constexpr int mcerror = 5;
constexpr int fcal = 6;
constexpr int pfcal = 7;
constexpr int promedio1 = 8;
constexpr int promedio2 = 9;
constexpr int promedio3 = 10;
constexpr int promedio4 = 11;
constexpr int promediototal = 12;
constexpr int desvest1 = 13;
constexpr int desvest2 = 14;
constexpr int desvest3 = 15;
constexpr int desvest4 = 16;
constexpr int desvesttotal = 17;
constexpr int coefvar1 = 18;
constexpr int coefvar2 = 19;
constexpr int coefvar3 = 20;
constexpr int coefvar4 = 21;
constexpr int coefvartotal = 22;
constexpr int liminf12 = 23;
constexpr int limsup12 = 24;
constexpr int liminf13 = 25;
constexpr int limsup13 = 26;
constexpr int liminf14 = 27;
constexpr int limsup14 = 28;
constexpr int liminf23 = 29;
constexpr int limsup23 = 30;
constexpr int liminf24 = 31;
constexpr int limsup24 = 32;
constexpr int liminf34 = 33;
constexpr int limsup34 = 34;
constexpr int promedio5 = 35;
constexpr int desvest5 = 36;
constexpr int coefvar5 = 37;
constexpr int liminf15 = 38;
constexpr int limsup15 = 39;
constexpr int liminf25 = 40;
constexpr int limsup25 = 41;
constexpr int liminf35 = 42;
constexpr int limsup35 = 43;
constexpr int liminf45 = 44;
constexpr int limsup45 = 45;

// Slots of FAM i (1..5): mean, standard deviation, coefficient of variation.
constexpr int promedio(int i) { return i == 5 ? promedio5 : promedio1 + i - 1; }
constexpr int desvest(int i) { return i == 5 ? desvest5 : desvest1 + i - 1; }
constexpr int coefvar(int i) { return i == 5 ? coefvar5 : coefvar1 + i - 1; }
} // namespace Ranura
