#pragma once

#include "content/Picture.h"

#include <QLabel>

namespace urok {

// A picture box: shows a picture at its own size from the top left corner,
// cut off where the box is smaller. A mouse button pressed on it is reported.
class PictureBox : public QLabel
{
    Q_OBJECT
public:
    explicit PictureBox(const QString &name, QWidget *parent = nullptr);

    const Picture &picture() const { return picture_; }
    void setPicture(const Picture &picture);

Q_SIGNALS:
    void Pressed(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Picture picture_;
};

} // namespace urok
