#include "core/estudio/ArchivoEstudio.h"
#include "core/informe/Informe.h"
#include "Estudios.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/informe/casos/");

QStringList informe(const Estudio &estudio, QChar separador)
{
    QStringList lineas;
    ComponeInforme(estudio, separador, [&](const QString &linea) { lineas += linea; });
    return lineas;
}

// The expected report, one line per text line (UTF-8, LF).
QStringList esperado(const QString &nombre)
{
    QStringList lineas = QString::fromUtf8(contenido(casos + nombre + u".txt"_s)).split(u'\n');
    lineas.removeLast();
    return lineas;
}

} // namespace

class TstInforme : public QObject
{
    Q_OBJECT

private slots:
    void casosCompletos_data()
    {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QChar>("separador");
        QTest::newRow("ejemplo trabajado, k = 3") << archivoEjemploTrabajado << u"ejemplo-trabajado"_s << QChar(u'.');
        // k2-intervalos also pins texts copied as they are: "FAM: " for an
        // empty description, "98.50" as typed.
        for (const char *nombre : {"k2-intervalos", "k2-sin-intervalos", "k3-sin-intervalos", "k4-intervalos",
                                   "k4-sin-intervalos", "k5-intervalos", "k5-sin-intervalos"})
            QTest::newRow(nombre) << casos + QLatin1String(nombre) + u".w1e"_s << QString::fromLatin1(nombre)
                                  << QChar(u'.');
        QTest::newRow("coma decimal") << casos + u"coma.w1e"_s << u"coma"_s << QChar(u',');
    }

    void casosCompletos()
    {
        QFETCH(QString, archivo);
        QFETCH(QString, nombre);
        QFETCH(QChar, separador);
        const QStringList lineas = informe(EstudioAceptado(LeeArchivoEstudio(archivo)), separador);
        const QStringList previstas = esperado(nombre);
        for (int i = 0; i < std::min(lineas.size(), previstas.size()); ++i)
            QCOMPARE(lineas[i], previstas[i]);
        QCOMPARE(lineas.size(), previstas.size());
    }

    void tablaSigueLaRejilla()
    {
        // Four grid rows for three samples: every row is listed; cells are
        // neither widened nor cut, so a long cell shifts the rest of its line.
        Estudio e = estudioDe({{u"1"_s, u"2.000001"_s, u"3"_s}, {u"4"_s, u"5"_s, u"6"_s}}, {u"Equipo"_s});
        e.rejilla.redimensiona(3, 5);
        e.rejilla.ponCelda(0, 4, u"Muestra 4"_s);
        e.rejilla.ponCelda(1, 4, u"x"_s);
        const QStringList lineas = informe(e, u'.');
        QCOMPARE(lineas.mid(9, 5), (QStringList{u" FAM                1                   2"_s,
                                                u"Muestra 1         1           4"_s,
                                                u"Muestra 2         2.000001           5"_s,
                                                u"Muestra 3         3           6"_s,
                                                u"Muestra 4         x           "_s}));
        QCOMPARE(lineas[14], u" "_s);
        QCOMPARE(lineas[15], u"ANÁLISIS DE LA VARIANZA"_s);
    }

    // A control character in a field or cell neither breaks a line of the report
    // nor stays in it: the command line and the report window show blanks.
    void caracteresDeControl()
    {
        Estudio e = estudioDe({{u"1"_s, u"2"_s, u"3"_s}, {u"4"_s, u"5"_s, u"6"_s}}, {u"Equipo"_s});
        const QStringList limpias = informe(e, u'.');
        e.factores = u"Columna\nC18"_s;
        e.fecha = u"1\u008F2\u00903"_s;
        e.rejilla.ponCelda(0, 2, u"Muestra\u00812"_s);
        const QStringList lineas = informe(e, u'.');
        QCOMPARE(lineas.size(), limpias.size());
        QCOMPARE(lineas[1], u"FAM: Columna C18"_s);
        QCOMPARE(lineas[4], u"Fecha: 1 2 3"_s);
        QCOMPARE(lineas[11], u"Muestra 2         2           5"_s);
    }
};

QTEST_APPLESS_MAIN(TstInforme)
#include "tst_informe.moc"
