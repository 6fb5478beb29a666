#pragma once

#include <QLabel>
#include <QTimer>

namespace urok {

// A label that a screen reader reads as a progress bar. The countdown bar
// and the plan ribbon are drawn over such labels; the label holds the
// progress they show (0..maximum) and says it in words.
class ProgressLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ProgressLabel(const QString &caption, QWidget *parent = nullptr);

    int value() const { return value_; }
    int maximum() const { return maximum_; }
    QString valueText() const { return valueText_; }

    // A screen reader is told of every change of the value.
    void setProgress(int value, int maximum, const QString &valueText);

private:
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
// for a few seconds along the bottom of the label's parent. A screen reader
// hears it as a notification when it appears: Orca speaks a notification as
// it is shown. Qt 6.4 has no announcement of its own, and its alert event
// never reaches AT-SPI.
class SpokenNotice : public QLabel
{
    Q_OBJECT
public:
    explicit SpokenNotice(QWidget *parent);

    void say(const QString &sentence);

private:
    QTimer shown_;
};

// The key that has the time left said where a time counts: neither a text
// box nor a list has a use for it.
constexpr Qt::Key TimeLeftKey = Qt::Key_F2;

} // namespace urok
