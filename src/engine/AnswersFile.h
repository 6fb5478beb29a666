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

// Why the answers are not written: another lesson open in the same folder
// keeps its answers there.
inline QString answersHeldElsewhere()
{
    return QStringLiteral("Урокът вече е отворен в тази папка от друга програма и тя записва "
                          "отговорите си тук; отговорите от този прозорец не се записват в "
                          "тази папка.");
}

// The file's text: a heading line, then for every task whose answer has
// more than five characters, in increasing task number, the line
// "Задача" + the number in signed-number form, then the answer and a line end.
QString answersFileText(LessonState &state);

// The answers file as it is written: its name and its bytes.
struct AnswersImage
{
    QString name;
    QString text;
    QByteArray bytes;
};

// Whether the answers file is written at all: lesson option 12 is on and
// the lesson runs from a removable or fixed disk.
bool answersFileWanted(LessonState &state, const Platform &platform);

// The answers file as it would be written now.
AnswersImage answersFileImage(LessonState &state);

// Writes the answers file when lesson option 12 allows it and the lesson
// runs from a removable or fixed disk, and another lesson open in the same
// folder does not keep its answers there. Returns false only when the file
// should have been written and could not be; the pupil has then been told
// why. The name of the file written goes into `written`.
bool Zapis_otgowori(LessonState &state, Prompter &prompter, const Platform &platform,
                    QString *written = nullptr);

} // namespace urok
