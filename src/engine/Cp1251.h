#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace urok {

// The lesson's files are in the Windows-1251 code page.

// Every character that the code page has becomes its byte; any other
// becomes '?'. `lossless`, when given, tells whether nothing was replaced.
QByteArray toCp1251(const QString &text, bool *lossless = nullptr);

// Every byte maps to a character (the code page's one unused byte, 0x98,
// becomes U+FFFD).
QString fromCp1251(const QByteArray &bytes);

// True when every character of the text exists in the code page.
bool fitsCp1251(const QString &text);

// The characters of the text that the code page lacks, each once, in the
// order they first appear.
QStringList charactersNotInCp1251(const QString &text);

} // namespace urok
