// The yardstick for the lesson's start-up: the least a Qt Widgets program
// does to show a main window with a menu bar and a text field. With
// UROK_BENCH_EXIT_WHEN_SHOWN=1 it behaves as the lesson does for the
// benchmark: it prints the monotonic clock ("shown <nanoseconds>") when the
// window is first painted, and ends.
#include "app/ExitWhenShown.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Минимален прозорец"));
    window.menuBar()->addAction(QStringLiteral("Изход"));
    window.setCentralWidget(new QPlainTextEdit(QStringLiteral("Текст"), &window));
    window.resize(800, 560);
    if (urok::ExitWhenShown::wanted())
        window.installEventFilter(new urok::ExitWhenShown(&window));
    window.show();
    return app.exec();
}
