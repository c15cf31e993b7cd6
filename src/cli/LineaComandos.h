#pragma once

// True when the arguments ask for a headless command (report, PDF) rather
// than the windows.
bool EsLineaComandos(int argc, char **argv);

// Runs the headless command and returns the process exit code:
// 0 done, 1 refused or failed (message on stderr), 2 wrong usage.
int EjecutaLineaComandos(int argc, char **argv);
