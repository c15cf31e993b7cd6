#pragma once

// X raised to Y as exp(Y · ln X), for X > 0. ln 0 fails with
// "Floating point division by zero", a negative X with
// "Invalid floating point operation" (ErrorCalculo).
double Potencia(double x, double y);
