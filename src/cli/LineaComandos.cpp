#include "LineaComandos.h"

#include "EstudioDeLinea.h"
#include "LineaPrecision.h"
#include "LineaRegistro.h"
#include "LineaVerificacion.h"
#include "SalidasArchivo.h"
#include "SalidasTexto.h"
#include "core/Version.h"

#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// One parameter of a command, in the order the usage shows it.
struct Parametro
{
    enum Tipo { Archivo, Opcion, Interruptor };
    Tipo tipo;
    QString nombre;           // "--control"
    QString valor;            // what its value is, as the usage names it
    bool obligatorio = false;
    bool eleccion = false;    // the value is one of valor's "a|b|c"
};

const Parametro estudio{Parametro::Archivo, QString(), QStringLiteral("ARCHIVO.w1e"), true};

Parametro opcion(const char *nombre, const char *valor, bool obligatoria = false)
{
    return {Parametro::Opcion, QLatin1String(nombre), QLatin1String(valor), obligatoria};
}

// An option whose value is one of `valores` ("a|b"), as the usage shows.
Parametro eleccion(const char *nombre, const char *valores, bool obligatoria = false)
{
    return {Parametro::Opcion, QLatin1String(nombre), QLatin1String(valores), obligatoria, true};
}

// An option without a value, such as "[--bonferroni]".
Parametro interruptor(const char *nombre)
{
    return {Parametro::Interruptor, QLatin1String(nombre), QString()};
}

struct Orden
{
    const char *nombre;                 // "--pdf"
    const char *valor = nullptr;        // its own value ("SALIDA.pdf"), if it takes one
    std::vector<Parametro> parametros{};  // in the order of its usage line
    int (*ejecuta)(const ArgumentosOrden &) = nullptr;
};

int ayuda(const ArgumentosOrden &);
int version(const ArgumentosOrden &);

// Every command of the command line, in the order the usage lists them. A
// new command is a row here and a handler as EstudioDeLinea.h describes.
// The acceptance criteria of an equivalence, after the study.
const std::vector<Parametro> conCriterios{estudio, opcion("--limite", "X|X%"), opcion("--der-maxima", "Y"),
                                          interruptor("--bonferroni")};

const std::vector<Orden> ordenes{
    {.nombre = "--informe", .parametros = {estudio}, .ejecuta = EjecutaInforme},
    {.nombre = "--supuestos", .parametros = {estudio}, .ejecuta = EjecutaSupuestos},
    {.nombre = "--json", .parametros = conCriterios, .ejecuta = EjecutaJson},
    {.nombre = "--dunnett", .parametros = {estudio, opcion("--control", "N")}, .ejecuta = EjecutaDunnett},
    {.nombre = "--pdf",
     .valor = "SALIDA.pdf",
     .parametros = {eleccion("--pagina", "informacion|resultados", true), eleccion("--impresora", "laser|deskjet"),
                    estudio},
     .ejecuta = EjecutaPdf},
    {.nombre = "--grafica",
     .valor = "SALIDA.png|svg|pdf",
     .parametros = {estudio, opcion("--ancho", "PX"), opcion("--alto", "PX"), opcion("--limite", "X|X%")},
     .ejecuta = EjecutaGrafica},
    {.nombre = "--precision", .parametros = conCriterios, .ejecuta = EjecutaPrecision},
    {.nombre = "--verificar", .parametros = {opcion("--pdf", "SALIDA.pdf")}, .ejecuta = EjecutaVerificacion},
    {.nombre = "--registro", .parametros = {estudio}, .ejecuta = EjecutaRegistro},
    // The meaning is checked by its handler, which names the three.
    {.nombre = "--firmar",
     .parametros = {estudio, opcion("--nombre", "\"NOMBRE\"", true),
                    opcion("--significado", "realizado|revisado|aprobado", true)},
     .ejecuta = EjecutaFirma},
    {.nombre = "--help", .ejecuta = ayuda},
    {.nombre = "--version", .ejecuta = version},
};

// "tolerancia --pdf SALIDA.pdf --pagina informacion|resultados …"
QString sinopsis(const Orden &orden)
{
    QString linea = QStringLiteral("tolerancia ") + QLatin1String(orden.nombre);
    if (orden.valor)
        linea += u' ' + QLatin1String(orden.valor);
    for (const Parametro &p : orden.parametros) {
        QString texto = p.tipo == Parametro::Archivo ? p.valor
                      : p.tipo == Parametro::Interruptor ? p.nombre
                      : p.nombre + u' ' + p.valor;
        linea += u' ' + (p.obligatorio ? texto : u'[' + texto + u']');
    }
    return linea;
}

// The one usage text: every command's line.
QString textoUso()
{
    QStringList lineas;
    for (const Orden &orden : ordenes)
        lineas << (lineas.isEmpty() ? QStringLiteral("Uso: ") : QStringLiteral("     ")) + sinopsis(orden);
    return lineas.join(u'\n');
}

int salidaEscrita()
{
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

int ayuda(const ArgumentosOrden &)
{
    EscribeLinea(stdout, textoUso());
    return salidaEscrita();
}

int version(const ArgumentosOrden &)
{
    EscribeLinea(stdout, QStringLiteral("Tolerancia del Método %1").arg(QLatin1String(VersionPrograma)));
    EscribeLinea(stdout, QStringLiteral("Revisión de las fuentes: %1").arg(QString::fromUtf8(RevisionFuentes)));
    EscribeLinea(stdout, QStringLiteral("Compilado el %1").arg(QLatin1String(FechaCompilacion)));
    return salidaEscrita();
}

const Parametro *parametroDe(const Orden &orden, const QString &nombre)
{
    for (const Parametro &p : orden.parametros)
        if (p.tipo != Parametro::Archivo && p.nombre == nombre)
            return &p;
    return nullptr;
}

// The arguments from argv[2] on, as the row of the command asks for them:
// options in any order, each at most once and the study anywhere among
// them. Nothing when they do not fit.
std::optional<ArgumentosOrden> leeArgumentos(const Orden &orden, int &argc, char **argv)
{
    ArgumentosOrden argumentos;
    argumentos.orden = QLatin1String(orden.nombre);
    argumentos.uso = QStringLiteral("Uso: ") + sinopsis(orden);
    argumentos.argc = &argc;
    argumentos.argv = argv;
    int i = 2;
    if (orden.valor) {
        if (i >= argc || argv[i][0] == '\0')
            return std::nullopt;
        argumentos.valores.insert(argumentos.orden, QString::fromLocal8Bit(argv[i++]));
    }
    const bool llevaEstudio = std::any_of(orden.parametros.begin(), orden.parametros.end(),
                                          [](const Parametro &p) { return p.tipo == Parametro::Archivo; });
    bool hayEstudio = false;
    for (; i < argc; ++i) {
        const QString argumento = QString::fromLocal8Bit(argv[i]);
        const Parametro *parametro = parametroDe(orden, argumento);
        if (!parametro) {
            // The study; anything else beginning with "--" is no option of this command.
            if (!llevaEstudio || hayEstudio || argumento.startsWith(u"--"))
                return std::nullopt;
            argumentos.archivo = argumento;
            hayEstudio = true;
        } else if (argumentos.tiene(argumento)) {
            return std::nullopt;
        } else if (parametro->tipo == Parametro::Interruptor) {
            argumentos.valores.insert(argumento, QString());
        } else {
            if (i + 1 >= argc)
                return std::nullopt;
            const QString valor = QString::fromLocal8Bit(argv[++i]);
            if (parametro->eleccion && !parametro->valor.split(u'|').contains(valor))
                return std::nullopt;
            argumentos.valores.insert(argumento, valor);
        }
    }
    if (llevaEstudio && !hayEstudio)
        return std::nullopt;
    for (const Parametro &p : orden.parametros)
        if (p.tipo == Parametro::Opcion && p.obligatorio && !argumentos.tiene(p.nombre))
            return std::nullopt;
    return argumentos;
}

} // namespace

bool EsLineaComandos(int argc, char **argv)
{
    return argc >= 2 && std::strncmp(argv[1], "--", 2) == 0;
}

int EjecutaLineaComandos(int argc, char **argv)
{
    for (const Orden &orden : ordenes) {
        if (std::strcmp(argv[1], orden.nombre) != 0)
            continue;
        const std::optional<ArgumentosOrden> argumentos = leeArgumentos(orden, argc, argv);
        if (!argumentos) {
            EscribeLinea(stderr, QStringLiteral("Uso: ") + sinopsis(orden));
            return 2;
        }
        return orden.ejecuta(*argumentos);
    }
    EscribeLinea(stderr, textoUso());
    return 2;
}
