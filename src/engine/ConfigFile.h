#pragma once

#include "engine/ConfigRecord.h"

#include <QStringList>

#include <optional>

namespace urok {

class LessonState;
class Prompter;
struct Platform;

// What loading the configuration did, for the parts of it that belong to
// the tasks window (its task list and the caption of "Допълнително").
struct ConfigOutcome
{
    enum class Status { Applied, Missing, WrongSize, ForeignLesson, Unreadable };
    Status status = Status::Missing;
    std::optional<QStringList> taskList;
    std::optional<QString> allTasksCaption;
};

// The name of the lesson's configuration file: the lesson code and ".UFG".
QString configFileName(LessonState &state);

// Applies record `nomer` (1..6) to the lesson's lists; other numbers do nothing.
void Prilozhi_zapis(LessonState &state, const ConfigRecord &record, int nomer,
                    ConfigOutcome &outcome);

// Applies the contents of a configuration file: checks its size and lesson
// code and applies its six records in order. Nothing changes for a file of
// the wrong size; for another lesson's file only the service item that
// receives the file's lesson code changes.
ConfigOutcome applyConfiguration(LessonState &state, const QByteArray &file);

// Loads the lesson's configuration file from the lesson's folder, telling
// the pupil with message 1 (missing, or another lesson's) or 3 (wrong size,
// unreadable). After a failure the lesson runs on its built-in values.
ConfigOutcome Zaredi_konfiguraciq(LessonState &state, Prompter &prompter, const Platform &platform);

} // namespace urok
