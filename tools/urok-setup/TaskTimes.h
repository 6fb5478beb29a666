#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace urok::setup {

// A school lesson lasts 45 minutes.
constexpr qint64 LessonSeconds = qint64(45) * 60;

// A teacher gives times in minutes and seconds ("6:00", "16:40", "0:45");
// the configuration file stores a budget and a hint time that the tasks
// window scales by the task's level, and a rate per plan point. These work
// out the stored values from the times a teacher means.

// The seconds of a time written as minutes:seconds, the seconds two digits
// below 60; nothing for any other text.
std::optional<qint64> parseMinutesSeconds(const QString &text);

// A stored value that gives a wanted time, or, when none gives it exactly,
// the nearest times that can be had (one or two, earlier first).
struct StoredTime
{
    std::optional<qint16> value;
    QList<qint64> nearest;
};

// The budget whose countdown lasts `seconds` for a task of this stored
// level. A countdown of a level-2 task is a multiple of 10 s, of levels 3
// and 4 a multiple of 1000 s (16:40).
StoredTime budgetFor(int storedLevel, qint64 seconds);

// The hint time that brings the additional hint `moment` seconds after the
// start of a task with this level and budget. Levels 2 to 4 give the hint
// at every 10th or 1000th second only.
StoredTime hintFor(int storedLevel, int budget, qint64 moment);

// The whole seconds a plan point of `characters` characters is written for
// with this rate, as the main window counts them (never below 1 second).
qint64 pointSeconds(qint64 characters, int rate);

// True when the rate gives the point less than a second: the lesson would
// count it as a 1-second point, which is not what was written.
bool rateTooLow(qint64 characters, int rate);

// A rate for every plan point, chosen so that the plan takes `total`
// seconds or as near to it as whole rates allow, each point's time in
// proportion to its text (the rates differ by a step at most). Nothing when `total` cannot be had even roughly:
// less than a second for some point, or a rate beyond the 16-bit range.
std::optional<QList<qint16>> planRates(qint64 total, const QList<qint64> &characters);

} // namespace urok::setup
