#include "TextoRegistro.h"

#include "core/estudio/FlujoRegistro.h"


using namespace Qt::StringLiterals;

namespace {

QString citado(const std::optional<QString> &texto)
{
    return texto ? u'«' + *texto + u'»' : u"(no estaba)"_s;
}

QString quien(const Autor &autor)
{
    return autor.nombreCompleto.isEmpty() ? autor.cuenta
                                          : QStringLiteral("%1 (%2)").arg(autor.cuenta, autor.nombreCompleto);
}

const Firma *firmaDeLinea(const VeredictoRegistro &registro, int linea)
{
    for (const Firma &firma : registro.firmas)
        if (firma.entrada.linea == linea)
            return &firma;
    return nullptr;
}

// What the entry records, as the lines under "Qué:".
QStringList que(const EntradaRegistro &e, const VeredictoRegistro &registro)
{
    const QString huella = e.sha256.isEmpty() ? u"estudio sin guardar"_s : u"SHA-256 "_s + e.sha256;
    switch (e.tipo) {
    case TipoEntrada::creado:
        if (e.sha256.isEmpty())
            return {QStringLiteral("Creó el registro del estudio «%1».").arg(e.archivo)};
        return {QStringLiteral("Creó el registro del estudio «%1», que ya existía (%2).").arg(e.archivo, huella)};
    case TipoEntrada::guardado: {
        QStringList lineas{e.sha256Anterior.isEmpty()
                               ? QStringLiteral("Guardó el estudio por primera vez (%1).").arg(huella)
                               : QStringLiteral("Guardó el estudio (%1; antes SHA-256 %2).")
                                     .arg(huella, e.sha256Anterior)};
        if (e.cambios.isEmpty())
            lineas << u"  Sin cambios."_s;
        for (const Cambio &c : e.cambios)
            lineas << QStringLiteral("  %1: %2 → %3").arg(NombreCambio(c), citado(c.antes), citado(c.despues));
        return lineas;
    }
    case TipoEntrada::motivo:
        return {QStringLiteral("Motivo del cambio del guardado anterior (%1).").arg(huella)};
    case TipoEntrada::firmado: {
        const Firma *firma = firmaDeLinea(registro, e.linea);
        return {QStringLiteral("Firmó: %1 %2 (%3).").arg(TextoSignificado(e.significado), e.firmante, huella),
                QStringLiteral("  Firma %1.")
                    .arg(TextoEstadoFirma(firma ? firma->estado : EstadoFirma::registroModificado))};
    }
    case TipoEntrada::impreso:
        return {QStringLiteral("Imprimió «%1» en «%2» (%3).").arg(e.documento, e.destino, huella)};
    case TipoEntrada::exportado:
        return {QStringLiteral("Escribió «%1» en «%2» (%3).").arg(e.documento, e.destino, huella)};
    case TipoEntrada::verificado:
        return {QStringLiteral("Comprobó el registro con la versión %1 del programa; la entrada anterior es de "
                               "la versión %2 (%3).").arg(e.contexto.version, e.versionAnterior, huella)};
    case TipoEntrada::aviso:
        return {QStringLiteral("Avisó al abrir el estudio (%1): %2").arg(huella, e.texto)};
    case TipoEntrada::otro:
        break;
    }
    return {QStringLiteral("Entrada «%1», de otra versión del programa.").arg(e.nombreTipo)};
}

} // namespace

QString TextoMomento(const ContextoEntrada &contexto)
{
    // The texts as written: ISO 8601 to the second, "Z" or the offset last.
    QString utc = contexto.utc;
    utc.replace(u'T', u' ').remove(u'Z');
    const QString local = contexto.local.left(19).replace(u'T', u' ');
    return QStringLiteral("%1 UTC · %2 hora local (UTC%3)").arg(utc, local, contexto.local.mid(19));
}

QStringList LineasRegistro(const VeredictoRegistro &registro, const QString &rutaEstudio)
{
    QStringList lineas{QStringLiteral("Registro de cambios de «%1»").arg(rutaEstudio), QString()};
    for (const EntradaRegistro &e : registro.entradas) {
        lineas << QStringLiteral("Línea %1 · %2").arg(e.linea).arg(TextoMomento(e.contexto))
               << QStringLiteral("  Quién: %1 · Tolerancia del Método %2").arg(quien(e.contexto.autor),
                                                                            e.contexto.version);
        const QStringList lineasQue = que(e, registro);
        lineas << u"  Qué: "_s + lineasQue.first();
        for (qsizetype i = 1; i < lineasQue.size(); ++i)
            lineas << u"  "_s + lineasQue[i];
        if (e.tipo == TipoEntrada::motivo)
            lineas << u"  Por qué: "_s + e.motivo;
    }
    if (!registro.entradas.isEmpty())
        lineas << QString();

    const QList<AvisoRegistro> avisos = AvisosRegistro(registro, rutaEstudio);
    for (const AvisoRegistro &aviso : avisos)
        lineas << aviso.texto;
    if (avisos.isEmpty())
        lineas << QStringLiteral("Comprobación: la cadena de %1 entradas está íntegra y el estudio es el que "
                                 "anota su último guardado (línea %2).")
                      .arg(registro.entradas.size()).arg(registro.lineaGuardado);
    return lineas;
}
