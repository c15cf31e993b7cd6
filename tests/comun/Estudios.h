#pragma once
// Studies for the headless tests: levels typed FAM by FAM, grid accepted.
#include "core/estudio/Estudio.h"
#include "core/motor/Errores.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QtGlobal>

// `niveles[i]` holds the n cells of FAM i + 1; `cabecera` the optional
// equipment, method, analyst and date.
inline Estudio estudioDe(const QList<QStringList> &niveles, const QStringList &cabecera = {})
{
    Estudio e;
    e.factores = cabecera.value(0);
    e.metodo = cabecera.value(1);
    e.analista = cabecera.value(2);
    e.fecha = cabecera.value(3);
    const int k = int(niveles.size()), n = int(niveles.constFirst().size());
    e.numeroFam = QString::number(k);
    e.numeroMuestras = QString::number(n);
    AceptaRejilla(e.rejilla, k, n);
    for (int i = 0; i < k; ++i)
        for (int j = 0; j < n; ++j)
            e.rejilla.ponCelda(i + 1, j + 1, niveles[i][j]);
    return e;
}

// "99.2 100.1 / 100.9 101.3": FAM separated by " / ", values by blanks.
inline QList<QStringList> nivelesDe(const QString &texto)
{
    QList<QStringList> niveles;
    for (const QString &fam : texto.split(QStringLiteral(" / ")))
        niveles += fam.split(u' ');
    return niveles;
}

// A study of k FAM and n samples whose cell (i, j) holds "9i.0j".
inline Estudio estudioDe(int k, int n)
{
    Estudio e;
    e.factores = QStringLiteral("Equipo de disolución");
    e.metodo = QStringLiteral("Valoración por UV");
    e.analista = QStringLiteral("Q.F.B. Núñez");
    e.fecha = QStringLiteral("06/12/2026");
    e.numeroFam = QString::number(k);
    e.numeroMuestras = QString::number(n);
    AceptaRejilla(e.rejilla, k, n);
    for (int i = 1; i <= k; ++i)
        for (int j = 1; j <= n; ++j)
            e.rejilla.ponCelda(i, j, QStringLiteral("%1.%2").arg(90 + i).arg(j, 2, 10, QChar(u'0')));
    return e;
}

// The worked example: three FAM of four, also its file.
inline const QString archivoEjemploTrabajado = QStringLiteral(TOLERANCIA_FUENTES "/ejemplos/ejemplo-trabajado.w1e");
inline const QList<QStringList> ejemploTrabajado = {
    {"99.2", "100.1", "99.8", "100.5"},
    {"100.9", "101.3", "100.6", "101.0"},
    {"99.5", "99.9", "100.2", "99.7"},
};

// A case table kept as a data file: one case a line, fields split by tabs,
// the first naming the case; lines starting with '#' are notes.
inline QList<QStringList> casosDe(const QString &ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("falta %s", qPrintable(ruta));
    QList<QStringList> casos;
    for (const QString &linea : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts))
        if (!linea.startsWith(u'#'))
            casos += linea.split(u'\t');
    return casos;
}

inline QByteArray contenido(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no se puede leer>");
}

// The text of the error the action throws, of the type asked for.
template<typename Error = ErrorTolerancia, typename Accion>
QString errorDe(Accion accion)
{
    try {
        accion();
    } catch (const Error &error) {
        return error.texto();
    }
    return QStringLiteral("<sin error>");
}

struct Ejecucion { int codigo; QString error; };

// Runs the program (or a shell that ends in it) as a user would: no platform
// or display named, in the C locale. The code is -1 if it does not end.
inline Ejecucion ejecutaPrograma(const QStringList &argumentos,
                                 const QString &programa = QStringLiteral(TOLERANCIA_EJECUTABLE))
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        entorno.remove(QString::fromLatin1(variable));
    entorno.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    QProcess proceso;
    proceso.setProcessEnvironment(entorno);
    proceso.start(programa, argumentos);
    if (!proceso.waitForFinished(60000))
        return {-1, QStringLiteral("sin terminar")};
    return {proceso.exitCode(), QString::fromUtf8(proceso.readAllStandardError())};
}

// The standard output of a tool such as pdfinfo or pdftotext.
inline QString salidaDe(const QString &programa, const QStringList &argumentos)
{
    QProcess proceso;
    proceso.start(programa, argumentos);
    proceso.waitForFinished(60000);
    return QString::fromUtf8(proceso.readAllStandardOutput());
}
