#include "ArchivoRegistro.h"

#include "core/Version.h"
#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTimeZone>

#include <cerrno>
#include <vector>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

// A register grows by a few hundred bytes a save; beyond this it is no
// register, and reading it whole would only exhaust the memory.
constexpr qint64 MaxBytesRegistro = 64 * 1024 * 1024;

// How long a write waits for another program's to end (they take
// milliseconds).
constexpr int EsperaCerrojoMs = 3000;

// Holds the register's lock file while it lives.
class Cerrojo
{
public:
    explicit Cerrojo(const QString &registro) : m_cerrojo(registro + QStringLiteral(".lock"))
    {
        if (m_cerrojo.tryLock(EsperaCerrojoMs))
            return;
        if (m_cerrojo.error() == QLockFile::LockFailedError)
            throw ErrorArchivo(TextoDe(Mensaje::registroEnUso).arg(registro));
        throw ErrorArchivo(TextoDe(Mensaje::registroNoSeBloquea)
                               .arg(registro, TextoSistema(qt_error_string(errno))));
    }

private:
    QLockFile m_cerrojo;
};

QString nombreArchivo(const QString &ruta)
{
    return QFileInfo(ruta).fileName();
}

// The register as it is plus its creation entry, over the study as it is
// on disk, when there is none yet.
struct RegistroAbierto
{
    QByteArray bytes;
    QList<EntradaRegistro> creacion;
};

RegistroAbierto abreRegistro(const QString &rutaEstudio, const ContextoEntrada &contexto,
                             const std::optional<QByteArray> &registro)
{
    if (registro)
        return {*registro, {}};
    std::optional<Huella> enDisco;
    if (QFileInfo::exists(rutaEstudio))
        enDisco = HuellaDe(LeeBytesEstudio(rutaEstudio));
    return {{}, {EntradaCreacion(contexto, nombreArchivo(rutaEstudio), enDisco)}};
}

VeredictoRegistro verifica(const std::optional<QByteArray> &registro, const Huella &estudio)
{
    if (registro)
        return VerificaRegistro(*registro, estudio);
    VeredictoRegistro sinRegistro;
    sinRegistro.sha256Estudio = estudio.sha256;
    return sinRegistro;
}

} // namespace

std::optional<QByteArray> LeeRegistro(const QString &rutaEstudio)
{
    const QString ruta = RutaRegistro(rutaEstudio);
    const QFileInfo informacion(ruta);
    if (!informacion.exists())
        return std::nullopt;
    if (!informacion.isFile())
        throw ErrorArchivo(TextoDe(Mensaje::registroNoArchivoNormal).arg(ruta));
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        throw ErrorArchivo(TextoDe(Mensaje::registroNoSeLee).arg(ruta, TextoSistema(archivo.errorString())));
    const QByteArray bytes = archivo.read(MaxBytesRegistro + 1);
    if (archivo.error() != QFileDevice::NoError)
        throw ErrorArchivo(TextoDe(Mensaje::registroNoSeLee).arg(ruta, TextoSistema(archivo.errorString())));
    if (bytes.size() > MaxBytesRegistro)
        throw ErrorArchivo(TextoDe(Mensaje::registroDemasiadoGrande)
                               .arg(ruta, QString::number(MaxBytesRegistro / (1024 * 1024))));
    return bytes;
}

VeredictoRegistro VerificaRegistroDe(const QString &rutaEstudio, const Huella &estudio)
{
    return verifica(LeeRegistro(rutaEstudio), estudio);
}

void GuardaEstudioRegistrado(const QString &rutaEstudio, const ContextoEntrada &contexto,
                             const Guardado &guardado)
{
    const QString ruta = RutaRegistro(rutaEstudio);
    const Cerrojo cerrojo(ruta);
    const RegistroAbierto registro = abreRegistro(rutaEstudio, contexto, LeeRegistro(rutaEstudio));
    const QByteArray nuevo =
        AnadeEntradas(registro.bytes, registro.creacion + EntradasGuardado(contexto, guardado));
    EscribeArchivo(rutaEstudio, guardado.despues);
    try {
        EscribeArchivo(ruta, nuevo);
    } catch (const ErrorArchivo &error) {
        throw ErrorArchivo(TextoDe(Mensaje::guardadoSinRegistro).arg(rutaEstudio, error.texto()));
    }
}

void AnotaEnRegistro(const QString &rutaEstudio, const ContextoEntrada &contexto,
                     const QList<EntradaRegistro> &entradas)
{
    const QString ruta = RutaRegistro(rutaEstudio);
    const Cerrojo cerrojo(ruta);
    const RegistroAbierto registro = abreRegistro(rutaEstudio, contexto, LeeRegistro(rutaEstudio));
    EscribeArchivo(ruta, AnadeEntradas(registro.bytes, registro.creacion + entradas));
}

void FirmaEstudio(const QString &rutaEstudio, const ContextoEntrada &contexto, const QString &firmante,
                  Significado significado, const std::optional<Huella> &mostrado)
{
    const QString ruta = RutaRegistro(rutaEstudio);
    const Cerrojo cerrojo(ruta);
    const Huella enDisco = HuellaDe(LeeBytesEstudio(rutaEstudio));
    const std::optional<QByteArray> previo = LeeRegistro(rutaEstudio);
    const EntradaRegistro firma =
        EntradaFirma(contexto, verifica(previo, enDisco), mostrado.value_or(enDisco), firmante, significado);
    const RegistroAbierto registro = abreRegistro(rutaEstudio, contexto, previo);
    EscribeArchivo(ruta, AnadeEntradas(registro.bytes, registro.creacion + QList{firma}));
}

Autor AutorDelSistema()
{
#ifdef Q_OS_UNIX
    long tamano = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> memoria(tamano > 0 ? std::size_t(tamano) : 16384);
    passwd entrada{};
    passwd *encontrada = nullptr;
    if (getpwuid_r(geteuid(), &entrada, memoria.data(), memoria.size(), &encontrada) == 0 && encontrada) {
        // GECOS: full name, then office and telephones after commas.
        const QString gecos = QString::fromLocal8Bit(encontrada->pw_gecos ? encontrada->pw_gecos : "");
        return {QString::fromLocal8Bit(encontrada->pw_name), gecos.section(u',', 0, 0).trimmed()};
    }
#endif
    for (const char *variable : {"USER", "LOGNAME", "USERNAME"})
        if (const QString cuenta = qEnvironmentVariable(variable); !cuenta.isEmpty())
            return {cuenta, {}};
    return {};
}

ContextoEntrada ContextoActual()
{
    return ContextoEn(QDateTime::currentDateTimeUtc(), QTimeZone::systemTimeZone(), AutorDelSistema(),
                      QLatin1String(VersionPrograma));
}
