#pragma once

#include <QList>
#include <QString>

// Every message the program shows a user: in a message box, as the text of
// an error, as a warning of the register or on the command line's error
// output. The sources take each text from here and fill in its %1, %2… with
// QString::arg; a test keeps every one of them explained in the help. A
// new message is an enumerator here and its text at the same place of the
// catalogue in Mensajes.cpp.
enum class Mensaje {
    // What the engine and the typed values may fail with.
    errorDeCalculo,
    operacionInvalida,
    divisionPorCero,
    desbordamiento,
    fueraDeTabla,
    datosFueraDeLimite,
    enteroNoValido,
    decimalNoValido,

    // The capture's checks: the counts and the grid's cells.
    faltaNumeroFam,
    faltaNumeroMuestras,
    faltaNumeroFamAlSalir,
    faltaNumeroMuestrasAlSalir,
    famFueraDeLimite,
    muestrasFueraDeLimite,
    faltaAceptarConteos,
    celdasNoCoinciden,
    faltaMuestra,
    datoNoNumerico,

    // The acceptance limit and maximum RSD of an equivalence.
    faltaLimite,
    limiteNoNumerico,
    limiteNoPositivo,
    faltaDerMaxima,
    derMaximaNoNumerica,
    derMaximaNoPositiva,

    // Study files and every file the program writes.
    conteoFamDeArchivo,
    conteoMuestrasDeArchivo,
    campoConRetorno,
    campoConCtrlZ,
    campoConCaracterAjeno,
    abrirNoArchivoNormal,
    noSeAbre,
    noSeLee,
    estudioDemasiadoGrande,
    guardarNoArchivoNormal,
    noSeCrea,
    noSeEscribe,

    // The register of changes: its file, its entries and its warnings.
    registroEnUso,
    registroNoSeBloquea,
    registroNoArchivoNormal,
    registroNoSeLee,
    registroDemasiadoGrande,
    guardadoSinRegistro,
    registroVacio,
    registroLineaIlegible,
    registroEslabonRoto,
    registroLineaIncompleta,
    faltaMotivo,
    motivoEnVariasLineas,
    firmaConCambios,
    firmaRegistroModificado,
    firmaEstudioModificado,
    faltaFirmante,
    firmanteEnVariasLineas,
    sinRegistro,
    registroSinGuardados,
    estudioModificadoFuera,
    firmaArchivoCambiado,
    significadoNoValido,

    // The plot's files and the printer.
    graficaPngNoSeCompone,
    graficaSvgNoSeCompone,
    graficaPdfNoSeCompone,
    graficaSinExtension,
    impresionNoInicia,
    impresionNoTermina,
    impresoraNoAcepta,
    graficaNoSeImprime,
    noHayEstudioParaImprimir,
    paginaNuevaNoEmpieza,

    // The program's verification against its reference studies.
    referenciaIncompleta,
    referenciaQueFalta,

    // The close question of a study with changes: its title and its text.
    guardarArchivo,
    cambiosSinGuardar,

    // The command line's own.
    informeNoSeEscribe,
    supuestosNoSeEscriben,
    jsonNoSeEscribe,
    comparacionesNoSeEscriben,
    controlNoValido,
    controlFueraDelEstudio,
    precisionNoSeEscribe,
    registroNoSeEscribe,
    verificacionNoSeEscribe,
};

// The message's text, with its %1, %2… still to fill in.
QString TextoDe(Mensaje mensaje);

// Every message, in the order of the enumeration.
QList<Mensaje> TodosLosMensajes();
