#include "engine/DriveType.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace urok;

namespace {

// A fake /sys with one block device (and its partitions).
void addDisk(const QString &sys, const QString &path, const QString &name, bool removable,
             const QStringList &partitions = {})
{
    const QString disk = sys + QStringLiteral("/devices/") + path + u'/' + name;
    QDir().mkpath(disk);
    QFile flag(disk + QStringLiteral("/removable"));
    QVERIFY(flag.open(QIODevice::WriteOnly));
    flag.write(removable ? "1\n" : "0\n");
    QDir().mkpath(sys + QStringLiteral("/class/block"));
    QFile::link(disk, sys + QStringLiteral("/class/block/") + name);
    for (const QString &p : partitions) {
        QDir().mkpath(disk + u'/' + p);
        QFile mark(disk + u'/' + p + QStringLiteral("/partition"));
        QVERIFY(mark.open(QIODevice::WriteOnly));
        QFile::link(disk + u'/' + p, sys + QStringLiteral("/class/block/") + p);
    }
}

} // namespace

class DriveTypeTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileSystemsDecideFirst_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("kind");
        for (const char *t : {"nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "afs", "ceph",
                              "glusterfs", "fuse.sshfs"})
            QTest::newRow(t) << QString::fromLatin1(t) << int(DriveNetwork);
        QTest::newRow("iso9660") << "iso9660" << int(DriveOptical);
        QTest::newRow("udf") << "udf" << int(DriveOptical);
        QTest::newRow("tmpfs") << "tmpfs" << int(DriveRam);
        QTest::newRow("ramfs") << "ramfs" << int(DriveRam);
    }
    void fileSystemsDecideFirst()
    {
        QFETCH(QString, type);
        QFETCH(int, kind);
        QCOMPARE(classifyDrive(type, QStringLiteral("/dev/sda1"), QStringLiteral("/nonexistent")), kind);
    }

    void blockDevicesDecideTheRest()
    {
        QTemporaryDir dir;
        const QString sys = dir.path();
        addDisk(sys, QStringLiteral("pci0000:00/0000:00:04.0/virtio1/block"), QStringLiteral("vda"),
                false, {QStringLiteral("vda1")});
        addDisk(sys, QStringLiteral("pci0000:00/0000:00:14.0/usb2/2-1/host6/target6:0:0/6:0:0:0/block"),
                QStringLiteral("sdb"), false, {QStringLiteral("sdb1")});
        addDisk(sys, QStringLiteral("platform/mmc/block"), QStringLiteral("mmcblk0"), true,
                {QStringLiteral("mmcblk0p1")});

        QCOMPARE(classifyDrive(QStringLiteral("ext4"), QStringLiteral("/dev/vda1"), sys), int(DriveFixed));
        QCOMPARE(classifyDrive(QStringLiteral("ext4"), QStringLiteral("/dev/vda"), sys), int(DriveFixed));
        // A stick on USB that does not call itself removable.
        QCOMPARE(classifyDrive(QStringLiteral("vfat"), QStringLiteral("/dev/sdb1"), sys), int(DriveRemovable));
        // A card whose disk is flagged removable; the partition has no flag of its own.
        QCOMPARE(classifyDrive(QStringLiteral("vfat"), QStringLiteral("/dev/mmcblk0p1"), sys), int(DriveRemovable));
        QCOMPARE(classifyDrive(QStringLiteral("iso9660"), QStringLiteral("/dev/sr0"), sys), int(DriveOptical));
        QCOMPARE(classifyDrive(QStringLiteral("udf"), QStringLiteral("/dev/sr0"), sys), int(DriveOptical));
        QCOMPARE(classifyDrive(QStringLiteral("ext4"), QStringLiteral("/dev/zram0"), sys), int(DriveRam));
        // Unknown to sysfs, or not a device at all: a local disk.
        QCOMPARE(classifyDrive(QStringLiteral("ext4"), QStringLiteral("/dev/nvme9n1p2"), sys), int(DriveFixed));
        QCOMPARE(classifyDrive(QStringLiteral("overlay"), QStringLiteral("overlay"), sys), int(DriveFixed));
        QCOMPARE(classifyDrive(QString(), QString(), sys), int(DriveUndetermined));
    }

    void thisMachineHasAnAnswer()
    {
        const int kind = Tip_disk(QDir::currentPath());
        QVERIFY(kind >= DriveUndetermined && kind <= DriveRam);
        QCOMPARE(Tip_disk(QStringLiteral("/nonexistent/folder")), int(DriveUndetermined));
    }
};

QTEST_GUILESS_MAIN(DriveTypeTest)
#include "test_drive_type.moc"
