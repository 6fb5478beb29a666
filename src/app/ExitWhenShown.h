#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace urok {

// For the benchmark (make bench): installed on a window, it prints the
// monotonic clock ("shown <nanoseconds>") once the window's first paint is
// over, and ends the program. The lesson installs it when
// UROK_BENCH_EXIT_WHEN_SHOWN=1; the benchmark's minimal window does the same.
// With UROK_BENCH_EXIT_WHEN_SHOWN=2 the lesson only prints and goes on, for
// a test that needs it running before it acts on it.
class ExitWhenShown : public QObject
{
public:
    explicit ExitWhenShown(QObject *parent)
        : QObject(parent)
    {
        done_.setSingleShot(true);
        connect(&done_, &QTimer::timeout, this, [] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("shown %lld\n",
                        static_cast<long long>(std::chrono::nanoseconds(now).count()));
            std::fflush(stdout);
            if (!endsProgram())
                return;
            // exit(), unlike quit(), does not first try to close the window,
            // which would ask the pupil whether to leave.
            QCoreApplication::exit(0);
        });
    }

    static bool wanted() { return mode() == 1 || mode() == 2; }
    static bool endsProgram() { return mode() == 1; }
    static int mode() { return qEnvironmentVariableIntValue("UROK_BENCH_EXIT_WHEN_SHOWN"); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            done_.start(0); // after the paint of the window and its controls
        }
        return false;
    }

private:
    QTimer done_;
};

} // namespace urok
