#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace urok {

// Numbers in the lesson's lists are decimal text. Reading one takes the
// longest leading number: blanks before it are skipped, then an optional
// sign, digits and an optional fraction after a full stop. Text that does
// not start with a number (or is empty) reads as 0: " 96" is 96,
// "2009/10/28" is 2009, "1 - няма" is 1, "-" and "abc" are 0.
double leadingNumber(QStringView text);

// The integer part of leadingNumber(), clamped to the range of int.
int leadingInteger(QStringView text);

// leadingNumber() rounded to the nearest integer, halves to even (the way
// a whole-number variable takes a real value), clamped to [lo, hi].
int roundedNumber(QStringView text, int lo, int hi);

// The signed-number text form: a leading blank for a value that is not
// negative, a minus sign otherwise; a full stop as the decimal point
// whatever the locale, and no digit before the point when the value lies
// between -1 and 1. 96 gives " 96", 0.96 gives " .96", -0.5 gives "-.5",
// 0 gives " 0".
QString signedNumberText(double value);

// Plain decimal text of a number: no leading blank, "-" when negative,
// shortest form for a real value ("32.5", "14").
QString decimalText(double value);

// A number of seconds in words: "1 секунда", "417 секунди".
QString secondsText(qint64 seconds);

// What is left of a countdown, said in whole minutes and seconds, the verb
// agreeing with the first number: "Остават 6 минути и 11 секунди", "Остава
// 1 минута", "Остава 1 секунда". With no countdown running (no number):
// "Не се отброява време".
QString remainingTimeText(std::optional<qint64> seconds);

} // namespace urok
