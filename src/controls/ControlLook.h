#pragma once

#include "engine/Colour.h"

class QString;
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

// A control's font family, and its size in points (a size that is not a
// positive number leaves the size as it is).
void setFontFamily(QWidget *widget, const QString &family);
void setFontPoints(QWidget *widget, double points);

} // namespace urok
