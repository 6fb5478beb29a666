#pragma once

#include "Profile.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace urok::setup {

// The teacher's day with a class: before the class every machine is
// checked, after it the pupils' files are collected, and before the next
// class each lesson folder is reset. Each command prints what it found in
// Bulgarian and exits with 0 when all is well, 1 otherwise.

// urok-setup check FOLDER: whether a lesson can run in the folder and keep
// the pupil's answers there: the program starts, the kind of disk, the
// folder takes files, the configuration file in it, and the files of a
// pupil left from before.
int checkCommand(const QString &folder, const LessonFacts &lesson, QTextStream &out);

// urok-setup reset FOLDER: moves the pupil's files out of the way of the
// next class, into a new dated folder of the archive in the lesson folder
// ("архив/2026-12-07_09-30-15"). Nothing is deleted or overwritten.
int resetCommand(const QString &folder, const LessonFacts &lesson, QTextStream &out);

// urok-setup collect SOURCE... DEST: copies the pupil's files of each
// lesson folder into DEST/<machine>/, the machine named by the pupil's
// record (the folder's own name when there is none), never overwriting a
// file; one line per folder and what is missing at the end.
int collectCommand(const QStringList &sources, const QString &destination, const LessonFacts &lesson,
                   QTextStream &out);

} // namespace urok::setup
