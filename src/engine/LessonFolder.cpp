#include "engine/LessonFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace urok {

QString failureReason(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Няма разрешение за запис в тази папка.");
    case EROFS:
        return QStringLiteral("Дискът е защитен срещу запис.");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("На диска няма достатъчно място.");
    case EFBIG:
        return QStringLiteral("Файлът е по-голям, отколкото този диск позволява.");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Папката на урока вече не съществува (преместена или изтрита е, "
                              "или дискът е изваден).");
    case EISDIR:
        return QStringLiteral("На мястото на файла има папка със същото име.");
    case ELOOP:
        return QStringLiteral("На мястото на файла има символна връзка, а в папката не могат да "
                              "се създават нови файлове.");
    case EIO:
        return QStringLiteral("Дискът не отговаря (може да е изваден).");
    case EINVAL:
    case ENAMETOOLONG:
        return QStringLiteral("Името на файла не е допустимо на този диск.");
    default:
        return QStringLiteral("Записът не успя (грешка номер %1).").arg(error);
    }
}

#ifdef Q_OS_UNIX

struct LessonFolder::Handle
{
    int fd = -1;
    QString path;
    ~Handle() { ::close(fd); }
};

namespace {

// O_PATH opens a folder that may be entered but not listed.
#ifdef O_PATH
constexpr int folderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

bool goodName(const QString &name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/');
}

// 0, or the errno of the write that failed.
int writeAllAt(int fd, const QByteArray &bytes, off_t offset)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done),
                                   offset + off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        done += n;
    }
    return 0;
}

int syncFile(int fd)
{
    // Some file systems cannot sync at all; that is no failure of the write.
    return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP ? 0 : errno;
}

// The file may be changed but no file may be created beside it: it is
// rewritten in place. The part that grows it is written first, so that a
// full disk or a size limit fails before anything of the old file is
// overwritten; the rest then lands on blocks the file already has.
QString rewriteInPlace(int folder, const QByteArray &name, const QByteArray &bytes)
{
    // Read too, to put the old contents back should the rewrite fail half-way.
    int fd = ::openat(folder, name.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == EACCES)
        fd = ::openat(folder, name.constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return failureReason(errno);
    struct stat st{};
    QByteArray old;
    int error = ::fstat(fd, &st) == 0 ? 0 : errno;
    if (!error && st.st_size < qint64(64) * 1024 * 1024) {
        old.resize(qsizetype(st.st_size));
        const ssize_t n = ::pread(fd, old.data(), size_t(old.size()), 0);
        old.resize(n < 0 ? 0 : qsizetype(n));
    }
    const off_t oldSize = st.st_size;
    // Best effort: nothing more can be done when this fails too.
    const auto cutBack = [&] { return ::ftruncate(fd, oldSize) == 0; };
    const auto putBack = [&] { return writeAllAt(fd, old, 0) == 0 && cutBack(); };
    if (!error && bytes.size() > oldSize) {
        error = writeAllAt(fd, bytes.mid(qsizetype(oldSize)), oldSize);
        if (error)
            cutBack();
    }
    if (!error) {
        error = writeAllAt(fd, bytes.left(qsizetype(qMin<off_t>(bytes.size(), oldSize))), 0);
        if (error)
            putBack();
        else if (bytes.size() < oldSize && ::ftruncate(fd, off_t(bytes.size())) != 0)
            error = errno;
    }
    if (!error)
        error = syncFile(fd);
    if (::close(fd) != 0 && !error && errno != EINTR)
        error = errno;
    return error ? failureReason(error) : QString();
}

} // namespace

LessonFolder LessonFolder::open(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), folderFlags);
    if (fd < 0)
        return {};
    auto handle = std::make_shared<Handle>();
    handle->fd = fd;
    handle->path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    LessonFolder folder;
    folder.handle_ = std::move(handle);
    return folder;
}

LessonFolder LessonFolder::current()
{
    const QString path = QDir::currentPath();
    const int fd = ::open(".", folderFlags);
    if (fd < 0)
        return {};
    auto handle = std::make_shared<Handle>();
    handle->fd = fd;
    handle->path = path;
    LessonFolder folder;
    folder.handle_ = std::move(handle);
    return folder;
}

QString LessonFolder::currentPath() const
{
    if (!handle_)
        return {};
    struct stat held{};
    if (::fstat(handle_->fd, &held) != 0 || held.st_nlink == 0)
        return {};
    const QString link = QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(handle_->fd));
    QString now = link.isEmpty() ? handle_->path : link;
    struct stat there{};
    if (::stat(QFile::encodeName(now).constData(), &there) != 0 || there.st_dev != held.st_dev
        || there.st_ino != held.st_ino)
        return {};
    return now;
}

QString LessonFolder::write(const QString &name, const QByteArray &bytes) const
{
    if (!handle_)
        return QStringLiteral("Папката на урока не може да бъде отворена.");
    if (!goodName(name))
        return failureReason(EINVAL);
    const int folder = handle_->fd;
    struct stat st{};
    if (::fstat(folder, &st) != 0 || st.st_nlink == 0)
        return failureReason(ENOENT);
    const QByteArray target = QFile::encodeName(name);
    struct stat old{};
    const bool exists = ::fstatat(folder, target.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return failureReason(EISDIR);

    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = '.' + target + '.'
                    + QByteArray::number(QRandomGenerator::global()->bounded(1 << 30), 36);
        fd = ::openat(folder, temporary.constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        const int error = errno;
        if ((error == EACCES || error == EPERM) && exists && S_ISREG(old.st_mode))
            return rewriteInPlace(folder, target, bytes);
        return failureReason(error);
    }
    int error = writeAllAt(fd, bytes, 0);
    if (!error)
        error = syncFile(fd);
    // A file that was there keeps its permissions.
    if (!error && exists && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    if (::close(fd) != 0 && !error && errno != EINTR)
        error = errno;
    if (!error && ::renameat(folder, temporary.constData(), folder, target.constData()) != 0)
        error = errno;
    if (error) {
        ::unlinkat(folder, temporary.constData(), 0);
        return failureReason(error);
    }
    return {};
}

QString writeFileBytes(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    const LessonFolder folder = LessonFolder::open(info.absolutePath());
    if (!folder.isOpen()) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return QStringLiteral("Папката „%1“ не съществува.")
                .arg(QDir::toNativeSeparators(info.absolutePath()));
        return failureReason(error);
    }
    return folder.write(info.fileName(), bytes);
}

#else // Systems without folder handles write by path.

struct LessonFolder::Handle
{
    QString path;
};

LessonFolder LessonFolder::open(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return {};
    LessonFolder folder;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    folder.handle_ = std::make_shared<Handle>(Handle{absolute});
    return folder;
}

LessonFolder LessonFolder::current()
{
    return open(QDir::currentPath());
}

QString LessonFolder::currentPath() const
{
    return handle_ && QFileInfo(handle_->path).isDir() ? handle_->path : QString();
}

QString LessonFolder::write(const QString &name, const QByteArray &bytes) const
{
    if (!handle_)
        return QStringLiteral("Папката на урока не може да бъде отворена.");
    if (currentPath().isEmpty())
        return failureReason(ENOENT);
    const QString path = filePath(name);
    if (QFileInfo(path).isDir())
        return failureReason(EISDIR);
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return failureReason(EACCES);
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        file.commit();
        return failureReason(ENOSPC);
    }
    return file.commit() ? QString() : failureReason(ENOSPC);
}

QString writeFileBytes(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    const LessonFolder folder = LessonFolder::open(info.absolutePath());
    if (!folder.isOpen())
        return QStringLiteral("Папката „%1“ не съществува.")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    return folder.write(info.fileName(), bytes);
}

#endif

QString LessonFolder::path() const
{
    return handle_ ? handle_->path : QString();
}

QString LessonFolder::filePath(const QString &name) const
{
    const QString now = currentPath();
    return QDir(now.isEmpty() ? path() : now).filePath(name);
}

} // namespace urok
