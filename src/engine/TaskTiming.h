#pragma once

namespace urok {

// The configuration file stores a task's difficulty level; the lesson uses
// its last digit, with the level's sign.
constexpr int taskLevel(int stored)
{
    return stored % 10;
}

// A task's budget and hint time are scaled by a factor of its difficulty
// level: 1 up to level 1, 10 for level 2, 1000 for levels 3 and 4.
constexpr double levelFactor(double level)
{
    if (level <= 1)
        return 1;
    if (level <= 2)
        return 10;
    return 1000;
}

} // namespace urok
