#include "EntornoVerificacion.h"

#include "core/Version.h"
#include "core/estudio/ArchivoRegistro.h"
#include "core/estudio/ArchivosSistema.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSysInfo>
#include <QtGlobal>

#include <boost/version.hpp>

using namespace Qt::StringLiterals;

namespace {

QString Sha256De(const QString &ruta)
{
    QFile archivo(ruta);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (ruta.isEmpty() || !archivo.open(QIODevice::ReadOnly) || !hash.addData(&archivo))
        return u"no se pudo leer el ejecutable: %1"_s.arg(ruta.isEmpty() ? u"ruta desconocida"_s
                                                                          : TextoSistema(archivo.errorString()));
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace

EntornoVerificacion EntornoActual(const QString &ejecutable)
{
    const ContextoEntrada contexto = ContextoActual();
    const Autor &autor = contexto.autor;
    EntornoVerificacion e;
    e.version = QLatin1String(VersionPrograma);
    e.revision = QString::fromUtf8(RevisionFuentes);
    e.compilacion = QLatin1String(FechaCompilacion);
    e.ejecutable = ejecutable;
    e.sha256 = Sha256De(ejecutable);
    e.qt = u"%1 (compilado con %2)"_s.arg(QLatin1String(qVersion()), QLatin1String(QT_VERSION_STR));
    e.boost = u"%1.%2.%3"_s.arg(BOOST_VERSION / 100000).arg(BOOST_VERSION / 100 % 1000).arg(BOOST_VERSION % 100);
    e.sistema = u"%1, núcleo %2 %3, %4"_s.arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(),
                                                QSysInfo::kernelVersion(), QSysInfo::currentCpuArchitecture());
    e.maquina = QSysInfo::machineHostName();
    e.usuario = autor.nombreCompleto.isEmpty() ? autor.cuenta : u"%1 (%2)"_s.arg(autor.cuenta, autor.nombreCompleto);
    e.utc = contexto.utc;
    e.local = contexto.local;
    return e;
}

QStringList LineasEntorno(const EntornoVerificacion &e)
{
    return {
        u"Programa: Tolerancia del Método %1, revisión %2, compilado el %3"_s.arg(e.version, e.revision,
                                                                                  e.compilacion),
        u"Ejecutable: %1"_s.arg(e.ejecutable),
        u"SHA-256 del ejecutable: %1"_s.arg(e.sha256),
        u"Bibliotecas: Qt %1; Boost %2"_s.arg(e.qt, e.boost),
        u"Sistema operativo: %1"_s.arg(e.sistema),
        u"Equipo: %1"_s.arg(e.maquina),
        u"Usuario: %1"_s.arg(e.usuario),
        u"Fecha y hora: %1 (UTC); %2 (hora local)"_s.arg(e.utc, e.local),
    };
}
