#include "Classroom.h"

#include "Commands.h"
#include "PupilFiles.h"

#include "engine/LessonFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace urok::setup {

namespace {

const QString ArchiveName = QStringLiteral("архив");

// Moves a file onto a name that must not exist yet; never replaces one.
// Returns an empty text on success, otherwise why not.
QString moveWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray a = QFile::encodeName(from);
    const QByteArray b = QFile::encodeName(to);
#ifdef Q_OS_LINUX
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS)
        return failureReason(errno);
#endif
    // A disk that cannot tell: the new folder is empty, so nothing is there.
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return failureReason(EEXIST);
    return std::rename(a.constData(), b.constData()) == 0 ? QString() : failureReason(errno);
}

// A new folder of the archive, named by the time; an empty text when
// there is none.
QString newArchiveFolder(const QDir &lesson, QString *why)
{
    const QString archive = lesson.filePath(ArchiveName);
    const QFileInfo info(archive);
    if (info.isSymLink() || (info.exists() && !info.isDir())) {
        *why = QStringLiteral("%1 не е папка").arg(ArchiveName);
        return {};
    }
    if (!info.exists() && !lesson.mkdir(ArchiveName)) {
        *why = QStringLiteral("папката %1 не може да бъде създадена").arg(ArchiveName);
        return {};
    }
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    for (int n = 1; n < 100; ++n) {
        const QString name = n == 1 ? stamp : QStringLiteral("%1 (%2)").arg(stamp).arg(n);
        if (QDir(archive).mkdir(name))
            return ArchiveName + u'/' + name;
    }
    *why = QStringLiteral("в %1 не може да бъде създадена папка").arg(ArchiveName);
    return {};
}

} // namespace

int resetCommand(const QString &folder, const LessonFacts &lesson, QTextStream &out)
{
    const PupilFiles files = pupilFiles(folder, lesson.code);
    out << QStringLiteral("Папка на урока: %1\n").arg(QDir::toNativeSeparators(folder));
    if (!files.error.isEmpty()) {
        out << QStringLiteral("  %1\n").arg(files.error);
        return ExitFailed;
    }
    if (lessonRunsIn(folder)) {
        out << QStringLiteral("  урокът е отворен в тази папка и пише в нея; нищо не е преместено. "
                              "Затворете урока и опитайте отново.\n");
        return ExitFailed;
    }
    for (const QString &name : files.notPlain)
        out << QStringLiteral("  %1 не е обикновен файл и остава, където е\n").arg(name);
    if (files.isEmpty()) {
        out << QStringLiteral("Няма файлове на ученик; папката е готова за следващия час.\n");
        return files.notPlain.isEmpty() ? ExitOk : ExitFailed;
    }
    const QDir lessonDir(folder);
    QString why;
    const QString archive = newArchiveFolder(lessonDir, &why);
    if (archive.isEmpty()) {
        out << QStringLiteral("  нищо не е преместено: %1\n").arg(why);
        return ExitFailed;
    }
    int moved = 0;
    for (const QString &name : files.all()) {
        const QString failure = moveWithoutReplacing(lessonDir.filePath(name), lessonDir.filePath(archive + u'/' + name));
        if (failure.isEmpty())
            ++moved;
        out << QStringLiteral("  %1 -> %2/%1%3\n")
                   .arg(name, archive, failure.isEmpty() ? QString() : QStringLiteral(": НЕ е преместен (%1)").arg(failure));
    }
    const qsizetype all = files.all().size();
    out << QStringLiteral("Преместени са %1 от %2 файла в %3.\n").arg(moved).arg(all).arg(archive);
    return moved == all && files.notPlain.isEmpty() ? ExitOk : ExitFailed;
}

} // namespace urok::setup
