#include "engine/LessonFolder.h"

#include "engine/DriveType.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace urok {

namespace {

// A size limit of the process, not the disk, refuses a larger file.
bool fileSizeLimited()
{
#ifdef Q_OS_UNIX
    rlimit limit{};
    return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY;
#else
    return false;
#endif
}

QString protectedFile()
{
    return QStringLiteral("Файлът е защитен срещу промяна и не може да бъде заменен.");
}

QString fileWithOtherNames()
{
    return QStringLiteral("Файлът има и други имена (твърди връзки), а в папката не могат да се "
                          "създават нови файлове; той не е променен.");
}

} // namespace

QString failureReason(int error)
{
    switch (error) {
    case EACCES:
        return QStringLiteral("Няма разрешение за запис в тази папка.");
    case EPERM:
        return QStringLiteral("Папката или файлът са защитени срещу промяна.");
    case EROFS:
        return QStringLiteral("Дискът е защитен срещу запис.");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("На диска няма достатъчно място.");
    case EFBIG:
        if (fileSizeLimited())
            return QStringLiteral("Файлът е по-голям, отколкото е разрешено на програмата "
                                  "(ограничение на размера на файловете).");
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
    // The lock that says this program keeps the folder's answers.
    mutable int lockFd = -1;
    mutable bool claimed = false;
    mutable LessonFolder::Claim claim = LessonFolder::Claim::Free;
    ~Handle()
    {
        ::close(fd);
        if (lockFd >= 0)
            ::close(lockFd);
    }
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

// The folder's list of names goes to the disk too, so that a renamed file
// is found under its new name after a power cut. A folder that may not be
// read cannot be synced; the file is written all the same.
int syncFolder(int folder)
{
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const int error = syncFile(fd);
    ::close(fd);
    return error;
}

// The file may be changed but no file may be created beside it: it is
// rewritten in place. The part that grows it is written first, so that a
// full disk or a size limit fails before anything of the old file is
// overwritten; the rest then lands on blocks the file already has.
QString rewriteInPlace(int folder, const QByteArray &name, const QByteArray &bytes)
{
    // Read too, to put the old contents back should the rewrite fail half-way.
    constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::openat(folder, name.constData(), O_RDWR | flags);
    if (fd < 0 && errno == EACCES)
        fd = ::openat(folder, name.constData(), O_WRONLY | flags);
    if (fd < 0)
        return errno == EPERM ? protectedFile() : failureReason(errno);
    struct stat st{};
    QByteArray old;
    int error = ::fstat(fd, &st) == 0 ? 0 : errno;
    // What is rewritten in place must be this folder's own plain file: a
    // file with another name elsewhere would be changed there too.
    if (!error && (!S_ISREG(st.st_mode) || st.st_nlink != 1)) {
        ::close(fd);
        return S_ISREG(st.st_mode) ? fileWithOtherNames() : failureReason(EISDIR);
    }
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
    // The link's own bytes: a path that is not UTF-8 does not survive a
    // round trip through QString.
    QByteArray now(4096, Qt::Uninitialized);
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(handle_->fd);
    const ssize_t n = ::readlink(link.constData(), now.data(), size_t(now.size()));
    if (n > 0 && n < now.size())
        now.truncate(n);
    else
        now = QFile::encodeName(handle_->path);
    struct stat there{};
    if (::stat(now.constData(), &there) != 0 || there.st_dev != held.st_dev
        || there.st_ino != held.st_ino)
        return {};
    return QFile::decodeName(now);
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
        if (error == EPERM)
            return QStringLiteral("Папката е защитена срещу промяна: в нея не могат да се "
                                  "създават файлове.");
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
        return error == EPERM ? protectedFile() : failureReason(error);
    }
    error = syncFolder(folder);
    return error ? failureReason(error) : QString();
}

LessonFolder::Reading LessonFolder::read(const QString &name, qint64 limit) const
{
    Reading r;
    if (!handle_ || !goodName(name)) {
        r.error = ENOENT;
        return r;
    }
    const QByteArray target = QFile::encodeName(name);
    // Only a plain file is opened at all: opening a device or a FIFO may
    // block or do something.
    struct stat st{};
    if (::fstatat(handle_->fd, target.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        r.error = errno;
        return r;
    }
    const int fd = S_ISREG(st.st_mode)
                       ? ::openat(handle_->fd, target.constData(),
                                  O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)
                       : -1;
    if (fd < 0) {
        r.error = S_ISREG(st.st_mode) ? errno : EINVAL;
        return r;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        r.error = EINVAL;
    } else {
        r.size = st.st_size;
        r.bytes.resize(qsizetype(qMin<qint64>(limit, st.st_size)));
        qsizetype done = 0;
        while (done < r.bytes.size() && !r.error) {
            const ssize_t n = ::pread(fd, r.bytes.data() + done, size_t(r.bytes.size() - done), done);
            if (n > 0)
                done += n;
            else if (n == 0)
                break;
            else if (errno != EINTR)
                r.error = errno;
        }
        r.bytes.resize(done);
    }
    ::close(fd);
    return r;
}

int LessonFolder::driveType() const
{
    struct stat st{};
    if (!handle_ || ::fstat(handle_->fd, &st) != 0)
        return DriveUndetermined;
    return Tip_disk_of_device(quint64(st.st_dev));
}

LessonFolder::Claim LessonFolder::claimAnswers() const
{
    if (!handle_)
        return Claim::Free;
    if (handle_->claimed)
        return handle_->claim;
    const QByteArray name = QFile::encodeName(answersLockName());
    constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::openat(handle_->fd, name.constData(), O_RDWR | O_CREAT | flags, 0666);
    // A lock file another user made may be locked through reading alone.
    if (fd < 0)
        fd = ::openat(handle_->fd, name.constData(), O_RDONLY | flags);
    struct stat st{};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    Claim claim = Claim::Free;
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        handle_->lockFd = fd;
        claim = Claim::Taken;
    } else if (fd >= 0) {
        claim = errno == EWOULDBLOCK ? Claim::HeldElsewhere : Claim::Free;
        ::close(fd);
    }
    // Asked again, a program that was refused stays refused: the folder's
    // answers are the first program's even after it has ended.
    handle_->claimed = true;
    handle_->claim = claim;
    return claim;
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

LessonFolder::Reading LessonFolder::read(const QString &name, qint64 limit) const
{
    Reading r;
    const QFileInfo info(filePath(name));
    QFile file(info.filePath());
    if (!info.exists()) {
        r.error = ENOENT;
    } else if (!info.isFile() || info.isSymLink()) {
        r.error = EINVAL;
    } else if (!file.open(QIODevice::ReadOnly)) {
        r.error = EACCES;
    } else {
        r.size = file.size();
        r.bytes = file.read(limit);
    }
    return r;
}

int LessonFolder::driveType() const
{
    return handle_ ? Tip_disk(handle_->path) : DriveUndetermined;
}

LessonFolder::Claim LessonFolder::claimAnswers() const
{
    return Claim::Free;
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
