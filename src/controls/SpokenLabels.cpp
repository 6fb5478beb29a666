#include "controls/SpokenLabels.h"

#include "controls/AccessibleControls.h"

#include <QAccessible>

namespace urok {

ProgressLabel::ProgressLabel(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    installAccessibleControls();
}

void ProgressLabel::setProgress(int value, int maximum, const QString &valueText)
{
    const bool changed = value != value_ || maximum != maximum_ || valueText != valueText_;
    value_ = value;
    maximum_ = maximum;
    valueText_ = valueText;
    if (changed) {
        QAccessibleValueChangeEvent event(this, value);
        QAccessible::updateAccessibility(&event);
    }
}

SecondsLabel::SecondsLabel(const QString &what, QWidget *parent)
    : QLabel(parent)
    , what_(what)
{
    installAccessibleControls();
}

QString SecondsLabel::spokenText() const
{
    bool number = false;
    const qint64 seconds = text().trimmed().toLongLong(&number);
    if (!number)
        return text().trimmed().isEmpty() ? what_ : what_ + QStringLiteral(": ") + text().trimmed();
    return what_ + QStringLiteral(": ") + secondsText(seconds);
}

QString secondsText(qint64 seconds)
{
    return QString::number(seconds)
           + (seconds == 1 || seconds == -1 ? QStringLiteral(" секунда")
                                            : QStringLiteral(" секунди"));
}

} // namespace urok
