#pragma once

#include "Profile.h"

#include <QString>
#include <QTextStream>

namespace urok::setup {

// Exit codes of urok-setup.
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;   // bad profile, bad file, unreadable or unwritable path
constexpr int ExitUsage = 2;    // wrong command line

// A profile is a page or two of text; anything larger is not one.
constexpr qint64 ProfileSizeLimit = qint64(256) * 1024;

// urok-setup write PROFILE OUTPUT: writes the configuration file that the
// profile describes. On any error the output file is left as it was (or
// absent); messages name the profile's line ("PROFILE:12: грешка: ...").
// The output is never written onto the profile itself.
int writeCommand(const QString &profilePath, const QString &outputPath, const LessonFacts &lesson,
                 QTextStream &out, QTextStream &err);

// urok-setup show FILE: describes a configuration file as the lesson will
// apply it. A file of the wrong size or for another lesson is reported as
// an error.
int showCommand(const QString &filePath, const LessonFacts &lesson, QTextStream &out,
                QTextStream &err);

// The text of urok-setup --help.
QString helpText();

} // namespace urok::setup
