#pragma once

#include "engine/Prompter.h"

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace urok {

class WindowRegistry;

// The endings of a lesson that do not pass through "Изход": SIGTERM, SIGINT,
// SIGHUP and every other signal that ends a program unless it is caught
// (crashes aside), the end of the desktop session, the application quitting on
// its own and the process exiting because the display is gone. Each writes
// the answers file as "Изход" with "Да" writes it, asking nobody (a failure
// is told on standard error), and ends the lesson. One at a time.
class LessonEndings : public QObject
{
public:
    // `afterSignal` runs with the signal's number once the answers are
    // written after a signal; the program dies of that signal there.
    LessonEndings(WindowRegistry &windows, std::function<void(int)> afterSignal);
    ~LessonEndings() override;
    LessonEndings(const LessonEndings &) = delete;
    LessonEndings &operator=(const LessonEndings &) = delete;

    // Dies of the signal as if it had never been caught.
    static void dieOf(int signal);

private:
    void signalArrived();
    void keepAnswers();
    static void atExit();

    // Tells what went wrong on standard error and answers every question No.
    class ErrorOutput : public Prompter
    {
    public:
        bool ask(const Message &message) override;
    };

    WindowRegistry &windows_;
    std::function<void(int)> afterSignal_;
    QSocketNotifier *notifier_ = nullptr;
    ErrorOutput errors_;
};

} // namespace urok
