#include "engine/Platform.h"

#include "engine/DriveType.h"

#include <QDir>

namespace urok {

Platform Platform::current()
{
    return Platform{QDir::currentPath(), [](const QString &directory) {
                        return Tip_disk(directory);
                    },
                    {}};
}

QString Platform::pathOf(const QString &fileName) const
{
    return QDir(directory).filePath(fileName);
}

} // namespace urok
