// The pupil's files under faults of the file system and endings other than
// "Изход": symbolic links, a lesson folder moved, replaced or deleted during
// the lesson, a folder where files may be changed but not created, an
// unreadable configuration file, a signal while an answer is being typed;
// then the real program in a child process: the signals that end a program,
// a file-size limit, the display gone and the end of the desktop session
// (this test plays the session manager); and the teacher's tool on a full
// disk.
#include "app/LessonEndings.h"
#include "controls/TextBox.h"
#include "engine/AnswersFile.h"
#include "engine/Cp1251.h"
#include "engine/PupilRecord.h"
#include "support/Lesson.h"
#include "tasks/Tarv_n.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QInputMethodEvent>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

#ifdef UROK_HAVE_SM
#include <X11/SM/SMlib.h>
#endif

using namespace urok;
using namespace urok::test;

namespace {

const QByteArray heading = toCp1251(QStringLiteral("Има въведен текст по следните задачи:\r\n"));
const QString program = QStringLiteral(UROK_BINARY_DIR "/lesson/urok");

// Everything in a folder, hidden (temporary) files included.
QStringList everything(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                               | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

// Root may write anywhere; while this lives, this thread opens files with
// the rights of an ordinary user, so that permissions count.
struct AsOrdinaryUser
{
    explicit AsOrdinaryUser(bool wanted = true)
    {
        if (wanted)
            setfsuid(geteuid() == 0 ? 65534 : geteuid());
    }
    ~AsOrdinaryUser() { setfsuid(geteuid()); }
};

// What the pupil types, as the keyboard's input method delivers it.
void type(QWidget *field, const QString &text)
{
    field->setFocus();
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QCoreApplication::sendEvent(field, &typed);
}

// "Изход", "Да", and the answers to the boxes that follow.
void leave(Lesson &lesson, const QStringList &then = {})
{
    lesson.boxes.answer(QStringLiteral("Да"));
    for (const QString &button : then)
        lesson.boxes.answer(button);
    Lesson::command(lesson.main, QStringLiteral("Izhod"));
}

// The real program, started in its folder with the teacher's configuration
// file; it tells when its window is on the screen.
struct Pupil
{
    explicit Pupil(const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        writeFile(folder.filePath(QStringLiteral("OPTIM.UFG")), configWith({}));
        QProcessEnvironment e = env;
        e.insert(QStringLiteral("UROK_BENCH_EXIT_WHEN_SHOWN"), QStringLiteral("2"));
        process.setProcessEnvironment(e);
        process.setWorkingDirectory(folder.path());
        process.setProgram(program);
    }
    bool start()
    {
        process.start();
        while (!shown()) {
            if (!process.waitForReadyRead(30000))
                return false;
        }
        return true;
    }
    bool shown()
    {
        said += process.readAllStandardOutput();
        return said.contains("shown");
    }
    QString path(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    QProcess process;
    QByteArray said;
};

#ifdef UROK_HAVE_SM
// The desktop's session manager, as far as a session's end goes: it lets the
// program register, then ends the session (shutdown, nobody asked) and waits
// until the program is done saving and has left.
class SessionManager
{
public:
    SessionManager()
    {
        std::signal(SIGPIPE, SIG_IGN); // a client that has left is no reason to die
        // Nor is the broken connection it leaves: libICE's own handler would
        // exit; without it, the loop below sees the error and stops.
        IceSetIOErrorHandler([](IceConn) {});
        char error[256];
        if (SmsInitialize("test", "1", newClient, this, anyHost, sizeof error, error)
            && IceListenForConnections(&count_, &listen_, sizeof error, error)) {
            for (int i = 0; i < count_; ++i)
                IceSetHostBasedAuthProc(listen_[i], anyHost);
            char *ids = IceComposeNetworkIdList(count_, listen_);
            address = QString::fromLatin1(ids);
            free(ids);
        }
    }
    ~SessionManager() { IceFreeListenObjs(count_, listen_); }

    // Runs the session; once `ready`, ends it. False when it never ended.
    bool endSession(const std::function<bool()> &ready)
    {
        IceConn ice = nullptr;
        for (QDeadlineTimer d(30000); !left_ && !d.hasExpired();) {
            std::vector<pollfd> fds;
            for (int i = 0; i < count_; ++i)
                fds.push_back({IceGetListenConnectionNumber(listen_[i]), POLLIN, 0});
            if (ice)
                fds.push_back({IceConnectionNumber(ice), POLLIN, 0});
            poll(fds.data(), fds.size(), 100);
            IceAcceptStatus status;
            for (int i = 0; i < count_; ++i)
                ice = fds[size_t(i)].revents & POLLIN ? IceAcceptConnection(listen_[i], &status) : ice;
            if (ice && (fds.back().revents & POLLIN || IceConnectionStatus(ice) == IceConnectPending)
                && IceProcessMessages(ice, nullptr, nullptr) == IceProcessMessagesIOError)
                break;
            if (client_ && !asked_ && ready()) {
                asked_ = true;
                SmsSaveYourself(client_, SmSaveBoth, True, SmInteractStyleNone, False);
            }
        }
        return saved_;
    }

    QString address;

private:
    static Bool anyHost(char *) { return True; }
    static SessionManager *of(SmPointer p) { return static_cast<SessionManager *>(p); }
    static Status newClient(SmsConn, SmPointer self, unsigned long *mask, SmsCallbacks *cb, char **)
    {
        cb->register_client = {[](SmsConn c, SmPointer p, char *) -> Status {
                                   of(p)->client_ = c;
                                   char *id = SmsGenerateClientID(c); // copied by the reply
                                   const Status replied = SmsRegisterClientReply(c, id);
                                   free(id);
                                   return replied;
                               }, self};
        cb->save_yourself_done = {[](SmsConn c, SmPointer p, Bool) {
                                      of(p)->saved_ = true;
                                      SmsDie(c);
                                  }, self};
        cb->close_connection = {[](SmsConn c, SmPointer p, int n, char **reasons) {
                                    of(p)->left_ = true;
                                    SmFreeReasons(n, reasons);
                                    IceCloseConnection(SmsGetIceConnection(c));
                                    SmsCleanUp(c);
                                }, self};
        cb->set_properties = {[](SmsConn, SmPointer, int n, SmProp **props) {
                                  for (int i = 0; i < n; ++i)
                                      SmFreeProperty(props[i]);
                                  free(props);
                              }, self};
        cb->save_yourself_phase2_request = {[](SmsConn c, SmPointer) { SmsSaveYourselfPhase2(c); }, self};
        cb->get_properties = {[](SmsConn c, SmPointer) { SmsReturnProperties(c, 0, nullptr); }, self};
        cb->interact_request = {[](SmsConn, SmPointer, int) {}, self};
        cb->interact_done = {[](SmsConn, SmPointer, Bool) {}, self};
        cb->save_yourself_request = {[](SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}, self};
        cb->delete_properties = {[](SmsConn, SmPointer, int, char **) {}, self};
        *mask = ~0UL;
        return 1;
    }

    int count_ = 0;
    IceListenObj *listen_ = nullptr;
    SmsConn client_ = nullptr;
    bool asked_ = false, saved_ = false, left_ = false;
};
#endif

} // namespace

class FileFaultsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // While the lesson runs the answers file is kept as the exit writes it,
    // the typing in the answer field or the Focus window included, at most
    // five seconds after a change; an older file stays until then.
    void theAnswersAreKeptWhileThePupilTypes_data()
    {
        QTest::addColumn<bool>("focusWindow");
        QTest::newRow("the answer field") << false;
        QTest::newRow("the Focus window") << true;
    }
    void theAnswersAreKeptWhileThePupilTypes()
    {
        QFETCH(bool, focusWindow);
        Lesson lesson({{16, 1}, {24, 1}});
        QVERIFY(writeFile(lesson.path(QStringLiteral("OTGOWORI.TXT")), "last lesson's"));
        lesson.start();
        Lesson::command(lesson.main, QStringLiteral("mnu_Wyprosi"));
        auto *tasks = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
        auto *field = Lesson::control<TextBox>(tasks, "Text_Un(0)");
        tasks->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(tasks));
        type(field, QStringLiteral("Пиша"));
        if (focusWindow) {
            Lesson::command(tasks, QStringLiteral("mnu_Pylen_Ekran"));
            field = Lesson::control<TextBox>(lesson.window(QStringLiteral("Tarv_Zad")),
                                             "Obsho_Pole");
            QCOMPARE(field->text(), QStringLiteral("Пиша"));
        }
        const auto kept = [field] {
            return heading + toCp1251(QStringLiteral("Задача  1\r\n") + field->text() + "\r\n");
        };
        type(field, QStringLiteral("Още"));
        lesson.tick(49);
        QCOMPARE(lesson.file(QStringLiteral("OTGOWORI.TXT")), QByteArray("last lesson's"));
        lesson.tick();
        QTRY_COMPARE_WITH_TIMEOUT(lesson.file(QStringLiteral("OTGOWORI.TXT")), kept(), 20000);
        QCOMPARE(field->text().size(), 7);
        type(field, QStringLiteral("!"));
        lesson.tick(50);
        QTRY_COMPARE_WITH_TIMEOUT(lesson.file(QStringLiteral("OTGOWORI.TXT")), kept(), 20000);
        QCOMPARE(field->text().size(), 8);
        QCOMPARE(everything(lesson.folder.path()),
                 QStringList({pupilRecordName(), answersLockName(), "OPTIM.UFG", "OTGOWORI.TXT"}));
    }

    // A second program started in the same folder keeps no answers there,
    // neither while it runs nor when it ends, and says so; a program that
    // died leaves no lock behind.
    void aSecondCopyInTheSameFolderKeepsNoAnswers()
    {
        if (!QFileInfo(program).isExecutable())
            QSKIP("the lesson program has not been built");
        Pupil first;
        QVERIFY(first.start());
        const QString answers = first.path(QStringLiteral("OTGOWORI.TXT"));
        QVERIFY(writeFile(answers, "the first pupil's answers"));
        QProcess second;
        second.setProcessEnvironment(first.process.processEnvironment());
        second.setWorkingDirectory(first.folder.path());
        second.start(program);
        for (QByteArray said; !said.contains("shown");) {
            QVERIFY(second.waitForReadyRead(30000));
            said += second.readAllStandardOutput();
        }
        QCOMPARE(::kill(pid_t(second.processId()), SIGTERM), 0);
        QVERIFY(second.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(second.readAllStandardError())
                    .contains(QStringLiteral("OTGOWORI.TXT“ не беше записан. ")
                              + answersHeldElsewhere()));
        QCOMPARE(readFile(answers), QByteArray("the first pupil's answers"));
        // The first one dies without a word; the next one keeps the answers.
        QCOMPARE(::kill(pid_t(first.process.processId()), SIGKILL), 0);
        QVERIFY(first.process.waitForFinished(30000));
        second.start(program);
        for (QByteArray said; !said.contains("shown");) {
            QVERIFY(second.waitForReadyRead(30000));
            said += second.readAllStandardOutput();
        }
        QCOMPARE(::kill(pid_t(second.processId()), SIGTERM), 0);
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(readFile(answers), heading);
    }

    // A folder whose name is not UTF-8 (unpacked from an archive made on
    // Windows, or named on an older system): the program started there reads
    // its configuration file and writes the answers into it.
    void aFolderNamedInAnotherCodePage_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("Windows-1251") << toCp1251(QStringLiteral("Урок 10А"));
        QTest::newRow("Latin-1") << QByteArray("Le\xe7on d'\xe9t\xe9");
    }
    void aFolderNamedInAnotherCodePage()
    {
        QFETCH(QByteArray, name);
        if (!QFileInfo(program).isExecutable())
            QSKIP("the lesson program has not been built");
        Pupil pupil;
        const QByteArray folder = QFile::encodeName(pupil.folder.path()) + '/' + name;
        QVERIFY(::mkdir(folder.constData(), 0777) == 0);
        // QDir cannot name what is in it: the folder is emptied by its bytes.
        const auto cleanUp = qScopeGuard([folder] {
            for (const char *file : {"/OPTIM.UFG", "/OTGOWORI.TXT", "/.urok-lock"})
                ::unlink((folder + file).constData());
            ::rmdir(folder.constData());
        });
        const QByteArray config = configWith({});
        const QByteArray configPath = folder + "/OPTIM.UFG";
        pupil.process.setChildProcessModifier([folder, config, configPath] {
            FILE *f = std::fopen(configPath.constData(), "wb");
            const bool written = f && std::fwrite(config.constData(), 1, size_t(config.size()), f)
                                          == size_t(config.size());
            if (!f || std::fclose(f) != 0 || !written || ::chdir(folder.constData()) != 0)
                ::_exit(99);
        });
        QVERIFY(pupil.start());
        QCOMPARE(::kill(pid_t(pupil.process.processId()), SIGTERM), 0);
        QVERIFY(pupil.process.waitForFinished(30000));
        QFile answers;
        const int fd = ::open((folder + "/OTGOWORI.TXT").constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(fd >= 0 && answers.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
        QCOMPARE(answers.readAll(), heading);
    }

    void symbolicLinksAreReplacedNotFollowed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("dangling");
        QTest::newRow("answers file, link to a file outside") << "OTGOWORI.TXT" << false;
        QTest::newRow("save file, dangling link") << "OPTIM_01.TXT" << true;
    }
    void symbolicLinksAreReplacedNotFollowed()
    {
        QFETCH(QString, name);
        QFETCH(bool, dangling);
        QTemporaryDir outside;
        const QString target = outside.filePath(QStringLiteral("target"));
        if (!dangling)
            QVERIFY(writeFile(target, "another pupil's file"));
        Lesson lesson({{16, 1}});
        QVERIFY(QFile::link(target, lesson.path(name)));
        lesson.start();
        if (name == u"OTGOWORI.TXT") {
            leave(lesson);
            QVERIFY(lesson.ended);
        } else {
            Lesson::command(lesson.main, QStringLiteral("mnu_Wyprosi"));
            auto *tasks = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
            type(Lesson::control<TextBox>(tasks, "Text_Un(0)"), QStringLiteral("отговор"));
            Lesson::command(tasks, QStringLiteral("mnu_ZapReshen(2)"));
        }
        QCOMPARE(QFileInfo::exists(target), !dangling);
        if (!dangling)
            QCOMPARE(readFile(target), QByteArray("another pupil's file"));
        QVERIFY(!QFileInfo(lesson.path(name)).isSymLink());
        QCOMPARE(lesson.file(name), dangling ? toCp1251(QStringLiteral("отговор")) : heading);
        QVERIFY(lesson.boxes.allAnswered());
    }

    void theFolderMovedOrDeletedDuringTheLesson_data()
    {
        QTest::addColumn<bool>("replaced");
        QTest::newRow("moved, another folder at its path") << true;
        QTest::newRow("deleted") << false;
    }
    void theFolderMovedOrDeletedDuringTheLesson()
    {
        QFETCH(bool, replaced);
        Lesson lesson;
        lesson.start();
        const QString original = lesson.folder.path();
        const QString moved = original + QStringLiteral("-moved");
        QVERIFY(QDir().rename(original, moved));
        if (replaced) {
            QVERIFY(QDir().mkdir(original));
            leave(lesson);
            QVERIFY(lesson.ended);
            QCOMPARE(readFile(moved + QStringLiteral("/OTGOWORI.TXT")), heading);
            QCOMPARE(everything(original), QStringList());
        } else {
            QVERIFY(QDir(moved).removeRecursively());
            leave(lesson, {QStringLiteral("OK"), QStringLiteral("Не")}); // and stay
            QVERIFY(!lesson.ended);
            const QStringList seen = lesson.boxes.texts();
            QCOMPARE(seen.size(), 3);
            QVERIFY2(seen[1].contains(QStringLiteral("OTGOWORI.TXT“ не беше записан.\n"
                                                     "Папката на урока вече не съществува")),
                     qPrintable(seen[1]));
            QVERIFY(lesson.main->isVisible());
        }
        QDir(moved).removeRecursively();
        QVERIFY(lesson.boxes.allAnswered());
    }

    // Some removable disks let a file be changed but no file be created: the
    // file is rewritten in place, and nothing is left beside it.
    void aFolderWhereFilesCannotBeCreated_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::newRow("the file grows") << QByteArray("x");
        QTest::newRow("the file shrinks") << QByteArray(300, 'x');
        QTest::newRow("no file yet") << QByteArray();
    }
    void aFolderWhereFilesCannotBeCreated()
    {
        QFETCH(QByteArray, old);
        Lesson lesson;
        const QString answers = lesson.path(QStringLiteral("OTGOWORI.TXT"));
        if (!old.isEmpty()) {
            QVERIFY(writeFile(answers, old));
            QVERIFY(QFile::setPermissions(answers, QFileDevice::Permissions(0x6666)));
        }
        lesson.start();
        QVERIFY(QFile::setPermissions(lesson.folder.path(), QFileDevice::Permissions(0x5555)));
        {
            AsOrdinaryUser ordinary;
            // With no file to change: leave without the answers.
            leave(lesson, old.isEmpty() ? QStringList({"OK", "Да"}) : QStringList());
        }
        QVERIFY(lesson.ended);
        QVERIFY(lesson.boxes.allAnswered());
        if (old.isEmpty()) {
            QVERIFY2(lesson.boxes.texts()[1].endsWith(
                         QStringLiteral("Няма разрешение за запис в тази папка.")),
                     qPrintable(lesson.boxes.texts()[1]));
            QCOMPARE(everything(lesson.folder.path()), QStringList({answersLockName(), "OPTIM.UFG"}));
        } else {
            QCOMPARE(readFile(answers), heading);
            QCOMPARE(everything(lesson.folder.path()),
                     QStringList({answersLockName(), "OPTIM.UFG", "OTGOWORI.TXT"}));
        }
        QFile::setPermissions(lesson.folder.path(), QFileDevice::Permissions(0x7777));
    }

    // Where no file may be created a file is rewritten in place only when it
    // has no other name: a hard link to a file outside the folder is never
    // written through. An immutable file is told as such.
    void aFileThatMayNotBeReplacedIsToldTruly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("immutable");
        QTest::addColumn<QString>("reason");
        const QString linked = QStringLiteral("Файлът има и други имена (твърди връзки), а в "
                                              "папката не могат да се създават нови файлове; той "
                                              "не е променен.");
        const QString locked = QStringLiteral("Файлът е защитен срещу промяна и не може да бъде "
                                              "заменен.");
        QTest::newRow("answers file, hard link") << "OTGOWORI.TXT" << false << linked;
        QTest::newRow("save file, hard link") << "OPTIM_01.TXT" << false << linked;
        QTest::newRow("answers file, immutable") << "OTGOWORI.TXT" << true << locked;
    }
    void aFileThatMayNotBeReplacedIsToldTruly()
    {
        QFETCH(QString, name);
        QFETCH(bool, immutable);
        QFETCH(QString, reason);
        QTemporaryDir outside;
        const QString other = outside.filePath(QStringLiteral("another pupil's"));
        QVERIFY(writeFile(other, "kept"));
        Lesson lesson({{16, 1}, {11, 1}});
        const QString path = lesson.path(name);
        if (immutable) {
            QVERIFY(writeFile(path, "kept"));
            if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) != 0)
                QSKIP("this file system keeps no immutable files");
        } else {
            QVERIFY(QFile::setPermissions(other, QFileDevice::Permissions(0x6666)));
            QVERIFY(::link(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()) == 0);
        }
        const auto cleanUp = qScopeGuard([&] {
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
            QFile::setPermissions(lesson.folder.path(), QFileDevice::Permissions(0x7777));
        });
        lesson.start();
        if (!immutable)
            QVERIFY(QFile::setPermissions(lesson.folder.path(), QFileDevice::Permissions(0x5555)));
        std::optional<AsOrdinaryUser> ordinary(std::in_place, !immutable);
        if (name == u"OTGOWORI.TXT") {
            leave(lesson, {QStringLiteral("OK"), QStringLiteral("Да")});
            QVERIFY(lesson.ended);
        } else {
            Lesson::command(lesson.main, QStringLiteral("mnu_Wyprosi"));
            auto *tasks = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
            type(Lesson::control<TextBox>(tasks, "Text_Un(0)"), QStringLiteral("отговор"));
            lesson.boxes.answer(QStringLiteral("OK"));
            Lesson::command(tasks, QStringLiteral("mnu_ZapReshen(2)"));
        }
        ordinary.reset();
        QVERIFY(lesson.boxes.allAnswered());
        QCOMPARE(lesson.boxes.texts().value(name == u"OTGOWORI.TXT" ? 1 : 0),
                 QStringLiteral("Файлът „%1“ не беше записан.\n%2").arg(path, reason));
        QCOMPARE(readFile(immutable ? path : other), QByteArray("kept"));
    }

    void anUnreadableConfigurationFileIsToldAsSuch()
    {
        Lesson lesson;
        QVERIFY(QFile::setPermissions(lesson.folder.path(), QFileDevice::Permissions(0x7755)));
        QVERIFY(QFile::setPermissions(lesson.path(QStringLiteral("OPTIM.UFG")), {}));
        lesson.boxes.answer(QStringLiteral("OK"));
        {
            AsOrdinaryUser ordinary;
            lesson.start();
        }
        QCOMPARE(lesson.boxes.texts(),
                 QStringList({QStringLiteral("Конфигурационният файл „%1“ не може да бъде "
                                             "прочетен.\nНяма разрешение за четене на файла.\n"
                                             "Моля, копирайте изпълнимия и коректния "
                                             "конфигурационен файл\nв основната директория на "
                                             "урока ")
                                  .arg(lesson.path(QStringLiteral("OPTIM.UFG")))}));
    }

    // A signal ends the lesson as "Изход" → "Да" would, the answer being
    // typed included. The program dies of the signal afterwards; here the
    // test only takes note of it.
    void aSignalKeepsTheAnswerBeingTyped()
    {
        Lesson lesson({{16, 1}});
        lesson.start();
        int ended = 0;
        LessonEndings endings(lesson.windows(), [&ended](int signal) { ended = signal; });
        Lesson::command(lesson.main, QStringLiteral("mnu_Wyprosi"));
        auto *tasks = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
        type(Lesson::control<TextBox>(tasks, "Text_Un(0)"), QStringLiteral("Още пиша"));
        QCOMPARE(::kill(::getpid(), SIGTERM), 0);
        for (QDeadlineTimer d(30000); ended == 0 && !d.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        QCOMPARE(ended, SIGTERM);
        QVERIFY(lesson.ended);
        QCOMPARE(lesson.file(QStringLiteral("OTGOWORI.TXT")),
                 heading + toCp1251(QStringLiteral("Задача  1\r\nОще пиша\r\n")));
    }

    // The real program ended from outside writes the answers as "Изход" →
    // "Да" would, and ends. Files that may not grow make a failure it tells
    // on standard error; the old file stays and nothing is left beside it.
    void endingsFromOutsideKeepTheAnswers_data()
    {
        QTest::addColumn<int>("signal"); // 0: the display or the session ends
        QTest::addColumn<bool>("sizeLimit");
        QTest::addColumn<bool>("session");
        QTest::newRow("SIGTERM") << int(SIGTERM) << false << false;
        QTest::newRow("SIGINT") << int(SIGINT) << false << false;
        QTest::newRow("SIGHUP") << int(SIGHUP) << false << false;
        QTest::newRow("SIGQUIT") << int(SIGQUIT) << false << false;
        QTest::newRow("SIGUSR1") << int(SIGUSR1) << false << false;
        QTest::newRow("SIGUSR2") << int(SIGUSR2) << false << false;
        QTest::newRow("SIGALRM") << int(SIGALRM) << false << false;
        QTest::newRow("SIGRTMIN") << int(SIGRTMIN) << false << false;
        QTest::newRow("SIGTERM, no file may grow") << int(SIGTERM) << true << false;
        QTest::newRow("the display gone") << 0 << false << false;
        QTest::newRow("the end of the session") << 0 << false << true;
    }
    void endingsFromOutsideKeepTheAnswers()
    {
        QFETCH(int, signal);
        QFETCH(bool, sizeLimit);
        QFETCH(bool, session);
        if (!QFileInfo(program).isExecutable())
            QSKIP("the lesson program has not been built");
        // The display and the session need an X server of their own.
        QProcess display;
        const auto stop = qScopeGuard([&display] {
            display.kill();
            display.waitForFinished();
        });
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (signal == 0) {
            const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
            if (xvfb.isEmpty())
                QSKIP("no Xvfb");
            display.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                 QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            QVERIFY(display.waitForReadyRead(30000));
            env.insert(QStringLiteral("DISPLAY"), ":" + QString::fromLatin1(display.readAll().trimmed()));
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        }
        Pupil pupil(env);
        const QString answers = pupil.path(QStringLiteral("OTGOWORI.TXT"));
        if (sizeLimit) {
            QVERIFY(writeFile(answers, "old"));
            pupil.process.setChildProcessModifier([] {
                std::signal(SIGXFSZ, SIG_DFL);
                const rlimit limit{10, 10};
                setrlimit(RLIMIT_FSIZE, &limit);
            });
        }
        if (session) {
#ifdef UROK_HAVE_SM
            SessionManager manager;
            QProcessEnvironment managed = pupil.process.processEnvironment();
            managed.insert(QStringLiteral("SESSION_MANAGER"), manager.address);
            pupil.process.setProcessEnvironment(managed);
            // The program registers with the session manager as it starts.
            pupil.process.start();
            QVERIFY(manager.endSession([&pupil] {
                pupil.process.waitForReadyRead(0);
                return pupil.shown();
            }));
#else
            QSKIP("built without the session management library (libsm-dev)");
#endif
        } else {
            QVERIFY(pupil.start());
            if (signal)
                QCOMPARE(::kill(pid_t(pupil.process.processId()), signal), 0);
            else
                display.kill();
        }
        QVERIFY(pupil.process.waitForFinished(30000));
        if (signal) {
            QCOMPARE(pupil.process.exitStatus(), QProcess::CrashExit);
            QCOMPARE(pupil.process.exitCode(), signal);
        }
        if (!sizeLimit) {
            QCOMPARE(readFile(answers), heading);
            return;
        }
        QVERIFY(pupil.process.readAllStandardError().contains(
            QStringLiteral("OTGOWORI.TXT“ не беше записан. Файлът е по-голям, отколкото е "
                           "разрешено на програмата (ограничение на размера на файловете).")
                .toUtf8()));
        QCOMPARE(readFile(answers), QByteArray("old"));
        QCOMPARE(everything(pupil.folder.path()),
                 QStringList({answersLockName(), "OPTIM.UFG", "OTGOWORI.TXT"}));
    }

    void urokSetupOntoAFullDiskKeepsTheOldFile()
    {
        const QString setup = QStringLiteral(UROK_BINARY_DIR "/tools/urok-setup/urok-setup");
        if (!QFileInfo(setup).isExecutable())
            QSKIP("urok-setup has not been built");
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("OPTIM.UFG"));
        QVERIFY(writeFile(output, "old contents"));
        QProcess tool;
        tool.setProgram(setup);
        tool.setArguments({QStringLiteral("write"),
                           QStringLiteral(UROK_SOURCE_DIR "/config/OPTIM.profile"), output});
        tool.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{300, 300}; // half of the 600 bytes
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        tool.start();
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 1);
        const QString err = QString::fromUtf8(tool.readAllStandardError());
        QVERIFY2(err.contains(output + QStringLiteral(": грешка: записът на файла не успя; файлът е "
                                                      "оставен какъвто беше")),
                 qPrintable(err));
        QCOMPARE(readFile(output), QByteArray("old contents"));
        QCOMPARE(everything(dir.path()), QStringList({QStringLiteral("OPTIM.UFG")}));
    }
};

QTEST_MAIN(FileFaultsTest)
#include "test_file_faults.moc"
