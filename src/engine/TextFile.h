#pragma once

#include "engine/LessonFolder.h"

#include <QString>

namespace urok {

class Prompter;

// Writes the text as the file `name` in the lesson folder, in Windows-1251
// (the text's own line ends are kept; the lesson's texts use CR LF), by the
// folder's rules: replaced whole or not at all. When it cannot be written
// the pupil is told why and the result is false. When it is written but
// holds characters the code page lacks, the pupil is told which ones were
// written as "?".
bool writeLessonText(Prompter &prompter, const LessonFolder &folder, const QString &name,
                     const QString &text);

// Tells the pupil that a file could not be written, naming it and the reason.
void reportWriteFailure(Prompter &prompter, const QString &path, const QString &reason);

} // namespace urok
