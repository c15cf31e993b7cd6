#include "Formato.h"

#include <cmath>
#include <cstdlib>

QString FormatoGeneral(const Cifra &cifra, QChar separador)
{
    const QString signo = std::signbit(cifra.valor) ? QStringLiteral("-") : QString();
    if (std::isnan(cifra.valor))
        return signo + QStringLiteral("NAN");
    if (std::isinf(cifra.valor))
        return signo + QStringLiteral("INF");
    if (cifra.signo == 0)
        return QStringLiteral("0");

    QString d = QString::number(cifra.digitos);
    while (d.size() > 1 && d.back() == u'0')
        d.chop(1);
    const int m = static_cast<int>(d.size());
    const int e = cifra.exponente;

    QString resultado = cifra.signo < 0 ? QStringLiteral("-") : QString();
    if (e >= -3 && e <= 6) {
        if (e <= 0)
            resultado += QStringLiteral("0") + separador + QString(-e, u'0') + d;
        else if (m <= e)
            resultado += d + QString(e - m, u'0');
        else
            resultado += d.left(e) + separador + d.mid(e);
    } else {
        resultado += d.left(1);
        if (m > 1)
            resultado += separador + d.mid(1);
        resultado += u'E';
        if (e - 1 < 0)
            resultado += u'-';
        resultado += QString::number(std::abs(e - 1));
    }
    return resultado;
}

QString FormatoGeneral(double valor, QChar separador)
{
    return FormatoGeneral(CifraDeDoble(valor), separador);
}

QString TextoVisible(const QString &texto)
{
    QString visible = texto;
    for (QChar &c : visible)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return visible;
}
