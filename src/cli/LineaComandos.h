#pragma once

// True when the arguments ask for a headless command (report, PDF, …)
// rather than the windows: the first one begins with "--".
bool EsLineaComandos(int argc, char **argv);

// Runs the command that argv[1] names, as the table of commands reads its
// arguments, and returns the process exit code: 0 done, 1 refused or
// failed (message on stderr), 2 wrong usage (the usage on stderr).
int EjecutaLineaComandos(int argc, char **argv);
