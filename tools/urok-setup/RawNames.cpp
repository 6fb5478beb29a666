#include "RawNames.h"

#include <QLocale>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace urok::setup {

namespace {

int cyrillicLetters(const QString &text)
{
    int n = 0;
    for (const QChar c : text)
        n += c.unicode() >= 0x400 && c.unicode() <= 0x45F && c.isLetter();
    return n;
}

// Every character outside ASCII is a Cyrillic letter.
bool plainCyrillic(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80 && !(c.unicode() >= 0x400 && c.unicode() <= 0x45F && c.isLetter()))
            return false;
    return true;
}

QString decoded(const char *codePage, const QByteArray &bytes)
{
    QStringDecoder decoder(codePage);
    return decoder.isValid() ? QString(decoder.decode(bytes)) : QString();
}

} // namespace

QString shownName(const QByteArray &name, QString *codePage)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(name);
    if (!utf8.hasError()) {
        if (codePage)
            codePage->clear();
        return text;
    }
    text = decoded("windows-1251", name);
    QString page = QStringLiteral("Windows-1251");
    const QString dos = decoded("IBM866", name);
    if (!plainCyrillic(text) && plainCyrillic(dos) && cyrillicLetters(dos) > cyrillicLetters(text)) {
        text = dos;
        page = QStringLiteral("CP866");
    }
    if (text.isEmpty())
        text = QString::fromLatin1(name.toPercentEncoding());
    if (codePage)
        *codePage = page;
    return text;
}

QString shownPath(const QByteArray &path)
{
    QStringList parts;
    for (const QByteArray &part : path.split('/'))
        parts.append(shownName(part));
    return parts.join(u'/');
}

QByteArray lastPart(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

QByteArray folderPart(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray absolutePath(const QByteArray &path)
{
    QByteArray whole = path;
    if (!whole.startsWith('/')) {
        QByteArray here(4096, '\0');
        while (::getcwd(here.data(), size_t(here.size())) == nullptr && errno == ERANGE)
            here.resize(here.size() * 2);
        whole = QByteArray(here.constData()) + '/' + whole;
    }
    QList<QByteArray> parts;
    for (const QByteArray &part : whole.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    QByteArray clean;
    for (const QByteArray &part : parts)
        clean += '/' + part;
    return clean.isEmpty() ? QByteArrayLiteral("/") : clean;
}

std::optional<QByteArray> readPlainFile(const QByteArray &path, qint64 limit, QString *why)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        *why = error == ELOOP ? QStringLiteral("това е символна връзка; не е последвана")
                              : QStringLiteral("файлът не може да се прочете (%1)")
                                    .arg(QString::fromLocal8Bit(std::strerror(error)));
        return std::nullopt;
    }
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        *why = S_ISDIR(st.st_mode) ? QStringLiteral("това е папка, а не файл")
                                   : QStringLiteral("това не е обикновен файл; не е четен");
        return std::nullopt;
    }
    // One byte more than the limit tells a file that is too long, whatever
    // its size claims to be.
    QByteArray bytes(qsizetype(qMin<qint64>(st.st_size, limit) + 1), '\0');
    qsizetype done = 0;
    int error = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = errno;
        if (n <= 0)
            break;
        done += n;
        if (done == bytes.size() && done <= limit)
            bytes.resize(qMin<qsizetype>(qsizetype(limit) + 1, bytes.size() * 2));
    }
    ::close(fd);
    if (error) {
        *why = QStringLiteral("файлът не може да се прочете (%1)")
                   .arg(QString::fromLocal8Bit(std::strerror(error)));
        return std::nullopt;
    }
    bytes.truncate(done);
    if (bytes.size() > limit) {
        *why = QStringLiteral("файлът е по-голям от %1 и не се чете")
                   .arg(QLocale(QLocale::Bulgarian).formattedDataSize(limit, 0));
        return std::nullopt;
    }
    return bytes;
}

} // namespace urok::setup
