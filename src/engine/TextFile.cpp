#include "engine/TextFile.h"

#include "engine/Cp1251.h"
#include "engine/Prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace urok {

namespace {

QString whyNotOpened(const QString &path, const QSaveFile &file)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("Папката „%1“ не съществува.").arg(QDir::toNativeSeparators(info.absolutePath()));
    if (info.isDir())
        return QStringLiteral("На мястото на файла има папка със същото име.");
    if (file.error() == QFileDevice::PermissionsError)
        return QStringLiteral("Няма разрешение за запис в тази папка.");
    return QStringLiteral("Файлът не може да бъде създаден (%1).").arg(file.errorString());
}

} // namespace

QString writeTextFile(const QString &path, const QString &text)
{
    return writeFileBytes(path, toCp1251(text));
}

QString writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::WriteOnly))
        return whyNotOpened(path, file);
    // commit() may report success after a flush that failed, so every step
    // of the writing is checked before the file replaces the old one.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        file.commit();
        return QStringLiteral("Записът прекъсна: дискът може да е пълен или защитен срещу запис.");
    }
    if (!file.commit())
        return QStringLiteral("Записът не завърши: дискът може да е пълен или защитен срещу запис.");
    return {};
}

void reportWriteFailure(Prompter &prompter, const QString &path, const QString &reason)
{
    Message m;
    m.caption = lessonCaption();
    m.icon = Message::Icon::Critical;
    m.buttons = Message::Buttons::Ok;
    m.text = QStringLiteral("Файлът „%1“ не беше записан.\r\n%2")
                 .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
    prompter.ask(m);
}

} // namespace urok
