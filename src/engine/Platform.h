#pragma once

#include <QString>

#include <QtGlobal>

#include <functional>

namespace urok {

// What the lesson asks of the machine it runs on: the folder it runs in
// (where it looks for its configuration file and writes the pupil's files)
// and the kind of disk that folder is on. Tests put their own here.
struct Platform
{
    QString directory;
    // 0 undetermined, 1 removable, 2 fixed, 3 network, 4 optical, 5 RAM disk
    std::function<int(const QString &directory)> driveType;
    // The monotonic clock of the lesson's timers in milliseconds; empty for
    // the real one (tests move their own by hand).
    std::function<qint64()> clock;

    // The process's current directory and the real drive type.
    static Platform current();

    QString pathOf(const QString &fileName) const;
};

} // namespace urok
