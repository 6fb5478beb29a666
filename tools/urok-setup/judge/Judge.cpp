#include "Judge.h"

#include "Sandbox.h"
#include "SourceText.h"
#include "TestRun.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutexLocker>
#include <QThreadPool>

#include <atomic>

namespace urok::judge {

namespace {

// The machines of a classroom have two cores to spare.
constexpr int JobsAtOnce = 2;

QString headerFolder(const QString &cacheFolder)
{
    if (cacheFolder.isEmpty())
        return {};
    // One header per compiler and flags: an upgrade of g++ makes a new one.
    const QByteArray tag = QCryptographicHash::hash(
        (Compiler::version() + Compiler::flags().join(u' ')).toUtf8(), QCryptographicHash::Sha256);
    return cacheFolder + QStringLiteral("/header-") + QString::fromLatin1(tag.toHex().left(16));
}

} // namespace

Judge::Judge(const QString &cacheFolder)
    : cache_(cacheFolder),
      work_(Sandbox::workBase() + QStringLiteral("/urok-judge-XXXXXX")),
      compiler_(work_.filePath(QStringLiteral("header")), headerFolder(cacheFolder))
{
}

QString Judge::unavailable()
{
    const QString compiler = Compiler::unavailable();
    return compiler.isEmpty() ? Sandbox::unavailable() : compiler;
}

Verdict Judge::judge(const QString &source, const TaskTests &tests)
{
    const QByteArray key = VerdictCache::key(source, tests);
    Verdict v;
    if (cache_.find(key, &v))
        return v;
    v = judgeUncached(source, tests);
    cache_.store(key, v);
    return v;
}

Verdict Judge::judgeUncached(const QString &source, const TaskTests &tests)
{
    QTemporaryDir folder(work_.filePath(QStringLiteral("answer-XXXXXX")));
    Verdict v;
    if (!folder.isValid()) {
        v.outcome = Outcome::RuntimeError;
        v.detail = QStringLiteral("няма място за временна папка");
        return v;
    }
    v.detail = compiler_.compile(folder.path(), source.toUtf8());
    if (!v.detail.isEmpty()) {
        v.outcome = Outcome::CompileError;
        v.total = static_cast<int>(tests.cases.size());
        return v;
    }
    return runTests(folder.path(), tests, checkerFolder(tests));
}

QString Judge::checkerFolder(const TaskTests &tests)
{
    if (tests.checker.isEmpty())
        return {};
    QMutexLocker lock(&checkersLock_);
    const auto found = checkers_.find(&tests);
    if (found != checkers_.end())
        return found->second;
    const QString folder = work_.filePath(QStringLiteral("checker-%1").arg(tests.task));
    QString compiled;
    if (QDir().mkpath(folder) && compiler_.compile(folder, tests.checker).isEmpty()
        && QFile::rename(folder + QStringLiteral("/prog"), folder + QStringLiteral("/check")))
        compiled = folder;
    checkers_[&tests] = compiled;
    return compiled;
}

QList<Verdict> Judge::judgeAll(const QList<Submission> &submissions, const Progress &progress)
{
    // The same answer to the same task is judged once.
    QList<qsizetype> first;
    QHash<QByteArray, qsizetype> seen;
    QList<qsizetype> origin(submissions.size());
    for (qsizetype i = 0; i < submissions.size(); ++i) {
        const QByteArray key = sourceKey(submissions[i].source) + submissions[i].tests->digest();
        const auto it = seen.constFind(key);
        if (it != seen.constEnd()) {
            origin[i] = *it;
            continue;
        }
        seen.insert(key, i);
        origin[i] = i;
        first.append(i);
    }
    if (!first.isEmpty() && !prepared_) {
        Sandbox::handOver(work_.path());
        compiler_.prepare();
        prepared_ = true;
    }
    QList<Verdict> verdicts(submissions.size());
    std::atomic<int> next = 0;
    QMutex progressLock;
    int done = 0;
    auto worker = [&]() {
        for (int n = next++; n < first.size(); n = next++) {
            const Submission &s = submissions[first[n]];
            {
                const QMutexLocker lock(&progressLock);
                if (progress)
                    progress(s.label, done++, static_cast<int>(first.size()));
            }
            verdicts[first[n]] = judge(s.source, *s.tests);
        }
    };
    QThreadPool pool;
    pool.setMaxThreadCount(JobsAtOnce);
    for (int j = 1; j < JobsAtOnce; ++j)
        pool.start(worker);
    worker();
    pool.waitForDone();
    for (qsizetype i = 0; i < submissions.size(); ++i)
        verdicts[i] = verdicts[origin[i]];
    return verdicts;
}

} // namespace urok::judge
