#include "Timetable.h"

#include "TaskTimes.h"
#include "Timing.h"

#include "engine/TaskTiming.h"

namespace urok::setup {

namespace {

QString hintText(const TaskTiming &t)
{
    switch (t.hint) {
    case TaskTiming::Hint::AtOnce: return QStringLiteral("подсказка веднага");
    case TaskTiming::Hint::During: return QStringLiteral("подсказка след %1").arg(minutesSeconds(t.hintAt), 6);
    case TaskTiming::Hint::WithSolution: return QStringLiteral("подсказка чак с решението");
    }
    return {};
}

} // namespace

void printTimetable(const Profile &profile, const LessonFacts &lesson, QTextStream &out)
{
    const int points = qMin(lesson.points(), SlotCount);
    out << QStringLiteral("План (минути:секунди за разглеждане):\n");
    qint64 plan = 0;
    for (int k = 1; k <= points; ++k) {
        const qint64 seconds = pointSeconds(lesson.pointLengths[k - 1], profile.rates[k - 1]);
        plan += seconds;
        out << QStringLiteral("  точка %1: %2 знака, темп %3  ->  %4\n")
                   .arg(k, 2)
                   .arg(lesson.pointLengths[k - 1], 5)
                   .arg(profile.rates[k - 1], 3)
                   .arg(minutesSeconds(seconds), 6);
    }
    out << QStringLiteral("  планът общо: %1\n").arg(minutesSeconds(plan));

    const int offered = qBound(0, profile.tasksOffered, qMin(lesson.tasks, SlotCount));
    out << QStringLiteral("Задачи (предлагат се %1; време и момент на допълнителната подсказка):\n").arg(offered);
    qint64 tasks = 0;
    for (int k = 1; k <= offered; ++k) {
        const int level = profile.levels[k - 1];
        const TaskTiming t = taskTiming(level, profile.budgets[k - 1], profile.hints[k - 1]);
        out << QStringLiteral("  задача %1, ниво %2: ").arg(k, 2).arg(taskLevel(level));
        if (t.expiresAtOnce()) {
            out << QStringLiteral("времето изтича веднага\n");
            continue;
        }
        tasks += t.countdown;
        out << QStringLiteral("%1, %2\n").arg(minutesSeconds(t.countdown), 6).arg(hintText(t));
    }
    out << QStringLiteral("  задачите общо: %1\n").arg(minutesSeconds(tasks));
}

} // namespace urok::setup
