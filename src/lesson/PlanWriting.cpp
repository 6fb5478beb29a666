#include "lesson/PlanWriting.h"

#include <cmath>

namespace urok {

void WritingTable::reset(int planCount, const std::array<qint16, MaxPlanPoints + 1> &times)
{
    currentPoint = 0;
    remaining.fill(0);
    done.fill(0);
    const int n = qBound(0, planCount, MaxPlanPoints);
    for (int k = 1; k <= n; ++k)
        remaining[k] = times[k];
    done[0] = static_cast<quint8>(n);
}

void CountdownBar::setUp(float elapsedTop, float remainingHeight, float elapsedHeight, int time,
                         QSizeF innerSize)
{
    reference = innerSize;
    top = elapsedTop;
    leftHeight = remainingHeight;
    usedHeight = elapsedHeight;
    seconds = 0;
    step = static_cast<int>(std::lround(leftHeight)) / qMax(1, time);
}

void CountdownBar::second()
{
    ++seconds;
    top -= static_cast<float>(step);
    leftHeight -= static_cast<float>(step);
    if (leftHeight < 1)
        leftHeight = 0;
    usedHeight += static_cast<float>(step);
}

void PlanRibbon::setUp(float left, float width, float green, int planCount, QSizeF innerSize)
{
    reference = innerSize;
    redLeft = left;
    redWidth = width;
    greenWidth = green;
    steps = 0;
    redHidden = false;
    step = planCount > 0 ? static_cast<int>(std::lround(redWidth)) / planCount : 0;
}

void PlanRibbon::advance(int planCount)
{
    if (steps > planCount - 1)
        return;
    ++steps;
    redLeft += static_cast<float>(step);
    redWidth -= static_cast<float>(step);
    if (redWidth < 10) {
        redWidth = 0;
        redHidden = true;
    }
    greenWidth += static_cast<float>(step);
}

} // namespace urok
