#pragma once

#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace urok::test {

// The teacher's tool run as the teacher runs it, as a child process in the
// current folder: its exit code and what it printed (standard output, then
// standard error). A tool that does not end in time, or dies of a signal,
// gives the code -1.
struct ToolRun
{
    int code = -1;
    QString out;
};

inline ToolRun runUrokSetup(const QStringList &args, int timeoutMs = 120000)
{
    QProcess p;
    p.start(QStringLiteral(UROK_BINARY_DIR "/tools/urok-setup/urok-setup"), args);
    if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError())};
}

// A fresh folder of its own, the current one while a test function runs:
// enter() in init(), leave() in cleanup().
class CurrentFolder
{
public:
    bool enter() { return dir_.emplace().isValid() && QDir::setCurrent(dir_->path()); }
    void leave()
    {
        QDir::setCurrent(QStringLiteral(UROK_BINARY_DIR));
        dir_.reset();
    }

private:
    std::optional<QTemporaryDir> dir_;
};

} // namespace urok::test
