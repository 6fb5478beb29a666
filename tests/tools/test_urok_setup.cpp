#include "Commands.h"
#include "ConfigImage.h"
#include "Profile.h"
#include "Timing.h"

#include "engine/ConfigFile.h"
#include "engine/Cp1251.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "engine/WritingTime.h"
#include "controls/ListBox.h"
#include "controls/TextBox.h"
#include "lesson/Tarv.h"
#include "support/ConfigBytes.h"
#include "support/Golden.h"
#include "support/Lesson.h"
#include "support/ToolRun.h"
#include "tasks/Tarv_n.h"

#include <QDirIterator>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace urok;
using namespace urok::setup;
using urok::test::readFile;
using urok::test::writeFile;

Q_DECLARE_METATYPE(urok::setup::LessonFacts)

namespace {

const QString LessonProfile = QStringLiteral(UROK_SOURCE_DIR "/config/OPTIM.profile");

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

// A command of the tool run in this process: what it prints, and its exit code.
template <class... Args>
Run run(int (*command)(Args...), const auto &...args)
{
    Run r;
    QTextStream out(&r.out), err(&r.err);
    r.code = command(args..., out, err);
    out.flush();
    err.flush();
    return r;
}

QString goldenPath(const QString &name)
{
    return QStringLiteral(UROK_SOURCE_DIR "/tests/tools/testdata/") + name;
}

// The text of a profile that says exactly what `p` holds.
QString profileText(const Profile &p)
{
    QString t;
    QTextStream s(&t);
    s << "lesson = \"" << p.lesson << "\"\nversion = " << p.version << "\ndate = " << p.date
      << "\ntasks offered = " << p.tasksOffered << "\ntasks listed = " << p.tasksListed << '\n';
    for (const OptionInfo &option : OptionTable)
        s << option.profileKey() << " = " << p.options[option.number() - 1] << '\n';
    for (int i = 0; i < SlotCount; ++i)
        s << "task " << i + 1 << " level = " << p.levels[i]
          << "\ntask " << i + 1 << " budget = " << p.budgets[i] << "\ntask " << i + 1
          << " hint = " << p.hints[i] << "\npoint " << i + 1 << " rate = " << p.rates[i] << '\n';
    s.flush();
    return t;
}

// A short valid profile for the built-in lesson (24 tasks, 4 points).
QString validProfile()
{
    QString t = QStringLiteral("# a teacher's profile\nlesson = OPTIM\nversion = 100\ndate = 20261206\n"
                               "tasks offered = 24\ntasks listed = 15\noption 1 = 1\noption 31 = 0\n");
    for (int k = 1; k <= 24; ++k)
        t += QStringLiteral("task %1 level = 2\ntask %1 budget = 60\ntask %1 hint = -30\n").arg(k);
    for (int k = 1; k <= 4; ++k)
        t += QStringLiteral("point %1 rate = 2\n").arg(k);
    return t;
}

// The line number (from 1) of the line that sets `key` in `text`.
int lineOf(const QString &text, const QString &key)
{
    return int(text.split(u'\n').indexOf(QRegularExpression(QRegularExpression::escape(key) + " =.*"))) + 1;
}

// Replaces the line that sets `key`; an empty replacement removes it.
QString withLine(const QString &text, const QString &key, const QString &replacement)
{
    QStringList lines = text.split(u'\n');
    lines.replace(lineOf(text, key) - 1, replacement);
    return lines.join(u'\n').replace(QStringLiteral("\n\n"), QStringLiteral("\n"));
}

// The valid profile with `line` as its line 3.
QString inserted(const QString &line)
{
    return QString(validProfile()).replace(QStringLiteral("version ="), line + QStringLiteral("\nversion ="));
}

// A configuration file written by the tool from the lesson's profile, changed.
QByteArray lessonFileWith(const std::function<void(Profile &)> &change)
{
    return test::configWith({}, change);
}

} // namespace

class UrokSetupTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every test runs in a fresh folder of its own.
    void init() { QVERIFY(folder.enter()); }
    void cleanup() { folder.leave(); }

    // ---- Profile -> file -> decoding -------------------------------------

    void everyFieldSurvivesProfileFileAndDecoding()
    {
        Profile expected;
        expected.lesson = QStringLiteral("Урок-ОПТИМ 2026");   // 15 characters
        expected.version = std::numeric_limits<qint32>::min();
        expected.date = 20261206;
        expected.tasksOffered = -3;
        expected.tasksListed = std::numeric_limits<qint32>::max();
        for (int i = 0; i < SlotCount; ++i) {
            expected.levels[i] = static_cast<qint16>((i * 3) % 10);
            expected.budgets[i] = static_cast<qint16>(-32000 + i * 1601);
            expected.hints[i] = static_cast<qint16>(31000 - i * 1553);
            expected.rates[i] = static_cast<qint16>(i * i - 700);
        }
        for (int i = 0; i < OptionCount; ++i)
            expected.options[i] = static_cast<qint16>((i * 7 / 3) % 2);
        expected.budgets[0] = std::numeric_limits<qint16>::min();
        expected.hints[39] = std::numeric_limits<qint16>::max();
        QVERIFY(writeFile(QStringLiteral("any.profile"), profileText(expected).toUtf8()));

        // A lesson with all 40 tasks and points, so that every value is one it
        // uses; its points have no text, so that every rate gives them time.
        const LessonFacts lesson{expected.lesson, 40, QList<qint64>(40, 0)};
        const Run r = run(writeCommand, QStringLiteral("any.profile"), QStringLiteral("Урок-ОПТИМ 2026.UFG"), lesson);
        QVERIFY2(!r.err.contains(QStringLiteral("грешка")), qPrintable(r.err));
        QCOMPARE(r.code, ExitOk);
        const QByteArray bytes = readFile(QStringLiteral("Урок-ОПТИМ 2026.UFG"));
        const std::optional<DecodedFile> decoded = decodeConfigFile(bytes);
        QVERIFY(decoded);
        QCOMPARE(profileText(decoded->profile), profileText(expected));   // a difference shows by its key
        QCOMPARE(decoded->textLength, 15);
        // Record 6 holds the options past 40 and nothing else.
        QCOMPARE(bytes.right(100).mid(2 * (OptionCount - SlotCount)), QByteArray(100 - 2 * (OptionCount - SlotCount), '\0'));
    }

    void layoutFreedomsOfAProfile()
    {
        // A byte-order mark, CR LF line ends, tabs, capitals, extra blanks,
        // comments after values, a quoted code with "#" and blanks in it,
        // numbers with a sign or leading zeros: all read as meant.
        QString text = QChar(0xFEFF)
                       + QStringLiteral("  LESSON\t=  \" A#B \"   # quoted\r\nVersion=+096\r\n"
                                        "date = 0020261206 # a date\r\nTASKS   Offered = 24\r\n"
                                        "tasks listed = -1\r\n\t# only a comment\r\n\r\noption   07 = 1\r\n");
        Profile expected{QStringLiteral(" A#B "), 96, 20261206, 24, -1};
        expected.options[6] = 1;   // unset options are off
        for (int k = 1; k <= 24; ++k) {
            text += QStringLiteral("Task %1 Level = 4\r\ntask %1 budget = %1\r\ntask %1 hint=-%1\r\n").arg(k);
            expected.levels[k - 1] = 4;
            expected.budgets[k - 1] = qint16(k);
            expected.hints[k - 1] = qint16(-k);
        }
        for (int k = 1; k <= 4; ++k) {
            text += QStringLiteral("point %1 RATE = %1\r\n").arg(k);
            expected.rates[k - 1] = qint16(k);
        }
        text += QStringLiteral("task 40 level = 9");   // no line end at the end
        expected.levels[39] = 9;

        const ProfileReading reading = readProfile(text, {QStringLiteral(" A#B "), 24, {10, 10, 10, 10}});
        QCOMPARE(reading.errors.size(), 0);
        QCOMPARE(profileText(*reading.profile), profileText(expected));
        // ...and a value for a task the lesson does not have is worth a warning
        // (besides those of the times, which are no class's).
        QCOMPARE(reading.warnings[0].line, 8 + 24 * 3 + 4 + 1);
        QVERIFY(reading.warnings[0].message.contains(QStringLiteral("задача 40")));
    }

    // The lesson's own profile: the file the tool writes from it (and the
    // build puts next to the program) is the golden one, the program reads
    // back every value the tool wrote, and every task is timed for a class.
    void theLessonProfileWritesTheGoldenFile()
    {
        const Run r = run(writeCommand, LessonProfile, QStringLiteral("OPTIM.UFG"), LessonFacts::builtIn());
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, ExitOk);
        const QByteArray bytes = readFile(QStringLiteral("OPTIM.UFG"));
        UROK_COMPARE_GOLDEN(goldenPath(QStringLiteral("OPTIM.UFG")), bytes);
        const QString built = QStringLiteral(UROK_BINARY_DIR "/lesson/OPTIM.UFG");
        if (QFile::exists(built))
            QCOMPARE(readFile(built), bytes);

        const Profile p = decodeConfigFile(bytes)->profile;
        LessonState state;
        const ConfigOutcome outcome = applyConfiguration(state, bytes);
        QCOMPARE(outcome.status, ConfigOutcome::Status::Applied);
        for (int n = 1; n <= OptionCount; ++n)
            QCOMPARE(state.Opcii_L().item(n), QString::number(p.options[n - 1]));
        const LessonFacts lesson = LessonFacts::builtIn();
        for (int k = 1; k <= 24; ++k) {
            QCOMPARE(state.Wremena(4).item(k), QString::number(p.levels[k - 1]));
            QCOMPARE(state.Wremena(1).item(k), QString::number(p.budgets[k - 1]));
            QCOMPARE(state.Wremena(0).item(k), QString::number(p.hints[k - 1]));
            const TaskTiming t = taskTiming(p.levels[k - 1], p.budgets[k - 1], p.hints[k - 1]);
            QVERIFY2(t.hint == TaskTiming::Hint::During && t.hintAt <= t.countdown * 6 / 10
                         && t.countdown >= 300 && t.countdown <= 2000,
                     qPrintable(QStringLiteral("task %1").arg(k)));
        }
        for (int k = 1; k <= 4; ++k)   // the tool's writing time is the program's
            QCOMPARE(state.Wremena(2).item(k), decimalText(writingTime(lesson.pointLengths[k - 1], p.rates[k - 1])));
        QCOMPARE(state.List_Ur(3).item(1), p.lesson);
        QCOMPARE(state.List_Ur(3).item(10), signedNumberText(p.date));
        QCOMPARE(outcome.taskList->size(), p.tasksListed);
    }

    // ---- show, compared whole with its golden file -------------------------

    void showPrintsTheGoldenFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<LessonFacts>("lesson");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("golden");
        const LessonFacts builtIn = LessonFacts::builtIn();
        QTest::newRow("the lesson's profile") << test::configWith({}) << builtIn << ExitOk << "lesson.show.txt";

        // Option 40 stored as -1 is off (-1 mod 2 is -1 for the program); point
        // 4's time is held at the 16-bit limit; task 3 stored as 12 is level 2.
        test::ConfigBytes f;
        f.setCode("OPTIM");
        const int values[][3] = {{1, 0, 1},  {1, 4, 3},  {1, 39, -1}, {2, 0, 3},  {2, 1, 2},
                                 {2, 2, 12}, {3, 0, -1}, {3, 1, -30}, {4, 0, 2},  {4, 1, 60},
                                 {5, 0, 2},  {5, 2, 300}, {5, 3, 32767}};
        for (const auto &[record, i, v] : values)
            f.value(record, i, qint16(v));
        const int numbers[][2] = {{1, 24}, {2, 15}, {3, 96}, {4, 20261206}};
        for (const auto &[record, n] : numbers)
            f.number(record, n);
        // Tasks 4 to 21, timed at the edges: levels below 1, stored above 9
        // and above 4, the hint at once, at its first and last moment or only
        // with the solution, budgets of 0 or less, the largest values.
        const int timed[][3] = {{1, 420, 151}, {0, 420, 151}, {-3, 100, 10},   {2, 60, -30},  {12, 60, -30},
                                {3, 2, -1},    {4, 2, -1},    {7, 1, 0},       {3, 1, -1},    {3, 1, 1},
                                {1, 300, 1},   {1, 300, 2},   {1, 300, 300},   {1, 300, 301}, {1, 0, -5},
                                {2, -5, 0},    {3, 32767, 32767}, {3, 32767, -32768}};
        for (int i = 0; i < 18; ++i) {
            f.value(2, 3 + i, qint16(timed[i][0]));
            f.value(4, 3 + i, qint16(timed[i][1]));
            f.value(3, 3 + i, qint16(timed[i][2]));
        }
        // Points 5 to 7: a time in hundredths, one below 0, the lower 16-bit limit.
        for (const auto &[i, rate] : {std::pair{4, 2}, {5, -2}, {6, -32768}})
            f.value(5, i, qint16(rate));
        QTest::newRow("made by hand") << f.bytes << LessonFacts{QStringLiteral("OPTIM"), 24, {1000, 2000, 3000, 4000, 3656, 100, 100000}}
                                      << ExitOk << "hand-built.show.txt";

        f = test::ConfigBytes();
        f.setCode("ABCDEFGHIJKLMNO", 200);
        f.bytes[599] = 1;
        QTest::newRow("length 200, record 6 not empty")
            << f.bytes << LessonFacts{QStringLiteral("ABCDEFGHIJKLMNO"), 1, {10}} << ExitOk << "long-code.show.txt";

        QTest::newRow("tasks not offered, beyond the lesson") << lessonFileWith([](Profile &p) {
            p.tasksOffered = 20;
            p.tasksListed = 30;
            p.levels[29] = 1;
            p.budgets[29] = 100;
            p.rates[6] = 5;
        }) << builtIn << ExitOk << "not-offered.show.txt";
        QTest::newRow("none offered") << lessonFileWith([](Profile &p) { p.tasksOffered = -1; }) << builtIn
                                      << ExitOk << "none-offered.show.txt";
        QTest::newRow("another lesson") << lessonFileWith([](Profile &p) { p.lesson = QStringLiteral("ДРУГ"); })
                                        << builtIn << ExitFailed << "another-lesson.show.txt";
        QTest::newRow("letter case counts") << lessonFileWith([](Profile &p) { p.lesson = QStringLiteral("optim"); })
                                            << builtIn << ExitFailed << "lower-case.show.txt";
    }

    void showPrintsTheGoldenFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(LessonFacts, lesson);
        QFETCH(int, code);
        QFETCH(QString, golden);
        QVERIFY(writeFile(QStringLiteral("OPTIM.UFG"), file));
        const Run r = run(showCommand, QStringLiteral("OPTIM.UFG"), lesson);
        UROK_COMPARE_GOLDEN(goldenPath(golden), (r.out + r.err).toUtf8());
        QCOMPARE(r.code, code);
    }

    // ---- write: every message of a profile, compared whole ------------------

    // The output exists before; a failure leaves it as it was, a success
    // replaces it whole with the 600 bytes of the file.
    void writeReportsTheGoldenMessages_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("golden");
        QString broken = withLine(validProfile(), QStringLiteral("task 2 level"), QStringLiteral("task 2 level = 11"));
        broken = withLine(broken, QStringLiteral("task 3 level"), QStringLiteral("task 3 level = x"));
        for (const char *key : {"point 3 rate", "task 5 level", "task 5 budget", "task 5 hint", "task 6 hint"})
            broken = withLine(broken, QString::fromUtf8(key), QString());
        broken.replace(QStringLiteral("\noption 1"), QStringLiteral("\nTask  07 LEVEL = 2\noption 1"));
        QTest::newRow("every error at once") << broken << "OPTIM.UFG" << ExitFailed << "errors.write.txt";
        QTest::newRow("an empty profile") << QString() << "OPTIM.UFG" << ExitFailed << "empty.write.txt";
        QTest::newRow("a good profile replaces the file")
            << validProfile() << "OPTIM.UFG" << ExitOk << "good.write.txt";
        QTest::newRow("scrambled content")
            << withLine(validProfile(), QStringLiteral("option 31"), QStringLiteral("option 31 = 1")) << "OPTIM.UFG"
            << ExitOk << "scrambled.write.txt";
        QTest::newRow("another code and file name")
            << withLine(validProfile(), QStringLiteral("lesson"), QStringLiteral("lesson = DRUGI")) << "optim.ufg"
            << ExitOk << "another-code.write.txt";
    }

    void writeReportsTheGoldenMessages()
    {
        QFETCH(QString, profile);
        QFETCH(QString, output);
        QFETCH(int, code);
        QFETCH(QString, golden);
        QVERIFY(writeFile(QStringLiteral("p.profile"), profile.toUtf8()));
        QVERIFY(writeFile(output, QByteArray(5000, 'x')));
        const Run r = run(writeCommand, QStringLiteral("p.profile"), output, LessonFacts::builtIn());
        UROK_COMPARE_GOLDEN(goldenPath(golden), (r.out + r.err).toUtf8());
        QCOMPARE(r.code, code);
        const QByteArray bytes = readFile(output);
        if (code == ExitOk)
            QCOMPARE(decodeConfigFile(bytes)->profile, *readProfile(profile, LessonFacts::builtIn()).profile);
        else
            QCOMPARE(bytes, QByteArray(5000, 'x'));
    }

    // ---- Bad profiles: each message on its line ----------------------------

    void aBadProfileIsRejectedWithItsLine_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("line");   // 0: the profile as a whole
        QTest::addColumn<QString>("message");
        const auto in = [](const char *line, const char *message) {
            QTest::newRow(line) << inserted(QString::fromUtf8(line)) << 3 << QString::fromUtf8(message);
        };
        const auto instead = [](const char *key, const char *line, const char *message) {
            QTest::newRow(line) << withLine(validProfile(), QString::fromUtf8(key), QString::fromUtf8(line))
                                << lineOf(validProfile(), QString::fromUtf8(key)) << QString::fromUtf8(message);
        };
        in("task 3 level 2", "очаква се ред „ключ = стойност“");
        in("= 5", "липсва ключ");
        in("colour = 5", "непознат ключ „colour“");
        in("task 3 colour = 1", "непознат ключ „task 3 colour“");
        in("point 1 level = 1", "непознат ключ „point 1 level“");
        // As many options as the table holds.
        const QByteArray options = QStringLiteral("от 1 до %1").arg(OptionCount).toUtf8();
        const QByteArray pastTheLast = QStringLiteral("option %1 = 1").arg(OptionCount + 1).toUtf8();
        in(pastTheLast.constData(), options.constData());
        in("option 0 = 1", options.constData());
        in("task 41 budget = 1", "от 1 до 40");
        in("point 0 rate = 1", "от 1 до 40");
        in("option 2 = 2", "от 0 до 1");
        in("option 3 = -1", "от 0 до 1");
        instead("task 7 level", "task 7 level = 10", "от 0 до 9");
        instead("task 7 level", "task 7 level = -1", "от 0 до 9");
        instead("task 8 budget", "task 8 budget = 32768", "от -32768 до 32767");
        instead("task 9 hint", "task 9 hint = -32769", "от -32768 до 32767");
        instead("point 2 rate", "point 2 rate = 99999999999999999999", "от -32768 до 32767");
        instead("version", "version = 2147483648", "от -2147483648 до 2147483647");
        instead("date", "date = 2026-12-06", "цяло число");
        instead("version", "version = 1.5", "цяло число");
        instead("tasks listed", "tasks listed = \"15\"", "цяло число");
        instead("tasks offered", "tasks offered =", "липсва стойност");
        instead("lesson", "lesson = ABCDEFGHIJKLMNOP", "най-много 15");
        instead("lesson", "lesson = ОПТИМ≤", "Windows-1251");
        instead("lesson", "lesson = \"\"", "празен");
        instead("lesson", "lesson = \"OPTIM", "кавичките не са затворени");
        instead("lesson", "lesson = \"OPT\" IM", "след затварящите кавички");
        QTest::newRow("a key twice") << inserted(QStringLiteral("Task  05 LEVEL = 2"))
                                     << lineOf(validProfile(), QStringLiteral("task 5 level")) + 1
                                     << QStringLiteral("„task 5 level“ вече е зададен на ред 3");
        for (const char *key : {"lesson", "version", "date", "tasks offered", "tasks listed", "task 1 level",
                                "task 12 budget", "task 24 hint", "point 1 rate", "point 4 rate"})
            QTest::newRow(qPrintable(QStringLiteral("no ") + key))
                << withLine(validProfile(), QString::fromUtf8(key), QString()) << 0
                << (QByteArray(key).endsWith("budget") || QByteArray(key).endsWith("hint")
                        ? QStringLiteral("(или „%1“)")   // the time in minutes is asked for first
                        : QStringLiteral("липсва „%1“"))
                       .arg(QString::fromUtf8(key));
    }

    void aBadProfileIsRejectedWithItsLine()
    {
        QFETCH(QString, profile);
        QFETCH(int, line);
        QFETCH(QString, message);
        QVERIFY(writeFile(QStringLiteral("bad.profile"), profile.toUtf8()));
        const QString where = line ? QStringLiteral("bad.profile:%1: грешка: ").arg(line)
                                   : QStringLiteral("bad.profile: грешка: ");
        for (const bool existing : {false, true}) {
            if (existing)
                QVERIFY(writeFile(QStringLiteral("OPTIM.UFG"), "the teacher's earlier file"));
            const Run r = run(writeCommand, QStringLiteral("bad.profile"), QStringLiteral("OPTIM.UFG"), LessonFacts::builtIn());
            QCOMPARE(r.code, ExitFailed);
            const QStringList lines = r.err.split(u'\n');
            QVERIFY2(std::any_of(lines.begin(), lines.end(),
                                 [&](const QString &l) { return l.startsWith(where) && l.contains(message); }),
                     qPrintable(r.err));
            QCOMPARE(r.out, QString());
            QCOMPARE(readFile(QStringLiteral("OPTIM.UFG")),
                     existing ? QByteArray("the teacher's earlier file") : QByteArray());
            QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden).size(), existing ? 2 : 1);
        }
    }

    // ---- The command line, through the real program ------------------------

    // Each case runs urok-setup in a folder holding ok.profile, cp1251.profile,
    // task.txt, bad-task.txt, configuration files of a wrong size, a/OTGOWORI.TXT
    // and the folder "folder"; a failure leaves every file as it was and adds none.
    void commandLineFailures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, const char *args, int code, const char *message) {
            QTest::newRow(name) << QString::fromUtf8(args).split(u' ') << code << QString::fromUtf8(message);
        };
        row("no command", "frob", ExitUsage, "грешни аргументи");
        row("unknown option", "write -x ok.profile OPTIM.UFG", ExitUsage, "непознат параметър „x“");
        row("report options elsewhere", "write ok.profile OPTIM.UFG --csv t.csv", ExitUsage, "само за report");
        row("missing profile", "write missing.profile OPTIM.UFG", ExitFailed,
            "missing.profile: грешка: профилът не може да се прочете");
        row("a folder as profile", "write folder OPTIM.UFG", ExitFailed, "folder: грешка: това е папка");
        row("a profile in Windows-1251", "write cp1251.profile OPTIM.UFG", ExitFailed, "не е записан в UTF-8");
        row("a device as profile", "write /dev/zero OPTIM.UFG", ExitFailed,
            "/dev/zero: грешка: профилът не е обикновен файл");
        row("a FIFO as profile", "write fifo OPTIM.UFG", ExitFailed, "fifo: грешка: профилът не е обикновен файл");
        row("show a FIFO", "show fifo", ExitFailed, "fifo: грешка: файлът не е обикновен файл");
        row("scramble a FIFO", "scramble fifo s.txt", ExitFailed, "fifo: файлът не е обикновен файл");
        row("write onto a device", "write ok.profile null", ExitFailed, "null: грешка: записът на файла не успя");
        row("write onto a FIFO", "write ok.profile fifo", ExitFailed, "това не е обикновен файл");
        row("scramble onto a device", "scramble task.txt null", ExitFailed, "това не е обикновен файл");
        row("report onto a device", "report -o null a", ExitFailed, "това не е обикновен файл");
        row("onto the profile", "write ok.profile ok.profile", ExitFailed, "ok.profile: грешка: това е самият профил");
        row("onto the profile by another name", "write ok.profile folder/../ok.profile", ExitFailed,
            "това е самият профил");
        row("into a missing folder", "write ok.profile nowhere/OPTIM.UFG", ExitFailed, "не съществува");
        row("a folder in the way", "write ok.profile folder", ExitFailed, "на мястото на файла има папка");
        row("show a missing file", "show OPTIM.UFG", ExitFailed, "грешка: файлът не може да се прочете");
        row("show 599 bytes", "show 599.UFG", ExitFailed,
            "599.UFG: грешка: файлът има 599 байта, а конфигурационният файл има точно 600");
        row("show 601 bytes", "show 601.UFG", ExitFailed, "601.UFG: грешка: файлът има 601 байта");
        row("show an empty file", "show 0.UFG", ExitFailed, "0.UFG: грешка: файлът има 0 байта");
        row("scramble onto the task", "scramble task.txt task.txt", ExitFailed, "task.txt: това е входен файл");
        row("scramble a device", "scramble /dev/zero s.txt", ExitFailed, "/dev/zero: файлът не е обикновен файл");
        row("scramble what Windows-1251 lacks", "scramble bad-task.txt s.txt", ExitFailed,
            "bad-task.txt:2: има знак извън кодовата таблица Windows-1251");
        row("report of no answers", "report folder", ExitFailed, "не е намерен нито един файл с отговори");
        row("report onto an answers file", "report -o a/OTGOWORI.TXT a", ExitFailed,
            "a/OTGOWORI.TXT: грешка: това е входен файл");
        row("report of no path", "report", ExitUsage, "поне една папка");
        row("report without a page", "report a -o", ExitUsage, "липсва стойност");
        row("report into one file twice", "report -o x --csv x a", ExitUsage, "един и същ файл");
        row("teacher's tests missing", "report --tests nowhere a", ExitUsage, "няма папка с тестове „nowhere“");
        row("tests and no judging", "report --no-judge --tests a a", ExitUsage, "--tests не се съчетава с --no-judge");
        row("judging outside report", "show 0.UFG --no-judge", ExitUsage, "са само за report");
    }

    void commandLineFailures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const QByteArray file = test::ConfigBytes::usual().bytes;
        const std::map<QString, QByteArray> inputs = {
            {QStringLiteral("ok.profile"), validProfile().toUtf8()},
            {QStringLiteral("cp1251.profile"), validProfile().toUtf8() + "# \xEA\xEE\xEC\n"},
            {QStringLiteral("task.txt"), "@hint\nh\n@hint2\nh\n@condition\nc\n@solution\ns\n"},
            {QStringLiteral("bad-task.txt"), "@hint\nупътване ≤\n@hint2\nx\n@condition\nc\n@solution\ns\n"},
            {QStringLiteral("599.UFG"), file.left(599)},
            {QStringLiteral("601.UFG"), file + '\0'},
            {QStringLiteral("0.UFG"), QByteArray()},
            {QStringLiteral("a/OTGOWORI.TXT"), toCp1251(QStringLiteral("Има въведен текст по следните задачи:\r\n"))}};
        QVERIFY(QDir().mkdir(QStringLiteral("folder")) && QDir().mkdir(QStringLiteral("a")));
        for (const auto &[name, bytes] : inputs)
            QVERIFY(writeFile(name, bytes));
        // A FIFO nobody writes, and the machine's null device under another name.
        QVERIFY(::mkfifo("fifo", 0666) == 0);
        if (::mknod("null", S_IFCHR | 0666, makedev(1, 3)) != 0 && args.contains(u"null"))
            QSKIP("no device can be made here (not root)");
        const auto special = [] {
            struct stat fifo{}, device{};
            return ::stat("fifo", &fifo) == 0 && S_ISFIFO(fifo.st_mode)
                   && (::stat("null", &device) != 0 || S_ISCHR(device.st_mode));
        };
        const auto listing = [] {
            QStringList all;
            for (QDirIterator it(QStringLiteral("."), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                 QDirIterator::Subdirectories);
                 it.hasNext();)
                all.append(it.next());
            all.sort();
            return all;
        };
        const QStringList before = listing();

        QProcess p;
        p.start(QStringLiteral(UROK_BINARY_DIR "/tools/urok-setup/urok-setup"), args);
        QVERIFY(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), code);
        QVERIFY2(err.contains(message), qPrintable(err));
        QCOMPARE(p.readAllStandardOutput(), QByteArray());
        QCOMPARE(listing(), before);
        for (const auto &[name, bytes] : inputs)
            QCOMPARE(readFile(name), bytes);
        QVERIFY(special());
    }

    // The times show prints are the ones the tasks window keeps: the hint
    // appears just after hintAt, the answer locks at the countdown's end.
    void theTasksWindowKeepsTheTimesShowPrints()
    {
        test::Lesson lesson({{16, 1}});   // the tasks before the whole plan
        const Profile p = test::defaultProfile();
        test::Lesson::command(&lesson.start(), QStringLiteral("mnu_Wyprosi"));
        auto *tasks = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
        QVERIFY(tasks);
        auto hintShown = [tasks] {
            return !test::Lesson::control<TextBox>(tasks, "Text_Un(4)")->text().isEmpty();
        };

        const TaskTiming one = taskTiming(p.levels[0], p.budgets[0], p.hints[0]);
        lesson.tick(int(one.hintAt) * 10);
        QVERIFY(!hintShown());
        lesson.tick();
        QVERIFY(hintShown());
        lesson.tick(int(one.countdown - one.hintAt) * 10 - 1);
        QCOMPARE(test::Lesson::control<QLabel>(tasks, "Chasownik_Label(0)")->text(), QStringLiteral("0"));
        QVERIFY(!test::Lesson::control<TextBox>(tasks, "Text_Un(0)")->isLocked());
        lesson.tick();
        QVERIFY(test::Lesson::control<TextBox>(tasks, "Text_Un(0)")->isLocked());

        // Task 2 (level 3): the pupil agrees to move on and to a hard task.
        lesson.boxes.answer(QStringLiteral("Да"));
        lesson.boxes.answer(QStringLiteral("Да"));
        test::Lesson::click(test::Lesson::control<ListBox>(tasks, "List_Un(1)"), 1);
        QVERIFY(lesson.boxes.allAnswered());
        const TaskTiming two = taskTiming(p.levels[1], p.budgets[1], p.hints[1]);
        // The clock shows the whole seconds left from the first tenth on.
        lesson.tick();
        QCOMPARE(test::Lesson::control<QLabel>(tasks, "Chasownik_Label(0)")->text(),
                 QString::number(two.countdown - 1));
        lesson.tick(int(two.hintAt) * 10 - 1);
        QVERIFY(!hintShown());
        lesson.tick();
        QVERIFY(hintShown());
    }

private:
    test::CurrentFolder folder;
};

QTEST_MAIN(UrokSetupTest)
#include "test_urok_setup.moc"
