#include "Verificacion.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/motor/Anova.h"
#include "core/motor/AnovaExacta.h"
#include "core/motor/Dunnett.h"
#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"
#include "core/motor/Precision.h"
#include "core/motor/Supuestos.h"

#include <QFile>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>
#include <variant>

using namespace Qt::StringLiterals;

namespace {

// The reference studies are typed with a point, whatever the user's separator.
constexpr QChar punto = u'.';

// What the engine gave for a figure: a number or a text (an error message,
// a list of pairs).
using Obtenido = std::variant<double, QString>;

QString TextoDe(const Obtenido &obtenido)
{
    if (const double *valor = std::get_if<double>(&obtenido))
        return QString::number(*valor, 'g', QLocale::FloatingPointShortest);
    return std::get<QString>(obtenido);
}

Estudio EstudioDe(const QByteArray &bytes)
{
    return EstudioAceptado(LeeEstudio(bytes));
}

// "inferior12" → the pair (1, 2) of the results; null when it has none.
const IntervaloPar *Par(const ResultadosAnova &resultados, const QString &figura)
{
    if (figura.size() != 10)
        return nullptr;
    const int menor = figura.at(8).digitValue();
    const int mayor = figura.at(9).digitValue();
    for (const IntervaloPar &par : resultados.pares)
        if (par.menor == menor && par.mayor == mayor)
            return &par;
    return nullptr;
}

std::optional<Obtenido> FiguraAnova(const ResultadosAnova &r, const QString &figura)
{
    if (figura == u"scfam") return r.fam.sumaCuadrados.valor;
    if (figura == u"mcfam") return r.fam.mediaCuadrados.valor;
    if (figura == u"scerror") return r.error.sumaCuadrados.valor;
    if (figura == u"mcerror") return r.error.mediaCuadrados.valor;
    if (figura == u"fcal") return r.fcal.valor;
    if (figura == u"pfcal") return r.pfcal;
    if (figura == u"amplitud") return r.amplitud.valor;
    if (figura == u"promedio") return r.total.promedio.valor;
    if (const IntervaloPar *par = Par(r, figura)) {
        if (figura.startsWith(u"inferior")) return par->inferior.valor;
        if (figura.startsWith(u"superior")) return par->superior.valor;
    }
    if (figura == u"paresConDiferencia") {
        QStringList pares;
        for (const IntervaloPar &par : r.pares)
            if (par.hayDiferencia)
                pares << u"%1-%2"_s.arg(par.menor).arg(par.mayor);
        return pares.isEmpty() ? u"ninguno"_s : pares.join(u' ');
    }
    return std::nullopt;
}

std::optional<Obtenido> FiguraSupuestos(const Supuestos &s, const QString &figura)
{
    if (figura == u"probabilidadExacta") return s.probabilidadExacta;
    if (figura == u"cochran") return s.cochran.c.valor;
    if (figura == u"leveneW") return s.levene.w.valor;
    if (figura == u"leveneP") return s.levene.probabilidad;
    if (figura == u"repetibilidad") return s.repetibilidad.valor;
    if (figura == u"derRepetibilidad") return s.derRepetibilidad.valor;
    if (figura == u"grubbs") {
        // The most extreme value of any level that has one.
        double mayor = 0.0;
        for (const Grubbs &g : s.grubbs)
            if (g.estado == Grubbs::Estado::calculada)
                mayor = std::max({mayor, g.gMaximo.valor, g.gMinimo.valor});
        return mayor;
    }
    return std::nullopt;
}

std::optional<Obtenido> FiguraPrecision(const Precision &p, const QString &figura)
{
    if (figura == u"varianzaR") return p.repetibilidad.varianza.valor;
    if (figura == u"varianzaL") return p.entreNiveles.varianza.valor;
    if (figura == u"varianzaPI") return p.intermedia.varianza.valor;
    if (figura == u"varianzaRInferior") return p.repetibilidad.limitesVarianza.inferior.valor;
    if (figura == u"varianzaRSuperior") return p.repetibilidad.limitesVarianza.superior.valor;
    if (figura == u"varianzaLSuperior") return p.entreNiveles.limitesVarianza.superior.valor;
    if (figura == u"varianzaPIInferior") return p.intermedia.limitesVarianza.inferior.valor;
    if (figura == u"varianzaPISuperior") return p.intermedia.limitesVarianza.superior.valor;
    return std::nullopt;
}

// A critical value the figure names with its parameters: "dunnett K GL",
// "cochranCritico K N ALFA", "grubbsCritico N ALFA".
std::optional<Obtenido> Critico(const QString &figura)
{
    const QStringList partes = figura.split(u' ');
    if (partes.at(0) == u"dunnett" && partes.size() == 3)
        return DistribucionDunnett(partes.at(1).toInt(), partes.at(2).toInt()).critico();
    if (partes.at(0) == u"cochranCritico" && partes.size() == 4)
        return CriticoCochran(partes.at(1).toInt(), partes.at(2).toInt(), partes.at(3).toDouble());
    if (partes.at(0) == u"grubbsCritico" && partes.size() == 3)
        return CriticoGrubbs(partes.at(1).toInt(), partes.at(2).toDouble());
    return std::nullopt;
}

const QString figuraDesconocida = u"figura desconocida"_s;

// What the program gives for one reference; an error of the program is
// its message.
Obtenido Obten(const Referencia &referencia, const std::function<QByteArray(const QString &)> &leeEstudio)
{
    const QString &figura = referencia.figura;
    try {
        if (referencia.estudio == u"-")
            return Critico(figura).value_or(figuraDesconocida);
        const Estudio estudio = EstudioDe(leeEstudio(referencia.estudio));
        if (figura == u"error") {
            CalculaAnova(estudio, punto);
            return u"sin error"_s;
        }
        if (auto valor = FiguraAnova(CalculaAnova(estudio, punto), figura))
            return *valor;
        if (figura.startsWith(u"varianza"))
            return FiguraPrecision(PrecisionDe(LeeAnovaExacta(estudio, punto)), figura).value_or(figuraDesconocida);
        return FiguraSupuestos(CalculaSupuestos(estudio, punto), figura).value_or(figuraDesconocida);
    } catch (const ErrorTolerancia &error) {
        return error.texto();
    } catch (...) {
        return u"error inesperado"_s;
    }
}

struct Tolerancia
{
    enum class Tipo { igual, relativa, absoluta };
    Tipo tipo = Tipo::igual;
    double valor = 0.0;
    QString texto;
};

std::optional<Tolerancia> LeeTolerancia(const QString &texto)
{
    if (texto == u"igual")
        return Tolerancia{Tolerancia::Tipo::igual, 0.0, u"exacta"_s};
    const QStringList partes = texto.split(u' ');
    bool numero = false;
    const double valor = partes.size() == 2 ? partes.at(1).toDouble(&numero) : 0.0;
    if (!numero || !(valor > 0))
        return std::nullopt;
    if (partes.at(0) == u"rel")
        return Tolerancia{Tolerancia::Tipo::relativa, valor, u"relativa "_s + partes.at(1)};
    if (partes.at(0) == u"abs")
        return Tolerancia{Tolerancia::Tipo::absoluta, valor, u"absoluta "_s + partes.at(1)};
    return std::nullopt;
}

bool Pasa(const Obtenido &obtenido, const QString &esperado, const Tolerancia &tolerancia)
{
    bool numero = false;
    const double valorEsperado = esperado.toDouble(&numero);
    const double *valor = std::get_if<double>(&obtenido);
    if (!numero || !valor)
        return !valor && tolerancia.tipo == Tolerancia::Tipo::igual && std::get<QString>(obtenido) == esperado;
    const double diferencia = std::fabs(*valor - valorEsperado);
    switch (tolerancia.tipo) {
    case Tolerancia::Tipo::igual:
        return *valor == valorEsperado;
    case Tolerancia::Tipo::relativa:
        return diferencia <= tolerancia.valor * std::fabs(valorEsperado);
    case Tolerancia::Tipo::absoluta:
        // The table's half unit, allowing for the double it is read into.
        return diferencia <= tolerancia.valor * (1 + 1e-9);
    }
    return false;
}

} // namespace

QList<Referencia> LeeReferencias(const QByteArray &tabla)
{
    QList<Referencia> referencias;
    const QStringList lineas = QString::fromUtf8(tabla).split(u'\n');
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const QString linea = lineas.at(i).trimmed();
        if (linea.isEmpty() || linea.startsWith(u'#'))
            continue;
        const QStringList campos = lineas.at(i).split(u'\t');
        if (campos.size() != 6)
            throw ErrorArchivo(TextoDe(Mensaje::referenciaIncompleta).arg(i + 1));
        referencias.append({campos[0], campos[1], campos[2], campos[3], campos[4].trimmed(), campos[5].trimmed()});
    }
    return referencias;
}

QList<Comprobacion> EjecutaReferencias(const QList<Referencia> &referencias,
                                       const std::function<QByteArray(const QString &)> &leeEstudio)
{
    QList<Comprobacion> comprobaciones;
    for (const Referencia &referencia : referencias) {
        Comprobacion c{referencia.descripcion, referencia.esperado, {}, referencia.tolerancia, referencia.fuente};
        const std::optional<Tolerancia> tolerancia = LeeTolerancia(referencia.tolerancia);
        if (!tolerancia) {
            c.obtenido = u"tolerancia no válida"_s;
        } else {
            const Obtenido obtenido = Obten(referencia, leeEstudio);
            c.obtenido = TextoDe(obtenido);
            c.tolerancia = tolerancia->texto;
            c.pasa = Pasa(obtenido, referencia.esperado, *tolerancia);
        }
        comprobaciones.append(c);
    }
    std::stable_partition(comprobaciones.begin(), comprobaciones.end(),
                          [](const Comprobacion &c) { return !c.pasa; });
    return comprobaciones;
}

QList<Comprobacion> VerificaPrograma()
{
    const auto lee = [](const QString &nombre) {
        QFile archivo(u":/verificacion/"_s + nombre);
        if (!archivo.open(QIODevice::ReadOnly))
            throw ErrorArchivo(TextoDe(Mensaje::referenciaQueFalta).arg(nombre));
        return archivo.readAll();
    };
    return EjecutaReferencias(LeeReferencias(lee(u"referencias.tsv"_s)), lee);
}

bool TodasPasan(const QList<Comprobacion> &comprobaciones)
{
    return !comprobaciones.isEmpty()
           && std::all_of(comprobaciones.begin(), comprobaciones.end(), [](const Comprobacion &c) { return c.pasa; });
}
