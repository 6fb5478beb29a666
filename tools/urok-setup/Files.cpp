#include "Files.h"

#include "engine/LessonFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace urok::setup {

std::optional<QByteArray> readInput(const QString &path, qint64 limit, QString *why,
                                    const QString &what)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        *why = QStringLiteral("това е папка, а не файл.");
        return std::nullopt;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
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
    if (QFileInfo(path).isSymLink())
        return QStringLiteral("това е символна връзка; изходът не се записва през нея.");
    return writeFileBytes(path, bytes);
}

} // namespace urok::setup
