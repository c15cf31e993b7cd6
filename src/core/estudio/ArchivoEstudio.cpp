#include "ArchivoEstudio.h"

#include "core/estudio/ArchivosSistema.h"
#include "core/estudio/Windows1252.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr char CR = 13;
constexpr char LF = 10;
// Ctrl+Z: the end of the readable data of a text file.
constexpr char FinDeTexto = 26;

// A study file is a few hundred bytes; anything beyond this is not one, and
// reading it whole (a device, a huge file) would only exhaust the memory.
constexpr qint64 MaxBytesArchivo = 16 * 1024 * 1024;

// The names by which the messages refer to the six fields: their labels.
const QString etiquetaFactores = QStringLiteral("Factores Ajenos al Método (FAM)");
const QString etiquetaMetodo = QStringLiteral("Nombre del método");
const QString etiquetaAnalista = QStringLiteral("Nombre del Analista");
const QString etiquetaFecha = QStringLiteral("Fecha");
const QString etiquetaNumeroFam = QStringLiteral("Número de FAM");
const QString etiquetaNumeroMuestras = QStringLiteral("Número de Muestras");

QString nombreCelda(int i, int j)
{
    return QStringLiteral("FAM %1, muestra %2").arg(i).arg(j);
}

// Counts the reader's table cannot take. The writer refuses the same
// counts, so that everything it writes reads back.
void revisaConteos(int k, int n, const QString &contexto)
{
    if (k < 0 || k > MaxFamArchivo)
        throw ErrorArchivo(TextoDe(Mensaje::conteoFamDeArchivo)
                               .arg(contexto, QString::number(k), QString::number(MaxFamArchivo)));
    if (n < 0 || n > MaxMuestrasArchivo)
        throw ErrorArchivo(
            TextoDe(Mensaje::conteoMuestrasDeArchivo)
                .arg(contexto, QString::number(n), QString::number(MaxMuestrasArchivo)));
}

// Reads lines as the runtime's text files do: a line ends at CR, an LF
// right after the CR goes with it, a lone LF is text; past the end (or a
// Ctrl+Z) every line is empty.
class Lector
{
public:
    explicit Lector(const QByteArray &bytes)
        : m_datos(bytes.left(bytes.contains(FinDeTexto) ? bytes.indexOf(FinDeTexto) : bytes.size()))
    {
    }

    QString linea()
    {
        if (m_pos >= m_datos.size())
            return {};
        qsizetype fin = m_datos.indexOf(CR, m_pos);
        if (fin < 0)
            fin = m_datos.size();
        const QByteArray linea = m_datos.sliced(m_pos, fin - m_pos);
        m_pos = fin + 1;
        if (m_pos < m_datos.size() && m_datos.at(m_pos) == LF)
            ++m_pos;
        return DesdeWindows1252(linea);
    }

private:
    QByteArray m_datos;
    qsizetype m_pos = 0;
};

// One line of the file: the text in the code page, then CR LF. A CR or a
// Ctrl+Z inside the text would split or end the file when it is read back.
void escribeLinea(QByteArray &salida, const QString &texto, const QString &campo)
{
    if (texto.contains(QChar(CR)))
        throw ErrorArchivo(TextoDe(Mensaje::campoConRetorno).arg(campo));
    if (texto.contains(QChar(FinDeTexto)))
        throw ErrorArchivo(TextoDe(Mensaje::campoConCtrlZ).arg(campo));
    const std::optional<QByteArray> bytes = AWindows1252(texto);
    if (!bytes) {
        QString caracter;
        for (qsizetype i = 0; i < texto.size() && caracter.isEmpty(); ++i) {
            const qsizetype largo = texto[i].isHighSurrogate() && i + 1 < texto.size() ? 2 : 1;
            if (!AWindows1252(texto.mid(i, largo)))
                caracter = texto.mid(i, largo);
            i += largo - 1;
        }
        throw ErrorArchivo(TextoDe(Mensaje::campoConCaracterAjeno).arg(campo, caracter));
    }
    salida += *bytes;
    salida += CR;
    salida += LF;
}

} // namespace

ArchivoEstudio LeeEstudio(const QByteArray &bytes)
{
    Lector lector(bytes);
    ArchivoEstudio archivo;
    archivo.factores = lector.linea();
    archivo.metodo = lector.linea();
    archivo.analista = lector.linea();
    archivo.fecha = lector.linea();
    archivo.numeroFam = lector.linea();
    archivo.numeroMuestras = lector.linea();
    archivo.k = EnteroDeTexto(archivo.numeroFam);
    archivo.n = EnteroDeTexto(archivo.numeroMuestras);
    revisaConteos(archivo.k, archivo.n, QStringLiteral("El archivo indica"));

    archivo.valores.resize(archivo.k);
    for (QVector<QString> &fam : archivo.valores) {
        fam.resize(archivo.n);
        for (QString &valor : fam)
            valor = lector.linea();
    }
    return archivo;
}

QByteArray EscribeEstudio(const Estudio &estudio)
{
    QByteArray salida;
    escribeLinea(salida, estudio.factores, etiquetaFactores);
    escribeLinea(salida, estudio.metodo, etiquetaMetodo);
    escribeLinea(salida, estudio.analista, etiquetaAnalista);
    escribeLinea(salida, estudio.fecha, etiquetaFecha);
    escribeLinea(salida, estudio.numeroFam, etiquetaNumeroFam);
    escribeLinea(salida, estudio.numeroMuestras, etiquetaNumeroMuestras);

    const int k = EnteroDeTexto(estudio.numeroFam);
    const int n = EnteroDeTexto(estudio.numeroMuestras);
    revisaConteos(k, n, QStringLiteral("No se puede guardar un estudio de"));
    for (int i = 1; i <= k; ++i) {
        for (int j = 1; j <= n; ++j)
            escribeLinea(salida, estudio.rejilla.celda(i, j), nombreCelda(i, j));
    }
    return salida;
}

QByteArray LeeBytesEstudio(const QString &ruta)
{
    // Opening a pipe waits for a writer, and a device may never end: only
    // a regular file can be a study.
    const QFileInfo informacion(ruta);
    if (informacion.exists() && !informacion.isFile())
        throw ErrorArchivo(TextoDe(Mensaje::abrirNoArchivoNormal).arg(ruta));
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        throw ErrorArchivo(TextoDe(Mensaje::noSeAbre).arg(ruta, TextoSistema(archivo.errorString())));
    const QByteArray bytes = archivo.read(MaxBytesArchivo + 1);
    if (archivo.error() != QFileDevice::NoError)
        throw ErrorArchivo(TextoDe(Mensaje::noSeLee).arg(ruta, TextoSistema(archivo.errorString())));
    // Refused even when a Ctrl+Z ends its data early: what was read would
    // not be the whole file, and the study's fingerprint is of the whole file.
    if (bytes.size() > MaxBytesArchivo)
        throw ErrorArchivo(TextoDe(Mensaje::estudioDemasiadoGrande)
                               .arg(ruta, QString::number(MaxBytesArchivo / (1024 * 1024))));
    return bytes;
}

ArchivoEstudio LeeArchivoEstudio(const QString &ruta)
{
    return LeeEstudio(LeeBytesEstudio(ruta));
}

void GuardaArchivoEstudio(const QString &ruta, const Estudio &estudio)
{
    // Composed first: a study that cannot be written leaves the file alone.
    const QByteArray bytes = EscribeEstudio(estudio);
    EscribeArchivo(ruta, bytes);
}

Estudio EstudioAceptado(const ArchivoEstudio &archivo)
{
    Estudio estudio;
    estudio.factores = archivo.factores;
    estudio.metodo = archivo.metodo;
    estudio.analista = archivo.analista;
    estudio.fecha = archivo.fecha;
    estudio.numeroFam = archivo.numeroFam;
    estudio.numeroMuestras = archivo.numeroMuestras;

    // Sized and labelled as the accept button leaves it, so the window, its
    // report, its pages and the command line show one and the same record.
    AceptaRejilla(estudio.rejilla, archivo.k, archivo.n);
    for (int i = 1; i <= archivo.k; ++i) {
        for (int j = 1; j <= archivo.n; ++j)
            estudio.rejilla.ponCelda(i, j, archivo.valores.value(i - 1).value(j - 1));
    }
    return estudio;
}
