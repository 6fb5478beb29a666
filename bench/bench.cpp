// make bench: how the lesson does against its targets.
//
//   start-up   the real program `urok`, started in a lesson folder with its
//              OPTIM.UFG, from the start of the process to the first paint
//              of the main window, and its peak memory (RSS); beside it the
//              same for bench/minimal_window; medians of several runs, the
//              two programs taking turns, and their ratios. Measured on two
//              platforms: offscreen, and xcb (the one a pupil meets) under a
//              private Xvfb of the benchmark's own, when Xvfb is installed;
//              the runs of the two platforms take turns as well.
//   countdown  the real tick sources of the main window (Timer1) and of the
//              tasks window (Timer_n), running together, against the wall
//              clock: the time from their first tick to tick 1 + 10 x S
//              should be S seconds.
//   relayout   one proportional relayout of the main window (Tarv::Form_Resize,
//              from the resize event of its inner area to the end of the
//              handler), averaged over many sizes.
//   report     the teacher's tool `urok-setup report` over a class of 40
//              pupils, each with an answer of 30 program lines to every one
//              of the 24 tasks, writing the page and the table: the whole
//              command, from start to exit; median of several runs.
//   judge      "judge a class": urok-setup report compiling and running the
//              programs of 35 pupils (8 answers each, a fifth of them
//              copies) on their tasks' tests, beside a plain shell loop that
//              compiles every answer with g++ -O2 two at a time and runs it
//              on the same tests; then the same report again (its cache).
//   school year  with --school-year N alone: the report over N answers files
//              like those above in classes of 40, as a school's year would
//              be; its time, peak memory (RSS) and what it writes.
//
// Options: --runs N (start-ups of each program on each platform, default 31),
//          --countdown-seconds S (default 60), --relayouts N (default 2000),
//          --startup-only (the start-ups alone: no countdown, relayout or report),
//          --judge-only ("judge a class" alone),
//          --school-year N (that measurement alone; N = 10000 writes 470 MB).
// The first platform is QT_QPA_PLATFORM, offscreen unless it is set; the
// second is always xcb on the private Xvfb.
#include "app/WindowRegistry.h"
#include "controls/ClientArea.h"
#include "controls/ListBox.h"
#include "controls/TextBox.h"
#include "engine/Cp1251.h"
#include "engine/LessonState.h"
#include "engine/Prompter.h"
#include "engine/TickSource.h"
#include "lesson/Tarv.h"
#include "tasks/Tarv_n.h"

#include "judge_class.h"

#include <QApplication>
#include <QDirIterator>
#include <QEvent>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double median(std::vector<double> v)
{
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// ---- Start-up ----------------------------------------------------------------

struct Launch
{
    bool ok = false;
    double shownMs = 0;   // process start to the first paint
    double peakMb = 0;    // peak resident memory
    double cpuMs = 0;     // processor time, user and system, to its end
    std::string problem;
};

// This process's environment with the variables of `settings` ("NAME=value")
// put in place of those of the same names.
std::vector<std::string> environment(const std::vector<std::string> &settings)
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        if (std::none_of(settings.begin(), settings.end(),
                         [&name](const std::string &s) { return s.compare(0, name.size(), name) == 0; }))
            env.push_back(entry);
    }
    env.insert(env.end(), settings.begin(), settings.end());
    return env;
}

// Starts `program` in `folder` and waits for it; the program prints the
// monotonic clock when its window is first painted and ends by itself.
Launch launch(const std::string &program, const std::string &folder,
              const std::vector<std::string> &settings)
{
    Launch result;
    int out[2];
    if (pipe(out) != 0) {
        result.problem = "no pipe";
        return result;
    }
    std::vector<std::string> env = environment(settings);
    env.emplace_back("UROK_BENCH_EXIT_WHEN_SHOWN=1");
    std::vector<char *> envp;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string programCopy = program;
    char *argv[] = {programCopy.data(), nullptr};

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        close(out[0]);
        close(out[1]);
        if (chdir(folder.c_str()) == 0)
            execve(program.c_str(), argv, envp.data());
        _exit(127);
    }
    close(out[1]);

    std::string text;
    char buffer[256];
    pollfd p{out[0], POLLIN, 0};
    const Clock::time_point deadline = start + std::chrono::seconds(30);
    for (;;) {
        const int left = static_cast<int>(std::max(0.0, msSince(Clock::now(), deadline)));
        if (poll(&p, 1, left) <= 0) {
            kill(child, SIGKILL);
            result.problem = "no window within 30 s";
            break;
        }
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);

    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    long long shown = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        if (result.problem.empty())
            result.problem = "ended with status " + std::to_string(status);
        return result;
    }
    if (std::sscanf(text.c_str(), "shown %lld", &shown) != 1) {
        result.problem = "printed no \"shown\" line";
        return result;
    }
    const auto shownAt = Clock::time_point(std::chrono::nanoseconds(shown));
    result.ok = true;
    result.shownMs = msSince(start, shownAt);
    result.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;   // ru_maxrss is in KiB
    auto ms = [](const timeval &t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    result.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    return result;
}

// The start-ups of the two programs on one platform.
struct StartUp
{
    std::string platform;               // as the report names it
    std::vector<std::string> settings;  // the environment that chooses it
    std::vector<double> lessonMs, minimalMs, lessonMb, minimalMb, lessonCpuMs, minimalCpuMs;
};

// Starts the two programs `runs` times on every platform. Returns a problem,
// or an empty string.
std::string measureStartUps(int runs, const std::string &folder, std::vector<StartUp> &platforms)
{
    // One start of each first, not counted: it fills the disk cache.
    for (const StartUp &s : platforms) {
        launch(UROK_PROGRAM, folder, s.settings);
        launch(MINIMAL_WINDOW_PROGRAM, folder, s.settings);
    }
    for (int i = 0; i < runs; ++i) {
        // All take turns, so that anything else on the machine weighs on each.
        for (StartUp &s : platforms) {
            const Launch a = launch(UROK_PROGRAM, folder, s.settings);
            const Launch b = launch(MINIMAL_WINDOW_PROGRAM, folder, s.settings);
            if (!a.ok || !b.ok)
                return s.platform + ": " + (!a.ok ? "urok: " + a.problem : "minimal_window: " + b.problem);
            s.lessonMs.push_back(a.shownMs);
            s.minimalMs.push_back(b.shownMs);
            s.lessonMb.push_back(a.peakMb);
            s.minimalMb.push_back(b.peakMb);
            s.lessonCpuMs.push_back(a.cpuMs);
            s.minimalCpuMs.push_back(b.cpuMs);
        }
    }
    return {};
}

// ---- A private X server -----------------------------------------------------

// The folder in PATH that holds `program`, joined to it; empty when none does.
std::string findProgram(const std::string &program)
{
    const char *path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (std::size_t from = 0; from <= folders.size();) {
        std::size_t to = folders.find(':', from);
        if (to == std::string::npos)
            to = folders.size();
        const std::string candidate = folders.substr(from, to - from) + "/" + program;
        if (to > from && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        from = to + 1;
    }
    return {};
}

// Whether the X server of `display` lets a client in: the connection setup of
// the X protocol over its local socket, answered with "success".
bool acceptsClients(int display)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "/tmp/.X11-unix/X%d", display);
    // Byte order 'l', protocol 11.0, no authorization.
    const unsigned char setup[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    unsigned char answer = 0;
    pollfd p{fd, POLLIN, 0};
    const bool in = connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
                    && write(fd, setup, sizeof setup) == sizeof setup && poll(&p, 1, 2000) == 1
                    && read(fd, &answer, 1) == 1 && answer == 1;
    close(fd);
    return in;
}

// Xvfb on a display of its own: the number is the first free one, which the
// server tells itself (-displayfd); no TCP; no window manager. -noreset: an
// X server otherwise starts afresh whenever its last client leaves, which
// every start-up would pay for, and turns away whoever connects meanwhile.
class PrivateXServer
{
public:
    ~PrivateXServer() { stop(); }

    // Starts the server and waits until it lets clients in. Returns a
    // problem, or an empty string.
    std::string start(const std::string &program)
    {
        int told[2];
        if (pipe(told) != 0)
            return "no pipe";
        const std::string fd = std::to_string(told[1]);
        pid_ = fork();
        if (pid_ == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            close(told[0]);
            execl(program.c_str(), program.c_str(), "-displayfd", fd.c_str(), "-nolisten", "tcp",
                  "-noreset", "-screen", "0", "1280x1024x24", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(told[1]);
        std::string number;
        char c = 0;
        pollfd p{told[0], POLLIN, 0};
        while (poll(&p, 1, 30000) == 1 && read(told[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(told[0]);
        if (c != '\n' || number.empty()) {
            stop();
            return "Xvfb did not start (it told no display number within 30 s)";
        }
        display_ = std::atoi(number.c_str());
        // The number is told as soon as the server listens; on a busy machine
        // it takes a while longer before it lets clients in.
        const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(30);
        while (!acceptsClients(display_)) {
            if (Clock::now() > giveUp) {
                stop();
                return "Xvfb on :" + number + " let no client in within 30 s";
            }
            usleep(20000);
        }
        return {};
    }

    void stop()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(5);
        while (waitpid(pid_, nullptr, WNOHANG) == 0) {
            if (Clock::now() > giveUp) {
                kill(pid_, SIGKILL);
                waitpid(pid_, nullptr, 0);
                break;
            }
            usleep(10000);
        }
        pid_ = -1;
    }

    int display() const { return display_; }

private:
    pid_t pid_ = -1;
    int display_ = -1;
};

// ---- The lesson in this process ----------------------------------------------

class QuietPrompter : public urok::Prompter
{
public:
    bool ask(const urok::Message &) override
    {
        ++asked;
        return false;
    }
    int asked = 0;
};

struct Drift
{
    double timer1 = NAN;   // per cent
    double timerN = NAN;
};

// Runs the main window's and the tasks window's tick sources together and
// times, by the wall clock, their first tick and tick 1 + 10 x seconds.
Drift measureCountdown(urok::WindowRegistry &windows, int seconds)
{
    urok::LessonState &state = windows.state();
    urok::Tarv &main = windows.get<urok::Tarv>();
    urok::Tarv_n &tasks = windows.get<urok::Tarv_n>();
    // Task 1 gets a countdown far longer than the measurement.
    state.Wremena(4).setItem(1, QStringLiteral("1"));
    state.Wremena(1).setItem(1, QStringLiteral("32767"));
    // The tasks window opens on task 1, its countdown running, as the lesson
    // asks for it; the main window's timer runs beside it.
    Q_EMIT main.tasksWanted();
    urok::TickSource *mainTimer = main.findChild<urok::TickSource *>();
    urok::TickSource *tasksTimer = tasks.findChild<urok::TickSource *>();
    mainTimer->setEnabled(true);

    using Wall = std::chrono::system_clock;
    const qint64 ticks = 10LL * seconds;
    const qint64 mainBase = mainTimer->ticksDelivered();
    const qint64 tasksBase = tasksTimer->ticksDelivered();
    auto mainTicks = [&] { return mainTimer->ticksDelivered() - mainBase; };
    auto taskTicks = [&] { return tasksTimer->ticksDelivered() - tasksBase; };

    Wall::time_point first[2], last[2];
    bool haveFirst[2] = {false, false};
    bool haveLast[2] = {false, false};
    const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(seconds + 30);
    while (!(haveLast[0] && haveLast[1]) && Clock::now() < giveUp) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const Wall::time_point now = Wall::now();
        const qint64 counted[2] = {mainTicks(), taskTicks()};
        for (int k = 0; k < 2; ++k) {
            if (!haveFirst[k] && counted[k] >= 1) {
                first[k] = now;
                haveFirst[k] = true;
            }
            if (!haveLast[k] && counted[k] >= 1 + ticks) {
                last[k] = now;
                haveLast[k] = true;
            }
        }
    }
    mainTimer->setEnabled(false);
    tasksTimer->setEnabled(false);
    Q_EMIT tasks.lessonWanted();

    Drift d;
    const double expected = seconds * 1000.0;
    auto drift = [&](int k) -> double {
        if (!haveLast[k])
            return NAN;
        const double ms = std::chrono::duration<double, std::milli>(last[k] - first[k]).count();
        return (ms - expected) / expected * 100.0;
    };
    d.timer1 = drift(0);
    d.timerN = drift(1);
    return d;
}

// Times Form_Resize: from the inner area's resize event (an event filter
// sees it before the area's own handler) to the end of the handler (a slot
// connected after the main window's own runs last).
class RelayoutClock : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            started = Clock::now();
        return false;
    }
    void finished()
    {
        total += msSince(started, Clock::now());
        ++count;
    }
    Clock::time_point started;
    double total = 0;
    int count = 0;
};

double measureRelayout(urok::WindowRegistry &windows, int relayouts)
{
    urok::Tarv &main = windows.get<urok::Tarv>();
    main.show();
    // The first plan point is open: its long text wraps anew at every size.
    main.findChild<urok::ListBox *>(QStringLiteral("List_Ur(0)"))->setListIndex(0);
    QCoreApplication::processEvents();
    urok::ClientArea *area = main.client();
    RelayoutClock clock;
    area->installEventFilter(&clock);
    QObject::connect(area, &urok::ClientArea::Resized, &clock, [&clock] { clock.finished(); });
    const QSize sizes[] = {{800, 560}, {1024, 700}, {1280, 900}, {640, 450}, {1000, 540}};
    for (int i = 0; i < relayouts; ++i) {
        area->resize(sizes[i % 5]);
        if (i % 50 == 49)
            QCoreApplication::processEvents();   // the window repaints now and then
    }
    area->removeEventFilter(&clock);
    if (main.findChild<urok::TextBox *>(QStringLiteral("Text_U(1)"))->text().size() < 1000)
        std::fprintf(stderr, "urok-bench: the plan point's text is not in the window\n");
    // Every resize must have reached the window's handler, or the figure
    // would time something else.
    if (clock.count != relayouts) {
        std::fprintf(stderr, "urok-bench: %d of %d relayouts were timed\n", clock.count, relayouts);
        return NAN;
    }
    return clock.total / clock.count;
}

// ---- The class report ---------------------------------------------------------

// Writes a class folder of `pupils` answers files into `folder`.
bool makeClass(const QString &folder, int pupils, int tasks)
{
    for (int p = 1; p <= pupils; ++p) {
        QString text = QStringLiteral("Има въведен текст по следните задачи:\r\n");
        for (int k = 1; k <= tasks; ++k) {
            text += QStringLiteral("Задача  %1\r\n").arg(k);
            for (int line = 1; line <= 30; ++line)
                text += QStringLiteral("    сума = сума + а[%1] * %2; // ред %3 на ученик %4\r\n")
                            .arg(line).arg(k).arg(line).arg(p);
        }
        const QString dir = QStringLiteral("%1/Ученик %2").arg(folder).arg(p);
        QFile f(dir + QStringLiteral("/OTGOWORI.TXT"));
        const QByteArray bytes = urok::toCp1251(text);
        if (!QDir().mkpath(dir) || !f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

struct ReportRun
{
    double ms = NAN;        // NaN when it failed
    double peakMb = 0;
};

// Runs `urok-setup report` in `folder` over `input` and returns its time and peak memory.
ReportRun runReport(const std::string &folder, const char *input)
{
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        char *argv[] = {const_cast<char *>(UROK_SETUP_PROGRAM), const_cast<char *>("report"),
                        const_cast<char *>("--force"), const_cast<char *>("--no-judge"),
                        const_cast<char *>("-o"), const_cast<char *>("report.html"),
                        const_cast<char *>("--csv"), const_cast<char *>("report.csv"),
                        const_cast<char *>(input), nullptr};
        if (chdir(folder.c_str()) == 0)
            execv(UROK_SETUP_PROGRAM, argv);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double ms = msSince(start, Clock::now());
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : NAN,
            static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double timeReport(const std::string &folder)
{
    return runReport(folder, "class").ms;
}

double megabytes(qint64 bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

const char *verdict(bool met)
{
    return met ? "met" : "MISSED";
}

// The report over a school year of `files` answers files, 40 to a class.
int measureSchoolYear(const QString &folder, int files)
{
    const QString year = folder + QStringLiteral("/year");
    const int classes = (files + 39) / 40;
    for (int c = 1; c <= classes; ++c)
        if (!makeClass(QStringLiteral("%1/клас %2").arg(year).arg(c), std::min(40, files - 40 * (c - 1)), 24))
            return std::fprintf(stderr, "urok-bench: the school year could not be written\n"), 2;
    qint64 input = 0;
    qint64 largestClass = 0;
    for (const QFileInfo &c : QDir(year).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        qint64 size = 0;
        QDirIterator it(c.filePath(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            size += QFileInfo(it.next()).size();
        input += size;
        largestClass = std::max(largestClass, size);
    }
    // What the report needs whatever the year: the same over one pupil.
    if (!makeClass(folder + QStringLiteral("/one/клас"), 1, 24))
        return std::fprintf(stderr, "urok-bench: the school year could not be written\n"), 2;
    const ReportRun one = runReport(folder.toStdString(), "one");
    const ReportRun run = runReport(folder.toStdString(), "year");
    qint64 written = 0;
    qint64 largestPage = 0;
    qint64 largestCsv = 0;
    int outputs = 0;
    for (const QFileInfo &f : QDir(folder).entryInfoList({QStringLiteral("report*")}, QDir::Files)) {
        ++outputs;
        written += f.size();
        qint64 &largest = f.suffix() == u"csv" ? largestCsv : largestPage;
        largest = std::max(largest, f.size());
    }
    std::printf("school year: %d answers files in %d classes, %.1f MiB (largest class %.2f MiB)\n", files, classes,
                megabytes(input), megabytes(largestClass));
    std::printf("%-34s %12.1f\n", "report, whole command (s)", run.ms / 1000.0);
    const double above = run.peakMb - one.peakMb;
    std::printf("%-34s %12.1f %23s %.1f MiB + fixed\n", "peak memory (RSS, MiB)", run.peakMb, "target: 2 x largest class =",
                2 * megabytes(largestClass));
    std::printf("%-34s %12.1f %23s %.1f MiB: %s\n", "  above the report over one pupil", above, "target: below",
                2 * megabytes(largestClass), verdict(above <= 2 * megabytes(largestClass)));
    std::printf("%-34s %12d files, %.1f MiB in all; largest page %.2f MiB, largest CSV %.2f MiB\n", "written", outputs,
                megabytes(written), megabytes(largestPage), megabytes(largestCsv));
    return std::isnan(run.ms) ? 1 : 0;
}

// ---- The table ------------------------------------------------------------------

int intOption(int argc, char **argv, const char *name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::max(1, std::atoi(argv[i + 1]));
    return fallback;
}

bool flag(int argc, char **argv, const char *name)
{
    return std::any_of(argv + 1, argv + argc, [name](const char *a) { return std::strcmp(a, name) == 0; });
}


void printStartUpHeading()
{
    std::printf("\n%-34s %12s %12s %8s %10s %s\n", "", "urok", "minimal", "ratio", "target", "");
}

// The start-up rows of one platform; returns whether its targets are met.
bool printStartUp(const StartUp &s)
{
    const double lessonMs = median(s.lessonMs), minimalMs = median(s.minimalMs);
    const double lessonMb = median(s.lessonMb), minimalMb = median(s.minimalMb);
    const double timeRatio = lessonMs / minimalMs, memoryRatio = lessonMb / minimalMb;
    auto range = [](const std::vector<double> &v) {
        const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
        char text[32];
        std::snprintf(text, sizeof text, "%.1f-%.1f", *lo, *hi);
        return std::string(text);
    };
    std::printf("%s\n", s.platform.c_str());
    std::printf("%-34s %12.1f %12.1f %8.2f %10s %s\n", "  start-up to shown, median (ms)",
                lessonMs, minimalMs, timeRatio, "<= 1.30", verdict(timeRatio <= 1.3));
    std::printf("%-34s %12.1f %12.1f %8.2f %10s %s\n", "  peak memory (RSS), median (MiB)",
                lessonMb, minimalMb, memoryRatio, "<= 1.30", verdict(memoryRatio <= 1.3));
    std::printf("%-34s %12s %12s\n", "  start-up, fastest-slowest (ms)", range(s.lessonMs).c_str(),
                range(s.minimalMs).c_str());
    // Less swayed by whatever else runs on the machine than the clock is.
    const double lessonCpu = median(s.lessonCpuMs), minimalCpu = median(s.minimalCpuMs);
    std::printf("%-34s %12.1f %12.1f %8.2f\n", "  processor time, median (ms)", lessonCpu, minimalCpu,
                lessonCpu / minimalCpu);
    return timeRatio <= 1.3 && memoryRatio <= 1.3;
}

// The rows of "judge a class"; returns whether its targets are met.
bool printJudging(const JudgeFigures &f)
{
    if (!f.problem.isEmpty()) {
        std::printf("judge a class: not measured, %s\n", qPrintable(f.problem));
        return false;
    }
    const double ratio = f.firstMs / f.plainMs;
    std::printf("judge a class: %d pupils, %d answers, %d of them copies\n", f.pupils, f.answers, f.copies);
    std::printf("%-34s %12.1f\n", "  plain shell loop, g++ -O2 x2 (s)", f.plainMs / 1000);
    std::printf("%-34s %12.1f %12s %8.2f %10s %s\n", "  first report (s)", f.firstMs / 1000, "", ratio,
                "<= 0.60", verdict(ratio <= 0.6));
    std::printf("%-34s %12.1f %23s %10s %s\n", "  second report (s)", f.secondMs / 1000, "", "< 3 s",
                verdict(f.secondMs < 3000));
    return ratio <= 0.6 && f.secondMs < 3000;
}

} // namespace

// The start-up table of every platform measured; false when a target was missed.
bool printStartUps(const std::vector<StartUp> &platforms, const std::string &noXcb)
{
    printStartUpHeading();
    bool all = true;
    for (const StartUp &s : platforms)
        all = printStartUp(s) && all;
    if (!noXcb.empty())
        std::printf("%s\n", noXcb.c_str());
    return all;
}

int main(int argc, char **argv)
{
    const int runs = intOption(argc, argv, "--runs", 31);
    const int seconds = intOption(argc, argv, "--countdown-seconds", 60);
    const int relayouts = intOption(argc, argv, "--relayouts", 2000);
    const bool startUpOnly = flag(argc, argv, "--startup-only");
    if (flag(argc, argv, "--judge-only")) {
        QCoreApplication app(argc, argv);
        QTemporaryDir judgeFolder;
        const JudgeFigures f = benchJudgeClass(judgeFolder.path(), QStringLiteral(UROK_SETUP_PROGRAM));
        return printJudging(f) ? 0 : 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // A lesson folder: the configuration file the build wrote, and nothing else.
    QTemporaryDir folder;
    if (!folder.isValid() || !QFile::copy(QStringLiteral(UROK_LESSON_CONFIG),
                                          folder.filePath(QStringLiteral("OPTIM.UFG")))) {
        std::fprintf(stderr, "urok-bench: no lesson folder with %s\n", UROK_LESSON_CONFIG);
        return 2;
    }

    const int schoolYear = intOption(argc, argv, "--school-year", 0);
    if (schoolYear > 0)
        return measureSchoolYear(folder.path(), schoolYear);

    // The platforms of the start-ups: this process's, and xcb on an X server of its own.
    std::vector<StartUp> platforms(1);
    platforms[0].platform = qgetenv("QT_QPA_PLATFORM").toStdString() + " platform";
    PrivateXServer xServer;
    std::string noXcb;
    const std::string xvfb = findProgram("Xvfb");
    if (xvfb.empty()) {
        noXcb = "xcb platform: not measured, Xvfb is not installed (apt-get install xvfb)";
    } else {
        const std::string problem = xServer.start(xvfb);
        if (!problem.empty()) {
            std::fprintf(stderr, "urok-bench: %s\n", problem.c_str());
            return 2;
        }
        const std::string display = ":" + std::to_string(xServer.display());
        platforms.push_back({"xcb platform, private Xvfb " + display + " (1280x1024x24)",
                             {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display},
                             {}, {}, {}, {}, {}, {}});
    }

    if (startUpOnly)
        std::printf("urok-bench: %d start-ups of each program on each platform\n", runs);
    else
        std::printf("urok-bench: %d start-ups of each program on each platform, countdowns over %d s, "
                    "%d relayouts\n", runs, seconds, relayouts);
    std::fflush(stdout);
    // The start-ups come first, before this process starts Qt.
    const std::string problem = measureStartUps(runs, folder.path().toStdString(), platforms);
    xServer.stop();
    if (!problem.empty()) {
        std::fprintf(stderr, "urok-bench: %s\n", problem.c_str());
        return 2;
    }
    if (startUpOnly) {
        const bool all = printStartUps(platforms, noXcb);
        std::printf("\n%s\n", all ? "All start-up targets met." : "A start-up target was missed.");
        return all ? 0 : 1;
    }

    // The class report, also before Qt starts here.
    std::vector<double> reportMs;
    if (!makeClass(folder.filePath(QStringLiteral("class")), 40, 24)) {
        std::fprintf(stderr, "urok-bench: the class folder could not be written\n");
        return 2;
    }
    for (int i = 0; i < std::max(3, std::min(11, runs / 2)); ++i)
        reportMs.push_back(timeReport(folder.path().toStdString()));
    const bool reportFailed = std::any_of(reportMs.begin(), reportMs.end(), [](double ms) { return std::isnan(ms); });
    if (reportFailed)
        std::fprintf(stderr, "urok-bench: urok-setup report failed\n");
    const double reportMedian = reportFailed ? NAN : median(reportMs);

    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QTemporaryDir judgeFolder;
    const JudgeFigures judging = benchJudgeClass(judgeFolder.path(), QStringLiteral(UROK_SETUP_PROGRAM));
    urok::LessonState state;
    QuietPrompter prompter;
    urok::WindowRegistry windows(state, prompter);
    windows.context.platform.directory = folder.path();
    windows.context.platform.folder = urok::LessonFolder::open(folder.path());
    windows.get<urok::Tarv>().show();
    if (prompter.asked != 0) {
        std::fprintf(stderr, "urok-bench: the lesson did not accept its configuration file\n");
        return 2;
    }
    const double relayoutMs = measureRelayout(windows, relayouts);
    const Drift drift = measureCountdown(windows, seconds);

    bool all = printStartUps(platforms, noXcb);
    std::printf("\n%-34s %12s %23s %10s %s\n", "", "measured", "", "target", "");
    std::printf("%-34s %11.3f%% %23s %10s %s\n", "countdown drift, Timer1 (Tarv)", drift.timer1, "",
                "<= 0.2 %", verdict(std::fabs(drift.timer1) <= 0.2));
    std::printf("%-34s %11.3f%% %23s %10s %s\n", "countdown drift, Timer_n (Tarv_n)", drift.timerN,
                "", "<= 0.2 %", verdict(std::fabs(drift.timerN) <= 0.2));
    std::printf("%-34s %12.3f %23s %10s %s\n", "relayout Form_Resize, mean (ms)", relayoutMs, "",
                "<= 1 ms", verdict(relayoutMs <= 1.0));
    std::printf("%-34s %12.1f %23s %10s %s\n", "class report 40 x 24, median (ms)", reportMedian, "",
                "<= 500 ms", verdict(reportMedian <= 500));
    all = printJudging(judging) && all;
    all = all && std::fabs(drift.timer1) <= 0.2 && std::fabs(drift.timerN) <= 0.2 && relayoutMs <= 1.0
          && reportMedian <= 500;
    std::printf("\n%s\n", all ? "All targets met." : "A target was missed.");
    return all ? 0 : 1;
}
