#include "controls/Controls.h"

#include "controls/SpokenLabels.h"

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
    // A label that shows changing numbers is named by its caption too, also
    // while it shows nothing yet.
    const QLabel *label = qobject_cast<QLabel *>(control);
    if (label && (!label->text().isEmpty() || qobject_cast<const SecondsLabel *>(label))) {
        control->setAccessibleDescription(accessibleName
                                          + (description.isEmpty() || accessibleName.contains(description)
                                                 ? QString()
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
