#pragma once

#include <QString>

class QMainWindow;
class QSize;
class QWidget;

namespace urok {

// Names a control the way the lesson's code and tests know it
// ("List_Ur(0)"), gives it its tooltip and tells a screen reader what it
// is. Labels whose caption matters get a description instead of a name,
// since a name would hide their caption.
void nameControl(QWidget *control, const QString &objectName, const QString &accessibleName,
                 const QString &toolTip = {});

// What a screen reader says of a control after its name: what the keys do
// with it. The tooltip, written for the mouse, stays as it is.
void describeForKeys(QWidget *control, const QString &description);

// F10 opens the window's menu bar for the arrow keys, the way Alt alone
// does: on a Latin keyboard layout the Cyrillic menu keys cannot be typed.
void addMenuBarKey(QMainWindow *window);

// Sizes a window so that the area below its menu bar has the given size.
void setClientSize(QMainWindow *window, const QSize &size);

} // namespace urok
