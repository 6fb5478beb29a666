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

// One answer of an answers file; its text has '\n' line breaks. A class's
// answers stay in memory until its pages are written, so the text is held
// as Windows-1251 bytes where it fits that code page (a byte a character,
// as in the file), and as it is otherwise.
class Answer
{
public:
    Answer() = default;
    Answer(int number, const QString &text);

    int task = 0;
    QString text() const;

private:
    QByteArray narrow_;
    QString wide_;
};

// The reading of one answers file. `answers` are in increasing task order
// and only for tasks the lesson has; `problems` say what was wrong (the
// file is still used when `isAnswers` is true); `otherLesson` tells a file
// whose task numbers do not fit this lesson.
struct AnswersReading
{
    bool isAnswers = false;
    QList<Answer> answers;
    QStringList problems;
    bool otherLesson = false;
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

// A pupil's work on one task, as every view of the report shows it.
struct Cell
{
    const Answer *answer = nullptr;
    QList<const SavedWork *> saved;
    int lines = 0;                 // of the answer
    qsizetype characters = 0;      // of the answer, line breaks aside

    bool isEmpty() const { return answer == nullptr && saved.isEmpty(); }
};

// One pupil of the report: one answers file.
struct Pupil
{
    QString name;          // unique within the class
    QString path;          // the answers file, as the teacher reads its path
    QList<Answer> answers;
    QList<SavedWork> saved;
    QString unread;        // why the row holds no answers (an empty file, a pipe, ...), or empty
    QStringList notes;     // what was wrong with the pupil's files
    bool otherLesson = false;   // the files seem to be of another lesson

    const Answer *answer(int task) const;
    QList<const SavedWork *> savedFor(int task) const;
    Cell cell(int task) const;
};

struct ClassFolder;
struct FoundClasses;

// The pupils of one class, read.
struct ClassAnswers
{
    QString name;              // the class folder's name
    QString path;              // the class folder, as the teacher reads it
    QList<Pupil> pupils;       // in Bulgarian alphabetical order of their names, numbers by value
    QStringList notes;         // "path: what is wrong", one per problem
};

// Size limits of what the report reads.
constexpr qint64 AnswersFileLimit = qint64(4) * 1024 * 1024;
constexpr qint64 SavedFileLimit = qint64(1024) * 1024;

// Reads the answers files of a class found by findClasses. Every file is a
// row, also one that is empty or cannot be read (with a note saying so).
// Names that two files would share get " (1)", " (2)", ... in the order of
// the files' paths, and a note saying why.
ClassAnswers readClass(const FoundClasses &found, const ClassFolder &folder, const ReportLesson &lesson);

// Characters of an answer without its line breaks, and its lines.
qsizetype answerCharacters(const QString &text);
int answerLines(const QString &text);

} // namespace urok::setup
