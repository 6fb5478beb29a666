#include "engine/TickSource.h"

#include <QElapsedTimer>

#include <algorithm>

namespace urok {

static qint64 monotonicMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

TickSource::TickSource(std::function<void()> onTick, QObject *parent, Clock clock,
                       qint64 periodMs)
    : QObject(parent)
    , onTick_(std::move(onTick))
    , clock_(clock ? std::move(clock) : Clock(monotonicMs))
    , period_(periodMs)
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TickSource::catchUp);
}

void TickSource::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    const qint64 now = clock_();
    if (enabled) {
        // Resume where the last run stopped within its period.
        base_ = now - carried_;
        delivered_ = 0;
        enabled_ = true;
        scheduleNext();
    } else {
        carried_ = std::clamp<qint64>(now - base_ - delivered_ * period_, 0, period_ - 1);
        enabled_ = false;
        timer_.stop();
    }
}

void TickSource::catchUp()
{
    if (!enabled_ || delivering_)
        return;
    delivering_ = true;
    // The handler may disable the source, or disable and enable it again,
    // on any tick: the ticks due are counted afresh each time.
    while (enabled_ && delivered_ < (clock_() - base_) / period_) {
        ++delivered_;
        onTick_();
    }
    delivering_ = false;
    if (enabled_)
        scheduleNext();
}

void TickSource::scheduleNext()
{
    const qint64 next = base_ + (delivered_ + 1) * period_;
    timer_.start(static_cast<int>(std::clamp<qint64>(next - clock_(), 0, period_)));
}

} // namespace urok
