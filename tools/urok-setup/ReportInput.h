#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace urok::setup {

// What the class report needs of one task of the built-in lesson.
struct LessonTask
{
    int number = 0;
    int level = 0;
    QString kind;            // the solution type, as the task chooser lists it
    QString firstCondition;  // the first line of the condition
    QString solution;        // the author's solution, lines joined with '\n'
};

struct ReportLesson
{
    QString code;    // the lesson code: stem of the task save files
    QString topic;
    QList<LessonTask> tasks;   // tasks 1..n in order

    static ReportLesson builtIn();
};

// One answer of an answers file; its text has '\n' line breaks.
struct Answer
{
    int task = 0;
    QString text;
};

// The reading of one answers file. `answers` are in increasing task order
// and only for tasks the lesson has; `problems` say what was wrong (the
// file is still used when `isAnswers` is true).
struct AnswersReading
{
    bool isAnswers = false;
    QList<Answer> answers;
    QStringList problems;
};

// The first line of every answers file.
QString answersHeading();

// Reads the bytes of an answers file. The program writes Windows-1251; a
// file in UTF-8 (with or without a byte-order mark) or UTF-16 with a mark
// is read as such, with a remark. Characters that have no place in a text
// (control characters other than tab and line breaks) become U+FFFD.
AnswersReading readAnswers(const QByteArray &bytes, int lessonTasks);

// A task save file found beside an answers file.
struct SavedWork
{
    QString fileName;
    QString path;
    int task = 0;
    QString text;   // for a file of condition and answer: the answer part
};

// One pupil of the report: one answers file.
struct Pupil
{
    QString name;   // unique within the report
    QString path;   // the answers file, as it was found
    QList<Answer> answers;
    QList<SavedWork> saved;

    const Answer *answer(int task) const;
    QList<const SavedWork *> savedFor(int task) const;
};

struct ClassAnswers
{
    QList<Pupil> pupils;       // in Bulgarian alphabetical order of their names
    QStringList notes;         // "path: what is wrong", one per problem
    QStringList inputFiles;    // every file read, by absolute path
};

// Size limits of what the report reads.
constexpr qint64 AnswersFileLimit = qint64(4) * 1024 * 1024;
constexpr qint64 SavedFileLimit = qint64(1024) * 1024;

// Collects the answers files named by `paths`: a file is taken as it is, a
// folder is searched through for regular files named OTGOWORI.TXT or
// OTGOWORS.TXT in any letter case (symbolic links inside it are not
// followed). A pupil is named
// by the folder that holds the file, relative to the path given (the
// folder's own name when the file is right in it); a file given by its own
// path is named by its file name without the extension, or by its folder
// when it has the program's own name. Names that two files would share get
// " (1)", " (2)", ... in the order of the files' paths.
ClassAnswers collectClass(const QStringList &paths, const ReportLesson &lesson);

// Characters of an answer without its line breaks, and its lines.
qsizetype answerCharacters(const QString &text);
int answerLines(const QString &text);

} // namespace urok::setup
