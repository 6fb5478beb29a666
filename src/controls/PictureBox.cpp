#include "controls/PictureBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>

namespace urok {

PictureBox::PictureBox(const QString &name, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFrameShape(QFrame::Box);
    setMargin(0);
}

void PictureBox::setPicture(const Picture &picture)
{
    picture_ = picture;
    const QImage image = picture.image();
    if (image.isNull())
        clear();
    else
        setPixmap(QPixmap::fromImage(image));
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    Q_EMIT Pressed(event->button());
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    // From the keyboard, Enter or Space on the focused picture is a left click.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
        || event->key() == Qt::Key_Space) {
        Q_EMIT Pressed(Qt::LeftButton);
        return;
    }
    QLabel::keyPressEvent(event);
}

} // namespace urok
