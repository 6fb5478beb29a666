#pragma once

#include "engine/Colour.h"

#include <QString>

namespace urok {

// The look of the lesson's windows that the pupil composes in the colour
// window: four colours and the font of the text fields. Each window applies
// it to its own controls.
struct Look
{
    ColourValue windowBack = 0;
    ColourValue fieldBack = 0;
    ColourValue fieldText = 0;
    ColourValue labelBack = 0;
    QString fontName;
    // A size that is not a positive number leaves the fonts' sizes as they are.
    double fontPoints = 0;
};

} // namespace urok
