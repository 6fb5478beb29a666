#pragma once

#include <QString>

namespace urok {

// The kind of disk that holds a folder.
enum DriveKind {
    DriveUndetermined = 0,
    DriveRemovable = 1,
    DriveFixed = 2,
    DriveNetwork = 3,
    DriveOptical = 4,
    DriveRam = 5,
};

// Classifies a Linux mount from its file-system type and its device, with
// the block devices described under `sysfsRoot` (normally "/sys"): network
// and optical file systems and RAM disks by their type, then removable
// block devices (the removable flag of the disk, or a disk on USB), optical
// drives (sr*), and every other local disk as fixed.
int classifyDrive(const QString &fileSystemType, const QString &device,
                  const QString &sysfsRoot = QStringLiteral("/sys"));

// The kind of disk that holds `directory` on this machine.
int Tip_disk(const QString &directory);

// The kind of disk whose file system has this device number (a file's
// st_dev), looked up among the mounts (Linux /proc/self/mountinfo).
int Tip_disk_of_device(quint64 device);

} // namespace urok
