#pragma once

#include "Compiler.h"
#include "TaskTests.h"
#include "Verdict.h"
#include "VerdictCache.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <map>

namespace urok::judge {

// One answer to judge: the program's text, the tests of its task, and how
// progress names it ("Иван Петров, задача 3").
struct Submission
{
    QString source;
    const TaskTests *tests = nullptr;
    QString label;
};

// Judges pupils' programs: each is compiled with the system's compiler and
// run on its task's tests, both in the sandbox. Answers that are the same
// after normalisation are judged once; two are judged at a time; verdicts
// are kept in the cache between reports.
class Judge
{
public:
    // `cacheFolder`: the verdict cache and the precompiled header (empty:
    // neither).
    explicit Judge(const QString &cacheFolder);

    // Why nothing can be judged here (no compiler, no sandbox), or empty.
    static QString unavailable();

    // Called before each answer is judged, from any thread, one call at a time.
    using Progress = std::function<void(const QString &label, int done, int count)>;

    // The verdicts of `submissions`, in their order.
    QList<Verdict> judgeAll(const QList<Submission> &submissions, const Progress &progress);

    // One answer, judged now (or found in the cache).
    Verdict judge(const QString &source, const TaskTests &tests);

private:
    Verdict judgeUncached(const QString &source, const TaskTests &tests);
    QString checkerFolder(const TaskTests &tests);

    VerdictCache cache_;
    QTemporaryDir work_;
    Compiler compiler_;
    bool prepared_ = false;   // the precompiled header is in place, or will not be
    QMutex checkersLock_;
    std::map<const TaskTests *, QString> checkers_;   // compiled checkers; empty: did not compile
};

} // namespace urok::judge
