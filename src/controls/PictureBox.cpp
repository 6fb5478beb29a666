#include "controls/PictureBox.h"

#include "controls/AccessibleControls.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace urok {

PictureBox::PictureBox(const QString &name, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFrameShape(QFrame::Box);
    setMargin(0);
    installAccessibleControls();
}

void PictureBox::setPicture(const Picture &picture)
{
    picture_ = picture;
    const QImage image = picture.image();
    if (image.isNull())
        clear();
    else
        setPixmap(QPixmap::fromImage(image));
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

QString PictureBox::spokenDescription() const
{
    QString shows = picture_.description();
    if (picture_.isEmpty())
        shows = QStringLiteral("без илюстрация");
    else if (shows.isEmpty())
        shows = QStringLiteral("илюстрация без описание");
    // The keys open only a picture the box cannot show whole.
    const QSize whole = picture_.holderSize();
    if (keyboardHint_.isEmpty() || picture_.isEmpty()
        || (whole.width() < width() && whole.height() < height()))
        return shows;
    return shows + (shows.endsWith(u'.') ? QStringLiteral(" ") : QStringLiteral(". "))
           + keyboardHint_;
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
        press();
        return;
    }
    QLabel::keyPressEvent(event);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // The picture fills the box: the focus frame is drawn just inside its border.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = contentsRect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

} // namespace urok
