#include "controls/Controls.h"

#include "controls/SpokenLabels.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QWidget>

namespace urok {

void nameControl(QWidget *control, const QString &objectName, const QString &accessibleName,
                 const QString &toolTip)
{
    control->setObjectName(objectName);
    if (!toolTip.isEmpty())
        control->setToolTip(toolTip);
    const QString description = toolTip.trimmed();
    // A label that shows changing numbers is named by its caption too, also
    // while it shows nothing yet.
    const QLabel *label = qobject_cast<QLabel *>(control);
    if (label && (!label->text().isEmpty() || qobject_cast<const SecondsLabel *>(label))) {
        // What the caption does not say already, once.
        QStringList said;
        if (accessibleName != label->text())
            said.append(accessibleName);
        if (!description.isEmpty() && !accessibleName.contains(description))
            said.append(description);
        control->setAccessibleDescription(said.join(QStringLiteral(". ")));
        return;
    }
    control->setAccessibleName(accessibleName);
    if (!description.isEmpty() && description != accessibleName)
        control->setAccessibleDescription(description);
}

void describeForKeys(QWidget *control, const QString &description)
{
    control->setAccessibleDescription(description);
}

void addMenuBarKey(QMainWindow *window)
{
    auto *key = new QShortcut(QKeySequence(Qt::Key_F10), window);
    QObject::connect(key, &QShortcut::activated, window, [window] {
        // The menu bar watches for Alt pressed and released with no other
        // key between, wherever the focus is.
        QWidget *target = QApplication::focusWidget();
        if (!target || target->window() != window)
            target = window;
        QKeyEvent pressed(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QApplication::sendEvent(target, &pressed);
        QKeyEvent released(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(target, &released);
    });
}

void setClientSize(QMainWindow *window, const QSize &size)
{
    const int menu = window->menuWidget() ? window->menuWidget()->sizeHint().height() : 0;
    window->resize(size.width(), size.height() + menu);
}

} // namespace urok
