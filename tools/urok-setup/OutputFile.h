#pragma once

#include "ClassFolders.h"

#include <QSaveFile>
#include <QString>

namespace urok::setup {

// Why the report may not write the file at `path`, or an empty text when it
// may: it never writes through a symbolic link, over anything that is not a
// plain file, onto one of its inputs or into a folder that is not there, and
// it replaces an existing file only when `mayReplace` (the teacher named it
// or asked with --force).
QString outputRefusal(const QString &path, bool mayReplace, const Inputs &inputs);

// An output file written as it is made: into a new file beside its place,
// which takes the place whole when it is finished, or is removed.
class OutputFile
{
public:
    explicit OutputFile(const QString &path);

    // The device to write to; a failure shows at finish().
    QIODevice &device() { return file_; }

    // Puts the file in its place. Returns an empty text on success,
    // otherwise the reason in Bulgarian (the older file stays as it was).
    QString finish();

private:
    QSaveFile file_;
    QString openError_;
};

} // namespace urok::setup
