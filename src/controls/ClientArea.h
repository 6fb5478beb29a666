#pragma once

#include <QWidget>

namespace urok {

// The inner area of a window, below its menu bar: the surface its controls
// stand on. It reports its resizes and the mouse buttons pressed on it.
class ClientArea : public QWidget
{
    Q_OBJECT
public:
    explicit ClientArea(QWidget *parent = nullptr);

Q_SIGNALS:
    void Resized();
    void MouseDown(Qt::MouseButton button, QPoint position);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace urok
