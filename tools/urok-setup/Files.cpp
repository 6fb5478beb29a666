#include "Files.h"

#include "engine/LessonFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace urok::setup {

namespace {

QString notPlain(const QString &what)
{
    return QStringLiteral("%1 не е обикновен файл (а устройство, FIFO или гнездо) и не се "
                          "чете.").arg(what);
}

} // namespace

std::optional<QByteArray> readInput(const QString &path, qint64 limit, QString *why,
                                    const QString &what)
{
    QFile f(path);
#ifdef Q_OS_UNIX
    // Opened without waiting (a FIFO with no writer would wait for ever) and
    // checked on what was opened, not on the name.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *why = QStringLiteral("%1 не може да се прочете (%2).")
                   .arg(what, QString::fromLocal8Bit(std::strerror(errno)));
        return std::nullopt;
    }
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        *why = folder ? QStringLiteral("това е папка, а не файл.") : notPlain(what);
        return std::nullopt;
    }
    // Reading waits for the disk again, as reading a file does.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool opened = f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
#else
    if (QFileInfo(path).isDir()) {
        *why = QStringLiteral("това е папка, а не файл.");
        return std::nullopt;
    }
    const bool opened = f.open(QIODevice::ReadOnly);
#endif
    if (!opened) {
        *why = QStringLiteral("%1 не може да се прочете (%2).").arg(what, f.errorString());
        return std::nullopt;
    }
    // One byte more than the limit tells a file that is too long, whatever
    // its size claims to be.
    QByteArray bytes = f.read(limit + 1);
    if (f.error() != QFileDevice::NoError) {
        *why = QStringLiteral("%1 не може да се прочете (%2).").arg(what, f.errorString());
        return std::nullopt;
    }
    if (bytes.size() > limit) {
        *why = QStringLiteral("%1 е по-голям от %2 и не се чете.")
                   .arg(what, QLocale(QLocale::Bulgarian).formattedDataSize(limit, 0));
        return std::nullopt;
    }
    return bytes;
}

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (!fa.exists() || !fb.exists())
        return false;
    if (fa.canonicalFilePath() == fb.canonicalFilePath())
        return true;
#ifdef Q_OS_UNIX
    struct stat sa {};
    struct stat sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0
           && ::stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev
           && sa.st_ino == sb.st_ino;
#else
    return false;
#endif
}

QString writeOutput(const QString &path, const QByteArray &bytes, const QStringList &inputs)
{
    for (const QString &input : inputs)
        if (sameFile(path, input))
            return QStringLiteral("това е входен файл; изходът не се записва върху него.");
    const QFileInfo info(path);
    if (info.isSymLink())
        return QStringLiteral("това е символна връзка; изходът не се записва през нея.");
    // A device, a FIFO or a folder of that name stays what it is.
    if (info.exists() && !info.isFile())
        return QStringLiteral("това не е обикновен файл (а устройство, FIFO, гнездо или папка); "
                              "изходът не се записва на негово място.");
    return writeFileBytes(path, bytes);
}

} // namespace urok::setup
