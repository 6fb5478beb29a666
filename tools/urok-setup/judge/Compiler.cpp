#include "Compiler.h"

#include "Sandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <mutex>
#include <utility>

namespace urok::judge {

namespace {

// The headers precompiled for everybody: what nearly every answer includes.
const char *const CommonHeaders = "#include <algorithm>\n#include <iostream>\n#include <string>\n#include <vector>\n";
const char *const HeaderName = "urok-common.h";
constexpr int ErrorLinesShown = 12;

SandboxLimits compileLimits()
{
    SandboxLimits l;
    l.cpuSeconds = 10;
    l.wallSeconds = 30;
    l.memoryBytes = qint64(2) * 1024 * 1024 * 1024;
    l.fileBytes = qint64(256) * 1024 * 1024;
    l.processes = 16;
    l.outputBytes = qint64(1) * 1024 * 1024;
    return l;
}

QString tooLong()
{
    return QStringLiteral("компилирането продължи твърде дълго и беше спряно");
}

QString firstLines(const QByteArray &said, const SandboxRun &run)
{
    if (run.end == SandboxRun::End::WallTime
        || (run.end == SandboxRun::End::Signalled && (run.status == 9 || run.status == 24))
        || said.contains("CPU time limit exceeded signal") || said.contains("Killed signal"))
        return tooLong();
    QStringList lines = QString::fromUtf8(said).split(u'\n', Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return QStringLiteral("компилаторът завърши с код %1").arg(run.status);
    if (lines.size() > ErrorLinesShown)
        lines = lines.mid(0, ErrorLinesShown) << QStringLiteral("…");
    return lines.join(u'\n');
}

} // namespace

Compiler::Compiler(QString headerFolder, QString keptFolder)
    : headerFolder_(std::move(headerFolder)), keptFolder_(std::move(keptFolder))
{
}

QString Compiler::program()
{
    static std::once_flag once;
    static QString real;
    std::call_once(once, [] {
        const QString found = QStandardPaths::findExecutable(QStringLiteral("g++"));
        const QString path = found.isEmpty() ? QString() : QFileInfo(found).canonicalFilePath();
        if (Sandbox::sees(path))
            real = path;
    });
    return real;
}

QString Compiler::unavailable()
{
    const QString found = QStandardPaths::findExecutable(QStringLiteral("g++"));
    if (found.isEmpty())
        return QStringLiteral("няма компилатор на C++ (g++); инсталирайте пакета g++");
    if (program().isEmpty())
        return QStringLiteral("компилаторът %1 е извън /usr, а изолираната среда вижда само /usr")
            .arg(QFileInfo(found).canonicalFilePath());
    if (version().isEmpty())
        return QStringLiteral("компилаторът %1 не казва версията си").arg(program());
    return {};
}

QString Compiler::version()
{
    static std::once_flag once;
    static QString line;
    std::call_once(once, [] {
        const QString gxx = program();
        if (gxx.isEmpty())
            return;
        QProcess p;
        p.start(gxx, {QStringLiteral("--version")});
        if (p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            line = QString::fromUtf8(p.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
    });
    return line;
}

QStringList Compiler::flags()
{
    static const QStringList flags = [] {
        QStringList f{QStringLiteral("-std=c++17"), QStringLiteral("-O2"), QStringLiteral("-fmax-errors=5")};
        // The gold linker links a small program in less than half the time
        // of the default one, which is a fifth of a whole compile.
        if (QFileInfo(QStringLiteral("/usr/bin/ld.gold")).isExecutable())
            f << QStringLiteral("-fuse-ld=gold");
        return f;
    }();
    return flags;
}

void Compiler::prepare()
{
    if (headerFolder_.isEmpty() || !QDir().mkpath(headerFolder_))
        return;
    Sandbox::handOver(headerFolder_);
    const QString name = QLatin1String(HeaderName);
    const QString header = QDir(headerFolder_).filePath(name);
    QFile h(header);
    if (!h.open(QIODevice::WriteOnly | QIODevice::Truncate) || h.write(CommonHeaders) < 0)
        return;
    h.close();
    const QString kept = keptFolder_.isEmpty() ? QString() : QDir(keptFolder_).filePath(name + QStringLiteral(".gch"));
    if (!kept.isEmpty() && QFile::copy(kept, header + QStringLiteral(".gch"))) {
        header_ = true;
        return;
    }
    header_ = makeHeader(header);
    // Kept under another name first, so that a report running at the same
    // time never takes half a header.
    const QString part = kept + QStringLiteral(".%1").arg(QCoreApplication::applicationPid());
    if (header_ && !kept.isEmpty() && QDir().mkpath(keptFolder_) && QFile::copy(header + QStringLiteral(".gch"), part)
        && !QFile::rename(part, kept))
        QFile::remove(part);
}

bool Compiler::makeHeader(const QString &header)
{
    Sandbox::handOver(header);
    const SandboxRun run = Sandbox::run(QStringList{program()} + flags()
                                            + QStringList{QStringLiteral("-x"), QStringLiteral("c++-header"),
                                                          QLatin1String(HeaderName)},
                                        {{headerFolder_, QStringLiteral("/pch"), true}}, {}, compileLimits());
    return run.end == SandboxRun::End::Exited && run.status == 0 && QFile::exists(header + QStringLiteral(".gch"));
}

QString Compiler::compile(const QString &folder, const QByteArray &source) const
{
    QFile f(QDir(folder).filePath(QStringLiteral("prog.cpp")));
    if (!f.open(QIODevice::WriteOnly) || f.write(source) != source.size() || !f.flush())
        return QStringLiteral("програмата не може да се запише за компилиране");
    f.close();
    Sandbox::handOver(folder);
    Sandbox::handOver(f.fileName());
    if (header_) {
        QString said = plainOrHeader(folder, true);
        // A compile stopped for its time would be stopped again.
        if (said.isEmpty() || said == tooLong())
            return said;
    }
    return plainOrHeader(folder, false);
}

QString Compiler::plainOrHeader(const QString &folder, bool withHeader) const
{
    QStringList command{program()};
    command << flags();
    QList<SandboxMount> mounts{{folder, QStringLiteral("/box"), true}};
    if (withHeader) {
        command << QStringLiteral("-include") << QStringLiteral("/pch/%1").arg(QLatin1String(HeaderName));
        mounts.append({headerFolder_, QStringLiteral("/pch"), false});
    }
    command << QStringLiteral("-o") << QStringLiteral("prog") << QStringLiteral("prog.cpp");
    const SandboxRun run = Sandbox::run(command, mounts, {}, compileLimits());
    if (run.end == SandboxRun::End::Exited && run.status == 0)
        return {};
    return firstLines(run.errors, run);
}

} // namespace urok::judge
