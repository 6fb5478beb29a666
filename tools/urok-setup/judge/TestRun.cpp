#include "TestRun.h"

#include "Sandbox.h"
#include "SourceText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The limits of one test of a program.
SandboxLimits testLimits(const TaskTests &tests, const TestCase &test)
{
    SandboxLimits limits;
    limits.cpuSeconds = qMax(1, qCeil(tests.timeLimit));
    // Real time is generous: on a busy machine a program waits for the
    // processor; the processor time is what is judged.
    limits.wallSeconds = 2 * tests.timeLimit + 2;
    // Standard output goes to a file, so the size limit of a file stops a flood.
    limits.outputBytes = qMax<qint64>(qint64(1) * 1024 * 1024, 4 * test.expected.size());
    limits.fileBytes = limits.outputBytes;
    // The shell and `timeout` of the run take two of the user's processes.
    limits.processes += 2;
    return limits;
}

// How a test ended, from the exit status the run's shell wrote down.
SandboxRun endOf(const QString &io, int n, const SandboxLimits &limits)
{
    SandboxRun run;
    QFile status(QStringLiteral("%1/rc_%2").arg(io).arg(n));
    bool written = false;
    const int code = status.open(QIODevice::ReadOnly) ? status.read(16).trimmed().toInt(&written) : -1;
    if (!written)
        return run;   // not run: the sandbox did not start or was stopped
    QFile out(QStringLiteral("%1/out_%2").arg(io).arg(n));
    if (out.open(QIODevice::ReadOnly))
        run.output = out.read(limits.outputBytes);
    QFile errors(QStringLiteral("%1/err_%2").arg(io).arg(n));
    if (errors.open(QIODevice::ReadOnly))
        run.errors = errors.read(qint64(64) * 1024);
    run.end = SandboxRun::End::Exited;
    run.status = code;
    // The shell reports 128 + the signal that ended the program.
    if (code > 128 && code < 128 + 65) {
        run.end = SandboxRun::End::Signalled;
        run.status = code - 128;
        if (run.status == SIGXFSZ && run.output.size() >= limits.outputBytes)
            run.end = SandboxRun::End::OutputLimit;
    }
    return run;
}

TestResult resultOf(const SandboxRun &run, const TestCase &test, const TaskTests &tests, const QString &checkerFolder)
{
    if (run.end != SandboxRun::End::Exited || run.status != 0)
        return failedRun(run);
    const bool right = tests.checker.isEmpty() ? sameTokens(test.expected, run.output)
                                               : checkerAccepts(checkerFolder, test, run.output);
    return right ? TestResult{} : TestResult{Outcome::WrongOutput, {}};
}

// Runs the program on every test in one sandbox: a shell starts it on each
// test's input under the test's limits, writes down how it ended, and ends
// whatever the program left running before the next test. It stops after
// a test that ran out of time.
QList<SandboxRun> runAll(const QString &folder, const TaskTests &tests)
{
    QList<SandboxRun> runs(tests.cases.size());
    QTemporaryDir io(QFileInfo(folder).path() + QStringLiteral("/io-XXXXXX"));
    if (!io.isValid())
        return runs;
    Sandbox::handOver(io.path());
    QString script = QStringLiteral("cd /io\n");
    SandboxLimits whole;
    whole.wallSeconds = 5;
    for (qsizetype i = 0; i < tests.cases.size(); ++i) {
        const QString in = io.filePath(QStringLiteral("in_%1").arg(i + 1));
        if (!wroteFile(in, tests.cases[i].input))
            return runs;
        Sandbox::handOver(in);
        const SandboxLimits limits = testLimits(tests, tests.cases[i]);
        script += QStringLiteral("timeout -s KILL %1 %2 /box/prog <in_%3 >out_%3 2>err_%3\n"
                                 "rc=$?; kill -9 -1 2>/dev/null; echo $rc >rc_%3\n"
                                 "if [ $rc -eq 137 ] || [ $rc -eq %4 ]; then exit 0; fi\n")
                      .arg(limits.wallSeconds)
                      .arg(Sandbox::limited(limits).join(u' '))
                      .arg(i + 1)
                      .arg(128 + SIGXCPU);
        whole.wallSeconds += limits.wallSeconds + 1;
        whole.cpuSeconds = limits.cpuSeconds;
        whole.memoryBytes = limits.memoryBytes;
        whole.fileBytes = qMax(whole.fileBytes, limits.fileBytes);
        whole.processes = limits.processes;
    }
    Sandbox::run({QStringLiteral("/bin/sh"), QStringLiteral("-c"), script},
                 {{io.path(), QStringLiteral("/io"), true}, {folder, QStringLiteral("/box"), false}}, {}, whole);
    for (qsizetype i = 0; i < tests.cases.size(); ++i)
        runs[i] = endOf(io.path(), static_cast<int>(i + 1), testLimits(tests, tests.cases[i]));
    return runs;
}

} // namespace

Verdict runTests(const QString &folder, const TaskTests &tests, const QString &checkerFolder)
{
    Verdict v;
    v.total = static_cast<int>(tests.cases.size());
    TestResult first;
    const QList<SandboxRun> runs = runAll(folder, tests);
    for (qsizetype i = 0; i < tests.cases.size(); ++i) {
        const TestCase &test = tests.cases[i];
        const TestResult r = resultOf(runs[i], test, tests, checkerFolder);
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
