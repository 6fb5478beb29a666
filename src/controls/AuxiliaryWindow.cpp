#include "controls/AuxiliaryWindow.h"

#include "controls/AccessibleControls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

namespace urok {

void SelfUnloading::noteOpener(const QWidget *self)
{
    QWidget *front = QApplication::activeWindow();
    if (front && front != self)
        opener_ = front;
}

void SelfUnloading::unload()
{
    const QPointer<QWidget> back = opener_;
    if (unload_)
        unload_();
    if (back && back->isVisible()) {
        back->raise();
        back->activateWindow();
    }
}

AuxiliaryWindow::AuxiliaryWindow(QWidget *parent)
    : QWidget(parent)
{
    installAccessibleControls();
}

void AuxiliaryWindow::showEvent(QShowEvent *event)
{
    noteOpener(this);
    QWidget::showEvent(event);
}

void AuxiliaryWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    unload();
}

void AuxiliaryWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace urok
