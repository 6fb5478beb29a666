#pragma once

#include <QColor>
#include <QtGlobal>

namespace urok {

// A colour value of the lesson: red in bits 0-7, green in 8-15, blue in
// 16-23. A value with the top bit set refers to a system colour instead
// (its low byte is the system colour's number; 8 is window text).
using ColourValue = qint32;

constexpr ColourValue rgbValue(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}

constexpr bool isSystemColour(ColourValue value)
{
    return value < 0;
}

constexpr ColourValue systemColour(int number)
{
    return static_cast<ColourValue>(0x80000000u | static_cast<quint32>(number & 0xFF));
}

// The system colours the lesson uses by name.
constexpr ColourValue SystemWindowText = systemColour(8);
constexpr ColourValue SystemButtonFace = systemColour(15);

struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb &) const = default;
};

// The low three bytes of a value, whatever its top byte holds.
constexpr Rgb splitColour(ColourValue value)
{
    const auto v = static_cast<quint32>(value);
    return {static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
            static_cast<int>((v >> 16) & 0xFF)};
}

// The colour a value shows: its red, green and blue, or, for a system
// colour reference, the platform's colour of that number.
QColor toQColor(ColourValue value);

} // namespace urok
