#include "controls/ClientArea.h"

#include <QMouseEvent>

namespace urok {

ClientArea::ClientArea(QWidget *parent)
    : QWidget(parent)
{
}

void ClientArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Q_EMIT Resized();
}

void ClientArea::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    Q_EMIT MouseDown(event->button(), event->position().toPoint());
}

} // namespace urok
