#include "controls/ListBox.h"
#include "controls/TextBox.h"
#include "support/Tasks.h"
#include "tasks/Tarv_n.h"

#include <QAction>
#include <QLabel>
#include <QTextBlock>

using namespace urok;
using namespace urok::test;

namespace {

const QString Yes = QStringLiteral("Да");
const QString No = QStringLiteral("Не");

} // namespace

class TaskFaultsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Option 15 alone decides whether "Запис условие+решение" is offered.
    void conditionSavingFollowsOptionFifteen_data()
    {
        QTest::addColumn<int>("option"); // -1: no configuration file
        QTest::newRow("on") << 1;
        QTest::newRow("off") << 0;
        QTest::newRow("no file") << -1;
    }
    void conditionSavingFollowsOptionFifteen()
    {
        QFETCH(int, option);
        Lesson lesson(Lesson::Bytes{},
                      option < 0 ? std::nullopt : std::optional(configWith({{15, option}, {16, 1}})));
        Tarv &main = lesson.start();
        Lesson::command(&main, QStringLiteral("mnu_Wyprosi"));
        if (option < 0) {
            // Without the file the teaching material is withheld, so the
            // plan is never written and the tasks window never opens.
            QVERIFY(!Lesson::control<QAction>(&main, QStringLiteral("mnu_Wyprosi"))->isEnabled());
            QVERIFY(!lesson.window(QStringLiteral("Tarv_n")));
            return;
        }
        auto *item = Lesson::control<QAction>(lesson.window(QStringLiteral("Tarv_n")),
                                              QStringLiteral("mnu_ZapReshen(1)"));
        QCOMPARE(item->isVisible(), option == 1);
        QCOMPARE(item->isEnabled(), option == 1);
        item->trigger();
        QCOMPARE(QDir(lesson.folder.path()).entryList({QStringLiteral("*.TXT")}).size(), option == 1 ? 1 : 0);
    }

    // The countdown stands still while the difficulty question (option 25)
    // is open. Task 2 (level 2, budget 3, hint -1) then counts 30 s, its
    // hint (option 5) at 16 s brought into view in the one-line hint field,
    // its solution at the end.
    void countdownWaitsForTheDifficultyQuestion_data()
    {
        QTest::addColumn<int>("budget");      // of task 1
        QTest::addColumn<int>("before");      // ticks on task 1
        QTest::addColumn<int>("underTheBox"); // ticks while the question is open
        QTest::addColumn<int>("question");    // option 25
        QTest::addColumn<int>("hint");        // option 5
        QTest::newRow("time runs out under the box") << 3 << 20 << 20 << 1 << 1;
        QTest::newRow("one tick under the box") << 10 << 0 << 1 << 1 << 1;
        QTest::newRow("no question, no hint") << 10 << 0 << 0 << 0 << 0;
    }
    void countdownWaitsForTheDifficultyQuestion()
    {
        QFETCH(int, budget);
        QFETCH(int, before);
        QFETCH(int, underTheBox);
        QFETCH(int, question);
        QFETCH(int, hint);
        Tasks t(configWith({{16, 1}, {25, question}, {5, hint}}, [budget](setup::Profile &p) {
            p.budgets[0] = static_cast<qint16>(budget);
            p.levels[1] = 2;
            p.budgets[1] = 3;
            p.hints[1] = -1;
        }));
        t.lesson.tick(before);
        QString seenUnderTheBox;
        t.lesson.boxes.answer(Yes);
        t.lesson.boxes.answer(Yes, [&] {
            t.lesson.tick(underTheBox);
            seenUnderTheBox = t.field(3) + t.field(4);
        });
        t.choose(1);
        QCOMPARE(t.lesson.boxes.seen.size(), 1 + question);
        QCOMPARE(seenUnderTheBox, QString());

        t.lesson.tick();
        QCOMPARE(t.clock(), QStringLiteral("29"));
        t.lesson.tick(159);
        QCOMPARE(t.field(4), QString());
        TextBox *field = Lesson::control<TextBox>(t.w, "Text_Un(4)");
        const QRect at = field->geometry();
        t.lesson.tick();
        const QString line = hint ? t.lesson.state().Uslowie_L(2).item(0) : QString();
        QCOMPARE(field->cursorForPosition(QPoint(2, 2)).block().text(), line);
        QCOMPARE(field->geometry(), at);
        t.lesson.tick(139);
        QVERIFY(!Lesson::control<TextBox>(t.w, "Text_Un(0)")->isReadOnly());
        t.lesson.tick();
        QVERIFY(Lesson::control<TextBox>(t.w, "Text_Un(0)")->isReadOnly());
        QCOMPARE(t.field(3), t.solution(2));
    }

    // A task counts down only while it is the one shown: a difficult task
    // refused is not counted unseen (refused when the window opens, or when
    // moving to it); a refused move keeps the task, its answer and its
    // countdown, also over a visit to the lesson; a task chosen anew starts
    // afresh with its own answer.
    void onlyTheTaskShownCounts()
    {
        Tasks t(configWith({{16, 1}}, [](setup::Profile &p) { p.levels[0] = 2; }), {No});
        t.lesson.tick(1000);
        QCOMPARE(t.field(2) + t.field(3), QString());
        t.choose(2, {Yes});
        QTest::keyClicks(Lesson::control<TextBox>(t.w, "Text_Un(0)"), QStringLiteral("otgovor"));
        const QString task3 = t.field(2) + t.field(0);
        t.lesson.tick(10);
        t.choose(0, {No});
        t.choose(0, {Yes, No});
        t.lesson.tick();
        QCOMPARE(t.field(2) + t.field(0), task3);
        QCOMPARE(t.clock(), QStringLiteral("598"));

        Lesson::command(t.w, QStringLiteral("mnu_IzhodN"));
        t.lesson.tick(50);
        Lesson::command(t.main, QStringLiteral("mnu_Wyprosi"));
        t.choose(2);
        t.lesson.tick();
        QCOMPARE(t.clock(), QStringLiteral("598"));

        t.choose(0, {Yes, Yes});
        t.lesson.tick();
        QCOMPARE(t.clock(), QStringLiteral("4199"));
        t.choose(2, {Yes});
        t.lesson.tick();
        QCOMPARE(t.field(2) + t.field(0), task3);
        QCOMPARE(t.clock(), QStringLiteral("599"));
    }

    // Without option 6 the solution of a task after the first is never
    // shown, however the task is shown again (task 3 has budget 0); the
    // hint comes with it. Nor is it saved: the saved file stays as it was.
    // The first task's solution is open to every pupil.
    void solutionWithheldWithoutOptionSix_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("task");
        QTest::addColumn<bool>("refusedMove");
        QTest::newRow("clicked again") << 0 << 3 << false;
        QTest::newRow("a refused move") << 0 << 3 << true;
        QTest::newRow("option 6 on") << 1 << 3 << false;
        QTest::newRow("the first task") << 0 << 1 << false;
    }
    void solutionWithheldWithoutOptionSix()
    {
        QFETCH(int, option);
        QFETCH(int, task);
        QFETCH(bool, refusedMove);
        Tasks t(configWith({{16, 1}, {6, option}, {11, 1}, {25, 0}},
                           [task](setup::Profile &p) { p.budgets[task - 1] = 0; }));
        if (task > 1)
            t.choose(task - 1, {Yes});
        t.lesson.tick();
        const bool open = option || task == 1;
        const QString shown = open ? t.solution(task) : QStringLiteral("Нямате достъп за раглеждане на решението!");
        QCOMPARE(t.field(3), shown);
        const QString saved = t.lesson.path(QStringLiteral("OPTIM_0%1.TXT").arg(task));
        QVERIFY(writeFile(saved, "saved before"));
        if (!open)
            t.lesson.boxes.answer(QStringLiteral("OK"));
        Lesson::command(t.w, QStringLiteral("mnu_ZapReshen(3)"));
        QCOMPARE(readFile(saved) == "saved before", !open);
        if (!open)
            QCOMPARE(t.lesson.boxes.texts().last(),
                     QStringLiteral("Решението на автора на тази задача не е достъпно и няма какво "
                                    "да се запише.\nФайлът „%1“ не е променен.").arg(saved));
        t.choose(refusedMove ? task % 3 : task - 1, {No});
        QCOMPARE(t.field(3), QString()); // shown again
        t.lesson.tick();
        QCOMPARE(t.field(3), shown);
        QVERIFY(t.field(4).startsWith(QStringLiteral("Имате достъп")));
        QCOMPARE(t.clock(), QString());
    }
};

QTEST_MAIN(TaskFaultsTest)
#include "test_task_faults.moc"
