#include "ResultadosJson.h"

#include "Supuestos.h"
#include "core/motor/Conversiones.h"
#include "core/motor/Dunnett.h"
#include "core/motor/Pares.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace {

QJsonValue veredicto(Veredicto v)
{
    switch (v) {
    case Veredicto::normal:
        return QStringLiteral("normal");
    case Veredicto::dudoso:
        return QStringLiteral("dudoso");
    case Veredicto::aberrante:
        return QStringLiteral("aberrante");
    }
    return QJsonValue::Null;
}

QJsonObject conteo(const QString &texto)
{
    return {{QStringLiteral("texto"), texto}, {QStringLiteral("valor"), StrToInt(texto)}};
}

QJsonObject estudioJson(const Estudio &e, const Supuestos &s, QChar separador)
{
    QJsonArray niveles;
    for (int i = 0; i < s.k; ++i) {
        QJsonArray textos, valores;
        for (int j = 0; j < s.n; ++j) {
            textos.append(s.textos[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
            valores.append(s.valores[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
        }
        niveles.append(QJsonObject{{QStringLiteral("fam"), i + 1},
                                   {QStringLiteral("textos"), textos},
                                   {QStringLiteral("valores"), valores}});
    }
    return {{QStringLiteral("fam"), e.etole},
            {QStringLiteral("metodo"), e.emetodo},
            {QStringLiteral("analista"), e.eanalista},
            {QStringLiteral("fecha"), e.efecha},
            {QStringLiteral("numeroFam"), conteo(e.econdicion)},
            {QStringLiteral("numeroMuestras"), conteo(e.ereplica)},
            {QStringLiteral("separadorDecimal"), QString(separador)},
            {QStringLiteral("niveles"), niveles}};
}

QJsonObject anovaJson(const Supuestos &s)
{
    const AnovaResults &r = s.anova.resultados;
    const auto fuente = [&r](int gl, int sc, int mc) {
        return QJsonObject{{QStringLiteral("gradosLibertad"), r[gl]},
                           {QStringLiteral("sumaCuadrados"), r[sc]},
                           {QStringLiteral("mediaCuadrados"), r[mc]}};
    };
    return {{QStringLiteral("fam"), fuente(Ranura::glfam, Ranura::scfam, Ranura::mcfam)},
            {QStringLiteral("error"), fuente(Ranura::glerror, Ranura::scerror, Ranura::mcerror)},
            {QStringLiteral("fcal"), r[Ranura::fcal]},
            {QStringLiteral("pfcal"), r[Ranura::pfcal]},
            {QStringLiteral("probabilidadExacta"),
             s.probabilidadCalculable ? QJsonValue(s.probabilidadExacta) : QJsonValue()},
            {QStringLiteral("significativo"), EsSignificativo(r[Ranura::pfcal])},
            {QStringLiteral("significativoExacto"), s.probabilidadCalculable
                                                        ? QJsonValue(EsSignificativo(s.probabilidadExacta))
                                                        : QJsonValue()},
            {QStringLiteral("decisionMarginal"), s.decisionMarginal}};
}

QJsonObject estadisticasJson(const Supuestos &s)
{
    const AnovaResults &r = s.anova.resultados;
    const auto grupo = [](double promedio, double desviacion, double coeficiente) {
        return QJsonObject{{QStringLiteral("promedio"), promedio},
                           {QStringLiteral("desviacionEstandar"), desviacion},
                           {QStringLiteral("coeficienteVariacion"), coeficiente}};
    };
    QJsonArray niveles;
    for (int i = 1; i <= s.k; ++i) {
        QJsonObject g = grupo(r[Ranura::promedio(i)], r[Ranura::desvest(i)], r[Ranura::coefvar(i)]);
        g.insert(QStringLiteral("fam"), i);
        niveles.append(g);
    }
    return {{QStringLiteral("niveles"), niveles},
            {QStringLiteral("total"),
             grupo(r[Ranura::promediototal], r[Ranura::desvesttotal], r[Ranura::coefvartotal])}};
}

QJsonObject intervalosJson(const Supuestos &s)
{
    const AnovaResults &r = s.anova.resultados;
    QJsonArray pares;
    for (int p = 0; p < NumeroPares(s.k); ++p) {
        const ParFam &par = OrdenPares[static_cast<std::size_t>(p)];
        const bool diferencia = HayDiferencia(r[par.liminf], r[par.limsup]);
        pares.append(QJsonObject{
            {QStringLiteral("famA"), par.menor},
            {QStringLiteral("famB"), par.mayor},
            {QStringLiteral("limiteInferior"), r[par.liminf]},
            {QStringLiteral("limiteSuperior"), r[par.limsup]},
            {QStringLiteral("hayDiferencia"), diferencia},
            {QStringLiteral("conclusion"),
             (diferencia ? QStringLiteral("Hay diferencia entre FAM %1 y %2")
                         : QStringLiteral("Sin diferencia entre FAM %1 y %2"))
                 .arg(par.menor)
                 .arg(par.mayor)}});
    }
    return {{QStringLiteral("confianza"), 0.95},
            {QStringLiteral("tTabla"), s.anova.ttabla},
            {QStringLiteral("mostrados"), EsSignificativo(r[Ranura::pfcal])},
            {QStringLiteral("pares"), pares}};
}

// Every other level against FAM 1, as the window "t de Dunnett" opens.
QJsonObject dunnettJson(const Supuestos &s)
{
    const ResultadoDunnett d = DunnettDeAnalisis(s.anova, s.k, s.n, 1);
    QJsonArray comparaciones;
    for (const ComparacionDunnett &c : d.comparaciones)
        comparaciones.append(QJsonObject{
            {QStringLiteral("fam"), c.fam},
            {QStringLiteral("diferencia"), c.diferencia},
            {QStringLiteral("semiamplitud"), c.amplitud},
            {QStringLiteral("limiteInferior"), c.liminf},
            {QStringLiteral("limiteSuperior"), c.limsup},
            {QStringLiteral("hayDiferencia"), c.hayDiferencia},
            {QStringLiteral("pAjustado"), c.p}});
    return {{QStringLiteral("control"), d.control},
            {QStringLiteral("confianza"), 0.95},
            {QStringLiteral("critico"), d.critico},
            {QStringLiteral("comparaciones"), comparaciones}};
}

QJsonObject supuestosJson(const Supuestos &s)
{
    const Cochran &c = s.cochran;
    const QJsonObject cochran{
        {QStringLiteral("calculable"), c.calculable},
        {QStringLiteral("c"), c.calculable ? QJsonValue(c.c) : QJsonValue()},
        {QStringLiteral("fam"), c.calculable ? QJsonValue(c.nivel) : QJsonValue()},
        {QStringLiteral("critico5"), c.critico5},
        {QStringLiteral("critico1"), c.critico1},
        {QStringLiteral("veredicto"), c.calculable ? veredicto(c.veredicto) : QJsonValue()}};

    const bool hayGrubbs = s.n >= 3;
    QJsonArray niveles;
    if (hayGrubbs)
        for (const Grubbs &g : s.grubbs) {
            const bool calculada = g.estado == Grubbs::Estado::calculada;
            const auto extremo = [&](double valor, int muestra, double estadistico) {
                return QJsonObject{{QStringLiteral("muestra"), muestra},
                                   {QStringLiteral("valor"), valor},
                                   {QStringLiteral("g"),
                                    calculada ? QJsonValue(estadistico) : QJsonValue()}};
            };
            niveles.append(QJsonObject{
                {QStringLiteral("fam"), g.nivel},
                {QStringLiteral("calculable"), calculada},
                {QStringLiteral("maximo"), extremo(g.maximo, g.muestraMaximo, g.gMaximo)},
                {QStringLiteral("minimo"), extremo(g.minimo, g.muestraMinimo, g.gMinimo)},
                {QStringLiteral("muestraSospechosa"),
                 calculada ? QJsonValue(g.sospechosoEsMaximo ? g.muestraMaximo : g.muestraMinimo)
                           : QJsonValue()},
                {QStringLiteral("veredicto"), calculada ? veredicto(g.veredicto) : QJsonValue()}});
        }
    const QJsonObject grubbs{
        {QStringLiteral("calculable"), hayGrubbs},
        {QStringLiteral("critico5"), hayGrubbs ? QJsonValue(s.grubbs.front().critico5) : QJsonValue()},
        {QStringLiteral("critico1"), hayGrubbs ? QJsonValue(s.grubbs.front().critico1) : QJsonValue()},
        {QStringLiteral("niveles"), niveles}};

    const Levene &l = s.levene;
    const bool hayLevene = l.estado == Levene::Estado::calculada;
    QString estado;
    switch (l.estado) {
    case Levene::Estado::calculada:
        estado = QStringLiteral("calculada");
        break;
    case Levene::Estado::dosMuestras:
        estado = QStringLiteral("dosMuestras");
        break;
    case Levene::Estado::sinDispersion:
        estado = QStringLiteral("sinDispersion");
        break;
    }
    const QJsonObject levene{
        {QStringLiteral("estado"), estado},
        {QStringLiteral("w"), hayLevene ? QJsonValue(l.w) : QJsonValue()},
        {QStringLiteral("gradosLibertad"), QJsonArray{l.gl1, l.gl2}},
        {QStringLiteral("probabilidad"), hayLevene ? QJsonValue(l.probabilidad) : QJsonValue()}};

    return {{QStringLiteral("cochran"), cochran},
            {QStringLiteral("grubbs"), grubbs},
            {QStringLiteral("levene"), levene},
            {QStringLiteral("repetibilidad"),
             QJsonObject{{QStringLiteral("desviacionEstandar"), s.repetibilidad},
                         {QStringLiteral("der"), s.derRepetibilidad}}}};
}

} // namespace

QJsonObject ResultadosJson(const Estudio &estudio, QChar separador)
{
    const Supuestos s = CalculaSupuestos(estudio, separador);
    return {{QStringLiteral("formato"), QLatin1String(FormatoResultadosJson)},
            {QStringLiteral("estudio"), estudioJson(estudio, s, separador)},
            {QStringLiteral("anova"), anovaJson(s)},
            {QStringLiteral("estadisticas"), estadisticasJson(s)},
            {QStringLiteral("intervalos"), intervalosJson(s)},
            {QStringLiteral("dunnett"), dunnettJson(s)},
            {QStringLiteral("supuestos"), supuestosJson(s)}};
}

QJsonObject ErrorJson(const QString &mensaje)
{
    return {{QStringLiteral("formato"), QLatin1String(FormatoResultadosJson)},
            {QStringLiteral("error"), mensaje}};
}

QByteArray TextoJson(const QJsonObject &documento)
{
    return QJsonDocument(documento).toJson(QJsonDocument::Indented);
}
