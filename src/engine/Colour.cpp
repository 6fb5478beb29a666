#include "engine/Colour.h"

#include <QGuiApplication>
#include <QPalette>

namespace urok {

static QColor systemColourOf(int number)
{
    const QPalette p = QGuiApplication::palette();
    switch (number) {
    case 0: return p.color(QPalette::Button);           // scroll bars
    case 1: return p.color(QPalette::Dark);             // desktop
    case 2: return p.color(QPalette::Highlight);        // active title bar
    case 3: return p.color(QPalette::Mid);              // inactive title bar
    case 4: return p.color(QPalette::Window);           // menu bar
    case 5: return p.color(QPalette::Base);             // window background
    case 6: return p.color(QPalette::Shadow);           // window frame
    case 7: return p.color(QPalette::WindowText);       // menu text
    case 8: return p.color(QPalette::Text);             // window text
    case 9: return p.color(QPalette::HighlightedText);  // title bar text
    case 10: return p.color(QPalette::Window);          // active border
    case 11: return p.color(QPalette::Window);          // inactive border
    case 12: return p.color(QPalette::Mid);             // application workspace
    case 13: return p.color(QPalette::Highlight);       // highlight
    case 14: return p.color(QPalette::HighlightedText); // highlighted text
    case 15: return p.color(QPalette::Button);          // button face
    case 16: return p.color(QPalette::Dark);            // button shadow
    case 17: return p.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18: return p.color(QPalette::ButtonText);      // button text
    case 19: return p.color(QPalette::Disabled, QPalette::WindowText); // inactive title text
    case 20: return p.color(QPalette::Light);           // button highlight
    case 21: return p.color(QPalette::Shadow);          // 3D dark shadow
    case 22: return p.color(QPalette::Midlight);        // 3D light
    case 23: return p.color(QPalette::ToolTipText);     // tooltip text
    case 24: return p.color(QPalette::ToolTipBase);     // tooltip background
    default: return p.color(QPalette::Text);
    }
}

QColor toQColor(ColourValue value)
{
    if (isSystemColour(value))
        return systemColourOf(value & 0xFF);
    const Rgb c = splitColour(value);
    return QColor(c.red, c.green, c.blue);
}

} // namespace urok
