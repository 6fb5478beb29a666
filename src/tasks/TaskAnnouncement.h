#pragma once

#include <QString>

#include <optional>

namespace urok {

// What a pupil who cannot see the window is told when a task is shown: its
// number, level and kind, and, when the clock is shown, the time left
// ("Задача 8, сложност 2, бройни системи; остават 12 минути."); with no
// time counted the task's time is over.
QString taskAnnouncement(int number, const QString &level, const QString &kind,
                         bool clockShown, std::optional<qint64> secondsLeft);

} // namespace urok
