#pragma once

#include <QLabel>

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

// "1 секунда", "417 секунди".
QString secondsText(qint64 seconds);

} // namespace urok
