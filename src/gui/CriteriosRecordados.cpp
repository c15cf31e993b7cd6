#include "CriteriosRecordados.h"

#include <QSettings>

namespace {

// ~/.config/tolerancia/tolerancia.conf, section [precision].
QSettings ajustes()
{
    return QSettings(QStringLiteral("tolerancia"), QStringLiteral("tolerancia"));
}

} // namespace

TextosCriterios CriteriosRecordados()
{
    const QSettings a = ajustes();
    return {a.value(QStringLiteral("precision/limite")).toString(),
            a.value(QStringLiteral("precision/derMaxima")).toString(),
            a.value(QStringLiteral("precision/bonferroni"), false).toBool()};
}

void RecuerdaCriterios(const TextosCriterios &textos)
{
    QSettings a = ajustes();
    a.setValue(QStringLiteral("precision/limite"), textos.limite);
    a.setValue(QStringLiteral("precision/derMaxima"), textos.derMaxima);
    a.setValue(QStringLiteral("precision/bonferroni"), textos.bonferroni);
}
