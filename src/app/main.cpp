#include "app/ExitWhenShown.h"
#include "app/LessonEndings.h"
#include "app/WindowRegistry.h"
#include "controls/LessonStyle.h"
#include "engine/LessonState.h"
#include "engine/Prompter.h"
#include "lesson/Tarv.h"

#include <QApplication>

#include <csignal>

int main(int argc, char *argv[])
{
#ifdef SIGXFSZ
    // A file that may not grow further (a size limit) is a write error the
    // pupil is told about, not the end of the program; a connection that
    // broke (the display's, the session manager's) is one too, and the
    // lesson keeps its answers as it ends.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QApplication app(argc, argv);
    // The application takes the style and deletes it at the end.
    QApplication::setStyle(new urok::LessonStyle); // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
    QApplication::setApplicationName(QStringLiteral("urok"));
    QApplication::setApplicationVersion(QStringLiteral(UROK_VERSION));
    // The desktop's menu entry (urok.desktop): its icon and name for the windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("urok"));
    // The lesson ends only through its exit question, never by a window
    // that happens to be the last one closed.
    app.setQuitOnLastWindowClosed(false);

    urok::LessonState state;
    urok::MessageBoxPrompter prompter;
    urok::WindowRegistry windows(state, prompter);
    windows.setProgramEndHook([] { QCoreApplication::quit(); });
    urok::LessonEndings endings(windows, urok::LessonEndings::dieOf);

    // The lesson's windows are all in their own font. While the main window
    // is built the application's font is that font too, so that the text
    // fields, which first lay out an empty page in the application's font,
    // load no font the window does not show; the desktop's font comes back
    // for the menus, tooltips and message boxes, and is loaded when one of
    // them first needs it.
    const QFont desktopFont = QApplication::font();
    QApplication::setFont(urok::Tarv::windowFont());
    urok::Tarv &lesson = windows.get<urok::Tarv>();
    QApplication::setFont(desktopFont);
    if (urok::ExitWhenShown::wanted())
        lesson.installEventFilter(new urok::ExitWhenShown(&lesson));
    lesson.show();
    return app.exec();
}
