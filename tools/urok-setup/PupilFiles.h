#pragma once

#include "engine/PupilRecord.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace urok::setup {

// The files a lesson leaves in its folder for the teacher: the answers file
// (OTGOWORI.TXT or OTGOWORS.TXT), the task save files (<CODE>_NN.TXT) and
// the record of whose they are, found by their names in any letter case.
struct PupilFiles
{
    QStringList answers;
    QStringList saved;
    QStringList record;
    QStringList notPlain;   // such names that are links, folders or devices
    QString error;          // why the folder could not be read

    QStringList all() const { return answers + saved + record; }
    bool isEmpty() const { return answers.isEmpty() && saved.isEmpty() && record.isEmpty(); }
};

// The names of the pupil's files right in `folder` (not in its subfolders),
// sorted; only plain files count, links are not followed.
PupilFiles pupilFiles(const QString &folder, const QString &lessonCode);

// Whether a lesson running in `folder` keeps its answers there now (holds
// the lock on its hidden lock file). Makes no file.
bool lessonRunsIn(const QString &folder);

// A pupil's record is a few lines.
constexpr qint64 PupilRecordLimit = 4096;

// The record of whose the files in `folder` are, when there is a readable one.
std::optional<PupilRecord> pupilRecordIn(const QString &folder);

// A pupil's name with the login the record beside the files gives:
// "pc07 (ivan)"; the name alone without one.
QString nameWithLogin(const QString &name, const QString &folder);

} // namespace urok::setup
