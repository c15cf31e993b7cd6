#include "stats/Formato.h"

#include <QTest>

class TstStats : public QObject
{
    Q_OBJECT
private slots:
    void arranque() { QCOMPARE(FormatoGeneral(2.5, u'.'), QStringLiteral("2.5")); }
};

QTEST_APPLESS_MAIN(TstStats)
#include "tst_stats.moc"
