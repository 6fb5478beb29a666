#include "Timing.h"

#include "engine/TaskTiming.h"

#include <QtGlobal>

namespace urok::setup {

TaskTiming taskTiming(int storedLevel, int budget, int hintTime)
{
    TaskTiming t;
    // The tasks window's own factor.
    t.factor = static_cast<int>(levelFactor(taskLevel(storedLevel)));

    const qint64 f = t.factor;
    t.countdown = f * budget;
    // The hint condition holds for every t above this moment.
    const qint64 moment = (f - 1) * budget + f * hintTime - 1;
    if (t.expiresAtOnce() || moment >= t.countdown) {
        t.hint = TaskTiming::Hint::WithSolution;
    } else if (moment <= 0) {
        t.hint = TaskTiming::Hint::AtOnce;
    } else {
        t.hint = TaskTiming::Hint::During;
        t.hintAt = moment;
    }
    return t;
}

QString minutesSeconds(qint64 seconds)
{
    const QString sign = seconds < 0 ? QStringLiteral("-") : QString();
    const qint64 s = qAbs(seconds);
    return sign + QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace urok::setup
