#pragma once

#include <QProxyStyle>

namespace urok {

// The desktop's style, with one difference nobody sees: the arrow a menu bar
// shows when its commands do not fit is read from its image file only when
// it is first drawn. Every menu bar makes that button when it is made, and
// reading the file there would load every image plugin at start-up.
class LessonStyle : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace urok
