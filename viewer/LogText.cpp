#include "LogText.h"

#include "Cp1252.h"

namespace tillscribe {
namespace {

inline char16_t UpperAscii(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

QString UpperAscii(const QString &text)
{
    QString upper = text;
    for (QChar &c : upper)
        c = QChar(UpperAscii(c.unicode()));
    return upper;
}

qsizetype FindUpper(const QString &upperText, const QString &upperWhat, qsizetype from)
{
    if (upperWhat.isEmpty() || from < 0)
        return -1;
    return upperText.indexOf(upperWhat, from, Qt::CaseSensitive);
}

} // namespace

QString LogTextFromBytes(const QByteArray &bytes)
{
    QByteArray lines;
    lines.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r') {
            lines += '\n';
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            lines += c;
        }
    }
    return DecodeCp1252(lines);
}

QByteArray LogTextToBytes(const QString &text)
{
    QByteArray bytes = EncodeCp1252(text);
    bytes.replace("\n", "\r\n");
    return bytes;
}

qsizetype FindText(const QString &text, const QString &what, qsizetype from)
{
    return FindUpper(UpperAscii(text), UpperAscii(what), from);
}

QStringList FindAllEntries(const QString &text, const QString &what)
{
    QStringList entries;
    const QString upperWhat = UpperAscii(what);
    if (upperWhat.isEmpty())
        return entries;
    qsizetype start = 0;
    for (qsizetype index = 0; start < text.size(); ++index) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        const QString line = text.mid(start, qMin(end - start, kFindAllLineLength));
        if (UpperAscii(line).contains(upperWhat))
            entries << QString::number(index) + QStringLiteral("     ") + line;
        start = end + 1;
    }
    return entries;
}

} // namespace tillscribe
