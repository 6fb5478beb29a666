#pragma once

#include <QString>

namespace urok::setup {

// How the tasks window times a task of level L with budget B and hint time H
// (the formulas are in docs/configuration-file.md). The countdown starts at
// f*B seconds, f being 1 for L <= 1, 10 for L = 2 and 1000 for L = 3 and 4
// (and for the levels above, which this lesson does not use).
// The additional hint appears once the elapsed time t satisfies
// (B - (f*B - t)) - f*H > -1, that is just after t = (f-1)*B + f*H - 1.
struct TaskTiming
{
    enum class Hint {
        AtOnce,         // from the start
        During,         // at hintAt seconds, while the countdown runs
        WithSolution,   // only when the time is over, with the solution
    };

    int factor = 1;
    qint64 countdown = 0;   // f*B seconds
    Hint hint = Hint::AtOnce;
    qint64 hintAt = 0;      // seconds after the start, for Hint::During

    // A task whose countdown starts at 0 or below is over at once: its
    // answer is locked and its solution shown.
    bool expiresAtOnce() const { return countdown <= 0; }
};

// The timing of a task with these values as the file stores them (of the
// level, the last digit counts, as in the program).
TaskTiming taskTiming(int storedLevel, int budget, int hintTime);

// Seconds as minutes:seconds ("7:05", "33:20", "-0:05").
QString minutesSeconds(qint64 seconds);

} // namespace urok::setup
