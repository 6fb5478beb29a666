#include "PupilFiles.h"

#include "Files.h"

#include "engine/AnswersFile.h"
#include "engine/LessonFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace urok::setup {

PupilFiles pupilFiles(const QString &folder, const QString &lessonCode)
{
    PupilFiles files;
    const QDir dir(folder);
    if (!QFileInfo(folder).isDir() || !dir.isReadable()) {
        files.error = QFileInfo::exists(folder) ? QStringLiteral("папката не може да се прочете")
                                                : QStringLiteral("няма такава папка");
        return files;
    }
    const QRegularExpression saved(QStringLiteral("^%1_\\d\\d\\.TXT$").arg(QRegularExpression::escape(lessonCode)),
                                   QRegularExpression::CaseInsensitiveOption);
    const QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                            QDir::Name);
    for (const QString &name : names) {
        QStringList *kind = nullptr;
        if (name.compare(answersFileName(0), Qt::CaseInsensitive) == 0
            || name.compare(answersFileName(1), Qt::CaseInsensitive) == 0)
            kind = &files.answers;
        else if (saved.match(name).hasMatch())
            kind = &files.saved;
        else if (name.compare(pupilRecordName(), Qt::CaseInsensitive) == 0)
            kind = &files.record;
        if (!kind)
            continue;
        const QFileInfo info(dir.filePath(name));
        if (info.isSymLink() || !info.isFile())
            files.notPlain.append(name);
        else
            kind->append(name);
    }
    return files;
}

bool lessonRunsIn(const QString &folder)
{
    const QByteArray lock = QFile::encodeName(QDir(folder).filePath(answersLockName()));
    const int fd = ::open(lock.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st{};
    const bool held = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_SH | LOCK_NB) != 0
                      && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

std::optional<PupilRecord> pupilRecordIn(const QString &folder)
{
    const QString path = QDir(folder).filePath(pupilRecordName());
    if (QFileInfo(path).isSymLink())
        return std::nullopt;
    QString why;
    const std::optional<QByteArray> bytes = readInput(path, PupilRecordLimit, &why);
    return bytes ? readPupilRecord(*bytes) : std::nullopt;
}

QString nameWithLogin(const QString &name, const QString &folder)
{
    const std::optional<PupilRecord> record = pupilRecordIn(folder);
    if (!record || record->login.isEmpty())
        return name;
    return QStringLiteral("%1 (%2)").arg(name, record->login);
}

} // namespace urok::setup
