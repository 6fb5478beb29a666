// The configuration file read from bytes built by hand. Files that are
// missing, of the wrong size or of another lesson, and every kind of
// damaged file, are the hostile gate's (tests/quality).
#include "controls/ListBox.h"
#include "engine/ConfigFile.h"
#include "engine/OptionTable.h"
#include "support/ConfigBytes.h"
#include "support/Lesson.h"

#include <QAction>

using namespace urok;
using namespace urok::test;

class ConfigFileTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void handBuiltFileIsApplied()
    {
        LessonState state;
        ConfigBytes f = ConfigBytes::usual();
        f.value(1, 0, 1);   // option 1 on
        f.value(1, 1, -3);  // option 2: -3 mod 2 = -1, off
        f.value(1, 2, 7);   // option 3: 7 mod 2 = 1, on
        f.value(1, 39, 2);  // option 40: 0
        f.value(2, 0, 23);  // task 1: level 3
        f.value(2, 1, -12); // task 2: level -2
        const ConfigOutcome out = applyConfiguration(state, f.bytes);
        QCOMPARE(out.status, ConfigOutcome::Status::Applied);

        const QStringList options = state.Opcii_L().items();
        QCOMPARE(options.size(), OptionCount + 1);
        QCOMPARE(options.mid(1, 3), (QStringList{"1", "-1", "1"}));
        QCOMPARE(options.mid(27), QStringList(OptionCount - 26, QStringLiteral("0")));
        // The task window's copy: a blank, then the same options.
        QCOMPARE(state.List_Un(4).items(), QStringList{" "} + options.mid(1));

        QCOMPARE(state.Wremena(4).items().mid(1, 3), (QStringList{"3", "-2", "2"}));
        QCOMPARE(state.Wremena(0).item(24), QStringLiteral("33"));
        QCOMPARE(state.Wremena(1).item(24), QStringLiteral("323"));
        QCOMPARE(state.Wremena(0).item(25), QStringLiteral("109")); // beyond the tasks: built-in
        QCOMPARE(state.Wremena(0).item(0), QStringLiteral("В"));   // item 0 is never written

        QCOMPARE(state.List_Ur(3).item(1), QStringLiteral("OPTIM"));
        QCOMPARE(state.List_Ur(3).item(3), QStringLiteral(" 100"));
        QCOMPARE(state.List_Ur(3).item(10), QStringLiteral(" 20261206"));
        QCOMPARE(out.taskList->first(), QStringLiteral("01 "));
    }

    void taskCounts_data()
    {
        QTest::addColumn<int>("lessonTasks");
        QTest::addColumn<int>("offered");
        QTest::addColumn<int>("listed");
        QTest::addColumn<int>("indexItems");
        QTest::addColumn<int>("inTheList");
        QTest::addColumn<QString>("caption");
        QTest::newRow("usual") << 24 << 24 << 15 << 25 << 15 << "+ 9 задачи";
        QTest::newRow("offer trims the lesson") << 25 << 10 << 10 << 11 << 10 << "+ 0 задачи";
        QTest::newRow("offer above the lesson") << 25 << 100 << 10 << 26 << 10 << "+ 15 задачи";
        QTest::newRow("all listed") << 25 << 25 << 25 << 26 << 25 << "+ 0 задачи";
        QTest::newRow("more listed than exist") << 24 << 24 << 1000 << 25 << 24 << "+ 0 задачи";
        QTest::newRow("negative keeps the heading") << 24 << -5 << -5 << 1 << 0 << "+ 0 задачи";
    }
    void taskCounts()
    {
        QFETCH(int, lessonTasks);
        QFETCH(int, offered);
        QFETCH(int, listed);
        LessonState state;
        for (int t = 25; t <= lessonTasks; ++t)
            state.Uslowie_L(0).add(QString::number(t));
        ConfigBytes f = ConfigBytes::usual();
        f.number(1, offered);
        f.number(2, listed);
        const ConfigOutcome out = applyConfiguration(state, f.bytes);
        QTEST(state.Uslowie_L(0).count(), "indexItems");
        QTEST(int(out.taskList->size()), "inTheList");
        QVERIFY(!out.taskList->contains(QString()));
        QTEST(*out.allTasksCaption, "caption");
        QCOMPARE(state.Uslowie_L(0).item(0), QString::number(listed));
    }

    // The length byte of the lesson code: none, or more than the 15 bytes
    // the field has (which reads the 15 and never past them).
    void lessonCodeLength_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("read");
        QTest::newRow("0") << QByteArray("OPTIM") << 0 << QString();
        QTest::newRow("255") << QByteArray("OPTIMOPTIMOPTIM") << 255 << "OPTIMOPTIMOPTIM";
    }
    void lessonCodeLength()
    {
        QFETCH(QByteArray, code);
        QFETCH(int, length);
        LessonState state;
        ConfigBytes f = ConfigBytes::usual();
        f.setCode(code, length);
        QCOMPARE(applyConfiguration(state, f.bytes).status, ConfigOutcome::Status::ForeignLesson);
        QTEST(state.List_Ur(3).item(1), "read");
    }

    // Writing time = characters x rate / 100 + 2, clamped to 16 bits,
    // written with its fraction.
    void writingTimes_data()
    {
        QTest::addColumn<int>("characters");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("time");
        QTest::newRow("rate 3") << 1500 << 3 << "47";
        QTest::newRow("rate 0") << 1500 << 0 << "2";
        QTest::newRow("clamped high") << 1500 << 32767 << "32767";
        QTest::newRow("clamped low") << 1500 << -32768 << "-32768";
        QTest::newRow("fraction") << 1525 << 2 << "32.5";
    }
    void writingTimes()
    {
        QFETCH(int, characters);
        QFETCH(int, rate);
        const Catalogue content = lessonWith(
            QStringLiteral("text Podtochki(1) < texts/podtochki-1.txt"),
            QStringLiteral("text Podtochki(1) = \"%1\"").arg(QString(characters, u'а')));
        LessonState state(content);
        ConfigBytes f = ConfigBytes::usual();
        f.value(5, 0, static_cast<qint16>(rate));
        applyConfiguration(state, f.bytes);
        QTEST(state.Wremena(2).item(1), "time");
        QCOMPARE(state.Wremena(2).item(5), QStringLiteral("18")); // beyond the plan: built-in
    }

    void theLessonStartsWithTheFilesValues()
    {
        ConfigBytes f = ConfigBytes::usual();
        f.value(1, 9, 1);  // option 10: the teaching material
        f.value(1, 13, 1); // option 14: "all tasks" menu enabled
        f.value(1, 15, 1); // option 16: the tasks before the whole plan
        Lesson lesson(Lesson::Bytes{}, f.bytes);
        Tarv &main = lesson.start();
        QVERIFY(lesson.boxes.seen.isEmpty());
        QVERIFY(main.windowTitle().endsWith(QStringLiteral("Версия  1 от  20261206")));
        QVERIFY(Lesson::control<QWidget>(&main, QStringLiteral("List_Ur(0)"))->isEnabled());
        Lesson::command(&main, QStringLiteral("mnu_Wyprosi"));
        QWidget *tasks = lesson.window(QStringLiteral("Tarv_n"));
        QVERIFY(tasks && tasks->isVisible());
        QCOMPARE(Lesson::control<ListBox>(tasks, QStringLiteral("List_Un(1)"))->count(), 15);
        const QAction *more = Lesson::control<QAction>(tasks, QStringLiteral("mnu_All_zadachi"));
        QCOMPARE(more->text(), QStringLiteral("+ 9 за&дачи")); // Alt+Д, as before
        QVERIFY(more->isEnabled());
    }
};

QTEST_MAIN(ConfigFileTest)
#include "test_config_file.moc"
