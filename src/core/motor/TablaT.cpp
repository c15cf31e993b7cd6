#include "TablaT.h"

#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <array>

namespace {

// Two-sided 95 % critical values of Student's t, one per degree of freedom
// 1..324 (index 0 and 325 unused).
using TablaT = std::array<double, 326>;

struct Tramo
{
    int desde;
    int hasta;
    double t;
};

TablaT construye()
{
    TablaT tabla{};
    constexpr double primeros[30] = {
        0.0,    12.706, 4.3027, 3.1825, 2.7764, 2.5706, 2.4469, 2.3646, 2.306,  2.2622,
        2.2281, 2.201,  2.1788, 2.1604, 2.1448, 2.1315, 2.1199, 2.1098, 2.1009, 2.093,
        2.086,  2.0796, 2.0739, 2.0687, 2.0639, 2.0595, 2.0555, 2.0518, 2.0484, 2.0452,
    };
    for (int df = 1; df < 30; ++df)
        tabla[static_cast<std::size_t>(df)] = primeros[df];
    // From 30 degrees of freedom on, every df of a range takes the value of
    // the range's first df.
    constexpr Tramo tramos[] = {
        {30, 34, 2.0423},   {35, 39, 2.0301},   {40, 44, 2.0211},   {45, 49, 2.0141},
        {50, 59, 2.0086},   {60, 69, 2.0003},   {70, 79, 1.9945},   {80, 89, 1.9901},
        {90, 99, 1.9867},   {100, 119, 1.984},  {120, 139, 1.9799}, {140, 159, 1.9771},
        {160, 179, 1.9749}, {180, 199, 1.9733}, {200, 324, 1.9719},
    };
    for (const Tramo &tramo : tramos)
        for (int df = tramo.desde; df <= tramo.hasta; ++df)
            tabla[static_cast<std::size_t>(df)] = tramo.t;
    return tabla;
}

const TablaT &CargaTablaT()
{
    static const TablaT tabla = construye();
    return tabla;
}

} // namespace

double ValorTablaT(int df)
{
    if (df < 1 || df > 324)
        throw ErrorCalculo(TextoDe(Mensaje::fueraDeTabla));
    return CargaTablaT()[static_cast<std::size_t>(df)];
}
