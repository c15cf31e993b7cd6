#include "Windows1252.h"

#include <array>

namespace {

// Bytes 0x80..0x9F, the only range where the code page differs from
// Latin-1. The five undefined bytes keep the control character of their
// own number, so that any file survives a read and a write unchanged.
constexpr std::array<char16_t, 32> tramoAlto{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

constexpr std::array<char16_t, 256> tabla = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = (b >= 0x80 && b <= 0x9F) ? tramoAlto[b - 0x80] : static_cast<char16_t>(b);
    return t;
}();

std::optional<char> byteDe(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < tramoAlto.size(); ++i) {
        if (tramoAlto[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QString DesdeWindows1252(const QByteArray &bytes)
{
    QString texto(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        texto[i] = QChar(tabla[static_cast<unsigned char>(bytes[i])]);
    return texto;
}

std::optional<QByteArray> AWindows1252(const QString &texto)
{
    QByteArray bytes(texto.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texto.size(); ++i) {
        // A surrogate is never found in the table, so characters outside
        // the basic plane are refused with it.
        const std::optional<char> byte = byteDe(texto[i].unicode());
        if (!byte)
            return std::nullopt;
        bytes[i] = *byte;
    }
    return bytes;
}
