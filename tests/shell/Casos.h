#pragma once

#include <QFile>
#include <QTest>

// The lines of tests/shell/casos/<nombre>.tsv split into fields, the first
// line naming the columns; "\n" in a field stands for a line break.
inline QList<QStringList> tabla(const char *nombre)
{
    QFile f(QStringLiteral(TOLERANCIA_FUENTES "/tests/shell/casos/%1.tsv").arg(QLatin1StringView(nombre)));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("no se puede leer la tabla %s", nombre);
    QList<QStringList> lineas;
    for (const QString &linea : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts))
        lineas << linea.split(u'\t').replaceInStrings(QStringLiteral("\\n"), QStringLiteral("\n"));
    return lineas;
}

// The rows of a test table: every column a string, each row starting with
// its own name.
inline void casos(const char *nombre)
{
    const QList<QStringList> lineas = tabla(nombre);
    static QByteArrayList columnas;  // the table keeps only the names' pointers
    for (const QString &columna : lineas.first().mid(1)) {
        columnas << columna.toUtf8();
        QTest::addColumn<QString>(columnas.last().constData());
    }
    for (const QStringList &campos : lineas.mid(1)) {
        QTestData &fila = QTest::newRow(campos.first().toUtf8().constData());
        for (const QString &campo : campos.mid(1))
            fila << campo;
    }
}
