#pragma once

#include "ReportInput.h"
#include "judge/TaskTests.h"
#include "judge/Verdict.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>
#include <optional>

namespace urok::judge {
class Judge;
}

namespace urok::setup {

// What the report says of one answer (or saved program) beyond its text.
struct AnswerMarks
{
    std::optional<judge::Verdict> verdict;   // none when it was not judged
    QStringList sameAs;                      // the other pupils with the same answer
    bool authors = false;                    // the author's solution itself
};

// What the judging says of a pupil's work on a task, for the views of it.
struct CellMarks
{
    std::optional<judge::Verdict> verdict;   // the answer's, or the best of the saved programs'
    const AnswerMarks *answer = nullptr;
    QList<const AnswerMarks *> saved;        // beside the cell's save files
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
    CellMarks marks(const Pupil &pupil, qsizetype index, const Cell &cell, int task) const;

    QHash<QString, AnswerMarks> answers;   // keyed "pupil/task"
    QHash<QString, AnswerMarks> savedWork; // keyed by the saved file's path
};

struct JudgingRequest
{
    bool judge = true;
    QString testsFolder;    // the teacher's own tests, DIR/NN/*.in with *.out
    QString cacheFolder;    // empty: no cache
};

// The judging of a report: whether programs can be judged here and the
// tests of every task are found once, then the classes are judged one
// after the other.
class ClassJudge
{
public:
    // Says on `err` why nothing will be judged, or which tests cannot be used.
    ClassJudge(const ReportLesson &lesson, const JudgingRequest &request, QTextStream &err);
    ~ClassJudge();
    ClassJudge(const ClassJudge &) = delete;
    ClassJudge &operator=(const ClassJudge &) = delete;

    // Finds the copies and, when asked, judges every answer and every saved
    // program of the class; says on `err` what it is judging.
    ClassJudging judge(const ClassAnswers &answers);

private:
    const ReportLesson &lesson_;
    QTextStream &err_;
    QString why_;
    QStringList notes_;
    QList<judge::TaskTests> tests_;
    std::unique_ptr<judge::Judge> judge_;   // none when nothing is judged
};

// The tests of every task of the lesson: the examples of its condition, the
// lesson's own tests and the teacher's (`teachers`, may be empty).
QList<judge::TaskTests> lessonTaskTests(const ReportLesson &lesson, const QString &teachers, QStringList *problems);

// The program part of a text: from its first line that starts with
// "#include", or the whole text when it has none.
QString programPart(const QString &text);

} // namespace urok::setup
