#pragma once

#include <QFile>
#include <QTest>

// The rows of a test table kept in tests/shell/casos/<nombre>.tsv: the first
// line names the columns, every one a string; each row starts with its own
// name, and "\n" in a field stands for a line break.
inline void casos(const char *nombre)
{
    QFile f(QStringLiteral(TOLERANCIA_FUENTES "/tests/shell/casos/%1.tsv").arg(QLatin1StringView(nombre)));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("no se puede leer la tabla %s", nombre);
    const QStringList lineas = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    static QByteArrayList columnas;  // the table keeps only the names' pointers
    for (const QString &columna : lineas.first().split(u'\t').mid(1)) {
        columnas << columna.toUtf8();
        QTest::addColumn<QString>(columnas.last().constData());
    }
    for (const QString &linea : lineas.mid(1)) {
        const QStringList campos = linea.split(u'\t');
        QTestData &fila = QTest::newRow(campos.first().toUtf8().constData());
        for (QString campo : campos.mid(1))
            fila << campo.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    }
}
