#pragma once

#include "engine/Platform.h"

namespace urok {

class LessonState;
class Prompter;

// What every window of the lesson works with: the run-time state the
// windows share, the message boxes that ask and tell the pupil, and the
// machine the lesson runs on (its folder, its disk, its clock).
struct LessonContext
{
    LessonState &state;
    Prompter &prompter;
    Platform platform = Platform::current();
};

} // namespace urok
