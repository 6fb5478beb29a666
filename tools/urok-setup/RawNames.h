#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace urok::setup {

// A name of the file system as the teacher reads it. A name in UTF-8 is
// itself; a name in other bytes (unpacked from an archive made on Windows)
// is read as Windows-1251 or, when that gives no Cyrillic word but the DOS
// code page 866 does, as 866; `codePage` then names the code page used.
QString shownName(const QByteArray &name, QString *codePage = nullptr);

// The same for a whole path, part by part.
QString shownPath(const QByteArray &path);

// The last part of a path, and the path without it ("." for none).
QByteArray lastPart(const QByteArray &path);
QByteArray folderPart(const QByteArray &path);

// The path as an absolute, clean path of bytes (no "." or ".." parts, no
// doubled separators); relative paths are taken from the current folder.
QByteArray absolutePath(const QByteArray &path);

// Reads a whole regular file of at most `limit` bytes by its bytes, never
// through a symbolic link and never waiting on a pipe or a device. Gives no
// bytes and, in `why`, the reason in Bulgarian otherwise.
std::optional<QByteArray> readPlainFile(const QByteArray &path, qint64 limit, QString *why);

} // namespace urok::setup
