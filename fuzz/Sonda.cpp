#include "Sonda.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ReglasCaptura.h"
#include "core/estudio/Windows1252.h"
#include "core/informe/Informe.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"
#include "core/motor/Exacto.h"
#include "core/motor/Formato.h"

#include <cfloat>
#include <cmath>

namespace {

bool mismoArchivo(const ArchivoEstudio &a, const ArchivoEstudio &b)
{
    return a.factores == b.factores && a.metodo == b.metodo && a.analista == b.analista
        && a.fecha == b.fecha && a.numeroFam == b.numeroFam && a.numeroMuestras == b.numeroMuestras
        && a.k == b.k && a.n == b.n && a.valores == b.valores;
}

QString revisaArchivo(const QByteArray &datos)
{
    if (AWindows1252(DesdeWindows1252(datos)) != datos)
        return QStringLiteral("los bytes no sobreviven a Windows-1252 ida y vuelta");

    ArchivoEstudio archivo;
    try {
        archivo = LeeEstudio(datos);
    } catch (const ErrorConversion &) {
        return {};
    } catch (const ErrorArchivo &) {
        return {};
    }
    if (archivo.k < 0 || archivo.k > MaxFamArchivo || archivo.n < 0
        || archivo.n > MaxMuestrasArchivo || archivo.valores.size() != archivo.k)
        return QStringLiteral("conteos fuera de la tabla: %1 × %2").arg(archivo.k).arg(archivo.n);
    for (const QVector<QString> &fam : archivo.valores) {
        if (fam.size() != archivo.n)
            return QStringLiteral("una columna de valores sin n textos");
    }

    // Whatever the reader accepts, the writer must write and the reader
    // must read back unchanged.
    const Estudio estudio = EstudioAceptado(archivo);
    const QByteArray escrito = EscribeEstudio(estudio);
    if (!mismoArchivo(LeeEstudio(escrito), archivo))
        return QStringLiteral("el estudio escrito no se lee igual");

    // And the report of a study the capture rules let through either ends
    // or stops with an error after its first block.
    if (RevisaConteos(estudio.numeroFam, estudio.numeroMuestras))
        return {};
    for (const QChar separador : {QChar(u'.'), QChar(u',')}) {
        int lineas = 0;
        try {
            ComponeInforme(estudio, separador, [&lineas](const QString &) { ++lineas; });
        } catch (const ErrorConversion &) {
        } catch (const ErrorCalculo &) {
        }
        if (lineas < 9)
            return QStringLiteral("informe de %1 líneas").arg(lineas);
    }
    return {};
}

// A typed text goes into a field and a cell: the writer refuses it exactly
// when the file could not give it back, and otherwise it reads back whole.
QString revisaEscritura(const QString &texto)
{
    Estudio estudio;
    estudio.factores = texto;
    AceptaRejilla(estudio.rejilla, 2, 3);
    estudio.rejilla.ponCelda(2, 3, texto);
    const bool cabe = !texto.contains(QChar(13)) && !texto.contains(QChar(26))
                      && AWindows1252(texto).has_value();
    QByteArray bytes;
    try {
        bytes = EscribeEstudio(estudio);
    } catch (const ErrorArchivo &) {
        return cabe ? QStringLiteral("el escritor rechaza un texto que cabe") : QString();
    }
    if (!cabe)
        return QStringLiteral("el escritor acepta un texto que no se puede leer igual");
    const ArchivoEstudio leido = LeeEstudio(bytes);
    if (leido.factores != texto || leido.valores.value(1).value(2) != texto)
        return QStringLiteral("un texto escrito no se lee igual");
    return {};
}

QString revisaEntero(const QString &texto)
{
    int valor = 0;
    try {
        valor = EnteroDeTexto(texto);
    } catch (const ErrorConversion &error) {
        if (EsEntero(texto))
            return QStringLiteral("EnteroDeTexto rechaza lo que EsEntero acepta: ") + error.texto();
        return {};
    }
    if (!EsEntero(texto) || EnteroDeTexto(QString::number(valor)) != valor
        || QString::number(valor) != QString::number(texto.trimmed().toLongLong()))
        return QStringLiteral("EnteroDeTexto(%1) = %2 incoherente").arg(texto).arg(valor);
    return {};
}

QString revisaReal(const QString &texto, QChar separador)
{
    double valor = 0.0;
    try {
        valor = RealDeTexto(texto, separador);
    } catch (const ErrorConversion &) {
        if (EsReal(texto, separador))
            return QStringLiteral("RealDeTexto rechaza lo que EsReal acepta");
        return {};
    }
    if (!EsReal(texto, separador) || !std::isfinite(valor))
        return QStringLiteral("RealDeTexto(%1) = %2 incoherente").arg(texto).arg(valor);
    // The exact value the engine computes with rounds to that same double.
    double doble = 0.0;
    const NumeroExacto exacto = ExactoDeTexto(texto, separador, &doble);
    if (doble != valor || DobleDe(Real(FraccionDe(exacto))) != valor)
        return QStringLiteral("el valor exacto de %1 no da %2").arg(texto).arg(valor);
    // Six significant digits, so a normal number comes back within half a
    // unit of the sixth digit.
    const QString formato = FormatoGeneral(valor, separador);
    const double vuelta = RealDeTexto(formato, separador);
    if (std::fabs(valor) >= DBL_MIN && std::fabs(vuelta - valor) > 5.0000001e-6 * std::fabs(valor))
        return QStringLiteral("FormatoGeneral(%1) = %2 se aleja del valor").arg(valor).arg(formato);
    return {};
}

} // namespace

QString RevisaEntrada(const QByteArray &datos)
{
    QString fallo = revisaArchivo(datos);
    for (const QString &texto : {DesdeWindows1252(datos), QString::fromUtf8(datos)}) {
        if (fallo.isEmpty())
            fallo = revisaEscritura(texto);
        if (fallo.isEmpty())
            fallo = revisaEntero(texto);
        if (fallo.isEmpty())
            fallo = revisaReal(texto, u'.');
        if (fallo.isEmpty())
            fallo = revisaReal(texto, u',');
    }
    return fallo;
}
