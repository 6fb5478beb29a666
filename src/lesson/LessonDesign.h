#pragma once

namespace urok {

// A rectangle of the main window's design, in twips.
struct DesignRect
{
    int left, top, width, height;
};

// The countdown bar (0 remaining, 1 elapsed) and the plan ribbon (2 red, 3 green).
constexpr DesignRect shapeDesign[4] = {
    {11500, 495, 195, 5000},
    {11500, 5500, 195, 15},
    {360, 7200, 11000, 195},
    {360, 7200, 15, 195},
};

} // namespace urok
