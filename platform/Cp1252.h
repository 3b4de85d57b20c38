// Windows-1252, the registers' and the capture files' character set: every
// byte is one character, and back.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace tillscribe {

QChar Cp1252ToUnicode(unsigned char c);
QString DecodeCp1252(const QByteArray &bytes);
// Characters outside the set (none come from DecodeCp1252) become "?".
QByteArray EncodeCp1252(const QString &text);

} // namespace tillscribe
