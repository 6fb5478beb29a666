#include "Commands.h"
#include "ConfigImage.h"
#include "Profile.h"
#include "Timing.h"

#include "engine/ConfigFile.h"
#include "engine/Cp1251.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "controls/ListBox.h"
#include "controls/TextBox.h"
#include "lesson/Tarv.h"
#include "support/LessonFixture.h"
#include "tasks/Tarv_n.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace urok;
using namespace urok::setup;

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

Run runWrite(const QString &profile, const QString &output,
             const LessonFacts &lesson = LessonFacts::builtIn())
{
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = writeCommand(profile, output, lesson, out, err);
    return r;
}

Run runShow(const QString &file, const LessonFacts &lesson = LessonFacts::builtIn())
{
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = showCommand(file, lesson, out, err);
    return r;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The line of the report that starts with `start` (after blanks).
QString reportLine(const QString &report, const QString &start)
{
    for (const QString &line : report.split(u'\n'))
        if (line.trimmed().startsWith(start))
            return line;
    return {};
}

// The text of a profile that says exactly what `p` holds.
QString profileText(const Profile &p)
{
    QString t;
    QTextStream s(&t);
    s << "lesson = \"" << p.lesson << "\"\n"
      << "version = " << p.version << "\ndate = " << p.date << '\n'
      << "tasks offered = " << p.tasksOffered << "\ntasks listed = " << p.tasksListed << '\n';
    for (int i = 0; i < SlotCount; ++i) {
        s << "option " << i + 1 << " = " << p.options[i] << '\n';
        s << "task " << i + 1 << " level = " << p.levels[i] << '\n';
        s << "task " << i + 1 << " budget = " << p.budgets[i] << '\n';
        s << "task " << i + 1 << " hint = " << p.hints[i] << '\n';
        s << "point " << i + 1 << " rate = " << p.rates[i] << '\n';
    }
    return t;
}

// A profile with a different value in every field, the extremes included.
Profile everyFieldDifferent()
{
    Profile p;
    p.lesson = QStringLiteral("Урок-ОПТИМ 2026");   // 15 characters
    p.version = std::numeric_limits<qint32>::min();
    p.date = 20261206;
    p.tasksOffered = -3;
    p.tasksListed = std::numeric_limits<qint32>::max();
    for (int i = 0; i < SlotCount; ++i) {
        p.options[i] = static_cast<qint16>((i * 7 / 3) % 2);
        p.levels[i] = static_cast<qint16>((i * 3) % 10);
        p.budgets[i] = static_cast<qint16>(-32000 + i * 1601);
        p.hints[i] = static_cast<qint16>(31000 - i * 1553);
        p.rates[i] = static_cast<qint16>(i * i - 700);
    }
    p.budgets[0] = std::numeric_limits<qint16>::min();
    p.hints[39] = std::numeric_limits<qint16>::max();
    return p;
}

// A short valid profile for the built-in lesson (24 tasks, 4 points).
QString validProfile()
{
    QString t = QStringLiteral("# a teacher's profile\n"
                               "lesson = OPTIM\n"
                               "version = 100\n"
                               "date = 20261206\n"
                               "tasks offered = 24\n"
                               "tasks listed = 15\n"
                               "option 1 = 1\n"
                               "option 31 = 0\n");
    for (int k = 1; k <= 24; ++k)
        t += QStringLiteral("task %1 level = 2\ntask %1 budget = 60\ntask %1 hint = -30\n").arg(k);
    for (int k = 1; k <= 4; ++k)
        t += QStringLiteral("point %1 rate = 2\n").arg(k);
    return t;
}

// The line number (from 1) of the line that starts with `key` in `text`.
int lineOf(const QString &text, const QString &key)
{
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(key + QStringLiteral(" =")))
            return i + 1;
    return 0;
}

// Replaces the line that sets `key`; an empty replacement removes it.
QString withLine(const QString &text, const QString &key, const QString &replacement)
{
    QStringList lines = text.split(u'\n');
    const int i = lineOf(text, key) - 1;
    if (replacement.isEmpty())
        lines.removeAt(i);
    else
        lines[i] = replacement;
    return lines.join(u'\n');
}

// The options the lesson's default profile is to switch on.
const QList<int> DefaultOn = {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 18,
                              19, 20, 21, 22, 23, 24, 25, 26};
const QList<int> DefaultOff = {2, 16, 17, 31};
const int DefaultLevels[24] = {1, 3, 1, 2, 2, 3, 2, 2, 3, 3, 2, 3, 3, 3, 1, 2, 3, 2, 2, 4, 2, 2, 2, 2};

QString defaultProfilePath()
{
    return QStringLiteral(UROK_SOURCE_DIR "/config/OPTIM.profile");
}

} // namespace

class UrokSetupTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // ---- Profile -> file -> decode ----------------------------------------

    void everyFieldSurvivesProfileFileAndDecoding()
    {
        QTemporaryDir dir;
        const Profile expected = everyFieldDifferent();
        const QString profile = dir.filePath(QStringLiteral("any.profile"));
        QVERIFY(writeFile(profile, profileText(expected).toUtf8()));

        // A lesson with all 40 tasks and points, so that every value is one it uses.
        LessonFacts lesson{QStringLiteral("Урок-ОПТИМ 2026"), 40, QList<qint64>(40, 100)};
        const QString output = dir.filePath(QStringLiteral("Урок-ОПТИМ 2026.UFG"));
        const Run r = runWrite(profile, output, lesson);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, ExitOk);

        const QByteArray bytes = readFile(output);
        QCOMPARE(bytes.size(), 600);
        const std::optional<DecodedFile> decoded = decodeConfigFile(bytes);
        QVERIFY(decoded);
        // As profile texts, a difference shows by its key.
        QCOMPARE(profileText(decoded->profile), profileText(expected));
        QVERIFY(decoded->profile == expected);
        QCOMPARE(decoded->textLength, 15);
        QVERIFY(decoded->lastRecordEmpty);
        QVERIFY(bytes.right(100) == QByteArray(100, '\0'));
    }

    void layoutFreedomsOfAProfile()
    {
        // A byte-order mark, CR LF line ends, tabs, capitals, extra blanks,
        // comments after values, a quoted code with "#" and blanks in it,
        // numbers with a sign or leading zeros: all read as meant.
        QString text = QString(QChar(0xFEFF))
                       + QStringLiteral("  LESSON\t=  \" A#B \"   # quoted\r\n"
                                        "Version=+096\r\n"
                                        "date = 0020261206 # a date\r\n"
                                        "TASKS   Offered = 24\r\n"
                                        "tasks listed = -1\r\n"
                                        "\t# only a comment\r\n"
                                        "\r\n"
                                        "option   07 = 1\r\n");
        for (int k = 1; k <= 24; ++k)
            text += QStringLiteral("Task %1 Level = 4\r\ntask %1 budget = %1\r\ntask %1 hint=-%1\r\n")
                        .arg(k);
        for (int k = 1; k <= 4; ++k)
            text += QStringLiteral("point %1 RATE = %1\r\n").arg(k);
        text += QStringLiteral("task 40 level = 9");   // no line end at the end

        const LessonFacts lesson{QStringLiteral(" A#B "), 24, {10, 10, 10, 10}};
        const ProfileReading reading = readProfile(text, lesson);
        QCOMPARE(reading.errors.size(), 0);
        QVERIFY(reading.profile);
        const Profile &p = *reading.profile;
        QCOMPARE(p.lesson, QStringLiteral(" A#B "));
        QCOMPARE(p.version, 96);
        QCOMPARE(p.date, 20261206);
        QCOMPARE(p.tasksOffered, 24);
        QCOMPARE(p.tasksListed, -1);
        for (int i = 0; i < SlotCount; ++i)
            QCOMPARE(p.options[i], qint16(i == 6 ? 1 : 0));   // unset options are off
        QCOMPARE(p.levels[0], qint16(4));
        QCOMPARE(p.budgets[23], qint16(24));
        QCOMPARE(p.hints[23], qint16(-24));
        QCOMPARE(p.rates[3], qint16(4));
        // Tasks and points the profile leaves out are 0, except what it sets.
        QCOMPARE(p.levels[24], qint16(0));
        QCOMPARE(p.budgets[30], qint16(0));
        QCOMPARE(p.rates[4], qint16(0));
        QCOMPARE(p.levels[39], qint16(9));
        // ...and a value for a task the lesson does not have is worth a warning.
        QCOMPARE(reading.warnings.size(), 1);
        QCOMPARE(reading.warnings[0].line, 8 + 24 * 3 + 4 + 1);
    }

    // ---- A file made by hand ----------------------------------------------

    void aFileBuiltByHandIsShownAsItsGoldenFile()
    {
        QByteArray f(600, '\0');
        auto put16 = [&f](int at, int v) {
            f[at] = static_cast<char>(v & 0xFF);
            f[at + 1] = static_cast<char>((v >> 8) & 0xFF);
        };
        auto put32 = [&f](int at, qint64 v) {
            for (int b = 0; b < 4; ++b)
                f[at + b] = static_cast<char>((v >> (8 * b)) & 0xFF);
        };
        // Record 1: options 1 and 5 (stored as 3) on, option 40 stored as -1; 24 tasks.
        put16(0, 1);
        put16(8, 3);
        put16(78, -1);
        put32(80, 24);
        // Record 2: task 1 at level 3, task 2 at level 2, task 3 stored as 12; 15 listed.
        put16(100, 3);
        put16(102, 2);
        put16(104, 12);
        put32(180, 15);
        // Record 3: hint times -1, -30, 0; version 96.
        put16(200, -1);
        put16(202, -30);
        put32(280, 96);
        // Record 4: budgets 2, 60, 0; the date; "OPTIM" scrambled with keys 78..82.
        put16(300, 2);
        put16(302, 60);
        put32(380, 20261206);
        f[384] = 5;
        const char scrambled[] = {0x01, 0x1F, 0x04, 0x18, 0x1F};
        for (int i = 0; i < 5; ++i)
            f[385 + i] = scrambled[i];
        // Record 5: rates of points 1, 3 and 4.
        put16(400, 2);
        put16(404, 300);
        put16(406, 32767);


        // Shown, it reads as the golden file says (the first line names the
        // temporary file). Worth knowing there: option 40 stored as -1 is off
        // (-1 mod 2 is -1 for the program), and point 4's time is held at the
        // 16-bit limit.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("OPTIM.UFG"));
        QVERIFY(writeFile(path, f));
        const LessonFacts lesson{QStringLiteral("OPTIM"), 24, {1000, 2000, 3000, 4000}};
        const Run r = runShow(path, lesson);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, ExitOk);
        QCOMPARE(r.out.section(u'\n', 1),
                 QString::fromUtf8(readFile(QStringLiteral(UROK_SOURCE_DIR "/tests/tools/testdata/hand-built.show.txt"))));
    }

    void aStoredLengthAboveFifteenReadsFifteenCharacters()
    {
        ConfigRecord record;
        QVERIFY(record.setText(QStringLiteral("ABCDEFGHIJKLMNO")));
        record.textLength = 200;
        QByteArray f(600, '\0');
        f.replace(300, 100, record.toBytes());
        f[599] = 1;
        const std::optional<DecodedFile> d = decodeConfigFile(f);
        QVERIFY(d);
        QCOMPARE(d->profile.lesson, QStringLiteral("ABCDEFGHIJKLMNO"));
        QCOMPARE(d->textLength, 200);
        QVERIFY(!d->lastRecordEmpty);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("X.UFG"));
        QVERIFY(writeFile(path, f));
        const Run r = runShow(path, {QStringLiteral("ABCDEFGHIJKLMNO"), 1, {10}});
        QCOMPARE(r.code, ExitOk);
        QVERIFY(r.out.contains(QStringLiteral("записана дължина 200: четат се само 15 знака")));
        QVERIFY(r.out.contains(QStringLiteral("Запис 6: не е празен")));
    }

    // ---- Bad profiles -----------------------------------------------------

    void badProfilesAreRejectedWithTheirLine()
    {
        struct Case
        {
            const char *key;           // the line it replaces; nullptr: inserted as line 3
            const char *line;          // the new line; empty removes the key's line
            const char *message;       // a part of the message
        };
        const Case cases[] = {
            {nullptr, "task 3 level 2", "очаква се ред „ключ = стойност“"},
            {nullptr, "= 5", "липсва ключ"},
            {nullptr, "colour = 5", "непознат ключ „colour“"},
            {nullptr, "task 3 colour = 1", "непознат ключ „task 3 colour“"},
            {nullptr, "point 1 level = 1", "непознат ключ „point 1 level“"},
            {nullptr, "option 41 = 1", "от 1 до 40"},
            {nullptr, "option 0 = 1", "от 1 до 40"},
            {nullptr, "task 41 budget = 1", "от 1 до 40"},
            {nullptr, "point 0 rate = 1", "от 1 до 40"},
            {nullptr, "option 2 = 2", "от 0 до 1"},
            {nullptr, "option 3 = -1", "от 0 до 1"},
            {"task 7 level", "task 7 level = 10", "от 0 до 9"},
            {"task 7 level", "task 7 level = -1", "от 0 до 9"},
            {"task 8 budget", "task 8 budget = 32768", "от -32768 до 32767"},
            {"task 9 hint", "task 9 hint = -32769", "от -32768 до 32767"},
            {"point 2 rate", "point 2 rate = 99999999999999999999", "от -32768 до 32767"},
            {"version", "version = 2147483648", "от -2147483648 до 2147483647"},
            {"date", "date = 2026-12-06", "цяло число"},
            {"version", "version = 1.5", "цяло число"},
            {"tasks listed", "tasks listed = \"15\"", "цяло число"},
            {"tasks offered", "tasks offered =", "липсва стойност"},
            {"lesson", "lesson = ABCDEFGHIJKLMNOP", "най-много 15"},
            {"lesson", "lesson = ОПТИМ≤", "Windows-1251"},
            {"lesson", "lesson = \"\"", "празен"},
            {"lesson", "lesson = \"OPTIM", "кавичките не са затворени"},
            {"lesson", "lesson = \"OPT\" IM", "след затварящите кавички"},
        };

        QTemporaryDir dir;
        const QString profile = dir.filePath(QStringLiteral("bad.profile"));
        const QString output = dir.filePath(QStringLiteral("OPTIM.UFG"));
        const QString base = validProfile();
        for (const Case &c : cases) {
            const QString line = QString::fromUtf8(c.line);
            QString text;
            int expectedLine = 3;
            if (c.key) {
                text = withLine(base, QString::fromUtf8(c.key), line);
                expectedLine = lineOf(base, QString::fromUtf8(c.key));
            } else {
                QStringList lines = base.split(u'\n');
                lines.insert(2, line);
                text = lines.join(u'\n');
            }
            QVERIFY(writeFile(profile, text.toUtf8()));

            for (const bool existing : {false, true}) {
                QFile::remove(output);
                if (existing)
                    QVERIFY(writeFile(output, "the teacher's earlier file"));
                const Run r = runWrite(profile, output);
                const QString where = QStringLiteral("%1:%2: грешка: ").arg(profile).arg(expectedLine);
                QVERIFY2(r.code == ExitFailed, c.line);
                QVERIFY2(r.err.contains(where), qPrintable(line + u'\n' + r.err));
                QVERIFY2(reportLine(r.err, where).contains(QString::fromUtf8(c.message)),
                         qPrintable(line + u'\n' + r.err));
                QCOMPARE(r.out, QString());
                if (existing)
                    QCOMPARE(readFile(output), QByteArray("the teacher's earlier file"));
                else
                    QVERIFY2(!QFile::exists(output), c.line);
                QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                         existing ? 2 : 1);
            }
        }
    }

    void aDuplicateKeyNamesBothLines()
    {
        QTemporaryDir dir;
        const QString profile = dir.filePath(QStringLiteral("dup.profile"));
        const QString output = dir.filePath(QStringLiteral("OPTIM.UFG"));
        QStringList lines = validProfile().split(u'\n');
        lines.insert(2, QStringLiteral("Task  05 LEVEL = 2"));   // the same key as "task 5 level"
        const QString text = lines.join(u'\n');
        QVERIFY(writeFile(profile, text.toUtf8()));
        const Run r = runWrite(profile, output);
        QCOMPARE(r.code, ExitFailed);
        const int second = lineOf(text, QStringLiteral("task 5 level"));
        QVERIFY(second > 3);
        QVERIFY2(r.err.contains(QStringLiteral("%1:%2: грешка: „task 5 level“ вече е зададен на ред 3")
                                    .arg(profile)
                                    .arg(second)),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(output));
    }

    void everyMissingRequiredKeyIsNamed_data()
    {
        QTest::addColumn<QString>("key");
        for (const char *key : {"lesson", "version", "date", "tasks offered", "tasks listed",
                                "task 1 level", "task 12 budget", "task 24 hint", "point 1 rate",
                                "point 4 rate"})
            QTest::newRow(key) << QString::fromUtf8(key);
    }

    void everyMissingRequiredKeyIsNamed()
    {
        QFETCH(QString, key);
        QTemporaryDir dir;
        const QString profile = dir.filePath(QStringLiteral("short.profile"));
        const QString output = dir.filePath(QStringLiteral("OPTIM.UFG"));
        QVERIFY(writeFile(profile, withLine(validProfile(), key, QString()).toUtf8()));
        QVERIFY(writeFile(output, "old"));
        const Run r = runWrite(profile, output);
        QCOMPARE(r.code, ExitFailed);
        QCOMPARE(r.err.split(u'\n').first(),
                 QStringLiteral("%1: грешка: липсва „%2“").arg(profile, key));
        QCOMPARE(readFile(output), QByteArray("old"));
    }

    void allErrorsOfAProfileAreReportedAtOnce()
    {
        QString text = validProfile();
        text = withLine(text, QStringLiteral("task 2 level"), QStringLiteral("task 2 level = 11"));
        text = withLine(text, QStringLiteral("task 3 level"), QStringLiteral("task 3 level = x"));
        text = withLine(text, QStringLiteral("point 3 rate"), QString());
        const ProfileReading reading = readProfile(text, LessonFacts::builtIn());
        QVERIFY(!reading.profile);
        QCOMPARE(reading.errors.size(), 3);
        QCOMPARE(reading.errors[0].line, lineOf(validProfile(), QStringLiteral("task 2 level")));
        QCOMPARE(reading.errors[1].line, lineOf(validProfile(), QStringLiteral("task 3 level")));
        QCOMPARE(reading.errors[2].line, 0);
    }

    void missingKeysAreGroupedByTaskAndCounted()
    {
        QString text = validProfile();
        for (const char *key : {"task 5 level", "task 5 budget", "task 5 hint", "task 6 hint"})
            text = withLine(text, QString::fromUtf8(key), QString());
        ProfileReading reading = readProfile(text, LessonFacts::builtIn());
        QCOMPARE(reading.errors.size(), 2);
        QCOMPARE(reading.errors[0].message,
                 QStringLiteral("липсват „task 5 level“, „task 5 budget“, „task 5 hint“"));
        QCOMPARE(reading.errors[1].message, QStringLiteral("липсва „task 6 hint“"));

        // An empty profile: the five lesson keys and tasks 1..5 are named
        // (20 keys), the other 19 tasks and 4 points are counted.
        reading = readProfile(QString(), LessonFacts::builtIn());
        QCOMPARE(reading.errors.size(), 11);
        QCOMPARE(reading.errors[9].message,
                 QStringLiteral("липсват „task 5 level“, „task 5 budget“, „task 5 hint“"));
        QCOMPARE(reading.errors[10].message, QStringLiteral("липсват и още 61 ключа"));
    }

    // ---- The command line, through the real command ------------------------

    // Each case runs urok-setup in a folder holding ok.profile, cp1251.profile,
    // task.txt, a/OTGOWORI.TXT and the folder "folder"; a failure leaves every
    // file as it was and adds none.
    void commandLineFailures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, const QString &args, int code, const QString &message) {
            QTest::newRow(name) << args.split(u' ') << code << message;
        };
        row("no command", QStringLiteral("frob"), ExitUsage, QStringLiteral("грешни аргументи"));
        row("unknown option", QStringLiteral("write -x ok.profile OPTIM.UFG"), ExitUsage,
            QStringLiteral("непознат параметър „x“"));
        row("report options elsewhere", QStringLiteral("write ok.profile OPTIM.UFG --csv t.csv"), ExitUsage,
            QStringLiteral("само за report"));
        row("missing profile", QStringLiteral("write missing.profile OPTIM.UFG"), ExitFailed,
            QStringLiteral("missing.profile: грешка: профилът не може да се прочете"));
        row("a folder as profile", QStringLiteral("write folder OPTIM.UFG"), ExitFailed,
            QStringLiteral("folder: грешка: това е папка"));
        row("a profile in Windows-1251", QStringLiteral("write cp1251.profile OPTIM.UFG"), ExitFailed,
            QStringLiteral("не е записан в UTF-8"));
        row("an endless profile", QStringLiteral("write /dev/zero OPTIM.UFG"), ExitFailed,
            QStringLiteral("/dev/zero: грешка: профилът е по-голям от"));
        row("onto the profile", QStringLiteral("write ok.profile ok.profile"), ExitFailed,
            QStringLiteral("ok.profile: грешка: това е самият профил"));
        row("onto the profile by another name", QStringLiteral("write ok.profile folder/../ok.profile"),
            ExitFailed, QStringLiteral("това е самият профил"));
        row("into a missing folder", QStringLiteral("write ok.profile nowhere/OPTIM.UFG"), ExitFailed,
            QStringLiteral("не съществува"));
        row("a folder in the way", QStringLiteral("write ok.profile folder"), ExitFailed,
            QStringLiteral("на мястото на файла има папка"));
        row("show a missing file", QStringLiteral("show OPTIM.UFG"), ExitFailed,
            QStringLiteral("грешка: файлът не може да се прочете"));
        row("scramble onto the task", QStringLiteral("scramble task.txt task.txt"), ExitFailed,
            QStringLiteral("task.txt: това е входен файл"));
        row("scramble an endless task", QStringLiteral("scramble /dev/zero s.txt"), ExitFailed,
            QStringLiteral("/dev/zero: файлът е по-голям от"));
        row("report of no answers", QStringLiteral("report folder"), ExitFailed,
            QStringLiteral("не е намерен нито един файл с отговори"));
        row("report onto an answers file", QStringLiteral("report -o a/OTGOWORI.TXT a"), ExitFailed,
            QStringLiteral("a/OTGOWORI.TXT: грешка: това е входен файл"));
        row("report of no path", QStringLiteral("report"), ExitUsage, QStringLiteral("поне една папка"));
        row("report without a page", QStringLiteral("report a -o"), ExitUsage, QStringLiteral("липсва стойност"));
        row("report into one file twice", QStringLiteral("report -o x --csv x a"), ExitUsage,
            QStringLiteral("един и същ файл"));
    }

    void commandLineFailures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QByteArray task = "@hint\nh\n@hint2\nh\n@condition\nc\n@solution\ns\n";
        QVERIFY(writeFile(dir.filePath(QStringLiteral("ok.profile")), validProfile().toUtf8()));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("cp1251.profile")),
                          validProfile().toUtf8() + "# \xEA\xEE\xEC\n"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("task.txt")), task));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")) && QDir(dir.path()).mkdir(QStringLiteral("a")));
        const QByteArray answers = toCp1251(QStringLiteral("Има въведен текст по следните задачи:\r\n"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("a/OTGOWORI.TXT")), answers));
        const auto listing = [&dir] {
            QStringList all;
            for (QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                 QDirIterator::Subdirectories);
                 it.hasNext();)
                all.append(it.next());
            all.sort();
            return all;
        };
        const QStringList before = listing();

        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(UROK_BINARY_DIR "/tools/urok-setup/urok-setup"), args);
        QVERIFY(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), code);
        QVERIFY2(err.contains(message), qPrintable(err));
        QCOMPARE(p.readAllStandardOutput(), QByteArray());
        QCOMPARE(listing(), before);
        QCOMPARE(readFile(dir.filePath(QStringLiteral("ok.profile"))), validProfile().toUtf8());
        QCOMPARE(readFile(dir.filePath(QStringLiteral("task.txt"))), task);
        QCOMPARE(readFile(dir.filePath(QStringLiteral("a/OTGOWORI.TXT"))), answers);
    }

    void anExistingFileIsReplacedWhole()
    {
        QTemporaryDir dir;
        const QString profile = dir.filePath(QStringLiteral("ok.profile"));
        const QString output = dir.filePath(QStringLiteral("OPTIM.UFG"));
        QVERIFY(writeFile(profile, validProfile().toUtf8()));
        QVERIFY(writeFile(output, QByteArray(5000, 'x')));
        const Run r = runWrite(profile, output);
        QCOMPARE(r.code, ExitOk);
        QCOMPARE(r.err, QString());
        QVERIFY(r.out.contains(QStringLiteral("600 байта")));
        const QByteArray bytes = readFile(output);
        QCOMPARE(bytes.size(), 600);
        QCOMPARE(decodeConfigFile(bytes)->profile.lesson, QStringLiteral("OPTIM"));
    }

    // ---- Warnings ---------------------------------------------------------

    void scrambledContentIsWarnedAbout()
    {
        QTemporaryDir dir;
        const QString profile = dir.filePath(QStringLiteral("p.profile"));
        const QString output = dir.filePath(QStringLiteral("OPTIM.UFG"));
        const QString text =
            withLine(validProfile(), QStringLiteral("option 31"), QStringLiteral("option 31 = 1"));
        QVERIFY(writeFile(profile, text.toUtf8()));
        const Run r = runWrite(profile, output);
        QCOMPARE(r.code, ExitOk);
        QCOMPARE(r.err.trimmed(),
                 QStringLiteral("%1:%2: предупреждение: опция 31 (кодирано съдържание) е включена, "
                                "а съдържанието на този урок не е кодирано")
                     .arg(profile)
                     .arg(lineOf(text, QStringLiteral("option 31"))));
        QCOMPARE(decodeConfigFile(readFile(output))->profile.options[30], qint16(1));
    }

    void anotherCodeOrFileNameIsWarnedAbout()
    {
        QTemporaryDir dir;
        const QString profile = dir.filePath(QStringLiteral("p.profile"));
        const QString output = dir.filePath(QStringLiteral("optim.ufg"));
        QVERIFY(writeFile(profile, withLine(validProfile(), QStringLiteral("lesson"),
                                            QStringLiteral("lesson = DRUGI"))
                                       .toUtf8()));
        const Run r = runWrite(profile, output);
        QCOMPARE(r.code, ExitOk);
        QVERIFY2(r.err.contains(QStringLiteral(":2: предупреждение: кодът на урока „DRUGI“ не е "
                                               "кодът на този урок (OPTIM)")),
                 qPrintable(r.err));
        QVERIFY2(r.err.contains(QStringLiteral("optim.ufg: предупреждение: програмата търси файла "
                                               "си под името OPTIM.UFG")),
                 qPrintable(r.err));
        QVERIFY(QFile::exists(output));
    }

    // ---- show -------------------------------------------------------------

    void showFlagsAWrongSize_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("599") << 599;
        QTest::newRow("601") << 601;
        QTest::newRow("empty") << 0;
    }

    void showFlagsAWrongSize()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("OPTIM.UFG"));
        const QByteArray good = configFile(*readProfile(validProfile(), LessonFacts::builtIn()).profile);
        QCOMPARE(good.size(), 600);
        QVERIFY(writeFile(path, (good + QByteArray(10, '\0')).left(size)));
        const Run r = runShow(path);
        QCOMPARE(r.code, ExitFailed);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.startsWith(
                     QStringLiteral("%1: грешка: файлът има %2 байта, а конфигурационният файл има "
                                    "точно 600")
                         .arg(path)
                         .arg(size)),
                 qPrintable(r.err));
    }

    void showFlagsAnotherLesson()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("OPTIM.UFG"));
        Profile p = *readProfile(validProfile(), LessonFacts::builtIn()).profile;
        p.lesson = QStringLiteral("ДРУГ");
        QVERIFY(writeFile(path, configFile(p)));
        const Run r = runShow(path);
        QCOMPARE(r.code, ExitFailed);
        QVERIFY(r.out.contains(QStringLiteral("Код на урока: ДРУГ\n")));
        QVERIFY(!r.out.contains(QStringLiteral("задача")));
        QVERIFY2(r.err.contains(QStringLiteral("грешка: файлът е за урок „ДРУГ“, а не за този урок (OPTIM)")),
                 qPrintable(r.err));

        // Letter case counts, as it does for the program.
        p.lesson = QStringLiteral("optim");
        QVERIFY(writeFile(path, configFile(p)));
        QCOMPARE(runShow(path).code, ExitFailed);
    }

    void showMarksTasksNotOfferedAndBeyondTheLesson()
    {
        Profile p = *readProfile(validProfile(), LessonFacts::builtIn()).profile;
        p.tasksOffered = 20;
        p.tasksListed = 30;
        p.levels[29] = 1;
        p.budgets[29] = 100;
        p.rates[6] = 5;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("OPTIM.UFG"));
        QVERIFY(writeFile(path, configFile(p)));
        const Run r = runShow(path);
        QCOMPARE(r.code, ExitOk);
        QVERIFY(r.out.contains(QStringLiteral("Задачи в списъка отначало: 30 (в списъка влизат 20); "
                                              "останалите 0 са в менюто „+ 0 задачи“")));
        QVERIFY(!reportLine(r.out, QStringLiteral("задача 20:")).contains(QStringLiteral("не се предлага")));
        QVERIFY(reportLine(r.out, QStringLiteral("задача 21:")).contains(QStringLiteral("(не се предлага)")));
        QVERIFY(reportLine(r.out, QStringLiteral("задача 30:"))
                    .contains(QStringLiteral("(урокът няма такава задача)")));
        QVERIFY(reportLine(r.out, QStringLiteral("задача 29:")).isEmpty());
        QVERIFY(reportLine(r.out, QStringLiteral("точка  7:"))
                    .contains(QStringLiteral("(планът няма такава точка)")));
        QVERIFY(reportLine(r.out, QStringLiteral("точка  6:")).isEmpty());

        p.tasksOffered = -1;
        QVERIFY(writeFile(path, configFile(p)));
        QVERIFY(runShow(path).out.contains(QStringLiteral("Предлагани задачи: -1 (отрицателно: не се "
                                                          "предлага нито една задача")));
    }

    // ---- Timing -----------------------------------------------------------

    void taskTimingFollowsTheTasksWindow_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("budget");
        QTest::addColumn<int>("hint");
        QTest::addColumn<int>("factor");
        QTest::addColumn<qint64>("countdown");
        QTest::addColumn<int>("when");   // TaskTiming::Hint
        QTest::addColumn<qint64>("hintAt");

        const int atOnce = int(TaskTiming::Hint::AtOnce);
        const int during = int(TaskTiming::Hint::During);
        const int withSolution = int(TaskTiming::Hint::WithSolution);
        QTest::newRow("level 1") << 1 << 420 << 151 << 1 << qint64(420) << during << qint64(150);
        QTest::newRow("level 0 counts as 1") << 0 << 420 << 151 << 1 << qint64(420) << during << qint64(150);
        QTest::newRow("negative level counts as 1") << -3 << 100 << 10 << 1 << qint64(100) << during << qint64(9);
        QTest::newRow("level 2") << 2 << 60 << -30 << 10 << qint64(600) << during << qint64(239);
        QTest::newRow("stored 12 is level 2") << 12 << 60 << -30 << 10 << qint64(600) << during << qint64(239);
        QTest::newRow("level 3") << 3 << 2 << -1 << 1000 << qint64(2000) << during << qint64(997);
        QTest::newRow("level 4") << 4 << 2 << -1 << 1000 << qint64(2000) << during << qint64(997);
        QTest::newRow("levels above 4 are timed as 3 and 4") << 7 << 1 << 0 << 1000 << qint64(1000) << during << qint64(998);
        QTest::newRow("level 4, one budget, hint 0: just before the end")
            << 4 << 1 << 0 << 1000 << qint64(1000) << during << qint64(998);
        QTest::newRow("level 3, one budget, hint -1: at once")
            << 3 << 1 << -1 << 1000 << qint64(1000) << atOnce << qint64(0);
        QTest::newRow("level 3, hint 1: after the time") << 3 << 1 << 1 << 1000 << qint64(1000) << withSolution << qint64(0);
        QTest::newRow("hint moment 0 is at once") << 1 << 300 << 1 << 1 << qint64(300) << atOnce << qint64(0);
        QTest::newRow("hint moment 1") << 1 << 300 << 2 << 1 << qint64(300) << during << qint64(1);
        QTest::newRow("hint a second before the end") << 1 << 300 << 300 << 1 << qint64(300) << during << qint64(299);
        QTest::newRow("hint at the end comes with the solution")
            << 1 << 300 << 301 << 1 << qint64(300) << withSolution << qint64(0);
        QTest::newRow("budget 0 expires at once") << 1 << 0 << -5 << 1 << qint64(0) << withSolution << qint64(0);
        QTest::newRow("negative budget expires at once") << 2 << -5 << 0 << 10 << qint64(-50) << withSolution << qint64(0);
        QTest::newRow("largest values do not overflow")
            << 3 << 32767 << 32767 << 1000 << qint64(32767000) << withSolution << qint64(0);
        QTest::newRow("largest budget, smallest hint: at once")
            << 3 << 32767 << -32768 << 1000 << qint64(32767000) << atOnce << qint64(0);
    }

    void taskTimingFollowsTheTasksWindow()
    {
        QFETCH(int, level);
        QFETCH(int, budget);
        QFETCH(int, hint);
        QFETCH(int, factor);
        QFETCH(qint64, countdown);
        QFETCH(int, when);
        QFETCH(qint64, hintAt);
        const TaskTiming t = taskTiming(level, budget, hint);
        QCOMPARE(t.factor, factor);
        QCOMPARE(t.countdown, countdown);
        QCOMPARE(int(t.hint), when);
        if (t.hint == TaskTiming::Hint::During)
            QCOMPARE(t.hintAt, hintAt);
        QCOMPARE(t.expiresAtOnce(), countdown <= 0);
    }

    void writingTimeIsHeldToSixteenBits()
    {
        QCOMPARE(writingTime(3656, 2), 75.12);
        QCOMPARE(writingTime(0, 100), 2.0);
        QCOMPARE(writingTime(100, -2), 0.0);
        QCOMPARE(writingTime(100000, 32767), 32767.0);
        QCOMPARE(writingTime(100000, -32768), -32768.0);
    }

    // ---- The lesson's default profile ------------------------------------

    void theDefaultProfileIsCleanAndAsTheLessonNeeds()
    {
        const QByteArray text = readFile(defaultProfilePath());
        QVERIFY(!text.isEmpty());
        const ProfileReading reading = readProfile(QString::fromUtf8(text), LessonFacts::builtIn());
        for (const Problem &e : reading.errors + reading.warnings)
            qWarning("line %d: %s", e.line, qPrintable(e.message));
        QVERIFY(reading.errors.isEmpty());
        QVERIFY(reading.warnings.isEmpty());
        const Profile &p = *reading.profile;

        QCOMPARE(p.lesson, QStringLiteral("OPTIM"));
        QCOMPARE(p.version, 100);
        QVERIFY(p.date >= 20261206 && p.date <= 20991231);
        QCOMPARE(p.tasksOffered, 24);
        QCOMPARE(p.tasksListed, 15);
        for (int n : DefaultOn)
            QVERIFY2(p.options[n - 1] == 1, qPrintable(QString::number(n)));
        for (int n : DefaultOff)
            QVERIFY2(p.options[n - 1] == 0, qPrintable(QString::number(n)));
        for (int k = 1; k <= 24; ++k)
            QCOMPARE(p.levels[k - 1], qint16(DefaultLevels[k - 1]));
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(p.rates[k - 1], qint16(2));

        // Every task has a countdown a class can use, and its hint well before the end.
        for (int k = 1; k <= 24; ++k) {
            const TaskTiming t = taskTiming(p.levels[k - 1], p.budgets[k - 1], p.hints[k - 1]);
            const QByteArray what = "task " + QByteArray::number(k);
            QVERIFY2(t.hint == TaskTiming::Hint::During, what);
            QVERIFY2(t.hintAt <= t.countdown * 6 / 10, what);
            switch (p.levels[k - 1]) {
            case 1:
                QVERIFY2(t.countdown >= 300 && t.countdown <= 600, what);
                QVERIFY2(t.hintAt >= 120 && t.hintAt <= 180, what);
                break;
            case 2:
                QVERIFY2(t.countdown >= 600 && t.countdown <= 900, what);
                break;
            default:
                QVERIFY2(t.countdown == 1000 || t.countdown == 2000, what);
                QVERIFY2(t.hintAt >= 60, what);
                break;
            }
        }
    }

    void theDefaultProfileConfiguresTheLesson()
    {
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("OPTIM.UFG"));
        const Run r = runWrite(defaultProfilePath(), output);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, ExitOk);
        const Profile p = *readProfile(QString::fromUtf8(readFile(defaultProfilePath())),
                                       LessonFacts::builtIn())
                               .profile;

        LessonState state;
        const ConfigOutcome outcome = applyConfiguration(state, readFile(output));
        QCOMPARE(outcome.status, ConfigOutcome::Status::Applied);
        for (int n = 1; n <= 40; ++n)
            QCOMPARE(state.Opcii_L().item(n), QString::number(p.options[n - 1]));
        for (int k = 1; k <= 24; ++k) {
            QCOMPARE(state.Wremena(4).item(k), QString::number(DefaultLevels[k - 1]));
            QCOMPARE(state.Wremena(1).item(k), QString::number(p.budgets[k - 1]));
            QCOMPARE(state.Wremena(0).item(k), QString::number(p.hints[k - 1]));
        }
        const LessonFacts lesson = LessonFacts::builtIn();
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(state.Wremena(2).item(k), decimalText(lesson.pointLengths[k - 1] * 2 / 100.0 + 2));
        QCOMPARE(state.List_Ur(3).item(1), QStringLiteral("OPTIM"));
        QCOMPARE(state.List_Ur(3).item(3), QStringLiteral(" 100"));
        QCOMPARE(state.List_Ur(3).item(10), signedNumberText(p.date));
        QCOMPARE(state.Uslowie_L(0).count(), 25);
        QVERIFY(outcome.taskList);
        QCOMPARE(outcome.taskList->size(), 15);
        QCOMPARE(outcome.allTasksCaption, std::optional<QString>(QStringLiteral("+ 9 задачи")));

        // show agrees with the file, and finds nothing wrong with it.
        const Run shown = runShow(output);
        QCOMPARE(shown.code, ExitOk);
        QCOMPARE(shown.err, QString());
        QVERIFY(shown.out.contains(QStringLiteral("„Версия  1 от ")));
    }

    void theLessonStartsWithoutAMessage()
    {
        test::LessonFixture f;
        const Run r = runWrite(defaultProfilePath(), f.path(QStringLiteral("OPTIM.UFG")));
        QCOMPARE(r.code, ExitOk);
        const qint32 date = readProfile(QString::fromUtf8(readFile(defaultProfilePath())),
                                        LessonFacts::builtIn())
                                .profile->date;
        Tarv &main = f.windows.get<Tarv>();
        QCOMPARE(f.prompter.texts(), QStringList());
        QVERIFY2(main.windowTitle().endsWith(QStringLiteral("  Версия  1 от ") + signedNumberText(date)),
                 qPrintable(main.windowTitle()));
    }

    void theTasksWindowKeepsTheTimesShowPrints()
    {
        test::LessonFixture f;
        QCOMPARE(runWrite(defaultProfilePath(), f.path(QStringLiteral("OPTIM.UFG"))).code, ExitOk);
        const Profile p = *readProfile(QString::fromUtf8(readFile(defaultProfilePath())),
                                       LessonFacts::builtIn())
                               .profile;
        Tarv &main = f.windows.get<Tarv>();
        main.show();
        main.mnu_Wyprosi_Click();
        Tarv_n &tasks = f.windows.get<Tarv_n>();
        // The countdown ticks ten times a second.
        auto seconds = [&tasks](qint64 s) {
            for (qint64 i = 0; i < s * 10; ++i)
                tasks.Timer_n_Timer();
        };
        auto hintShown = [&tasks] { return !tasks.Text_Un[4]->text().isEmpty(); };

        // Task 1 (level 1): the hint just after hintAt, the end at the countdown.
        const TaskTiming one = taskTiming(p.levels[0], p.budgets[0], p.hints[0]);
        seconds(one.hintAt);
        QVERIFY(!hintShown());
        tasks.Timer_n_Timer();
        QVERIFY(hintShown());
        seconds(one.countdown - one.hintAt - 1);
        for (int i = 0; i < 9; ++i)
            tasks.Timer_n_Timer();
        QCOMPARE(tasks.Ostawashto_wreme, 0.0);
        QVERIFY(!tasks.Text_Un[0]->isLocked());
        tasks.Timer_n_Timer();
        QVERIFY(tasks.Text_Un[0]->isLocked());

        // Task 2 (level 3): the pupil agrees to move and to a hard task.
        f.prompter.answer(true);
        f.prompter.answer(true);
        tasks.List_Un[1]->setListIndex(1);
        const TaskTiming two = taskTiming(p.levels[1], p.budgets[1], p.hints[1]);
        QCOMPARE(tasks.Ostawashto_wreme, double(two.countdown));
        seconds(two.hintAt);
        QVERIFY(!hintShown());
        tasks.Timer_n_Timer();
        QVERIFY(hintShown());
    }

    void theBuildPutsTheFileNextToTheProgram()
    {
        const QString built = QStringLiteral(UROK_BINARY_DIR "/lesson/OPTIM.UFG");
        if (!QFile::exists(built))
            QSKIP("the lesson folder has not been built");
        QTemporaryDir dir;
        const QString fresh = dir.filePath(QStringLiteral("OPTIM.UFG"));
        QCOMPARE(runWrite(defaultProfilePath(), fresh).code, ExitOk);
        QCOMPARE(readFile(built), readFile(fresh));
    }
};

QTEST_MAIN(UrokSetupTest)
#include "test_urok_setup.moc"
