#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// The program's operational qualification: a fixed set of reference studies
// and critical values, each figure compared with a value worked out apart
// from the program and kept with it (referencias/referencias.tsv, written by
// referencias/genera_referencias.py). Nothing here recomputes an expected
// value: the runner only asks the engine and compares.

// One line of the reference table.
struct Referencia
{
    QString descripcion;
    QString estudio;     // a study file of the reference set; "-" for none
    QString figura;      // what to ask the engine ("fcal", "dunnett 3 12", …)
    QString esperado;    // as the table holds it
    QString tolerancia;  // "rel X", "abs X" or "igual"
    QString fuente;      // where the expected value comes from
};

// The table's lines, without its notes ('#') and blank lines. A line that
// has not the six fields throws ErrorArchivo naming it.
QList<Referencia> LeeReferencias(const QByteArray &tabla);

// One check as it is reported.
struct Comprobacion
{
    QString descripcion;
    QString esperado;
    QString obtenido;
    QString tolerancia;  // in words: "relativa 1e-12", "absoluta 0.005", "exacta"
    QString fuente;
    bool pasa = false;
};

// Runs every reference in order, reading each study's file bytes with
// `leeEstudio` (a file that cannot be read, a figure the engine refuses or
// an unknown figure is that check failing, never the run stopping), and
// returns the checks with the failing ones first, each group in table order.
QList<Comprobacion> EjecutaReferencias(const QList<Referencia> &referencias,
                                       const std::function<QByteArray(const QString &)> &leeEstudio);

// The shipped set: the table and studies compiled into the program.
QList<Comprobacion> VerificaPrograma();

// Whether every check passed (false for none).
bool TodasPasan(const QList<Comprobacion> &comprobaciones);
