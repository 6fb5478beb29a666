#include "controls/Controls.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

namespace urok {

void nameControl(QWidget *control, const QString &objectName, const QString &accessibleName,
                 const QString &toolTip)
{
    control->setObjectName(objectName);
    if (!toolTip.isEmpty())
        control->setToolTip(toolTip);
    const QString description = toolTip.trimmed();
    if (qobject_cast<QLabel *>(control) && !qobject_cast<QLabel *>(control)->text().isEmpty()) {
        control->setAccessibleDescription(accessibleName
                                          + (description.isEmpty() ? QString()
                                                                   : QStringLiteral(". ") + description));
        return;
    }
    control->setAccessibleName(accessibleName);
    if (!description.isEmpty() && description != accessibleName)
        control->setAccessibleDescription(description);
}

void setClientSize(QMainWindow *window, const QSize &size)
{
    const int menu = window->menuWidget() ? window->menuWidget()->sizeHint().height() : 0;
    window->resize(size.width(), size.height() + menu);
}

} // namespace urok
