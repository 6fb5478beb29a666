#pragma once

#include <QString>

namespace urok {

// A date as the configuration file or the lesson's data write it
// ("20261206", "2009/10/28", "2026-12-06", "6.12.2026"), in the words a
// person says ("6 декември 2026 г."). Anything else comes back as it is,
// without its outer blanks.
QString dateInWords(const QString &date);

} // namespace urok
