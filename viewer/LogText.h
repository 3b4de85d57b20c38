// The log viewer's text and its three searches, without widgets.
//
// The text is a capture file's bytes as Windows-1252 characters, every byte
// one character (a NUL included), with line breaks as "\n". Matching folds
// only the 26 ASCII letters to capitals; every other character matches only
// itself. An empty search text never matches.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tillscribe {

// The viewer's size limit for a file it opens.
constexpr qint64 kLogFileSizeLimit = 750000;
// Find All reads at most this many characters of a line.
constexpr qsizetype kFindAllLineLength = 4096;

// File bytes to the viewer's text: CR LF, lone CR and lone LF all become one
// line break.
QString LogTextFromBytes(const QByteArray &bytes);
// The viewer's text to file bytes: line breaks written as CR LF.
QByteArray LogTextToBytes(const QString &text);

// The first hit of what in text at or after from; -1 when there is none.
qsizetype FindText(const QString &text, const QString &what, qsizetype from = 0);

// Hit entries: "<line index from 0>" + five spaces + the line's first 4096
// characters, for each line that holds what. A text ending in a line break
// has no extra empty last line.
QStringList FindAllEntries(const QString &text, const QString &what);

} // namespace tillscribe
