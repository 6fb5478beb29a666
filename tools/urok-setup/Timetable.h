#pragma once

#include "Profile.h"

#include <QTextStream>

namespace urok::setup {

// The lesson's timetable as a configuration file makes it, in minutes and
// seconds: every plan point's writing time and the plan's total, every
// offered task's countdown and the moment of its additional hint, and the
// tasks' total.
void printTimetable(const Profile &profile, const LessonFacts &lesson, QTextStream &out);

} // namespace urok::setup
