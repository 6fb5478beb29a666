#include "controls/AuxiliaryWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace urok {

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
