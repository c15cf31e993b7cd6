#pragma once

// The two-sided 95 % critical value of Student's t the program tabulates for
// df degrees of freedom (1..324); outside, ErrorCalculo "Range check error".
double ValorTablaT(int df);
