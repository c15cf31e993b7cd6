#include "LineaPrecision.h"

#include "EstudioDeLinea.h"
#include "core/estudio/ArchivosSistema.h"
#include "core/informe/TextoPrecision.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Errores.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const char *const uso = "Uso: tolerancia --precision ARCHIVO.w1e [--limite X|X%] [--der-maxima Y] [--bonferroni]\n";

std::optional<CriteriosEquivalencia> criteriosDe(const Argumentos &argumentos, bool bonferroni)
{
    const QChar separador = SeparadorDecimal();
    const bool conDer = argumentos.valores.contains(u"--der-maxima"_s);
    if (!argumentos.valores.contains(u"--limite"_s) && !conDer && !bonferroni)
        return std::nullopt;
    // Without a limit the core names what is missing.
    CriteriosEquivalencia criterios{LeeLimiteAceptacion(argumentos.valores.value(u"--limite"_s), separador),
                                    std::nullopt, bonferroni};
    if (conDer)
        criterios.derMaxima = LeeDerMaxima(argumentos.valores.value(u"--der-maxima"_s), separador);
    return criterios;
}

} // namespace

std::optional<OrdenPrecision> LeeOrdenPrecision(int argc, char **argv, int desde)
{
    // "--bonferroni" takes no value: the rest is read without it.
    std::vector<char *> resto(argv, argv + desde);
    int bonferroni = 0;
    for (int i = desde; i < argc; ++i) {
        if (std::strcmp(argv[i], "--bonferroni") == 0)
            ++bonferroni;
        else
            resto.push_back(argv[i]);
    }
    const std::optional<Argumentos> argumentos = LeeArgumentos(
        static_cast<int>(resto.size()), resto.data(), desde, {u"--limite"_s, u"--der-maxima"_s});
    if (bonferroni > 1 || !argumentos || !argumentos->archivo)
        return std::nullopt;
    OrdenPrecision orden{*argumentos->archivo, std::nullopt, {}};
    try {
        orden.criterios = criteriosDe(*argumentos, bonferroni == 1);
    } catch (const ErrorConversion &error) {
        orden.error = error.texto();
    }
    return orden;
}

int EjecutaPrecision(int argc, char **argv)
{
    const std::optional<OrdenPrecision> orden = LeeOrdenPrecision(argc, argv, 2);
    if (!orden) {
        std::fputs(uso, stderr);
        return 2;
    }
    if (!orden->error.isEmpty()) {
        EscribeLinea(stderr, orden->error);
        return 2;
    }
    const int hecho = CalculaEstudioOFalla(orden->archivo, [&orden](const Estudio &estudio) {
        const QChar separador = SeparadorDecimal();
        for (const QString &linea : LineasPrecision(CalculaPrecision(estudio, separador, orden->criterios), separador))
            EscribeLinea(stdout, linea);
    });
    if (hecho != 0)
        return hecho;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    EscribeError(orden->archivo, u"No se pudo escribir la precisión intermedia en la salida estándar: %1"_s
                                     .arg(TextoSistema(qt_error_string(errno))));
    return 1;
}
