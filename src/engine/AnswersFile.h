#pragma once

#include <QString>

namespace urok {

class LessonState;
class Prompter;
struct Platform;

// The answers file is written into the lesson's folder on exit. Its name is
// fixed: the first when lesson option 31 (scrambled content) is exactly 1,
// the second otherwise.
inline QString answersFileName(int option31)
{
    return option31 == 1 ? QStringLiteral("OTGOWORS.TXT") : QStringLiteral("OTGOWORI.TXT");
}

// The file's text: a heading line, then for every task whose answer has
// more than five characters, in increasing task number, the line
// "Задача" + the number in signed-number form, then the answer and a line end.
QString answersFileText(LessonState &state);

// Writes the answers file when lesson option 12 allows it and the lesson
// runs from a removable or fixed disk. Returns false only when the file
// should have been written and could not be; the pupil has then been told why.
// The name of the file written goes into `written`.
bool Zapis_otgowori(LessonState &state, Prompter &prompter, const Platform &platform,
                    QString *written = nullptr);

} // namespace urok
