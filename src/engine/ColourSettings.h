#pragma once

#include "engine/Colour.h"
#include "engine/Look.h"

#include <QString>
#include <QStringList>

namespace urok {

class ItemList;

// The appearance settings list (the tasks window's List_Un(2)) holds, after
// a description and the font name (1) and size (2), four colour targets:
// 0 the window background, 1 the background of the text fields, 2 the text
// colour of the text fields, 3 the background of the caption labels. Target
// t keeps its colour value in slot 4t+3 and its red, green and blue in the
// three slots after it. Every number is decimal text.
namespace settings {
constexpr int FontName = 1;
constexpr int FontSize = 2;
constexpr int TargetCount = 4;
constexpr int WindowBack = 0;
constexpr int FieldBack = 1;
constexpr int FieldText = 2;
constexpr int LabelBack = 3;

constexpr int colourSlot(int target)
{
    return 4 * target + 3;
}
// The slot of component 0 (red), 1 (green) or 2 (blue) of a target.
constexpr int componentSlot(int target, int component)
{
    return colourSlot(target) + 1 + component;
}
} // namespace settings

// A colour slot read as a 32-bit value; text that is not a number reads 0.
ColourValue colourSetting(const ItemList &list, int slot);

// The look the list holds: its four colours, its font name and its font
// size read as a number.
Look lookOf(const ItemList &list);

// The line that shows a colour value in decimal and hexadecimal:
// 51208 gives "Цвят в 10/16-тичен код = 51208 /HC808".
QString colourCodeLine(qint32 value);

// A font size as the settings list keeps it when it is read from a window:
// to four decimals, in the shortest form (12 -> "12", 10.5 -> "10.5").
QString fontSizeText(double points);

// A font size rounded to a whole number, halves to even (12.5 -> "12").
QString wholeFontSizeText(double points);

// The font families as the pupil chooses them: a family that several
// foundries offer comes as "Name [foundry]" once for each; it is listed
// once, under its plain name, where it first comes.
QStringList fontFamilyNames(const QStringList &families);

} // namespace urok
