#include "Mensajes.h"

#include <array>
#include <cstddef>

namespace {

struct EntradaMensaje
{
    Mensaje mensaje;
    const char16_t *texto;
};

// In the order of the enumeration.
constexpr std::array catalogo{
    EntradaMensaje{Mensaje::errorDeCalculo, u"Existió un error de cálculo, verificar valores de captura."},
    EntradaMensaje{Mensaje::operacionInvalida, u"Invalid floating point operation"},
    EntradaMensaje{Mensaje::divisionPorCero, u"Floating point division by zero"},
    EntradaMensaje{Mensaje::desbordamiento, u"Floating point overflow"},
    EntradaMensaje{Mensaje::fueraDeTabla, u"Range check error"},
    EntradaMensaje{Mensaje::datosFueraDeLimite, u"Datos fuera de límite: 2-5 FAM, 2-10 muestras."},
    EntradaMensaje{Mensaje::enteroNoValido, u"'%1' is not a valid integer value"},
    EntradaMensaje{Mensaje::decimalNoValido, u"'%1' is not a valid floating point value"},
    EntradaMensaje{Mensaje::faltaNumeroFam, u"Falta capturar el número de FAM."},
    EntradaMensaje{Mensaje::faltaNumeroMuestras, u"Falta capturar el número de valoraciones(replicaciones)."},
    EntradaMensaje{Mensaje::faltaNumeroFamAlSalir, u"Falta capturar el número de FAM"},
    EntradaMensaje{Mensaje::faltaNumeroMuestrasAlSalir,
                   u"Falta capturar el número de valoraciones replicaciones"},
    EntradaMensaje{Mensaje::famFueraDeLimite, u"Datos fuera de límite, 2-5 FAM."},
    EntradaMensaje{Mensaje::muestrasFueraDeLimite,
                   u"Datos fuera de límite, 2-10 valoraciones (Replicaciones)."},
    EntradaMensaje{Mensaje::faltaAceptarConteos, u" Falta aceptar el número de FAM y de Muestras"},
    EntradaMensaje{Mensaje::celdasNoCoinciden,
                   u"El número de celdas para las replicaciones, no coincide con el número de "
                   u"replicas(Muestras)."},
    EntradaMensaje{Mensaje::faltaMuestra, u"Falta capturar la %1 ª muestra del FAM %2."},
    EntradaMensaje{Mensaje::datoNoNumerico, u"Algún dato capturado no es un valor numérico."},
    EntradaMensaje{Mensaje::faltaLimite, u"Falta capturar el límite de aceptación."},
    EntradaMensaje{Mensaje::limiteNoNumerico,
                   u"El límite de aceptación «%1» no es un número: escríbalo en las unidades de los datos "
                   u"(por ejemplo, %2) o como porcentaje del promedio general (por ejemplo, %3)."},
    EntradaMensaje{Mensaje::limiteNoPositivo, u"El límite de aceptación debe ser mayor que 0."},
    EntradaMensaje{Mensaje::faltaDerMaxima, u"Falta capturar la DER máxima."},
    EntradaMensaje{Mensaje::derMaximaNoNumerica,
                   u"La DER máxima «%1» no es un número: escríbala en por ciento (por ejemplo, %2)."},
    EntradaMensaje{Mensaje::derMaximaNoPositiva, u"La DER máxima debe ser mayor que 0."},
    EntradaMensaje{Mensaje::conteoFamDeArchivo, u"%1 %2 FAM: un archivo de estudio admite de 0 a %3."},
    EntradaMensaje{Mensaje::conteoMuestrasDeArchivo,
                   u"%1 %2 muestras por FAM: un archivo de estudio admite de 0 a %3."},
    EntradaMensaje{Mensaje::campoConRetorno,
                   u"El campo «%1» contiene un salto de línea (retorno de carro) y no se puede guardar."},
    EntradaMensaje{Mensaje::campoConCtrlZ,
                   u"El campo «%1» contiene el carácter de control Ctrl+Z y no se puede guardar."},
    EntradaMensaje{Mensaje::campoConCaracterAjeno,
                   u"El campo «%1» contiene el carácter «%2», que no se puede guardar en un archivo de "
                   u"estudio (Windows-1252)."},
    EntradaMensaje{Mensaje::abrirNoArchivoNormal,
                   u"No se puede abrir el archivo «%1»: no es un archivo normal."},
    EntradaMensaje{Mensaje::noSeAbre, u"No se puede abrir el archivo «%1»: %2"},
    EntradaMensaje{Mensaje::noSeLee, u"No se puede leer el archivo «%1»: %2"},
    EntradaMensaje{Mensaje::estudioDemasiadoGrande,
                   u"El archivo «%1» es demasiado grande para ser un estudio (más de %2 MiB)."},
    EntradaMensaje{Mensaje::guardarNoArchivoNormal, u"No se puede guardar en «%1»: no es un archivo normal."},
    EntradaMensaje{Mensaje::noSeCrea, u"No se puede crear el archivo «%1»: %2"},
    EntradaMensaje{Mensaje::noSeEscribe, u"No se puede escribir el archivo «%1»: %2"},
    EntradaMensaje{Mensaje::registroEnUso,
                   u"El registro de cambios «%1» está en uso por otro programa: inténtelo de nuevo."},
    EntradaMensaje{Mensaje::registroNoSeBloquea,
                   u"No se puede bloquear el registro de cambios «%1» para escribir en él: %2"},
    EntradaMensaje{Mensaje::registroNoArchivoNormal,
                   u"No se puede leer el registro de cambios «%1»: no es un archivo normal."},
    EntradaMensaje{Mensaje::registroNoSeLee, u"No se puede leer el registro de cambios «%1»: %2"},
    EntradaMensaje{Mensaje::registroDemasiadoGrande,
                   u"El registro de cambios «%1» es demasiado grande (más de %2 MiB)."},
    EntradaMensaje{Mensaje::guardadoSinRegistro,
                   u"El estudio «%1» se guardó, pero no se pudo anotar en su registro de cambios, así que el "
                   u"guardado no está completo: vuelva a guardarlo. Causa: %2"},
    EntradaMensaje{Mensaje::registroVacio, u"El registro de cambios «%1» fue modificado: está vacío."},
    EntradaMensaje{Mensaje::registroLineaIlegible,
                   u"El registro de cambios «%1» fue modificado: su línea %2 no es una entrada del registro."},
    EntradaMensaje{Mensaje::registroEslabonRoto,
                   u"El registro de cambios «%1» fue modificado: la entrada de su línea %2 no sigue a la "
                   u"anterior (se editó, quitó o reordenó una entrada)."},
    EntradaMensaje{Mensaje::registroLineaIncompleta,
                   u"El registro de cambios «%1» fue modificado: su última línea (%2) está incompleta."},
    EntradaMensaje{Mensaje::faltaMotivo, u"Falta el motivo del cambio."},
    EntradaMensaje{Mensaje::motivoEnVariasLineas, u"El motivo del cambio debe escribirse en una sola línea."},
    EntradaMensaje{Mensaje::firmaConCambios,
                   u"No se puede firmar un estudio con cambios sin guardar: guárdelo antes de firmar."},
    EntradaMensaje{Mensaje::firmaRegistroModificado,
                   u"No se puede firmar el estudio: su registro de cambios fue modificado."},
    EntradaMensaje{Mensaje::firmaEstudioModificado,
                   u"No se puede firmar el estudio: fue modificado fuera del programa después de su último "
                   u"guardado."},
    EntradaMensaje{Mensaje::faltaFirmante, u"Falta el nombre completo de quien firma."},
    EntradaMensaje{Mensaje::firmanteEnVariasLineas,
                   u"El nombre de quien firma debe escribirse en una sola línea."},
    EntradaMensaje{Mensaje::sinRegistro,
                   u"El estudio «%1» no tiene registro de cambios: no se puede comprobar su historia."},
    EntradaMensaje{Mensaje::registroSinGuardados,
                   u"El registro de cambios no anota ningún guardado del estudio «%1»: no se puede comprobar "
                   u"que sea el que guardó el programa."},
    EntradaMensaje{Mensaje::estudioModificadoFuera,
                   u"El estudio «%1» fue modificado fuera del programa: no es el que anota su último guardado "
                   u"(línea %2 del registro de cambios)."},
    EntradaMensaje{Mensaje::firmaArchivoCambiado,
                   u"No se puede firmar el estudio: su archivo «%1» cambió después de abrirlo en esta ventana. "
                   u"Ábralo de nuevo para ver lo que firmaría."},
    EntradaMensaje{Mensaje::significadoNoValido,
                   u"El significado «%1» no es válido: debe ser realizado, revisado o aprobado."},
    EntradaMensaje{Mensaje::graficaPngNoSeCompone, u"No se pudo componer la imagen PNG de la gráfica."},
    EntradaMensaje{Mensaje::graficaSvgNoSeCompone, u"No se pudo componer la gráfica SVG."},
    EntradaMensaje{Mensaje::graficaPdfNoSeCompone, u"No se pudo componer la gráfica PDF."},
    EntradaMensaje{Mensaje::graficaSinExtension,
                   u"No se puede guardar la gráfica en «%1»: el nombre debe terminar en .png, .svg o .pdf."},
    EntradaMensaje{Mensaje::impresionNoInicia, u"No se pudo iniciar la impresión en «%1»."},
    EntradaMensaje{Mensaje::impresionNoTermina, u"No se pudo terminar la impresión."},
    EntradaMensaje{Mensaje::impresoraNoAcepta,
                   u"La impresora «%1» no aceptó el trabajo: la página no se imprimió."},
    EntradaMensaje{Mensaje::graficaNoSeImprime, u"No se pudo imprimir la gráfica."},
    EntradaMensaje{Mensaje::noHayEstudioParaImprimir, u"No hay ningún estudio abierto para imprimir."},
    EntradaMensaje{Mensaje::paginaNuevaNoEmpieza, u"No se pudo empezar una página nueva en «%1»."},
    EntradaMensaje{Mensaje::referenciaIncompleta,
                   u"La línea %1 de la tabla de referencias no tiene sus seis campos."},
    EntradaMensaje{Mensaje::referenciaQueFalta, u"El programa no contiene el estudio de referencia «%1»."},
    EntradaMensaje{Mensaje::guardarArchivo, u"Guardar archivo?"},
    EntradaMensaje{Mensaje::cambiosSinGuardar, u"Se realizaron cambios!\nQuiere guardar su información?"},
    EntradaMensaje{Mensaje::informeNoSeEscribe, u"No se pudo escribir el informe en la salida estándar: %1"},
    EntradaMensaje{Mensaje::supuestosNoSeEscriben,
                   u"No se pudieron escribir los supuestos en la salida estándar: %1"},
    EntradaMensaje{Mensaje::jsonNoSeEscribe,
                   u"No se pudo escribir el documento JSON en la salida estándar: %1"},
    EntradaMensaje{Mensaje::comparacionesNoSeEscriben,
                   u"No se pudieron escribir las comparaciones en la salida estándar: %1"},
    EntradaMensaje{Mensaje::controlNoValido,
                   u"El FAM de control «%1» no es válido: debe ser un número entero de 1 a 5."},
    EntradaMensaje{Mensaje::controlFueraDelEstudio,
                   u"El FAM de control debe estar entre 1 y %1: el estudio tiene %1 FAM."},
    EntradaMensaje{Mensaje::precisionNoSeEscribe,
                   u"No se pudo escribir la precisión intermedia en la salida estándar: %1"},
    EntradaMensaje{Mensaje::registroNoSeEscribe,
                   u"No se pudo escribir el registro de cambios en la salida estándar: %1"},
    EntradaMensaje{Mensaje::verificacionNoSeEscribe,
                   u"No se pudo escribir la verificación en la salida estándar: %1"},
};

constexpr bool enOrden()
{
    for (std::size_t i = 0; i < catalogo.size(); ++i)
        if (catalogo[i].mensaje != Mensaje(i))
            return false;
    return true;
}
static_assert(enOrden(), "every message has its text, in the order of the enumeration");

} // namespace

QString TextoDe(Mensaje mensaje)
{
    return QString::fromUtf16(catalogo.at(static_cast<std::size_t>(mensaje)).texto);
}

QList<Mensaje> TodosLosMensajes()
{
    QList<Mensaje> mensajes;
    for (const EntradaMensaje &entrada : catalogo)
        mensajes << entrada.mensaje;
    return mensajes;
}
