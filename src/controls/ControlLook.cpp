#include "controls/ControlLook.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace urok {

static const char *const backProperty = "urokBackColor";
static const char *const foreProperty = "urokForeColor";

void setBackColor(QWidget *widget, ColourValue value)
{
    widget->setProperty(backProperty, value);
    QPalette p = widget->palette();
    const QColor c = toQColor(value);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, c);
        p.setColor(group, QPalette::Base, c);
        p.setColor(group, QPalette::Button, c);
    }
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void setForeColor(QWidget *widget, ColourValue value)
{
    widget->setProperty(foreProperty, value);
    QPalette p = widget->palette();
    const QColor c = toQColor(value);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Text, c);
        p.setColor(group, QPalette::WindowText, c);
        p.setColor(group, QPalette::ButtonText, c);
    }
    widget->setPalette(p);
}

static ColourValue stored(const QWidget *widget, const char *property, ColourValue otherwise)
{
    const QVariant v = widget->property(property);
    return v.isValid() ? v.value<ColourValue>() : otherwise;
}

ColourValue backColor(const QWidget *widget)
{
    return stored(widget, backProperty, SystemButtonFace);
}

ColourValue foreColor(const QWidget *widget)
{
    return stored(widget, foreProperty, SystemWindowText);
}

} // namespace urok
