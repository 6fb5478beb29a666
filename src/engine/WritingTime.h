#pragma once

#include <QtGlobal>

#include <limits>

namespace urok {

// The time a plan point gives the pupil to write it down, in seconds: its
// characters x the configuration file's rate for it / 100 + 2. The plan
// keeps its times as 16-bit numbers, so the result is held within that range.
constexpr double writingTime(qint64 characters, int rate)
{
    const double t = static_cast<double>(characters * rate) / 100.0 + 2.0;
    return qBound<double>(std::numeric_limits<qint16>::min(), t,
                          std::numeric_limits<qint16>::max());
}

} // namespace urok
