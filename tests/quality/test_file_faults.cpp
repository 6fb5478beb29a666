// File-system faults for the files the program writes, where the tests of
// the tasks window (tests/tasks/test_saving.cpp) and of urok-setup
// (tests/tools/test_urok_setup.cpp) leave them out:
//
// - a save file through the "Запис" menu when the disk fills;
// - the answers file on leaving, when the folder is gone or the disk fills,
//   both when the pupil stays and when the pupil leaves anyway;
// - the real urok-setup program when the disk fills.
//
// A full disk is a file-size limit (RLIMIT_FSIZE) with SIGXFSZ ignored, set
// for the test process itself only while the program writes, so that the
// windows stay in this process; a child started meanwhile inherits it.
#include "engine/AnswersFile.h"
#include "engine/Cp1251.h"
#include "support/TaskSession.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace urok;
using namespace urok::test;

namespace {

// While it lives, no file of this process (or of a child it starts) can
// grow past `bytes`: a write beyond that fails as on a full disk.
class DiskFullAt
{
public:
    explicit DiskFullAt(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            qFatal("the file-size limit cannot be set");
    }
    ~DiskFullAt()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    DiskFullAt(const DiskFullAt &) = delete;
    DiskFullAt &operator=(const DiskFullAt &) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

QByteArray contents(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

bool put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Everything in a folder, hidden files (temporary ones) included.
QStringList everything(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                               | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QByteArray cp(const char *utf8)
{
    return toCp1251(QString::fromUtf8(utf8));
}

const QByteArray oldContents = "old contents";

} // namespace

class FileFaultsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The limit really does what a full disk does to a plain write, and it
    // is lifted afterwards: without this the tests below would prove nothing.
    void theLimitFailsLargeWritesOnlyWhileItLasts()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("probe"));
        {
            DiskFullAt full(100);
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write(QByteArray(1000, 'x')) < 1000 || !f.flush());
        }
        QVERIFY(put(path, QByteArray(1000, 'x')));
        QCOMPARE(QFileInfo(path).size(), 1000);
    }

    // ---- Save files through the "Запис" menu -------------------------------

    void aSaveOntoAFullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("condition and answer") << 1;
        QTest::newRow("answer alone") << 2;
    }
    void aSaveOntoAFullDiskKeepsTheOldFile()
    {
        QFETCH(int, mode);
        TaskSession s({11, 15});
        const QString path = s.f.path(QStringLiteral("OPTIM_01.TXT"));
        QVERIFY(put(path, oldContents));
        s.type(QString(300, u'ж'));   // 300 bytes in Windows-1251
        {
            DiskFullAt full(64);
            s.tasks->mnu_ZapReshen[mode]->trigger();
        }
        QCOMPARE(s.f.prompter.shown.size(), 1);
        const Message &m = s.f.prompter.shown[0];
        QCOMPARE(m.icon, Message::Icon::Critical);
        QVERIFY2(m.text.contains(QStringLiteral("„%1“").arg(QDir::toNativeSeparators(path)))
                     && m.text.contains(QStringLiteral("не беше записан"))
                     && m.text.contains(QStringLiteral("дискът може да е пълен")),
                 qPrintable(m.text));
        QCOMPARE(contents(path), oldContents);
        QCOMPARE(everything(s.f.folder.path()), QStringList({QStringLiteral("OPTIM_01.TXT")}));

        // The pupil goes on: the answer is still there, and with room on
        // the disk the same command saves it.
        QVERIFY(s.tasks->isVisible());
        QCOMPARE(s.field(0), QString(300, u'ж'));
        s.tasks->mnu_ZapReshen[mode]->trigger();
        QCOMPARE(s.f.prompter.shown.size(), 1);
        QVERIFY(contents(path).endsWith(QByteArray(300, '\xE6')));
        QCOMPARE(everything(s.f.folder.path()), QStringList({QStringLiteral("OPTIM_01.TXT")}));
    }

    // A save file smaller than the room left is written whole: the limit
    // above is what made the difference.
    void aSmallSaveFitsOntoTheSameDisk()
    {
        TaskSession s({11});
        s.type(QStringLiteral("да"));
        {
            DiskFullAt full(64);
            s.tasks->mnu_ZapReshen[2]->trigger();
        }
        QVERIFY(s.f.prompter.shown.isEmpty());
        QCOMPARE(contents(s.f.path(QStringLiteral("OPTIM_01.TXT"))), cp("да"));
    }

    // ---- The answers file on leaving the lesson ---------------------------

    void answersThatCannotBeWrittenKeepThePupilInTheLesson_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("the folder is gone") << QStringLiteral("folder");
        QTest::newRow("the disk is full") << QStringLiteral("disk");
    }
    void answersThatCannotBeWrittenKeepThePupilInTheLesson()
    {
        QFETCH(QString, fault);
        TaskSession s({12});
        const QString answer = QStringLiteral("Решавам с връщане назад: ") + QString(400, u'я');
        s.type(answer);
        s.tasks->mnu_IzhodN_Click();
        const QString folder = s.f.folder.path();
        const QString path = s.f.path(QStringLiteral("OTGOWORI.TXT"));
        QVERIFY(put(path, oldContents));

        s.f.prompter.answer(true);    // leave the lesson? Yes
        s.f.prompter.answer(false);   // leave without the answers? No
        if (fault == u"folder") {
            s.f.windows.platform.directory = s.f.path(QStringLiteral("gone"));
            s.main->Izhod_Click();
            s.f.windows.platform.directory = folder;
        } else {
            DiskFullAt full(64);
            s.main->Izhod_Click();
        }
        QVERIFY(!s.f.ended);
        QCOMPARE(s.f.prompter.shown.size(), 3);
        QVERIFY(s.f.prompter.answers.isEmpty());
        const QString failure = s.f.prompter.shown[1].text;
        QVERIFY2(failure.contains(QStringLiteral("OTGOWORI.TXT“ не беше записан")), qPrintable(failure));
        QVERIFY2(failure.contains(fault == u"folder" ? QStringLiteral("не съществува")
                                                     : QStringLiteral("дискът може да е пълен")),
                 qPrintable(failure));
        QVERIFY(s.f.prompter.shown[2].text.contains(QStringLiteral("не бяха записани")));
        QCOMPARE(contents(path), oldContents);
        QCOMPARE(everything(folder), QStringList({QStringLiteral("OTGOWORI.TXT")}));

        // The lesson goes on: the tasks window opens with the answer kept,
        // and leaving once the fault is gone writes the answers.
        QVERIFY(s.main->isVisible());
        s.main->mnu_Wyprosi_Click();
        QCOMPARE(s.field(0), answer);
        s.tasks->mnu_IzhodN_Click();
        s.f.prompter.shown.clear();
        s.f.prompter.answer(true);
        s.main->Izhod_Click();
        QVERIFY(s.f.ended);
        QCOMPARE(s.f.prompter.shown.size(), 1);
        QVERIFY(contents(path).contains(toCp1251(answer)));
        QCOMPARE(everything(folder), QStringList({QStringLiteral("OTGOWORI.TXT")}));
    }

    void thePupilMayLeaveWithoutTheAnswers()
    {
        TaskSession s({12});
        s.type(QString(400, u'я'));
        s.tasks->mnu_IzhodN_Click();
        const QString path = s.f.path(QStringLiteral("OTGOWORI.TXT"));
        QVERIFY(put(path, oldContents));
        s.f.prompter.answer(true);   // leave the lesson
        s.f.prompter.answer(true);   // and leave without the answers
        {
            DiskFullAt full(64);
            s.main->Izhod_Click();
        }
        QVERIFY(s.f.ended);
        QCOMPARE(s.f.prompter.shown.size(), 3);
        QCOMPARE(contents(path), oldContents);
        QCOMPARE(everything(s.f.folder.path()), QStringList({QStringLiteral("OTGOWORI.TXT")}));
    }

    // ---- urok-setup --------------------------------------------------------

    void urokSetupOntoAFullDiskKeepsTheOldFile()
    {
        const QString program = QStringLiteral(UROK_BINARY_DIR "/tools/urok-setup/urok-setup");
        const QString profile = QStringLiteral(UROK_SOURCE_DIR "/config/OPTIM.profile");
        if (!QFileInfo(program).isExecutable())
            QSKIP("urok-setup has not been built");
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("OPTIM.UFG"));
        QVERIFY(put(output, oldContents));

        QProcess setup;
        setup.setProgram(program);
        setup.setArguments({QStringLiteral("write"), profile, output});
        {
            DiskFullAt full(300);   // half of the 600 bytes
            setup.start();
            QVERIFY(setup.waitForFinished(60000));
        }
        QCOMPARE(setup.exitStatus(), QProcess::NormalExit);
        QCOMPARE(setup.exitCode(), 1);
        const QString err = QString::fromUtf8(setup.readAllStandardError());
        QVERIFY2(err.contains(output + QStringLiteral(": грешка: записът на файла не успя; файлът е "
                                                      "оставен какъвто беше")),
                 qPrintable(err));
        QCOMPARE(setup.readAllStandardOutput(), QByteArray());
        QCOMPARE(contents(output), oldContents);
        QCOMPARE(everything(dir.path()), QStringList({QStringLiteral("OPTIM.UFG")}));

        // With room on the disk the same command writes the whole file.
        setup.start();
        QVERIFY(setup.waitForFinished(60000));
        QCOMPARE(setup.exitCode(), 0);
        QCOMPARE(QFileInfo(output).size(), 600);
        QCOMPARE(everything(dir.path()), QStringList({QStringLiteral("OPTIM.UFG")}));
    }
};

QTEST_MAIN(FileFaultsTest)
#include "test_file_faults.moc"
