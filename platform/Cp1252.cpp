#include "Cp1252.h"

#include <array>

namespace tillscribe {
namespace {

// 0x80-0x9F; the five bytes Windows leaves undefined keep their C1 code.
const char16_t k80to9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QChar Cp1252ToUnicode(unsigned char c)
{
    if (c >= 0x80 && c <= 0x9F)
        return QChar(k80to9F[c - 0x80]);
    return QChar(static_cast<char16_t>(c));
}

QString DecodeCp1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = Cp1252ToUnicode(static_cast<unsigned char>(bytes[i]));
    return text;
}

QByteArray EncodeCp1252(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        char byte = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            byte = static_cast<char>(u);
        } else {
            for (int k = 0; k < 32; ++k)
                if (k80to9F[k] == u)
                    byte = static_cast<char>(0x80 + k);
        }
        bytes[i] = byte;
    }
    return bytes;
}

} // namespace tillscribe
