#include "app/LessonEndings.h"

#include "app/WindowRegistry.h"
#include "lesson/Tarv.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace urok {

namespace {

LessonEndings *active = nullptr;

#ifdef Q_OS_UNIX
// Every signal that would end the program without a word, but not those of
// a crash (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS): after
// a crash no code of the lesson is to be trusted, and the answers kept
// while the lesson ran are what is left. SIGPIPE and SIGXFSZ are ignored.
std::vector<int> endingSignals()
{
    std::vector<int> signals = {SIGTERM, SIGINT,    SIGHUP,  SIGQUIT, SIGUSR1,
                                SIGUSR2, SIGALRM,   SIGVTALRM, SIGPROF, SIGXCPU};
#ifdef SIGPOLL
    signals.push_back(SIGPOLL);
#endif
#ifdef SIGPWR
    signals.push_back(SIGPWR);
#endif
#ifdef SIGSTKFLT
    signals.push_back(SIGSTKFLT);
#endif
#ifdef SIGRTMIN
    for (int s = SIGRTMIN; s <= SIGRTMAX; ++s)
        signals.push_back(s);
#endif
    return signals;
}

int wakeUp[2] = {-1, -1};

// All a signal handler may do: tell the event loop, which does the rest.
void onSignal(int signal)
{
    const int saved = errno;
    const char number = static_cast<char>(signal);
    if (::write(wakeUp[1], &number, 1) < 0) {
        // The loop has been told already and has not read it yet.
    }
    errno = saved;
}
#endif

} // namespace

bool LessonEndings::ErrorOutput::ask(const Message &message)
{
    const QString text = QString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    std::fprintf(stderr, "urok: %s\n", qPrintable(text));
    std::fflush(stderr);
    return false;
}

LessonEndings::LessonEndings(WindowRegistry &windows, std::function<void(int)> afterSignal)
    : windows_(windows)
    , afterSignal_(std::move(afterSignal))
{
    active = this;
    static const bool registered = std::atexit(atExit) == 0;
    Q_UNUSED(registered);
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeUp) == 0) {
        notifier_ = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] { signalArrived(); });
        struct sigaction action{};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int s : endingSignals())
            sigaction(s, &action, nullptr);
    }
#endif
    // The session manager asks for the work to be kept before the session ends.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) {
        if (windows_.isLoaded<Tarv>())
            windows_.get<Tarv>().endUnasked(errors_);
    });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { keepAnswers(); });
}

LessonEndings::~LessonEndings()
{
    active = nullptr;
#ifdef Q_OS_UNIX
    if (notifier_) {
        for (int s : endingSignals())
            std::signal(s, SIG_DFL);
        delete notifier_;
        ::close(wakeUp[0]);
        ::close(wakeUp[1]);
        wakeUp[0] = wakeUp[1] = -1;
    }
#endif
}

void LessonEndings::dieOf(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void LessonEndings::signalArrived()
{
#ifdef Q_OS_UNIX
    char number = 0;
    if (::read(wakeUp[0], &number, 1) != 1)
        return;
    if (windows_.isLoaded<Tarv>())
        windows_.get<Tarv>().endUnasked(errors_);
    if (afterSignal_)
        afterSignal_(number);
#endif
}

void LessonEndings::keepAnswers()
{
    if (windows_.isLoaded<Tarv>())
        windows_.get<Tarv>().writeAnswersUnasked(errors_);
}

// A process that exits without returning from its event loop (the display
// connection broke and the platform gave up) still keeps the answers.
void LessonEndings::atExit()
{
    if (active)
        active->keepAnswers();
}

} // namespace urok
