#include "FlujoRegistro.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"


using namespace Qt::StringLiterals;

namespace {

const QString claveSinRegistro = u"sinRegistro"_s;
const QString claveRegistroModificado = u"registroModificado"_s;
const QString claveEstudioModificado = u"estudioModificado"_s;

// A text typed in a one-line field: trimmed, required, without line breaks
// or other control characters (which would break the trail's lines).
bool deUnaLinea(const QString &texto)
{
    for (QChar c : texto)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
            || c.category() == QChar::Separator_Paragraph)
            return false;
    return true;
}

EntradaRegistro entrada(TipoEntrada tipo, const ContextoEntrada &contexto, const QString &sha256)
{
    EntradaRegistro e;
    e.tipo = tipo;
    e.contexto = contexto;
    e.sha256 = sha256;
    return e;
}

EntradaRegistro salida(TipoEntrada tipo, const ContextoEntrada &contexto, const Huella &estudio,
                       const QString &documento, const QString &destino)
{
    EntradaRegistro e = entrada(tipo, contexto, estudio.sha256);
    e.documento = documento;
    e.destino = destino;
    return e;
}

AvisoRegistro avisoRotura(const RoturaCadena &rotura, const QString &registro)
{
    switch (rotura.fallo) {
    case FalloCadena::vacio:
        return AvisoRegistro{claveRegistroModificado,
                             TextoDe(Mensaje::registroVacio).arg(registro)};
    case FalloCadena::lineaIlegible:
        return AvisoRegistro{claveRegistroModificado,
                             TextoDe(Mensaje::registroLineaIlegible).arg(registro).arg(rotura.linea)};
    case FalloCadena::eslabonRoto:
        return AvisoRegistro{claveRegistroModificado,
                             TextoDe(Mensaje::registroEslabonRoto).arg(registro).arg(rotura.linea)};
    case FalloCadena::lineaIncompleta:
        break;
    }
    return AvisoRegistro{claveRegistroModificado,
                         TextoDe(Mensaje::registroLineaIncompleta).arg(registro).arg(rotura.linea)};
}

} // namespace

QString RutaRegistro(const QString &rutaEstudio)
{
    return rutaEstudio + u".registro"_s;
}

bool NecesitaMotivo(const std::optional<QByteArray> &guardado, const QByteArray &nuevo, bool preguntar)
{
    return preguntar && guardado && *guardado != nuevo;
}

void RevisaMotivo(const QString &motivo)
{
    if (motivo.trimmed().isEmpty())
        throw ErrorRegistro(TextoDe(Mensaje::faltaMotivo));
    if (!deUnaLinea(motivo))
        throw ErrorRegistro(TextoDe(Mensaje::motivoEnVariasLineas));
}

QList<EntradaRegistro> EntradasGuardado(const ContextoEntrada &contexto, const Guardado &guardado)
{
    std::optional<ArchivoEstudio> antes;
    if (guardado.antes)
        antes = LeeEstudio(*guardado.antes);
    const QString sha256 = Sha256(guardado.despues);
    EntradaRegistro guardar = entrada(TipoEntrada::guardado, contexto, sha256);
    guardar.sha256Anterior = guardado.antes ? Sha256(*guardado.antes) : QString();
    guardar.cambios = CambiosEntre(antes, LeeEstudio(guardado.despues));
    if (guardado.motivo.isEmpty())
        return {guardar};
    RevisaMotivo(guardado.motivo);
    EntradaRegistro motivo = entrada(TipoEntrada::motivo, contexto, sha256);
    motivo.motivo = guardado.motivo.trimmed();
    return {guardar, motivo};
}

EntradaRegistro EntradaCreacion(const ContextoEntrada &contexto, const QString &archivo,
                                const std::optional<Huella> &estudio)
{
    EntradaRegistro e = entrada(TipoEntrada::creado, contexto, estudio ? estudio->sha256 : QString());
    e.archivo = archivo;
    return e;
}

void CompruebaFirmable(const VeredictoRegistro &registro, const Huella &estudio)
{
    if (estudio.sinGuardar())
        throw ErrorRegistro(TextoDe(Mensaje::firmaConCambios));
    if (registro.rotura)
        throw ErrorRegistro(TextoDe(Mensaje::firmaRegistroModificado));
    // The study shown must be the one on disk, and the one last saved.
    if (estudio.sha256 != registro.sha256Estudio || (registro.hayRegistro && !registro.estudioCoincide))
        throw ErrorRegistro(TextoDe(Mensaje::firmaEstudioModificado));
}

void RevisaFirmante(const QString &firmante)
{
    if (firmante.trimmed().isEmpty())
        throw ErrorRegistro(TextoDe(Mensaje::faltaFirmante));
    if (!deUnaLinea(firmante))
        throw ErrorRegistro(TextoDe(Mensaje::firmanteEnVariasLineas));
}

Huella HuellaMostrada(const Estudio &mostrado, bool modificado, const QByteArray &enDisco,
                      const QString &ruta)
{
    if (modificado)
        return {};
    // Compared as the program would write each: the texts and the values
    // the file holds, whatever the grid's labels.
    if (EscribeEstudio(mostrado) != EscribeEstudio(EstudioAceptado(LeeEstudio(enDisco))))
        throw ErrorRegistro(TextoDe(Mensaje::firmaArchivoCambiado).arg(ruta));
    return HuellaDe(enDisco);
}

EntradaRegistro EntradaFirma(const ContextoEntrada &contexto, const VeredictoRegistro &registro,
                             const Huella &estudio, const QString &firmante, Significado significado)
{
    CompruebaFirmable(registro, estudio);
    RevisaFirmante(firmante);
    EntradaRegistro e = entrada(TipoEntrada::firmado, contexto, estudio.sha256);
    e.firmante = firmante.trimmed();
    e.significado = significado;
    return e;
}

EntradaRegistro EntradaImpresion(const ContextoEntrada &contexto, const Huella &estudio,
                                 const QString &documento, const QString &impresora)
{
    return salida(TipoEntrada::impreso, contexto, estudio, documento, impresora);
}

EntradaRegistro EntradaExportacion(const ContextoEntrada &contexto, const Huella &estudio,
                                   const QString &documento, const QString &archivo)
{
    return salida(TipoEntrada::exportado, contexto, estudio, documento, archivo);
}

bool PideVerificacion(const VeredictoRegistro &registro, const QString &version)
{
    if (!registro.correcto())
        return false;
    for (const EntradaRegistro &e : registro.entradas)
        if (e.contexto.version == version)
            return false;
    return true;
}

EntradaRegistro EntradaVerificacion(const ContextoEntrada &contexto, const VeredictoRegistro &registro)
{
    EntradaRegistro e = entrada(TipoEntrada::verificado, contexto, registro.sha256Guardado);
    if (!registro.entradas.isEmpty())
        e.versionAnterior = registro.entradas.constLast().contexto.version;
    return e;
}

QList<AvisoRegistro> AvisosRegistro(const VeredictoRegistro &registro, const QString &rutaEstudio)
{
    if (!registro.hayRegistro)
        return {AvisoRegistro{claveSinRegistro,
                              TextoDe(Mensaje::sinRegistro).arg(rutaEstudio)}};
    QList<AvisoRegistro> avisos;
    if (registro.rotura)
        avisos.append(avisoRotura(*registro.rotura, RutaRegistro(rutaEstudio)));
    if (registro.estudioCoincide)
        return avisos;
    if (registro.lineaGuardado == 0)
        avisos.append(AvisoRegistro{claveEstudioModificado,
                                    TextoDe(Mensaje::registroSinGuardados).arg(rutaEstudio)});
    else
        avisos.append(AvisoRegistro{claveEstudioModificado,
                                    TextoDe(Mensaje::estudioModificadoFuera)
                                        .arg(rutaEstudio).arg(registro.lineaGuardado)});
    return avisos;
}

QList<EntradaRegistro> EntradasAviso(const ContextoEntrada &contexto, const QList<AvisoRegistro> &avisos,
                                     const Huella &estudio)
{
    QList<EntradaRegistro> entradas;
    for (const AvisoRegistro &aviso : avisos) {
        if (aviso.clave == claveSinRegistro)
            continue;
        EntradaRegistro e = entrada(TipoEntrada::aviso, contexto, estudio.sha256);
        e.aviso = aviso.clave;
        e.texto = aviso.texto;
        entradas.append(e);
    }
    return entradas;
}

QString TextoEstadoFirma(EstadoFirma estado)
{
    switch (estado) {
    case EstadoFirma::valida:
        return u"válida"_s;
    case EstadoFirma::estudioCambiado:
        return u"ya no es válida: el estudio cambió después de la firma"_s;
    case EstadoFirma::registroModificado:
        return u"ya no es válida: el registro de cambios fue modificado"_s;
    }
    return {};
}
