#include "engine/TickSource.h"

#include <QTest>

using namespace urok;

class TickSourceTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ticksFollowTheClock()
    {
        qint64 now = 1000;
        int ticks = 0;
        TickSource source([&] { ++ticks; }, nullptr, [&] { return now; });
        source.setEnabled(true);
        now += 99;
        source.catchUp();
        QCOMPARE(ticks, 0);
        now += 1;
        source.catchUp();
        QCOMPARE(ticks, 1);
        // A machine that was busy for 2.5 s gets the 25 ticks it missed.
        now += 2500;
        source.catchUp();
        QCOMPARE(ticks, 26);
        source.catchUp();
        QCOMPARE(ticks, 26);
    }

    void disabledTimeDoesNotCount()
    {
        qint64 now = 0;
        int ticks = 0;
        TickSource source([&] { ++ticks; }, nullptr, [&] { return now; });
        source.setEnabled(true);
        now = 250; // two ticks and half a period
        source.catchUp();
        QCOMPARE(ticks, 2);
        source.setEnabled(false);
        now = 60'000;
        source.catchUp();
        QCOMPARE(ticks, 2);
        source.setEnabled(true);
        now += 49; // the half period left over, less a millisecond
        source.catchUp();
        QCOMPARE(ticks, 2);
        now += 1;
        source.catchUp();
        QCOMPARE(ticks, 3);
    }

    void handlerMayStopTheSource()
    {
        qint64 now = 0;
        int ticks = 0;
        TickSource *self = nullptr;
        TickSource source(
            [&] {
                if (++ticks == 3)
                    self->setEnabled(false);
            },
            nullptr, [&] { return now; });
        self = &source;
        source.setEnabled(true);
        now = 1000;
        source.catchUp();
        QCOMPARE(ticks, 3);
        QVERIFY(!source.isEnabled());
    }

    void restartFromTheHandlerDoesNotReplayOldTicks()
    {
        qint64 now = 0;
        int ticks = 0;
        TickSource *self = nullptr;
        TickSource source(
            [&] {
                if (++ticks == 1) {
                    self->setEnabled(false);
                    self->setEnabled(true);
                }
            },
            nullptr, [&] { return now; });
        self = &source;
        source.setEnabled(true);
        now = 1000;
        source.catchUp();
        QCOMPARE(ticks, 1);
    }

    // The real timer, briefly: ticks arrive on their own.
    void realTimerTicks()
    {
        int ticks = 0;
        TickSource source([&] { ++ticks; });
        source.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 2000);
        source.setEnabled(false);
    }
};

QTEST_GUILESS_MAIN(TickSourceTest)
#include "test_tick_source.moc"
