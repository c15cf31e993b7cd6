#include "Registro.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace {

using namespace Qt::StringLiterals;

constexpr std::array<std::pair<TipoEntrada, const char *>, 8> tipos{{
    {TipoEntrada::creado, "creado"},
    {TipoEntrada::guardado, "guardado"},
    {TipoEntrada::motivo, "motivo"},
    {TipoEntrada::firmado, "firmado"},
    {TipoEntrada::impreso, "impreso"},
    {TipoEntrada::exportado, "exportado"},
    {TipoEntrada::verificado, "verificado"},
    {TipoEntrada::aviso, "aviso"},
}};

struct NombresSignificado
{
    Significado significado;
    const char *clave;
    const char16_t *texto;
};

constexpr std::array<NombresSignificado, 3> significados{{
    {Significado::realizado, "realizado", u"Realizado por"},
    {Significado::revisado, "revisado", u"Revisado por"},
    {Significado::aprobado, "aprobado", u"Aprobado por"},
}};

const NombresSignificado &nombres(Significado significado)
{
    return *std::find_if(significados.begin(), significados.end(),
                         [=](const NombresSignificado &n) { return n.significado == significado; });
}

// How a text member is written: as it is, a SHA-256, or a SHA-256 that is
// null when empty.
enum class Clase { texto, hash, hashONulo };

struct Miembro
{
    TipoEntrada tipo;
    const char *nombre;
    QString EntradaRegistro::*campo;
    Clase clase;
};

// The text members of each kind, beyond those of every entry. A creation's
// "formato", a save's "cambios" and a signature's "significado" are apart.
constexpr Miembro miembros[] = {
    {TipoEntrada::creado, "archivo", &EntradaRegistro::archivo, Clase::texto},
    {TipoEntrada::creado, "sha256", &EntradaRegistro::sha256, Clase::hashONulo},
    {TipoEntrada::guardado, "sha256", &EntradaRegistro::sha256, Clase::hash},
    {TipoEntrada::guardado, "sha256Anterior", &EntradaRegistro::sha256Anterior, Clase::hashONulo},
    {TipoEntrada::motivo, "sha256", &EntradaRegistro::sha256, Clase::hash},
    {TipoEntrada::motivo, "motivo", &EntradaRegistro::motivo, Clase::texto},
    {TipoEntrada::firmado, "sha256", &EntradaRegistro::sha256, Clase::hash},
    {TipoEntrada::firmado, "firmante", &EntradaRegistro::firmante, Clase::texto},
    {TipoEntrada::impreso, "sha256", &EntradaRegistro::sha256, Clase::hashONulo},
    {TipoEntrada::impreso, "documento", &EntradaRegistro::documento, Clase::texto},
    {TipoEntrada::impreso, "destino", &EntradaRegistro::destino, Clase::texto},
    {TipoEntrada::exportado, "sha256", &EntradaRegistro::sha256, Clase::hashONulo},
    {TipoEntrada::exportado, "documento", &EntradaRegistro::documento, Clase::texto},
    {TipoEntrada::exportado, "destino", &EntradaRegistro::destino, Clase::texto},
    {TipoEntrada::verificado, "sha256", &EntradaRegistro::sha256, Clase::hash},
    {TipoEntrada::verificado, "versionAnterior", &EntradaRegistro::versionAnterior, Clase::texto},
    {TipoEntrada::aviso, "sha256", &EntradaRegistro::sha256, Clase::hashONulo},
    {TipoEntrada::aviso, "aviso", &EntradaRegistro::aviso, Clase::texto},
    {TipoEntrada::aviso, "texto", &EntradaRegistro::texto, Clase::texto},
};

QJsonValue textoONulo(const std::optional<QString> &texto)
{
    return texto ? QJsonValue(*texto) : QJsonValue();
}

QJsonValue hashONulo(const QString &sha256)
{
    return sha256.isEmpty() ? QJsonValue() : QJsonValue(sha256);
}

bool esHash(const QString &texto)
{
    if (texto.size() != 64)
        return false;
    for (QChar c : texto)
        if (!(c.isDigit() || (c >= u'a' && c <= u'f')))
            return false;
    return true;
}

// Reads the members of one object, remembering whether any was missing or
// of the wrong kind.
class Lector
{
public:
    explicit Lector(const QJsonObject &objeto) : m_objeto(objeto) {}

    bool bien() const { return m_bien; }

    QString texto(const QString &nombre)
    {
        const QJsonValue v = m_objeto.value(nombre);
        m_bien = m_bien && v.isString();
        return v.toString();
    }
    std::optional<QString> textoONulo(const QString &nombre)
    {
        const QJsonValue v = m_objeto.value(nombre);
        if (v.isNull())
            return std::nullopt;
        return texto(nombre);
    }
    QString hash(const QString &nombre)
    {
        const QString h = texto(nombre);
        m_bien = m_bien && esHash(h);
        return h;
    }
    // "" for null.
    QString hashONulo(const QString &nombre)
    {
        return m_objeto.value(nombre).isNull() ? QString() : hash(nombre);
    }
    int entero(const QString &nombre)
    {
        const QJsonValue v = m_objeto.value(nombre);
        const int n = v.toInt(-1);
        m_bien = m_bien && n >= 1;
        return n;
    }
    QJsonArray lista(const QString &nombre)
    {
        const QJsonValue v = m_objeto.value(nombre);
        m_bien = m_bien && v.isArray();
        return v.toArray();
    }

private:
    const QJsonObject &m_objeto;
    bool m_bien = true;
};

QJsonObject jsonDeCambio(const Cambio &c)
{
    QJsonObject o{{u"campo"_s, c.campo}, {u"antes"_s, textoONulo(c.antes)}, {u"despues"_s, textoONulo(c.despues)}};
    if (c.fam > 0) {
        o.insert(u"fam"_s, c.fam);
        o.insert(u"muestra"_s, c.muestra);
    }
    return o;
}

std::optional<Cambio> cambioDeJson(const QJsonValue &valor)
{
    if (!valor.isObject())
        return std::nullopt;
    const QJsonObject o = valor.toObject();
    Lector l(o);
    Cambio c;
    c.campo = l.texto(u"campo"_s);
    c.antes = l.textoONulo(u"antes"_s);
    c.despues = l.textoONulo(u"despues"_s);
    if (c.campo == u"celda") {
        c.fam = l.entero(u"fam"_s);
        c.muestra = l.entero(u"muestra"_s);
    }
    return l.bien() ? std::optional(c) : std::nullopt;
}

} // namespace

QString TextoSignificado(Significado significado)
{
    return QString::fromUtf16(nombres(significado).texto);
}

QString ClaveSignificado(Significado significado)
{
    return QLatin1String(nombres(significado).clave);
}

ContextoEntrada ContextoEn(const QDateTime &instante, const QTimeZone &zona, const Autor &autor,
                           const QString &version)
{
    const QDateTime local = instante.toTimeZone(zona);
    const int desfase = local.offsetFromUtc() / 60;
    const QString signo = desfase < 0 ? u"-"_s : u"+"_s;
    const QString horas = QStringLiteral("%1:%2")
                              .arg(std::abs(desfase) / 60, 2, 10, QChar(u'0'))
                              .arg(std::abs(desfase) % 60, 2, 10, QChar(u'0'));
    return {instante.toUTC().toString(u"yyyy-MM-dd'T'HH:mm:ss'Z'"_s),
            local.toString(u"yyyy-MM-dd'T'HH:mm:ss"_s) + signo + horas, autor, version};
}

QJsonObject JsonDeEntrada(const EntradaRegistro &e)
{
    QJsonObject o{{u"anterior"_s, e.anterior},
                  {u"tipo"_s, e.nombreTipo},
                  {u"utc"_s, e.contexto.utc},
                  {u"local"_s, e.contexto.local},
                  {u"cuenta"_s, e.contexto.autor.cuenta},
                  {u"nombreCompleto"_s, e.contexto.autor.nombreCompleto},
                  {u"version"_s, e.contexto.version}};
    for (const Miembro &m : miembros)
        if (m.tipo == e.tipo)
            o.insert(QLatin1String(m.nombre),
                     m.clase == Clase::hashONulo ? hashONulo(e.*m.campo) : QJsonValue(e.*m.campo));
    if (e.tipo == TipoEntrada::creado)
        o.insert(u"formato"_s, QLatin1String(FormatoRegistro));
    if (e.tipo == TipoEntrada::guardado) {
        QJsonArray cambios;
        for (const Cambio &c : e.cambios)
            cambios.append(jsonDeCambio(c));
        o.insert(u"cambios"_s, cambios);
    }
    if (e.tipo == TipoEntrada::firmado)
        o.insert(u"significado"_s, ClaveSignificado(e.significado));
    return o;
}

std::optional<EntradaRegistro> EntradaDeLinea(const QByteArray &linea)
{
    QJsonParseError error;
    const QJsonDocument documento = QJsonDocument::fromJson(linea, &error);
    if (error.error != QJsonParseError::NoError || !documento.isObject())
        return std::nullopt;
    const QJsonObject o = documento.object();
    Lector l(o);
    EntradaRegistro e;
    e.anterior = l.hash(u"anterior"_s);
    e.nombreTipo = l.texto(u"tipo"_s);
    e.contexto = {l.texto(u"utc"_s), l.texto(u"local"_s),
                  {l.texto(u"cuenta"_s), l.texto(u"nombreCompleto"_s)}, l.texto(u"version"_s)};
    for (const auto &[tipo, nombre] : tipos)
        if (e.nombreTipo == QLatin1String(nombre))
            e.tipo = tipo;

    for (const Miembro &m : miembros) {
        if (m.tipo != e.tipo)
            continue;
        const QString nombre = QLatin1String(m.nombre);
        e.*m.campo = m.clase == Clase::texto ? l.texto(nombre)
                     : m.clase == Clase::hash ? l.hash(nombre)
                                              : l.hashONulo(nombre);
    }
    if (e.tipo == TipoEntrada::creado)
        l.texto(u"formato"_s);
    if (e.tipo == TipoEntrada::guardado)
        for (const QJsonValue &valor : l.lista(u"cambios"_s)) {
            const std::optional<Cambio> cambio = cambioDeJson(valor);
            if (!cambio)
                return std::nullopt;
            e.cambios.append(*cambio);
        }
    if (e.tipo == TipoEntrada::firmado) {
        const QString significado = l.texto(u"significado"_s);
        const auto conocido = std::find_if(significados.begin(), significados.end(),
                                           [&](const NombresSignificado &n) { return significado == QLatin1String(n.clave); });
        if (conocido == significados.end())
            return std::nullopt;
        e.significado = conocido->significado;
    }
    return l.bien() ? std::optional(e) : std::nullopt;
}

QByteArray AnadeEntradas(const QByteArray &registro, const QList<EntradaRegistro> &entradas)
{
    QByteArray salida = registro;
    if (!salida.isEmpty() && !salida.endsWith('\n'))
        salida += '\n';
    // The line before the first new one ends at the last LF.
    QString anterior = GenesisRegistro;
    if (!salida.isEmpty()) {
        const qsizetype fin = salida.size() - 1;
        const qsizetype inicio = fin == 0 ? 0 : salida.lastIndexOf('\n', fin - 1) + 1;
        anterior = Sha256(salida.sliced(inicio, fin - inicio));
    }
    for (EntradaRegistro e : entradas) {
        for (const auto &[tipo, nombre] : tipos)
            if (e.tipo == tipo)
                e.nombreTipo = QLatin1String(nombre);
        e.anterior = anterior;
        const QByteArray linea = QJsonDocument(JsonDeEntrada(e)).toJson(QJsonDocument::Compact);
        salida += linea + '\n';
        anterior = Sha256(linea);
    }
    return salida;
}

VeredictoRegistro VerificaRegistro(const QByteArray &registro, const Huella &estudio)
{
    VeredictoRegistro v;
    v.hayRegistro = true;
    const auto rompe = [&v](FalloCadena fallo, int linea) {
        if (!v.rotura)
            v.rotura = RoturaCadena{fallo, linea};
    };
    if (registro.isEmpty())
        rompe(FalloCadena::vacio, 1);

    QList<QByteArray> lineas = registro.split('\n');
    const bool completo = lineas.constLast().isEmpty();
    if (completo)
        lineas.removeLast();
    QString esperado = GenesisRegistro;
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const int numero = int(i) + 1;
        if (!completo && i == lineas.size() - 1)
            rompe(FalloCadena::lineaIncompleta, numero);
        std::optional<EntradaRegistro> entrada = EntradaDeLinea(lineas[i]);
        if (!entrada) {
            rompe(FalloCadena::lineaIlegible, numero);
        } else {
            if (entrada->anterior != esperado)
                rompe(FalloCadena::eslabonRoto, numero);
            entrada->linea = numero;
            v.entradas.append(*entrada);
        }
        esperado = Sha256(lineas[i]);
    }

    for (const EntradaRegistro &e : std::as_const(v.entradas)) {
        if (e.tipo == TipoEntrada::guardado || (e.tipo == TipoEntrada::creado && !e.sha256.isEmpty())) {
            v.lineaGuardado = e.linea;
            v.sha256Guardado = e.sha256;
        }
        if (e.tipo == TipoEntrada::firmado) {
            const EstadoFirma estado = v.rotura ? EstadoFirma::registroModificado
                                       : e.sha256 == estudio.sha256 ? EstadoFirma::valida
                                                                    : EstadoFirma::estudioCambiado;
            v.firmas.append({e, estado});
        }
    }
    v.sha256Estudio = estudio.sha256;
    v.estudioCoincide = !estudio.sinGuardar() && estudio.sha256 == v.sha256Guardado;
    return v;
}
