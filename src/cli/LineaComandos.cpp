#include "LineaComandos.h"

#include "PaginaPdf.h"
#include "capture/ReglasCaptura.h"
#include "core/informe/TextoDunnett.h"
#include "results/Informe.h"
#include "shell/EstudioArchivo.h"
#include "stats/Conversiones.h"
#include "stats/Errores.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>

namespace {

const char *const uso =
    "Uso: tolerancia --informe ARCHIVO.w1e\n"
    "     tolerancia --dunnett ARCHIVO.w1e [--control N]\n"
    "     tolerancia --pdf SALIDA.pdf --pagina informacion|resultados"
    " [--impresora laser|deskjet] ARCHIVO.w1e\n";

void escribe(std::FILE *flujo, const QString &texto)
{
    const QByteArray utf8 = texto.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), flujo);
    std::fputc('\n', flujo);
}

// Stdout may be a full disk or a closed pipe: a report that did not reach
// it must not end as a success.
bool salidaCompleta()
{
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

// Runs `compone` on the study of the file as a user gets it who opens the
// file and presses the accept button; `compone` returns an exit code other
// than 0 to stop before anything is written.
int conEstudio(const QString &ruta, const std::function<int(const Estudio &)> &compone)
{
    try {
        const Estudio estudio = EstudioAceptado(LeeArchivoEstudio(ruta));
        if (const std::optional<FalloCaptura> fallo =
                RevisaConteos(estudio.econdicion, estudio.ereplica)) {
            escribe(stderr, fallo->mensaje);
            return 1;
        }
        if (const int codigo = compone(estudio))
            return codigo;
    } catch (const ErrorTolerancia &error) {
        std::fflush(stdout);
        escribe(stderr, error.texto());
        return 1;
    } catch (const std::exception &error) {
        std::fflush(stdout);
        escribe(stderr, QString::fromLocal8Bit(error.what()));
        return 1;
    }
    if (!salidaCompleta()) {
        escribe(stderr, QStringLiteral("No se pudo escribir el informe en la salida estándar: %1")
                            .arg(QString::fromLocal8Bit(std::strerror(errno))));
        return 1;
    }
    return 0;
}

void salida(const QString &linea)
{
    escribe(stdout, linea);
}

// What a user gets who chooses "&Informe".
int informe(const QString &ruta)
{
    return conEstudio(ruta, [](const Estudio &estudio) {
        JuegoResultados juego;
        ComponeInforme(estudio, SeparadorDecimal(), juego, salida);
        return 0;
    });
}

// What a user gets who chooses "&t de Dunnett" and picks the control level.
int dunnett(const QString &ruta, int control)
{
    return conEstudio(ruta, [control](const Estudio &estudio) {
        const int k = StrToInt(estudio.econdicion);
        if (control > k) {
            escribe(stderr, QStringLiteral("El FAM de control debe estar entre 1 y %1: el estudio tiene %1 FAM.")
                                .arg(k));
            return 2;
        }
        ComponeDunnett(estudio, SeparadorDecimal(), control, salida);
        return 0;
    });
}

// The arguments after --dunnett: the file and, before or after it, an
// optional "--control N". Nothing when they do not have that form.
struct ArgumentosDunnett
{
    QString ruta;
    QString control = QStringLiteral("1");
};

std::optional<ArgumentosDunnett> argumentosDunnett(int argc, char **argv)
{
    ArgumentosDunnett argumentos;
    bool conControl = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--control") == 0 && !conControl && i + 1 < argc) {
            argumentos.control = QString::fromLocal8Bit(argv[++i]);
            conControl = true;
        } else if (argumentos.ruta.isEmpty() && std::strncmp(argv[i], "--", 2) != 0 && argv[i][0] != '\0') {
            argumentos.ruta = QString::fromLocal8Bit(argv[i]);
        } else {
            return std::nullopt;
        }
    }
    if (argumentos.ruta.isEmpty())
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
    if (argc >= 2 && std::strcmp(argv[1], "--pdf") == 0)
        return EjecutaPdf(argc, argv);
    if (std::strcmp(argv[1], "--informe") == 0 && argc == 3)
        return informe(QString::fromLocal8Bit(argv[2]));
    if (std::strcmp(argv[1], "--dunnett") == 0) {
        if (const auto argumentos = argumentosDunnett(argc, argv)) {
            bool entero = false;
            const int control = argumentos->control.toInt(&entero);
            if (!entero || control < 1 || control > 5) {
                escribe(stderr, QStringLiteral("El FAM de control «%1» no es válido: debe ser un número entero de 1 a 5.")
                                    .arg(argumentos->control));
                return 2;
            }
            return dunnett(argumentos->ruta, control);
        }
    }
    std::fputs(uso, stderr);
    return 2;
}
