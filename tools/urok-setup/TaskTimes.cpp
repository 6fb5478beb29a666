#include "TaskTimes.h"

#include "engine/NumericText.h"
#include "engine/TaskTiming.h"
#include "engine/WritingTime.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace urok::setup {

namespace {

constexpr qint64 Min16 = std::numeric_limits<qint16>::min();
constexpr qint64 Max16 = std::numeric_limits<qint16>::max();

qint64 factorOf(int storedLevel)
{
    return static_cast<qint64>(levelFactor(taskLevel(storedLevel)));
}

// Division that rounds down for negative numbers too.
qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool fits16(qint64 v)
{
    return v >= Min16 && v <= Max16;
}

} // namespace

std::optional<qint64> parseMinutesSeconds(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,5}):([0-5]\\d)$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toLongLong() * 60 + m.captured(2).toLongLong();
}

StoredTime budgetFor(int storedLevel, qint64 seconds)
{
    const qint64 f = factorOf(storedLevel);
    StoredTime t;
    if (seconds % f == 0 && fits16(seconds / f)) {
        t.value = static_cast<qint16>(seconds / f);
        return t;
    }
    // The countdowns this level can have: whole multiples of its factor.
    const qint64 lower = qMin(floorDiv(seconds, f), Max16) * f;
    if (lower > 0)
        t.nearest.append(lower);
    if (lower / f < Max16)
        t.nearest.append(lower + f);
    return t;
}

StoredTime hintFor(int storedLevel, int budget, qint64 moment)
{
    // The hint comes just after (f-1)*B + f*H - 1 seconds; at once when that
    // is 0 or earlier.
    const qint64 f = factorOf(storedLevel);
    const qint64 base = (f - 1) * budget - 1;
    StoredTime t;
    const qint64 wanted = moment - base;
    const qint64 h = moment <= 0 ? floorDiv(-base, f) : floorDiv(wanted, f);
    if ((moment <= 0 || wanted % f == 0) && fits16(h)) {
        t.value = static_cast<qint16>(h);
        return t;
    }
    const qint64 lowH = qBound(Min16, h, Max16);
    const qint64 lower = base + f * lowH;
    t.nearest.append(qMax<qint64>(0, lower));
    if (lowH < Max16)
        t.nearest.append(lower + f);
    return t;
}

qint64 pointSeconds(qint64 characters, int rate)
{
    return qMax<qint64>(1, roundedNumber(decimalText(writingTime(characters, rate)), -32768, 32767));
}

bool rateTooLow(qint64 characters, int rate)
{
    return roundedNumber(decimalText(writingTime(characters, rate)), -32768, 32767) < 1;
}

std::optional<QList<qint16>> planRates(qint64 total, const QList<qint64> &characters)
{
    qint64 all = 0;
    for (const qint64 c : characters)
        all += c;
    if (characters.isEmpty() || all <= 0)
        return std::nullopt;
    // Every point gets the rate one rate for all would need, rounded down,
    // or one more: of these choices the one whose total comes nearest.
    const double ideal = double(total - 2 * characters.size()) * 100.0 / double(all);
    if (!(ideal >= double(Min16) && ideal < double(Max16)))
        return std::nullopt;
    const auto base = static_cast<qint64>(std::floor(ideal));
    // The totals the choices reach, each with the points that take one more.
    std::map<qint64, QList<bool>> reached = {{0, {}}};
    for (const qint64 c : characters) {
        std::map<qint64, QList<bool>> next;
        for (const auto &[sum, raised] : reached)
            for (const bool raise : {false, true}) {
                QList<bool> r = raised;
                r.append(raise);
                next.try_emplace(sum + pointSeconds(c, int(base + (raise ? 1 : 0))), r);
            }
        reached = std::move(next);
    }
    const auto nearest = std::min_element(reached.begin(), reached.end(), [total](const auto &a, const auto &b) {
        return qAbs(a.first - total) < qAbs(b.first - total);
    });
    QList<qint16> rates;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const auto rate = static_cast<int>(base + (nearest->second[i] ? 1 : 0));
        if (rateTooLow(characters[i], rate))
            return std::nullopt;
        rates.append(static_cast<qint16>(rate));
    }
    return rates;
}

} // namespace urok::setup
