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
// in place, the growing part first, so that a full disk leaves it as it was.
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

private:
    struct Handle;
    std::shared_ptr<const Handle> handle_;
};

// The same for a file given by its path: written in the folder the path
// names, by the same rules.
QString writeFileBytes(const QString &path, const QByteArray &bytes);

// What an errno of a failed file operation means, in Bulgarian.
QString failureReason(int error);

} // namespace urok
