#pragma once

#include <QProxyStyle>

namespace urok {

// The desktop's style, with two differences. The arrow keys in a menu bar
// or a menu stop on the commands that are off too, so that a pupil who
// cannot see them hears that they are there and unavailable. And the arrow
// a menu bar shows when its commands do not fit is read from its image file
// only when it is first drawn: every menu bar makes that button when it is
// made, and reading the file there would load every image plugin at start-up.
class LessonStyle : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};

} // namespace urok
