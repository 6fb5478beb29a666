#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace urok::setup {

// A task file of a lesson whose content is scrambled (lesson option 31):
// the marker lines stay as they are, every other line is stored scrambled,
// as the tasks window expects it then.
struct ScrambledTask
{
    QString text;
    QStringList errors; // "ред N: ..." for lines that cannot be scrambled
};

// Scrambles the lines of a task file given as text. A line with a
// character outside Windows-1251, or whose scrambled form would hold a line
// break (then a character of the line, such as « or », must be replaced),
// is an error.
ScrambledTask scrambleTaskFile(const QString &plain);

// urok-setup scramble TASK OUTPUT: writes the scrambled task file (UTF-8);
// on any error nothing is written.
int scrambleCommand(const QString &taskPath, const QString &outputPath, QTextStream &out,
                    QTextStream &err);

} // namespace urok::setup
