// The forms' font: "MS Sans Serif" where it exists, else the desktop's sans
// serif, at a pixel size (11 for the forms themselves).
#pragma once

#include <QFont>

namespace tillscribe {

inline QFont FormFont(int pixelSize = 11, bool bold = false)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace tillscribe
