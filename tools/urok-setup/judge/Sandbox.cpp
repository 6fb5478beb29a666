#include "Sandbox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cmath>
#include <mutex>

#include <sys/stat.h>
#include <unistd.h>

namespace urok::judge {

namespace {

// The user a root caller runs the sandbox as: RLIMIT_NPROC does not hold
// for uid 0, even when a user namespace shows it as another user.
constexpr uid_t SandboxUser = 65534;
constexpr qint64 ErrorsKept = qint64(64) * 1024;
constexpr qint64 TmpBytes = qint64(64) * 1024 * 1024;

bool asRoot()
{
    return geteuid() == 0;
}

// A program this process starts, where the user's PATH finds it.
QString hostTool(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

// A program started inside the sandbox, where the system's /usr is all there is.
QString sandboxTool(const QString &name)
{
    return QStandardPaths::findExecutable(name, {QStringLiteral("/usr/bin"), QStringLiteral("/usr/sbin")});
}

QString findUnavailable()
{
    if (hostTool(QStringLiteral("bwrap")).isEmpty())
        return QStringLiteral("не е намерен bubblewrap (bwrap); инсталирайте пакета bubblewrap");
    if (sandboxTool(QStringLiteral("prlimit")).isEmpty() || (asRoot() && hostTool(QStringLiteral("setpriv")).isEmpty()))
        return QStringLiteral("липсват prlimit или setpriv (пакетът util-linux)");
    SandboxLimits limits;
    limits.wallSeconds = 20;
    const SandboxRun trial = Sandbox::run({QStringLiteral("/usr/bin/true")}, {}, {}, limits);
    if (trial.end != SandboxRun::End::Exited || trial.status != 0)
        return QStringLiteral("bubblewrap не може да създаде изолирана среда тук (%1)")
            .arg(QString::fromLocal8Bit(trial.errors).trimmed().left(200));
    return {};
}

} // namespace

QString Sandbox::unavailable()
{
    static std::once_flag once;
    static QString why;
    std::call_once(once, [] { why = findUnavailable(); });
    return why;
}

bool Sandbox::sees(const QString &path)
{
    return path.startsWith(QStringLiteral("/usr/"));
}

void Sandbox::handOver(const QString &path)
{
    if (asRoot())
        (void)::chown(QFile::encodeName(path).constData(), SandboxUser, SandboxUser);
}

QString Sandbox::workBase()
{
    QString temp = QDir::tempPath();
    if (!asRoot())
        return temp;
    // Every folder on the way must let others through.
    for (QString d = temp; !d.isEmpty() && d != u"/"; d = QFileInfo(d).path()) {
        if (!(QFileInfo(d).permissions() & QFileDevice::ExeOther))
            return QStringLiteral("/tmp");
    }
    return temp;
}

QStringList Sandbox::arguments(const QStringList &command, const QList<SandboxMount> &mounts,
                               const SandboxLimits &limits)
{
    QStringList a;
    if (asRoot())
        a << QStringLiteral("--reuid=%1").arg(SandboxUser) << QStringLiteral("--regid=%1").arg(SandboxUser)
          << QStringLiteral("--clear-groups") << hostTool(QStringLiteral("bwrap"));
    a << QStringLiteral("--unshare-all") << QStringLiteral("--die-with-parent") << QStringLiteral("--new-session")
      << QStringLiteral("--clearenv") << QStringLiteral("--setenv") << QStringLiteral("PATH")
      << QStringLiteral("/usr/bin:/bin")
      // The compiler quotes a pupil's Cyrillic names as they were written.
      << QStringLiteral("--setenv") << QStringLiteral("LC_ALL") << QStringLiteral("C.UTF-8")
      << QStringLiteral("--ro-bind") << QStringLiteral("/usr")
      << QStringLiteral("/usr");
    for (const char *link : {"bin", "lib", "lib32", "lib64", "sbin"})
        a << QStringLiteral("--symlink") << QStringLiteral("usr/%1").arg(QLatin1String(link))
          << QStringLiteral("/%1").arg(QLatin1String(link));
    a << QStringLiteral("--proc") << QStringLiteral("/proc") << QStringLiteral("--dev") << QStringLiteral("/dev")
      << QStringLiteral("--size") << QString::number(TmpBytes) << QStringLiteral("--tmpfs") << QStringLiteral("/tmp");
    for (const SandboxMount &m : mounts)
        a << (m.writable ? QStringLiteral("--bind") : QStringLiteral("--ro-bind")) << m.outside << m.inside;
    if (!mounts.isEmpty())
        a << QStringLiteral("--chdir") << mounts.first().inside;
    return a << QStringLiteral("--") << limited(limits) << command;
}

QStringList Sandbox::limited(const SandboxLimits &limits)
{
    const qint64 wholeSeconds = limits.cpuSeconds;
    return {sandboxTool(QStringLiteral("prlimit")),
            QStringLiteral("--cpu=%1:%2").arg(wholeSeconds).arg(wholeSeconds + 1),
            QStringLiteral("--as=%1").arg(limits.memoryBytes),
            QStringLiteral("--stack=%1").arg(limits.memoryBytes),
            QStringLiteral("--fsize=%1").arg(limits.fileBytes),
            QStringLiteral("--nproc=%1").arg(limits.processes),
            QStringLiteral("--nofile=64"),
            QStringLiteral("--core=0"),
            QStringLiteral("--")};
}

SandboxRun Sandbox::run(const QStringList &command, const QList<SandboxMount> &mounts,
                        const QByteArray &input, const SandboxLimits &limits)
{
    SandboxRun r;
    // Standard error goes to a file, where the size limit stops a flood.
    QTemporaryFile errors;
    if (!errors.open())
        return r;
    QProcess p;
    p.setStandardErrorFile(errors.fileName());
    if (asRoot())
        p.start(hostTool(QStringLiteral("setpriv")), arguments(command, mounts, limits));
    else
        p.start(hostTool(QStringLiteral("bwrap")), arguments(command, mounts, limits));
    if (!p.waitForStarted())
        return r;
    p.write(input);
    p.closeWriteChannel();
    QElapsedTimer clock;
    clock.start();
    const auto wallMs = static_cast<qint64>(std::ceil(limits.wallSeconds * 1000));
    r.end = SandboxRun::End::Exited;
    while (p.state() != QProcess::NotRunning) {
        const qint64 left = wallMs - clock.elapsed();
        if (left <= 0) {
            r.end = SandboxRun::End::WallTime;
            break;
        }
        p.waitForReadyRead(static_cast<int>(left));
        r.output += p.readAllStandardOutput();
        if (r.output.size() > limits.outputBytes) {
            r.end = SandboxRun::End::OutputLimit;
            break;
        }
    }
    if (p.state() != QProcess::NotRunning) {
        // The sandbox's first process takes every process of it along.
        p.kill();
        p.waitForFinished(-1);
    }
    r.output += p.readAllStandardOutput();
    r.output.truncate(limits.outputBytes);
    r.errors = errors.read(ErrorsKept);
    if (r.end != SandboxRun::End::Exited)
        return r;
    // bubblewrap passes on the exit status, or 128 + the signal that ended
    // the program.
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    if (r.status > 128 && r.status < 128 + 65) {
        r.end = SandboxRun::End::Signalled;
        r.status -= 128;
    }
    return r;
}

} // namespace urok::judge
