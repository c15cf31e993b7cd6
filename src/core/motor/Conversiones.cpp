#include "Conversiones.h"

#include "core/motor/Errores.h"
#include "core/motor/Mensajes.h"

#include <QLocale>
#include <QRegularExpression>

#include <cerrno>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

QStringView sinBlancos(const QString &texto)
{
    QStringView v(texto);
    while (!v.isEmpty() && v.front() == u' ')
        v = v.mid(1);
    while (!v.isEmpty() && v.back() == u' ')
        v.chop(1);
    return v;
}

bool esDigito(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Checks the syntax of a real number and writes it in the C notation.
bool normalizaReal(QStringView v, QChar separador, QByteArray &ascii)
{
    qsizetype i = 0;
    const qsizetype largo = v.size();
    if (i < largo && (v[i] == u'+' || v[i] == u'-'))
        ascii.append(static_cast<char>(v[i++].unicode()));
    int digitos = 0;
    while (i < largo && esDigito(v[i])) {
        ascii.append(static_cast<char>(v[i++].unicode()));
        ++digitos;
    }
    if (i < largo && v[i] == separador) {
        ascii.append('.');
        ++i;
        while (i < largo && esDigito(v[i])) {
            ascii.append(static_cast<char>(v[i++].unicode()));
            ++digitos;
        }
    }
    if (digitos == 0)
        return false;
    if (i < largo && (v[i] == u'e' || v[i] == u'E')) {
        ascii.append('e');
        ++i;
        if (i < largo && (v[i] == u'+' || v[i] == u'-'))
            ascii.append(static_cast<char>(v[i++].unicode()));
        int exponente = 0;
        while (i < largo && esDigito(v[i])) {
            ascii.append(static_cast<char>(v[i++].unicode()));
            ++exponente;
        }
        if (exponente == 0)
            return false;
    }
    return i == largo;
}

bool convierteEntero(const QString &texto, int &valor)
{
    QStringView v = sinBlancos(texto);
    bool negativo = false;
    if (!v.isEmpty() && (v.front() == u'+' || v.front() == u'-')) {
        negativo = v.front() == u'-';
        v = v.mid(1);
    }
    if (v.isEmpty())
        return false;
    long long magnitud = 0;
    for (QChar c : v) {
        if (!esDigito(c))
            return false;
        magnitud = magnitud * 10 + (c.unicode() - u'0');
        if (magnitud > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    const long long resultado = negativo ? -magnitud : magnitud;
    if (resultado > INT_MAX || resultado < INT_MIN)
        return false;
    valor = static_cast<int>(resultado);
    return true;
}

bool convierteReal(const QString &texto, QChar separador, double &valor)
{
    const std::optional<QByteArray> ascii = NotacionC(texto, separador);
    if (!ascii)
        return false;
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const double resultado = strtod_l(ascii->constData(), nullptr, c);
    // Overflow is refused; an underflow keeps the nearest double, as the
    // arithmetic does everywhere else.
    if (std::isinf(resultado))
        return false;
    valor = resultado;
    return true;
}

} // namespace

std::optional<QByteArray> NotacionC(const QString &texto, QChar separador)
{
    QByteArray ascii;
    if (!normalizaReal(sinBlancos(texto), separador, ascii))
        return std::nullopt;
    return ascii;
}

int EnteroDeTexto(const QString &texto)
{
    int valor = 0;
    if (!convierteEntero(texto, valor))
        throw ErrorConversion(TextoDe(Mensaje::enteroNoValido).arg(texto));
    return valor;
}

double RealDeTexto(const QString &texto, QChar separador)
{
    double valor = 0.0;
    if (!convierteReal(texto, separador, valor))
        throw ErrorConversion(TextoDe(Mensaje::decimalNoValido).arg(texto));
    return valor;
}

bool EsEntero(const QString &texto)
{
    int valor = 0;
    return convierteEntero(texto, valor);
}

bool EsReal(const QString &texto, QChar separador)
{
    double valor = 0.0;
    return convierteReal(texto, separador, valor);
}

QChar SeparadorDeLocale(const QString &nombre)
{
    QString base = nombre;
    const qsizetype corte = base.indexOf(QRegularExpression(QStringLiteral("[.@]")));
    if (corte >= 0)
        base.truncate(corte);
    if (base.isEmpty() || base == u"C" || base == u"POSIX")
        return u'.';
    const QLocale locale(base);
    const QString punto = locale.decimalPoint();
    return punto.isEmpty() ? QChar(u'.') : punto.front();
}

QChar SeparadorDecimal()
{
    for (const char *variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const QString valor = qEnvironmentVariable(variable);
        if (!valor.isEmpty())
            return SeparadorDeLocale(valor);
    }
    return u'.';
}
