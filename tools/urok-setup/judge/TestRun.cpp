#include "TestRun.h"

#include "Sandbox.h"
#include "SourceText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtMath>

#include <csignal>
#include <cstring>

namespace urok::judge {

namespace {

struct TestResult
{
    Outcome outcome = Outcome::Accepted;
    QString detail;
};

QString signalName(int signal)
{
    const char *abbrev = sigabbrev_np(signal);
    return abbrev ? QStringLiteral("сигнал %1 (SIG%2)").arg(signal).arg(QLatin1String(abbrev))
                  : QStringLiteral("сигнал %1").arg(signal);
}

bool wroteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

// The checker decides on a run's output: it sees the input, the expected
// and the actual output as files of a folder of their own.
bool checkerAccepts(const QString &checkerFolder, const TestCase &test, const QByteArray &output)
{
    QTemporaryDir data;
    if (!data.isValid() || !wroteFile(data.filePath(QStringLiteral("in")), test.input)
        || !wroteFile(data.filePath(QStringLiteral("expected")), test.expected)
        || !wroteFile(data.filePath(QStringLiteral("out")), output))
        return false;
    for (const char *name : {"", "in", "expected", "out"})
        Sandbox::handOver(data.filePath(QLatin1String(name)));
    SandboxLimits limits;
    limits.cpuSeconds = 5;
    limits.wallSeconds = 10;
    const SandboxRun run = Sandbox::run({QStringLiteral("/check/check"), QStringLiteral("/data/in"),
                                         QStringLiteral("/data/expected"), QStringLiteral("/data/out")},
                                        {{data.path(), QStringLiteral("/data"), false},
                                         {checkerFolder, QStringLiteral("/check"), false}},
                                        {}, limits);
    return run.end == SandboxRun::End::Exited && run.status == 0;
}

TestResult failedRun(const SandboxRun &run)
{
    const bool outOfMemory = run.errors.contains("bad_alloc");
    switch (run.end) {
    case SandboxRun::End::WallTime:
        return {Outcome::TimeLimit, {}};
    case SandboxRun::End::OutputLimit:
        return {Outcome::WrongOutput, QStringLiteral("изходът е твърде голям")};
    case SandboxRun::End::NotStarted:
        return {Outcome::RuntimeError, QStringLiteral("програмата не можа да се стартира")};
    case SandboxRun::End::Signalled:
        if (run.status == SIGXCPU || run.status == SIGKILL)
            return {Outcome::TimeLimit, {}};
        if (outOfMemory)
            return {Outcome::MemoryLimit, {}};
        if (run.status == SIGXFSZ)
            return {Outcome::RuntimeError, QStringLiteral("записан е твърде голям файл")};
        return {Outcome::RuntimeError, signalName(run.status)};
    case SandboxRun::End::Exited:
        break;
    }
    if (outOfMemory)
        return {Outcome::MemoryLimit, {}};
    return {Outcome::RuntimeError, QStringLiteral("код на изход %1").arg(run.status)};
}

TestResult runOne(const QString &folder, const TestCase &test, const TaskTests &tests,
                  const QString &checkerFolder)
{
    SandboxLimits limits;
    limits.cpuSeconds = qMax(1, qCeil(tests.timeLimit));
    // Real time is generous: on a busy machine a program waits for the
    // processor; the processor time is what is judged.
    limits.wallSeconds = 2 * tests.timeLimit + 2;
    limits.outputBytes = qMax<qint64>(qint64(1) * 1024 * 1024, 4 * test.expected.size());
    const SandboxRun run = Sandbox::run({QStringLiteral("/box/prog")}, {{folder, QStringLiteral("/box"), false}},
                                        test.input, limits);
    if (run.end != SandboxRun::End::Exited || run.status != 0)
        return failedRun(run);
    const bool right = tests.checker.isEmpty() ? sameTokens(test.expected, run.output)
                                               : checkerAccepts(checkerFolder, test, run.output);
    return right ? TestResult{} : TestResult{Outcome::WrongOutput, {}};
}

} // namespace

Verdict runTests(const QString &folder, const TaskTests &tests, const QString &checkerFolder)
{
    Verdict v;
    v.total = static_cast<int>(tests.cases.size());
    TestResult first;
    for (const TestCase &test : tests.cases) {
        const TestResult r = runOne(folder, test, tests, checkerFolder);
        if (r.outcome == Outcome::Accepted) {
            ++v.passed;
            continue;
        }
        if (first.outcome == Outcome::Accepted) {
            first = r;
            first.detail = (r.detail.isEmpty() ? failureName(r.outcome) : r.detail)
                           + QStringLiteral(" на %1").arg(test.name);
        }
        if (r.outcome == Outcome::TimeLimit)
            break;
    }
    if (v.passed == v.total) {
        v.outcome = Outcome::Accepted;
    } else if (v.passed > 0) {
        v.outcome = Outcome::Partial;
        v.detail = first.detail;
    } else {
        v.outcome = first.outcome;
        v.detail = first.detail;
    }
    return v;
}

} // namespace urok::judge
