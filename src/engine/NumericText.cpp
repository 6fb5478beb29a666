#include "engine/NumericText.h"

#include <cmath>
#include <limits>

namespace urok {

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;

    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }

    double value = 0;
    bool anyDigit = false;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10 + (text[i].unicode() - u'0');
        anyDigit = true;
        ++i;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        double scale = 0.1;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            value += scale * (text[i].unicode() - u'0');
            scale /= 10;
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit)
        return 0;
    return negative ? -value : value;
}

static int clampToInt(double value, int lo, int hi)
{
    if (std::isnan(value))
        return 0;
    if (value < lo)
        return lo;
    if (value > hi)
        return hi;
    return static_cast<int>(value);
}

int leadingInteger(QStringView text)
{
    return clampToInt(std::trunc(leadingNumber(text)), std::numeric_limits<int>::min(),
                      std::numeric_limits<int>::max());
}

int roundedNumber(QStringView text, int lo, int hi)
{
    return clampToInt(std::nearbyint(leadingNumber(text)), lo, hi);
}

static QString shortestText(double value)
{
    // Up to 15 significant digits, as a whole-number or fixed-point text
    // where it fits; exponent form only for very large or small values.
    QString s = QString::number(value, 'g', 15);
    if (s.contains(u'e'))
        s.replace(u'e', u'E');
    return s;
}

QString signedNumberText(double value)
{
    QString s = shortestText(std::fabs(value));
    if (s.startsWith(u"0."))
        s.remove(0, 1);
    if (value < 0 && s != u"0")
        return u'-' + s;
    return u' ' + s;
}

QString decimalText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    return shortestText(value);
}

QString secondsText(qint64 seconds)
{
    return QString::number(seconds)
           + (seconds == 1 || seconds == -1 ? QStringLiteral(" секунда")
                                            : QStringLiteral(" секунди"));
}

QString remainingTimeText(std::optional<qint64> seconds)
{
    if (!seconds)
        return QStringLiteral("Не се отброява време");
    const qint64 minutes = *seconds / 60;
    const qint64 rest = *seconds % 60;
    QString parts;
    if (minutes > 0)
        parts = QString::number(minutes)
                + (minutes == 1 ? QStringLiteral(" минута") : QStringLiteral(" минути"));
    if (rest > 0 || minutes == 0)
        parts += (parts.isEmpty() ? QString() : QStringLiteral(" и ")) + secondsText(rest);
    const qint64 first = minutes > 0 ? minutes : rest;
    return (first == 1 ? QStringLiteral("Остава ") : QStringLiteral("Остават ")) + parts;
}

} // namespace urok
