#include "engine/Platform.h"

#include "engine/DriveType.h"

#include <QAccessible>
#include <QDir>

namespace urok {

Platform Platform::current()
{
    Platform p;
    p.directory = QDir::currentPath();
    p.folder = LessonFolder::current();
    // The folder held open answers, whatever bytes its path has.
    p.driveType = [folder = p.folder](const QString &directory) {
        return folder.isOpen() ? folder.driveType() : Tip_disk(directory);
    };
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
