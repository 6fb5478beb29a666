#pragma once

#include <QLabel>
#include <QTimer>

namespace urok {

// A label that a screen reader reads as a progress bar. The countdown bar
// and the plan ribbon are drawn over such labels; the label holds the
// progress they show (0..maximum) and says it in words, first in its
// description.
class ProgressLabel : public QLabel
{
    Q_OBJECT
public:
    // A screen reader is told of every change of the value as it comes, or
    // it reads the value only when asked: a value that changes every second
    // would be spoken over whatever the pupil is reading.
    enum class Changes { Told, Kept };

    explicit ProgressLabel(const QString &caption, QWidget *parent = nullptr,
                           Changes changes = Changes::Told);

    int value() const { return value_; }
    int maximum() const { return maximum_; }
    QString valueText() const { return valueText_; }

    void setProgress(int value, int maximum, const QString &valueText);

private:
    Changes changes_;
    int value_ = 0;
    int maximum_ = 0;
    QString valueText_;
};

// A label that shows a bare number of seconds ("417"); a screen reader
// hears what the number is ("Оставащо време: 417 секунди"). Its caption is
// what it says, so it is given a description, never a name.
class SecondsLabel : public QLabel
{
    Q_OBJECT
public:
    explicit SecondsLabel(const QString &what, QWidget *parent = nullptr);

    // The label's caption in words; with no number shown, only what it is.
    QString spokenText() const;

private:
    QString what_;
};

// A sentence said to a screen reader without moving the focus, and shown
// for a few seconds along the bottom of the label's parent, on as many lines
// as it takes. A screen reader hears it as a notification when it appears:
// Orca speaks a notification as it is shown. Qt 6.4 has no announcement of
// its own, and its alert event never reaches AT-SPI.
//
// A sentence said while its window is hidden, or behind another window of
// the lesson (not a message box, which is closing), waits until its window
// comes to the front, and is said after the window's title and the control
// that takes the focus have been told.
class SpokenNotice : public QLabel
{
    Q_OBJECT
public:
    explicit SpokenNotice(QWidget *parent);

    void say(const QString &sentence);
    // Said now, in front or not: the window is about to close.
    void sayNow(const QString &sentence);
    // About how long a screen reader takes to read the sentence, in
    // milliseconds.
    static int timeToSay(const QString &sentence);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSentence(const QString &sentence);
    // Called by name through the event queue: two turns of it let the
    // window and then the focused control be told first.
    Q_INVOKABLE void sayWaitingNext();
    Q_INVOKABLE void sayWaiting();

    QTimer shown_;
    QString waiting_;
};

// The key that has the time left said where a time counts: neither a text
// box nor a list has a use for it.
constexpr Qt::Key TimeLeftKey = Qt::Key_F2;

} // namespace urok
