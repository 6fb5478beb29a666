#include "engine/DriveType.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/sysmacros.h>
#endif

namespace urok {

namespace {

bool anyOf(const QString &value, std::initializer_list<const char *> names)
{
    for (const char *n : names)
        if (value == QLatin1String(n))
            return true;
    return false;
}

QString readFlag(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll()).trimmed();
}

} // namespace

int classifyDrive(const QString &fileSystemType, const QString &device, const QString &sysfsRoot)
{
    const QString type = fileSystemType.toLower();
    if (anyOf(type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "afs", "ceph", "glusterfs",
                     "fuse.sshfs", "sshfs", "davfs", "fuse.davfs2"}))
        return DriveNetwork;
    if (anyOf(type, {"iso9660", "udf"}))
        return DriveOptical;
    if (anyOf(type, {"tmpfs", "ramfs"}))
        return DriveRam;

    if (!device.startsWith(QLatin1String("/dev/")))
        return type.isEmpty() ? DriveUndetermined : DriveFixed;

    const QString name = device.mid(5);
    if (name.startsWith(QLatin1String("zram")) || name.startsWith(QLatin1String("ram")))
        return DriveRam;
    if (name.startsWith(QLatin1String("sr")))
        return DriveOptical;

    const QString block = sysfsRoot + QStringLiteral("/class/block/") + name;
    if (!QFileInfo::exists(block))
        return DriveFixed;
    // A partition's removable flag is kept by the disk it belongs to.
    QString disk = QFileInfo(block).canonicalFilePath();
    if (disk.isEmpty())
        disk = block;
    if (QFileInfo::exists(disk + QStringLiteral("/partition")))
        disk = QFileInfo(disk).path();
    if (readFlag(disk + QStringLiteral("/removable")) == QLatin1String("1"))
        return DriveRemovable;
    if (disk.contains(QLatin1String("/usb")))
        return DriveRemovable;
    return DriveFixed;
}

int Tip_disk(const QString &directory)
{
#ifdef Q_OS_WIN
    const QString root = QDir::toNativeSeparators(QStorageInfo(directory).rootPath());
    if (root.isEmpty())
        return DriveUndetermined;
    switch (GetDriveTypeW(reinterpret_cast<LPCWSTR>(root.utf16()))) {
    case DRIVE_REMOVABLE: return DriveRemovable;
    case DRIVE_FIXED: return DriveFixed;
    case DRIVE_REMOTE: return DriveNetwork;
    case DRIVE_CDROM: return DriveOptical;
    case DRIVE_RAMDISK: return DriveRam;
    default: return DriveUndetermined;
    }
#else
    const QStorageInfo storage(directory);
    if (!storage.isValid())
        return DriveUndetermined;
    QString device = QString::fromLocal8Bit(storage.device());
    // /dev/mapper/... and /dev/disk/by-... are links to the real device.
    const QString real = QFileInfo(device).canonicalFilePath();
    if (!real.isEmpty())
        device = real;
    return classifyDrive(QString::fromLatin1(storage.fileSystemType()), device);
#endif
}

int Tip_disk_of_device([[maybe_unused]] quint64 device)
{
#ifdef Q_OS_LINUX
    // A line: "36 35 98:0 /root /mount options - type source options".
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (!mounts.open(QIODevice::ReadOnly))
        return DriveUndetermined;
    const QByteArray number =
        QByteArray::number(major(device)) + ':' + QByteArray::number(minor(device));
    const QList<QByteArray> lines = mounts.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 3 || fields[2] != number || dash < 0 || dash + 2 >= fields.size())
            continue;
        QString source = QString::fromLocal8Bit(fields[dash + 2]);
        const QString real = QFileInfo(source).canonicalFilePath();
        if (!real.isEmpty())
            source = real;
        return classifyDrive(QString::fromLatin1(fields[dash + 1]), source);
    }
#endif
    return DriveUndetermined;
}

} // namespace urok
