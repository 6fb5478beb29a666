#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace urok {

// A tick of 100 ms (or of another period) that stays true to the wall
// clock. The timer only wakes the source up; the number of ticks due is
// taken from a monotonic clock, and ticks that a busy machine delayed are
// delivered when it wakes, so N seconds of ticks last N seconds. Time while
// the source is disabled does not count. The clock can be replaced (tests drive it by hand).
class TickSource : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 PeriodMs = 100;
    using Clock = std::function<qint64()>; // milliseconds, monotonic

    // A source of another period (in milliseconds) may be made.
    explicit TickSource(std::function<void()> onTick, QObject *parent = nullptr,
                        Clock clock = {}, qint64 periodMs = PeriodMs);

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // Delivers every tick that is due by the clock. Called by the timer;
    // tests call it after moving their clock.
    void catchUp();

    qint64 ticksDelivered() const { return delivered_; }

private:
    void scheduleNext();

    std::function<void()> onTick_;
    Clock clock_;
    qint64 period_;
    QTimer timer_;
    bool enabled_ = false;
    bool delivering_ = false;
    qint64 base_ = 0;      // clock time of tick 0 of the current run
    qint64 delivered_ = 0; // ticks delivered in the current run
    qint64 carried_ = 0;   // part of a period left over when last disabled
};

} // namespace urok
