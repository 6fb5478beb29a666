#pragma once

#include "engine/OptionTable.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace urok::setup {

// A configuration file holds 40 tasks and 40 plan points; the options are
// those of the lesson's option table.
constexpr int SlotCount = ConfigValueCount;

// What the tool knows of the lesson it configures.
struct LessonFacts
{
    QString code;                 // the lesson code the program expects
    int tasks = 0;                // tasks the lesson has
    QList<qint64> pointLengths;   // characters of the text of each plan point

    int points() const { return static_cast<int>(pointLengths.size()); }

    // The lesson built into the program.
    static LessonFacts builtIn();
};

// Everything a configuration file says, as numbers. Index i of an array is
// option, task or plan point i + 1.
struct Profile
{
    QString lesson;
    qint32 version = 0;        // version x 100
    qint32 date = 0;           // e.g. 20261206
    qint32 tasksOffered = 0;
    qint32 tasksListed = 0;
    std::array<qint16, OptionCount> options{};
    std::array<qint16, SlotCount> levels{};
    std::array<qint16, SlotCount> budgets{};
    std::array<qint16, SlotCount> hints{};
    std::array<qint16, SlotCount> rates{};

    bool operator==(const Profile &) const = default;
};

// A remark about a profile; line 0 means the profile as a whole.
struct Problem
{
    int line = 0;
    QString message;
};

struct ProfileReading
{
    std::optional<Profile> profile;   // present only when there is no error
    QList<Problem> errors;
    QList<Problem> warnings;
};

// Reads the text of a profile (the format is in docs/configuration-file.md).
// Tasks 1..lesson.tasks and plan points 1..lesson.points() must have all
// their values; whatever else is left out is 0.
ProfileReading readProfile(const QString &text, const LessonFacts &lesson);

} // namespace urok::setup
