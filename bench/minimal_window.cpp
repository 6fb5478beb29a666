// The yardstick for the lesson's start-up: the least a Qt Widgets program
// does to show a main window with a menu bar and a text field. With
// UROK_BENCH_EXIT_WHEN_SHOWN=1 it behaves as the lesson does for the
// benchmark: it prints the monotonic clock ("shown <nanoseconds>") when the
// window is first painted, and ends.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

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
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Минимален прозорец"));
    window.menuBar()->addAction(QStringLiteral("Изход"));
    window.setCentralWidget(new QPlainTextEdit(QStringLiteral("Текст"), &window));
    window.resize(800, 560);
    if (qEnvironmentVariableIntValue("UROK_BENCH_EXIT_WHEN_SHOWN") == 1)
        window.installEventFilter(new ExitWhenShown(&window));
    window.show();
    return app.exec();
}
