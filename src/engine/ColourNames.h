#pragma once

#include "engine/Colour.h"

#include <QString>

namespace urok {

// The short Bulgarian name of the colour nearest to a composed one, from a
// table of everyday colour names ("тъмночервен", "светлосин").
QString colourName(const Rgb &colour);

// A composed colour as a pupil who cannot see it is told it: its name, then
// its code as the colour window shows it ("тъмночервен, код 128, шестнадесетично 80").
QString colourInWords(ColourValue value);

} // namespace urok
