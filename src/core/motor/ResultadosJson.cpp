#include "ResultadosJson.h"

#include "Supuestos.h"
#include "core/motor/AnovaExacta.h"
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
    case Veredicto::noConcluyente:
        return QStringLiteral("noConcluyente");
    }
    return QJsonValue::Null;
}

QJsonObject conteo(const QString &texto)
{
    return {{QStringLiteral("texto"), texto}, {QStringLiteral("valor"), EnteroDeTexto(texto)}};
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
    return {{QStringLiteral("fam"), e.factores},
            {QStringLiteral("metodo"), e.metodo},
            {QStringLiteral("analista"), e.analista},
            {QStringLiteral("fecha"), e.fecha},
            {QStringLiteral("numeroFam"), conteo(e.numeroFam)},
            {QStringLiteral("numeroMuestras"), conteo(e.numeroMuestras)},
            {QStringLiteral("separadorDecimal"), QString(separador)},
            {QStringLiteral("niveles"), niveles}};
}

QJsonObject anovaJson(const Supuestos &s)
{
    const ResultadosAnova &r = s.anova;
    const auto fuente = [](const FuenteVariacion &f) {
        return QJsonObject{{QStringLiteral("gradosLibertad"), f.gradosLibertad},
                           {QStringLiteral("sumaCuadrados"), f.sumaCuadrados.valor},
                           {QStringLiteral("mediaCuadrados"), f.mediaCuadrados.valor}};
    };
    return {{QStringLiteral("fam"), fuente(r.fam)},
            {QStringLiteral("error"), fuente(r.error)},
            {QStringLiteral("fcal"), r.fcal.valor},
            {QStringLiteral("pfcal"), r.pfcal},
            {QStringLiteral("probabilidadExacta"), s.probabilidadExacta},
            {QStringLiteral("significativo"), EsSignificativo(r.pfcal)},
            {QStringLiteral("significativoExacto"), EsSignificativo(s.probabilidadExacta)},
            {QStringLiteral("decisionMarginal"), s.decisionMarginal}};
}

QJsonObject estadisticasJson(const Supuestos &s)
{
    const auto grupo = [](const Estadisticas &e) {
        return QJsonObject{{QStringLiteral("promedio"), e.promedio.valor},
                           {QStringLiteral("desviacionEstandar"), e.desviacion.valor},
                           {QStringLiteral("coeficienteVariacion"), e.coeficiente.valor}};
    };
    QJsonArray niveles;
    for (int i = 1; i <= s.k; ++i) {
        QJsonObject g = grupo(s.anova.nivel(i));
        g.insert(QStringLiteral("fam"), i);
        niveles.append(g);
    }
    return {{QStringLiteral("niveles"), niveles}, {QStringLiteral("total"), grupo(s.anova.total)}};
}

QJsonObject intervalosJson(const Supuestos &s)
{
    QJsonArray pares;
    for (const IntervaloPar &par : s.anova.pares)
        pares.append(QJsonObject{
            {QStringLiteral("famA"), par.menor},
            {QStringLiteral("famB"), par.mayor},
            {QStringLiteral("limiteInferior"), par.inferior.valor},
            {QStringLiteral("limiteSuperior"), par.superior.valor},
            {QStringLiteral("hayDiferencia"), par.hayDiferencia},
            {QStringLiteral("conclusion"),
             (par.hayDiferencia ? QStringLiteral("Hay diferencia entre FAM %1 y %2")
                                : QStringLiteral("Sin diferencia entre FAM %1 y %2"))
                 .arg(par.menor)
                 .arg(par.mayor)}});
    return {{QStringLiteral("confianza"), 0.95},
            {QStringLiteral("tTabla"), s.anova.ttabla},
            {QStringLiteral("mostrados"), EsSignificativo(s.anova.pfcal)},
            {QStringLiteral("pares"), pares}};
}

// Every other level against FAM 1, as the window "t de Dunnett" opens.
QJsonObject dunnettJson(const ResultadoDunnett &d)
{
    QJsonArray comparaciones;
    for (const ComparacionDunnett &c : d.comparaciones)
        comparaciones.append(QJsonObject{
            {QStringLiteral("fam"), c.fam},
            {QStringLiteral("diferencia"), c.diferencia.valor},
            {QStringLiteral("semiamplitud"), c.amplitud.valor},
            {QStringLiteral("limiteInferior"), c.liminf.valor},
            {QStringLiteral("limiteSuperior"), c.limsup.valor},
            {QStringLiteral("hayDiferencia"), c.hayDiferencia},
            {QStringLiteral("pAjustado"), c.p}});
    return {{QStringLiteral("control"), d.control},
            {QStringLiteral("confianza"), 0.95},
            {QStringLiteral("critico"), d.critico},
            {QStringLiteral("comparaciones"), comparaciones}};
}

QJsonObject supuestosJson(const Supuestos &s)
{
    // A study whose variances are all zero has no analysis: Cochran's test
    // is always calculable here.
    const Cochran &c = s.cochran;
    const QJsonObject cochran{
        {QStringLiteral("calculable"), true},
        {QStringLiteral("c"), c.c.valor},
        {QStringLiteral("fam"), c.nivel},
        {QStringLiteral("critico5"), c.critico5},
        {QStringLiteral("critico1"), c.critico1},
        {QStringLiteral("veredicto"), veredicto(c.veredicto)}};

    const bool hayGrubbs = s.n >= 3;
    QJsonArray niveles;
    if (hayGrubbs)
        for (const Grubbs &g : s.grubbs) {
            const bool calculada = g.estado == Grubbs::Estado::calculada;
            const auto extremo = [&](double valor, int muestra, const Cifra &estadistico) {
                return QJsonObject{{QStringLiteral("muestra"), muestra},
                                   {QStringLiteral("valor"), valor},
                                   {QStringLiteral("g"),
                                    calculada ? QJsonValue(estadistico.valor) : QJsonValue()}};
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
        {QStringLiteral("w"), hayLevene ? QJsonValue(l.w.valor) : QJsonValue()},
        {QStringLiteral("gradosLibertad"), QJsonArray{l.gl1, l.gl2}},
        {QStringLiteral("probabilidad"), hayLevene ? QJsonValue(l.probabilidad) : QJsonValue()}};

    return {{QStringLiteral("cochran"), cochran},
            {QStringLiteral("grubbs"), grubbs},
            {QStringLiteral("levene"), levene},
            {QStringLiteral("repetibilidad"),
             QJsonObject{{QStringLiteral("desviacionEstandar"), s.repetibilidad.valor},
                         {QStringLiteral("der"), s.derRepetibilidad.valor}}}};
}

QJsonObject limitesJson(const Limites &l)
{
    return {{QStringLiteral("inferior"), l.inferior.valor}, {QStringLiteral("superior"), l.superior.valor}};
}

QJsonObject componenteJson(const ComponenteVarianza &c, bool conLimites)
{
    return {{QStringLiteral("varianza"), c.varianza.valor},
            {QStringLiteral("desviacionEstandar"), c.desviacion.valor},
            {QStringLiteral("der"), c.der.valor},
            {QStringLiteral("parte"), c.parte.valor},
            {QStringLiteral("limites"),
             conLimites ? QJsonValue(QJsonObject{{QStringLiteral("varianza"), limitesJson(c.limitesVarianza)},
                                                 {QStringLiteral("desviacionEstandar"), limitesJson(c.limitesDesviacion)},
                                                 {QStringLiteral("der"), limitesJson(c.limitesDer)}})
                        : QJsonValue()}};
}

QJsonArray firmasJson(const QList<Firma> &firmas)
{
    QJsonArray lista;
    for (const Firma &f : firmas) {
        const EntradaRegistro &e = f.entrada;
        QString estado;
        switch (f.estado) {
        case EstadoFirma::valida:
            estado = QStringLiteral("valida");
            break;
        case EstadoFirma::estudioCambiado:
            estado = QStringLiteral("estudioCambiado");
            break;
        case EstadoFirma::registroModificado:
            estado = QStringLiteral("registroModificado");
            break;
        }
        lista.append(QJsonObject{{QStringLiteral("firmante"), e.firmante},
                                 {QStringLiteral("significado"), ClaveSignificado(e.significado)},
                                 {QStringLiteral("cuenta"), e.contexto.autor.cuenta},
                                 {QStringLiteral("nombreCompleto"), e.contexto.autor.nombreCompleto},
                                 {QStringLiteral("utc"), e.contexto.utc},
                                 {QStringLiteral("local"), e.contexto.local},
                                 {QStringLiteral("sha256"), e.sha256},
                                 {QStringLiteral("valida"), f.valida()},
                                 {QStringLiteral("estado"), estado}});
    }
    return lista;
}

} // namespace

QJsonObject PrecisionJson(const Precision &p)
{
    const bool limites = !p.sinVariacionDentro;
    QJsonObject intermedia = componenteJson(p.intermedia, limites);
    intermedia.insert(QStringLiteral("cotaSuperior"),
                      limites ? QJsonValue(QJsonObject{{QStringLiteral("varianza"), p.cotaVarianza.valor},
                                                       {QStringLiteral("desviacionEstandar"), p.cotaDesviacion.valor},
                                                       {QStringLiteral("der"), p.cotaDer.valor}})
                              : QJsonValue());
    return {{QStringLiteral("confianza"), 0.95},
            {QStringLiteral("gradosLibertad"), QJsonArray{p.glFam, p.glError}},
            {QStringLiteral("mcFam"), p.mcFam.valor},
            {QStringLiteral("mcError"), p.mcError.valor},
            {QStringLiteral("promedio"), p.promedio.valor},
            {QStringLiteral("sinVariacionDentro"), p.sinVariacionDentro},
            {QStringLiteral("sinVarianzaEntre"), p.sinVarianzaEntre},
            {QStringLiteral("repetibilidad"), componenteJson(p.repetibilidad, limites)},
            {QStringLiteral("entreNiveles"), componenteJson(p.entreNiveles, limites)},
            {QStringLiteral("intermedia"), intermedia}};
}

QJsonObject EquivalenciaJson(const Equivalencia &e)
{
    const auto siCalculable = [&e](const QJsonValue &valor) { return e.calculable ? valor : QJsonValue(); };
    QJsonArray pares;
    for (const ParEquivalencia &par : e.pares)
        pares.append(QJsonObject{{QStringLiteral("famA"), par.menor},
                                 {QStringLiteral("famB"), par.mayor},
                                 {QStringLiteral("diferencia"), par.diferencia.valor},
                                 {QStringLiteral("limiteInferior"), siCalculable(par.inferior.valor)},
                                 {QStringLiteral("limiteSuperior"), siCalculable(par.superior.valor)},
                                 {QStringLiteral("equivalentes"), par.equivalentes},
                                 {QStringLiteral("pInferior"), siCalculable(par.pInferior)},
                                 {QStringLiteral("pSuperior"), siCalculable(par.pSuperior)}});
    const QJsonValue der = e.hayDerMaxima
                               ? QJsonValue(QJsonObject{{QStringLiteral("maxima"), e.derMaxima.valor},
                                                        {QStringLiteral("cota"), siCalculable(e.cotaDer.valor)},
                                                        {QStringLiteral("cumple"), e.derCumple}})
                               : QJsonValue();
    return {{QStringLiteral("limite"),
             QJsonObject{{QStringLiteral("valor"), e.delta.valor},
                         {QStringLiteral("porcentaje"), e.porcentaje ? QJsonValue(e.deltaPorcentaje.valor) : QJsonValue()}}},
            {QStringLiteral("banda"), QJsonObject{{QStringLiteral("inferior"), e.bandaInferior.valor},
                                                  {QStringLiteral("superior"), e.bandaSuperior.valor}}},
            {QStringLiteral("ajuste"), e.bonferroni ? QStringLiteral("bonferroni") : QStringLiteral("ninguno")},
            {QStringLiteral("pruebas"), e.pruebas},
            {QStringLiteral("alfa"), e.alfa},
            {QStringLiteral("confianza"), e.confianza},
            {QStringLiteral("calculable"), e.calculable},
            {QStringLiteral("t"), siCalculable(e.t.valor)},
            {QStringLiteral("semiamplitud"), siCalculable(e.semiamplitud.valor)},
            {QStringLiteral("pares"), pares},
            {QStringLiteral("todosEquivalentes"), e.todosEquivalentes},
            {QStringLiteral("derMaxima"), der},
            {QStringLiteral("cumple"), e.cumple}};
}

QJsonObject ResultadosJson(const Estudio &estudio, QChar separador, const Huella &huella,
                           const QList<Firma> &firmas, const std::optional<CriteriosEquivalencia> &criterios)
{
    const AnovaExacta anova = LeeAnovaExacta(estudio, separador);
    const Supuestos s = SupuestosDe(anova, estudio);
    const ResultadoPrecision precision = ResultadoPrecisionDe(anova, criterios);
    QJsonObject documento{{QStringLiteral("formato"), QLatin1String(FormatoResultadosJson)},
                          {QStringLiteral("huella"), HuellaJson(huella)},
                          {QStringLiteral("firmas"), firmasJson(firmas)},
                          {QStringLiteral("estudio"), estudioJson(estudio, s, separador)},
                          {QStringLiteral("anova"), anovaJson(s)},
                          {QStringLiteral("estadisticas"), estadisticasJson(s)},
                          {QStringLiteral("intervalos"), intervalosJson(s)},
                          {QStringLiteral("dunnett"), dunnettJson(DunnettDe(anova, 1))},
                          {QStringLiteral("supuestos"), supuestosJson(s)},
                          {QStringLiteral("precision"), PrecisionJson(precision.precision)}};
    if (precision.equivalencia)
        documento.insert(QStringLiteral("equivalencia"), EquivalenciaJson(*precision.equivalencia));
    return documento;
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
