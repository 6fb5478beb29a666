#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace urok::judge {

// What one run in the sandbox may take.
struct SandboxLimits
{
    int cpuSeconds = 1;                              // processor time
    double wallSeconds = 3;                          // real time
    qint64 memoryBytes = qint64(256) * 1024 * 1024;  // address space
    qint64 fileBytes = qint64(16) * 1024 * 1024;     // a file written, standard error included
    int processes = 8;                               // processes and threads at once
    qint64 outputBytes = qint64(8) * 1024 * 1024;    // standard output
};

// How a run in the sandbox ended.
struct SandboxRun
{
    enum class End { Exited, Signalled, WallTime, OutputLimit, NotStarted };
    End end = End::NotStarted;
    int status = 0;       // the exit status, or the signal that ended it
    QByteArray output;    // standard output, at most the limit
    QByteArray errors;    // the start of standard error
};

// A folder of the machine seen inside the sandbox.
struct SandboxMount
{
    QString outside;
    QString inside;
    bool writable = false;
};

// Runs a command where a hostile program can do no harm (bubblewrap): it
// sees only the system's programs and libraries (/usr), the folders mounted
// for it, a private /tmp and its own /proc and /dev; no network, no other
// process, none of the user's files. It runs as an unprivileged user (the
// user "nobody" when the caller is root, so that the limit on processes
// holds), in a session of its own, and no process of it outlives the run.
class Sandbox
{
public:
    // Why nothing can be run here (bubblewrap or a tool it needs missing,
    // user namespaces off), or empty when the sandbox works. Tried once.
    static QString unavailable();

    // Whether a program of the machine (by its real path) is there inside.
    static bool sees(const QString &path);

    // Makes a file or a folder the caller made its own usable by the
    // sandbox's user.
    static void handOver(const QString &path);

    // Where the folders the sandbox mounts are made: the temporary folder,
    // or /tmp when the sandbox's user could not reach that one.
    static QString workBase();

    static SandboxRun run(const QStringList &command, const QList<SandboxMount> &mounts,
                          const QByteArray &input, const SandboxLimits &limits);

    // The command inside the sandbox that starts another under `limits`
    // of processor time, memory, file size and processes (wall time and
    // output are watched by the caller): prlimit and its options.
    static QStringList limited(const SandboxLimits &limits);

private:
    static QStringList arguments(const QStringList &command, const QList<SandboxMount> &mounts,
                                 const SandboxLimits &limits);
};

} // namespace urok::judge
