#include "Huella.h"

#include "core/Version.h"

#include <QCryptographicHash>
#include <QJsonValue>

QString Sha256(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

Huella HuellaDe(const QByteArray &bytes)
{
    return {Sha256(bytes)};
}

QString LineaHuella(const Huella &huella)
{
    const QString programa = QStringLiteral("Tolerancia del Método %1").arg(QLatin1String(VersionPrograma));
    if (huella.sinGuardar())
        return QStringLiteral("Huella del estudio: estudio sin guardar · ") + programa;
    return QStringLiteral("Huella del estudio (SHA-256): %1 · %2").arg(huella.sha256, programa);
}

QJsonObject HuellaJson(const Huella &huella)
{
    return {{QStringLiteral("sha256"), huella.sinGuardar() ? QJsonValue() : QJsonValue(huella.sha256)},
            {QStringLiteral("sinGuardar"), huella.sinGuardar()},
            {QStringLiteral("version"), QLatin1String(VersionPrograma)}};
}
