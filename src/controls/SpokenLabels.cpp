#include "controls/SpokenLabels.h"

#include "controls/AccessibleControls.h"
#include "controls/ControlLook.h"
#include "engine/NumericText.h"

#include <QAccessible>
#include <QApplication>

namespace urok {

ProgressLabel::ProgressLabel(const QString &caption, QWidget *parent, Changes changes)
    : QLabel(caption, parent)
    , changes_(changes)
{
    installAccessibleControls();
}

void ProgressLabel::setProgress(int value, int maximum, const QString &valueText)
{
    const bool changed = value != value_ || maximum != maximum_ || valueText != valueText_;
    value_ = value;
    maximum_ = maximum;
    valueText_ = valueText;
    if (changed && changes_ == Changes::Told) {
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
    setWordWrap(true);
    setMargin(4);
    setBackColor(this, SystemButtonFace);
    hide();
    shown_.setSingleShot(true);
    shown_.setInterval(6000);
    connect(&shown_, &QTimer::timeout, this, &QWidget::hide);
}

void SpokenNotice::say(const QString &sentence)
{
    QWidget *own = window();
    const QWidget *front = QApplication::activeWindow();
    const bool behind = front && front != own && front->isVisible() && !front->inherits("QDialog");
    if (!own->isVisible() || behind) {
        if (waiting_.isEmpty())
            own->installEventFilter(this);
        waiting_ = sentence;
        return;
    }
    sayNow(sentence);
}

int SpokenNotice::timeToSay(const QString &sentence)
{
    // A screen reader's usual pace is about three words a second; a word
    // spelled out (a file's name) takes longer.
    const qsizetype words = sentence.split(u' ', Qt::SkipEmptyParts).size();
    return static_cast<int>(qMin<qsizetype>(1000 + 500 * words, 8000));
}

void SpokenNotice::sayNow(const QString &sentence)
{
    if (!waiting_.isEmpty())
        window()->removeEventFilter(this);
    waiting_.clear();
    showSentence(sentence);
}

bool SpokenNotice::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window() && event->type() == QEvent::WindowActivate && !waiting_.isEmpty()) {
        watched->removeEventFilter(this);
        // The window is told first, then the control that takes the focus
        // (which a list tells once the window is active); then the sentence.
        QMetaObject::invokeMethod(this, "sayWaitingNext", Qt::QueuedConnection);
    }
    return QLabel::eventFilter(watched, event);
}

void SpokenNotice::sayWaitingNext()
{
    QMetaObject::invokeMethod(this, "sayWaiting", Qt::QueuedConnection);
}

void SpokenNotice::sayWaiting()
{
    if (waiting_.isEmpty())
        return;
    const QString sentence = waiting_;
    waiting_.clear();
    showSentence(sentence);
}

void SpokenNotice::showSentence(const QString &sentence)
{
    // Shown afresh each time: the screen reader speaks it as it appears.
    hide();
    setText(sentence);
    const QWidget *area = parentWidget();
    const int height = heightForWidth(area->width());
    setGeometry(0, area->height() - height, area->width(), height);
    QLabel::show();
    raise();
    shown_.start();
}

} // namespace urok
