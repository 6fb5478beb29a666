#include "engine/Platform.h"

#include "engine/DriveType.h"

#include <QAccessible>
#include <QDir>

namespace urok {

Platform Platform::current()
{
    Platform p;
    p.directory = QDir::currentPath();
    p.driveType = [](const QString &directory) { return Tip_disk(directory); };
    p.folder = LessonFolder::current();
    return p;
}

QString Platform::pathOf(const QString &fileName) const
{
    return QDir(directory).filePath(fileName);
}

bool Platform::screenReaderActive() const
{
    return screenReader ? screenReader() : QAccessible::isActive();
}

int Platform::folderDriveType() const
{
    const QString now = folder.isOpen() ? folder.currentPath() : directory;
    if (!now.isEmpty())
        lastDriveType_ = driveType(now);
    return lastDriveType_;
}

} // namespace urok
