#include "OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace urok::setup {

QString outputRefusal(const QString &path, bool mayReplace, const Inputs &inputs)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("папката %1 не съществува").arg(QDir::toNativeSeparators(info.absolutePath()));
    struct stat st{};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("това е символна връзка; отчетът не се записва през нея");
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("това не е обикновен файл (а папка, канал или устройство); не се заменя");
    if (inputs.contains({quint64(st.st_dev), quint64(st.st_ino)}))
        return QStringLiteral("това е входен файл на отчета; не се записва върху него");
    if (!mayReplace)
        return QStringLiteral("файлът вече съществува и не е заменен; дайте името му с -o или --csv "
                              "или добавете --force, за да бъде заменен");
    return {};
}

OutputFile::OutputFile(const QString &path) : file_(path)
{
    if (!file_.open(QIODevice::WriteOnly))
        openError_ = file_.errorString();
}

QString OutputFile::finish()
{
    if (!openError_.isEmpty())
        return QStringLiteral("файлът не може да се създаде (%1)").arg(openError_);
    // A write that failed on the way, or in the last flush, leaves the
    // older file as it was (commit() alone may miss a full disk).
    if (!file_.flush() || file_.error() != QFileDevice::NoError) {
        file_.cancelWriting();
        file_.commit();
        return QStringLiteral("записът не успя (дискът може да е пълен)");
    }
    if (!file_.commit())
        return QStringLiteral("записът не успя (%1)").arg(file_.errorString());
    return {};
}

} // namespace urok::setup
