#pragma once

#include "Estudios.h"

#include <QTest>

// The rows of a test table kept as a data file (see casosDe): every column a
// string, the first line naming the columns, each row starting with its name.
inline void tablaDePrueba(const QString &ruta)
{
    const QList<QStringList> lineas = casosDe(ruta);
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
