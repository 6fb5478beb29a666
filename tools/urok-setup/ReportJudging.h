#pragma once

#include "ReportInput.h"
#include "judge/TaskTests.h"
#include "judge/Verdict.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace urok::setup {

// What the report says of one answer (or saved program) beyond its text.
struct AnswerMarks
{
    std::optional<judge::Verdict> verdict;   // none when it was not judged
    QStringList sameAs;                      // the other pupils with the same answer
    bool authors = false;                    // the author's solution itself
};

// The judging of a class and the copies found in it.
struct ClassJudging
{
    bool judged = false;   // the programs were compiled and run
    QString why;           // why they were not, when judging was asked for
    QStringList notes;     // tests that could not be used
    QList<QStringList> sameFiles;   // pupils whose whole answers files are the same

    // The marks of a pupil's answer to a task, and of a saved file (by its path).
    const AnswerMarks *answer(qsizetype pupil, int task) const;
    const AnswerMarks *saved(const QString &path) const;
    // The verdict of a pupil's work on a task: the answer's, otherwise the
    // best of the saved programs'.
    std::optional<judge::Verdict> verdict(const Pupil &pupil, qsizetype index, int task) const;
    int solvedBy(const Pupil &pupil, qsizetype index, const ReportLesson &lesson) const;

    QHash<QString, AnswerMarks> answers;   // keyed "pupil/task"
    QHash<QString, AnswerMarks> savedWork; // keyed by the saved file's path
};

struct JudgingRequest
{
    bool judge = true;
    QString testsFolder;    // the teacher's own tests, DIR/NN/*.in with *.out
    QString cacheFolder;    // empty: no cache
};

// Finds the copies and, when asked, judges every answer and every saved
// program of the class; says on `err` what it is judging.
ClassJudging judgeClass(const ClassAnswers &answers, const ReportLesson &lesson,
                        const JudgingRequest &request, QTextStream &err);

// The tests of every task of the lesson: the examples of its condition, the
// lesson's own tests and the teacher's (`teachers`, may be empty).
QList<judge::TaskTests> lessonTaskTests(const ReportLesson &lesson, const QString &teachers, QStringList *problems);

// The program part of a text: from its first line that starts with
// "#include", or the whole text when it has none.
QString programPart(const QString &text);

} // namespace urok::setup
