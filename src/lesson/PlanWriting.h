#pragma once

#include <QSizeF>
#include <QtGlobal>

#include <array>

namespace urok {

// The numbers behind timed plan writing: which point is being written, how
// many seconds each point has left, which points are written, and the
// geometry of the countdown bar and of the plan ribbon.
//
// Bar and ribbon geometry is in twips of the main window at the inner size
// it had when the bar or ribbon was set up (`reference`); the window maps
// it to its present size when it draws, so a resize never loses progress.

constexpr int MaxPlanPoints = 50;

struct WritingTable
{
    qint16 currentPoint = 0;               // the point being written, 0 = none
    std::array<qint16, MaxPlanPoints + 1> remaining{}; // seconds left, points 1..50
    std::array<quint8, MaxPlanPoints + 1> done{};      // 1 = written; [0] = points still open

    // Every point open, with its full writing time.
    void reset(int planCount, const std::array<qint16, MaxPlanPoints + 1> &times);
    int openPoints() const { return done[0]; }
};

struct CountdownBar
{
    QSizeF reference;
    float top = 0;        // top of the elapsed part
    float leftHeight = 0; // height of the remaining part
    float usedHeight = 0; // height of the elapsed part
    int seconds = 0;
    int step = 0;         // height moved per second

    // A new countdown of `time` seconds from the bar's scaled design geometry.
    // A time below 1 is taken as 1 second (no division by zero).
    void setUp(float elapsedTop, float remainingHeight, float elapsedHeight, int time,
               QSizeF innerSize);
    // One second: the remaining part shrinks and the elapsed part grows upward.
    void second();
};

struct PlanRibbon
{
    QSizeF reference;
    float redLeft = 0;
    float redWidth = 0;
    float greenWidth = 0;
    int steps = 0;
    int step = 0;         // width moved from red to green per written point
    bool redHidden = false;

    // With a plan of 0 points the ribbon never moves (step 0).
    void setUp(float left, float width, float green, int planCount, QSizeF innerSize);
    // One written point; at most planCount steps are made. The red part is
    // dropped once it is narrower than 10.
    void advance(int planCount);
};

} // namespace urok
