#pragma once

#include "engine/Colour.h"

class QWidget;

namespace urok {

// A control's background and text colours as the lesson's colour values.
// The value set is kept and read back exactly, system colour references
// included; the widget's palette shows the colour it stands for.
void setBackColor(QWidget *widget, ColourValue value);
void setForeColor(QWidget *widget, ColourValue value);
ColourValue backColor(const QWidget *widget);
// The control keeps the platform's colours whatever colour the window
// around it takes (lists, sliders).
void keepPlatformColours(QWidget *widget);
ColourValue foreColor(const QWidget *widget);

} // namespace urok
