#pragma once

#include "content/Picture.h"

#include <QLabel>

namespace urok {

// A picture box: shows a picture at its own size from the top left corner,
// cut off where the box is smaller. A mouse button pressed on it is reported;
// Enter or Space on the focused box, and a screen reader's "Press", report
// a left button. The focused box shows a focus frame.
class PictureBox : public QLabel
{
    Q_OBJECT
public:
    explicit PictureBox(const QString &name, QWidget *parent = nullptr);

    const Picture &picture() const { return picture_; }
    void setPicture(const Picture &picture);
    // What a screen reader says of the box: what its picture shows ("без
    // илюстрация" when it has none), then, when the box cannot show it
    // whole, what the keys do with it.
    QString spokenDescription() const;
    void setKeyboardHint(const QString &hint) { keyboardHint_ = hint; }
    // What a left click does, without the mouse.
    void press() { Q_EMIT Pressed(Qt::LeftButton); }

Q_SIGNALS:
    void Pressed(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    Picture picture_;
    QString keyboardHint_;
};

} // namespace urok
