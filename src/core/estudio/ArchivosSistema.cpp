#include "ArchivosSistema.h"

#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <utility>

namespace {

// The C library's texts (glibc, English) for the errors a file can meet,
// then Qt's own; "%1" stands for a file name kept as it is.
constexpr std::array<std::pair<const char16_t *, const char16_t *>, 26> traducciones{{
    {u"Operation not permitted", u"Operación no permitida"},
    {u"No such file or directory", u"No existe el archivo o el directorio"},
    {u"Input/output error", u"Error de entrada/salida"},
    {u"No such device or address", u"No existe el dispositivo o la dirección"},
    {u"Cannot allocate memory", u"No hay memoria suficiente"},
    {u"Permission denied", u"Permiso denegado"},
    {u"Device or resource busy", u"Dispositivo o recurso ocupado"},
    {u"File exists", u"El archivo ya existe"},
    {u"No such device", u"No existe el dispositivo"},
    {u"Not a directory", u"No es un directorio"},
    {u"Is a directory", u"Es un directorio"},
    {u"Invalid argument", u"Argumento no válido"},
    {u"Too many open files", u"Demasiados archivos abiertos"},
    {u"Text file busy", u"Archivo de texto ocupado"},
    {u"File too large", u"Archivo demasiado grande"},
    {u"No space left on device", u"No queda espacio en el dispositivo"},
    {u"Read-only file system", u"Sistema de archivos de solo lectura"},
    {u"Broken pipe", u"Tubería rota"},
    {u"File name too long", u"Nombre de archivo demasiado largo"},
    {u"Too many levels of symbolic links", u"Demasiados niveles de enlaces simbólicos"},
    {u"Disk quota exceeded", u"Cuota de disco superada"},
    {u"Stale file handle", u"Identificador de archivo obsoleto"},
    {u"Unknown error", u"Error desconocido"},
    {u"Existing file %1 is not writable", u"El archivo existente %1 no admite escritura"},
    {u"Filename refers to a directory", u"El nombre de archivo es el de una carpeta"},
    {u"Writing canceled by application", u"La aplicación canceló la escritura"},
}};

} // namespace

QString TextoSistema(const QString &texto)
{
    for (const auto &[ingles, espanol] : traducciones) {
        const QString modelo = QString::fromUtf16(ingles);
        const qsizetype hueco = modelo.indexOf(u"%1");
        if (hueco < 0) {
            if (texto == modelo)
                return QString::fromUtf16(espanol);
            continue;
        }
        const QString antes = modelo.left(hueco);
        const QString despues = modelo.mid(hueco + 2);
        if (texto.size() >= modelo.size() - 2 && texto.startsWith(antes) && texto.endsWith(despues))
            return QString::fromUtf16(espanol)
                .arg(texto.sliced(antes.size(), texto.size() - antes.size() - despues.size()));
    }
    return texto;
}

void EscribeArchivo(const QString &ruta, const QByteArray &bytes)
{
    const QFileInfo destino(ruta);
    if (destino.exists() && !destino.isFile())
        throw ErrorArchivo(TextoDe(Mensaje::guardarNoArchivoNormal).arg(ruta));

    QSaveFile archivo(ruta);
    // Unbuffered: a buffered write of a full disk fails without the system's
    // reason, and the reason is what the user can act on.
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw ErrorArchivo(TextoDe(Mensaje::noSeCrea).arg(ruta, TextoSistema(archivo.errorString())));
    const auto fallo = [&] {
        return ErrorArchivo(TextoDe(Mensaje::noSeEscribe).arg(ruta, TextoSistema(archivo.errorString())));
    };
    // A write cut short by a full disk reports no error: the next one does.
    for (qint64 escritos = 0; escritos < bytes.size();) {
        const qint64 parte = archivo.write(bytes.constData() + escritos, bytes.size() - escritos);
        if (parte <= 0)
            throw fallo();
        escritos += parte;
    }
    // commit() would lose an error of a final flush and rename a truncated
    // file into place: flushed first.
    if (!archivo.flush() || !archivo.commit())
        throw fallo();
}
