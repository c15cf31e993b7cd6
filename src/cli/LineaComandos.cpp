#include "LineaComandos.h"

#include "PaginaPdf.h"
#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ReglasCaptura.h"
#include "core/informe/Informe.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

const char *const uso =
    "Uso: tolerancia --informe ARCHIVO.w1e\n"
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

// What a user gets who opens the file, presses the accept button and
// chooses "&Informe".
int informe(const QString &ruta)
{
    try {
        const Estudio estudio = EstudioAceptado(LeeArchivoEstudio(ruta));
        if (const std::optional<FalloCaptura> fallo =
                RevisaConteos(estudio.econdicion, estudio.ereplica)) {
            escribe(stderr, fallo->mensaje);
            return 1;
        }
        JuegoResultados juego;
        ComponeInforme(estudio, SeparadorDecimal(), juego,
                       [](const QString &linea) { escribe(stdout, linea); });
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
    std::fputs(uso, stderr);
    return 2;
}
