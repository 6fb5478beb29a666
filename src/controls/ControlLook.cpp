#include "controls/ControlLook.h"

#include <QAbstractScrollArea>
#include <QApplication>
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
    // The colour fills the control's own area; a text or list field shows
    // it behind its text. A window keeps the platform's colours inside its
    // children, and a radio button inside its circle: they must stay
    // readable whatever colour is composed.
    const bool field = qobject_cast<QAbstractScrollArea *>(widget) != nullptr;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, c);
        p.setColor(group, widget->backgroundRole(), c);
        if (field)
            p.setColor(group, QPalette::Base, c);
    }
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void keepPlatformColours(QWidget *widget)
{
    const QPalette platform = QApplication::palette(widget);
    QPalette p = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto role : {QPalette::Window, QPalette::WindowText, QPalette::Base,
                                QPalette::Text, QPalette::Button, QPalette::ButtonText}) {
            p.setColor(group, role, platform.color(group, role));
        }
    }
    widget->setPalette(p);
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

void setFontFamily(QWidget *widget, const QString &family)
{
    QFont f = widget->font();
    f.setFamily(family);
    widget->setFont(f);
}

void setFontPoints(QWidget *widget, double points)
{
    if (!(points > 0))
        return;
    QFont f = widget->font();
    f.setPointSizeF(points);
    widget->setFont(f);
}

} // namespace urok
