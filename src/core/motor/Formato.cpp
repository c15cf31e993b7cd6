#include "Formato.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// Enough digits after the point to write any double exactly.
constexpr int digitosExactos = 767;

} // namespace

QString FormatoGeneral(double valor, QChar separador)
{
    const QString signo = std::signbit(valor) ? QStringLiteral("-") : QString();
    if (std::isnan(valor))
        return signo + QStringLiteral("NAN");
    if (std::isinf(valor))
        return signo + QStringLiteral("INF");
    if (valor == 0.0)
        return QStringLiteral("0");

    // The exact decimal value: d.ddd…e±x, with no rounding at all.
    std::array<char, 1024> texto{};
    const auto fin = std::to_chars(texto.data(), texto.data() + texto.size(), std::fabs(valor),
                                   std::chars_format::scientific, digitosExactos)
                         .ptr;
    const std::string_view exacto(texto.data(), static_cast<std::size_t>(fin - texto.data()));
    const std::size_t posE = exacto.find('e');
    std::string digitos;
    digitos += exacto[0];
    digitos += exacto.substr(2, 5);
    const char septimo = exacto[7];
    // magnitude = 0.d1d2… × 10^e
    int e = std::atoi(exacto.data() + posE + 1) + 1;

    if (septimo >= '5') {
        int i = 5;
        while (i >= 0 && digitos[static_cast<std::size_t>(i)] == '9')
            digitos[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            digitos = "100000";
            ++e;
        } else {
            ++digitos[static_cast<std::size_t>(i)];
        }
    }
    while (digitos.size() > 1 && digitos.back() == '0')
        digitos.pop_back();
    const int m = static_cast<int>(digitos.size());
    const QString d = QString::fromLatin1(digitos.data(), m);

    QString resultado;
    if (e >= -3 && e <= 6) {
        if (e <= 0) {
            resultado = QStringLiteral("0") + separador + QString(-e, u'0') + d;
        } else if (m <= e) {
            resultado = d + QString(e - m, u'0');
        } else {
            resultado = d.left(e) + separador + d.mid(e);
        }
    } else {
        resultado = d.left(1);
        if (m > 1)
            resultado += separador + d.mid(1);
        resultado += u'E';
        if (e - 1 < 0)
            resultado += u'-';
        resultado += QString::number(std::abs(e - 1));
    }
    return signo + resultado;
}

QString TextoVisible(const QString &texto)
{
    QString visible = texto;
    for (QChar &c : visible)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return visible;
}
