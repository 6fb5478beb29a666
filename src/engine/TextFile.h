#pragma once

#include <QString>

namespace urok {

class Prompter;

// Writes a text file in Windows-1251 (the text's own line ends are kept; the
// lesson's texts use CR LF). The file is replaced whole or not at all: when
// anything fails, a file that was there before is left as it was and no
// half-written file remains. Returns an empty text on success, otherwise
// what went wrong, in Bulgarian, for the pupil.
QString writeTextFile(const QString &path, const QString &text);

// The same for bytes that are already encoded.
QString writeFileBytes(const QString &path, const QByteArray &bytes);

// Tells the pupil that a file could not be written, naming it and the reason.
void reportWriteFailure(Prompter &prompter, const QString &path, const QString &reason);

} // namespace urok
