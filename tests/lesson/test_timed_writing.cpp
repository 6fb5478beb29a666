#include "controls/ListBox.h"
#include "controls/SpokenLabels.h"
#include "lesson/PlanWriting.h"
#include "support/Lesson.h"

#include <QAction>

using namespace urok;
using namespace urok::test;

namespace {

// The pupil writes the plan down in a lesson started from its folder.
struct Writing
{
    explicit Writing(const QByteArray &file = configWith({}))
        : lesson(Lesson::Bytes{}, file)
    {
        t = &lesson.start();
        plan = Lesson::control<ListBox>(t, QStringLiteral("List_Ur(0)"));
        tasks = Lesson::control<QAction>(t, QStringLiteral("mnu_Wyprosi"));
    }
    Writing(std::initializer_list<std::pair<const int, int>> options)
        : Writing(configWith(std::map<int, int>(options)))
    {
    }

    void seconds(int n) { lesson.tick(10 * n); }
    void choose(int row) { Lesson::click(plan, row); }
    // The seconds left of the point being written, and the points written,
    // as a screen reader hears them from the bar and the ribbon.
    int left() const { return Lesson::control<ProgressLabel>(t, "Label_U(2)")->value(); }
    int written() const { return Lesson::control<ProgressLabel>(t, "Label_U(1)")->value(); }
    bool shown(int shape) const
    {
        return !Lesson::control<QWidget>(t, QStringLiteral("Shape_Lenta(%1)").arg(shape))->isHidden();
    }
    QRect shape(int i) const
    {
        return Lesson::control<QWidget>(t, QStringLiteral("Shape_Lenta(%1)").arg(i))->geometry();
    }

    Lesson lesson;
    Tarv *t = nullptr;
    ListBox *plan = nullptr;
    QAction *tasks = nullptr;
};

} // namespace

class TimedWritingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The whole plan point by point: the list is locked for the writing
    // time and unlocked a second later, the bar shrinks, the ribbon moves a
    // quarter per point, and the tasks open when every point is written.
    void theWholePlan()
    {
        Writing w;
        QVERIFY(!w.tasks->isEnabled());
        QVERIFY(!w.shown(2));
        for (int p = 0; p < 4; ++p) {
            w.choose(p);
            const int full = w.left();
            QVERIFY(full > 2);
            QVERIFY(w.plan->isLocked());
            w.seconds(1);
            QVERIFY(w.shown(0) && w.shown(1));
            const int barAtStart = w.shape(0).height();
            w.seconds(full - 2);
            QVERIFY(w.shape(0).height() < barAtStart);
            // The elapsed part grows upward as much as the remaining part shrinks.
            QVERIFY(qAbs(w.shape(1).y() - (w.shape(0).y() + w.shape(0).height())) <= 2);
            QVERIFY(w.plan->isLocked());
            QVERIFY(!w.tasks->isEnabled());
            const int green = w.shape(3).width();
            w.seconds(1); // written
            QCOMPARE(w.tasks->isEnabled(), p == 3);
            QVERIFY(p == 0 || w.shape(3).width() > green);
            QCOMPARE(w.shown(2), p < 3);
            QVERIFY(w.plan->isLocked());
            w.seconds(1); // unlocked
            QVERIFY(!w.plan->isLocked());
            QVERIFY(!w.shown(0) && !w.shown(1));
        }
        QCOMPARE(w.written(), 4);
    }

    void secondsCountOnEveryTenthTick()
    {
        Writing w;
        w.choose(0);
        const int full = w.left();
        w.lesson.tick(9);
        QCOMPARE(w.left(), full);
        w.lesson.tick();
        QCOMPARE(w.left(), full - 1);
    }

    void nothingCountsBeforeAPointIsChosen()
    {
        Writing fresh;
        fresh.choose(0);
        Writing w;
        w.seconds(30);
        QCOMPARE(w.left(), 0);
        QCOMPARE(w.written(), 0);
        w.choose(0);
        QCOMPARE(w.left(), fresh.left());
    }

    // Option 16 opens the tasks from the start; while the bar counts a
    // point down (option 13), they wait for the point.
    void optionSixteenOpensTheTasksFromTheStart()
    {
        Writing w({{16, 1}});
        QVERIFY(w.tasks->isEnabled());
        w.choose(0);
        w.seconds(2);
        QVERIFY(!w.tasks->isEnabled());
        w.seconds(w.left());
        QVERIFY(w.tasks->isEnabled());

        Writing withoutBar({{16, 1}, {13, 0}});
        withoutBar.choose(0);
        withoutBar.seconds(2);
        QVERIFY(withoutBar.tasks->isEnabled());
    }

    // Options 13 and 19 show the countdown bar and the plan ribbon.
    void shapesHiddenWithoutTheirOption_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("other");
        QTest::newRow("bar") << 13 << 0 << 1;
        QTest::newRow("ribbon") << 19 << 2 << 3;
    }
    void shapesHiddenWithoutTheirOption()
    {
        QFETCH(int, option);
        QFETCH(int, shape);
        QFETCH(int, other);
        Writing w({{option, 0}});
        w.choose(0);
        w.seconds(2);
        QVERIFY(!w.shown(shape) && !w.shown(other));
        w.seconds(w.left());
        QVERIFY(!w.shown(shape) && !w.shown(other));
        QCOMPARE(w.left(), 0); // the timing itself runs the same
        w.seconds(1);
        QVERIFY(!w.plan->isLocked());
    }

    void pointLeftEarlyRestartsOrContinues_data()
    {
        QTest::addColumn<int>("keep");
        QTest::addColumn<int>("lost");
        QTest::newRow("full time again") << 0 << 0;
        QTest::newRow("time that was left (option 18)") << 1 << 4;
    }
    void pointLeftEarlyRestartsOrContinues()
    {
        QFETCH(int, keep);
        QFETCH(int, lost);
        Writing w({{17, 1}, {18, keep}});
        w.choose(0);
        const int full = w.left();
        w.seconds(4);
        QVERIFY(!w.plan->isLocked()); // option 17: the list stays usable
        w.choose(1);
        w.seconds(2);
        w.choose(0);
        QCOMPARE(w.left(), full - lost);
    }

    void resizeKeepsTheProgressShown()
    {
        Writing w;
        w.choose(0);
        w.seconds(w.left() + 1);
        w.choose(1);
        w.seconds(6);
        const QRect green = w.shape(3);
        const QRect remaining = w.shape(0);
        w.t->resize(w.t->width() * 2, w.t->height());
        QVERIFY(qAbs(w.shape(3).width() - 2 * green.width()) <= 1);
        QCOMPARE(w.shape(0).height(), remaining.height());
        QCOMPARE(w.shape(0).x(), remaining.x() * 2);
    }

    void pausedWhileTheTasksWindowIsOpen()
    {
        Writing w({{16, 1}});
        w.choose(0);
        const int full = w.left();
        w.tasks->trigger();
        w.seconds(30);
        Lesson::command(w.lesson.window(QStringLiteral("Tarv_n")), QStringLiteral("mnu_IzhodN"));
        QCOMPARE(w.left(), full);
    }

    // A point whose writing time is below a second still gets written.
    void negativeWritingTimeStillGetsWritten()
    {
        Writing w(configWith({}, [](setup::Profile &p) { p.rates[0] = -32768; }));
        w.choose(0);
        QCOMPARE(w.left(), 1);
        w.seconds(1);
        QCOMPARE(w.written(), 1);
    }
};

class PlanWritingNumbersTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void barLeavesAStubThatIsClamped()
    {
        CountdownBar bar;
        bar.setUp(5500, 5000, 15, 7, QSizeF(792, 546));
        QCOMPARE(bar.step, 714);
        for (int i = 0; i < 7; ++i)
            bar.second();
        QCOMPARE(bar.leftHeight, 2.0f); // 5000 - 7 * 714
        bar.second();
        QCOMPARE(bar.leftHeight, 0.0f);
        QCOMPARE(bar.usedHeight, 15.0f + 8 * 714);
    }

    void ribbonMakesAtMostPlanCountSteps()
    {
        PlanRibbon ribbon;
        ribbon.setUp(360, 11000, 15, 3, QSizeF(792, 546));
        QCOMPARE(ribbon.step, 3666);
        for (int i = 0; i < 5; ++i)
            ribbon.advance(3);
        QCOMPARE(ribbon.steps, 3);
        QCOMPARE(ribbon.redWidth, 0.0f); // 2 left over, below 10
        QVERIFY(ribbon.redHidden);
        QCOMPARE(ribbon.greenWidth, 15.0f + 3 * 3666);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TimedWritingTest a;
    PlanWritingNumbersTest b;
    return QTest::qExec(&a, argc, argv) | QTest::qExec(&b, argc, argv);
}

#include "test_timed_writing.moc"
