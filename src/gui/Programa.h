#pragma once

// The program block: application, main window, splash and print options
// windows, then the message loop. Returns the exit code.
int EjecutaPrograma(int argc, char **argv);

// The application's names, icon and closing rule, as the program sets them.
void PreparaAplicacion();
