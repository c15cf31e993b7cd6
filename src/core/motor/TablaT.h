#pragma once

#include <array>

// Two-sided 95 % critical values of Student's t, one per degree of freedom
// 1..324 (index 0 and 325 unused).
using TablaT = std::array<double, 326>;

const TablaT &CargaTablaT();

// The table's value for df degrees of freedom (1..324); outside, ErrorCalculo
// "Range check error".
double ValorTablaT(int df);
