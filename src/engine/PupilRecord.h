#pragma once

#include "engine/LessonFolder.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace urok {

// Thirty answers files of a class have the same name and nothing in them
// says whose they are. Whenever the lesson writes the answers file it
// writes beside it this small hidden record of who wrote it, on which
// machine, and when the lesson started and when the answers were written.
struct PupilRecord
{
    QString login;       // the user's login name
    QString machine;     // the machine's host name
    QDateTime started;   // when the lesson started
    QDateTime written;   // when the answers file was last written

    // The record of this run of the lesson, written now.
    static PupilRecord ofThisRun();
};

// The record's file name in the lesson folder.
inline QString pupilRecordName()
{
    return QStringLiteral(".UCHENIK.TXT");
}

// The record as the file holds it: four lines "Потребител: ", "Компютър: ",
// "Начало: ", "Край: ", times as "2026-12-07 08:30:12 +02:00", in
// Windows-1251 with CR LF line ends.
QByteArray pupilRecordBytes(const PupilRecord &record);

// A record read back; nothing when the bytes are not one (a login or a
// machine name may be missing).
std::optional<PupilRecord> readPupilRecord(const QByteArray &bytes);

// Writes this run's record into the lesson folder. Returns an empty text
// on success, otherwise why not.
QString writePupilRecord(const LessonFolder &folder);

} // namespace urok
