#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace urok {

// The folder the pupil's files go into, held open from the moment it is
// taken: files are written into the folder itself, wherever it has been
// moved since, never into whatever folder now has its old path.
//
// A file is written under a temporary name in the folder and then renamed
// onto its own name, so it is replaced whole or not at all; a symbolic link
// of that name is replaced by a plain file and nothing outside the folder is
// opened for writing. In a folder where files cannot be created but the
// file itself may be changed (some removable disks), the file is rewritten
// in place, the growing part first, so that a full disk leaves it as it was;
// only a plain file with no other name (hard link) is ever rewritten so. After
// a file has been renamed into place the folder itself is synced, so that the
// new name survives a power cut.
//
// Every file is reached through the folder's descriptor by its name's own
// bytes, whatever bytes the folder's own path holds.
class LessonFolder
{
public:
    // No folder: every write fails.
    LessonFolder() = default;
    // The folder at this path, or no folder when it cannot be opened.
    static LessonFolder open(const QString &path);
    // The process's current directory.
    static LessonFolder current();

    bool isOpen() const { return handle_ != nullptr; }
    // The path the folder had when it was taken.
    QString path() const;
    // Where the folder is now; empty when it no longer exists.
    QString currentPath() const;
    // The name as a path in the folder where it is now (where it was taken,
    // once it has vanished), for the pupil to read.
    QString filePath(const QString &name) const;

    // Writes the file `name` (no folder part) in this folder. Returns an
    // empty text on success, otherwise why not, in Bulgarian, for the pupil.
    QString write(const QString &name, const QByteArray &bytes) const;

    // A plain file of the folder read whole, up to `limit` bytes. `error` is
    // 0 when it was read, ENOENT when there is no such file, EINVAL when the
    // name is not a plain file (a symbolic link, a folder, a device, a FIFO),
    // otherwise the errno of the failed read.
    struct Reading
    {
        QByteArray bytes;
        qint64 size = -1;
        int error = 0;
    };
    Reading read(const QString &name, qint64 limit) const;

    // The kind of disk the folder is on (DriveKind), found from the folder
    // itself, not from its path.
    int driveType() const;

    // Whether this program keeps the answers of the folder. The first call
    // takes a lock on a hidden file of the folder that the system releases
    // when the program ends, however it ends; while one program holds it,
    // another is told HeldElsewhere. Where no lock can be taken (a folder
    // where no file may be created holds no lock file) the answer is Free.
    enum class Claim { Taken, HeldElsewhere, Free };
    Claim claimAnswers() const;

private:
    struct Handle;
    std::shared_ptr<const Handle> handle_;
};

// The same for a file given by its path: written in the folder the path
// names, by the same rules.
QString writeFileBytes(const QString &path, const QByteArray &bytes);

// What an errno of a failed file operation means, in Bulgarian.
QString failureReason(int error);

// The hidden file whose lock tells that a lesson keeps the folder's answers.
inline QString answersLockName()
{
    return QStringLiteral(".urok-lock");
}

} // namespace urok
