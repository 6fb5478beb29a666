#pragma once

#include "app/WindowRegistry.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWidget>

namespace urok {

// A window beside the lesson (the Focus window, the task chooser, the
// full-size picture): closing it, by its close box or by Escape, unloads
// it; the next reference makes it afresh.
template <class W>
class AuxiliaryWindow : public QWidget
{
public:
    explicit AuxiliaryWindow(WindowRegistry &windows)
        : windows_(windows)
    {
    }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->accept();
        windows_.unload<W>();
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape) {
            close();
            return;
        }
        QWidget::keyPressEvent(event);
    }

    WindowRegistry &windows_;
};

} // namespace urok
