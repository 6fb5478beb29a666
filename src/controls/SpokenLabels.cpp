#include "controls/SpokenLabels.h"

#include "controls/AccessibleControls.h"
#include "controls/ControlLook.h"
#include "engine/NumericText.h"

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

SpokenNotice::SpokenNotice(QWidget *parent)
    : QLabel(parent)
{
    installAccessibleControls();
    setObjectName(QStringLiteral("Izwestie"));
    setAlignment(Qt::AlignCenter);
    setBackColor(this, SystemButtonFace);
    hide();
    shown_.setSingleShot(true);
    shown_.setInterval(6000);
    connect(&shown_, &QTimer::timeout, this, &QWidget::hide);
}

void SpokenNotice::say(const QString &sentence)
{
    // Shown afresh each time: the screen reader speaks it as it appears.
    hide();
    setText(sentence);
    const int height = sizeHint().height() + 8;
    const QWidget *area = parentWidget();
    setGeometry(0, area->height() - height, area->width(), height);
    show();
    raise();
    shown_.start();
}

} // namespace urok
