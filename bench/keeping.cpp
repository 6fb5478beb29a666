// The answers kept while a pupil types (part of make bench):
//  - the longest pause of the event loop while a 1 MB answer is typed on,
//    with the answers file kept and without it;
//  - the typing lost when the lesson is killed (SIGKILL) at a random moment
//    while a pupil types a letter every 100 ms: each run is a child process
//    that types and says when; the parent kills it and reads what the
//    answers file kept.
//   urok-keeping-bench [--kills N]      (default 20)
//   urok-keeping-bench --pupil FOLDER   (the typing child)
#include "ConfigImage.h"
#include "Profile.h"
#include "app/WindowRegistry.h"
#include "controls/TextBox.h"
#include "engine/Cp1251.h"
#include "engine/LessonState.h"
#include "engine/Prompter.h"
#include "lesson/Tarv.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <cstdio>

namespace {

const QString Letters = QStringLiteral("абвгдежзийклмнопрстуфхцчшщъьюя");

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class QuietPrompter : public urok::Prompter
{
public:
    bool ask(const urok::Message &) override { return false; }
};

// The configuration file of the lesson's profile with the tasks open at once.
bool writeConfig(const QString &folder, bool keepAnswers)
{
    QFile profileFile(QStringLiteral(UROK_SOURCE_DIR "/config/OPTIM.profile"));
    if (!profileFile.open(QIODevice::ReadOnly))
        return false;
    auto reading = urok::setup::readProfile(QString::fromUtf8(profileFile.readAll()),
                                            urok::setup::LessonFacts::builtIn());
    if (!reading.profile)
        return false;
    reading.profile->options[15] = 1;                    // the tasks before the plan is written
    reading.profile->options[11] = keepAnswers ? 1 : 0; // the answers file
    QFile config(QDir(folder).filePath(QStringLiteral("OPTIM.UFG")));
    const QByteArray bytes = urok::setup::configFile(*reading.profile);
    return config.open(QIODevice::WriteOnly) && config.write(bytes) == bytes.size();
}

// A lesson in the current folder, its tasks open; the answer field.
struct OpenLesson
{
    urok::LessonState state;
    QuietPrompter prompter;
    urok::WindowRegistry windows{state, prompter};
    urok::TextBox *field = nullptr;

    OpenLesson()
    {
        urok::Tarv &main = windows.get<urok::Tarv>();
        main.show();
        main.findChild<QAction *>(QStringLiteral("mnu_Wyprosi"))->trigger();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == u"Tarv_n")
                field = w->findChild<urok::TextBox *>(QStringLiteral("Text_Un(0)"));
    }
    void type(const QString &text) const
    {
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QCoreApplication::sendEvent(field, &typed);
    }
};

// The child: a letter every 100 ms, each told on standard output.
int typeUntilKilled(const QString &folder)
{
    QDir::setCurrent(folder);
    OpenLesson lesson;
    if (!lesson.field)
        return 2;
    int typed = 0;
    QTimer keys;
    QObject::connect(&keys, &QTimer::timeout, [&] {
        lesson.type(Letters.at(typed % Letters.size()));
        ++typed;
        std::printf("%lld %d\n", static_cast<long long>(nowNs()), typed);
        std::fflush(stdout);
    });
    keys.start(100);
    return QApplication::exec();
}

// The longest pause of the event loop over `seconds` while a letter a
// second is typed onto a 1 MB answer.
double longestPauseMs(bool keepAnswers, int seconds)
{
    QTemporaryDir folder;
    if (!writeConfig(folder.path(), keepAnswers) || !QDir::setCurrent(folder.path()))
        return -1;
    OpenLesson lesson;
    // 1 MB in lines of 64 letters, as a long program is typed.
    QString answer;
    while (answer.size() < 1024 * 1024)
        answer += QString(62, QChar(u'ж')) + QStringLiteral("\r\n");
    lesson.type(answer);
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    QTimer keys;
    QObject::connect(&keys, &QTimer::timeout, [&] { lesson.type(QStringLiteral("я")); });
    // exit(), not quit(): quit() first asks the windows to close, and the
    // lesson's window asks the pupil instead.
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, [] { QCoreApplication::exit(0); });
    end.start(seconds * 1000);
    last = clock.nsecsElapsed();
    probe.start(1);
    keys.start(1000);
    QApplication::exec();
    QDir::setCurrent(QDir::tempPath());
    return double(longest) / 1e6;
}

struct Loss
{
    double seconds = 0;
    int letters = 0;
    bool intact = true;
};

// One run: the child types, and is killed after a random time.
Loss killWhileTyping(const QString &self)
{
    QTemporaryDir folder;
    Loss loss;
    if (!writeConfig(folder.path(), true))
        return {-1, 0, false};
    QProcess child;
    child.start(self, {QStringLiteral("--pupil"), folder.path()});
    const qint64 wait = QRandomGenerator::global()->bounded(3000, 25000);
    std::vector<qint64> typedAt;
    QByteArray said;
    QElapsedTimer since;
    since.start();
    while (since.elapsed() < wait && child.state() != QProcess::NotRunning)
        if (child.waitForReadyRead(int(wait - since.elapsed())))
            said += child.readAllStandardOutput();
    ::kill(pid_t(child.processId()), SIGKILL);
    const qint64 killedAt = nowNs();
    child.waitForFinished();
    said += child.readAllStandardOutput();
    for (const QByteArray &line : said.split('\n'))
        if (!line.isEmpty())
            typedAt.push_back(line.split(' ').value(0).toLongLong());
    QFile answers(folder.filePath(QStringLiteral("OTGOWORI.TXT")));
    QString kept;
    if (answers.open(QIODevice::ReadOnly)) {
        const QStringList lines = urok::fromCp1251(answers.readAll()).split(QStringLiteral("\r\n"));
        kept = lines.value(2);
        loss.intact = lines.value(1) == u"Задача  1" && lines.size() == 4;
    }
    for (int i = 0; i < kept.size(); ++i)
        loss.intact = loss.intact && kept.at(i) == Letters.at(i % Letters.size());
    loss.letters = int(typedAt.size()) - int(kept.size());
    // From the first letter not kept to the kill.
    if (loss.letters > 0)
        loss.seconds = double(killedAt - typedAt[size_t(kept.size())]) / 1e9;
    return loss;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == u"--pupil")
        return typeUntilKilled(args.value(2));
    const int kills = args.value(1) == u"--kills" ? args.value(2).toInt() : 20;

    std::printf("longest pause of the event loop, a letter a second onto a 1 MB answer, 30 s:\n");
    std::printf("  answers file not kept  %8.1f ms\n", longestPauseMs(false, 30));
    std::printf("  answers file kept      %8.1f ms\n", longestPauseMs(true, 30));
    std::fflush(stdout);

    Loss worst;
    bool intact = true;
    for (int i = 0; i < kills; ++i) {
        const Loss loss = killWhileTyping(QCoreApplication::applicationFilePath());
        std::printf("  kill %2d: %3d letters lost, %5.2f s of typing%s\n", i + 1, loss.letters,
                    loss.seconds, loss.intact ? "" : ", THE FILE IS NOT A PREFIX OF THE TYPING");
        std::fflush(stdout);
        worst.seconds = std::max(worst.seconds, loss.seconds);
        worst.letters = std::max(worst.letters, loss.letters);
        intact = intact && loss.intact;
    }
    std::printf("typing lost over %d SIGKILLs: at most %d letters, %.2f s (target <= 10 s)%s\n",
                kills, worst.letters, worst.seconds, intact ? "" : "; a kept file was wrong");
    return worst.seconds <= 10 && intact ? 0 : 1;
}
