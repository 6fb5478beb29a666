#include "app/WindowRegistry.h"
#include "engine/LessonState.h"
#include "engine/Prompter.h"
#include "lesson/Tarv.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

// For the benchmark (make bench): with UROK_BENCH_EXIT_WHEN_SHOWN=1 the
// program prints the monotonic clock ("shown <nanoseconds>") when the main
// window is first painted, and ends.
class ExitWhenShown : public QObject
{
public:
    explicit ExitWhenShown(QObject *parent)
        : QObject(parent)
    {
        // Once the first paint (the window's and its controls') is over.
        done_.setSingleShot(true);
        connect(&done_, &QTimer::timeout, this, [] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("shown %lld\n",
                        static_cast<long long>(std::chrono::nanoseconds(now).count()));
            std::fflush(stdout);
            // exit(), unlike quit(), does not first try to close the window,
            // which would ask the pupil whether to leave.
            QCoreApplication::exit(0);
        });
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            done_.start(0);
        }
        return false;
    }

private:
    QTimer done_;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The lesson ends only through its exit question, never by a window
    // that happens to be the last one closed.
    app.setQuitOnLastWindowClosed(false);

    urok::LessonState state;
    urok::MessageBoxPrompter prompter;
    urok::WindowRegistry windows(state, prompter);
    windows.setProgramEndHook([] { QCoreApplication::quit(); });

    urok::Tarv &lesson = windows.get<urok::Tarv>();
    if (qEnvironmentVariableIntValue("UROK_BENCH_EXIT_WHEN_SHOWN") == 1)
        lesson.installEventFilter(new ExitWhenShown(&lesson));
    lesson.show();
    return app.exec();
}
