#include "RegistroEstudio.h"

#include "core/Version.h"
#include "core/estudio/ArchivoRegistro.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/estudio/FlujoRegistro.h"
#include "core/paginas/Hoja.h"
#include "core/motor/Errores.h"
#include "gui/Dialogos.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

namespace {

const QString clavePreguntaMotivo = QStringLiteral("registro/preguntarMotivo");

QSettings preferencias()
{
    return QSettings(QSettings::UserScope, QStringLiteral("tolerancia"), QStringLiteral("tolerancia"));
}

// A folder that is not there cannot hold the study: that is the study's
// error, not its register's, whose lock is taken first.
void compruebaCarpeta(const QString &ruta)
{
    if (QFileInfo(ruta).absoluteDir().exists())
        return;
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        throw ErrorArchivo(QStringLiteral("No se puede crear el archivo «%1»: %2")
                               .arg(ruta, TextoSistema(archivo.errorString())));
    archivo.cancelWriting();
}

} // namespace

bool PreguntaMotivo()
{
    return preferencias().value(clavePreguntaMotivo, true).toBool();
}

void PonPreguntaMotivo(bool preguntar)
{
    preferencias().setValue(clavePreguntaMotivo, preguntar);
}

bool GuardaConRegistro(const QString &ruta, const std::optional<QByteArray> &antes, const QByteArray &bytes,
                       QWidget *padre)
{
    QString motivo;
    if (NecesitaMotivo(antes, bytes, PreguntaMotivo())) {
        const std::optional<QString> respuesta = Dialogos::actual().motivoCambio(padre);
        if (!respuesta)
            return false;
        motivo = *respuesta;
        // Checked before anything is written: a blank reason saves nothing.
        RevisaMotivo(motivo);
    }
    CursorOcupado cursor;
    compruebaCarpeta(ruta);
    GuardaEstudioRegistrado(ruta, ContextoActual(), {antes, bytes, motivo});
    return true;
}

void RevisaRegistroAlAbrir(const QString &ruta, const Huella &huella)
{
    const VeredictoRegistro registro = VerificaRegistroDe(ruta, huella);
    if (!registro.hayRegistro)
        return;
    const QList<AvisoRegistro> avisos = AvisosRegistro(registro, ruta);
    if (avisos.isEmpty()) {
        if (PideVerificacion(registro, QLatin1String(VersionPrograma))) {
            const ContextoEntrada contexto = ContextoActual();
            AnotaEnRegistro(ruta, contexto, {EntradaVerificacion(contexto, registro)});
        }
        return;
    }
    QStringList textos;
    for (const AvisoRegistro &aviso : avisos)
        textos << aviso.texto;
    Dialogos::actual().mensaje(textos.join(u'\n'));
    const ContextoEntrada contexto = ContextoActual();
    AnotaEnRegistro(ruta, contexto, EntradasAviso(contexto, avisos, huella));
}

QStringList MargenDe(const QString &ruta, const Huella &huella)
{
    if (ruta.isEmpty() || huella.sinGuardar())
        return LineasMargen(huella, {});
    return LineasMargen(huella, VerificaRegistroDe(ruta, huella).firmas);
}

namespace {

// Outputs are recorded in a register the study has: printing a study that
// was only read (an example, a file on read-only media) writes nothing
// beside it.
bool tieneRegistro(const QString &ruta)
{
    return !ruta.isEmpty() && QFileInfo::exists(RutaRegistro(ruta));
}

} // namespace

void AnotaImpresion(const QString &ruta, const Huella &huella, const QString &documento,
                    const QString &impresora)
{
    if (!tieneRegistro(ruta))
        return;
    const ContextoEntrada contexto = ContextoActual();
    AnotaEnRegistro(ruta, contexto, {EntradaImpresion(contexto, huella, documento, impresora)});
}

void AnotaExportacion(const QString &ruta, const Huella &huella, const QString &documento,
                      const QString &archivo)
{
    if (!tieneRegistro(ruta))
        return;
    const ContextoEntrada contexto = ContextoActual();
    AnotaEnRegistro(ruta, contexto, {EntradaExportacion(contexto, huella, documento, archivo)});
}
