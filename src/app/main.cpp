#include "app/ExitWhenShown.h"
#include "app/WindowRegistry.h"
#include "engine/LessonState.h"
#include "engine/Prompter.h"
#include "lesson/Tarv.h"

#include <QApplication>

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
    if (urok::ExitWhenShown::wanted())
        lesson.installEventFilter(new urok::ExitWhenShown(&lesson));
    lesson.show();
    return app.exec();
}
