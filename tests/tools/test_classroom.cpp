#include "engine/Cp1251.h"
#include "engine/DriveType.h"
#include "engine/LessonFolder.h"
#include "engine/PupilRecord.h"
#include "support/Golden.h"
#include "support/Lesson.h"
#include "support/ToolRun.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

using namespace urok;
using urok::test::readFile;
using urok::test::writeFile;

namespace {

const QString Program = QStringLiteral(UROK_BINARY_DIR "/lesson/urok");
const QByteArray Answers = toCp1251(QStringLiteral("Има въведен текст по следните задачи:\r\nЗадача  3\r\nfor (;;);\r\n"));

// The teacher's tool run as the teacher runs it. What depends on the day
// and the machine is put in words: the archive's time, the login, the
// machine's name.
test::ToolRun urokSetup(const QStringList &args)
{
    test::ToolRun run = test::runUrokSetup(args);
    QString &out = run.out;
    out.replace(QRegularExpression(QStringLiteral("\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d")), QStringLiteral("ДАТА"));
    out.replace(QSysInfo::machineHostName(), QStringLiteral("КОМПЮТЪР"));
    if (const passwd *pw = getpwuid(getuid()))
        out.replace(QStringLiteral("(%1)").arg(QString::fromLocal8Bit(pw->pw_name)), QStringLiteral("(УЧЕНИК)"));
    return run;
}

// The golden outputs of the tool's commands.
QString goldenPath(const QString &name)
{
    return QStringLiteral(UROK_SOURCE_DIR "/tests/tools/testdata/") + name;
}

// Every file under a folder with its bytes, links as where they point.
QMap<QString, QByteArray> contents(const QString &folder)
{
    QMap<QString, QByteArray> all;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QFileInfo f(it.next());
        all[QDir(QDir(folder).absolutePath()).relativeFilePath(f.absoluteFilePath())] =
            f.isSymLink() ? "-> " + f.symLinkTarget().toUtf8() : f.isDir() ? "folder" : readFile(f.filePath());
    }
    return all;
}

// A lesson folder: the program (the real one, or a stand-in script), the
// lesson's configuration file as the build writes it, and more files.
void makeLessonFolder(const QString &path, const QString &program, const QMap<QString, QByteArray> &files)
{
    QDir().mkpath(path);
    if (program == u"real")
        QFile::link(Program, path + QStringLiteral("/urok"));
    else if (!program.isEmpty() && writeFile(path + QStringLiteral("/urok"), program.toUtf8()))
        QFile::setPermissions(path + QStringLiteral("/urok"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    writeFile(path + QStringLiteral("/OPTIM.UFG"), readFile(QStringLiteral(UROK_BINARY_DIR "/lesson/OPTIM.UFG")));
    for (auto it = files.begin(); it != files.end(); ++it)
        writeFile(path + u'/' + it.key(), it.value());
}

} // namespace

class ClassroomTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The folders are made in the build tree, on a disk that keeps files.
    void init()
    {
        QVERIFY(dir.emplace(QStringLiteral(UROK_BINARY_DIR "/classroom-XXXXXX")).isValid());
        QVERIFY(QDir::setCurrent(dir->path()));
        const int drive = Tip_disk(dir->path());
        if (drive != DriveFixed && drive != DriveRemovable)
            QSKIP("the build tree is not on a disk the lesson writes to");
    }
    void cleanup()
    {
        QDir::setCurrent(QStringLiteral(UROK_BINARY_DIR));
        dir.reset();
    }

    // check tells what would stop a class; it changes nothing in the folder.
    void checkSaysWhetherAMachineIsReady_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("files");   // name=text; "OPTIM.UFG=" removes it
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("golden");
        QTest::newRow("ready") << "real" << QStringList() << 0 << "check-ready.txt";
        QTest::newRow("the previous class's files")
            << "real" << QStringList({"OTGOWORI.TXT=x", "optim_05.txt=x", ".UCHENIK.TXT=x"}) << 1
            << "check-leftovers.txt";
        QTest::newRow("no configuration") << "real" << QStringList({"OPTIM.UFG="}) << 1 << "check-no-config.txt";
        QTest::newRow("another lesson's configuration")
            << "real" << QStringList({"OPTIM.UFG=" + QString(600, u'x')}) << 1 << "check-other-config.txt";
        QTest::newRow("no program") << "" << QStringList() << 1 << "check-no-program.txt";
        QTest::newRow("a program that fails")
            << "#!/bin/sh\necho 'error while loading shared libraries: libQt6Widgets.so.6' >&2\nexit 127\n"
            << QStringList() << 1 << "check-failing-program.txt";
    }

    void checkSaysWhetherAMachineIsReady()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, files);
        QFETCH(int, code);
        QFETCH(QString, golden);
        makeLessonFolder(QStringLiteral("pc07"), program, {});
        for (const QString &f : files) {
            const QString name = f.section(u'=', 0, 0);
            const QString text = f.section(u'=', 1);
            QVERIFY(text.isEmpty() ? QFile::remove(QStringLiteral("pc07/") + name)
                                   : writeFile(QStringLiteral("pc07/") + name, text.toUtf8()));
        }
        const QMap<QString, QByteArray> before = contents(QStringLiteral("pc07"));
        const test::ToolRun r = urokSetup({QStringLiteral("check"), QStringLiteral("pc07")});
        UROK_COMPARE_GOLDEN(goldenPath(golden), r.out.toUtf8());
        QCOMPARE(r.code, code);
        QCOMPARE(contents(QStringLiteral("pc07")), before);
    }

    // reset moves the pupil's files, and only those, into the archive; the
    // next class starts with none; nothing is lost.
    void resetMovesThePupilsFilesAside()
    {
        const QMap<QString, QByteArray> pupil = {{"OTGOWORI.TXT", Answers}, {"OPTIM_03.TXT", "three"},
                                                 {"optim_14.txt", "fourteen"}, {".UCHENIK.TXT", "record"}};
        makeLessonFolder(QStringLiteral("pc07"), QStringLiteral("real"), pupil);
        QVERIFY(writeFile(QStringLiteral("pc07/OPTIM_1.TXT"), "not a save file"));
        QVERIFY(QFile::link(QStringLiteral("/etc/hostname"), QStringLiteral("pc07/OTGOWORS.TXT")));
        QMap<QString, QByteArray> after = contents(QStringLiteral("pc07"));
        const test::ToolRun first = urokSetup({QStringLiteral("reset"), QStringLiteral("pc07")});
        UROK_COMPARE_GOLDEN(goldenPath(QStringLiteral("reset.txt")), first.out.toUtf8());
        QCOMPARE(first.code, 1);   // the link is left where it is, and said

        const QStringList archives = QDir(QStringLiteral("pc07/архив")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(archives.size(), 1);
        for (auto it = pupil.begin(); it != pupil.end(); ++it) {
            after.remove(it.key());
            after[QStringLiteral("архив/%1/%2").arg(archives[0], it.key())] = it.value();
        }
        after[QStringLiteral("архив")] = after[QStringLiteral("архив/") + archives[0]] = "folder";
        QCOMPARE(contents(QStringLiteral("pc07")), after);

        QVERIFY(QFile::remove(QStringLiteral("pc07/OTGOWORS.TXT")));
        const test::ToolRun second = urokSetup({QStringLiteral("reset"), QStringLiteral("pc07")});
        UROK_COMPARE_GOLDEN(goldenPath(QStringLiteral("reset-again.txt")), second.out.toUtf8());
        QCOMPARE(second.code, 0);
    }

    // While a lesson runs in the folder, reset moves nothing; the lock file
    // a lesson leaves behind when it ends blocks nothing.
    void resetLeavesARunningLessonAlone_data()
    {
        QTest::addColumn<bool>("running");
        QTest::newRow("a lesson runs") << true;
        QTest::newRow("a lesson ended") << false;
    }
    void resetLeavesARunningLessonAlone()
    {
        QFETCH(bool, running);
        test::Lesson lesson;
        if (running)
            lesson.start();
        else
            QVERIFY(writeFile(lesson.path(answersLockName()), ""));
        QVERIFY(writeFile(lesson.path(QStringLiteral("OPTIM_03.TXT")), "three"));
        const QMap<QString, QByteArray> before = contents(lesson.folder.path());
        const test::ToolRun r = urokSetup({QStringLiteral("reset"), lesson.folder.path()});
        QCOMPARE(r.code, running ? 1 : 0);
        QCOMPARE(r.out.contains(QStringLiteral("урокът е отворен в тази папка")), running);
        QCOMPARE(contents(lesson.folder.path()) == before, running);
    }

    // A class: one machine where the pupil ran the lesson and left it, one
    // stick with no record of its pupil, one where nothing was written, one
    // that is not there. Each machine's files land in a folder of its own
    // named by the machine; a second collect overwrites nothing.
    void collectGathersTheClass()
    {
        test::Lesson lesson;
        lesson.start();
        lesson.boxes.answer(QStringLiteral("Да"));
        test::Lesson::command(lesson.main, QStringLiteral("Izhod"));
        QVERIFY(lesson.ended);
        const QByteArray record = lesson.file(pupilRecordName());
        const std::optional<PupilRecord> read = readPupilRecord(record);
        QVERIFY2(read, record.constData());
        QCOMPARE(read->machine, QSysInfo::machineHostName());
        QCOMPARE(read->login, QString::fromLocal8Bit(getpwuid(getuid())->pw_name));
        QVERIFY(read->started <= read->written && read->written <= QDateTime::currentDateTime().addSecs(1));
        QVERIFY(writeFile(lesson.path(QStringLiteral("OPTIM_07.TXT")), "seven"));

        makeLessonFolder(QStringLiteral("stick"), QString(), {{"otgowori.txt", Answers}});
        makeLessonFolder(QStringLiteral("pc03"), QString(), {{"OPTIM_02.TXT", "two"}});
        const QStringList args = {QStringLiteral("collect"), lesson.folder.path(), QStringLiteral("stick"),
                                  QStringLiteral("pc03"), QStringLiteral("pc99"), QStringLiteral("10a")};
        test::ToolRun r = urokSetup(args);
        r.out.replace(lesson.folder.path(), QStringLiteral("ПАПКА"));
        UROK_COMPARE_GOLDEN(goldenPath(QStringLiteral("collect.txt")), r.out.toUtf8());
        QCOMPARE(r.code, 1);
        const QMap<QString, QByteArray> collected = {
            {"КОМПЮТЪР", "folder"},
            {"КОМПЮТЪР/OTGOWORI.TXT", lesson.file(QStringLiteral("OTGOWORI.TXT"))},
            {"КОМПЮТЪР/OPTIM_07.TXT", "seven"},
            {"КОМПЮТЪР/.UCHENIK.TXT", record},
            {"stick", "folder"},
            {"stick/otgowori.txt", Answers},
            {"pc03", "folder"},
            {"pc03/OPTIM_02.TXT", "two"}};
        const QString machine = QSysInfo::machineHostName();
        QMap<QString, QByteArray> found = contents(QStringLiteral("10a"));
        for (const QString &key : found.keys())
            found[QString(key).replace(machine, QStringLiteral("КОМПЮТЪР"))] = found.take(key);
        QCOMPARE(found, collected);

        // The report names the pupil by the machine and the login.
        QCOMPARE(urokSetup({QStringLiteral("report"), QStringLiteral("--no-judge"), QStringLiteral("--csv"),
                            QStringLiteral("10a.csv"), QStringLiteral("10a")})
                     .code,
                 0);
        const QString csv = QString::fromUtf8(readFile(QStringLiteral("10a.csv")));
        QVERIFY2(csv.contains(QStringLiteral("\"%1 (%2)\";").arg(machine, read->login)), qPrintable(csv));
        QVERIFY(csv.contains(QStringLiteral("\"stick\";")));

        // The stick's pupil wrote more afterwards: the file collected stays.
        QVERIFY(writeFile(QStringLiteral("stick/otgowori.txt"), Answers + "more"));
        test::ToolRun again = urokSetup(args);
        again.out.replace(lesson.folder.path(), QStringLiteral("ПАПКА"));
        UROK_COMPARE_GOLDEN(goldenPath(QStringLiteral("collect-again.txt")), again.out.toUtf8());
        QCOMPARE(again.code, 1);
        QCOMPARE(readFile(QStringLiteral("10a/stick/otgowori.txt")), Answers);
    }

private:
    std::optional<QTemporaryDir> dir;
};

QTEST_MAIN(ClassroomTest)
#include "test_classroom.moc"
