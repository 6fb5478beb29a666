#include "controls/ListBox.h"
#include "controls/Shape.h"
#include "controls/Twips.h"
#include "engine/TickSource.h"
#include "lesson/PlanWriting.h"
#include "lesson/Tarv.h"
#include "support/LessonFixture.h"

#include <QAction>
#include <QLabel>
#include <QApplication>
#include <QTest>

using namespace urok;
using namespace urok::test;

namespace {

struct Writing
{
    explicit Writing(std::initializer_list<int> onOptions = {})
    {
        f.state.Opcii_L().setItem(10, QStringLiteral("1"));
        for (int n : onOptions)
            f.state.Opcii_L().setItem(n, QStringLiteral("1"));
        t = &f.windows.get<Tarv>();
        t->show();
    }
    void seconds(int n)
    {
        for (int i = 0; i < 10 * n; ++i)
            t->Timer1_Timer();
    }
    void choose(int row) { t->List_Ur[0]->setListIndex(row); }

    LessonFixture f;
    Tarv *t = nullptr;
};

} // namespace

class TimedWritingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listIsLockedForTheWritingTimeAndUnlockedASecondLater()
    {
        Writing w;
        w.choose(0); // 10 seconds
        w.seconds(9);
        QVERIFY(!w.t->List_Ur[0]->isEnabled());
        QCOMPARE(w.t->writing.remaining[1], 1);
        QCOMPARE(w.t->writing.done[1], 0);
        w.seconds(1);
        QCOMPARE(w.t->writing.done[1], 1);
        QCOMPARE(w.t->writing.openPoints(), 3);
        QVERIFY(!w.t->List_Ur[0]->isEnabled());
        w.seconds(1);
        QVERIFY(w.t->List_Ur[0]->isEnabled());
    }

    void secondsCountOnEveryTenthTick()
    {
        Writing w;
        w.choose(0);
        for (int i = 0; i < 9; ++i)
            w.t->Timer1_Timer();
        QCOMPARE(w.t->writing.remaining[1], 10);
        w.t->Timer1_Timer();
        QCOMPARE(w.t->writing.remaining[1], 9);
    }

    void tasksMenuOpensOnlyWhenEveryPointIsWritten()
    {
        Writing w;
        QVERIFY(!w.t->mnu_Wyprosi->isEnabled());
        const int times[] = {10, 12, 14, 16};
        for (int p = 0; p < 4; ++p) {
            w.choose(p);
            w.seconds(times[p] - 1);
            QVERIFY(!w.t->mnu_Wyprosi->isEnabled());
            w.seconds(1); // written
            QCOMPARE(w.t->mnu_Wyprosi->isEnabled(), p == 3);
            w.seconds(1); // unlocked
            QVERIFY(w.t->List_Ur[0]->isEnabled());
        }
        QCOMPARE(w.t->writing.openPoints(), 0);
    }

    void optionSixteenOpensTheTasksMenuFromTheStart()
    {
        Writing w({16});
        QVERIFY(w.t->mnu_Wyprosi->isEnabled());
        w.choose(0);
        w.seconds(10);
        QVERIFY(w.t->mnu_Wyprosi->isEnabled());
    }

    void nothingCountsBeforeAPointIsChosen()
    {
        Writing w;
        w.seconds(30);
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(w.t->writing.remaining[k], 8 + 2 * k);
        QCOMPARE(w.t->tickCount, 300);
    }

    void countdownBarShrinksWithOptionThirteen()
    {
        Writing w({13});
        QCOMPARE(w.t->currentTime, 10); // start-up sets it with the bar
        w.choose(0);
        QVERIFY(w.t->Shape_Lenta[0]->isHidden());
        w.seconds(1);
        QVERIFY(!w.t->Shape_Lenta[0]->isHidden());
        QVERIFY(!w.t->Shape_Lenta[1]->isHidden());
        const int full = w.t->Shape_Lenta[0]->height();
        w.seconds(4);
        const int later = w.t->Shape_Lenta[0]->height();
        QVERIFY(later < full);
        // The elapsed part grows upward as much as the remaining part shrinks.
        QVERIFY(qAbs((w.t->Shape_Lenta[1]->y()) - (w.t->Shape_Lenta[0]->y() + later)) <= 2);
        QCOMPARE(w.t->bar.seconds, 5);
        QCOMPARE(w.t->bar.step, 5000 / 10);
        w.seconds(6);
        QVERIFY(w.t->Shape_Lenta[0]->isHidden());
        QVERIFY(w.t->Shape_Lenta[1]->isHidden());
    }

    void barStaysHiddenWithoutOptionThirteen()
    {
        Writing w;
        w.choose(0);
        w.seconds(3);
        QVERIFY(w.t->Shape_Lenta[0]->isHidden());
        QCOMPARE(w.t->bar.seconds, 3); // the timing itself runs the same
    }

    void ribbonMovesAQuarterPerPoint()
    {
        Writing w({19});
        const int width = 11000; // twips of the design window
        QCOMPARE(w.t->ribbon.step, width / 4);
        QVERIFY(w.t->Shape_Lenta[2]->isHidden());
        const int times[] = {10, 12, 14, 16};
        for (int p = 0; p < 4; ++p) {
            w.choose(p);
            w.seconds(times[p] + 1);
            QCOMPARE(w.t->ribbon.steps, p + 1);
            QCOMPARE(w.t->ribbon.greenWidth, 15.0f + (p + 1) * (width / 4));
            QVERIFY(!w.t->Shape_Lenta[3]->isHidden());
            QCOMPARE(w.t->Shape_Lenta[2]->isHidden(), p == 3);
        }
        QCOMPARE(w.t->ribbon.redWidth, 0.0f);
        QCOMPARE(w.t->Label_U[1]->toolTip().size(), 103);
    }

    void ribbonHiddenWithoutOptionNineteen()
    {
        Writing w;
        w.choose(0);
        w.seconds(11);
        QVERIFY(w.t->Shape_Lenta[2]->isHidden());
        QVERIFY(w.t->Shape_Lenta[3]->isHidden());
        QCOMPARE(w.t->ribbon.steps, 0);
    }

    void pointLeftEarlyRestartsOrContinues_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::addColumn<int>("expected");
        QTest::newRow("full time again") << false << 10;
        QTest::newRow("time that was left (option 18)") << true << 6;
    }
    void pointLeftEarlyRestartsOrContinues()
    {
        QFETCH(bool, keep);
        QFETCH(int, expected);
        Writing w = keep ? Writing({17, 18}) : Writing({17});
        w.choose(0);
        w.seconds(4);
        QVERIFY(w.t->List_Ur[0]->isEnabled()); // option 17: the list stays usable
        w.choose(1);
        w.seconds(2);
        QCOMPARE(w.t->writing.remaining[1], 6);
        w.choose(0);
        QCOMPARE(w.t->writing.remaining[1], expected);
        QCOMPARE(w.t->currentTime, expected);
    }

    void resizeKeepsTheProgressShown()
    {
        Writing w({13, 19});
        w.choose(0);
        w.seconds(11);
        w.choose(1);
        w.seconds(6);
        const QRect green = w.t->Shape_Lenta[3]->geometry();
        const QRect remaining = w.t->Shape_Lenta[0]->geometry();
        w.t->resize(w.t->width() * 2, w.t->height());
        QVERIFY(qAbs(w.t->Shape_Lenta[3]->width() - 2 * green.width()) <= 1);
        QCOMPARE(w.t->Shape_Lenta[0]->height(), remaining.height());
        QCOMPARE(w.t->Shape_Lenta[0]->x(), remaining.x() * 2);
    }

    void pausedWhileTheTasksWindowIsOpen()
    {
        Writing w({16});
        w.choose(0);
        w.t->mnu_Wyprosi->trigger();
        QVERIFY(!w.t->Timer1->isEnabled());
    }

    void zeroWritingTimeStillGetsWritten()
    {
        LessonFixture f;
        f.state.Opcii_L().setItem(10, QStringLiteral("1"));
        f.state.Wremena(2).setItem(1, QStringLiteral("0"));
        Tarv &t = f.windows.get<Tarv>();
        t.List_Ur[0]->setListIndex(0);
        QCOMPARE(t.currentTime, 1);
        QCOMPARE(t.bar.step, 5000);
        for (int i = 0; i < 10; ++i)
            t.Timer1_Timer();
        QCOMPARE(t.writing.done[1], 1);
    }

    void planWithoutPointsDoesNotDivideByZero()
    {
        LessonFixture f;
        ItemList &plan = f.state.Plan_Tarv(0);
        while (plan.count() > 1)
            plan.removeLast();
        Tarv &t = f.windows.get<Tarv>();
        QCOMPARE(t.planCount, 0);
        QCOMPARE(t.ribbon.step, 0);
        QCOMPARE(t.List_Ur[0]->count(), 0);
        for (int i = 0; i < 20; ++i)
            t.Timer1_Timer();
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
