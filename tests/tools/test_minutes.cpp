#include "ConfigImage.h"
#include "Timing.h"

#include "controls/TextBox.h"
#include "engine/ConfigFile.h"
#include "engine/NumericText.h"
#include "support/Golden.h"
#include "support/Lesson.h"
#include "support/ToolRun.h"
#include "tasks/Tarv_n.h"

#include <QRegularExpression>
#include <QTest>

using namespace urok;
using urok::test::readFile;
using urok::test::writeFile;

namespace {

// A class's profile with the times in minutes: tasks 1..24 of the levels
// and times given here (level, time, hint moment), the plan's total time.
QString profileInMinutes(const QStringList &tasks, const QString &plan = QStringLiteral("plan time = 10:00"))
{
    QString t = QStringLiteral("lesson = OPTIM\nversion = 100\ndate = 20261207\ntasks offered = 24\n"
                               "tasks listed = 15\noption 5 = 1\noption 6 = 1\n")
                + plan + u'\n';
    for (int k = 1; k <= 24; ++k) {
        const QStringList v = tasks.value(k - 1, QStringLiteral("1 5:00 2:00")).split(u' ');
        t += QStringLiteral("task %1 level = %2\ntask %1 %3\ntask %1 %4\n")
                 .arg(k)
                 .arg(v[0], v[1].contains(u'=') ? v[1] : QStringLiteral("time = ") + v[1],
                      v[2].contains(u'=') ? v[2] : QStringLiteral("hint at = ") + v[2]);
    }
    return t;
}

} // namespace

class MinutesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(folder.enter()); }
    void cleanup() { folder.leave(); }

    // write prints the timetable, every impossible time with the nearest
    // possible ones, and warns of times a class would not want; a profile
    // with an error leaves the earlier file as it was.
    void writeSaysTheTimetable_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("golden");
        QTest::newRow("a class in minutes")
            << profileInMinutes({QStringLiteral("1 6:00 3:00"), QStringLiteral("3 33:20 16:37"),
                                 QStringLiteral("2 10:00 3:59"), QStringLiteral("4 16:40 0:00"),
                                 QStringLiteral("2 budget=72 hint=-36")})
            << 0 << "minutes.write.txt";
        QTest::newRow("times a level cannot have")
            << profileInMinutes({QStringLiteral("3 6:00 3:00"), QStringLiteral("2 6:05 3:00"),
                                 QStringLiteral("2 10:00 3:00"), QStringLiteral("1 6 minutes"),
                                 QStringLiteral("1 budget=300 hint=121"), QStringLiteral("2 0:00 0:00")},
                                QStringLiteral("plan time = 0:03\npoint 2 rate = 2"))
                   .replace(QStringLiteral("task 5 hint = 121"), QStringLiteral("task 5 hint = 121\ntask 5 time = 5:00"))
            << 1 << "impossible.write.txt";
        QTest::newRow("a plan point with less than a second")
            << profileInMinutes({}, QStringLiteral("point 1 rate = 2\npoint 2 rate = -1\npoint 3 rate = 0\n"
                                                   "point 4 rate = -6"))
            << 1 << "no-second.write.txt";
        QTest::newRow("times longer than a lesson, hints after the end, no time at all")
            << profileInMinutes({QStringLiteral("2 budget=360 hint=-30"), QStringLiteral("1 5:00 hint=301"),
                                 QStringLiteral("1 0:00 0:00"), QStringLiteral("1 7:00 7:00")},
                                QStringLiteral("plan time = 50:00"))
            << 0 << "long.write.txt";
    }

    void writeSaysTheTimetable()
    {
        QFETCH(QString, profile);
        QFETCH(int, code);
        QFETCH(QString, golden);
        QVERIFY(writeFile(QStringLiteral("class.profile"), profile.toUtf8()));
        QVERIFY(writeFile(QStringLiteral("OPTIM.UFG"), "the earlier file"));
        const test::ToolRun r = test::runUrokSetup({QStringLiteral("write"), QStringLiteral("class.profile"), QStringLiteral("OPTIM.UFG")});
        UROK_COMPARE_GOLDEN(QStringLiteral(UROK_SOURCE_DIR "/tests/tools/testdata/") + golden, r.out.toUtf8());
        QCOMPARE(r.code, code);
        if (code != 0)
            QCOMPARE(readFile(QStringLiteral("OPTIM.UFG")), QByteArray("the earlier file"));
    }

    // The times a teacher writes in minutes are the lesson's own: the hint
    // comes just after its moment, the answer locks at the end, and the
    // plan takes the time write printed, to the second.
    void theLessonKeepsTheMinutesWritten()
    {
        QVERIFY(writeFile(QStringLiteral("class.profile"),
                          profileInMinutes({QStringLiteral("1 6:00 3:00")}, QStringLiteral("plan time = 6:00"))
                              .replace(QStringLiteral("option 6 = 1"), QStringLiteral("option 16 = 1"))
                              .toUtf8()));
        const test::ToolRun r = test::runUrokSetup({QStringLiteral("write"), QStringLiteral("class.profile"), QStringLiteral("OPTIM.UFG")});
        QCOMPARE(r.code, 0);
        const QRegularExpressionMatch printed =
            QRegularExpression(QStringLiteral("планът общо: (\\d+):(\\d\\d)\n")).match(r.out);
        QVERIFY2(printed.hasMatch(), qPrintable(r.out));
        const QByteArray file = readFile(QStringLiteral("OPTIM.UFG"));

        LessonState state;
        QCOMPARE(applyConfiguration(state, file).status, ConfigOutcome::Status::Applied);
        int plan = 0;
        for (int k = 1; k <= 4; ++k)
            plan += qMax(1, roundedNumber(state.Wremena(2).item(k), -32768, 32767));
        QCOMPARE(plan, printed.captured(1).toInt() * 60 + printed.captured(2).toInt());
        QVERIFY(qAbs(plan - 6 * 60) <= 15);

        test::Lesson lesson(test::Lesson::Bytes{}, file);
        test::Lesson::command(&lesson.start(), QStringLiteral("mnu_Wyprosi"));
        auto *tasks = lesson.window<Tarv_n>(QStringLiteral("Tarv_n"));
        QVERIFY(tasks);
        auto *hint = test::Lesson::control<TextBox>(tasks, "Text_Un(4)");
        auto *answer = test::Lesson::control<TextBox>(tasks, "Text_Un(0)");
        lesson.tick(3 * 60 * 10);
        QVERIFY(hint->text().isEmpty());
        lesson.tick();
        QVERIFY(!hint->text().isEmpty());
        lesson.tick(3 * 60 * 10 - 1);
        QVERIFY(!answer->isLocked());
        lesson.tick();
        QVERIFY(answer->isLocked());
    }

private:
    test::CurrentFolder folder;
};

QTEST_MAIN(MinutesTest)
#include "test_minutes.moc"
