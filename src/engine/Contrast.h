#pragma once

#include <QColor>

namespace urok {

// How far apart two colours stand for the eye: the ratio of their relative
// luminances (the lighter one's plus 0.05 over the darker one's plus 0.05),
// from 1 (the same) to 21 (black on white). A frame or a line that must be
// seen needs at least 3 against what lies around it.
double contrastRatio(const QColor &a, const QColor &b);

// Black or white, whichever stands out more against the background: at
// least 4.5 against any colour.
QColor frameColourOn(const QColor &background);

} // namespace urok
