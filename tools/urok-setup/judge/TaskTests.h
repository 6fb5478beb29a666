#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace urok::judge {

// One test of a task: what the program reads and what it must write.
struct TestCase
{
    QString name;   // where it comes from, as the teacher reads it
    QByteArray input;
    QByteArray expected;
};

// Everything an answer to one task is judged on.
struct TaskTests
{
    int task = 0;
    QList<TestCase> cases;
    double timeLimit = 1.0;   // seconds of processor time for one test
    // A task with several right outputs brings a program that decides:
    // it is run as `check INPUT EXPECTED OUTPUT` and exits with 0 when the
    // output is right. Empty: the outputs must agree token by token.
    QByteArray checker;

    // Identifies the tests, the limit and the checker (for the cache).
    QByteArray digest() const;
};

// The examples printed in a task's condition ("Пример." or "Пример 1.",
// then "Вход:" and its lines, then "Изход:" and its lines). An example's
// output runs to the next example, to the end of the condition or to the
// first line written in Bulgarian, the explanation that may follow it.
QList<TestCase> conditionExamples(const QStringList &condition);

// The time limit a condition states ("за по-малко от 2 секунди"), or 1 s
// when it states none.
double conditionTimeLimit(const QStringList &condition);

// Adds the tests of a folder: every NAME.in with its NAME.out, in natural
// order of the names (1, 2, ..., 10), and the checker from check.cpp when
// there is one. An input without its output, or a file that cannot be
// read, is said in `problems` and left out.
void addFolderTests(const QString &folder, const QString &label, TaskTests *tests,
                    QStringList *problems);

// The lesson's own tests: `samples/` beside the program when installed,
// otherwise the source tree's data/samples it was built from; empty when
// neither is there.
QString lessonSamplesFolder();

// The folder of task `task` inside a folder of tests: task-NN, NN or N.
QString taskFolder(const QString &root, int task);

} // namespace urok::judge
