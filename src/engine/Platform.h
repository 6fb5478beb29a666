#pragma once

#include "engine/LessonFolder.h"

#include <QString>

#include <QtGlobal>

#include <functional>

namespace urok {

// What the lesson asks of the machine it runs on: the folder it runs in
// (where it looks for its configuration file and writes the pupil's files)
// and the kind of disk that folder is on. Tests put their own here.
struct Platform
{
    // The folder's path when the lesson started; the configuration file is
    // read from there.
    QString directory;
    // 0 undetermined, 1 removable, 2 fixed, 3 network, 4 optical, 5 RAM disk
    std::function<int(const QString &directory)> driveType;
    // The monotonic clock of the lesson's timers in milliseconds; empty for
    // the real one (tests move their own by hand).
    std::function<qint64()> clock;
    // Whether a screen reader follows the lesson; empty for the real answer
    // (Qt's: an assistive technology is listening).
    std::function<bool()> screenReader;
    // The same folder, held open: the pupil's files are written into it
    // even when it has been moved since.
    LessonFolder folder;

    // The process's current directory and the real drive type.
    static Platform current();

    QString pathOf(const QString &fileName) const;
    bool screenReaderActive() const;

    // The kind of disk that holds the lesson folder where it is now. A
    // folder cannot leave its disk while it is held open, so once it has
    // vanished the disk it was last seen on answers.
    int folderDriveType() const;

private:
    mutable int lastDriveType_ = 0;
};

} // namespace urok
